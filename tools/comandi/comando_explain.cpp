#include "tools/comandi/comando_explain.h"

#include <memory>

#include "tools/diagnostiche/spiegazioni.h"

namespace {

const char* const descrizione = "tell what a status number or a warning means, with an example";

const char* const piede =
    "N is a status that compile and check report (\"error N at P m\",\n"
    "\"[status N]\"), or 1250 and 1251, the builder's numbered messages. NAME\n"
    "is a warning's name as check prints it (\"[-WNAME]\"); -WNAME and\n"
    "-Wno-NAME are taken too. Without an argument, explain lists them all.\n"
    "\n"
    "Each text says what the status or warning means, which record raises it,\n"
    "and shows a few lines of the embedded scenario's files (see 'scenario-tool\n"
    "example') changed to raise it, and as they are. --all prints every text:\n"
    "the status and warning reference of the author's guide (docs/reference.md).\n"
    "\n"
    "Exit status: 0, or 2 for an unknown status or warning.\n";

struct opzioni_explain {
    std::string chiave;
    bool tutte = false;
};

std::string indice() {
    std::string t = "Statuses (scenario-tool explain N):\n";
    for (const spiegazione& s : spiegazioni_stati()) {
        std::string titolo = testo_spiegazione(s, 1);
        titolo = titolo.substr(titolo.find(": ") + 2, titolo.find('\n') - titolo.find(": ") - 2);
        std::string n = std::to_string(s.codice);
        t += "  " + n + std::string(6 - n.size(), ' ') + titolo + "\n";
    }
    t += "\nWarnings (scenario-tool explain NAME; -Wno-NAME turns one off):\n";
    for (const spiegazione& s : spiegazioni_avvisi()) {
        std::string titolo = testo_spiegazione(s, 1);
        titolo = titolo.substr(titolo.find(": ") + 2, titolo.find('\n') - titolo.find(": ") - 2);
        const std::string n = s.nome;
        t += "  " + n + std::string(n.size() < 20 ? 20 - n.size() : 1, ' ') + titolo + "\n";
    }
    return t;
}

}  // namespace

std::string testo_explain(const std::string& chiave, bool tutte) {
    if (tutte) {
        if (!chiave.empty()) throw errore_uso{"--all takes no status or warning"};
        return riferimento_markdown();
    }
    if (chiave.empty()) return indice();
    const spiegazione* s = cerca_spiegazione(chiave);
    if (s == nullptr) {
        throw errore_uso{"no status or warning is called \"" + chiave + "\"; known: " + elenco_spiegazioni()};
    }
    return testo_spiegazione(*s);
}

void registra_explain(CLI::App& strumento, contesto_comandi& c) {
    CLI::App* comando = nuovo_comando(strumento, c, "explain", descrizione, "explain [N | NAME | --all]");
    comando->footer(piede);
    auto o = std::make_shared<opzioni_explain>();
    comando->add_option("N_OR_NAME", o->chiave, "a status number or a warning name")->type_name("");
    // -WNAME and -Wno-NAME, written as check takes them.
    comando->add_option_function<std::string>(
               "-W", [o](const std::string& v) { o->chiave = "-W" + v; }, "a warning, as -WNAME or -Wno-NAME")
        ->type_name("NAME")
        ->excludes(comando->get_option("N_OR_NAME"));
    comando->add_flag("--all", o->tutte, "print every explanation (the reference of the author's guide)")
        ->disable_flag_override();
    comando->callback([o, &c] {
        c.uscita << testo_explain(o->chiave, o->tutte);
        c.stato = 0;
    });
}

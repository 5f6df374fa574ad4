#include "tools/argomenti_vista.h"

#include <optional>

#include "tools/argomenti.h"

const char* const testo_aiuto_vista =
    "scenario-tool view LINE_FILE TRAIN_FILE -o PAGE.html [options]\n"
    "scenario-tool view [PLAN] TABLE TRACK -o PAGE.html\n"
    "\n"
    "Writes one self-contained HTML page that shows a scenario: its names,\n"
    "length and counts, the plan of the line (one scale on both axes, a scale\n"
    "bar, stations, signals, signs, the start and the end), the profile along\n"
    "the line (gradient, speed limit, adhesion, mountain spans, slowdowns,\n"
    "stations, signals and boards), a legend and the table of stations. Point\n"
    "at an object on the page to see its values and, from the text sources,\n"
    "the line of the record that made it. The page loads nothing from\n"
    "elsewhere and needs no script.\n"
    "\n"
    "From the text sources (two .txt files): the scenario is built in memory as\n"
    "`compile` builds it; no other file is written. Names as for `compile`:\n"
    "from the file names NAME_linea.txt and NAME_NUM-.txt, or the options.\n"
    "From the binary files (NAME_linea.dat, NAME_NUM.sim, NAME_NUM.dat; the\n"
    "plan may be left out): the files are decoded.\n"
    "\n"
    "The page is written beside PAGE.html under a temporary name, then renamed\n"
    "over it: PAGE.html is never left half written.\n"
    "\n"
    "Options:\n"
    "  -o, --output PAGE    the page to write (required)\n"
    "  --line-name NAME     the line name (text sources only)\n"
    "  --train-number NUM   the train number (text sources only)\n"
    "  --no-plan            build without the line plan (text sources only)\n"
    "  --help               this text\n"
    "  --                   the arguments that follow are files\n"
    "\n"
    "Exit status:\n"
    "  0  the page is written\n"
    "  1  the page is written; the build recorded a status (shown on the page\n"
    "     and on standard error)\n"
    "  2  usage error\n"
    "  3  no page: the build ended without a scenario, a binary file could not\n"
    "     be read or decoded, or the page could not be written\n";

namespace {

const char* const uso_vista =
    "usage: scenario-tool view LINE_FILE TRAIN_FILE -o PAGE.html [--line-name NAME]\n"
    "                          [--train-number NUM] [--no-plan]\n"
    "       scenario-tool view [PLAN] TABLE TRACK -o PAGE.html\n";

[[noreturn]] void uso(const std::string& messaggio) { throw errore_uso{messaggio}; }

void imposta(std::optional<std::string>& dove, const std::string& opzione, const std::string& valore) {
    if (dove.has_value()) uso("option " + opzione + " given twice");
    dove = valore;
}

}  // namespace

bool analizza_vista(const std::vector<std::string>& a, richiesta_vista& r) {
    for (const std::string& x : a) {
        if (x == "--") break;
        if (x == "--help" || x == "-h") return false;
    }
    std::optional<std::string> pagina;
    bool solo_file = false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const std::string& x = a[i];
        if (solo_file || x.size() < 2 || x[0] != '-') {
            r.file.push_back(x);
            continue;
        }
        if (x == "--") {
            solo_file = true;
            continue;
        }
        if (x == "--no-plan") {
            r.senza_planimetria = true;
            continue;
        }
        std::string nome = x;
        std::string valore;
        const std::size_t uguale = x.find('=');
        const bool con_uguale = x.rfind("--", 0) == 0 && uguale != std::string::npos;
        if (con_uguale) {
            nome = x.substr(0, uguale);
            valore = x.substr(uguale + 1);
        }
        std::optional<std::string>* dove = nullptr;
        if (nome == "-o" || nome == "--output") dove = &pagina;
        if (nome == "--line-name") dove = &r.nome_linea;
        if (nome == "--train-number") dove = &r.numero_treno;
        if (dove == nullptr) uso("unknown option " + nome);
        if (!con_uguale) {
            if (i + 1 >= a.size()) uso("option " + nome + " needs a value");
            valore = a[++i];
        }
        imposta(*dove, nome, valore);
    }
    if (!pagina || pagina->empty()) uso("view needs the page to write: -o PAGE.html");
    r.pagina = *pagina;
    if (r.nome_linea) verifica_nome(*r.nome_linea, "line name");
    if (r.numero_treno) verifica_nome(*r.numero_treno, "train number");
    if (r.file.size() < 2 || r.file.size() > 3) {
        uso("view needs two text sources or two or three binary files (" + std::to_string(r.file.size()) + " given)");
    }
    return true;
}

int comando_vista(const std::vector<std::string>& a, std::ostream& uscita, std::ostream& errori) {
    try {
        richiesta_vista r;
        if (!analizza_vista(a, r)) {
            uscita << testo_aiuto_vista;
            return 0;
        }
        return esegui_vista(r, uscita, errori);
    } catch (const errore_uso& e) {
        errori << "scenario-tool: " << e.messaggio << "\n\n" << uso_vista;
        return 2;
    }
}

#include "tools/comandi/comando.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <nlohmann/json.hpp>

#include "sources/testo_visibile.h"
#include "tools/comune/testo_1252.h"
#include "tools/comune/nomi.h"

namespace {

const char* const programma = "scenario-tool";

// "usage: " before the first line, blanks before the others; a line that
// continues a usage is indented under its arguments.
void scrivi_uso(std::ostream& o, const std::string& uso, bool primo) {
    std::string riga = std::string(primo ? "usage: " : "       ") + programma + " ";
    const std::string rientro(riga.size() + uso.find(' ') + 1, ' ');
    std::size_t inizio = 0;
    for (;;) {
        const std::size_t fine = uso.find('\n', inizio);
        o << riga << uso.substr(inizio, fine == std::string::npos ? std::string::npos : fine - inizio) << "\n";
        if (fine == std::string::npos) return;
        riga = rientro;
        inizio = fine + 1;
    }
}

// The usage of the command the error belongs to, or of them all.
void scrivi_usi(std::ostream& o, const CLI::App& strumento, const contesto_comandi& c) {
    const std::vector<CLI::App*> scelti = strumento.get_subcommands();
    const std::string nome = scelti.empty() ? "" : scelti.front()->get_name();
    bool primo = true;
    for (const auto& [comando, uso] : c.usi) {
        if (!nome.empty() && comando != nome) continue;
        scrivi_uso(o, uso, primo);
        primo = false;
    }
    if (nome.empty()) {
        o << "       " << programma << " --help | --version | COMMAND --help\n";
    } else {
        o << "       " << programma << " " << nome << " --help\n";
    }
}

// A usage error is also a JSON object on standard output when --json was
// asked for: {"fatal": "usage", "message": MESSAGE}, its lines under the
// message after line ends.
void uso_json(const contesto_comandi& c, const std::vector<std::string>& argomenti, const errore_uso& e) {
    if (std::find(argomenti.begin(), argomenti.end(), "--json") == argomenti.end()) return;
    std::string messaggio = e.messaggio;
    for (const std::string& riga : e.righe) messaggio += "\n  " + riga;
    const nlohmann::ordered_json j{{"fatal", "usage"}, {"message", utf8_da_nome(messaggio)}};
    c.uscita << j.dump(-1, ' ', true) << "\n";
}

// The message and each of its lines on a line of its own: a line end in a
// path or an argument they quote is shown as \x0a like any control byte.
int errore_di_uso(const CLI::App& strumento, const contesto_comandi& c, const std::vector<std::string>& argomenti,
                  const errore_uso& e) {
    uso_json(c, argomenti, e);
    c.errori << programma << ": " << visibile_percorso(e.messaggio) << "\n";
    for (const std::string& riga : e.righe) c.errori << "  " << visibile_percorso(riga) << "\n";
    c.errori << "\n";
    scrivi_usi(c.errori, strumento, c);
    return 2;
}

// CLI11 takes an unknown command for a missing one: name it.
std::string messaggio_di(const CLI::App& strumento, const CLI::ParseError& e, const std::vector<std::string>& a) {
    if (strumento.get_subcommands().empty() && !a.empty() && !a.front().empty() && a.front()[0] != '-') {
        return "unknown command \"" + a.front() + "\"";
    }
    return e.what();
}

// Everything printed reaches its stream before the exit status is given: a
// standard output that could not be written (a full disk, a closed pipe,
// /dev/full) turns any status into 3, with one line on standard error.
int concludi(contesto_comandi& c, int stato) {
    errno = 0;
    c.uscita.flush();
    if (!c.uscita) {
        const int numero = errno;
        c.errori << programma << ": the standard output could not be written"
                 << (numero != 0 ? std::string(" (") + std::strerror(numero) + ")" : std::string()) << "\n";
        c.errori.flush();
        return 3;
    }
    c.errori.flush();
    return c.errori ? stato : 3;
}

}  // namespace

const char* versione_strumento() { return VERSIONE_STRUMENTO; }

void prepara_strumento(CLI::App& strumento) {
    strumento.name(programma);
    strumento.description("scenario-tool: tools for scenario authors.");
    strumento.footer("Run 'scenario-tool COMMAND --help' for the details of a command.");
    strumento.set_version_flag("--version", std::string(programma) + " " + versione_strumento(),
                               "print the version and exit");
    strumento.set_help_flag("-h,--help", "print this help and exit");
    strumento.require_subcommand(1);
    strumento.get_formatter()->column_width(26);
    strumento.get_formatter()->label("REQUIRED", "");
}

CLI::App* nuovo_comando(CLI::App& strumento, contesto_comandi& c, const std::string& nome,
                        const std::string& descrizione, const std::string& uso) {
    CLI::App* comando = strumento.add_subcommand(nome, descrizione);
    comando->set_help_flag("-h,--help", "print this help and exit");
    c.usi.emplace_back(nome, uso);
    return comando;
}

CLI::Validator non_vuoto(const std::string& che_cosa) {
    return CLI::Validator(
        [che_cosa](const std::string& valore) { return valore.empty() ? "the " + che_cosa + " is empty" : ""; }, "");
}

CLI::Validator nome_valido(const std::string& che_cosa) {
    return CLI::Validator(
        [che_cosa](const std::string& valore) -> std::string {
            try {
                verifica_nome(valore, che_cosa);
            } catch (const errore_uso& e) {
                return e.messaggio;
            }
            return "";
        },
        "");
}

int esegui_strumento(CLI::App& strumento, contesto_comandi& c, const std::vector<std::string>& argomenti) {
    std::vector<std::string> al_contrario(argomenti.rbegin(), argomenti.rend());
    try {
        strumento.parse(al_contrario);
    } catch (const CLI::Success& e) {
        strumento.exit(e, c.uscita, c.errori);
        return concludi(c, 0);
    } catch (const CLI::ParseError& e) {
        return concludi(c, errore_di_uso(strumento, c, argomenti, errore_uso{messaggio_di(strumento, e, argomenti)}));
    } catch (const errore_uso& e) {
        return concludi(c, errore_di_uso(strumento, c, argomenti, e));
    }
    return concludi(c, c.stato);
}

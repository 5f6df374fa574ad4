#include "tools/diagnostiche/stampa_diagnostiche.h"

#include <algorithm>

#include "compiler/avvisi.h"
#include "tools/analisi/esami.h"
#include "tools/comune/testo_1252.h"
#include "tools/comune/testo_terminale.h"

namespace {

const char* const programma = "scenario-tool";

// Shown columns of a message beyond which it is cut (a message may quote a
// field of any length).
constexpr std::size_t larghezza_messaggio = 400;
// Bytes of a source line in the JSON beyond which it is cut.
constexpr std::size_t lunghezza_riga_json = 1000;

std::string elenco_avvisi() {
    std::string t;
    for (const descrizione_avviso& a : tabella_avvisi()) {
        if (!t.empty()) t += ", ";
        t += a.nome;
    }
    for (const voce_esame& e : tabella_esami()) t += std::string(", ") + e.descrizione.nome;
    return t;
}

constexpr std::string_view no_error = "no-error=";
constexpr std::string_view no = "no-";

bool inizia(const std::string& valore, std::string_view prefisso) { return valore.rfind(prefisso, 0) == 0; }

std::string controlla_w(const std::string& valore, bool con_werror) {
    if (con_werror && valore == "error") return "";
    const std::string nome = inizia(valore, no_error) ? valore.substr(no_error.size())
                             : inizia(valore, no)     ? valore.substr(no.size())
                                                      : valore;
    if ((inizia(valore, no_error) || inizia(valore, no)) && e_nome_avviso(nome)) return "";
    return "-W" + valore + ": no warning is named \"" + nome + "\"; the warnings are: " + elenco_avvisi();
}

// "FILE:LINE:COL: ", "FILE: " or "scenario-tool: ".
std::string testa(const punto_sorgente& p) {
    if (p.percorso.empty()) return std::string(programma) + ": ";
    std::string t = visibile_percorso(p.percorso) + ":";
    if (p.riga > 0) t += std::to_string(p.riga) + ":" + std::to_string(p.colonna) + ":";
    return t + " ";
}

std::string riga_mostrata(const punto_sorgente& p) {
    if (p.riga <= 0) return "";
    return riga_con_cursore(p.testo_riga, p.riga, p.colonna - static_cast<std::int32_t>(p.inizio_riga), p.valore,
                            p.inizio_riga > 0, p.riga_continua);
}

nlohmann::ordered_json o_nullo(bool c, nlohmann::ordered_json v) { return c ? v : nlohmann::ordered_json(nullptr); }

}  // namespace

void opzioni_avvisi(CLI::App& comando, scelta_avvisi& s, bool con_werror) {
    comando
        .add_option_function<std::vector<std::string>>(
            "-W",
            [&s](const std::vector<std::string>& valori) {
                for (const std::string& v : valori) {
                    if (v == "error") {
                        s.come_errori = true;
                    } else if (inizia(v, no_error)) {
                        s.non_errori.insert(v.substr(no_error.size()));
                    } else {
                        s.spenti.insert(v.substr(no.size()));
                    }
                }
            },
            con_werror ? "-Wno-NAME turns the warning NAME off, -Wno-error=NAME keeps it a warning when it is an "
                         "error by default (repeat them for more); -Werror is --werror"
                       : "-Wno-NAME turns the warning NAME off, -Wno-error=NAME keeps it a warning when it is an "
                         "error by default (repeat them for more)")
        ->type_name("no-NAME")
        ->allow_extra_args(false)
        ->check(CLI::Validator([con_werror](std::string& v) { return controlla_w(v, con_werror); }, ""));
    if (con_werror) {
        comando.add_flag("--werror", s.come_errori, "warnings fail the check (exit status 1)")->disable_flag_override();
    }
}

std::vector<diagnostica> diagnostiche_scelte(const std::vector<diagnostica>& tutte, const scelta_avvisi& s) {
    std::vector<diagnostica> scelte;
    for (const diagnostica& d : tutte) {
        if (d.nome.empty()) {
            scelte.push_back(d);
            continue;
        }
        if (s.spenti.count(d.nome) > 0) continue;
        scelte.push_back(d);
        const bool errore = (d.livello == gravita::errore || s.come_errori) && s.non_errori.count(d.nome) == 0;
        scelte.back().livello = errore ? gravita::errore : gravita::avviso;
    }
    return scelte;
}

std::string testo_diagnostica(const diagnostica& d) {
    std::string t = testa(d.dove);
    t += d.livello == gravita::errore ? "error: " : "warning: ";
    t += visibile_1252(d.messaggio, larghezza_messaggio);
    if (!d.nome.empty()) {
        // As compilers mark them: an error by default by its name alone, a
        // warning made an error by --werror as such.
        const bool innalzato = d.livello == gravita::errore && !errore_per_nome(d.nome);
        t += innalzato ? " [-Werror=" + d.nome + "]" : " [-W" + d.nome + "]";
    } else if (d.stato) {
        t += " [status " + std::to_string(*d.stato) + "]";
    }
    t += "\n" + riga_mostrata(d.dove);
    for (const nota_diagnostica& n : d.note) {
        t += testa(n.dove) + "note: " + visibile_1252(n.messaggio, larghezza_messaggio) + "\n" + riga_mostrata(n.dove);
    }
    return t;
}

nlohmann::ordered_json json_diagnostica(const diagnostica& d) {
    nlohmann::ordered_json j;
    const bool con_riga = d.dove.riga > 0;
    j["severity"] = d.livello == gravita::errore ? "error" : "warning";
    j["status"] = o_nullo(d.stato.has_value(), d.stato.value_or(0));
    j["position"] = o_nullo(d.posizione.has_value(), d.posizione.value_or(0));
    j["name"] = o_nullo(!d.nome.empty(), d.nome);
    j["file"] = o_nullo(!d.dove.percorso.empty(), utf8_da_nome(d.dove.percorso));
    j["line"] = o_nullo(con_riga, d.dove.riga);
    j["column"] = o_nullo(con_riga, d.dove.colonna);
    j["message"] = utf8_da_1252(d.messaggio);
    std::string riga = d.dove.inizio_riga > 0 ? "..." : "";
    riga += d.dove.testo_riga.substr(0, lunghezza_riga_json);
    if (d.dove.riga_continua || d.dove.testo_riga.size() > lunghezza_riga_json) riga += "...";
    j["source_line"] = o_nullo(con_riga, utf8_da_1252(riga));
    return j;
}

nlohmann::ordered_json json_diagnostiche(const std::vector<diagnostica>& d) {
    nlohmann::ordered_json a = nlohmann::ordered_json::array();
    for (const diagnostica& x : d) a.push_back(json_diagnostica(x));
    return a;
}

std::string conteggio_diagnostiche(const std::vector<diagnostica>& d) {
    const auto errori = std::count_if(d.begin(), d.end(), [](const diagnostica& x) { return x.livello == gravita::errore; });
    const auto avvisi = static_cast<std::ptrdiff_t>(d.size()) - errori;
    const auto parte = [](std::ptrdiff_t n, const char* uno, const char* molti) {
        if (n == 0) return std::string("no ") + uno;
        return std::to_string(n) + " " + (n == 1 ? uno : molti);
    };
    return parte(errori, "error", "errors") + ", " + parte(avvisi, "warning", "warnings");
}

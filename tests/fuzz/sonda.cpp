#include "tests/fuzz/sonda.h"

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

#include "compiler/compilatore.h"
#include "compiler/modello.h"
#include "compiler/stati.h"
#include "sources/cartella.h"
#include "sources/errore_esecuzione.h"
#include "sources/lettore_campi.h"
#include "sources/nomi_file.h"
#include "track/errore.h"
#include "track/lettura_binaria.h"
#include "track/memorizza_percorso.h"
#include "track/scrittura_binaria.h"

namespace {

[[noreturn]] void rotto(const char* perche) {
    std::fprintf(stderr, "property broken: %s\n", perche);
    std::abort();
}

void esigi(bool condizione, const char* perche) {
    if (!condizione) rotto(perche);
}

constexpr std::string_view separatore = "@@treno@@";
constexpr std::string_view separatore_senza_piano = "@@treno-@@";

void verifica_modello(const modello_scenario& m) {
    if (m.codice_errore != 0) {
        esigi(cerca_stato(m.codice_errore).has_value(), "a status outside the table");
        esigi(!m.stati_sollevati.empty(), "a status without an entry in the raised-status list");
        esigi(m.stati_sollevati.back().codice == m.codice_errore, "the status pair is not the last raised status");
    }
    for (const stato_sollevato& s : m.stati_sollevati) {
        esigi(cerca_stato(s.codice).has_value(), "a raised status outside the table");
    }
    esigi(m.origine_celle.empty() || m.origine_celle.size() == m.tracciato.size(), "cell origins beside the track");
}

// Plans above this size are checked by their size alone: decoding and packing
// a long plan again at every run would slow the fuzzer down for little.
constexpr std::size_t piano_verificato = 32 * 1024;

void verifica_file(const std::map<std::string, std::string>& file, const modello_scenario& m) {
    for (const auto& [nome, byte] : file) {
        if (nome == nome_file_planimetria(m.nome_linea)) {
            if (byte.size() > piano_verificato) {
                std::size_t attesa = 0;
                for (const tipo_valore t : m.planimetria.tipi) {
                    attesa += t == tipo_valore::doppio ? 10 : t == tipo_valore::intero ? 4 : 2;
                }
                esigi(byte.size() == attesa, "the plan's size");
                continue;
            }
            esigi(bytes_planimetria(leggi_planimetria(byte), "x") == byte, "the plan does not pack back");
        } else if (nome == nome_file_scenario(m.nome_linea, m.numero_treno)) {
            esigi(bytes_scenario(leggi_scenario(byte), "x") == byte, "the table does not pack back");
        } else if (nome == nome_file_tracciato(m.nome_linea, m.numero_treno)) {
            esigi(bytes_tracciato(leggi_tracciato(byte)) == byte, "the track does not pack back");
        } else if (nome != nome_file_treno(m.nome_linea, m.numero_treno)) {
            rotto("an unexpected output file");
        }
    }
}

// What a build raised, by its numbers and places: the final pair, then each
// status with the places of its record and value, the cell and the entry.
std::string stati_di(const modello_scenario& m) {
    std::string t = std::to_string(m.codice_errore) + "@" + std::to_string(m.posizione_errore);
    for (const stato_sollevato& s : m.stati_sollevati) {
        for (const std::int64_t n : {std::int64_t{s.codice}, std::int64_t{s.posizione}, std::int64_t{s.record.riga},
                                     std::int64_t{s.record.colonna}, std::int64_t{s.campo.riga},
                                     std::int64_t{s.campo.colonna}, s.cella, std::int64_t{s.voce}}) {
            t += " " + std::to_string(n);
        }
    }
    return t + " warnings " + std::to_string(m.avvisi.size());
}

// How a build ended: its files written, a numbered message, or no track.
enum class fine_costruzione : std::uint8_t { scritta, messaggio, senza_tracciato };

fine_costruzione costruisci(modello_scenario& m, modo_planimetria piano, const cartella& dir) {
    try {
        prepara_modello(m, piano);
        memorizza_dati(m, dir);
        completa_percorso(m, dir);
    } catch (const errore_segnalato& e) {
        esigi(e.codice == "1250" || e.codice == "1251", "a numbered message other than 1250 and 1251");
        return fine_costruzione::messaggio;
    } catch (const errore_esecuzione& e) {
        esigi(e.operazione == operazione_senza_tracciato, "a failure other than a missing track left the build");
        return fine_costruzione::senza_tracciato;
    }
    return fine_costruzione::scritta;
}

// The same sources with the plan only validated: the same end and the same
// statuses, and no point kept.
void verifica_piano_verificato(std::map<std::string, std::string> file, const modello_scenario& intero,
                               fine_costruzione fine) {
    modello_scenario m;
    m.nome_linea = intero.nome_linea;
    m.numero_treno = intero.numero_treno;
    esigi(costruisci(m, modo_planimetria::verificata, cartella_in_memoria(file)) == fine,
          "a validated plan ends the build otherwise");
    esigi(stati_di(m) == stati_di(intero), "a validated plan raises other statuses");
    esigi(m.planimetria.tipi.empty() && m.planimetria.ultimo_metro == intero.planimetria.ultimo_metro,
          "a validated plan keeps points");
}

}  // namespace

void sonda_lettore(std::string_view dati) {
    const std::uint8_t ciclo = dati.empty() ? 0 : static_cast<std::uint8_t>(dati[0]);
    lettore_campi l = apri_lettore(std::string(dati), sorgente::linea);
    for (unsigned n = 0; !a_fine(l); ++n) {
        const std::size_t prima = l.pos;
        try {
            switch ((ciclo >> (2 * (n % 4))) & 3) {
                case 0: leggi_testo(l); break;
                case 1: leggi_long(l); break;
                case 2: leggi_integer(l); break;
                default: leggi_byte(l); break;
            }
        } catch (const errore_esecuzione& e) {
            esigi(e.dove.file == sorgente::linea && e.dove.riga >= 1 && e.dove.colonna >= 1, "a failure without a place");
            return;
        }
        esigi(l.pos > prima, "a field that consumed nothing");
        esigi(l.pos <= l.testo.size(), "the reader ran past the text");
        esigi(l.campo.riga >= 1 && l.campo.colonna >= 1, "a field without a place");
    }
}

void sonda_costruzione(std::string_view dati) {
    std::map<std::string, std::string> file;
    modello_scenario m;
    m.nome_linea = "L";
    m.numero_treno = "1";
    std::size_t dove = dati.find(separatore);
    std::size_t salto = separatore.size();
    bool con_piano = dove != std::string_view::npos;
    const std::size_t senza = dati.find(separatore_senza_piano);
    if (senza < dove) {
        dove = senza;
        salto = separatore_senza_piano.size();
        con_piano = false;
    }
    file[nome_file_linea("L")] = std::string(dati.substr(0, dove));
    if (dove != std::string_view::npos) file[nome_file_treno("L", "1")] = std::string(dati.substr(dove + salto));
    const std::map<std::string, std::string> sorgenti = file;
    const fine_costruzione fine =
        costruisci(m, con_piano ? modo_planimetria::scritta : modo_planimetria::nessuna, cartella_in_memoria(file));
    verifica_modello(m);
    if (con_piano) verifica_piano_verificato(sorgenti, m, fine);
    if (fine != fine_costruzione::scritta) return;
    esigi(file.count(nome_file_linea("L")) == 0, "the line file was not deleted");
    // The train file stays when the line phase stopped: only the line file is
    // always gone after a build that read it.
    verifica_file(file, m);
}

void sonda_binari(std::string_view dati) {
    if (dati.empty()) return;
    const std::string_view b = dati.substr(1);
    try {
        switch (static_cast<std::uint8_t>(dati[0]) % 3) {
            case 0: esigi(bytes_planimetria(leggi_planimetria(b), "x") == b, "a decoded plan does not pack back"); break;
            case 1: esigi(bytes_scenario(leggi_scenario(b), "x") == b, "a decoded table does not pack back"); break;
            default: esigi(bytes_tracciato(leggi_tracciato(b)) == b, "a decoded track does not pack back"); break;
        }
    } catch (const errore_lettura& e) {
        esigi(e.posizione <= b.size(), "a decoding failure outside the file");
    } catch (const errore_esecuzione&) {
        // A plan whose Integer element is no 16-bit whole number decodes but
        // cannot be packed: the decoder gives back what the file holds.
        esigi(static_cast<std::uint8_t>(dati[0]) % 3 == 0, "a packing failure outside the plan");
    }
}

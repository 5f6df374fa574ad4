#include "compila_strumento.h"

#include <exception>
#include <filesystem>
#include <memory>
#include <random>

#include "../sources/errore_esecuzione.h"
#include "../sources/file_disco.h"
#include "../sources/percorso.h"
#include "../track/errore.h"
#include "messaggi_stato.h"

namespace {

namespace fs = std::filesystem;

// A directory only this process uses, removed with everything in it.
struct cartella_privata {
    fs::path percorso;

    cartella_privata() {
        std::random_device caso;
        const fs::path base = fs::temp_directory_path();
        for (;;) {
            percorso = base / ("scenario-tool-" + std::to_string(caso()) + "-" + std::to_string(caso()));
            if (fs::create_directory(percorso)) break;
        }
        std::error_code ignora;
        fs::permissions(percorso, fs::perms::owner_all, fs::perm_options::replace, ignora);
    }
    ~cartella_privata() {
        std::error_code ignora;
        fs::remove_all(percorso, ignora);
    }
    cartella_privata(const cartella_privata&) = delete;
    cartella_privata& operator=(const cartella_privata&) = delete;
};

// Copies an input under the compiler's name; a missing input is left missing
// and the build reports it.
void copia_ingresso(const std::string& da, const std::string& a) {
    std::error_code e;
    if (!fs::is_regular_file(fs::path(da), e)) return;
    sostituisci_file(a, leggi_file(da));
}

std::string testo_esecuzione(const errore_esecuzione& e) {
    std::string t = e.operazione;
    if (!e.percorso.empty()) t += " \"" + e.percorso + "\"";
    return t + ": " + e.what();
}

void unisci(std::string& messaggio, const std::string& parte) {
    if (parte.empty()) return;
    if (!messaggio.empty()) messaggio += "; ";
    messaggio += parte;
}

const char* nessun_file = "no scenario file was written";

}  // namespace

void verifica_ingressi_protetti(const richiesta_compilazione& r, const nomi_scenario& nomi) {
    const std::string uscite[] = {nome_file_planimetria(nomi.linea), nome_file_scenario(nomi.linea, nomi.treno),
                                  nome_file_tracciato(nomi.linea, nomi.treno)};
    for (const std::string& nome : uscite) {
        const fs::path uscita(percorso_file(r.cartella_uscita, nome));
        for (const std::string& ingresso : {r.file_linea, r.file_treno}) {
            std::error_code e;
            if (fs::equivalent(uscita, fs::path(ingresso), e)) {
                throw errore_uso{"the output file \"" + uscita.string() + "\" is the input file \"" + ingresso + "\""};
            }
        }
    }
}

std::string testo_stato(std::int32_t stato, const esito_percorso& e, const richiesta_compilazione& r) {
    if (stato == 0) return "";
    std::string t = descrizione_stato(stato);
    const bool del_compilatore = !stato_della_finitura(stato) && stato == e.codice_compilazione;
    if (!del_compilatore) return t;
    const esito_compilazione& c = e.compilazione;
    if (c.file != sorgente::nessuna && c.riga > 0) {
        t += " (line " + std::to_string(c.riga) + ", column " + std::to_string(c.colonna) + " of " +
             (c.file == sorgente::linea ? r.file_linea : r.file_treno) + ")";
    }
    if (stato == 25 && !c.dettaglio.empty()) t += ": " + c.dettaglio;
    return t;
}

namespace {

// The build in a private directory, then the copies of its files into the
// output directory (their names appended to `file` as they are copied).
void compila_e_copia(const richiesta_compilazione& r, const nomi_scenario& nomi, modello_scenario& m,
                     esito_percorso& esito, std::vector<std::string>& file) {
    std::error_code e;
    if (!fs::is_directory(fs::path(r.cartella_uscita), e)) {
        throw errore_esecuzione("open output directory", r.cartella_uscita, 0, "not an existing directory");
    }
    cartella_privata privata;
    const std::string lavoro = privata.percorso.string();
    copia_ingresso(r.file_linea, percorso_file(lavoro, nome_file_linea(nomi.linea)));
    copia_ingresso(r.file_treno, percorso_file(lavoro, nome_file_treno(nomi.linea, nomi.treno)));
    std::int32_t j = r.senza_planimetria ? 0 : 1;
    memorizza_percorso(m, j, lavoro, esito);
    for (const std::string& nome : esito.file_scritti) {
        sostituisci_file(percorso_file(r.cartella_uscita, nome), leggi_file(percorso_file(lavoro, nome)));
        file.push_back(nome);
    }
}

void fatale_segnalato(const errore_segnalato& e, risultato_compilazione& ris) {
    const bool codici = e.codice == "1251";
    ris.fatale = codici ? esito_fatale::errore_1251 : esito_fatale::errore_1250;
    ris.testo_fatale = "the build ended with the message \"" + e.messaggio + "\" (" +
                       (codici ? "a check-code slot, valore4 of entry 85 or valore2 of cell 1,"
                               : "a format-stamp slot, par1 of entry 85 or valore1 of cell 1,") +
                       " already held a value); " + nessun_file;
}

void fatale_esecuzione(const errore_esecuzione& e, risultato_compilazione& ris) {
    if (e.operazione == operazione_senza_tracciato) {
        ris.fatale = esito_fatale::senza_tracciato;
        ris.testo_fatale = std::string(e.what()) + "; " + nessun_file;
    } else {
        ris.fatale = esito_fatale::io;
        ris.testo_fatale = testo_esecuzione(e);
    }
}

}  // namespace

risultato_compilazione compila_scenario(const richiesta_compilazione& r, const nomi_scenario& nomi) {
    risultato_compilazione ris;
    auto m = std::make_unique<modello_scenario>();
    m->nome_linea = nomi.linea;
    m->numero_treno = nomi.treno;
    esito_percorso esito;
    try {
        compila_e_copia(r, nomi, *m, esito, ris.file);
    } catch (const errore_segnalato& e) {
        fatale_segnalato(e, ris);
    } catch (const errore_esecuzione& e) {
        fatale_esecuzione(e, ris);
    } catch (const std::exception& e) {
        ris.fatale = esito_fatale::io;
        ris.testo_fatale = e.what();
    }
    ris.stato = m->codice_errore;
    ris.posizione = m->posizione_errore;
    ris.testo_stato = testo_stato(ris.stato, esito, r);
    unisci(ris.messaggio, ris.testo_stato);
    unisci(ris.messaggio, ris.testo_fatale);
    if (ris.messaggio.empty()) ris.messaggio = descrizione_stato(0);
    return ris;
}

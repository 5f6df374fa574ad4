#include "tools/compila_strumento.h"

#include <exception>
#include <memory>

#include "compiler/stati.h"
#include "platform/cartella_disco.h"
#include "sources/errore_esecuzione.h"
#include "sources/nomi_file.h"
#include "track/errore.h"
#include "track/memorizza_percorso.h"
#include "tools/diagnostiche.h"
#include "platform/blocco_cartella.h"
#include "tools/pubblica.h"
#include "tools/sorgenti_autore.h"

namespace {

void unisci(std::string& messaggio, const std::string& parte) {
    if (parte.empty()) return;
    if (!messaggio.empty()) messaggio += "; ";
    messaggio += parte;
}

const char* nessun_file = "no scenario file was written";

void fatale_segnalato(const errore_segnalato& e, costruzione_in_memoria& c) {
    const bool codici = e.codice == "1251";
    c.fatale = codici ? esito_fatale::errore_1251 : esito_fatale::errore_1250;
    c.testo_fatale = "the build ended with the message \"" + e.messaggio + "\" (" +
                     (codici ? "a check-code slot, valore4 of entry 85 or valore2 of cell 1,"
                             : "a format-stamp slot, par1 of entry 85 or valore1 of cell 1,") +
                     " already held a value); " + nessun_file;
}

void fatale_esecuzione(const errore_esecuzione& e, esito_fatale& fatale, std::string& testo) {
    if (e.operazione == operazione_senza_tracciato) {
        fatale = esito_fatale::senza_tracciato;
        testo = std::string(e.what()) + "; " + nessun_file;
    } else {
        fatale = esito_fatale::io;
        testo = testo_esecuzione(e);
    }
}

// The entry of the raised-status list that set the final pair: the last one
// with the final code.
const stato_sollevato* ultimo_con(const modello_scenario& m, std::int32_t codice) {
    for (auto i = m.stati_sollevati.rbegin(); i != m.stati_sollevati.rend(); ++i) {
        if (i->codice == codice) return &*i;
    }
    return nullptr;
}

}  // namespace

std::string testo_esecuzione(const errore_esecuzione& e) {
    std::string t = e.operazione;
    if (!e.percorso.empty()) t += " \"" + e.percorso + "\"";
    return t + ": " + e.what();
}

std::vector<std::string> nomi_uscite(const nomi_scenario& nomi) {
    return {nome_file_planimetria(nomi.linea), nome_file_scenario(nomi.linea, nomi.treno),
            nome_file_tracciato(nomi.linea, nomi.treno)};
}

void verifica_ingressi_protetti(const richiesta_compilazione& r, const nomi_scenario& nomi) {
    const std::vector<std::string> uscite = nomi_uscite(nomi);
    try {
        verifica_nomi_distinti(uscite);
    } catch (const errore_uso& e) {
        throw errore_uso{e.messaggio + " (the line plan and the track): give another train number"};
    }
    const cartella uscita{r.cartella_uscita, {}, {}, {}, {}, {}, {}, {}};
    for (const std::string& nome : uscite) {
        const std::string percorso = percorso_in(uscita, nome);
        for (const std::string& ingresso : {r.file_linea, r.file_treno}) {
            if (piattaforma::stesso_file(percorso, ingresso)) {
                throw errore_uso{"the output file \"" + percorso + "\" is the input file \"" + ingresso + "\""};
            }
        }
    }
}

std::string testo_stato(const modello_scenario& m, const richiesta_compilazione& r) {
    if (m.codice_errore == 0) return "";
    std::string t = testo_stato(m.codice_errore);
    const stato_sollevato* s = ultimo_con(m, m.codice_errore);
    if (s == nullptr) return t;
    const luogo& l = s->campo;
    const std::string& percorso = l.file == sorgente::linea ? r.file_linea : r.file_treno;
    if (noto(l)) {
        t += " (line " + std::to_string(l.riga) + ", column " + std::to_string(l.colonna) + " of " + percorso + ")";
    } else if (l.file != sorgente::nessuna) {
        // A source that could not be opened: the build's own words name its
        // copy in memory, not the author's file.
        t += " (" + percorso + ")";
        if (!s->dettaglio.empty()) t += ": no such file";
        return t;
    }
    if (!s->dettaglio.empty()) t += ": " + s->dettaglio;
    return t;
}

namespace {

// The two texts under the names the compiler expects (an absent text stands
// for a missing file), and the model named for the build.
std::map<std::string, std::string> sorgenti_di(costruzione_in_memoria& c, const nomi_scenario& modello,
                                               const std::string* testo_linea, const std::string* testo_treno) {
    c.modello.nome_linea = modello.linea;
    c.modello.numero_treno = modello.treno;
    std::map<std::string, std::string> file;
    if (testo_linea != nullptr) file[nome_file_linea(modello.linea)] = *testo_linea;
    if (testo_treno != nullptr) file[nome_file_treno(modello.linea, modello.treno)] = *testo_treno;
    return file;
}

// The track build in `dir`; its numbered message, a missing track or a
// failing write become the fatal outcome.
void costruisci(costruzione_in_memoria& c, const cartella& dir, bool con_planimetria) {
    try {
        memorizza_percorso(c.modello, con_planimetria, dir);
    } catch (const errore_segnalato& e) {
        fatale_segnalato(e, c);
    } catch (const errore_esecuzione& e) {
        fatale_esecuzione(e, c.fatale, c.testo_fatale);
    }
}

// A compile's build: the text sources in memory, and each output written by
// the build straight into its temporary file of the publication, under the
// name the file gets (a long plan is packed a piece at a time into it and
// never held whole).
void costruisci_e_scrivi(costruzione_in_memoria& c, const nomi_scenario& nomi, const std::string* testo_linea,
                         const std::string* testo_treno, bool con_planimetria, pubblicazione& p) {
    const nomi_scenario modello = nomi_nel_modello(nomi);
    std::map<std::string, std::string> file = sorgenti_di(c, modello, testo_linea, testo_treno);
    const std::vector<std::string> nel_modello = nomi_uscite(modello);
    const std::vector<std::string> uscite = nomi_uscite(nomi);
    cartella dir = cartella_in_memoria(file);
    dir.sostituisci = [&](const std::string& nome, const contenuto_file& contenuto) {
        for (std::size_t i = 0; i < nel_modello.size(); ++i) {
            if (nel_modello[i] == nome) return scrivi_temporaneo(p, uscite[i], contenuto);
        }
        throw errore_esecuzione("replace", nome, 0, "not one of the outputs of a compile");
    };
    costruisci(c, dir, con_planimetria);
}

}  // namespace

void costruisci_in_memoria(costruzione_in_memoria& c, const nomi_scenario& nomi, const std::string* testo_linea,
                           const std::string* testo_treno, bool con_planimetria) {
    const nomi_scenario modello = nomi_nel_modello(nomi);
    std::map<std::string, std::string> file = sorgenti_di(c, modello, testo_linea, testo_treno);
    costruisci(c, cartella_in_memoria(file), con_planimetria);
    // The outputs under the names the files get; what the compiler left of
    // the text sources is not an output.
    const std::vector<std::string> nel_modello = nomi_uscite(modello);
    const std::vector<std::string> uscite = nomi_uscite(nomi);
    for (std::size_t i = 0; i < uscite.size(); ++i) {
        auto f = file.find(nel_modello[i]);
        if (f != file.end()) c.file[uscite[i]] = std::move(f->second);
    }
}

namespace {

// The output directory's lock, when no one else holds it.
std::unique_ptr<piattaforma::blocco_cartella> blocca_se_libera(const std::string& percorso) {
    try {
        return std::make_unique<piattaforma::blocco_cartella>(
            piattaforma::blocca_cartella(percorso.empty() ? std::string(".") : percorso));
    } catch (const errore_esecuzione&) {
        return nullptr;
    }
}

}  // namespace

risultato_compilazione compila_in(const richiesta_compilazione& r, const nomi_scenario& nomi, const cartella& uscita) {
    risultato_compilazione ris;
    auto c = std::make_unique<costruzione_in_memoria>();
    std::optional<std::string> linea, treno;
    fatale_costruzione fine;
    try {
        if (uscita.genere(".") != genere_file::cartella) {
            throw errore_esecuzione("open output directory", r.cartella_uscita, 0, "not an existing directory");
        }
        linea = leggi_sorgente_autore(r.file_linea, sorgente::linea);
        treno = leggi_sorgente_autore(r.file_treno, sorgente::treno);
        // Held until the outputs are in place: the temporary files that killed
        // runs left are then provably stale (sources/pubblica.h). A directory
        // that a builder or another compile holds is written without it.
        const std::unique_ptr<piattaforma::blocco_cartella> blocco = blocca_se_libera(r.cartella_uscita);
        if (blocco) rimuovi_temporanei_scaduti(uscita, nomi_uscite(nomi));
        pubblicazione p(uscita, nomi_uscite(nomi));
        costruisci_e_scrivi(*c, nomi, linea ? &*linea : nullptr, treno ? &*treno : nullptr, !r.senza_planimetria, p);
        ris.fatale = c->fatale;
        ris.testo_fatale = c->testo_fatale;
        if (c->fatale == esito_fatale::nessuno) {
            esito_pubblicazione e = conferma(p);
            ris.file = std::move(e.pubblicati);
            if (e.errore) fatale_esecuzione(*e.errore, ris.fatale, ris.testo_fatale);
        }
    } catch (const errore_esecuzione& e) {
        fatale_esecuzione(e, ris.fatale, ris.testo_fatale);
        fine.illeggibile = e.dove.file;
        fine.perche = e.what();
    } catch (const errore_uso& e) {
        ris.fatale = esito_fatale::io;
        ris.testo_fatale = e.messaggio;
    } catch (const std::exception& e) {
        ris.fatale = esito_fatale::io;
        ris.testo_fatale = e.what();
    }
    completa_risultato(ris, c->modello, r, linea, treno, fine);
    return ris;
}

void completa_risultato(risultato_compilazione& ris, const modello_scenario& m, const richiesta_compilazione& r,
                        const std::optional<std::string>& linea, const std::optional<std::string>& treno,
                        fatale_costruzione& fine) {
    ris.stato = m.codice_errore;
    ris.posizione = m.posizione_errore;
    ris.testo_stato = testo_stato(m, r);
    ris.stati_sollevati = m.stati_sollevati;
    unisci(ris.messaggio, ris.testo_stato);
    unisci(ris.messaggio, ris.testo_fatale);
    if (ris.messaggio.empty()) ris.messaggio = testo_stato(0);
    fine.esito = ris.fatale;
    fine.testo = ris.testo_fatale;
    const sorgenti_autore s{r.file_linea, r.file_treno, linea ? &*linea : nullptr, treno ? &*treno : nullptr};
    ris.diagnostiche = diagnostiche_costruzione(m, s, fine);
}

risultato_compilazione compila_scenario(const richiesta_compilazione& r, const nomi_scenario& nomi) {
    return compila_in(r, nomi, piattaforma::cartella_su_disco(r.cartella_uscita));
}

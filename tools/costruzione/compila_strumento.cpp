#include "tools/costruzione/compila_strumento.h"

#include <memory>

#include "compiler/stati.h"
#include "platform/blocco_cartella.h"
#include "platform/cartella_disco.h"
#include "sources/errore_esecuzione.h"
#include "sources/nomi_file.h"
#include "tools/diagnostiche/parole_guasti.h"
#include "tools/comune/pubblica.h"
#include "tools/costruzione/rapporto.h"
#include "tools/diagnostiche/stampa_diagnostiche.h"

namespace {

void unisci(std::string& messaggio, const std::string& parte) {
    if (parte.empty()) return;
    if (!messaggio.empty()) messaggio += "; ";
    messaggio += parte;
}

// The entry of the raised-status list that set the final pair: the last one
// with the final code.
const stato_sollevato* ultimo_con(const modello_scenario& m, std::int32_t codice) {
    for (auto i = m.stati_sollevati.rbegin(); i != m.stati_sollevati.rend(); ++i) {
        if (i->codice == codice) return &*i;
    }
    return nullptr;
}

// The output directory's lock, when no one else holds it.
std::unique_ptr<piattaforma::blocco_cartella> blocca_se_libera(const std::string& percorso) {
    try {
        return std::make_unique<piattaforma::blocco_cartella>(
            piattaforma::blocca_cartella(percorso.empty() ? std::string(".") : percorso));
    } catch (const errore_esecuzione&) {
        return nullptr;
    }
}

// A compile's publication into `uscita`: before the sources are read, a
// directory must stand there, or nothing that `crea` can make one of; once
// the build is over, the outputs are refused on any error (a status, an
// error-severity diagnostic as the warnings chosen make them) unless the
// builder's files are asked for. Accepted, the directory is made when it
// was missing, the lock is taken when free (the temporary files that killed
// runs left are then provably stale, sources/pubblica.h, and removed; a
// directory that a builder or another compile holds is written without it),
// and each output goes straight into its temporary file (a long plan is
// packed a piece at a time into it and never held whole).
struct pubblicazione_compilazione {
    bool da_creare = false;
    std::unique_ptr<piattaforma::blocco_cartella> blocco;
    std::unique_ptr<pubblicazione> p;
};

pubblicazione_uscite pubblica_in(pubblicazione_compilazione& stato, const richiesta_compilazione& r,
                                 const std::vector<std::string>& uscite, const cartella& uscita,
                                 const std::function<void()>& crea) {
    pubblicazione_uscite u;
    u.prima_di_leggere = [&stato, &r, &uscita, &crea] {
        const genere_file g = uscita.genere(".");
        stato.da_creare = g == genere_file::assente && crea;
        if (g != genere_file::cartella && !stato.da_creare) {
            throw errore_esecuzione("open output directory", r.cartella_uscita, 0, "not an existing directory");
        }
    };
    u.accetta = [&r](const modello_scenario& m, const std::vector<diagnostica>& d) {
        return r.come_builder || (m.codice_errore == 0 && !con_errori(diagnostiche_scelte(d, r.avvisi)));
    };
    u.prima_di_scrivere = [&stato, &r, &uscite, &uscita, &crea] {
        if (stato.da_creare) crea();
        stato.blocco = blocca_se_libera(r.cartella_uscita);
        if (stato.blocco) rimuovi_temporanei_scaduti(uscita, uscite);
        stato.p = std::make_unique<pubblicazione>(uscita, uscite);
    };
    u.scrivi = [&stato](const std::string& nome, const contenuto_file& contenuto) {
        scrivi_temporaneo(*stato.p, nome, contenuto);
    };
    u.conferma = [&stato] { return conferma(*stato.p); };
    return u;
}

richiesta_costruzione richiesta_di(const richiesta_compilazione& r, const nomi_scenario& nomi) {
    return {r.file_linea, r.file_treno, nomi, !r.senza_planimetria, true};
}

}  // namespace

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
    for (const std::string& nome : uscite) {
        const std::string percorso = percorso_in(r.cartella_uscita, nome);
        for (const std::string& ingresso : {r.file_linea, r.file_treno}) {
            if (piattaforma::stesso_file(percorso, ingresso)) {
                throw errore_uso{"the output file \"" + percorso + "\" is the input file \"" + ingresso + "\""};
            }
        }
    }
}

std::string testo_stato(const modello_scenario& m, const richiesta_compilazione& r) {
    if (m.codice_errore == 0) return "";
    const stato_sollevato* s = ultimo_con(m, m.codice_errore);
    if (s == nullptr) return testo_stato(m.codice_errore);
    // A runtime failure is told by its own kind below, not by the list of
    // what such a failure can be.
    const bool guasto = s->guasto && m.codice_errore == numero(stato::guasto_esecuzione);
    std::string t = guasto ? "runtime failure" : testo_stato(m.codice_errore);
    const luogo& l = s->campo;
    const std::string& percorso = l.file == sorgente::linea ? r.file_linea : r.file_treno;
    if (noto(l)) {
        t += " (line " + std::to_string(l.riga) + ", column " + std::to_string(l.colonna) + " of " + percorso + ")";
    } else if (l.file != sorgente::nessuna) {
        // A source that could not be opened: the build's own words name its
        // copy in memory, not the author's file.
        t += " (" + percorso + ")";
        if (s->guasto) t += ": no such file";
        return t;
    }
    if (s->guasto) t += ": " + parole_guasto(*s->guasto);
    return t;
}

void costruisci_in_memoria(costruzione_in_memoria& c, const nomi_scenario& nomi, const std::string* testo_linea,
                           const std::string* testo_treno, bool con_planimetria) {
    const fatale_costruzione f =
        costruisci_testi(c.modello, nomi, testo_linea, testo_treno,
                         con_planimetria ? modo_planimetria::scritta : modo_planimetria::nessuna,
                         [&c](const std::string& nome, const contenuto_file& contenuto) {
                             c.file[nome] = in_un_testo(contenuto);
                         });
    c.fatale = f.esito;
    c.testo_fatale = f.testo;
}

risultato_compilazione risultato_di(risultato_costruzione& c, const richiesta_compilazione& r) {
    risultato_compilazione ris;
    const modello_scenario& m = *c.modello;
    ris.stato = m.codice_errore;
    ris.posizione = m.posizione_errore;
    ris.fatale = c.fatale.esito;
    ris.testo_fatale = c.fatale.testo;
    ris.testo_stato = testo_stato(m, r);
    ris.file = std::move(c.pubblicati);
    ris.trattenuti = c.trattenuti;
    ris.stati_sollevati = m.stati_sollevati;
    unisci(ris.messaggio, ris.testo_stato);
    unisci(ris.messaggio, ris.testo_fatale);
    if (ris.messaggio.empty()) ris.messaggio = testo_stato(0);
    ris.diagnostiche = std::move(c.diagnostiche);
    return ris;
}

risultato_compilazione compila_in(const richiesta_compilazione& r, const nomi_scenario& nomi, const cartella& uscita,
                                  const std::function<void()>& crea) {
    const std::vector<std::string> uscite = nomi_uscite(nomi);
    pubblicazione_compilazione stato;
    const pubblicazione_uscite pubblica = pubblica_in(stato, r, uscite, uscita, crea);
    risultato_costruzione c = costruisci_autore(richiesta_di(r, nomi), &pubblica);
    return risultato_di(c, r);
}

risultato_compilazione compila_scenario(const richiesta_compilazione& r, const nomi_scenario& nomi) {
    return compila_in(r, nomi, piattaforma::cartella_su_disco(r.cartella_uscita),
                      [&r] { piattaforma::crea_cartelle(r.cartella_uscita); });
}

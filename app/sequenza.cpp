#include "app/sequenza.h"

#include <vector>

#include "sources/nomi_file.h"
#include "sources/pubblica.h"
#include "sources/scrittori_testo.h"
#include "track/memorizza_percorso.h"

namespace {

std::vector<std::string> nomi_testi(const modello_scenario& m) {
    return {nome_file_linea(m.nome_linea),
            nome_file_treno(m.nome_linea, m.numero_treno),
            nome_file_note(m.nome_linea, m.numero_treno),
            nome_file_rallentamenti(m.nome_linea, m.numero_treno),
            nome_file_scheda(m.nome_linea, m.numero_treno)};
}

std::vector<std::string> nomi_binari(const modello_scenario& m) {
    return {nome_file_planimetria(m.nome_linea), nome_file_scenario(m.nome_linea, m.numero_treno),
            nome_file_tracciato(m.nome_linea, m.numero_treno)};
}

// The directory as the writers see it: every file they replace goes to its
// temporary file of the publication instead; everything else passes through.
cartella verso_pubblicazione(const cartella& dir, pubblicazione& p) {
    cartella via = dir;
    via.sostituisci = [&p](const std::string& nome, const contenuto_file& contenuto) {
        scrivi_temporaneo(p, nome, contenuto);
    };
    return via;
}

void conferma_o_fallisci(pubblicazione& p) {
    const esito_pubblicazione e = conferma(p);
    if (e.errore) throw *e.errore;
}

// The text sources are gone after any outcome: a failure that ends the run
// removes those still standing (a failure to remove them is not reported
// over the one that ended the run).
void elimina_sorgenti_rimaste(const modello_scenario& m, const cartella& dir) {
    for (const std::string& nome : {nome_file_linea(m.nome_linea), nome_file_treno(m.nome_linea, m.numero_treno)}) {
        try {
            elimina_se_esiste(dir, nome);
        } catch (...) {
        }
    }
}

void costruisci(modello_scenario& m, const cartella& dir) {
    {
        pubblicazione testi(dir, nomi_testi(m));
        scrivi_sorgenti_e_documenti(m, verso_pubblicazione(dir, testi));
        conferma_o_fallisci(testi);
    }
    pubblicazione binari(dir, nomi_binari(m));
    memorizza_percorso(m, true, verso_pubblicazione(dir, binari));
    conferma_o_fallisci(binari);
}

}  // namespace

void imposta_identita(modello_scenario& m) {
    m.nome_linea = nome_linea_scenario;
    m.numero_treno = numero_treno_scenario;
}

void scrivi_sorgenti_e_documenti(const modello_scenario& m, const cartella& dir) {
    dati_linea(dir, m.nome_linea);
    dati_treno(dir, m.nome_linea, m.numero_treno);
    dati_note(dir, m.nome_linea, m.numero_treno);
    dati_rallentamenti(dir, m.nome_linea, m.numero_treno);
    dati_scheda(dir, m.nome_linea, m.numero_treno);
}

void esegui_costruzione(modello_scenario& m, const cartella& dir) {
    std::vector<std::string> uscite = nomi_testi(m);
    for (std::string& nome : nomi_binari(m)) uscite.push_back(std::move(nome));
    verifica_uscite(dir, uscite);
    rimuovi_temporanei_scaduti(dir, uscite);
    try {
        costruisci(m, dir);
    } catch (...) {
        elimina_sorgenti_rimaste(m, dir);
        throw;
    }
}

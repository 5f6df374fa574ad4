#include "app/sequenza.h"

#include "sources/scrittori_testo.h"
#include "track/memorizza_percorso.h"

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
    scrivi_sorgenti_e_documenti(m, dir);
    memorizza_percorso(m, true, dir);
}

#include "sequenza.h"

#include "../sources/scrittori_testo.h"
#include "../track/memorizza_percorso.h"

void imposta_identita(modello_scenario& m) {
    m.nome_linea = nome_linea_scenario;
    m.numero_treno = numero_treno_scenario;
}

void scrivi_sorgenti_e_documenti(const modello_scenario& m, const std::string& cartella) {
    dati_linea(cartella, m.nome_linea);
    dati_treno(cartella, m.nome_linea, m.numero_treno);
    dati_note(cartella, m.nome_linea, m.numero_treno);
    dati_rallentamenti(cartella, m.nome_linea, m.numero_treno);
    dati_scheda(cartella, m.nome_linea, m.numero_treno);
}

void esegui_costruzione(modello_scenario& m, const std::string& cartella) {
    scrivi_sorgenti_e_documenti(m, cartella);
    std::int32_t j = 1;
    memorizza_percorso(m, j, cartella);
}

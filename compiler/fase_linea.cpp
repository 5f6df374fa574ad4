// The line phase of memorizza_dati: finds the line file, reads its general
// section and its body into the model, then closes and deletes it and carries
// the gradients and the plan on to the end of the track.
#include <string>

#include "../sources/file_disco.h"
#include "conversioni.h"
#include "linea.h"
#include "parole_chiave.h"

namespace {

// Passes over everything up to the first field that holds "[generale]". A
// file whose only such field is its last one has none (102).
bool trova_generale(modello_scenario& m, stato_compilazione& s) {
    do {
        leggi_campo(m, s);
        if (a_fine(s.lettore)) {
            termina_con(m, s, 102);
            return false;
        }
    } while (!contiene_in_ogni_caso(m.campo, "[generale]"));
    return true;
}

void prepara_corpo(modello_scenario& m, stato_compilazione& s) {
    m.numero_montagne = 0;
    s.prossima_voce_cartello = voce::primo_cartello;
    s.cursore_pendenza = 0;
    s.cursore_planimetria = 2;
    if (m.scrivi_linea != 0) semina_planimetria(m);
}

// Closes the file, then carries the last gradient on to the third cell from
// the end (the last three cells keep 0) and the plan on straight to its
// third point from the end.
void chiudi_linea(modello_scenario& m, stato_compilazione& s) {
    chiudi_ed_elimina(s);
    do {
        scrivi_pendenza(m, s);
    } while (s.cursore_pendenza < m.numero_celle - 2);
    if (m.scrivi_linea != 0) completa_planimetria(m, s);
}

}  // namespace


void dimensiona_tracciato(modello_scenario& m) {
    if (m.numero_celle < 0) {
        fallisci("track", "a track of " + std::to_string(m.lunghezza_totale) + " m has no cells");
    }
    m.tracciato.assign(static_cast<std::size_t>(m.numero_celle) + 1, cella{});
}

bool fase_linea(modello_scenario& m, stato_compilazione& s) {
    voce_tabella(m, voce::dati_linea).nome = m.nome_linea;
    voce_tabella(m, voce::dati_treno).nome = m.numero_treno;
    if (!esiste_file(s.percorso_linea)) {
        m.codice_errore = 101;
        return false;
    }
    apri_sorgente(s, sorgente::linea);
    if (!trova_generale(m, s)) return false;

    bool lunghezza_letta = false;
    if (sezione_generale(m, s, lunghezza_letta) == esito_record::termina) return false;
    if (!lunghezza_letta) fallisci("line file", "no length record");
    progressive_ordina(m);

    prepara_corpo(m, s);
    if (corpo_linea(m, s) == esito_record::termina) return false;
    chiudi_linea(m, s);
    return true;
}

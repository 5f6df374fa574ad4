// The line phase of memorizza_dati: finds the line file, reads its general
// section and its body into the model, then closes and deletes it and carries
// the gradients and the plan on to the end of the track.
#include <string>

#include "compiler/conversioni.h"
#include "compiler/esame_testo.h"
#include "compiler/linea.h"
#include "compiler/parole_chiave.h"

namespace {

// Passes over everything up to the first field that holds "[generale]". A
// file whose only such field is its last one has none (102).
bool trova_generale(modello_scenario& m, stato_compilazione& s) {
    do {
        leggi_campo(s);
        nota_prima_del_generale(s);
        nota_record_prima_del_generale(s, regole_generale());
        nota_record_prima_del_generale(s, regole_corpo_linea());
        if (a_fine(s.lettore)) {
            s.record = record_letto{};
            s.record.dove = {sorgente::linea, 0, 0};
            termina(m, s, stato::generale_mancante, std::nullopt, colpa_chiave);
            return false;
        }
    } while (!contiene_in_ogni_caso(s.campo, "[generale]"));
    avvisa_record_prima_del_generale(m, s, s.lettore.campo.riga);
    return true;
}


void prepara_corpo(modello_scenario& m, stato_compilazione& s) {
    m.numero_montagne = 0;
    s.prossima_voce_cartello = voce::primo_cartello;
    s.cursore_pendenza = 0;
    s.cursore_planimetria = 2;
    if (m.scrivi_linea) semina_planimetria(m);
}

// Closes the file, then carries the last gradient on to the third cell from
// the end (the last three cells keep 0) and the plan on straight to its
// third point from the end.
void chiudi_linea(modello_scenario& m, stato_compilazione& s) {
    chiudi_ed_elimina(s);
    do {
        scrivi_pendenza(m, s);
    } while (s.cursore_pendenza < m.numero_celle - 2);
    if (m.scrivi_linea) completa_planimetria(m, s);
}

}  // namespace

void realizza_dimensioni(modello_scenario& m, stato_compilazione& s) {
    if (s.celle_richieste) {
        m.tracciato.assign(static_cast<std::size_t>(*s.celle_richieste) + 1, cella{});
        m.origine_celle.assign(m.tracciato.size(), luogo{});
        m.origine_avvisi.assign(m.tracciato.size(), luogo{});
        s.celle_richieste.reset();
    }
    if (s.metri_richiesti) {
        planimetria_linea& p = m.planimetria;
        p.ultimo_metro = *s.metri_richiesti;
        if (p.memorizza_punti) {
            const std::size_t elementi = 2 * (static_cast<std::size_t>(*s.metri_richiesti) + 1);
            p.tipi.assign(elementi, tipo_valore::vuoto);
            p.valori.assign(elementi, 0.0);
        }
        s.metri_richiesti.reset();
    }
}

bool fase_linea(modello_scenario& m, stato_compilazione& s) {
    voce_tabella(m, voce::dati_linea).nome = m.nome_linea;
    voce_tabella(m, voce::dati_treno).nome = m.numero_treno;
    if (!esiste_file(s.dir, s.file_linea)) {
        s.record.dove = {sorgente::linea, 0, 0};
        solleva(m, s, stato::linea_mancante, std::nullopt, colpa_chiave);
        return false;
    }
    apri_sorgente(s, sorgente::linea);
    esamina_testo(m, sorgente::linea, s.lettore.testo);
    s.oss.parte = parte_sorgente::prima_del_generale;
    if (!trova_generale(m, s)) return false;

    s.oss.parte = parte_sorgente::generale;
    const esito_record generale = sezione_generale(m, s);
    realizza_dimensioni(m, s);
    if (generale == esito_record::termina) return false;
    // A line file without a length record has no track to go on with.
    if (!s.lunghezza_letta) fallisci("line file", "no length record (\"lunghezza percorso\") in the general section",
                                       {}, {genere_guasto::senza_lunghezza, {}, 0, ""});
    progressive_ordina(m, s.luoghi_progressive);
    for (std::size_t i = 0; i < s.luoghi_progressive.size(); ++i) {
        m.origine_voci[static_cast<std::size_t>(voce::progressiva_maggiore) + i] = s.luoghi_progressive[i];
    }

    prepara_corpo(m, s);
    s.oss.parte = parte_sorgente::corpo;
    if (corpo_linea(m, s) == esito_record::termina) return false;
    chiudi_linea(m, s);
    return true;
}

// The train phase of memorizza_dati: reads the train description file into
// the model (general data, speed limits, adhesion, clock, sand, signals,
// slowdowns, abbattimento points, stations), deletes it, fills the speed limit
// and adhesion of the remaining cells and checks the kilometric progressives.
#include <string>

#include "compiler/conversioni.h"
#include "compiler/esame_testo.h"
#include "compiler/parole_chiave.h"
#include "compiler/record.h"
#include "compiler/stazioni.h"

namespace {

// A speed in km/h as a cell holds it: its fifth, rounded; a fifth outside
// 0 to 255 is a runtime failure, blamed on the speed value of the record
// that set it.
std::uint8_t velocita_in_cella(std::int32_t velocita, const luogo& dove) {
    const double quinto = arrotonda(static_cast<double>(velocita) / 5.0);
    if (!(quinto >= 0 && quinto <= 255)) {
        fallisci("speed limit", "speed " + std::to_string(velocita) +
                                    " km/h does not fit a cell, which holds its fifth in one byte (0 to 1277 km/h)",
                 dove, {genere_guasto::velocita_fuori, {velocita, 0}, 0, ""});
    }
    return static_cast<std::uint8_t>(quinto);
}

void scrivi_velocita(modello_scenario& m, stato_compilazione& s) {
    cella_tracciato(m, s.cursore_velocita).vel_limite = velocita_in_cella(s.velocita_corrente, s.luogo_velocita);
    ++s.cursore_velocita;
}

void scrivi_aderenza(modello_scenario& m, stato_compilazione& s) {
    cella_tracciato(m, s.cursore_aderenza).aderenza = bassi_8(s.aderenza_corrente);
    ++s.cursore_aderenza;
}

bool posizione_accettata(modello_scenario& m, stato_compilazione& s, std::int32_t posizione) {
    return prova_posizione(m, s, posizione, margine_record);
}

// percentuale massa frenata, percentuale
esito_record massa_frenata(modello_scenario& m, stato_compilazione& s) {
    voce_tabella(m, voce::dati_generali).valore1 = valore_long(s);
    return esito_record::continua;
}

// numero vetture, vetture
esito_record vetture(modello_scenario& m, stato_compilazione& s) {
    voce_tabella(m, voce::dati_generali).valore3 = valore_long(s);
    return esito_record::continua;
}

// velocita, posizione, velocita
// From the position on, the cells take the new limit; the cells between the
// speed cursor and the position's cell take the limit in force until now.
esito_record velocita(modello_scenario& m, stato_compilazione& s) {
    const std::int32_t posizione = valore_long(s);
    const std::int32_t nuova = valore_long(s);
    if (!posizione_accettata(m, s, posizione)) return esito_record::ferma;
    controlla_prima_copertura(m, s, s.oss.velocita_letta, posizione, "speed-limit", "a speed limit");
    s.oss.velocita_letta = true;
    controlla_posizione(m, s, s.oss.ultima_velocita, posizione, false, "a speed limit");
    const std::int32_t c = cella_di(posizione);
    if (c > 0) {
        do {
            if (s.cursore_velocita >= m.numero_celle) break;
            scrivi_velocita(m, s);
        } while (s.cursore_velocita < c);
    }
    s.velocita_corrente = nuova;
    s.luogo_velocita = s.record.valori[1];
    return esito_record::continua;
}

// aderenza, posizione, valore
// Like the speed limit, but without a stop at the last cell: a cursor pushed
// beyond the track fails at its next write.
esito_record aderenza(modello_scenario& m, stato_compilazione& s) {
    const std::int32_t posizione = valore_long(s);
    const std::int32_t nuova = valore_long(s);
    if (!posizione_accettata(m, s, posizione)) return esito_record::ferma;
    controlla_prima_copertura(m, s, s.oss.aderenza_letta, posizione, "adhesion", "an adhesion");
    s.oss.aderenza_letta = true;
    controlla_posizione(m, s, s.oss.ultima_aderenza, posizione, false, "an adhesion value");
    controlla_8(m, s, 1, nuova, "adhesion");
    const std::int32_t c = cella_di(posizione);
    if (c > 0) {
        do {
            scrivi_aderenza(m, s);
        } while (s.cursore_aderenza < c);
    }
    s.aderenza_corrente = nuova;
    return esito_record::continua;
}

// orologio, ore minuti secondi
esito_record orologio(modello_scenario& m, stato_compilazione& s) {
    voce_scenario& treno = voce_tabella(m, voce::dati_treno);
    treno.par3 = valore_integer(s);
    treno.par4 = valore_integer(s);
    treno.par5 = valore_integer(s);
    return esito_record::continua;
}

// sabbia, sabbia
esito_record sabbia(modello_scenario& m, stato_compilazione& s) {
    voce_tabella(m, voce::dati_treno).par1 = valore_integer(s);
    return esito_record::continua;
}

// A status already set before this record was placed (one the line phase
// left) ends the method with this record's position.
esito_record dopo_il_piazzamento(modello_scenario& m, stato_compilazione& s, posa e, std::int32_t posizione) {
    if (e.codice != stato::nessuno) return termina(m, s, e.codice, posizione, colpa_posizione, e.cella);
    if (m.codice_errore <= 0) return esito_record::continua;
    termina(m, s, static_cast<stato>(m.codice_errore), posizione, colpa_posizione);
    m.stati_sollevati.back().ereditato = true;
    return esito_record::termina;
}

// segnale, posizione, sx, s1, s2, s3, rapp, dx, d1, d2, d3, tempo
esito_record segnale(modello_scenario& m, stato_compilazione& s) {
    record_segnale r;
    r.posizione = valore_long(s);
    r.sx = valore_long(s);
    r.s1 = valore_long(s);
    r.s2 = valore_long(s);
    r.s3 = valore_long(s);
    r.rapp = valore_long(s);
    r.dx = valore_long(s);
    r.d1 = valore_long(s);
    r.d2 = valore_long(s);
    r.d3 = valore_long(s);
    r.tempo = valore_long(s);
    if (!posizione_accettata(m, s, r.posizione)) return esito_record::ferma;
    controlla_lunghezza(m, s, r.posizione, "a signal");
    controlla_16(m, s, 2, static_cast<std::int64_t>(r.s1) * 10 + r.d1, "the signal's first value (s1 x 10 + d1)");
    controlla_16(m, s, 3, static_cast<std::int64_t>(r.s2) * 10 + r.d2, "the signal's second value (s2 x 10 + d2)");
    controlla_16(m, s, 4, static_cast<std::int64_t>(r.s3) * 10 + r.d3, "the signal's third value (s3 x 10 + d3)");
    controlla_16(m, s, 5, static_cast<std::int64_t>(r.rapp) * 10 + static_cast<std::int64_t>(r.sx) * 3 + r.dx,
                 "the signal's fourth value (rapp x 10 + sx x 3 + dx)");
    controlla_8(m, s, 1, (static_cast<std::int64_t>(r.sx) * 3 + r.dx) * 10 + 4, "the approach marker");
    if (r.sx == 2 && (r.tempo > 100 || r.tempo < 0)) controlla_8(m, s, 10, r.tempo, "the signal time");
    controlla_segnale(m, s, r);
    return dopo_il_piazzamento(m, s, memo_segnale(m, r, s.record.dove), r.posizione);
}

// rallentamento, x, v, l, f_tt, f_ta, d_v
esito_record rallentamento(modello_scenario& m, stato_compilazione& s) {
    record_rallentamento r;
    r.x = valore_long(s);
    r.v = valore_long(s);
    r.l = valore_long(s);
    r.f_tt = valore_long(s);
    r.f_ta = valore_long(s);
    r.d_v = valore_long(s);
    if (!posizione_accettata(m, s, r.x)) return esito_record::ferma;
    controlla_lunghezza(m, s, r.x, "a slowdown");
    controlla_16(m, s, 1, r.v, "the slowdown speed");
    controlla_16(m, s, 3, r.f_tt, "f_tt");
    controlla_16(m, s, 5, r.d_v, "d_v");
    controlla_estremi(m, s, 2, r.x, std::int64_t{r.x} + r.l, "the slowdown",
                      "its end cell lies before its start cell");
    return dopo_il_piazzamento(m, s, memo_rallentamento(m, r, s.record.dove), r.x);
}

// abbattimento, posizione, valore
// A board with the value (kind 12), or without one for a value of 0 or less
// (kind 13), in the position's own cell.
esito_record abbattimento(modello_scenario& m, stato_compilazione& s) {
    const std::int32_t posizione = valore_long(s);
    const std::int32_t valore = valore_long(s);
    if (!posizione_accettata(m, s, posizione)) return esito_record::ferma;
    controlla_lunghezza(m, s, posizione, "an abbattimento point");
    if (valore > 0) controlla_16(m, s, 1, valore, "the board value");
    const std::int32_t i = cella_di(posizione);
    if (!cella_libera(cella_tracciato(m, i))) {
        return termina(m, s, stato::abbattimento_occupato, posizione, colpa_posizione, i);
    }
    cella& c = cella_scritta(m, s.record.dove, i);
    if (valore > 0) {
        c.tipo = tipo_cella::tabella_con_valore;
        c.valore1 = bassi_16(valore);
    } else {
        c.tipo = tipo_cella::tabella_senza_valore;
    }
    return esito_record::continua;
}

// Every test ignores letter case; a field that holds two keywords reads two
// records, in this order.
constexpr regola_record regole[] = {
    {"frenata", "massa", true, massa_frenata, "percentuale massa frenata", 1, false, true},
    {"vetture", "", true, vetture, "numero vetture", 1, false, true},
    {"velocit", "", true, velocita, "velocita", 2},
    {"aderenza", "", true, aderenza, "aderenza", 2},
    {"orologio", "", true, orologio, "orologio", 3, false, true},
    {"sabbia", "", true, sabbia, "sabbia", 1, false, true},
    {"segnale", "", true, segnale, "segnale", 11},
    {"rallentamento", "", true, rallentamento, "rallentamento", 6},
    {"abbattimento", "", true, abbattimento, "abbattimento", 2},
    {"stazione", "", true, memo_stazione, "stazione", 16, true},
};

// Skips every field up to and including the first that holds "[generale]".
void cerca_generale(modello_scenario& m, stato_compilazione& s) {
    do {
        leggi_campo(s);
        if (a_fine(s.lettore)) {
            avvisa_record_prima_del_generale(m, s, 0);
            return;
        }
        nota_prima_del_generale(s);
        nota_record_prima_del_generale(s, regole);
    } while (!contiene_in_ogni_caso(s.campo, "[generale]"));
    s.oss.ignorati.pop_back();  // "[generale]" itself
    s.oss.generale_treno = true;
    avvisa_record_prima_del_generale(m, s, s.lettore.campo.riga);
}

// The closing fills give every cell from the cursors up to numero_celle - 3
// the last limit and adhesion; each writes at least one cell.
void riempimenti_finali(modello_scenario& m, stato_compilazione& s) {
    do {
        scrivi_velocita(m, s);
    } while (s.cursore_velocita < m.numero_celle - 2);
    do {
        scrivi_aderenza(m, s);
    } while (s.cursore_aderenza < m.numero_celle - 2);
}

// Each progressive's start and value must be multiples of 50. The status is
// blamed on the line file's record of the first that is not.
void controlla_progressive(modello_scenario& m, stato_compilazione& s) {
    for (int i = 0; i < 3; ++i) {
        const voce_scenario& v = voce_tabella(m, voce::progressiva_maggiore + i);
        if (v.valore1 % metri_cella == 0 && v.valore2 % metri_cella == 0) continue;
        s.record = record_letto{};
        s.record.dove = s.luoghi_progressive[static_cast<std::size_t>(i)];
        if (!noto(s.record.dove)) s.record.dove = {sorgente::linea, 0, 0};
        solleva(m, s, stato::progressiva_non_multipla, std::nullopt, colpa_chiave);
        m.stati_sollevati.back().fase = fase_stato::treno;
        m.stati_sollevati.back().voce = voce::progressiva_maggiore + i;
        return;
    }
}

}  // namespace

std::span<const regola_record> regole_treno() { return regole; }

void fase_treno(modello_scenario& m, stato_compilazione& s) {
    esamina_fine_sorgente(m, s);
    apri_sorgente(s, sorgente::treno);
    esamina_testo(m, sorgente::treno, s.lettore.testo);
    s.oss.parte = parte_sorgente::prima_del_generale;
    cerca_generale(m, s);
    s.oss.parte = parte_sorgente::treno;
    s.cursore_velocita = 0;
    s.cursore_aderenza = 0;
    s.contatore_stazioni = 1;
    bool fermata = false;
    while (leggi_chiave(s)) {
        const esito_record e = interpreta(regole, m, s);
        if (e == esito_record::termina) return;
        fermata = e == esito_record::ferma;
        if (fermata) break;
    }
    if (!fermata) controlla_campo_finale(m, s, regole);
    chiudi_ed_elimina(s);
    riempimenti_finali(m, s);
    if (!fermata && m.codice_errore == 0) controlla_copertura_finale(m, s);
    controlla_progressive(m, s);
}

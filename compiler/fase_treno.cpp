// The train phase of memorizza_dati: reads the train description file into
// the model (general data, speed limits, adhesion, clock, sand, signals,
// slowdowns, abbattimento points, stations), deletes it, fills the speed limit
// and adhesion of the remaining cells and checks the kilometric progressives.
#include <string>

#include "compilazione.h"
#include "conversioni.h"
#include "parole_chiave.h"

namespace {

// The cell of a metre position: the position divided by 50, rounded.
std::int32_t cella_di(std::int32_t posizione) { return arrotonda_long(static_cast<double>(posizione) / 50.0); }

// A speed in km/h as a cell holds it: its fifth, rounded; a fifth outside
// 0 to 255 is a runtime failure.
std::uint8_t velocita_in_cella(std::int32_t velocita) {
    return converti_arrotondato<std::uint8_t>(static_cast<double>(velocita) / 5.0);
}

void scrivi_velocita(modello_scenario& m, stato_compilazione& s) {
    cella_tracciato(m, s.cursore_velocita).vel_limite = velocita_in_cella(s.velocita_corrente);
    ++s.cursore_velocita;
}

void scrivi_aderenza(modello_scenario& m, stato_compilazione& s) {
    cella_tracciato(m, s.cursore_aderenza).aderenza = bassi_8(s.aderenza_corrente);
    ++s.cursore_aderenza;
}

esito_record leggi_massa_frenata(modello_scenario& m, stato_compilazione& s) {
    voce_tabella(m, voce::dati_generali).valore1 = leggi_long(s.lettore);
    return esito_record::continua;
}

esito_record leggi_vetture(modello_scenario& m, stato_compilazione& s) {
    voce_tabella(m, voce::dati_generali).valore3 = leggi_long(s.lettore);
    return esito_record::continua;
}

// From the position on, the cells take the new limit; the cells between the
// speed cursor and the position's cell take the limit in force until now.
esito_record leggi_velocita(modello_scenario& m, stato_compilazione& s) {
    const std::int32_t posizione = leggi_long(s.lettore);
    const std::int32_t velocita = leggi_long(s.lettore);
    if (!prova_posizione(m, posizione, 100)) return esito_record::ferma;
    const std::int32_t c = cella_di(posizione);
    if (c > 0) {
        do {
            if (s.cursore_velocita >= m.numero_celle) break;
            scrivi_velocita(m, s);
        } while (s.cursore_velocita < c);
    }
    s.velocita_corrente = velocita;
    return esito_record::continua;
}

// Like the speed limit, but without a stop at the last cell: a cursor pushed
// beyond the track fails at its next write.
esito_record leggi_aderenza(modello_scenario& m, stato_compilazione& s) {
    const std::int32_t posizione = leggi_long(s.lettore);
    const std::int32_t aderenza = leggi_long(s.lettore);
    if (!prova_posizione(m, posizione, 100)) return esito_record::ferma;
    const std::int32_t c = cella_di(posizione);
    if (c > 0) {
        do {
            scrivi_aderenza(m, s);
        } while (s.cursore_aderenza < c);
    }
    s.aderenza_corrente = aderenza;
    return esito_record::continua;
}

esito_record leggi_orologio(modello_scenario& m, stato_compilazione& s) {
    voce_scenario& treno = voce_tabella(m, voce::dati_treno);
    treno.par3 = leggi_integer(s.lettore);
    treno.par4 = leggi_integer(s.lettore);
    treno.par5 = leggi_integer(s.lettore);
    return esito_record::continua;
}

esito_record leggi_sabbia(modello_scenario& m, stato_compilazione& s) {
    voce_tabella(m, voce::dati_treno).par1 = leggi_integer(s.lettore);
    return esito_record::continua;
}

// A status already set (by the signal's placement, or left by the line phase)
// ends the method with this signal's position.
esito_record leggi_segnale(modello_scenario& m, stato_compilazione& s) {
    const std::int32_t posizione = leggi_long(s.lettore);
    std::int32_t sx = leggi_long(s.lettore);
    std::int32_t s1 = leggi_long(s.lettore);
    std::int32_t s2 = leggi_long(s.lettore);
    std::int32_t s3 = leggi_long(s.lettore);
    std::int32_t rapp = leggi_long(s.lettore);
    std::int32_t dx = leggi_long(s.lettore);
    std::int32_t d1 = leggi_long(s.lettore);
    std::int32_t d2 = leggi_long(s.lettore);
    std::int32_t d3 = leggi_long(s.lettore);
    std::int32_t tempo = leggi_long(s.lettore);
    if (!prova_posizione(m, posizione, 100)) return esito_record::ferma;
    memo_segnale(m, posizione, sx, s1, s2, s3, rapp, dx, d1, d2, d3, tempo);
    if (m.codice_errore > 0) return termina_con(m, s, m.codice_errore, posizione);
    return esito_record::continua;
}

esito_record leggi_rallentamento(modello_scenario& m, stato_compilazione& s) {
    const std::int32_t x = leggi_long(s.lettore);
    std::int32_t v = leggi_long(s.lettore);
    std::int32_t l = leggi_long(s.lettore);
    std::int32_t f_tt = leggi_long(s.lettore);
    const std::int32_t f_ta = leggi_long(s.lettore);
    std::int32_t d_v = leggi_long(s.lettore);
    if (!prova_posizione(m, x, 100)) return esito_record::ferma;
    memo_rallentamento(m, x, v, l, f_tt, f_ta, d_v);
    if (m.codice_errore > 0) return termina_con(m, s, m.codice_errore, x);
    return esito_record::continua;
}

// A board with the value (tipo 12), or without one for a value of 0 or less
// (tipo 13), in the position's own cell.
esito_record leggi_abbattimento(modello_scenario& m, stato_compilazione& s) {
    const std::int32_t posizione = leggi_long(s.lettore);
    const std::int32_t valore = leggi_long(s.lettore);
    if (!prova_posizione(m, posizione, 100)) return esito_record::ferma;
    cella& c = cella_tracciato(m, cella_di(posizione));
    if (!cella_libera(c)) return termina_con(m, s, 7, posizione);
    if (valore > 0) {
        c.tipo = tipo_cella::tabella_con_valore;
        c.valore1 = bassi_16(valore);
    } else {
        c.tipo = tipo_cella::tabella_senza_valore;
    }
    return esito_record::continua;
}

// Skips every field up to and including the first that holds "[generale]".
void cerca_generale(modello_scenario& m, stato_compilazione& s) {
    do {
        leggi_campo(m, s);
        if (a_fine(s.lettore)) return;
    } while (!contiene_in_ogni_caso(m.campo, "[generale]"));
}

// Reads the next keyword field, passing over up to two comment fields in a
// row. False when the file ends first: the last field is never interpreted.
bool leggi_parola_chiave(modello_scenario& m, stato_compilazione& s) {
    if (a_fine(s.lettore)) return false;
    leggi_campo(m, s);
    if (a_fine(s.lettore)) return false;
    for (int commenti = 0; commenti < 2; ++commenti) {
        if (!e_commento(m.campo)) break;
        leggi_campo(m, s);
        if (a_fine(s.lettore)) return false;
    }
    return true;
}

// Runs the handler of every keyword test that the field matches, in order.
esito_record interpreta(modello_scenario& m, stato_compilazione& s, const std::string& campo) {
    esito_record e = esito_record::continua;
    if (contiene_in_ogni_caso(campo, "frenata") && contiene_in_ogni_caso(campo, "massa")) e = leggi_massa_frenata(m, s);
    if (e == esito_record::continua && contiene_in_ogni_caso(campo, "vetture")) e = leggi_vetture(m, s);
    if (e == esito_record::continua && contiene_in_ogni_caso(campo, "velocit")) e = leggi_velocita(m, s);
    if (e == esito_record::continua && contiene_in_ogni_caso(campo, "aderenza")) e = leggi_aderenza(m, s);
    if (e == esito_record::continua && contiene_in_ogni_caso(campo, "orologio")) e = leggi_orologio(m, s);
    if (e == esito_record::continua && contiene_in_ogni_caso(campo, "sabbia")) e = leggi_sabbia(m, s);
    if (e == esito_record::continua && contiene_in_ogni_caso(campo, "segnale")) e = leggi_segnale(m, s);
    if (e == esito_record::continua && contiene_in_ogni_caso(campo, "rallentamento")) e = leggi_rallentamento(m, s);
    if (e == esito_record::continua && contiene_in_ogni_caso(campo, "abbattimento")) e = leggi_abbattimento(m, s);
    if (e == esito_record::continua && contiene_in_ogni_caso(campo, "stazione")) e = memo_stazione(m, s);
    return e;
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

// Each progressive's start and value must be multiples of 50.
void controlla_progressive(modello_scenario& m) {
    m.passo = 0;
    for (m.indice = voce::progressiva_maggiore; m.indice <= voce::progressiva_minore; ++m.indice) {
        const voce_scenario& v = voce_tabella(m, m.indice);
        if (v.valore1 % 50 != 0 || v.valore2 % 50 != 0) m.passo = 1;
    }
    if (m.passo > 0) m.codice_errore = 2;
}

}  // namespace

void fase_treno(modello_scenario& m, stato_compilazione& s) {
    apri_sorgente(s, sorgente::treno);
    cerca_generale(m, s);
    s.cursore_velocita = 0;
    s.cursore_aderenza = 0;
    s.contatore_stazioni = 1;
    while (leggi_parola_chiave(m, s)) {
        const esito_record e = interpreta(m, s, m.campo);
        if (e == esito_record::termina) return;
        if (e == esito_record::ferma) break;
    }
    chiudi_ed_elimina(s);
    riempimenti_finali(m, s);
    controlla_progressive(m);
}

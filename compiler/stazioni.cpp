// The station handler of the train phase: reads one station record into the
// scenario entry numbered by the station counter, places its approach markers
// and its station marker, and checks its spacing and the room in the table.
#include "compilazione.h"
#include "conversioni.h"

namespace {

using w64 = std::int64_t;

// The values after the length, in the record's order, then the time of day
// in seconds and the name.
void leggi_valori(stato_compilazione& s, voce_scenario& v) {
    lettore_campi& l = s.lettore;
    v.marca = leggi_byte(l);
    v.opz4 = leggi_byte(l);
    v.opz3 = leggi_byte(l);
    v.par1 = leggi_integer(l);
    v.par2 = leggi_integer(l);
    v.opz1 = leggi_byte(l);
    v.par3 = leggi_integer(l);
    v.par4 = leggi_integer(l);
    v.par5 = leggi_integer(l);
    v.opz2 = leggi_byte(l);
    const std::int32_t ore = leggi_long(l);
    const std::int32_t minuti = leggi_long(l);
    const std::int32_t secondi = leggi_long(l);
    const std::int32_t ore_minuti = long_controllato(long_controllato(w64{ore} * 60) + w64{minuti});
    v.valore4 = long_controllato(long_controllato(w64{ore_minuti} * 60) + w64{secondi});
    v.nome = leggi_testo(l);
}

// First and last metre of the station's extent, from its position and length.
void calcola_estensione(voce_scenario& v, std::int32_t lunghezza) {
    const std::int32_t p = v.valore3;
    if (v.tipo == 5 || v.tipo == 6) {
        v.valore1 = long_controllato(w64{p} - lunghezza);
        v.valore2 = long_controllato(w64{p} + 150);
        v.opz3 = 0;
    } else if (v.tipo == 7 || v.tipo == 8) {
        v.valore1 = long_controllato(w64{p} - lunghezza);
        v.valore2 = long_controllato(w64{p} + lunghezza);
        v.opz3 = 0;
    } else {
        v.valore1 = arrotonda_long(static_cast<double>(p) - static_cast<double>(lunghezza) / 2.0);
        v.valore2 = arrotonda_long(static_cast<double>(p) + static_cast<double>(lunghezza) / 2.0);
        if (v.opz3 != 0) v.valore2 = long_controllato(w64{v.valore2} + 50);
    }
}

// Markers 81 to 84 in the four cells before the station marker's cell,
// nearest first, whatever those cells hold; none at or before cell 1.
void marca_avvicinamento(modello_scenario& m, const voce_scenario& v) {
    for (m.passo = 1; m.passo <= 4; ++m.passo) {
        const double t = static_cast<double>(v.valore2) / 50.0 - m.passo - 1;
        if (t > 1) cella_tracciato(m, arrotonda_long(t)).avviso = bassi_8(80 + m.passo);
    }
}

}  // namespace

esito_record memo_stazione(modello_scenario& m, stato_compilazione& s) {
    const std::int32_t numero = s.contatore_stazioni;
    voce_scenario& v = voce_tabella(m, numero);
    v.valore3 = leggi_long(s.lettore);
    const std::int32_t posizione = v.valore3;
    if (!prova_posizione(m, posizione, 800)) return esito_record::ferma;
    if (posizione % 50 != 0) return termina_con(m, s, 8, posizione);

    v.tipo = leggi_byte(s.lettore);
    m.indice = leggi_long(s.lettore);
    const std::int32_t lunghezza = m.indice;
    if (lunghezza % 100 != 0) return termina_con(m, s, 9, posizione);

    leggi_valori(s, v);
    calcola_estensione(v, lunghezza);
    if (lunghezza < 600) v.opz4 = 0;
    if (numero == voce::prima_stazione) {
        v.opz3 = 0;
        v.opz4 = 0;
    }

    // Kinds from 25 up leave no mark on the track; kinds 5 and 6 get the
    // station marker without approach markers.
    if (v.tipo < 25 && v.tipo != 5 && v.tipo != 6) marca_avvicinamento(m, v);
    if (v.tipo < 25) {
        const double t = static_cast<double>(v.valore2) / 50.0 - 1;
        if (t <= 1) return termina_con(m, s, 24);
        cella& marca = cella_tracciato(m, arrotonda_long(t));
        marca.tipo = tipo_cella::marca_stazione;
        marca.valore1 = bassi_16(numero);
    }

    if (numero > voce::prima_stazione &&
        long_controllato(w64{v.valore1} - 350) < voce_tabella(m, w64{numero} - 1).valore2) {
        return termina_con(m, s, 22, posizione);
    }

    // Stations fill the table upward, sign texts downward: the next station
    // must not reach the lowest sign entry.
    ++s.contatore_stazioni;
    if (s.contatore_stazioni >= s.prossima_voce_cartello) return termina_con(m, s, 10);
    return esito_record::continua;
}

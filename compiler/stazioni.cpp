// The station handler of the train phase: reads one station record into the
// scenario entry numbered by the station counter, places its approach markers
// and its station marker, and checks its spacing and the room in the table.
#include "compiler/stazioni.h"

#include "compiler/conversioni.h"

namespace {

using w64 = std::int64_t;

constexpr int colpa_lunghezza = 2;

// The values after the length, in the record's order, then the time of day
// in seconds and the name.
void leggi_valori(stato_compilazione& s, voce_scenario& v) {
    v.marca = valore_byte(s);
    v.opz4 = valore_byte(s);
    v.opz3 = valore_byte(s);
    v.par1 = valore_integer(s);
    v.par2 = valore_integer(s);
    v.opz1 = valore_byte(s);
    v.par3 = valore_integer(s);
    v.par4 = valore_integer(s);
    v.par5 = valore_integer(s);
    v.opz2 = valore_byte(s);
    const std::int32_t ore = valore_long(s);
    const std::int32_t minuti = valore_long(s);
    const std::int32_t secondi = valore_long(s);
    const std::int32_t ore_minuti = long_controllato(long_controllato(w64{ore} * 60) + w64{minuti});
    v.valore4 = long_controllato(long_controllato(w64{ore_minuti} * 60) + w64{secondi});
    v.nome = valore_testo(s);
}

// First and last metre of the station's extent, from its position and length.
void calcola_estensione(voce_scenario& v, std::int32_t lunghezza) {
    const std::int32_t p = v.valore3;
    if (estesa_avanti(v.tipo)) {
        v.valore1 = long_controllato(w64{p} - lunghezza);
        v.valore2 = long_controllato(w64{p} + oltre_estesa_avanti);
        v.opz3 = 0;
    } else if (simmetrica(v.tipo)) {
        v.valore1 = long_controllato(w64{p} - lunghezza);
        v.valore2 = long_controllato(w64{p} + lunghezza);
        v.opz3 = 0;
    } else {
        v.valore1 = arrotonda_long(static_cast<double>(p) - static_cast<double>(lunghezza) / 2.0);
        v.valore2 = arrotonda_long(static_cast<double>(p) + static_cast<double>(lunghezza) / 2.0);
        if (v.opz3 != 0) v.valore2 = long_controllato(w64{v.valore2} + allungamento_stazione);
    }
}

// Markers 81 to 84 in the four cells before the station marker's cell,
// nearest first, whatever those cells hold; none at or before cell 1.
void marca_avvicinamento(modello_scenario& m, const voce_scenario& v, const luogo& origine) {
    for (std::int32_t n = 1; n <= 4; ++n) {
        const double t = cella_reale(v.valore2) - n - 1;
        if (t > 1) scrivi_avvicinamento(m, origine, arrotonda_long(t), bassi_8(80 + n));
    }
}

}  // namespace

namespace {

// The station's entry, on the status just raised.
esito_record con_voce(modello_scenario& m, esito_record e, std::int32_t numero) {
    m.stati_sollevati.back().voce = numero;
    return e;
}

}  // namespace

esito_record memo_stazione(modello_scenario& m, stato_compilazione& s) {
    const std::int32_t numero = s.contatore_stazioni;
    voce_scenario& v = voce_tabella(m, numero);
    v.valore3 = valore_long(s);
    const std::int32_t posizione = v.valore3;
    if (!prova_posizione(m, s, posizione, margine_stazione)) return esito_record::ferma;
    if (posizione % metri_cella != 0) return termina(m, s, stato::stazione_non_multipla, posizione, colpa_posizione);

    v.tipo = valore_byte(s);
    const std::int32_t lunghezza = valore_long(s);
    if (lunghezza % 100 != 0) {
        return termina(m, s, stato::lunghezza_stazione_non_multipla, posizione, colpa_lunghezza);
    }

    leggi_valori(s, v);
    controlla_nome(m, s, 16, "the station name");
    controlla_posizione(m, s, s.oss.ultima_stazione, posizione, false, "a station");
    m.origine_voci[static_cast<std::size_t>(numero)] = s.record.dove;
    calcola_estensione(v, lunghezza);
    controlla_estremi(m, s, colpa_lunghezza, v.valore1, v.valore2, "the station's extent",
                      "the length is negative, and the station's marks fall before its position");
    if (lunghezza < lunghezza_con_opz4) v.opz4 = 0;
    if (numero == voce::prima_stazione) {
        v.opz3 = 0;
        v.opz4 = 0;
    }

    // Kinds from 25 up leave no mark on the track; kinds 5 and 6 get the
    // station marker without approach markers.
    const bool con_marche = v.tipo < tipo_stazione::senza_marche;
    if (con_marche && !estesa_avanti(v.tipo)) marca_avvicinamento(m, v, s.record.dove);
    if (con_marche) {
        const double t = cella_reale(v.valore2, -1);
        if (t <= 1) {
            return con_voce(m, termina(m, s, stato::marca_stazione_iniziale, std::nullopt, colpa_posizione), numero);
        }
        nota_sovrascrittura(m, s.record.dove, arrotonda_long(t));
        cella& marca = cella_scritta(m, s.record.dove, arrotonda_long(t));
        marca.tipo = tipo_cella::marca_stazione;
        marca.valore1 = bassi_16(numero);
    }

    if (numero > voce::prima_stazione &&
        long_controllato(w64{v.valore1} - distanza_stazioni) < voce_tabella(m, w64{numero} - 1).valore2) {
        return con_voce(m, termina(m, s, stato::stazioni_vicine, posizione, colpa_posizione), numero);
    }

    // Stations fill the table upward, sign texts downward: the next station
    // must not reach the lowest sign entry.
    ++s.contatore_stazioni;
    if (s.contatore_stazioni >= s.prossima_voce_cartello) {
        return con_voce(m, termina(m, s, stato::troppe_stazioni, std::nullopt, colpa_chiave), numero);
    }
    return esito_record::continua;
}

// The body of the line file: gradients, curves, mountains, speed indicators
// and indication signs, each tested by its position against the track.
#include <algorithm>
#include <array>
#include <limits>
#include <string>

#include "compiler/conversioni.h"
#include "compiler/linea.h"
#include "compiler/parole_chiave.h"
#include "compiler/record.h"

namespace {

bool posizione_accettata(modello_scenario& m, stato_compilazione& s, std::int32_t posizione) {
    return prova_posizione(m, s, posizione, margine_record);
}

// pendenza, posizione, pendenza
// From the cell of its position on, a gradient holds until the next one; the
// cells before it get the last gradient.
esito_record pendenza(modello_scenario& m, stato_compilazione& s) {
    const std::int32_t posizione = valore_long(s);
    const std::int32_t valore = valore_long(s);
    if (!posizione_accettata(m, s, posizione)) return esito_record::ferma;
    controlla_posizione(m, s, s.oss.ultima_pendenza, posizione, false, "a gradient");
    const std::int64_t in_cella = static_cast<std::int64_t>(valore) + 100;
    if (in_cella < 0 || in_cella > 255) {
        avvisa_record(m, s, avviso::valore_troncato, 1,
                      "gradient " + std::to_string(valore) + " is kept in one byte as " +
                          std::to_string(in_cella & 0xFF) + " and reads back as gradient " +
                          std::to_string((in_cella & 0xFF) - 100) + " (gradients run from -100 to 155)");
    }
    const std::int32_t v = cella_di(posizione);
    if (v > 0) {
        do {
            scrivi_pendenza(m, s);
        } while (s.cursore_pendenza < v);
    }
    s.ultima_pendenza = valore;
    return esito_record::continua;
}

// The first grade digit the keyword holds, and its curvature per metre;
// false when it holds none.
bool curvatura_di(const std::string& chiave, int& grado, double& curvatura) {
    static constexpr std::array<double, 6> curvature{0.0001, 0.0002, 0.0004, 0.001, 0.002, 0.003};
    static constexpr std::array<const char*, 6> cifre{"1", "2", "3", "4", "5", "6"};
    for (std::size_t g = 0; g < cifre.size(); ++g) {
        if (contiene(chiave, cifre[g])) {
            grado = static_cast<int>(g) + 1;
            curvatura = curvature[g];
            return true;
        }
    }
    return false;
}

// curva[sd][1-6], inizio, lunghezza
// Read only while the plan is built; otherwise its values are passed over as
// fields of their own.
esito_record curva(modello_scenario& m, stato_compilazione& s) {
    if (!m.scrivi_linea) return esito_record::continua;
    const std::int32_t inizio = valore_long(s);
    const std::int32_t lunghezza = valore_long(s);
    if (!posizione_accettata(m, s, inizio)) return esito_record::ferma;
    int grado = 0;
    double k = 0;
    if (!curvatura_di(s.record.chiave, grado, k)) {
        return termina(m, s, stato::curva_non_valida, std::nullopt, colpa_chiave);
    }
    const bool sinistra = contiene_in_ogni_caso(s.record.chiave, "s");
    if (sinistra) k = -k;  // a left-hand curve
    controlla_parola_curva(m, s, lunghezza);
    if (s.oss.ultima_curva && inizio < *s.oss.ultima_curva) {
        avvisa_record(m, s, avviso::fuori_ordine, colpa_posizione,
                      "the curve starts at " + std::to_string(inizio) + " m, before the previous curve ends (" +
                          std::to_string(*s.oss.ultima_curva) + " m): it bends from there on");
    }
    s.oss.ultima_curva = static_cast<std::int32_t>(std::min<std::int64_t>(
        static_cast<std::int64_t>(inizio) + lunghezza, std::numeric_limits<std::int32_t>::max()));
    controlla_lunghezza(m, s, inizio, "a curve");
    const std::int32_t prima = s.cursore_planimetria;
    const esito_record e = curva_planimetria(m, s, inizio, lunghezza, k);
    // The points it bent: after the straight ones up to its start.
    const std::int64_t primo = std::max<std::int64_t>(prima, static_cast<std::int64_t>(inizio) + 1);
    m.curve_lette.push_back({s.record.dove, s.record.chiave, inizio, lunghezza, grado, sinistra,
                             static_cast<std::int32_t>(std::min<std::int64_t>(primo, s.cursore_planimetria)),
                             s.cursore_planimetria - 1});
    return e;
}

// montagna, inizio, fine, tipo
esito_record montagna(modello_scenario& m, stato_compilazione& s) {
    record_montagna r;
    r.inizio = valore_long(s);
    r.fine = valore_long(s);
    r.tipo = valore_long(s);
    if (!posizione_accettata(m, s, r.inizio)) return esito_record::ferma;
    controlla_lunghezza(m, s, r.inizio, "a mountain");
    controlla_8(m, s, 2, r.tipo > 10 ? static_cast<std::int64_t>(r.tipo) - 10 : r.tipo, "the mountain kind");
    controlla_estremi(m, s, 1, r.inizio, r.fine, "the mountain span", "it covers no cell of the track");
    memo_montagna(m, r, s.record.dove);
    return esito_record::continua;
}

// indicatori_v, posizione, vas, vbs, vcs, strisces, vad, vbd, vcd, strisced
esito_record indicatori(modello_scenario& m, stato_compilazione& s) {
    record_indicatori r;
    r.posizione = valore_long(s);
    r.vas = valore_long(s);
    r.vbs = valore_long(s);
    r.vcs = valore_long(s);
    r.strisces = valore_long(s);
    r.vad = valore_long(s);
    r.vbd = valore_long(s);
    r.vcd = valore_long(s);
    r.strisced = valore_long(s);
    if (!posizione_accettata(m, s, r.posizione)) return esito_record::ferma;
    controlla_lunghezza(m, s, r.posizione, "a speed indicator");
    controlla_16(m, s, 4, static_cast<std::int64_t>(r.strisces) * 10 + r.strisced, "the stripes value");
    const posa e = memo_indicatori_v_max(m, r, s.record.dove);
    if (e.codice != stato::nessuno) return termina(m, s, e.codice, r.posizione, colpa_posizione, e.cella);
    return esito_record::continua;
}

// cartello_indicatore, posizione, testo
// A sign stands in the cell after its position's own cell; its text goes
// into the next free entry counting down from 80.
esito_record cartello(modello_scenario& m, stato_compilazione& s) {
    const std::int32_t posizione = valore_long(s);
    const std::string testo = valore_testo(s);
    controlla_nome(m, s, 1, "the sign text");
    if (!posizione_accettata(m, s, posizione)) return esito_record::ferma;
    controlla_lunghezza(m, s, posizione, "a sign");
    const std::int32_t c = cella_di(posizione, 1);
    if (!cella_libera(cella_tracciato(m, c))) {
        return termina(m, s, stato::cartello_occupato, posizione, colpa_posizione, c);
    }
    cella& segno = cella_scritta(m, s.record.dove, c);
    segno.tipo = tipo_cella::cartello;
    segno.valore1 = bassi_16(s.prossima_voce_cartello);
    voce_tabella(m, s.prossima_voce_cartello).nome = testo;
    m.origine_voci[static_cast<std::size_t>(s.prossima_voce_cartello)] = s.record.dove;
    --s.prossima_voce_cartello;
    return esito_record::continua;
}

constexpr regola_record regole[] = {
    {"pendenza", "", true, pendenza, "pendenza", 2},
    {"curva", "", true, curva, "curvad|curvas", 2},
    {"montagna", "", true, montagna, "montagna", 3},
    {"indicatori_v", "", true, indicatori, "indicatori_v", 9},
    {"cartello", "indicat", true, cartello, "cartello_indicatore", 1, true},
};

}  // namespace

std::span<const regola_record> regole_corpo_linea() { return regole; }

void scrivi_pendenza(modello_scenario& m, stato_compilazione& s) {
    cella_tracciato(m, s.cursore_pendenza).pendenza =
        bassi_8(long_controllato(static_cast<std::int64_t>(s.ultima_pendenza) + 100));
    ++s.cursore_pendenza;
}

esito_record corpo_linea(modello_scenario& m, stato_compilazione& s) {
    while (leggi_chiave(s)) {
        const esito_record e = interpreta(regole, m, s);
        if (e != esito_record::continua) return e;
    }
    controlla_campo_finale(m, s, regole);
    return esito_record::continua;
}

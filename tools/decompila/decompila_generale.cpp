#include "tools/decompila/decompila_generale.h"

#include <algorithm>

#include "tools/decompila/decompila_voci.h"

namespace {

using terna = std::array<record_progressiva, 3>;  // entries 81, 82, 83

bool uguali(const record_progressiva& a, const record_progressiva& b) {
    return a.inizio == b.inizio && a.valore == b.valore && a.flag == b.flag;
}

std::int32_t somma_32(std::int32_t a, std::int32_t b) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}

record_progressiva di_voce(const voce_scenario& v) { return {v.valore1, v.valore2, v.valore3}; }

// The records "uno", "due", "tre" whose ordering gives the three entries: each
// entry's value without the 100 its flag added, tried in every arrangement,
// the smallest start as "uno" first.
void progressive(const quadro_scenario& q, sorgente_linea& l, note_decompilazione& n) {
    terna finali;
    terna lette;
    for (int i = 0; i < 3; ++i) {
        finali[static_cast<std::size_t>(i)] = di_voce(q.scenario[static_cast<std::size_t>(voce::progressiva_maggiore + i)]);
        record_progressiva p = finali[static_cast<std::size_t>(i)];
        if (p.flag == 1) p.valore = somma_32(p.valore, -100);
        lette[static_cast<std::size_t>(i)] = p;
    }
    // Arrangements of entries 81, 82, 83 as the records tre, due, uno.
    std::array<int, 3> quale{0, 1, 2};
    do {
        const record_progressiva& tre = lette[static_cast<std::size_t>(quale[0])];
        const record_progressiva& due = lette[static_cast<std::size_t>(quale[1])];
        const record_progressiva& uno = lette[static_cast<std::size_t>(quale[2])];
        const terna t = progressive_ordinate(tre, due, uno);
        if (uguali(t[0], finali[0]) && uguali(t[1], finali[1]) && uguali(t[2], finali[2])) {
            l.progressive = {uno, due, tre};
            return;
        }
    } while (std::next_permutation(quale.begin(), quale.end()));
    l.progressive = {lette[2], lette[1], lette[0]};
    annota(n, parte_scenario::scenario, voce::progressiva_maggiore,
           "the three progressives of entries 81 to 83 are not in the order the build gives them (largest start "
           "first, or the value order when the starts add up to 0)");
}

// A multiple of 50 near `x`.
std::int32_t multiplo_50(std::int32_t x) { return x / metri_cella * metri_cella; }

void ripetizione(const quadro_scenario& q, sorgente_linea& l, note_decompilazione& n) {
    const voce_scenario& v = q.scenario[voce::dati_treno];
    l.inizio_ripetizione = v.valore1;
    l.fine_ripetizione = v.valore2;
    // A value that is not a multiple of 50 would stop the build in the
    // general section: the nearest multiple is written instead.
    if (v.valore1 % metri_cella != 0) {
        l.inizio_ripetizione = multiplo_50(v.valore1);
        annota(n, parte_scenario::scenario, voce::dati_treno,
               "the repetition starts at " + std::to_string(v.valore1) + " m (valore1), not a multiple of 50 m");
    }
    if (v.valore2 % metri_cella != 0) {
        l.fine_ripetizione = multiplo_50(v.valore2);
        annota(n, parte_scenario::scenario, voce::dati_treno,
               "the repetition ends at " + std::to_string(v.valore2) + " m (valore2), not a multiple of 50 m");
    }
    l.codici_ripetizione = v.valore3 == 9 ? 9 : 4;
    const bool senza = v.valore2 == 0;
    if (senza ? v.valore3 != 0 : v.valore3 != 4 && v.valore3 != 9) {
        annota(n, parte_scenario::scenario, voce::dati_treno,
               "the repetition has " + std::to_string(v.valore3) + " codes (valore3) with its end at " +
                   std::to_string(v.valore2) + " m; the build writes 4 or 9, and 0 when the end is 0");
    }
}

void controlla_voci_fisse(const quadro_scenario& q, note_decompilazione& n) {
    using c = campo_voce;
    campi_non_scritti(q.scenario[0], 0, {}, false, "entry 0", n);
    for (int i = voce::progressiva_maggiore; i <= voce::progressiva_minore; ++i) {
        campi_non_scritti(q.scenario[static_cast<std::size_t>(i)], i, {c::valore1, c::valore2, c::valore3}, false,
                          "a progressive", n);
    }
    campi_non_scritti(q.scenario[voce::dati_generali], voce::dati_generali, {c::valore1, c::valore2, c::valore3},
                      false, "the general data", n);
    // The stamp and the check code were taken out already; the name is the line's.
    campi_non_scritti(q.scenario[voce::dati_linea], voce::dati_linea, {c::valore1, c::valore2, c::valore3}, true,
                      "the line data", n);
    campi_non_scritti(q.scenario[voce::dati_treno], voce::dati_treno,
                      {c::valore1, c::valore2, c::valore3, c::par1, c::par3, c::par4, c::par5}, true,
                      "the train data", n);
}

}  // namespace

std::array<record_progressiva, 3> progressive_ordinate(const record_progressiva& t, const record_progressiva& d,
                                                    const record_progressiva& u) {
    terna r{};
    if (somma_32(somma_32(t.inizio, d.inizio), u.inizio) != 0) {
        if (t.inizio > d.inizio && t.inizio > u.inizio) {
            r = d.inizio > u.inizio ? terna{t, d, u} : terna{t, u, d};
        } else if (d.inizio > t.inizio && d.inizio > u.inizio) {
            r = t.inizio > u.inizio ? terna{d, t, u} : terna{d, u, t};
        } else if (u.inizio > t.inizio && u.inizio > d.inizio) {
            r = t.inizio > d.inizio ? terna{u, t, d} : terna{u, d, t};
        }
    } else {
        if (t.valore >= 1) r = terna{t, d, u};
        if (d.valore > 0) r = terna{d, t, u};
        if (u.valore > 0) r = terna{u, d, t};
    }
    for (record_progressiva& p : r) {
        if (p.flag == 1) p.valore = somma_32(p.valore, 100);
    }
    return r;
}

void recupera_generale(const quadro_scenario& q, sorgenti_recuperate& s, note_decompilazione& n) {
    const voce_scenario& generale = q.scenario[voce::dati_generali];
    const voce_scenario& linea = q.scenario[voce::dati_linea];
    const voce_scenario& treno = q.scenario[voce::dati_treno];
    s.linea.lunghezza = generale.valore2;
    progressive(q, s.linea, n);
    s.linea.sfondi = {linea.valore1, linea.valore3, linea.valore2};
    ripetizione(q, s.linea, n);
    s.treno.massa_frenata = generale.valore1;
    s.treno.vetture = generale.valore3;
    s.treno.sabbia = treno.par1;
    s.treno.orologio = {treno.par3, treno.par4, treno.par5};
    controlla_voci_fisse(q, n);
}

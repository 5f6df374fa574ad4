// Records that write over each other's cells. A station marker takes its cell
// whatever the cell holds, and writes only the cell's kind and valore1; the
// approach markers of signals and stations take their cells' markers whatever
// they hold. So a slowdown or a signal read before a station may lie under
// its marker, and where the approach markers of a signal and of a station
// fall into one cell, the one read last shows. And a slowdown may start
// inside another one's span: the walk of the finishing pass from each start
// stops at the first end after it.
#include <algorithm>

#include "tests/generatore/contesto.h"

namespace {

using w64 = std::int64_t;

std::int32_t i32(w64 x) { return static_cast<std::int32_t>(x); }

// The cells of a slowdown but the one under the marker in cell m.
std::vector<richiesta_cella> senza(std::vector<richiesta_cella> celle, std::int64_t m) {
    std::erase_if(celle, [m](const richiesta_cella& r) { return r.cella == m; });
    return celle;
}

// Where a record read before station k stands: before station 0 to k.
std::size_t prima_della_stazione(sorgente_casuale& c, std::size_t k) {
    return static_cast<std::size_t>(intero(c, 0, static_cast<w64>(k)));
}

// A slowdown one of whose cells is the marker's cell m: its start (whose
// cells before and inside the slowdown the finishing pass then leaves
// alone), its end (a slowdown of 110 km/h or more, whose walk the finishing
// pass does not make), its warning board, or one of its lead-in cells.
bool rallentamento_sotto(contesto_generazione& g, std::int32_t m, std::size_t k, sorgente_treno& t) {
    sorgente_casuale& c = g.caso;
    record_rallentamento r;
    r.l = i32(multiplo(c, 100, 1500, 50));
    valori_rallentamento(c, r);
    std::vector<richiesta_cella> celle;
    switch (intero(c, 0, 3)) {
        case 0:
            r.x = (m - 1) * 50;
            celle.push_back({cella_dopo(w64{r.x} + r.l), 2});
            if (r.x > 1500) {
                celle.push_back({cella_dopo(w64{r.x} - 1200), 4});
                for (int i = 0; i < 4 && r.f_ta != 0; ++i) celle.push_back({cella_di(w64{r.x} - 1200) - i, 5});
            }
            break;
        case 1:
            r.v = i32(multiplo(c, 110, 200, 10));
            r.x = (m - 1) * 50 - r.l;
            celle = senza(celle_rallentamento(r), m);
            break;
        case 2:
            r.x = (m - 1) * 50 + 1200;
            celle = senza(celle_rallentamento(r), m);
            break;
        default:
            r.f_ta = 1;
            r.x = i32((m + intero(c, 0, 3)) * 50 + 1200);
            celle = senza(celle_rallentamento(r), m);
            break;
    }
    if (r.x < 50 || w64{r.x} + r.l > g.limite || celle.empty() || !prendi_rallentamento(g, celle, m)) return false;
    r.stazioni_prima = prima_della_stazione(c, k);
    t.rallentamenti.push_back(r);
    return true;
}

// A signal under the marker's cell m; it keeps a fourth value or a time
// there, which tell it from a slowdown's cells.
bool segnale_sotto(contesto_generazione& g, std::int32_t m, std::size_t k, sorgente_treno& t) {
    const std::int32_t p = (m - 1) * 50;
    if (p < 325 || p > g.limite) return false;
    record_segnale s = segnale_casuale(g.caso, p, g.casi_limite);
    if (s.rapp == 0 && s.sx * 3 + s.dx == 0) s.sx = 2;
    s.stazioni_prima = prima_della_stazione(g.caso, k);
    t.segnali.push_back(s);
    return true;
}

// A signal a few cells before the marker: its approach markers and the
// station's fall into the same cells; it is read anywhere among the stations.
bool segnale_vicino(contesto_generazione& g, std::int32_t m, sorgente_treno& t) {
    sorgente_casuale& c = g.caso;
    const std::int32_t s = i32(m - intero(c, 1, 9));
    const std::int32_t p = (s - 1) * 50;
    if (p < 325 || p > g.limite || !prendi(g.celle, {{s, 1}, {s - 1, atteso::tabella}, {s - 2, atteso::tabella}})) {
        return false;
    }
    record_segnale x = segnale_casuale(c, p, g.casi_limite);
    x.stazioni_prima = static_cast<std::size_t>(intero(c, 0, static_cast<w64>(t.stazioni.size())));
    if (x.stazioni_prima == t.stazioni.size()) x.stazioni_prima = nella_sezione_segnali;
    t.segnali.push_back(x);
    return true;
}

// Two slowdowns, the second starting inside the first's span: ending inside
// it too (nested, as the outer slowdown's end then belongs to no walk of the
// finishing pass), or after it (crossing). The walk of the finishing pass
// from the slow one's start stops at the first end after it.
bool rallentamenti_annidati(contesto_generazione& g, sorgente_treno& t) {
    sorgente_casuale& c = g.caso;
    record_rallentamento a;
    record_rallentamento b;
    a.l = i32(posizione_casuale(c, 600, 3000));
    a.x = probabile(c, 1, 8) ? posizione_casuale(c, 50, 1500) : posizione_casuale(c, 1550, w64{g.limite} - a.l);
    b.x = posizione_casuale(c, w64{a.x} + 100, w64{a.x} + a.l - 100);
    const w64 fine_a = w64{a.x} + a.l;
    b.l = probabile(c, 2, 3) ? i32(posizione_casuale(c, 100, fine_a - 100 - b.x))
                             : i32(posizione_casuale(c, fine_a + 100 - b.x, fine_a + 1500 - b.x));
    valori_rallentamento(c, a);
    valori_rallentamento(c, b);
    // At most one of them slow: the walks of two slow ones would stop at the
    // same end, and each would put a board before the first signal after it,
    // where a signal keeps two cells only.
    if (a.v < 110 && b.v < 110) b.v = i32(multiplo(c, 110, 200, 10));
    const std::int32_t sa = cella_dopo(a.x);
    const std::int32_t sb = cella_dopo(b.x);
    const std::int32_t ea = cella_dopo(fine_a);
    const std::int32_t eb = cella_dopo(w64{b.x} + b.l);
    if (w64{b.x} + b.l > g.limite || fine_a > g.limite || sb <= sa || std::min(ea, eb) <= sb || ea == eb) return false;
    std::vector<richiesta_cella> celle = celle_rallentamento(a, std::min(ea, eb));
    for (const richiesta_cella& r : celle_rallentamento(b, std::min(ea, eb))) celle.push_back(r);
    if (!prendi_rallentamento(g, celle)) return false;
    t.rallentamenti.push_back(a);
    t.rallentamenti.push_back(b);
    return true;
}

template <typename T>
void mescola(sorgente_casuale& c, std::vector<T>& v) {
    for (std::size_t i = v.size(); i > 1; --i) std::swap(v[i - 1], v[static_cast<std::size_t>(intero(c, 0, static_cast<w64>(i) - 1))]);
}

}  // namespace

void genera_sovrapposizioni(contesto_generazione& g, sorgente_treno& t) {
    sorgente_casuale& c = g.caso;
    for (std::size_t k = 0; k < t.stazioni.size(); ++k) {
        const std::int32_t m = cella_marca(t.stazioni[k]);
        if (m < 0) continue;
        for (int prova = 0; prova < 4; ++prova) {
            const w64 modo = intero(c, 0, 5);
            const bool fatto = modo < 3    ? rallentamento_sotto(g, m, k, t)
                               : modo == 3 ? segnale_sotto(g, m, k, t)
                                           : segnale_vicino(g, m, t);
            if (fatto) break;
        }
    }
    for (w64 i = intero(c, 0, 2); i > 0; --i) {
        for (int prova = 0; prova < tentativi_posto; ++prova) {
            if (rallentamenti_annidati(g, t)) break;
        }
    }
}

void mescola_ordine(contesto_generazione& g, sorgente_treno& t) {
    sorgente_casuale& c = g.caso;
    mescola(c, t.rallentamenti);
    mescola(c, t.abbattimenti);
    for (record_segnale& s : t.segnali) {
        if (s.stazioni_prima == nella_sezione_segnali && probabile(c, 1, 4)) {
            s.stazioni_prima = static_cast<std::size_t>(intero(c, 0, static_cast<w64>(t.stazioni.size())));
        }
    }
}

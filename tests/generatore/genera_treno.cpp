// The train description: general data, stations, slowdowns, signals,
// abbattimento points, speed limits and adhesion.
#include <algorithm>
#include <array>
#include <string>

#include "tests/generatore/contesto.h"

namespace {

using w64 = std::int64_t;

std::int32_t i32(w64 x) { return static_cast<std::int32_t>(x); }

// ---- Stations ----

// A name in capitals: an optional first word, a root of two to four
// syllables, an optional last word.
std::string nome_stazione(sorgente_casuale& c) {
    static constexpr std::array<const char*, 8> prime{"SAN ", "BORGO ", "PONTE ", "VILLA ", "CASTEL ", "", "", ""};
    static constexpr std::array<const char*, 24> sillabe{"TA", "VA", "RO", "VE", "MI", "LA", "NO", "PO",
                                                         "GIO", "TOR", "BOR", "GO", "CA", "SA", "LE", "MA",
                                                         "RI", "NA", "TE", "ZO", "BI", "FI", "DO", "SCA"};
    static constexpr std::array<const char*, 10> ultime{" CENTRALE", " TERME", " SCALO", " ALTA", " BASSA",
                                                        " AEROPORTO", "", "", "", ""};
    std::string nome = uno_di(c, std::span<const char* const>(prime));
    const std::int64_t n = intero(c, 2, 4);
    for (std::int64_t i = 0; i < n; ++i) nome += uno_di(c, std::span<const char* const>(sillabe));
    return nome + uno_di(c, std::span<const char* const>(ultime));
}

// First and last metre of a station's extent, as the compiler computes them.
struct estensione {
    w64 prima;
    w64 ultima;
};

estensione estensione_di(const record_stazione& s) {
    const w64 p = s.posizione;
    const w64 l = s.lunghezza;
    if (s.tipo == 5 || s.tipo == 6) return {p - l, p + 150};
    if (s.tipo == 7 || s.tipo == 8) return {p - l, p + l};
    return {p - l / 2, p + l / 2 + (s.opz3 != 0 ? 50 : 0)};
}

// How far before the position the extent begins.
w64 prima_del_centro(const record_stazione& s) { return s.posizione - estensione_di(s).prima; }

void tipo_e_lunghezza(sorgente_casuale& c, record_stazione& s) {
    static constexpr std::array<std::int32_t, 16> tipi{4, 12, 22, 1, 2, 3, 4, 12, 5, 6, 7, 8, 25, 30, 44, 12};
    s.tipo = uno_di(c, std::span<const std::int32_t>(tipi));
    // Lengths are multiples of 100, some not of 200 (700 m: 350 m each side).
    s.lunghezza = i32(multiplo(c, 200, s.tipo == 7 || s.tipo == 8 ? 800 : 1200, 100));
    s.opz3 = s.tipo >= 5 && s.tipo <= 8 ? 0 : i32(probabile(c, 1, 5) ? 1 : 0);
}

void valori_stazione(sorgente_casuale& c, record_stazione& s) {
    s.marca = i32(intero(c, 0, 1));
    s.opz4 = i32(intero(c, 0, 1));
    s.par1 = i32(intero(c, 0, 60));
    s.par2 = i32(intero(c, 0, 5));
    s.opz1 = i32(intero(c, 0, 2));
    s.par3 = i32(intero(c, 1, 4));
    s.par4 = i32(intero(c, 1, 3));
    s.par5 = i32(intero(c, 0, 1));
    s.opz2 = i32(intero(c, 0, 60));
}

// The station marker stands in the cell before the extent's last metre, for
// kinds below 25; it must lie after cell 1.
bool prendi_marca(contesto_generazione& g, const record_stazione& s) {
    if (s.tipo >= 25) return true;
    if (estensione_di(s).ultima <= 100) return false;
    return prendi(g.celle, {{cella_marca(s), 10}});
}

// The cells of a station's approach markers, the four before its marker's
// cell (none for kinds 5 and 6, none at or before cell 1).
std::vector<std::int64_t> avvisi_stazione(const record_stazione& s) {
    std::vector<std::int64_t> celle;
    if (s.tipo >= 25 || s.tipo == 5 || s.tipo == 6) return celle;
    for (int n = 1; n <= 4; ++n) {
        const double t = static_cast<double>(estensione_di(s).ultima) / 50.0 - n - 1;
        if (t > 1) celle.push_back(arrotonda_pari(t));
    }
    return celle;
}

void segna_avvisi(contesto_generazione& g, const std::vector<std::int64_t>& celle) {
    for (const std::int64_t c : celle) {
        if (c >= 0 && c < static_cast<std::int64_t>(g.avvisi.size())) g.avvisi[static_cast<std::size_t>(c)] = true;
    }
}

// Without edge cases a signal's approach markers fall on no other marker.
bool avvisi_liberi(const contesto_generazione& g, const std::vector<std::int64_t>& celle) {
    if (g.casi_limite) return true;
    return std::none_of(celle.begin(), celle.end(), [&](std::int64_t c) {
        return c >= 0 && c < static_cast<std::int64_t>(g.avvisi.size()) && g.avvisi[static_cast<std::size_t>(c)];
    });
}

}  // namespace

std::int32_t cella_marca(const record_stazione& s) {
    if (s.tipo >= 25) return -1;
    return arrotonda_pari(static_cast<double>(estensione_di(s).ultima) / 50.0 - 1);
}

// ---- Slowdowns ----

// Every cell a slowdown takes or keeps for the finishing pass, computed as
// the compiler and the finishing pass compute them:
// - the warning board 1200 m before (beyond 1500 m) and the four lead-in cells
//   before it (when asked for);
// - the start and end cells;
// - the first cell of each approach window (5, 11 and 18 cells before the start);
// - inside a slowdown below 110 km/h, a repeat board every 8 cells from the
//   start, and the cell before the end when the end falls on such a step
//   (the end where the walk stops).
std::vector<richiesta_cella> celle_rallentamento(const record_rallentamento& r, std::optional<std::int32_t> fine_cammino) {
    std::vector<richiesta_cella> celle;
    const std::int32_t s = cella_dopo(r.x);
    const std::int32_t e = fine_cammino.value_or(cella_dopo(w64{r.x} + r.l));
    celle.push_back({s, 3});
    celle.push_back({cella_dopo(w64{r.x} + r.l), 2});
    if (r.x > 1500) {
        celle.push_back({cella_dopo(w64{r.x} - 1200), 4});
        if (r.f_ta != 0) {
            const std::int32_t cerca = cella_di(w64{r.x} - 1200);
            for (int i = 0; i < 4; ++i) celle.push_back({cerca - i, 5});
        }
    }
    for (const std::int32_t d : {5, 11, 18}) {
        if (s > d + 2) celle.push_back({s - d, atteso::tabella});
    }
    if (r.v < 110) {
        std::int32_t w = s + 8;
        for (; w < e; w += 8) celle.push_back({w, atteso::tabella});
        if (w == e) celle.push_back({e - 1, atteso::tabella});
    }
    return celle;
}

namespace {

intervallo_celle intervallo_di(const std::vector<richiesta_cella>& celle) {
    intervallo_celle i{celle.front().cella, celle.front().cella};
    for (const richiesta_cella& r : celle) {
        i.da = std::min(i.da, r.cella);
        i.a = std::max(i.a, r.cella);
    }
    return i;
}

// `lunghezza_massima`: no longer than the share of line each slowdown has, less
// the 1500 m or so that its warning board and approach boards need before it.
record_rallentamento rallentamento_casuale(contesto_generazione& g, w64 lunghezza_massima) {
    sorgente_casuale& c = g.caso;
    record_rallentamento r;
    r.l = probabile(c, 1, 5) ? i32(intero(c, 100, lunghezza_massima)) : i32(multiplo(c, 100, lunghezza_massima, 50));
    // Some begin within the first 1500 m: no warning board, no lead-in cells
    // (their f_ta is then ignored).
    r.x = probabile(c, 1, 8) ? posizione_casuale(c, 50, 1500) : posizione_casuale(c, 1550, w64{g.limite} - r.l);
    valori_rallentamento(c, r);
    return r;
}

}  // namespace

void valori_rallentamento(sorgente_casuale& c, record_rallentamento& r) {
    r.v = probabile(c, 3, 5) ? i32(probabile(c, 4, 5) ? multiplo(c, 10, 105, 5) : intero(c, 10, 109))
                             : i32(multiplo(c, 110, 200, 10));
    r.f_tt = i32(intero(c, 0, 9));
    r.f_ta = probabile(c, 1, 2) ? i32(intero(c, 1, 2)) : 0;
    r.d_v = probabile(c, 1, 2) ? i32(intero(c, 1, 60)) : 0;
}

bool prendi_rallentamento(contesto_generazione& g, const std::vector<richiesta_cella>& celle, std::int64_t coperta) {
    intervallo_celle nuovo = intervallo_di(celle);
    if (coperta >= 0) nuovo = {std::min(nuovo.da, coperta), std::max(nuovo.a, coperta)};
    const bool sovrapposto = std::any_of(g.rallentamenti.begin(), g.rallentamenti.end(), [&](const intervallo_celle& p) {
        return nuovo.da <= p.a && p.da <= nuovo.a;
    });
    if (sovrapposto || !prendi(g.celle, celle)) return false;
    g.rallentamenti.push_back(nuovo);
    return true;
}

// ---- Signals ----

// Digits of the s and d groups; sx and dx mostly 2, as in the embedded file.
// tempo: none, 1 to 100 (kept as 101), above 100, or (edge cases) below 0 or
// above 255.
record_segnale segnale_casuale(sorgente_casuale& c, std::int32_t posizione, bool casi_limite) {
    record_segnale s;
    s.posizione = posizione;
    s.sx = i32(probabile(c, 7, 10) ? 2 : intero(c, 0, 3));
    s.s1 = i32(intero(c, 0, 9));
    s.s2 = i32(intero(c, 0, 9));
    s.s3 = i32(probabile(c, 3, 4) ? 0 : intero(c, 0, 9));
    s.rapp = i32(probabile(c, 3, 4) ? 0 : intero(c, 0, 9));
    s.dx = i32(probabile(c, 7, 10) ? 2 : intero(c, 0, 3));
    s.d1 = i32(intero(c, 0, 9));
    s.d2 = i32(intero(c, 0, 9));
    s.d3 = i32(probabile(c, 3, 4) ? 0 : intero(c, 0, 9));
    const std::int64_t modo = intero(c, 0, 9);
    s.tempo = modo < 4   ? 0
              : modo < 6 ? i32(intero(c, 1, 100))
              : modo < 9 ? i32(intero(c, 101, casi_limite ? 400 : 255))
                         : i32(casi_limite ? intero(c, -20, -1) : 0);
    if (!casi_limite) {
        // Without edge cases, values the build keeps as written: the units of
        // the fourth value one digit, a time only where it is kept and as
        // itself (the cells hold the same bytes as with the values drawn).
        if (s.sx * 3 + s.dx > 9) s.dx = 9 - s.sx * 3;
        if (s.sx != 2) s.tempo = 0;
        if (s.tempo >= 1 && s.tempo <= 100) s.tempo = 101;
    }
    return s;
}

void genera_generale_treno(contesto_generazione& g, sorgente_treno& t) {
    sorgente_casuale& c = g.caso;
    t.vetture = i32(intero(c, 1, 16));
    t.massa_frenata = i32(intero(c, 50, 200));
    t.sabbia = i32(multiplo(c, 0, 1000, 10));
    t.orologio = {i32(intero(c, 0, 23)), i32(intero(c, 0, 59)), i32(intero(c, 0, 59))};
}

// Stations in line order, each extent at least 350 m after the previous one's
// end, within the line, spread over it.
void genera_stazioni(contesto_generazione& g, std::int32_t quante, sorgente_treno& t) {
    sorgente_casuale& c = g.caso;
    if (quante <= 0) return;
    const w64 passo_medio = std::max<w64>(600, g.lunghezza / quante);
    w64 fine_precedente = -1000000;
    w64 ora = (w64{t.orologio[0]} * 60 + t.orologio[1]) * 60 + t.orologio[2];
    for (std::int32_t i = 0; i < quante; ++i) {
        for (int k = 0; k < tentativi_posto; ++k) {
            record_stazione s;
            tipo_e_lunghezza(c, s);
            if (t.stazioni.empty() && probabile(c, 1, 2)) {
                s.posizione = 0;  // like the embedded line's first station
            } else {
                const w64 minima = std::max<w64>(0, fine_precedente + 350 + prima_del_centro(s));
                s.posizione = i32(multiplo(c, minima, minima + passo_medio, 50));
            }
            const estensione e = estensione_di(s);
            if (e.prima - 350 < fine_precedente || e.ultima > g.lunghezza) continue;
            if (!prendi_marca(g, s)) continue;
            valori_stazione(c, s);
            ora += intero(c, 60, 900);
            if (probabile(c, 3, 4)) {
                const w64 giorno = ora % 86400;
                s.ore = i32(giorno / 3600);
                s.minuti = i32(giorno / 60 % 60);
                s.secondi = i32(giorno % 60);
            }
            s.nome = nome_stazione(c);
            // Without edge cases no two stations share a name.
            while (!g.casi_limite && std::any_of(t.stazioni.begin(), t.stazioni.end(),
                                                 [&](const record_stazione& x) { return x.nome == s.nome; })) {
                s.nome = nome_stazione(c);
            }
            segna_avvisi(g, avvisi_stazione(s));
            t.stazioni.push_back(s);
            fine_precedente = e.ultima;
            break;
        }
    }
}

void genera_rallentamenti(contesto_generazione& g, std::int32_t quanti, sorgente_treno& t) {
    const w64 lunghezza_massima = std::clamp<w64>(g.limite / std::max(1, quanti) - 1500, 100, 3000);
    for (std::int32_t i = 0; i < quanti; ++i) {
        for (int k = 0; k < tentativi_posto; ++k) {
            const record_rallentamento r = rallentamento_casuale(g, lunghezza_massima);
            if (w64{r.x} + r.l > g.limite) continue;  // a line too short for it
            // Slowdowns do not overlap: the walk of the finishing pass from a
            // start meets its own end first.
            if (!prendi_rallentamento(g, celle_rallentamento(r))) continue;
            t.rallentamenti.push_back(r);
            break;
        }
    }
}

// A signal stands in the cell after its position's own cell, at 325 m or more
// (its farthest approach marker is 8 cells before it). The two cells before
// it are kept for the board that the finishing pass puts in front of a signal
// before a warning board or after a slowdown.
void genera_segnali(contesto_generazione& g, std::int32_t quanti, sorgente_treno& t) {
    sorgente_casuale& c = g.caso;
    for (std::int32_t i = 0; i < quanti; ++i) {
        for (int k = 0; k < tentativi_posto; ++k) {
            const std::int32_t p = posizione_casuale(c, 325, g.limite);
            const std::int32_t s = cella_dopo(p);
            const std::vector<std::int64_t> avvisi{s - 2, s - 4, s - 6, s - 8};
            if (p > g.limite || !avvisi_liberi(g, avvisi)) continue;
            if (!prendi(g.celle, {{s, 1}, {s - 1, atteso::tabella}, {s - 2, atteso::tabella}})) continue;
            segna_avvisi(g, avvisi);
            t.segnali.push_back(segnale_casuale(c, p, g.casi_limite));
            break;
        }
    }
}

// A board with a value, or without one for a value of 0 or less, in the
// position's own cell.
void genera_abbattimenti(contesto_generazione& g, std::int32_t quanti, sorgente_treno& t) {
    sorgente_casuale& c = g.caso;
    for (std::int32_t i = 0; i < quanti; ++i) {
        for (int k = 0; k < tentativi_posto; ++k) {
            const std::int32_t p = posizione_casuale(c, 100, g.limite);
            const std::int32_t valore = probabile(c, 3, 5) ? i32(multiplo(c, 10, 200, 10)) : i32(intero(c, -5, 0));
            if (p > g.limite || !prendi(g.celle, {{cella_di(p), static_cast<std::uint8_t>(valore > 0 ? 12 : 13)}})) continue;
            t.abbattimenti.push_back({p, valore});
            break;
        }
    }
}

// With overlaps, one list in three begins with 2 to 12 records closer
// together than a cell, the first within the cell of metre 0: each writes the
// cell of the cursor and pushes it one cell on, so that the cursor runs ahead
// of the positions that follow.
std::vector<std::int32_t> inizio_ravvicinato(contesto_generazione& g) {
    sorgente_casuale& c = g.caso;
    if (!g.sovrapposizioni || !probabile(c, 1, 3)) return {};
    std::vector<std::int32_t> p{i32(probabile(c, 1, 2) ? 0 : intero(c, 1, 24))};
    for (w64 n = intero(c, 2, 12); static_cast<w64>(p.size()) < n;) p.push_back(i32(p.back() + intero(c, 1, 49)));
    return p;
}

namespace {

// The positions of a speed-limit or adhesion list: those of its first metres,
// if any, then increasing ones after them.
std::vector<std::int32_t> posizioni_lista(contesto_generazione& g, std::int32_t quante, bool da_zero) {
    std::vector<std::int32_t> p = inizio_ravvicinato(g);
    const w64 da = p.empty() ? 0 : p.back() + 1;
    for (const std::int32_t x : posizioni_crescenti(g.caso, quante, da, g.limite, da_zero && p.empty())) p.push_back(x);
    return p;
}

}  // namespace

// Increasing positions, mostly from 0; a speed's fifth fits a byte (at most
// 1275 km/h); adhesion values above 255 (edge cases) are kept modulo 256.
namespace {

// Without edge cases every slowdown is slower than the limit in force at its
// start cell (as the cell keeps it, in steps of 5 km/h): the limit of that
// stretch is raised where it is not.
void sopra_i_rallentamenti(sorgente_treno& t) {
    for (const record_rallentamento& r : t.rallentamenti) {
        const std::int32_t inizio = cella_dopo(r.x);
        record_punto* in_vigore = nullptr;
        for (record_punto& v : t.velocita) {
            if (cella_di(v.posizione) <= inizio) in_vigore = &v;
        }
        if (in_vigore == nullptr) continue;
        const std::int32_t tenuto = arrotonda_pari(in_vigore->valore / 5.0) * 5;
        if (tenuto <= r.v) in_vigore->valore = (r.v / 5 + 1) * 5;
    }
}

}  // namespace

void genera_velocita_aderenze(contesto_generazione& g, const conteggi_record& voluti, sorgente_treno& t) {
    sorgente_casuale& c = g.caso;
    // Without edge cases both lists start at 0 m, so that no cell holds 0.
    const bool da_zero = probabile(c, 4, 5) || !g.casi_limite;
    for (const std::int32_t p : posizioni_lista(g, voluti.velocita, da_zero)) {
        // Without edge cases no limit above the fastest line's 350 km/h.
        const std::int32_t v =
            probabile(c, 9, 10) ? i32(multiplo(c, 30, 250, 5)) : i32(intero(c, 5, g.casi_limite ? 1275 : 350));
        t.velocita.push_back({p, v});
    }
    const bool aderenze_da_zero = probabile(c, 4, 5) || !g.casi_limite;
    for (const std::int32_t p : posizioni_lista(g, voluti.aderenze, aderenze_da_zero)) {
        // Without edge cases no adhesion of 0.
        const std::int32_t a = probabile(c, 9, 10) ? i32(intero(c, 50, 100))
                                                   : i32(intero(c, g.casi_limite ? 0 : 1, g.casi_limite ? 300 : 255));
        t.aderenze.push_back({p, a});
    }
    if (!g.casi_limite && t.velocita.empty()) t.velocita.push_back({0, 100});
    if (!g.casi_limite && t.aderenze.empty()) t.aderenze.push_back({0, 100});
    if (!g.casi_limite) sopra_i_rallentamenti(t);
}

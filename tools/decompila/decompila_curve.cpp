#include "tools/decompila/decompila_curve.h"

#include <array>
#include <bit>
#include <cmath>
#include <limits>

#include "tools/binari/dump_testo.h"

namespace {

// Curvature per metre of the grades 1 to 6.
constexpr std::array<double, 6> curvature{0.0001, 0.0002, 0.0004, 0.001, 0.002, 0.003};

// The last point a curve record may bring the plan to: one more stops the
// build.
constexpr std::int32_t ultimo_punto_curva = 999999;

using passo = passo_planimetria;

double curvatura_di(const passo& p) {
    const double k = curvature[static_cast<std::size_t>(p.grado - 1)];
    return p.sinistra ? -k : k;
}

bool stessi_bit(double a, double b) { return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b); }

struct punto {
    double x = 0;
    double y = 0;
};

struct piano {
    const planimetria_linea& p;
    tipo_valore tipo(std::int32_t m, int c) const { return p.tipi[elemento_planimetria(p, m, c)]; }
    punto in(std::int32_t m) const {
        return {p.valori[elemento_planimetria(p, m, 0)], p.valori[elemento_planimetria(p, m, 1)]};
    }
};

// Point c from the points before it, as the line compilation computes it (no
// fused multiply-add: the build turns contraction off).
punto calcola(const punto& a, const punto& b, const passo& s) {
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    if (s.grado == 0) return {b.x + dx, b.y + dy};
    const double k = curvatura_di(s);
    return {b.x + (dy * k + dx), b.y + (dy - dx * k)};
}

std::string testo_passo(const passo& s) {
    if (s.grado == 0) return "straight";
    return std::string("a curve of grade ") + std::to_string(s.grado) + (s.sinistra ? " to the left" : " to the right");
}

std::string testo_punto(const piano& pl, std::int32_t m) {
    std::string t = "(";
    t += testo_elemento(pl.p, elemento_planimetria(pl.p, m, 0));
    t += ", ";
    t += testo_elemento(pl.p, elemento_planimetria(pl.p, m, 1));
    t += ')';
    return t;
}

// Straight first, then the curvature of the point before, then the others:
// the first that gives the point's bits. None: the nearest, noted in `n`.
// Past the points noted (`n` null: a plan damaged throughout), a point that
// fits no step goes on as the point before it: it joins the run before and
// makes no record of its own, so that such a plan gives no more records than
// an intact one, and its note, never shown, is not worded.
passo passo_del_punto(const piano& pl, std::int32_t c, const passo& prima, note_decompilazione* n) {
    if (const std::optional<passo> s = passo_esatto(pl.p, c, prima)) return *s;
    if (n == nullptr) return prima;
    const punto a = pl.in(c - 2);
    const punto b = pl.in(c - 1);
    const punto atteso = pl.in(c);
    passo migliore{};
    double distanza = std::numeric_limits<double>::infinity();
    for (int g = 1; g <= 6; ++g) {
        for (const bool sinistra : {false, true}) {
            const passo s{g, sinistra};
            const punto r = calcola(a, b, s);
            const double d = std::fabs(r.x - atteso.x) + std::fabs(r.y - atteso.y);
            if (d < distanza) {
                distanza = d;
                migliore = s;
            }
        }
    }
    const punto dritto = calcola(a, b, passo{});
    if (!(std::fabs(dritto.x - atteso.x) + std::fabs(dritto.y - atteso.y) > distanza)) migliore = passo{};
    annota(*n, parte_scenario::planimetria, c,
           "the point " + testo_punto(pl, c) + " is neither straight on from the two points before it nor on a "
           "curve of any grade; taken as " + testo_passo(migliore));
    return migliore;
}

// Points 0 and 1 are the build's seed: Integers (0, 0) and (0, 1).
void controlla_seme(const piano& pl, note_decompilazione& n) {
    for (std::int32_t m = 0; m <= std::min(1, pl.p.ultimo_metro); ++m) {
        const punto atteso{0, static_cast<double>(m)};
        const punto p = pl.in(m);
        if (pl.tipo(m, 0) != tipo_valore::intero || pl.tipo(m, 1) != tipo_valore::intero || p.x != atteso.x ||
            p.y != atteso.y) {
            annota(n, parte_scenario::planimetria, m,
                   "the plan starts with the Integer points (0, 0) and (0, 1), which the build writes itself");
        }
    }
}

// Far more than the places of the plan that differences() lists (40).
constexpr std::size_t punti_annotati_massimi = 1000;

struct tratto_curvo {
    std::int32_t primo = 0;
    std::int32_t ultimo = 0;
    passo s;
};

// The last point with values; the points after it have none. The build
// computes up to the third point from the end, and curves may reach further.
std::int32_t ultimo_calcolato(const piano& pl) {
    std::int32_t u = pl.p.ultimo_metro;
    while (u >= 0 && pl.tipo(u, 0) == tipo_valore::vuoto && pl.tipo(u, 1) == tipo_valore::vuoto) --u;
    return u;
}

// One curve record per run: it starts at the point before the run (where a
// straight point ends, which the record's own straight part made), or
// anywhere behind the cursor when the run follows another curve directly.
void scrivi_curve(const std::vector<tratto_curvo>& tratti, const std::vector<bool>& dritto_prima,
                  const quadro_scenario& q, sorgente_linea& l, note_decompilazione& n) {
    const std::int64_t inizio_massimo = ultima_posizione(q.numero_celle, margine_record);
    for (std::size_t i = 0; i < tratti.size(); ++i) {
        const tratto_curvo& t = tratti[i];
        std::int64_t inizio = t.primo - 1;
        if (inizio > inizio_massimo) {
            if (dritto_prima[i]) {
                annota(n, parte_scenario::planimetria, t.primo,
                       "a curve starts here, after the last metre a curve record may start at (" +
                           std::to_string(inizio_massimo) + ")");
            } else {
                inizio = inizio_massimo;
            }
        }
        if (t.ultimo > ultimo_punto_curva) {
            annota(n, parte_scenario::planimetria, ultimo_punto_curva + 1,
                   "a curve goes on beyond metre " + std::to_string(ultimo_punto_curva) +
                       ", which stops the build");
        }
        l.curve.push_back({static_cast<std::int32_t>(inizio), static_cast<std::int32_t>(t.ultimo - inizio), t.s.grado,
                           t.s.sinistra});
    }
}

}  // namespace

std::optional<passo_planimetria> passo_esatto(const planimetria_linea& p, std::int32_t c,
                                              const passo_planimetria& prima) {
    const piano pl{p};
    const punto a = pl.in(c - 2);
    const punto b = pl.in(c - 1);
    const punto atteso = pl.in(c);
    auto prova = [&](const passo& s) {
        const punto r = calcola(a, b, s);
        return stessi_bit(r.x, atteso.x) && stessi_bit(r.y, atteso.y);
    };
    if (prova(passo{})) return passo{};
    if (prima.grado != 0 && prova(prima)) return prima;
    for (int g = 1; g <= 6; ++g) {
        for (const bool sinistra : {false, true}) {
            if (prova(passo{g, sinistra})) return passo{g, sinistra};
        }
    }
    return std::nullopt;
}

void recupera_curve(const quadro_scenario& q, sorgente_linea& l, note_decompilazione& n) {
    if (!q.planimetria) return;
    const piano pl{*q.planimetria};
    controlla_seme(pl, n);
    const std::int32_t ultimo = ultimo_calcolato(pl);
    const std::int32_t fine_riempimento = q.lunghezza_totale - 2;
    std::vector<tratto_curvo> tratti;
    std::vector<bool> dritto_prima;
    passo prima{};
    bool dritto = true;  // the point before is straight (or a seed)
    // A point noted here always comes out differently, and only the first
    // places that differ are listed: the notes of points after the first
    // punti_annotati_massimi noted ones would never be shown, and a damaged
    // plan of millions of points would hold millions of them. They are not
    // even worded.
    std::size_t annotati = 0;
    for (std::int32_t c = 2; c <= ultimo; ++c) {
        note_decompilazione* note_punto = annotati < punti_annotati_massimi ? &n : nullptr;
        const std::size_t prima_del_punto = n.size();
        if (note_punto != nullptr && (pl.tipo(c, 0) != tipo_valore::doppio || pl.tipo(c, 1) != tipo_valore::doppio)) {
            annota(*note_punto, parte_scenario::planimetria, c,
                   "the build writes every point after the first two as Doubles");
        }
        const passo s = passo_del_punto(pl, c, prima, note_punto);
        if (s.grado != 0) {
            if (!tratti.empty() && tratti.back().s == s && tratti.back().ultimo == c - 1) {
                tratti.back().ultimo = c;
            } else {
                tratti.push_back({c, c, s});
                dritto_prima.push_back(dritto);
            }
        } else if (c > fine_riempimento && note_punto != nullptr) {
            annota(*note_punto, parte_scenario::planimetria, c,
                   "a straight point after the point " + std::to_string(fine_riempimento) +
                       ", where the build stops the plan unless a curve goes on");
        }
        if (n.size() > prima_del_punto) ++annotati;
        dritto = s.grado == 0;
        prima = s;
    }
    if (ultimo < fine_riempimento) {
        annota(n, parte_scenario::planimetria, ultimo + 1,
               "the plan has no values from here on; the build computes every point up to " +
                   std::to_string(fine_riempimento));
    }
    scrivi_curve(tratti, dritto_prima, q, l, n);
}

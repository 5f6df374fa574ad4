#include "tools/vista/etichette.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>

namespace {

// Unit vectors every 22.5 degrees, counter-clockwise from +x (screen y down).
constexpr double direzioni[16][2] = {
    {1, 0},  {0.92387953, -0.38268343},  {0.70710678, -0.70710678},  {0.38268343, -0.92387953},
    {0, -1}, {-0.38268343, -0.92387953}, {-0.70710678, -0.70710678}, {-0.92387953, -0.38268343},
    {-1, 0}, {-0.92387953, 0.38268343},  {-0.70710678, 0.70710678},  {-0.38268343, 0.92387953},
    {0, 1},  {0.38268343, 0.92387953},   {0.70710678, 0.70710678},   {0.92387953, 0.38268343},
};

constexpr double distanze[] = {8, 14, 20, 30, 44, 60, 80, 105, 135, 170, 210, 260};

// Clear space kept around a label.
constexpr double margine = 3;

rettangolo allargato(const rettangolo& r, double d) { return {r.x - d, r.y - d, r.l + 2 * d, r.a + 2 * d}; }

bool dentro(const rettangolo& r, const rettangolo& area) {
    return r.x >= area.x && r.y >= area.y && r.x + r.l <= area.x + area.l && r.y + r.a <= area.y + area.a;
}

// Directions in order of closeness to the preferred one (largest dot product
// first; on a tie, the lower index).
std::vector<int> ordine_direzioni(double dx, double dy) {
    std::vector<int> o;
    for (int i = 0; i < 16; ++i) o.push_back(i);
    auto vicinanza = [&](int i) { return direzioni[i][0] * dx + direzioni[i][1] * dy; };
    for (std::size_t i = 1; i < o.size(); ++i) {
        for (std::size_t j = i; j > 0 && vicinanza(o[j]) > vicinanza(o[j - 1]); --j) std::swap(o[j], o[j - 1]);
    }
    return o;
}

// The label beyond the point in direction d, its near side at distance r.
rettangolo candidato(const richiesta_etichetta& q, const double d[2], double r) {
    const double cx = q.px + d[0] * (r + q.l / 2);
    const double cy = q.py + d[1] * (r + q.a / 2);
    return {cx - q.l / 2, cy - q.a / 2, q.l, q.a};
}

// The drawn segments and the obstacles by the squares of a grid over the
// drawing, so that a place is tested only against those that pass near it
// rather than against all of them. The grid only chooses what is tested:
// every test is the exact one, and the squares an item is filed under are
// widened by a margin far beyond any rounding, so that no item that touches a
// place is left out. A segment with a coordinate that is not finite is
// tested against every place.
struct indice_griglia {
    double x0 = 0, y0 = 0;  // top left of square (0, 0)
    double lato = 1;        // side of a square
    int colonne = 1, righe = 1;
    std::vector<std::vector<std::uint32_t>> quadrati;  // the items filed under each square
    std::vector<std::uint32_t> sempre;                 // items tested against every place
    mutable std::vector<std::uint32_t> visto;          // turn of the last test, per item
    mutable std::uint32_t turno = 0;
};

// Side of a square: about two labels' height, so that a place spans a few.
constexpr double lato_quadrato = 24;

// The widening of what is filed and of what is looked up: relative to the
// size of the coordinates, many orders above their rounding.
double tolleranza(double a, double b) { return 1e-6 * (1 + std::fabs(a) + std::fabs(b)); }

// The column or row of a coordinate; the squares at the edges reach out to
// infinity.
int posto_in(double v, double origine, double lato, int n) {
    const double k = std::floor((v - origine) / lato);
    if (!(k >= 0)) return 0;
    return k >= n - 1 ? n - 1 : static_cast<int>(k);
}

// Squares along a side of the area; at most 256, the last reaching out to
// infinity, and 1 for a side that is no number.
int quadrati_su(double lunghezza) {
    const double n = std::ceil((lunghezza + 2 * margine) / lato_quadrato);
    return n >= 1 ? (n < 256 ? static_cast<int>(n) : 256) : 1;
}

indice_griglia griglia_su(const rettangolo& area, std::size_t elementi) {
    indice_griglia g;
    g.x0 = area.x - margine;
    g.y0 = area.y - margine;
    g.lato = lato_quadrato;
    g.colonne = quadrati_su(area.l);
    g.righe = quadrati_su(area.a);
    g.quadrati.resize(static_cast<std::size_t>(g.colonne) * static_cast<std::size_t>(g.righe));
    g.visto.assign(elementi, 0);
    return g;
}

void archivia(indice_griglia& g, std::uint32_t k, int riga, double xa, double xb) {
    const int ca = posto_in(xa, g.x0, g.lato, g.colonne), cb = posto_in(xb, g.x0, g.lato, g.colonne);
    for (int c = ca; c <= cb; ++c) g.quadrati[static_cast<std::size_t>(riga * g.colonne + c)].push_back(k);
}

bool finiti(double a, double b, double c, double d) {
    return std::isfinite(a) && std::isfinite(b) && std::isfinite(c) && std::isfinite(d);
}

// A segment under every square it passes through: row by row, the stretch of
// x it spans within the row's band of y (both widened).
void archivia_segmento(indice_griglia& g, std::uint32_t k, const segmento& s) {
    if (!finiti(s.x1, s.y1, s.x2, s.y2)) {
        g.sempre.push_back(k);
        return;
    }
    const double e = std::max(tolleranza(s.x1, s.x2), tolleranza(s.y1, s.y2));
    const double dx = s.x2 - s.x1, dy = s.y2 - s.y1;
    const int ra = posto_in(std::min(s.y1, s.y2) - e, g.y0, g.lato, g.righe);
    const int rb = posto_in(std::max(s.y1, s.y2) + e, g.y0, g.lato, g.righe);
    for (int r = ra; r <= rb; ++r) {
        double ta = 0, tb = 1;
        if (dy != 0) {
            const double alto = r == 0 ? -HUGE_VAL : g.y0 + r * g.lato - e;
            const double basso = r == g.righe - 1 ? HUGE_VAL : g.y0 + (r + 1) * g.lato + e;
            ta = std::clamp((alto - s.y1) / dy, 0.0, 1.0);
            tb = std::clamp((basso - s.y1) / dy, 0.0, 1.0);
        }
        const double xa = s.x1 + dx * ta, xb = s.x1 + dx * tb;
        archivia(g, k, r, std::min(xa, xb) - e, std::max(xa, xb) + e);
    }
}

void archivia_rettangolo(indice_griglia& g, std::uint32_t k, const rettangolo& o) {
    if (!finiti(o.x, o.y, o.l, o.a)) {
        g.sempre.push_back(k);
        return;
    }
    const double e = std::max(tolleranza(o.x, o.l), tolleranza(o.y, o.a));
    const int ra = posto_in(o.y - e, g.y0, g.lato, g.righe), rb = posto_in(o.y + o.a + e, g.y0, g.lato, g.righe);
    for (int r = ra; r <= rb; ++r) archivia(g, k, r, o.x - e, o.x + o.l + e);
}

// Calls `prova` once for every item that may touch the place `r` (each item
// once, however many squares it is filed under), until it returns false.
template <typename F>
void per_vicini(const indice_griglia& g, const rettangolo& r, F prova) {
    if (++g.turno == 0) {
        std::fill(g.visto.begin(), g.visto.end(), 0);
        g.turno = 1;
    }
    for (const std::uint32_t k : g.sempre) {
        g.visto[k] = g.turno;
        if (!prova(k)) return;
    }
    const double e = std::max(tolleranza(r.x, r.l), tolleranza(r.y, r.a));
    const int ca = posto_in(r.x - e, g.x0, g.lato, g.colonne), cb = posto_in(r.x + r.l + e, g.x0, g.lato, g.colonne);
    const int ra = posto_in(r.y - e, g.y0, g.lato, g.righe), rb = posto_in(r.y + r.a + e, g.y0, g.lato, g.righe);
    for (int riga = ra; riga <= rb; ++riga) {
        for (int c = ca; c <= cb; ++c) {
            for (const std::uint32_t k : g.quadrati[static_cast<std::size_t>(riga * g.colonne + c)]) {
                if (g.visto[k] == g.turno) continue;
                g.visto[k] = g.turno;
                if (!prova(k)) return;
            }
        }
    }
}

struct contesto {
    const std::vector<segmento>& linee;
    const std::vector<rettangolo>& ostacoli;
    const rettangolo& area;
    std::vector<rettangolo> poste;
    indice_griglia indice_linee;
    indice_griglia indice_ostacoli;
};

contesto prepara_contesto(const std::vector<segmento>& linee, const std::vector<rettangolo>& ostacoli,
                          const rettangolo& area) {
    contesto c{linee, ostacoli, area, {}, griglia_su(area, linee.size()), griglia_su(area, ostacoli.size())};
    for (std::size_t k = 0; k < linee.size(); ++k) {
        archivia_segmento(c.indice_linee, static_cast<std::uint32_t>(k), linee[k]);
    }
    for (std::size_t k = 0; k < ostacoli.size(); ++k) {
        archivia_rettangolo(c.indice_ostacoli, static_cast<std::uint32_t>(k), ostacoli[k]);
    }
    return c;
}

double limita(double v, double a, double b) { return v < a ? a : (v > b ? b : v); }

// Collisions of a place: other labels (or a leader line across one) weigh
// most, then obstacles, then lines. Counting stops once it reaches `basta`:
// the place is then no better than one already found.
double collisioni(const richiesta_etichetta& q, const rettangolo& r, const contesto& c, double basta) {
    if (!dentro(r, c.area)) return std::numeric_limits<double>::max();
    const rettangolo largo = allargato(r, margine);
    const segmento guida{q.px, q.py, limita(q.px, r.x, r.x + r.l), limita(q.py, r.y, r.y + r.a)};
    double n = 0;
    for (const rettangolo& p : c.poste) n += si_sovrappongono(largo, p) ? 1000 : (segmento_tocca(guida, p) ? 500 : 0);
    if (n >= basta) return n;
    per_vicini(c.indice_ostacoli, largo, [&](std::uint32_t k) {
        n += si_sovrappongono(largo, c.ostacoli[k]) ? 100 : 0;
        return n < basta;
    });
    if (n >= basta) return n;
    per_vicini(c.indice_linee, largo, [&](std::uint32_t k) {
        n += segmento_tocca(c.linee[k], largo) ? 1 : 0;
        return n < basta;
    });
    return n;
}

etichetta_posta con_guida(const richiesta_etichetta& q, const rettangolo& r) {
    etichetta_posta e;
    e.r = r;
    e.gx = limita(q.px, r.x, r.x + r.l);
    e.gy = limita(q.py, r.y, r.y + r.a);
    const double dx = e.gx - q.px, dy = e.gy - q.py;
    e.guida = dx * dx + dy * dy > 10 * 10;
    return e;
}

rettangolo scegli(const richiesta_etichetta& q, const contesto& c) {
    rettangolo migliore = candidato(q, direzioni[0], distanze[0]);
    double minimo = std::numeric_limits<double>::max();
    const std::vector<int> ordine = ordine_direzioni(q.dx, q.dy);
    for (const double r : distanze) {
        for (const int d : ordine) {
            const rettangolo x = candidato(q, direzioni[d], r);
            const double n = collisioni(q, x, c, minimo);
            if (n == 0) return x;
            if (n < minimo) {
                minimo = n;
                migliore = x;
            }
        }
    }
    return migliore;
}

}  // namespace

bool si_sovrappongono(const rettangolo& a, const rettangolo& b) {
    return a.x < b.x + b.l && b.x < a.x + a.l && a.y < b.y + b.a && b.y < a.y + a.a;
}

bool segmento_tocca(const segmento& s, const rettangolo& r) {
    // Liang-Barsky clipping of the segment against the rectangle.
    double t0 = 0, t1 = 1;
    const double dx = s.x2 - s.x1, dy = s.y2 - s.y1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {s.x1 - r.x, r.x + r.l - s.x1, s.y1 - r.y, r.y + r.a - s.y1};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0) {
            if (t > t1) return false;
            if (t > t0) t0 = t;
        } else {
            if (t < t0) return false;
            if (t < t1) t1 = t;
        }
    }
    return true;
}

double larghezza_testo(std::string_view utf8, double corpo) {
    double em = 0;
    for (const char x : utf8) {
        const auto c = static_cast<unsigned char>(x);
        if ((c & 0xC0) == 0x80) continue;  // continuation byte
        if (c == ' ') {
            em += 0.32;
        } else if (c == 'I' || c == 'i' || c == 'l' || c == 'j' || c == '.' || c == ',' || c == '\'' || c == '(' ||
                   c == ')') {
            em += 0.32;
        } else if (c == 'M' || c == 'W' || c == 'm' || c == 'w') {
            em += 0.86;
        } else if (c >= 'A' && c <= 'Z') {
            em += 0.69;
        } else {
            em += 0.6;
        }
    }
    return em * corpo;
}

std::vector<etichetta_posta> disponi_etichette(const std::vector<richiesta_etichetta>& richieste,
                                               const std::vector<segmento>& linee,
                                               const std::vector<rettangolo>& ostacoli, const rettangolo& area) {
    contesto c = prepara_contesto(linee, ostacoli, area);
    std::vector<etichetta_posta> r;
    for (const richiesta_etichetta& q : richieste) {
        const rettangolo x = scegli(q, c);
        c.poste.push_back(x);
        r.push_back(con_guida(q, x));
    }
    return r;
}

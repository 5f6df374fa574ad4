#include "tools/vista/etichette.h"

#include <cstddef>
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

struct contesto {
    const std::vector<segmento>& linee;
    const std::vector<rettangolo>& ostacoli;
    const rettangolo& area;
    std::vector<rettangolo> poste;
};

double limita(double v, double a, double b) { return v < a ? a : (v > b ? b : v); }

// Collisions of a place: other labels (or a leader line across one) weigh
// most, then obstacles, then lines.
double collisioni(const richiesta_etichetta& q, const rettangolo& r, const contesto& c) {
    if (!dentro(r, c.area)) return std::numeric_limits<double>::max();
    const rettangolo largo = allargato(r, margine);
    const segmento guida{q.px, q.py, limita(q.px, r.x, r.x + r.l), limita(q.py, r.y, r.y + r.a)};
    double n = 0;
    for (const rettangolo& p : c.poste) n += si_sovrappongono(largo, p) ? 1000 : (segmento_tocca(guida, p) ? 500 : 0);
    for (const rettangolo& o : c.ostacoli) n += si_sovrappongono(largo, o) ? 100 : 0;
    for (const segmento& s : c.linee) n += segmento_tocca(s, largo) ? 1 : 0;
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
            const double n = collisioni(q, x, c);
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
    contesto c{linee, ostacoli, area, {}};
    std::vector<etichetta_posta> r;
    for (const richiesta_etichetta& q : richieste) {
        const rettangolo x = scegli(q, c);
        c.poste.push_back(x);
        r.push_back(con_guida(q, x));
    }
    return r;
}

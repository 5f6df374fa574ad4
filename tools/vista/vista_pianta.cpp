#include "tools/vista/vista_pianta.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <iterator>
#include <utility>
#include <vector>

#include "tools/vista/dati_vista.h"
#include "tools/vista/etichette.h"
#include "tools/vista/svg_vista.h"
#include "tools/vista/testo_html.h"

using namespace std::string_literals;

namespace {

constexpr double larghezza = 1300;
constexpr double margine_x = 60;
constexpr double margine_y = 40;
constexpr double striscia = 34;  // the scale bar's strip under the drawing
constexpr double disegno_max = 560;
constexpr double disegno_min = 240;
constexpr double corpo_nome = 12.5;
constexpr double corpo_fine = 11.5;

double valore(const planimetria_linea& p, std::int32_t metro, int coordinata) {
    return p.valori[elemento_planimetria(p, metro, coordinata)];
}

bool ha_valore(const planimetria_linea& p, std::int32_t metro) {
    for (int c = 0; c < 2; ++c) {
        const std::size_t e = elemento_planimetria(p, metro, c);
        if (p.tipi[e] == tipo_valore::vuoto || !std::isfinite(p.valori[e])) return false;
    }
    return true;
}

// Plan coordinates to drawing coordinates: one scale s on both axes, y up.
struct geometria {
    const planimetria_linea* p = nullptr;
    std::int32_t ultimo = 0;  // last metre drawn
    double xmin = 0, ymax = 0, s = 1, ox = 0, oy = 0;
    double altezza = 0;

    std::int32_t limita(std::int64_t m) const {
        return static_cast<std::int32_t>(m < 0 ? 0 : (m > ultimo ? ultimo : m));
    }
    double X(std::int64_t m) const { return ox + (valore(*p, limita(m), 0) - xmin) * s; }
    double Y(std::int64_t m) const { return oy + (ymax - valore(*p, limita(m), 1)) * s; }
};

geometria prepara(const planimetria_linea& p, std::int32_t ultimo) {
    geometria g;
    g.p = &p;
    g.ultimo = ultimo;
    double xmin = valore(p, 0, 0), xmax = xmin, ymin = valore(p, 0, 1), ymax = ymin;
    for (std::int32_t m = 1; m <= ultimo; ++m) {
        const double x = valore(p, m, 0), y = valore(p, m, 1);
        xmin = x < xmin ? x : xmin;
        xmax = x > xmax ? x : xmax;
        ymin = y < ymin ? y : ymin;
        ymax = y > ymax ? y : ymax;
    }
    const double dx = xmax - xmin, dy = ymax - ymin;
    const double sx = dx > 0 ? (larghezza - 2 * margine_x) / dx : 1e9;
    const double sy = dy > 0 ? disegno_max / dy : 1e9;
    g.s = sx < sy ? sx : sy;
    if (g.s >= 1e9) g.s = 1;
    const double alto = dy * g.s < disegno_min ? disegno_min : dy * g.s;
    g.xmin = xmin;
    g.ymax = ymax;
    g.ox = (larghezza - dx * g.s) / 2;
    g.oy = margine_y + (alto - dy * g.s) / 2;
    g.altezza = alto + 2 * margine_y + striscia;
    return g;
}

double distanza_da_corda(const geometria& g, std::int32_t a, std::int32_t b, std::int32_t m) {
    const double ax = g.X(a), ay = g.Y(a), bx = g.X(b), by = g.Y(b), px = g.X(m), py = g.Y(m);
    const double dx = bx - ax, dy = by - ay;
    const double lunghezza = std::sqrt(dx * dx + dy * dy);
    if (lunghezza == 0) return std::sqrt((px - ax) * (px - ax) + (py - ay) * (py - ay));
    return std::fabs(dx * (py - ay) - dy * (px - ax)) / lunghezza;
}

// The metres from a to b that draw the line within a quarter of a drawing
// unit: a dense sample (at most about 20000 points), thinned by Douglas-Peucker.
std::vector<std::int32_t> metri_da_disegnare(const geometria& g, std::int32_t a, std::int32_t b) {
    std::vector<std::int32_t> c;
    const std::int32_t passo = (b - a) / 20000 + 1;
    for (std::int32_t m = a; m < b; m += passo) c.push_back(m);
    c.push_back(b);
    if (c.size() <= 2) return c;
    std::vector<bool> tieni(c.size(), false);
    tieni.front() = tieni.back() = true;
    std::vector<std::pair<std::size_t, std::size_t>> pila{{0, c.size() - 1}};
    while (!pila.empty()) {
        const auto [i, j] = pila.back();
        pila.pop_back();
        double massimo = 0;
        std::size_t k = i;
        for (std::size_t x = i + 1; x < j; ++x) {
            const double d = distanza_da_corda(g, c[i], c[j], c[x]);
            if (d > massimo) {
                massimo = d;
                k = x;
            }
        }
        if (massimo <= 0.25) continue;
        tieni[k] = true;
        pila.push_back({i, k});
        pila.push_back({k, j});
    }
    std::vector<std::int32_t> r;
    for (std::size_t i = 0; i < c.size(); ++i) {
        if (tieni[i]) r.push_back(c[i]);
    }
    return r;
}

void punti(uscita_pagina& u, const geometria& g, const std::vector<std::int32_t>& metri) {
    for (std::size_t i = 0; i < metri.size(); ++i) {
        if (i > 0) u << " ";
        u << coord(g.X(metri[i])) << "," << coord(g.Y(metri[i]));
    }
}

// A stretch of the line from metre a to metre b as a polyline of `classe`,
// with `altro` (attributes, each with a leading blank).
void tratto_linea(uscita_pagina& u, const geometria& g, std::int64_t a, std::int64_t b, const char* classe,
                  const std::string& testo, const std::string& altro = "") {
    const std::int32_t da = g.limita(a), fino = g.limita(b);
    if (fino <= da) return;
    u << "<polyline class=\"" << classe << "\"" << altro << " points=\"";
    punti(u, g, metri_da_disegnare(g, da, fino));
    u << "\">";
    if (!testo.empty()) u << titolo_svg(testo);
    u << "</polyline>\n";
}

void cerchio(uscita_pagina& u, double x, double y, double r, const char* classe, const std::string& dati,
             const std::string& testo) {
    u << "<circle class=\"" << classe << "\"" << dati << " cx=\"" << coord(x) << "\" cy=\"" << coord(y) << "\" r=\""
      << coord(r) << "\">" << titolo_svg(testo) << "</circle>\n";
}

rettangolo scatola(double x, double y, double r) { return {x - r, y - r, 2 * r, 2 * r}; }

// What the labels must keep clear of, and the labels themselves.
struct etichette_pianta {
    std::vector<richiesta_etichetta> richieste;
    std::vector<std::string> testi;
    std::vector<const char*> classi;
    std::vector<rettangolo> ostacoli;
};

void chiedi(etichette_pianta& e, double x, double y, double dx, double dy, const std::string& testo, double corpo,
            const char* classe) {
    const double l = larghezza_testo(testo, corpo) + 4;
    e.richieste.push_back({x, y, l, corpo * 1.35, dx, dy});
    e.testi.push_back(testo);
    e.classi.push_back(classe);
}

// The parts' labels and obstacles one after the other, in the order given:
// a label placed earlier chooses first.
etichette_pianta unite(std::initializer_list<etichette_pianta*> parti) {
    etichette_pianta e;
    for (etichette_pianta* p : parti) {
        e.richieste.insert(e.richieste.end(), p->richieste.begin(), p->richieste.end());
        std::move(p->testi.begin(), p->testi.end(), std::back_inserter(e.testi));
        e.classi.insert(e.classi.end(), p->classi.begin(), p->classi.end());
        e.ostacoli.insert(e.ostacoli.end(), p->ostacoli.begin(), p->ostacoli.end());
    }
    return e;
}

// The unit normal of the line at metre m (screen coordinates), turned to
// one side or the other.
void normale(const geometria& g, std::int64_t m, bool sinistra, double& nx, double& ny) {
    const double hx = g.X(m + 25) - g.X(m - 25), hy = g.Y(m + 25) - g.Y(m - 25);
    const double l = std::sqrt(hx * hx + hy * hy);
    nx = 0;
    ny = -1;
    if (l > 0) {
        nx = -hy / l;
        ny = hx / l;
    }
    if (!sinistra) {
        nx = -nx;
        ny = -ny;
    }
}

// The labels in their places: the leader lines first, under every label.
void disegna_etichette(uscita_pagina& u, const etichette_pianta& e, const std::vector<segmento>& linee,
                       const rettangolo& area) {
    const std::vector<etichetta_posta> poste = disponi_etichette(e.richieste, linee, e.ostacoli, area);
    u << "<g class=\"etichette\">\n";
    for (std::size_t i = 0; i < poste.size(); ++i) {
        const etichetta_posta& p = poste[i];
        const richiesta_etichetta& q = e.richieste[i];
        if (!p.guida) continue;
        u << "<line class=\"guida\" x1=\"" << coord(q.px) << "\" y1=\"" << coord(q.py) << "\" x2=\"" << coord(p.gx)
          << "\" y2=\"" << coord(p.gy) << "\"/>\n";
    }
    for (std::size_t i = 0; i < poste.size(); ++i) {
        const etichetta_posta& p = poste[i];
        u << "<rect class=\"fondo-etichetta\" x=\"" << coord(p.r.x) << "\" y=\"" << coord(p.r.y) << "\" width=\""
          << coord(p.r.l) << "\" height=\"" << coord(p.r.a) << "\"/>";
        u << "<text class=\"" << e.classi[i] << "\" x=\"" << coord(p.r.x + 2) << "\" y=\""
          << coord(p.r.y + p.r.a * 0.76) << "\" textLength=\"" << coord(p.r.l - 4)
          << "\" lengthAdjust=\"spacingAndGlyphs\">" << escape_html(e.testi[i]) << "</text>\n";
    }
    u << "</g>\n";
}

// What every part of the plan's drawing reads.
struct disegno_pianta {
    const modello_scenario& m;
    const oggetti_vista& o;
    const fonti_vista& f;
    const geometria& g;
    std::int64_t lunghezza;  // the declared length, at least 0
};

// Kilometre posts along the line: every 1, 2, 5, 10 ... km, at most 8.
std::int64_t passo_cippi(std::int64_t lunghezza) {
    for (std::int64_t p = 1000;; p *= 10) {
        for (const std::int64_t f : {1, 2, 5}) {
            if (lunghezza / (p * f) <= 8) return p * f;
        }
    }
}

// The posts between the start and the end, each a tick across the line with
// its reading, and its hover text.
void cippi(uscita_pagina& u, const disegno_pianta& d, etichette_pianta& e) {
    const geometria& g = d.g;
    const std::int64_t fino = std::min<std::int64_t>(d.lunghezza - 1, g.ultimo);
    for (const cippo_vista& c : cippi_tra(d.o.chilometri, 0, fino, passo_cippi(d.lunghezza))) {
        if (c.metro == 0) continue;  // the start names its own reading
        double nx, ny;
        normale(g, c.metro, true, nx, ny);
        const double x = g.X(c.metro), y = g.Y(c.metro);
        u << "<g class=\"cippo\"" << dati_cippo(c.metro, c.lettura) << ">"
          << titolo_svg(titolo_cippo(c, d.o.chilometri, d.m, d.f.file_linea)) << "<line x1=\"" << coord(x - nx * 5)
          << "\" y1=\"" << coord(y - ny * 5) << "\" x2=\"" << coord(x + nx * 5) << "\" y2=\"" << coord(y + ny * 5)
          << "\"/></g>\n";
        e.ostacoli.push_back(scatola(x, y, 4));
        chiedi(e, x, y, -nx, -ny, "km "s + km_breve(c.lettura), 10, "nome-cippo");
    }
}

// Each curve over the line, in the colour of its side, with its hover text.
void curve_pianta(uscita_pagina& u, const disegno_pianta& d) {
    for (const curva_vista& c : d.o.curve) {
        if (c.inizio >= d.g.ultimo) break;
        tratto_linea(u, d.g, c.inizio, c.fine, c.sinistra ? "curva-sinistra" : "curva-destra",
                     titolo_curva(c, d.o.chilometri, d.f.file_linea), dati_curva(c));
    }
}

std::int64_t lunghezza_barra(double s) {
    const double obiettivo = 200 / s;
    std::int64_t migliore = 1;
    for (std::int64_t p = 1; p <= 100000000; p *= 10) {
        for (const std::int64_t f : {1, 2, 5}) {
            if (static_cast<double>(p * f) <= obiettivo) migliore = p * f;
        }
    }
    return migliore;
}

void barra_scala(uscita_pagina& u, const geometria& g) {
    const std::int64_t metri = lunghezza_barra(g.s);
    const double l = static_cast<double>(metri) * g.s;
    const double x = 20, y = g.altezza - 16;
    const std::string testo = metri % 1000 == 0 ? intero(metri / 1000) + " km" : intero(metri) + " m";
    u << "<g class=\"scala\">";
    u << "<rect class=\"barra-nera\" x=\"" << coord(x) << "\" y=\"" << coord(y - 5) << "\" width=\"" << coord(l / 2)
      << "\" height=\"5\"/>";
    u << "<rect class=\"barra-bianca\" x=\"" << coord(x + l / 2) << "\" y=\"" << coord(y - 5) << "\" width=\""
      << coord(l / 2) << "\" height=\"5\"/>";
    u << "<text x=\"" << coord(x) << "\" y=\"" << coord(y - 9) << "\">0</text>";
    u << "<text x=\"" << coord(x + l) << "\" y=\"" << coord(y - 9) << "\" text-anchor=\"middle\">" << testo
      << "</text>";
    u << "<text x=\"" << coord(larghezza - 20) << "\" y=\"" << coord(y)
      << "\" text-anchor=\"end\">x to the right, y up: one scale on both axes</text>";
    u << "</g>\n";
}


// Mountain spans, under the line.
void sotto_la_linea(uscita_pagina& u, const disegno_pianta& d) {
    for (const tratto& t : d.o.montagne) {
        tratto_linea(u, d.g, metro_cella(t.prima), metro_cella(t.ultima + 1), "montagna-pianta",
                     titolo_montagna(d.m, t, d.f));
    }
}

// Slowdowns and the extents of the stations, over the line.
void sopra_la_linea(uscita_pagina& u, const disegno_pianta& d) {
    for (const rallentamento_vista& r : d.o.rallentamenti) {
        tratto_linea(u, d.g, metro_cella(r.inizio), metro_cella(r.fine) + metri_cella, "rallentamento-pianta",
                     titolo_rallentamento(d.m, r, d.f));
    }
    for (const stazione_vista& x : d.o.stazioni) {
        const voce_scenario& v = d.m.scenario[static_cast<std::size_t>(x.voce)];
        tratto_linea(u, d.g, v.valore1, v.valore2, "estensione", titolo_stazione(d.m, x, d.f));
    }
}

void segnali_e_cartelli(uscita_pagina& u, const disegno_pianta& d, etichette_pianta& e) {
    for (const marca_vista& x : d.o.marche) {
        if (x.tipo != tipo_marca::segnale && x.tipo != tipo_marca::cartello) continue;
        const bool segnale = x.tipo == tipo_marca::segnale;
        const double r = segnale ? 3.5 : 3;
        const double px = d.g.X(metro_cella(x.cella)), py = d.g.Y(metro_cella(x.cella));
        cerchio(u, px, py, r, segnale ? "segnale" : "cartello", " data-cella=\""s + intero(x.cella) + "\"",
                titolo_marca(d.m, x, d.f));
        e.ostacoli.push_back(scatola(px, py, r));
    }
}

// The stations' marks, and their names asked for on alternate sides of the line.
void stazioni_pianta(uscita_pagina& u, const disegno_pianta& d, etichette_pianta& e) {
    for (std::size_t i = 0; i < d.o.stazioni.size(); ++i) {
        const stazione_vista& x = d.o.stazioni[i];
        const std::int64_t pos = d.m.scenario[static_cast<std::size_t>(x.voce)].valore3;
        const double px = d.g.X(pos), py = d.g.Y(pos);
        cerchio(u, px, py, 5, "stazione", " data-voce=\""s + intero(x.voce) + "\"", titolo_stazione(d.m, x, d.f));
        e.ostacoli.push_back(scatola(px, py, 5));
        double nx, ny;
        normale(d.g, pos, i % 2 == 0, nx, ny);
        chiedi(e, px, py, nx, ny, nome_stazione(d.m, x), corpo_nome, "nome-stazione");
    }
}

// Start and end, drawn larger than a station's mark, which may stand on them.
void inizio_e_fine(uscita_pagina& u, const disegno_pianta& d, etichette_pianta& e) {
    const geometria& g = d.g;
    const chilometri_vista& k = d.o.chilometri;
    cerchio(u, g.X(0), g.Y(0), 8.5, "inizio", dati_cippo(0, lettura(k, 0)),
            "Start of the line: metre 0"s + (k.propri ? ", km "s + km_breve(lettura(k, 0)) : ""s));
    e.ostacoli.push_back(scatola(g.X(0), g.Y(0), 8.5));
    double nx, ny;
    normale(g, 0, true, nx, ny);
    chiedi(e, g.X(0), g.Y(0), nx, ny, k.propri ? "start, km "s + km_breve(lettura(k, 0)) : "start"s, corpo_fine,
           "estremo");
    if (d.lunghezza > g.ultimo) return;
    const double x = g.X(d.lunghezza), y = g.Y(d.lunghezza);
    u << rettangolo_svg(x - 7.5, y - 7.5, 15, 15, "fine",
                        titolo_fine_linea(d.m, d.f) +
                            (k.propri ? "\nthe line counts it as km "s + km_breve(lettura(k, d.lunghezza)) : ""s),
                        dati_cippo(d.lunghezza, lettura(k, d.lunghezza)));
    e.ostacoli.push_back(scatola(x, y, 7.5));
    normale(g, d.lunghezza, true, nx, ny);
    chiedi(e, x, y, nx, ny, "end, km "s + km(lettura(k, d.lunghezza)), corpo_fine, "estremo");
}

}  // namespace

std::int32_t metri_con_valore(const planimetria_linea& p) {
    if (p.ultimo_metro < 0) return 0;
    const std::size_t elementi = 2 * (static_cast<std::size_t>(p.ultimo_metro) + 1);
    if (p.tipi.size() != elementi || p.valori.size() != elementi) return 0;
    std::int32_t n = 0;
    while (n <= p.ultimo_metro && ha_valore(p, n)) ++n;
    return n;
}

bool svg_pianta(uscita_pagina& u, const modello_scenario& m, const oggetti_vista& o, std::int64_t fine,
                const fonti_vista& f) {
    const std::int32_t con_valore = metri_con_valore(m.planimetria);
    if (con_valore < 2) return false;
    const std::int32_t ultimo = static_cast<std::int32_t>(fine < con_valore - 1 ? fine : con_valore - 1);
    const geometria g = prepara(m.planimetria, ultimo);
    // Coordinates so far apart that their span is no number cannot be drawn.
    if (!std::isfinite(g.s) || !(g.s > 0) || !std::isfinite(g.ox) || !std::isfinite(g.oy)) return false;
    const disegno_pianta d{m, o, f, g, o.lunghezza < 0 ? 0 : o.lunghezza};

    std::vector<segmento> linee;
    const std::vector<std::int32_t> linea = metri_da_disegnare(g, 0, g.limita(d.lunghezza));
    for (std::size_t i = 1; i < linea.size(); ++i) {
        linee.push_back({g.X(linea[i - 1]), g.Y(linea[i - 1]), g.X(linea[i]), g.Y(linea[i])});
    }

    const std::string alto = coord(g.altezza);
    u << "<svg class=\"pianta\" viewBox=\"0 0 " << coord(larghezza) << " " << alto
      << "\" role=\"img\" aria-label=\"Plan of the line\">\n";
    u << "<rect class=\"sfondo\" x=\"0\" y=\"0\" width=\"" << coord(larghezza) << "\" height=\"" << alto << "\"/>\n";
    sotto_la_linea(u, d);
    tratto_linea(u, g, 0, d.lunghezza, "linea", "");
    tratto_linea(u, g, d.lunghezza, ultimo, "oltre", "Track beyond the end of the line");
    // Each part asks for its labels as it is drawn; they are placed once all
    // are drawn, the stations' names choosing first, then the kilometre
    // posts, then the start and the end.
    etichette_pianta segnali, stazioni, posti_km, estremi;
    curve_pianta(u, d);
    cippi(u, d, posti_km);
    sopra_la_linea(u, d);
    segnali_e_cartelli(u, d, segnali);
    inizio_e_fine(u, d, estremi);
    stazioni_pianta(u, d, stazioni);
    disegna_etichette(u, unite({&segnali, &stazioni, &posti_km, &estremi}), linee,
                      {4, 4, larghezza - 8, g.altezza - striscia - 8});
    barra_scala(u, g);
    u << "</svg>\n";
    return true;
}

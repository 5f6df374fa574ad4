#include "tools/vista/vista_profilo.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <utility>
#include <vector>

#include "tools/vista/dati_vista.h"
#include "tools/vista/etichette.h"
#include "tools/vista/svg_vista.h"

using namespace std::string_literals;

namespace {

constexpr double larghezza = 1300;
constexpr double x0 = 134;
constexpr double x1 = 1284;
constexpr double alto_riga = 17;  // one row of station names
constexpr double corpo_nome = 12;
constexpr double alto_corsia = 16;  // one lane of marks
constexpr double spazio = 22;       // between panels, with the panel's title

// Metres along the line to drawing x.
struct scala_x {
    std::int64_t fine = 1;
    double X(std::int64_t m) const {
        const std::int64_t c = m < 0 ? 0 : (m > fine ? fine : m);
        return x0 + (x1 - x0) * static_cast<double>(c) / static_cast<double>(fine);
    }
};

struct pannello {
    double y = 0, a = 0;
    double minimo = 0, massimo = 1;
    double Y(double v) const { return y + a - (v - minimo) * a / (massimo - minimo); }
};

// --- station names in rows --------------------------------------------------

struct nome_in_riga {
    double x = 0, l = 0;  // left edge and width of the name
    double guida = 0;     // x of the leader line down to the station
    int riga = 0;         // 0 is the row nearest the lanes
};

bool coperto(double x, double sinistra, double l) { return x >= sinistra - 3 && x <= sinistra + l + 3; }

bool sovrapposti(const nome_in_riga& a, const nome_in_riga& b) {
    return a.riga == b.riga && a.x < b.x + b.l + 8 && b.x < a.x + a.l + 8;
}

// A name covers no leader line of another station (leaders at its own x
// aside) and overlaps no name of its row.
bool posto_libero(const std::vector<nome_in_riga>& posti, const std::vector<double>& guide, const nome_in_riga& n,
                  bool guide_libere) {
    for (const nome_in_riga& p : posti) {
        if (sovrapposti(p, n)) return false;
    }
    if (!guide_libere) return true;
    for (const double g : guide) {
        if (std::fabs(g - n.guida) > 1 && coperto(g, n.x, n.l)) return false;
    }
    return true;
}

// The lowest of the first rows where the name, centred on its station, or
// beginning or ending at it, is clear of the names and of every leader line;
// else the lowest row where it overlaps no name.
nome_in_riga colloca(const std::vector<nome_in_riga>& posti, const std::vector<double>& guide, double guida, double l) {
    nome_in_riga n;
    n.l = l;
    n.guida = guida;
    const double allineamenti[3] = {guida - l / 2, guida - 6, guida + 6 - l};
    for (n.riga = 0; n.riga < 6; ++n.riga) {
        for (const double x : allineamenti) {
            n.x = std::clamp(x, 4.0, larghezza - 4 - l);
            if (posto_libero(posti, guide, n, true)) return n;
        }
    }
    n.x = std::clamp(allineamenti[0], 4.0, larghezza - 4 - l);
    for (n.riga = 0; !posto_libero(posti, guide, n, false); ++n.riga) {
    }
    return n;
}

std::vector<nome_in_riga> nomi_in_righe(const modello_scenario& m, const oggetti_vista& o, const scala_x& sx) {
    std::vector<double> guide;
    for (const stazione_vista& s : o.stazioni)
        guide.push_back(sx.X(m.scenario[static_cast<std::size_t>(s.voce)].valore3));
    std::vector<nome_in_riga> posti;
    for (std::size_t i = 0; i < o.stazioni.size(); ++i) {
        posti.push_back(
            colloca(posti, guide, guide[i], larghezza_testo(nome_stazione(m, o.stazioni[i]), corpo_nome) + 4));
    }
    return posti;
}

int numero_righe(const std::vector<nome_in_riga>& posti) {
    int n = 1;
    for (const nome_in_riga& p : posti) n = std::max(n, p.riga + 1);
    return n;
}

// --- runs of cell values ------------------------------------------------------

struct valori_pannello {
    const std::vector<tratto>* tratti = nullptr;
    valore_cella quale = valore_cella::pendenza;  // gradient, speed limit or adhesion
    const fonti_vista* fonti = nullptr;          // for the hovers: the records that set the runs
    std::string classe;
    bool area = false;  // filled down to 0
};

// The runs that lie within the drawn metres, clipped to them.
std::vector<tratto> visibili(const std::vector<tratto>& t, const scala_x& sx) {
    std::vector<tratto> r;
    for (tratto x : t) {
        if (metro_cella(x.prima) >= sx.fine) break;
        r.push_back(x);
    }
    return r;
}

std::int64_t fine_tratto(const tratto& t, const scala_x& sx) {
    return std::min<std::int64_t>(metro_cella(t.ultima + 1), sx.fine);
}

void scalini(uscita_pagina& u, const std::vector<tratto>& t, const scala_x& sx, const pannello& p, bool area) {
    if (t.empty()) return;
    u << "M" << coord(sx.X(metro_cella(t.front().prima)));
    if (area) {
        u << " " << coord(p.Y(0)) << " V";
    } else {
        u << " ";
    }
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (i > 0) u << " V";
        u << coord(p.Y(t[i].valore)) << " H" << coord(sx.X(fine_tratto(t[i], sx)));
    }
    if (area) u << " V" << coord(p.Y(0)) << " Z";
}

// A hover zone over each run, with the run's metres and value as data
// (data-pendenza, data-velocita, data-aderenza: "data-" and the class).
void zone_tratti(uscita_pagina& u, const std::vector<tratto>& t, const scala_x& sx, const pannello& p,
                 const valori_pannello& v) {
    for (const tratto& x : t) {
        const std::int64_t da = metro_cella(x.prima), fino = fine_tratto(x, sx);
        const double a = sx.X(da), b = sx.X(fino);
        u << rettangolo_svg(a, p.y, b - a, p.a, "zona", titolo_tratto(v.quale, x, da, fino, *v.fonti),
                            dati_tratto(da, fino) + " data-" + v.classe + "=\"" + intero(x.valore) + "\"");
    }
}

// The smallest of 1, 2, 5 times a power of ten that is at least v.
double tondo(double v) {
    for (double p = 1;; p *= 10) {
        for (const double f : {1.0, 2.0, 5.0}) {
            if (f * p >= v) return f * p;
        }
    }
}

// Grid lines with their values: 0 and round steps, and the lowest and highest
// value when they stand clear of the others.
void livelli_svg(uscita_pagina& u, const pannello& p, double minimo, double massimo) {
    const double passo = tondo((massimo - minimo) / 4);
    std::vector<double> livelli;
    for (double q = 0; q <= massimo; q += passo) livelli.push_back(q);
    for (double q = -passo; q >= minimo; q -= passo) livelli.push_back(q);
    for (const double q : {minimo, massimo}) {
        bool lontano = true;
        for (const double l : livelli) lontano = lontano && std::fabs(p.Y(l) - p.Y(q)) > 14;
        if (lontano) livelli.push_back(q);
    }
    for (const double q : livelli) {
        u << linea_svg(x0, p.Y(q), x1, p.Y(q), q == 0 ? "zero" : "griglia");
        u << testo_svg(x0 - 6, p.Y(q) + 4, q == std::trunc(q) ? intero(static_cast<std::int64_t>(q)) : decimale(q, 1),
                       "asse", "end");
    }
}

void pannello_svg(uscita_pagina& u, const valori_pannello& v, const scala_x& sx, pannello p, const std::string& titolo) {
    const std::vector<tratto> t = visibili(*v.tratti, sx);
    double minimo = 0, massimo = 0;
    for (const tratto& x : t) {
        minimo = std::min<double>(minimo, x.valore);
        massimo = std::max<double>(massimo, x.valore);
    }
    if (minimo == 0 && massimo == 0) massimo = 1;
    const double margine = (massimo - minimo) * 0.12;
    p.minimo = minimo < 0 ? minimo - margine : 0;
    p.massimo = massimo + margine;
    u << "<g class=\"pannello\">\n";
    u << rettangolo_svg(x0, p.y, x1 - x0, p.a, "cornice");
    livelli_svg(u, p, minimo, massimo);
    if (v.area) {
        u << "<path class=\"" << v.classe << "-area\" d=\"";
        scalini(u, t, sx, p, true);
        u << "\"/>\n";
    }
    u << "<path class=\"" << v.classe << "\" d=\"";
    scalini(u, t, sx, p, false);
    u << "\"/>\n";
    u << testo_svg(x0, p.y - 6, titolo, "titolo-pannello");
    zone_tratti(u, t, sx, p, v);
    u << "</g>\n";
}

// --- the height of the line ----------------------------------------------------

// The runs of heights that lie within the drawn metres, clipped to them.
std::vector<quota_vista> quote_visibili(const std::vector<quota_vista>& q, const scala_x& sx) {
    std::vector<quota_vista> r;
    for (quota_vista x : q) {
        const std::int64_t da = metro_cella(x.prima);
        if (da >= sx.fine) break;
        const std::int64_t fino = metro_cella(x.ultima + 1);
        if (fino > sx.fine) {
            x.a = x.da + (x.a - x.da) * static_cast<double>(sx.fine - da) / static_cast<double>(fino - da);
        }
        r.push_back(x);
    }
    return r;
}

std::int64_t fine_quota(const quota_vista& q, const scala_x& sx) {
    return std::min<std::int64_t>(metro_cella(q.ultima + 1), sx.fine);
}

// How much steeper the heights are drawn than the lengths: "250", "1.5".
std::string esagerazione(const scala_x& sx, const pannello& p) {
    const double orizzontale = (x1 - x0) / static_cast<double>(sx.fine);
    const double verticale = p.a / (p.massimo - p.minimo);
    const double e = verticale / orizzontale;
    return e >= 10 ? intero(std::llround(e)) : decimale(e, 1);
}

// The height from 0 at the start, climbing by each run's gradient, as a
// line with a hover zone over each run; the title states the scale.
void quote_svg(uscita_pagina& u, const oggetti_vista& o, const scala_x& sx, pannello p, const chilometri_vista& k) {
    const std::vector<quota_vista> q = quote_visibili(o.quote, sx);
    double minimo = 0, massimo = 0;
    for (const quota_vista& x : q) {
        minimo = std::min({minimo, x.da, x.a});
        massimo = std::max({massimo, x.da, x.a});
    }
    if (massimo - minimo < 1) massimo = minimo + 1;
    const double margine = (massimo - minimo) * 0.12;
    p.minimo = minimo - (minimo < 0 ? margine : 0);
    p.massimo = massimo + margine;
    u << "<g class=\"pannello\">\n";
    u << rettangolo_svg(x0, p.y, x1 - x0, p.a, "cornice");
    livelli_svg(u, p, minimo, massimo);
    if (!q.empty()) {
        u << "<path class=\"quota\" d=\"M" << coord(sx.X(metro_cella(q.front().prima))) << " "
          << coord(p.Y(q.front().da));
        for (const quota_vista& x : q) u << " L" << coord(sx.X(fine_quota(x, sx))) << " " << coord(p.Y(x.a));
        u << "\"/>\n";
    }
    u << testo_svg(x0, p.y - 6,
                   "Height, m: from 0 at the start, climbing by the gradients (\u2030); drawn "s + esagerazione(sx, p) +
                       " times steeper than the lengths",
                   "titolo-pannello");
    for (const quota_vista& x : q) {
        const std::int64_t da = metro_cella(x.prima), fino = fine_quota(x, sx);
        const double a = sx.X(da), b = sx.X(fino);
        u << rettangolo_svg(a, p.y, b - a, p.a, "zona",
                            "height "s + decimale(x.da, 2) + " m to " + decimale(x.a, 2) + " m " +
                                da_metro_a_metro(k, da, fino) + ", gradient " + intero(x.pendenza) + " \u2030",
                            dati_tratto(da, fino) + " data-quota-inizio=\"" + decimale(x.da, 2) +
                                "\" data-quota-fine=\"" + decimale(x.a, 2) + "\"");
    }
    u << "</g>\n";
}

// --- lanes of marks -----------------------------------------------------------

// The lanes, from the top.
constexpr int corsia_bande = 0;
constexpr int corsia_stazioni = 1;
constexpr int corsia_segnali = 2;
constexpr int corsia_tabelle = 3;
constexpr int corsia_cartelli = 4;
constexpr int corsia_curve = 5;
constexpr int corsie = 6;

constexpr const char* nomi_corsie[corsie] = {"slowdowns, mountains", "stations", "signals", "boards",
                                             "signs, indicators", "curves: side, grade"};

// Shapes of the marks, each centred on its cell in its lane.
enum class forma : std::uint8_t { palo, triangolo, barretta, rombo, targa, quadrato };

struct marca_corsia {
    tipo_marca tipo;
    int dove;
    const char* classe;
    forma disegno;
};

constexpr marca_corsia marche_in_corsia[] = {
    {tipo_marca::segnale, corsia_segnali, "segnale", forma::palo},
    {tipo_marca::avviso, corsia_tabelle, "avviso", forma::triangolo},
    {tipo_marca::preavviso, corsia_tabelle, "preavviso", forma::barretta},
    {tipo_marca::abbattimento, corsia_tabelle, "abbattimento", forma::quadrato},
    {tipo_marca::tabella_180, corsia_tabelle, "tabella-180", forma::quadrato},
    {tipo_marca::cartello, corsia_cartelli, "cartello", forma::targa},
    {tipo_marca::indicatori, corsia_cartelli, "indicatori", forma::rombo},
    {tipo_marca::sconosciuto, corsia_cartelli, "sconosciuto", forma::quadrato},
};

std::string rettangolo_centrato(double x, double y, double l, double a) {
    return "<rect x=\""s + coord(x - l / 2) + "\" y=\"" + coord(y - a / 2) + "\" width=\"" + coord(l) + "\" height=\"" +
           coord(a) + "\"/>";
}

// A closed path through the points.
std::string poligono(std::initializer_list<std::pair<double, double>> punti) {
    std::string d;
    for (const auto& [x, y] : punti) d += (d.empty() ? "M" : " L") + coord(x) + " " + coord(y);
    return "<path d=\""s + d + " Z\"/>";
}

// The drawing of one mark at x in a lane whose top is y.
std::string forma_marca(forma f, double x, double y) {
    const double m = y + alto_corsia / 2;
    switch (f) {
        case forma::palo:
            return linea_svg(x, y + alto_corsia - 1, x, y + 5, "") + "<circle cx=\"" + coord(x) + "\" cy=\"" +
                   coord(y + 5) + "\" r=\"3.5\"/>";
        case forma::triangolo:
            return poligono({{x, y + 2}, {x + 5, y + 12}, {x - 5, y + 12}});
        case forma::barretta:
            return rettangolo_centrato(x, m, 2, 6);
        case forma::rombo:
            return poligono({{x, m - 6}, {x + 5, m}, {x, m + 6}, {x - 5, m}});
        case forma::targa:
            return rettangolo_centrato(x, m, 10, 8);
        case forma::quadrato:
            break;
    }
    return rettangolo_centrato(x, m, 7, 7);
}

void marche_svg(uscita_pagina& u, const modello_scenario& m, const oggetti_vista& o, const scala_x& sx, double y,
                const fonti_vista& f) {
    for (const marca_corsia& k : marche_in_corsia) {
        for (const marca_vista& x : o.marche) {
            if (x.tipo != k.tipo || metro_cella(x.cella) > sx.fine) continue;
            u << "<g class=\"" << k.classe << "\" data-cella=\"" << intero(x.cella) << "\">"
              << titolo_svg(titolo_marca(m, x, f))
              << forma_marca(k.disegno, sx.X(metro_cella(x.cella)), y + k.dove * alto_corsia) << "</g>\n";
        }
    }
}

void stazioni_svg(uscita_pagina& u, const modello_scenario& m, const oggetti_vista& o, const scala_x& sx, double y,
                  const fonti_vista& f) {
    const double cy = y + corsia_stazioni * alto_corsia;
    for (const stazione_vista& x : o.stazioni) {
        const voce_scenario& v = m.scenario[static_cast<std::size_t>(x.voce)];
        const double a = sx.X(std::min(v.valore1, v.valore2)), b = sx.X(std::max(v.valore1, v.valore2));
        const double p = sx.X(v.valore3);
        const double l = std::max(b - a, 3.0);
        u << "<g class=\"stazione\" data-voce=\"" << intero(x.voce) << "\">" << titolo_svg(titolo_stazione(m, x, f))
          << "<rect x=\"" << coord(a) << "\" y=\"" << coord(cy + 3) << "\" width=\"" << coord(l)
          << "\" height=\"10\"/><line x1=\"" << coord(p) << "\" y1=\"" << coord(cy + 1) << "\" x2=\"" << coord(p)
          << "\" y2=\"" << coord(cy + 15) << "\"/></g>\n";
    }
}

// Each curve as a bar in its lane, in the colour of its side, with its side
// and grade ("R3", "L5") when the bar is wide enough.
void curve_svg(uscita_pagina& u, const oggetti_vista& o, const scala_x& sx, double y, const fonti_vista& f) {
    const double cy = y + corsia_curve * alto_corsia;
    for (const curva_vista& c : o.curve) {
        if (c.inizio >= sx.fine) break;
        const double a = sx.X(c.inizio), b = std::max(sx.X(c.fine), a + 1.5);
        u << "<g class=\"" << (c.sinistra ? "curva-sinistra" : "curva-destra") << "\"" << dati_curva(c) << ">"
          << titolo_svg(titolo_curva(c, o.chilometri, f.file_linea))
          << "<rect x=\"" << coord(a) << "\" y=\"" << coord(cy + 3) << "\" width=\"" << coord(b - a)
          << "\" height=\"" << coord(alto_corsia - 6) << "\"/>";
        if (b - a >= 22) {
            u << testo_svg((a + b) / 2, cy + 12, (c.sinistra ? "L"s : "R"s) + intero(c.grado), "grado-curva",
                           "middle");
        }
        u << "</g>\n";
    }
}

// Bands across the lanes and the panels: mountain spans, slowdowns, and the
// track beyond the end of the line. The hover text is in the band's lane.
void bande_svg(uscita_pagina& u, const modello_scenario& m, const oggetti_vista& o, const scala_x& sx, double y,
               double fondo, const fonti_vista& f) {
    const double corsia_y = y + corsia_bande * alto_corsia;
    auto banda = [&](std::int64_t da, std::int64_t a, const std::string& classe, const std::string& testo) {
        if (da >= sx.fine) return;
        const double xa = sx.X(da), xb = std::max(sx.X(a), xa + 1.5);
        u << rettangolo_svg(xa, y, xb - xa, fondo - y, classe);
        u << rettangolo_svg(xa, corsia_y + 2, xb - xa, alto_corsia - 4, classe + "-corsia", testo);
    };
    for (const tratto& t : o.montagne) {
        banda(metro_cella(t.prima), metro_cella(t.ultima + 1), "banda-montagna", titolo_montagna(m, t, f));
    }
    for (const rallentamento_vista& r : o.rallentamenti) {
        banda(metro_cella(r.inizio), metro_cella(r.fine + 1), "banda-rallentamento", titolo_rallentamento(m, r, f));
    }
}

void fine_linea_svg(uscita_pagina& u, const oggetti_vista& o, const scala_x& sx, double y, double fondo) {
    if (o.lunghezza <= 0 || o.lunghezza >= sx.fine) return;
    const double x = sx.X(o.lunghezza);
    u << rettangolo_svg(x, y, x1 - x, fondo - y, "oltre-fine", "Beyond the end of the line (the track goes on)")
      << linea_svg(x, y, x, fondo, "fine-linea")
      << testo_svg(std::min(x, x1 - 60), fondo + 34,
                   "end of the line, km "s + km(lettura(o.chilometri, o.lunghezza)), "asse", "middle");
}

// --- axis ---------------------------------------------------------------------------

std::int64_t passo_km(std::int64_t fine) {
    for (std::int64_t p = 100;; p *= 10) {
        for (const std::int64_t f : {1, 2, 5}) {
            if (fine / (p * f) <= 14) return p * f;
        }
    }
}

// A post of the axis, and whether its reading is written under it.
struct cippo_asse {
    cippo_vista c;
    bool scritto = true;
};

constexpr double corpo_asse = 11;

double larghezza_lettura(const cippo_vista& c) {
    return larghezza_testo(km_breve(c.lettura), corpo_asse) * (c.cambio ? 1.1 : 1);
}

// Two readings stand clear of each other.
bool distanti(const cippo_vista& a, const cippo_vista& b, const scala_x& sx) {
    const double spazio_minimo = (larghezza_lettura(a) + larghezza_lettura(b)) / 2 + 6;
    return std::fabs(sx.X(a.metro) - sx.X(b.metro)) >= spazio_minimo;
}

// The posts of the axis: every start of a progressive, its reading written
// when it stands clear of the readings written before it; then the round
// readings that stand clear of every reading written.
std::vector<cippo_asse> cippi_asse(const chilometri_vista& k, const scala_x& sx) {
    const std::vector<cippo_vista> tutti = cippi_tra(k, 0, sx.fine, passo_km(sx.fine));
    std::vector<cippo_asse> r;
    const auto libero = [&](const cippo_vista& c) {
        return std::all_of(r.begin(), r.end(), [&](const cippo_asse& a) { return !a.scritto || distanti(a.c, c, sx); });
    };
    for (const cippo_vista& c : tutti) {
        if (c.cambio) r.push_back({c, libero(c)});
    }
    for (const cippo_vista& c : tutti) {
        if (!c.cambio && libero(c)) r.push_back({c, true});
    }
    std::stable_sort(r.begin(), r.end(), [](const cippo_asse& a, const cippo_asse& b) { return a.c.metro < b.c.metro; });
    return r;
}

// The axis in the line's own kilometres, each post with its hover text.
void asse_svg(uscita_pagina& u, const modello_scenario& m, const oggetti_vista& o, const scala_x& sx, double y,
              double fondo, const fonti_vista& f) {
    const chilometri_vista& k = o.chilometri;
    u << "<g class=\"asse-x\">\n";
    for (const cippo_asse& a : cippi_asse(k, sx)) {
        const cippo_vista& c = a.c;
        const double x = sx.X(c.metro);
        u << linea_svg(x, y, x, fondo, "griglia-x");
        u << "<g class=\"tacca-km\"" << dati_cippo(c.metro, c.lettura) << ">"
          << titolo_svg(titolo_cippo(c, k, m, f.file_linea)) << linea_svg(x, fondo, x, fondo + 5, "tacca");
        if (a.scritto) {
            u << testo_svg(x, fondo + 18, km_breve(c.lettura), c.cambio ? "asse cambio-km" : "asse", "middle");
        }
        u << "</g>\n";
    }
    u << testo_svg(x0, fondo + 34, k.propri ? "km of the line (its kilometric progressives)" : "km along the line",
                   "asse");
    u << "</g>\n";
}

// The lanes with their names, and a dotted line down from each station.
void corsie_svg(uscita_pagina& u, const modello_scenario& m, const oggetti_vista& o, const scala_x& sx, double y,
                double fondo) {
    for (int c = 0; c < corsie; ++c) {
        const double yc = y + c * alto_corsia;
        if (c % 2 == 1) u << rettangolo_svg(x0, yc, x1 - x0, alto_corsia, "corsia");
        u << testo_svg(x0 - 6, yc + 12, nomi_corsie[c], "nome-corsia", "end");
    }
    for (const stazione_vista& x : o.stazioni) {
        const double px = sx.X(m.scenario[static_cast<std::size_t>(x.voce)].valore3);
        u << linea_svg(px, y + (corsia_stazioni + 1) * alto_corsia, px, fondo, "riferimento-stazione");
    }
}

// The station names in their rows, with leader lines down to the stations' lane.
void nomi_svg(uscita_pagina& u, const modello_scenario& m, const oggetti_vista& o, const std::vector<nome_in_riga>& nomi,
              double corsie_y) {
    const int righe = numero_righe(nomi);
    const auto alto_di = [righe](const nome_in_riga& n) { return 8 + (righe - 1 - n.riga) * alto_riga; };
    u << "<g class=\"etichette\">\n";
    for (const nome_in_riga& n : nomi) {
        u << linea_svg(n.guida, alto_di(n) + alto_riga - 3, n.guida, corsie_y + corsia_stazioni * alto_corsia + 3,
                       "guida");
    }
    for (std::size_t i = 0; i < nomi.size(); ++i) {
        const nome_in_riga& n = nomi[i];
        u << "<text class=\"nome-stazione\" x=\"" << coord(n.x + 2) << "\" y=\"" << coord(alto_di(n) + 12)
          << "\" textLength=\"" << coord(n.l - 4) << "\" lengthAdjust=\"spacingAndGlyphs\">"
          << escape_html(nome_stazione(m, o.stazioni[i])) << "</text>\n";
    }
    u << "</g>\n";
}

}  // namespace

void svg_profilo(uscita_pagina& u, const modello_scenario& m, const oggetti_vista& o, std::int64_t fine,
                 const fonti_vista& f) {
    scala_x sx;
    sx.fine = fine > 0 ? fine : 1;
    const std::vector<nome_in_riga> nomi = nomi_in_righe(m, o, sx);
    const int righe = numero_righe(nomi);
    const double corsie_y = 8 + righe * alto_riga + 6;
    const pannello quota{corsie_y + corsie * alto_corsia + spazio, 110};
    const pannello pendenza{quota.y + quota.a + spazio, 110};
    const pannello velocita{pendenza.y + pendenza.a + spazio, 110};
    const pannello aderenza{velocita.y + velocita.a + spazio, 64};
    const double fondo = aderenza.y + aderenza.a;
    const double altezza = fondo + 44;
    const chilometri_vista& k = o.chilometri;

    u << "<svg class=\"profilo\" viewBox=\"0 0 " << coord(larghezza) << " " << coord(altezza)
      << "\" role=\"img\" aria-label=\"Profile of the line\">\n";
    u << rettangolo_svg(0, 0, larghezza, altezza, "sfondo");
    asse_svg(u, m, o, sx, corsie_y, fondo, f);
    fine_linea_svg(u, o, sx, corsie_y, fondo);
    bande_svg(u, m, o, sx, corsie_y, fondo, f);
    corsie_svg(u, m, o, sx, corsie_y, fondo);
    quote_svg(u, o, sx, quota, k);
    pannello_svg(u, {&o.pendenze, valore_cella::pendenza, &f, "pendenza", true}, sx, pendenza,
                 "Gradient, \u2030 (per mille), as written");
    pannello_svg(u, {&o.velocita, valore_cella::velocita, &f, "velocita", false}, sx, velocita, "Speed limit, km/h");
    pannello_svg(u, {&o.aderenze, valore_cella::aderenza, &f, "aderenza", false}, sx, aderenza, "Adhesion");
    curve_svg(u, o, sx, corsie_y, f);
    stazioni_svg(u, m, o, sx, corsie_y, f);
    marche_svg(u, m, o, sx, corsie_y, f);
    nomi_svg(u, m, o, nomi, corsie_y);
    u << "</svg>\n";
}

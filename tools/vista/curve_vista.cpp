#include "tools/vista/curve_vista.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

#include "tools/decompila/decompila_curve.h"
#include "tools/vista/testo_html.h"
#include "tools/vista/vista_pianta.h"

using namespace std::string_literals;

namespace {

constexpr std::array<double, 6> curvature{0.0001, 0.0002, 0.0004, 0.001, 0.002, 0.003};

std::vector<curva_vista> curve_dei_record(const modello_scenario& m) {
    std::vector<curva_vista> r;
    for (const curva_letta& c : m.curve_lette) {
        if (c.primo_punto > c.ultimo_punto) continue;  // it bent no point
        r.push_back({c.primo_punto - 1, c.ultimo_punto, c.grado, c.sinistra, &c});
    }
    return r;
}

// Each run of points turned alike, from point 2 to `ultimo`. A point that no
// step makes exactly (a damaged plan) goes on as the point before it, so a
// damaged plan gives no more curves than a sound one.
std::vector<curva_vista> curve_della_planimetria(const planimetria_linea& p, std::int32_t ultimo) {
    std::vector<curva_vista> r;
    passo_planimetria prima{};
    for (std::int32_t c = 2; c <= ultimo; ++c) {
        const passo_planimetria s = passo_esatto(p, c, prima).value_or(prima);
        if (s.grado != 0) {
            if (prima == s && !r.empty() && r.back().fine == c - 1) {
                r.back().fine = c;
            } else {
                r.push_back({c - 1, c, s.grado, s.sinistra, nullptr});
            }
        }
        prima = s;
    }
    return r;
}

// "0.0030" -> "0.003".
std::string senza_zeri(std::string s) {
    while (s.back() == '0') s.pop_back();
    return s;
}

}  // namespace

std::vector<curva_vista> curve_del_modello(const modello_scenario& m) {
    if (!m.curve_lette.empty()) return curve_dei_record(m);
    return curve_della_planimetria(m.planimetria, metri_con_valore(m.planimetria) - 1);
}

double curvatura_grado(int grado) { return curvature[static_cast<std::size_t>(std::clamp(grado, 1, 6) - 1)]; }

std::int64_t raggio_grado(int grado) { return std::llround(1 / curvatura_grado(grado)); }

const char* lato_curva(const curva_vista& c) { return c.sinistra ? "left" : "right"; }

std::string titolo_curva(const curva_vista& c, const chilometri_vista& k, const std::string& file_linea) {
    std::string t = "Curve to the "s + lato_curva(c) + ", grade " + intero(c.grado);
    if (c.record != nullptr) {
        const curva_letta& r = *c.record;
        t += " at "s + intero(r.inizio) + " m";
        if (noto(r.dove)) {
            t += " (line "s + intero(r.dove.riga) + " of " + (file_linea.empty() ? "the line file"s : file_linea) +
                 ": \u201c" + utf8_per_pagina(r.chiave) + "\u201d)";
        }
        t += "\nstart "s + intero(r.inizio) + " m, length " + intero(r.lunghezza) + " m\n";
    } else {
        t += ": the record that made it is not known (the page was made from the binary files)\n";
    }
    t += "Built: the plan bends "s + da_metro_a_metro(k, c.inizio, c.fine) + ", " + intero(c.fine - c.inizio) +
         " m, turning " + senza_zeri(decimale(curvatura_grado(c.grado), 4)) + " per metre: radius " +
         (c.grado == 6 ? "about " : "") + intero(raggio_grado(c.grado)) + " m";
    if (c.record == nullptr) {
        t += "\nas a record: curva"s + (c.sinistra ? "s" : "d") + intero(c.grado) + ", " + intero(c.inizio) + ", " +
             intero(c.fine - c.inizio);
    }
    return t;
}

// The plan of the line: one x/y point per metre, seeded at the origin heading
// along +y and continued metre by metre, straight or bending by a curvature.
// Points are computed in runs: a run is bounded once against the plan's last
// point and the last point a curve may reach, then written without a test per
// metre (a long line has a million of them). A plan that keeps no points
// moves its cursor over the same runs, with the same checks, and writes none.
#include <algorithm>
#include <string>

#include "compiler/conversioni.h"
#include "compiler/linea.h"

namespace {

// The plan's two coordinates as arrays, each with its type tags.
struct assi {
    double* x;
    double* y;
    tipo_valore* tipo_x;
    tipo_valore* tipo_y;
};

assi assi_di(planimetria_linea& p) {
    const auto n = static_cast<std::size_t>(p.ultimo_metro) + 1;
    return {p.valori.data(), p.valori.data() + n, p.tipi.data(), p.tipi.data() + n};
}

// A metre outside the plan is a runtime failure.
void verifica_punto(const modello_scenario& m, std::int64_t metro) {
    if (metro < 0 || metro > m.planimetria.ultimo_metro) {
        fallisci("plan point",
                 "point " + std::to_string(metro) + " outside the plan (0 to " +
                     std::to_string(m.planimetria.ultimo_metro) + ")",
                 {}, {genere_guasto::punto_fuori, {metro, m.planimetria.ultimo_metro}, 0, ""});
    }
}

// Points da to fino: each the step between the two points before it, repeated.
void punti_retti(const assi& a, std::size_t da, std::size_t fino) {
    for (std::size_t c = da; c <= fino; ++c) {
        const double dx = a.x[c - 1] - a.x[c - 2];
        const double dy = a.y[c - 1] - a.y[c - 2];
        a.x[c] = a.x[c - 1] + dx;
        a.y[c] = a.y[c - 1] + dy;
        a.tipo_x[c] = tipo_valore::doppio;
        a.tipo_y[c] = tipo_valore::doppio;
    }
}

// Points da to fino: each the step between the two points before it, turned
// by k radians (a positive k turns from +y towards +x); the step is not
// renormalised.
void punti_curvi(const assi& a, std::size_t da, std::size_t fino, double k) {
    for (std::size_t c = da; c <= fino; ++c) {
        const double dx = a.x[c - 1] - a.x[c - 2];
        const double dy = a.y[c - 1] - a.y[c - 2];
        a.x[c] = a.x[c - 1] + (dy * k + dx);
        a.y[c] = a.y[c - 1] + (dy - dx * k);
        a.tipo_x[c] = tipo_valore::doppio;
        a.tipo_y[c] = tipo_valore::doppio;
    }
}

// The points from the plan cursor to `fino`, straight or curved, as far as
// the plan and (for a curve record) the last point a curve may reach allow.
// The cursor passing that last point ends the method (103, blamed on the
// curve's length); a point beyond the plan is a runtime failure. Both come
// after the points before them are written.
esito_record tratto(modello_scenario& m, stato_compilazione& s, std::int64_t fino, bool curvo, double k,
                    bool di_curva) {
    const std::int64_t da = s.cursore_planimetria;
    if (da > fino) return esito_record::continua;
    std::int64_t ultimo_scritto = std::min<std::int64_t>(fino, m.planimetria.ultimo_metro);
    if (di_curva) ultimo_scritto = std::min<std::int64_t>(ultimo_scritto, ultimo_punto_curva);
    if (ultimo_scritto >= da) {
        if (m.planimetria.memorizza_punti) {
            const assi a = assi_di(m.planimetria);
            const auto primo = static_cast<std::size_t>(da);
            const auto ultimo = static_cast<std::size_t>(ultimo_scritto);
            if (curvo) {
                punti_curvi(a, primo, ultimo, k);
            } else {
                punti_retti(a, primo, ultimo);
            }
        }
        s.cursore_planimetria = static_cast<std::int32_t>(ultimo_scritto + 1);
    }
    if (di_curva && s.cursore_planimetria > ultimo_punto_curva) {
        return termina(m, s, stato::curva_non_valida, std::nullopt, 1);
    }
    if (s.cursore_planimetria <= fino) verifica_punto(m, s.cursore_planimetria);
    return esito_record::continua;
}

void poni_seme(modello_scenario& m, std::int32_t metro, double x, double y) {
    verifica_punto(m, metro);
    if (!m.planimetria.memorizza_punti) return;
    const assi a = assi_di(m.planimetria);
    const auto i = static_cast<std::size_t>(metro);
    a.x[i] = x;
    a.y[i] = y;
    a.tipo_x[i] = tipo_valore::intero;
    a.tipo_y[i] = tipo_valore::intero;
}

}  // namespace

void semina_planimetria(modello_scenario& m) {
    poni_seme(m, 0, 0, 0);
    poni_seme(m, 1, 0, 1);
}

esito_record curva_planimetria(modello_scenario& m, stato_compilazione& s, std::int32_t inizio,
                               std::int32_t lunghezza, double curvatura) {
    const std::int32_t fine = long_controllato(static_cast<std::int64_t>(inizio) + lunghezza);
    if (tratto(m, s, inizio, false, 0, true) == esito_record::termina) return esito_record::termina;
    return tratto(m, s, fine, true, curvatura, true);
}

void completa_planimetria(modello_scenario& m, stato_compilazione& s) {
    tratto(m, s, static_cast<std::int64_t>(m.lunghezza_totale) - 2, false, 0, false);
}

// The plan of the line: one x/y point per metre, seeded at the origin heading
// along +y and continued metre by metre, straight or bending by a curvature.
#include <string>

#include "compiler/conversioni.h"
#include "compiler/linea.h"

namespace {

constexpr int x = 0;
constexpr int y = 1;

std::size_t elemento(const modello_scenario& m, std::int32_t metro, int coordinata) {
    return elemento_planimetria(m.planimetria, metro, coordinata);
}

// A metre outside the plan is a runtime failure.
void verifica_punto(const modello_scenario& m, std::int32_t metro) {
    if (metro < 0 || metro > m.planimetria.ultimo_metro) {
        fallisci("plan point", "point " + std::to_string(metro) + " outside the plan (0 to " +
                                   std::to_string(m.planimetria.ultimo_metro) + ")");
    }
}

double valore(const modello_scenario& m, std::int32_t metro, int coordinata) {
    return m.planimetria.valori[elemento(m, metro, coordinata)];
}

void poni(modello_scenario& m, std::int32_t metro, int coordinata, tipo_valore tipo, double v) {
    const std::size_t i = elemento(m, metro, coordinata);
    m.planimetria.tipi[i] = tipo;
    m.planimetria.valori[i] = v;
}

// Point c: the step between the two points before it, turned by k radians per
// metre (a positive k turns from +y towards +x); the step is not renormalised.
void punto_curvo(modello_scenario& m, std::int32_t c, double k) {
    verifica_punto(m, c);
    const double dx = valore(m, c - 1, x) - valore(m, c - 2, x);
    const double dy = valore(m, c - 1, y) - valore(m, c - 2, y);
    poni(m, c, x, tipo_valore::doppio, valore(m, c - 1, x) + (dy * k + dx));
    poni(m, c, y, tipo_valore::doppio, valore(m, c - 1, y) + (dy - dx * k));
}

// Point c: the step between the two points before it, repeated.
void punto_retto(modello_scenario& m, std::int32_t c) {
    verifica_punto(m, c);
    const double dx = valore(m, c - 1, x) - valore(m, c - 2, x);
    const double dy = valore(m, c - 1, y) - valore(m, c - 2, y);
    poni(m, c, x, tipo_valore::doppio, valore(m, c - 1, x) + dx);
    poni(m, c, y, tipo_valore::doppio, valore(m, c - 1, y) + dy);
}

// Advances the plan cursor after a curve point; beyond the last metre a curve
// may reach, the file is closed and deleted and the method ends (103, blamed
// on the curve's length).
esito_record avanza_in_curva(modello_scenario& m, stato_compilazione& s) {
    ++s.cursore_planimetria;
    if (s.cursore_planimetria <= ultimo_punto_curva) return esito_record::continua;
    return termina(m, s, stato::curva_non_valida, std::nullopt, 1);
}

}  // namespace

void semina_planimetria(modello_scenario& m) {
    verifica_punto(m, 0);
    poni(m, 0, x, tipo_valore::intero, 0);
    poni(m, 0, y, tipo_valore::intero, 0);
    verifica_punto(m, 1);
    poni(m, 1, x, tipo_valore::intero, 0);
    poni(m, 1, y, tipo_valore::intero, 1);
}

esito_record curva_planimetria(modello_scenario& m, stato_compilazione& s, std::int32_t inizio,
                               std::int32_t lunghezza, double curvatura) {
    const std::int32_t fine = long_controllato(static_cast<std::int64_t>(inizio) + lunghezza);
    while (s.cursore_planimetria <= inizio) {
        punto_retto(m, s.cursore_planimetria);
        if (avanza_in_curva(m, s) == esito_record::termina) return esito_record::termina;
    }
    while (s.cursore_planimetria <= fine) {
        punto_curvo(m, s.cursore_planimetria, curvatura);
        if (avanza_in_curva(m, s) == esito_record::termina) return esito_record::termina;
    }
    return esito_record::continua;
}

void completa_planimetria(modello_scenario& m, stato_compilazione& s) {
    while (s.cursore_planimetria <= m.lunghezza_totale - 2) {
        punto_retto(m, s.cursore_planimetria);
        ++s.cursore_planimetria;
    }
}

#include "tools/analisi/frenatura.h"

#include <algorithm>

namespace {

// 2 · 3.6² · 3.85: km/h² over metres to m/s².
constexpr double divisore_pedeluck = 2.0 * 3.6 * 3.6 * 3.85;

}  // namespace

double decelerazione_frenatura(std::int32_t massa_frenata, double permille, const parametri_frenatura& p) {
    return (6.1 * p.coefficiente * (1.0 + massa_frenata / 10.0) + permille) / divisore_pedeluck;
}

double decelerazione_marcia(std::int32_t massa_frenata, double permille, const parametri_frenatura& p) {
    return std::max(p.decelerazione_minima, decelerazione_frenatura(massa_frenata, permille, p));
}

double distanza_frenatura(double da, double a, double b) { return (da * da - a * a) / (2.0 * b); }

// The curve records from the plan's points. The plan starts at (0, 0), (0, 1)
// and every later point repeats the step between the two points before it
// (straight) or turns it by one of the twelve curvatures (a curve of grade 1
// to 6, to the left or to the right), with the line compilation's own
// formulas; each point is recomputed from the two before it to tell which.
// A run of points with one curvature is one curve record.
#pragma once

#include <optional>

#include "tools/decompila/decompila_sorgenti.h"

// How a point of the plan was made from the two points before it: straight
// (grade 0), or turned by the curvature of grade 1 to 6, to the left when
// `sinistra`.
struct passo_planimetria {
    int grado = 0;
    bool sinistra = false;
    bool operator==(const passo_planimetria&) const = default;
};

// The step that makes point c (2 or more) of the plan from the two points
// before it, bit for bit: straight first, then `prima`, then the twelve
// curvatures; nothing when none does.
std::optional<passo_planimetria> passo_esatto(const planimetria_linea& p, std::int32_t c,
                                              const passo_planimetria& prima);

void recupera_curve(const quadro_scenario& q, sorgente_linea& l, note_decompilazione& n);

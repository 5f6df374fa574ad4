// The plan view of the page of `view`: the line drawn from its per-metre x/y
// points, at one scale on both axes (x to the right, y up), with a scale bar,
// the stations named by labels that do not overlap, signals, signs,
// slowdowns, mountain spans, the start and the end.
#pragma once

#include <cstdint>
#include <string>

#include "tools/vista/titoli_vista.h"
#include "tools/vista/uscita_pagina.h"

// The metres of the plan that hold a value, counted from metre 0 up to the
// first metre without both coordinates (or with a value that is not a finite
// number); 0 when the model has no usable plan.
std::int32_t metri_con_valore(const planimetria_linea& p);

// The plan as one <svg> element, drawn from metre 0 to `fine` (or the last
// metre with a value), written to `u`. Nothing is written, and false
// returned, when fewer than two metres hold a value.
bool svg_pianta(uscita_pagina& u, const modello_scenario& m, const oggetti_vista& o, std::int64_t fine,
                const fonti_vista& f);

// The profile of the page of `view`: the line along its length, on an axis
// in the line's own kilometres (its kilometric progressives), with the
// height of the line (from 0 at the start, climbing by the gradients), the
// gradient in per mille, the speed limit in km/h (a step line) and the
// adhesion of every cell, mountain spans and slowdowns as bands, and lanes
// with the stations, the signals, the boards and signs of the track, and the
// curves with their side and grade.
#pragma once

#include <cstdint>
#include <string>

#include "tools/vista/titoli_vista.h"
#include "tools/vista/uscita_pagina.h"

// The profile as one <svg> element, from metre 0 to metre `fine`, written to `u`.
void svg_profilo(uscita_pagina& u, const modello_scenario& m, const oggetti_vista& o, std::int64_t fine,
                 const fonti_vista& f);

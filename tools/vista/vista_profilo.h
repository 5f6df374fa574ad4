// The profile of the page of `view`: the line along its length in km, with
// the gradient, the speed limit (a step line) and the adhesion of every cell,
// mountain spans and slowdowns as bands, and lanes with the stations, the
// signals and the boards and signs of the track.
#pragma once

#include <cstdint>
#include <string>

#include "tools/vista/titoli_vista.h"
#include "tools/vista/uscita_pagina.h"

// The profile as one <svg> element, from metre 0 to metre `fine`, written to `u`.
void svg_profilo(uscita_pagina& u, const modello_scenario& m, const oggetti_vista& o, std::int64_t fine,
                 const fonti_vista& f);

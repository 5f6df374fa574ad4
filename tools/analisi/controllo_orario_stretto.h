// timetable-tight: leaving the timed station before it at its time (the first
// station at the start clock when it has none), the run of the model
// (marcia.h) reaches a timed station after its time. Left to
// timetable-impossible where even the limits alone cannot keep it.
#pragma once

#include "tools/analisi/rilievo_marcia.h"

extern const scheda_controllo controllo_orario_stretto;

// timetable-backwards: a timed station whose time lies before the time of the
// timed station before it (less than twelve hours before: more reads as the
// next day, a run past midnight).
#pragma once

#include "tools/analisi/rilievo_marcia.h"

extern const scheda_controllo controllo_orario_indietro;

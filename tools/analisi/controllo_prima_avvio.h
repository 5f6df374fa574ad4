// timetable-before-start: the first timed station's time lies before the start
// clock (less than twelve hours before it: more reads as the next day).
#pragma once

#include "tools/analisi/rilievo_marcia.h"

extern const scheda_controllo controllo_prima_avvio;

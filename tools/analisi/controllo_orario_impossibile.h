// timetable-impossible: between two timed stations the timetable gives less
// time than the line's limits allow with no acceleration and no braking (the
// bound of limite_orario.h), so no train can keep it.
#pragma once

#include "tools/analisi/rilievo_marcia.h"

extern const scheda_controllo controllo_orario_impossibile;

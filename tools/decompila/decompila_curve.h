// The curve records from the plan's points. The plan starts at (0, 0), (0, 1)
// and every later point repeats the step between the two points before it
// (straight) or turns it by one of the twelve curvatures (a curve of grade 1
// to 6, to the left or to the right), with the line compilation's own
// formulas; each point is recomputed from the two before it to tell which.
// A run of points with one curvature is one curve record.
#pragma once

#include "tools/decompila/decompila_sorgenti.h"

void recupera_curve(const quadro_scenario& q, sorgente_linea& l, note_decompilazione& n);

// The mountain records from the cells' `montagna` and the mountain marks.
//
// Each run of cells with one mountain kind is a record from its first to its
// last cell; marks (kind + 10) when the run's every fourth cell holds a mark.
// A span that begins within 150 m after the end of the span before it in the
// file takes kind 3, so the records are ordered (and their ends chosen within
// their cells) to keep every span of another kind away from the one before
// it; where no order does, a record that covers no cell stands in between.
// A mark no run explains comes from a span that overlaps the next run (the
// span goes on under it) or from a four-cell span of its own.
#pragma once

#include "tools/decompila/decompila_sorgenti.h"

void recupera_montagne(const quadro_scenario& q, sorgente_linea& l, note_decompilazione& n);

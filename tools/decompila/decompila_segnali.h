// The signal records (cells of kind 1) and the order of signals and stations
// in the train file.
//
// A signal's values come back as tens and units; its kind pair sx × 3 + dx
// from its approach markers (2, 4, 6 and 8 cells before it, sx × 30 + dx × 10
// + 1 to 4), its time only when sx is 2. Approach markers are written
// whatever the cells hold, so where the markers of two signals, or of a
// signal and a station, fall into one cell, the one written last shows: the
// records are ordered so that each cell ends with the marker it holds.
#pragma once

#include "tools/decompila/decompila_sorgenti.h"

// Needs the stations already recovered (their approach markers).
void recupera_segnali(const quadro_scenario& q, sorgente_treno& t, note_decompilazione& n);

// The line's speed indicators (cells of kind 6) and indication signs (cells
// of kind 14, with their texts in the table from entry 80 down).
#pragma once

#include <string>

#include "tools/decompila/decompila_sorgenti.h"

void recupera_indicatori(const quadro_scenario& q, sorgente_linea& l, note_decompilazione& n);

// The signs in file order (the first takes entry 80), and the lowest entry
// that holds a sign text (81 when there is none). A text entry whose sign no
// cell shows (a station marker took its cell) gets a sign in a station
// marker's cell.
int recupera_cartelli(const quadro_scenario& q, sorgente_linea& l, note_decompilazione& n);

// A text value (sign text, station name) as a source can carry it: it ends
// at a comma or a line end, and the blanks before it are skipped. False when
// `testo` cannot be written as it is; `scrivibile` is then the nearest text
// that can.
bool testo_scrivibile(const std::string& testo, std::string& scrivibile);

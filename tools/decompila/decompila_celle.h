// Cells no record makes: kinds the build never writes, and values a cell of
// its kind never holds. Station markers no station makes.
#pragma once

#include "tools/decompila/decompila_sorgenti.h"

void controlla_celle(const quadro_scenario& q, const sorgente_treno& t, note_decompilazione& n);

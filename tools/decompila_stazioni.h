// The station records from the table's entries 1 up: position, kind, the
// length that gives the entry's extent, the values carried unchanged, opz3
// and opz4 as the rules that clear them allow, the time and the name.
#pragma once

#include "tools/decompila_sorgenti.h"

// `prima_voce_cartelli`: the lowest entry that holds a sign text (81 when
// none); the stations are the entries before it up to the last that is used.
void recupera_stazioni(const quadro_scenario& q, int prima_voce_cartelli, sorgente_treno& t, note_decompilazione& n);

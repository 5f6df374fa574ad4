// The slowdown records (start, end, warning board and lead-in cells) and the
// abbattimento points (boards with or without a value). Boards of value 180
// are left to the finishing pass, which places such boards itself: those it
// does not reproduce become abbattimento points later (decompila.h).
#pragma once

#include "tools/decompila/decompila_sorgenti.h"

// The value a finishing board carries.
inline constexpr std::int16_t valore_tabella_finale = 180;

void recupera_rallentamenti(const quadro_scenario& q, sorgente_treno& t, note_decompilazione& n);
void recupera_abbattimenti(const quadro_scenario& q, sorgente_treno& t, note_decompilazione& n);

// The abbattimento record of a board with value `valore1` in cell `c` (a
// value of 0 or less is kept in 16 bits from one 65536 higher).
record_punto abbattimento(std::int32_t c, std::int16_t valore1);

// Kind 12 with a value other than 180, or kind 13, in a cell a record reaches.
bool abbattimento_possibile(const quadro_scenario& q, std::int32_t c);

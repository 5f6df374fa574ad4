// The station handler of the train phase.
#pragma once

#include "compiler/compilazione.h"

// stazione, posizione, tipo, lunghezza, marca, opz4, opz3, par1, par2, opz1,
//           par3, par4, par5, opz2, ore, minuti, secondi, nome
// Reads the record into the entry numbered by the station counter, places its
// approach markers and its station marker, checks its spacing and the room
// left in the table, and advances the counter.
esito_record memo_stazione(modello_scenario& m, stato_compilazione& s);

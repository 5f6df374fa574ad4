// The station handler of the train phase.
#pragma once

#include "compiler/compilazione.h"

// Station kinds with an extent of their own shape; from the last one up, a
// station leaves no mark on the track.
namespace tipo_stazione {
inline constexpr std::uint8_t estesa_avanti_prima = 5;   // 5 and 6: from position − length to position + 150
inline constexpr std::uint8_t estesa_avanti_ultima = 6;
inline constexpr std::uint8_t simmetrica_prima = 7;      // 7 and 8: from position − length to position + length
inline constexpr std::uint8_t simmetrica_ultima = 8;
inline constexpr std::uint8_t senza_marche = 25;
}  // namespace tipo_stazione

// stazione, posizione, tipo, lunghezza, marca, opz4, opz3, par1, par2, opz1,
//           par3, par4, par5, opz2, ore, minuti, secondi, nome
// Reads the record into the entry numbered by the station counter, places its
// approach markers and its station marker, checks its spacing and the room
// left in the table, and advances the counter.
esito_record memo_stazione(modello_scenario& m, stato_compilazione& s);

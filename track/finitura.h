// The finishing pass over the compiled track: boards (kind 12, value 180) in
// front of the signals that precede a slowdown warning board (rule A), and
// around every slowdown (rule B: approach boards, repeat boards inside a slow
// slowdown, a board before the first signal after its end).
//
// Guards: a cell index outside the track counts as occupied and as not a
// signal; nothing outside the track is read or written. A board that finds no
// cell records its status (11, 12 or 13) with a position in metres, blamed on
// the record of the slowdown (or warning board) that asked for it, and the
// pass carries on. A board placed is noted as that record's.
#pragma once

#include <cstdint>

#include "compiler/modello.h"

// The value of a board placed by the finishing pass.
inline constexpr std::int16_t valore_tabella_finitura = 180;

// Repeat boards are placed only inside a slowdown slower than this (km/h).
inline constexpr std::int32_t velocita_tabelle_ripetizione = 110;

// y when x is greater than y, otherwise x (a tie gives x).
std::int32_t minimo(std::int32_t x, std::int32_t y);

// Rule A for cell i: every signal within the 20 cells before a warning board
// (kind 4) gets a board in one of the two cells before it. The look-back stops
// as soon as it would reach a cell below 3.
void regola_a(modello_scenario& m, std::int32_t i);

// Rule B for cell i: when it is the start of a slowdown (kind 3), the approach
// windows, then (speed below 110) the repeat boards and the board before the
// first signal after the slowdown's end.
void regola_b(modello_scenario& m, std::int32_t i);

// The three pieces of rule B, for the start cell i of a slowdown.
void approccio_b1(modello_scenario& m, std::int32_t i);

// Walks from the start cell i to the end of the slowdown (kind 2) placing a
// board every 8 cells. Returns the end cell, or -1 when the walk reached the
// last cell of the track without meeting one (it stops there).
std::int32_t ripetizione_b2(modello_scenario& m, std::int32_t i);

// The board before the first signal among cells w to w + 12 (not beyond the
// last cell), w being the end cell of the slowdown.
void segnale_dopo_b3(modello_scenario& m, std::int32_t w);

// The whole pass: rules A and B on cells 1 to n - 2 in increasing order, n
// being the last cell of the track. A track with fewer than 4 cells has no
// cell to finish.
void finitura_tracciato(modello_scenario& m);

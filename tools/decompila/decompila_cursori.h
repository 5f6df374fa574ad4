// Values that a cursor lays along the track (gradients, speed limits,
// adhesion): each record gives the value from its position on, the cells from
// the cursor up to the record's cell take the value in force until then, and
// a closing fill carries the last value on up to the cell before the last
// three (and always writes the cell of the cursor).
#pragma once

#include <cstdint>
#include <vector>

// A record of such a list: its position in metres and the byte its value
// puts into the cells.
struct punto_cursore {
    std::int32_t posizione = 0;
    std::uint8_t byte = 0;
};

// The fewest records that give every cell 0..numero_celle the byte of
// `celle`, the cells before the first record taking `iniziale`:
// - one record at metre 50 × i for each cell i where the byte changes;
// - when a byte other than 0 stands in the last three cells, which only a
//   closing fill that starts there writes: a record in the first of them
//   (the last cell a record's position may name), then for each of the last
//   two cells that must be reached a record at metre 50, behind the cursor,
//   which writes the cursor's cell and advances it by one.
std::vector<punto_cursore> punti_cursore(const std::vector<std::uint8_t>& celle, std::int32_t numero_celle,
                                         std::uint8_t iniziale);

// The generator's picture of the track: which cell each generated object will
// take once the scenario is compiled and finished, computed with the
// compiler's own cell arithmetic, so that no two objects ask for one cell and
// every board of the finishing pass finds the cell kept for it.
//
// Every claim is exclusive: a cell holds one object, or is kept for a board,
// or is left alone. Wherever the compiler or the finishing pass needs a free
// cell, it then finds one among the cells kept for it.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <vector>

// Cell arithmetic of the compiler: a metre position divided by 50 in floating
// point, plus the offset of the rule, rounded to the nearest whole number with
// a half going to the even neighbour.
std::int32_t arrotonda_pari(double x);
std::int32_t cella_di(std::int64_t posizione);         // the position's own cell
std::int32_t cella_dopo(std::int64_t posizione);       // the cell after it: signals, slowdowns, signs, indicators
std::int32_t celle_tracciato(std::int32_t lunghezza);  // last cell of a line of this length (track 7000 m longer)

// What a cell is expected to hold after the build: a cell kind of the track
// (1 signal, 2 to 5 slowdown cells, 6 indicators, 10 station marker, 12 or 13
// abbattimento board, 14 sign), or one of the two codes below.
namespace atteso {
inline constexpr std::uint8_t libera = 0;      // free track (a mountain mark may fall on it)
inline constexpr std::uint8_t tabella = 200;   // kept for a board of the finishing pass: free, or a board of value 180
}  // namespace atteso

// One cell asked for by an object, and what it will hold.
struct richiesta_cella {
    std::int64_t cella;
    std::uint8_t contenuto;
};

struct occupazione {
    std::int32_t numero_celle = 0;  // last cell of the track
    std::int32_t prima_usabile = 2;  // cells 0 and 1 stay empty: cell 1 carries the format stamp and a check code
    std::vector<std::uint8_t> contenuto;
    std::vector<bool> presa;
};

occupazione occupazione_vuota(std::int32_t numero_celle);

// Takes every cell asked for when all are distinct, inside the usable cells
// (2 to numero_celle - 3) and not taken yet; otherwise takes none. True when
// taken.
bool prendi(occupazione& o, const std::vector<richiesta_cella>& celle);
bool prendi(occupazione& o, std::initializer_list<richiesta_cella> celle);

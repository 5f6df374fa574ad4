// The geometry of the track, one place for everything that measures it:
// 50-metre cells, the cell of a metre position, the room a record and a
// station need before the last cell, the warning board's distance before a
// slowdown, and a station's extent. Pure arithmetic that never fails; the
// compiler checks its own sums before it uses them.
#pragma once

#include <cmath>
#include <cstdint>

// Metres of a track cell.
inline constexpr std::int32_t metri_cella = 50;

// A record is accepted when its position plus this margin, divided by 50,
// does not pass the last cell; a station needs room for its extent.
inline constexpr std::int32_t margine_record = 100;
inline constexpr std::int32_t margine_stazione = 800;

// A slowdown's warning board stands this many metres before its start, in
// the cell after that position's own: its cell is the start's plus this
// offset in cells (1 - 1200 / 50).
inline constexpr std::int32_t distanza_avviso = 1200;
inline constexpr std::int32_t scarto_avviso = 1 - distanza_avviso / metri_cella;

// A metre position in cells, before rounding, plus a rule's offset in cells.
inline double cella_reale(std::int64_t posizione, double scarto = 0) {
    return static_cast<double>(posizione) / metri_cella + scarto;
}

// The cell of a metre position: the position divided by 50 in floating
// point, plus the rule's offset in cells, rounded half to even.
inline std::int64_t cella_della_posizione(std::int64_t posizione, double scarto = 0) {
    return static_cast<std::int64_t>(std::nearbyint(cella_reale(posizione, scarto)));
}

// The first and the last metre of cell i.
inline constexpr std::int64_t primo_metro(std::int64_t i) { return i * metri_cella; }
inline constexpr std::int64_t ultimo_metro(std::int64_t i) { return i * metri_cella + metri_cella - 1; }

// A position passes the position test with this margin: (posizione +
// margine) / 50, in floating point, is not beyond the last cell.
inline bool entro_il_tracciato(std::int64_t posizione, std::int32_t margine, std::int32_t numero_celle) {
    return cella_reale(posizione + margine) <= static_cast<double>(numero_celle);
}

// The last position that passes the test with this margin.
inline constexpr std::int64_t ultima_posizione(std::int32_t numero_celle, std::int32_t margine) {
    return std::int64_t{numero_celle} * metri_cella - margine;
}

// Station kinds by the extent they take around their position.
namespace tipo_stazione {
inline constexpr std::uint8_t estesa_avanti_prima = 5;   // 5 and 6: from position − length to position + 150
inline constexpr std::uint8_t estesa_avanti_ultima = 6;
inline constexpr std::uint8_t simmetrica_prima = 7;      // 7 and 8: from position − length to position + length
inline constexpr std::uint8_t simmetrica_ultima = 8;
inline constexpr std::uint8_t senza_marche = 25;         // from 25 up: no mark on the track
}  // namespace tipo_stazione

// Kinds 5 and 6 reach this far beyond the position; every other kind but 7
// and 8 is centred on it, this much longer at its far end when opz3 is set.
inline constexpr std::int32_t oltre_estesa_avanti = 150;
inline constexpr std::int32_t allungamento_stazione = 50;

// Stations closer than this (from the end of one extent to the start of the
// next) are refused; a station shorter than the other keeps no opz4.
inline constexpr std::int32_t distanza_stazioni = 350;
inline constexpr std::int32_t lunghezza_con_opz4 = 600;

inline constexpr bool estesa_avanti(std::int64_t tipo) {
    return tipo >= tipo_stazione::estesa_avanti_prima && tipo <= tipo_stazione::estesa_avanti_ultima;
}
inline constexpr bool simmetrica(std::int64_t tipo) {
    return tipo >= tipo_stazione::simmetrica_prima && tipo <= tipo_stazione::simmetrica_ultima;
}

// The far end of a station's extent, in whole metres (wider than a Long, so
// it never fails; the compiler checks what it stores).
inline std::int64_t fine_estensione_stazione(std::int64_t tipo, std::int64_t posizione, std::int64_t lunghezza,
                                             bool allungata) {
    if (estesa_avanti(tipo)) return posizione + oltre_estesa_avanti;
    if (simmetrica(tipo)) return posizione + lunghezza;
    return static_cast<std::int64_t>(std::nearbyint(static_cast<double>(posizione) + static_cast<double>(lunghezza) / 2.0)) +
           (allungata ? allungamento_stazione : 0);
}

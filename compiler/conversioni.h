// Conversions of computed values to whole numbers, and checked access to the
// model's arrays, as the compiler uses them. Rounding is to the nearest whole
// number with a half going to the even neighbour; a result that does not fit
// its target, or an index outside its array, is a runtime failure.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "compiler/modello.h"
#include "sources/errore_esecuzione.h"

// Rounds half to even (the default rounding mode of the floating-point unit).
inline double arrotonda(double x) { return std::nearbyint(x); }

template <typename T>
T converti_arrotondato(double x) {
    const double r = arrotonda(x);
    if (!(r >= static_cast<double>(std::numeric_limits<T>::min()) &&
          r <= static_cast<double>(std::numeric_limits<T>::max()))) {
        fallisci("convert", "value " + std::to_string(x) + " does not fit its field", {},
                 {genere_guasto::conversione, {}, x, ""});
    }
    return static_cast<T>(r);
}

inline std::int32_t arrotonda_long(double x) { return converti_arrotondato<std::int32_t>(x); }

// A whole-number sum or product of Long values that must stay a Long.
inline std::int32_t long_controllato(std::int64_t x) {
    if (x < std::numeric_limits<std::int32_t>::min() || x > std::numeric_limits<std::int32_t>::max()) {
        fallisci("compute", "value " + std::to_string(x) + " does not fit a 32-bit field", {},
                 {genere_guasto::calcolo, {x, 0}, 0, ""});
    }
    return static_cast<std::int32_t>(x);
}

// Low 16 or 8 bits of a whole number: narrow fields never fail.
inline std::int16_t bassi_16(std::int64_t x) { return static_cast<std::int16_t>(static_cast<std::uint16_t>(x & 0xFFFF)); }
inline std::uint8_t bassi_8(std::int64_t x) { return static_cast<std::uint8_t>(x & 0xFF); }

// The cell at index i of the track; an index outside it is a runtime failure.
inline cella& cella_tracciato(modello_scenario& m, std::int64_t i) {
    if (i < 0 || i >= static_cast<std::int64_t>(m.tracciato.size())) {
        fallisci("track cell", "cell " + std::to_string(i) + " outside the track (0 to " +
                                   std::to_string(static_cast<std::int64_t>(m.tracciato.size()) - 1) + ")",
                 {}, {genere_guasto::cella_fuori, {i, static_cast<std::int64_t>(m.tracciato.size()) - 1}, 0, ""});
    }
    return m.tracciato[static_cast<std::size_t>(i)];
}

// The entry at index i of the scenario table; an index outside it is a runtime failure.
inline voce_scenario& voce_tabella(modello_scenario& m, std::int64_t i) {
    if (i < 0 || i >= voci_scenario) {
        fallisci("scenario entry", "entry " + std::to_string(i) + " outside the table (0 to 86)", {},
                 {genere_guasto::voce_fuori, {i, 0}, 0, ""});
    }
    return m.scenario[static_cast<std::size_t>(i)];
}

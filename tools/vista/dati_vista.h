// The page's data, for tests and for anyone who reads the page rather than
// looks at it: data-* attributes on the drawn elements, so that each datum
// stands on the element it describes and the page grows by a few bytes per
// object, never by a copy of the model. Positions are metres from the start
// of the line, kilometres the line's own (its kilometric progressives), with
// three decimals:
//   curves (plan arcs and the profile's lane): data-inizio, data-fine (the
//     metre where the curve leaves the straight and its last bent metre),
//     data-grado (1 to 6), data-lato ("sinistra" or "destra"), data-raggio (m);
//   kilometre posts (plan and the profile's axis), the start and the end:
//     data-metro, data-km;
//   runs of one gradient (the gradient panel): data-inizio, data-fine,
//     data-pendenza (per mille); runs of the height panel: data-inizio,
//     data-fine, data-quota-inizio, data-quota-fine (metres, two decimals);
//   speed limits and adhesion: data-inizio, data-fine, data-velocita (km/h),
//     data-aderenza;
//   stations (data-voce) and marks of the track (data-cella).
#pragma once

#include <cstdint>
#include <string>

#include "tools/vista/curve_vista.h"
#include "tools/vista/testo_html.h"

inline std::string dati_tratto(std::int64_t inizio, std::int64_t fine) {
    return concatena({" data-inizio=\"", intero(inizio), "\" data-fine=\"", intero(fine), "\""});
}

inline std::string dati_curva(const curva_vista& c) {
    return concatena({dati_tratto(c.inizio, c.fine), " data-grado=\"", intero(c.grado), "\" data-lato=\"",
                      c.sinistra ? "sinistra" : "destra", "\" data-raggio=\"", intero(raggio_grado(c.grado)), "\""});
}

inline std::string dati_cippo(std::int64_t metro, std::int64_t lettura) {
    return concatena({" data-metro=\"", intero(metro), "\" data-km=\"", km(lettura), "\""});
}

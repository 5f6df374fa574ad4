// One build of the author's files for `view --serve`: the page as `view`
// writes it, or why there is none, with every diagnostic and the time taken.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tools/comune/diagnostica.h"
#include "tools/vista/vista_strumento.h"

struct esito_ricostruzione {
    std::optional<std::string> pagina;  // the page; nothing when the build made no scenario
    bool illeggibile = false;           // a source could not be read
    std::string fatale;                 // without a page: why, as view says it
    std::vector<diagnostica> diagnostiche;
    std::int64_t millisecondi = 0;      // the build and the page
};

// Builds the two text sources of `r` as view builds them, and the page.
esito_ricostruzione ricostruisci(const richiesta_vista& r);

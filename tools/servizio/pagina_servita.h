// What `view --serve` hands out: the page of the last build that made a
// scenario, with the update script, and the event that tells every open page
// about the last build. A build that made no scenario keeps the last good
// page (the event marks it stale and carries the errors); before the first
// good build the page is a short one that lists the errors.
#pragma once

#include <cstdint>
#include <string>

#include "tools/servizio/ricostruzione.h"

struct stato_servizio {
    std::uint64_t costruzione = 0;  // builds taken in so far
    std::uint64_t figura = 0;       // the build whose page is served; 0: none yet
    std::string pagina;             // the page served at /
    std::string dati_evento;        // the last build, as the data of an event (JSON)
};

// Takes a build in. `file` are the two sources as the author named them.
void accogli(stato_servizio& s, const esito_ricostruzione& e, const std::string& file_linea,
             const std::string& file_treno);

// The page of view with the update script added before the end of its body;
// `costruzione` is the build it shows.
std::string pagina_con_script(std::string pagina, std::uint64_t costruzione);

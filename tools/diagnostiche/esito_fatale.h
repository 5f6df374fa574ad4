// What ended a build of the author's files without scenario files: the
// outcome, and what the diagnostics tell of it.
#pragma once

#include <cstdint>
#include <string>

#include "sources/luogo.h"

enum class esito_fatale : std::uint8_t {
    nessuno,
    errore_1250,      // the numbered message " Errore n. 1250"
    errore_1251,      // the numbered message " Errore n. 1251"
    senza_tracciato,  // the compiler left no track
    io,               // a file operation failed
};

// The fatal outcome as the diagnostics tell it.
struct fatale_costruzione {
    esito_fatale esito = esito_fatale::nessuno;
    std::string testo;                           // compile's words for it
    sorgente illeggibile = sorgente::nessuna;    // the input that could not be read, for esito io
    std::string perche;                          // and why
};

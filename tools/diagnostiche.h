// The diagnostics of one build of the author's files, in the order they are
// told: every status as it was raised (the root cause first), the fatal
// outcome, then every warning.
#pragma once

#include <string>
#include <vector>

#include "compiler/modello.h"
#include "tools/compila_strumento.h"
#include "tools/diagnostica.h"
#include "tools/sorgenti_autore.h"

// What ended a build without scenario files, as far as diagnostics tell it.
struct fatale_costruzione {
    esito_fatale esito = esito_fatale::nessuno;
    std::string testo;                           // compile's words for it
    sorgente illeggibile = sorgente::nessuna;    // the input that could not be read, for esito io
    std::string perche;                          // and why
};

std::vector<diagnostica> diagnostiche_costruzione(const modello_scenario& m, const sorgenti_autore& s,
                                                  const fatale_costruzione& f);

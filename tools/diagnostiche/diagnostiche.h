// The diagnostics of one build of the author's files, in the order they are
// told: every status as it was raised (the root cause first), the fatal
// outcome, every warning, then what the checks of the built scenario find
// (tools/analisi/esami.h), unless `con_esami` is false: a build of texts
// other than the author's (the recovery's) is not checked.
#pragma once

#include <string>
#include <vector>

#include "compiler/modello.h"
#include "tools/comune/diagnostica.h"
#include "tools/diagnostiche/esito_fatale.h"
#include "tools/comune/sorgenti_autore.h"

std::vector<diagnostica> diagnostiche_costruzione(const modello_scenario& m, const sorgenti_autore& s,
                                                  const fatale_costruzione& f, bool con_esami = true);

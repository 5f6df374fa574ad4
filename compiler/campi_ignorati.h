// The warnings of the fields of a source that matched no record.
#pragma once

#include <string_view>

#include "compiler/avvisi.h"
#include "compiler/modello.h"

// The fields that matched no record, once a source is read: misspelled and
// case-changed keywords, records of another section, unknown section
// headers, values beyond a record's count, decimal commas.
void esamina_ignorati(modello_scenario& m, const osservazioni& o, std::string_view testo, sorgente file);

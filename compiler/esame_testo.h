// The scan of a text source's bytes, before its fields are read.
#pragma once

#include <string_view>

#include "compiler/modello.h"

// The warnings of a source's bytes: tabs, NUL bytes, byte-order marks, UTF-8
// sequences.
void esamina_testo(modello_scenario& m, sorgente file, std::string_view testo);

// The text begins with a UTF-16 byte-order mark (either byte order).
bool testo_utf16(std::string_view testo);

// The words of a diagnostic for a status as it was raised: what went wrong
// with this record, with its numbers, and the places that help (the record
// that already took a cell, the station before).
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "compiler/modello.h"

struct nota_stato {
    luogo dove;
    std::string messaggio;
};

struct messaggio_stato {
    std::string testo;  // Windows-1252 bytes, no full stop
    std::vector<nota_stato> note;
};

// Line `riga` of a source, as bytes; empty when there is no such line.
using lettore_riga = std::function<std::string(sorgente file, std::int32_t riga)>;

// `assente` tells that the source the status blames was not there at all.
messaggio_stato messaggio_di_stato(const stato_sollevato& v, const modello_scenario& m, const lettore_riga& riga,
                                   bool assente);

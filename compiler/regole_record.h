// The tables of records: a keyword test and the handler it starts, one table
// for each part of the sources, and the loop that runs a table. The handlers
// work on the compiler's state (compilazione.h); the keyword tests and the
// tables themselves are read by the warnings too.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "compiler/modello.h"

struct stato_compilazione;

// What a record handler tells the record loop.
enum class esito_record : std::uint8_t {
    continua,  // go on with the next field
    ferma,     // a position test failed: leave the loop, the phase's closing steps run
    termina,   // the file is closed and deleted, the method ends
};

using gestore_record = esito_record (*)(modello_scenario&, stato_compilazione&);

// A keyword test and the handler it starts: the field holds the word, and the
// second word when there is one, with their letter case as written or in any
// case. `forma` is the keyword as the embedded sources write it (alternatives
// separated by "|"), for suggestions. `numeri` is the number of values the
// record takes, `con_testo` that a text (a name) follows them: what the
// warnings compare a line with. `una_volta`: a file holds the record once; a
// second one replaces its values.
struct regola_record {
    std::string_view parola;
    std::string_view seconda_parola;
    bool ogni_caso;
    gestore_record gestore;
    std::string_view forma;
    std::uint8_t numeri = 0;
    bool con_testo = false;
    bool una_volta = false;
};

bool corrisponde(const regola_record& r, std::string_view campo);

// Runs the handler of every rule whose words the keyword holds, in table
// order, until one returns other than continua. The keyword is the record's.
esito_record interpreta(std::span<const regola_record> tabella, modello_scenario& m, stato_compilazione& s);

// The tables of the three parts of the sources.
std::span<const regola_record> regole_generale();
std::span<const regola_record> regole_corpo_linea();
std::span<const regola_record> regole_treno();

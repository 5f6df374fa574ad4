// The hover texts of the page of `view`: what an object is, its values, and,
// when the model knows it, the file and line of the record that made it.
// Plain UTF-8 text, lines separated by "\n"; the page escapes it.
#pragma once

#include <string>

#include "tools/vista/oggetti_vista.h"

// The names of the text sources a model was built from; empty when it was
// decoded from the binary files.
struct fonti_vista {
    std::string file_linea;
    std::string file_treno;
};

std::string titolo_stazione(const modello_scenario& m, const stazione_vista& s, const fonti_vista& f);
std::string titolo_marca(const modello_scenario& m, const marca_vista& x, const fonti_vista& f);
std::string titolo_rallentamento(const modello_scenario& m, const rallentamento_vista& r, const fonti_vista& f);
std::string titolo_montagna(const modello_scenario& m, const tratto& t, const fonti_vista& f);

// "record at line L, column C of FILE", or empty when the place is unknown.
std::string testo_origine(const luogo& l, const fonti_vista& f);

// The station's name as UTF-8, or "(no name)".
std::string nome_stazione(const modello_scenario& m, const stazione_vista& s);

// "km A-B" for a stretch of metres.
std::string tratto_km(std::int64_t da, std::int64_t a);

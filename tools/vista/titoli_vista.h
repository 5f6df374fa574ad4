// The hover texts of the page of `view`. Each tells first the record as the
// author wrote it (the file and line, the keyword, each value by its name and
// unit as the author's guide names them), then what the build made of it
// (the cell, the table entry, the values kept), in the guide's words. A page
// made from the binary files knows no record: it says so, and tells what the
// files hold in the same words.
// Plain UTF-8 text, lines separated by "\n"; the page escapes it.
#pragma once

#include <string>

#include "tools/vista/chilometri_vista.h"
#include "tools/vista/oggetti_vista.h"
#include "tools/analisi/record_scritto.h"

// The text sources a model was built from: their names, their texts, and the
// records read again from them. Empty when it was decoded from the binary
// files.
struct fonti_vista {
    std::string file_linea;
    std::string file_treno;
    const std::string* testo_linea = nullptr;  // the texts as the build read them
    const std::string* testo_treno = nullptr;
    const record_fonti* record = nullptr;  // the records of the texts (the page reads them once)
    // The line's own kilometres, which every "km" of a hover reads; without
    // them a hover counts kilometres from the first metre.
    const chilometri_vista* chilometri = nullptr;
};

std::string titolo_stazione(const modello_scenario& m, const stazione_vista& s, const fonti_vista& f);
std::string titolo_marca(const modello_scenario& m, const marca_vista& x, const fonti_vista& f);
std::string titolo_rallentamento(const modello_scenario& m, const rallentamento_vista& r, const fonti_vista& f);
std::string titolo_montagna(const modello_scenario& m, const tratto& t, const fonti_vista& f);

// The values of every cell drawn as runs in the profile's panels.
enum class valore_cella : std::uint8_t { pendenza, velocita, aderenza };

// A run of cells with one gradient, speed limit or adhesion, drawn from
// metre `da` to metre `a`: the record that set its first cell, then the run.
std::string titolo_tratto(valore_cella v, const tratto& t, std::int64_t da, std::int64_t a, const fonti_vista& f);

// The end of the line: the length record, then the declared length and the
// track beyond it.
std::string titolo_fine_linea(const modello_scenario& m, const fonti_vista& f);

// The station's name as UTF-8, or "(no name)".
std::string nome_stazione(const modello_scenario& m, const stazione_vista& s);

// "km A-B" for a stretch of metres, in the line's own kilometres.
std::string tratto_km(std::int64_t da, std::int64_t a, const fonti_vista& f);

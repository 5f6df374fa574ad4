// The records as the author wrote them, read again from the text sources for
// the page of `view` and the checks of a built scenario: each keyword field
// with its place, and its values as written with theirs, named by the table
// of records (tools/comune/tabella_record.h).
// The build keeps only the place of the record that made each cell and table
// entry; this gives back that record's values in the author's own terms.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "compiler/modello.h"
#include "sources/luogo.h"
#include "tools/comune/tabella_record.h"

struct valore_scritto {
    std::string testo;                   // the field as written (a text value without its trailing blanks)
    std::optional<std::int32_t> numero;  // its value, when it reads as a whole number
    luogo dove;                          // the field's place
};

struct record_scritto {
    luogo dove;                          // the keyword field
    std::string parola;                  // the keyword field as written
    const voce_record* regola = nullptr;  // null: a field no record of the table names
    std::vector<valore_scritto> valori;  // in the record's order; fewer when the file ends first
};

// The records of both sources, each in the order of its file.
struct record_fonti {
    std::vector<record_scritto> linea;
    std::vector<record_scritto> treno;
};

// Every record of a text source, in the order of the file, from the first
// field that holds "[generale]" on: each field whose words a record of the
// table holds begins one, and its values follow as the reader counts fields
// (a record short of values on its line takes them from the next). A field
// that names no record is passed over.
std::vector<record_scritto> record_del_testo(const std::string& testo, sorgente file);

// The records of the two sources (either may be missing), and, read at its
// place, the record of every cell and table entry of the model that the
// reading in file order did not meet (a keyword field read otherwise by the
// build), so that each place the model keeps finds its record.
record_fonti leggi_record_fonti(const std::string* testo_linea, const std::string* testo_treno,
                                const modello_scenario& m);

// The record whose keyword field stands at the place; null when none.
const record_scritto* record_a(const record_fonti& r, const luogo& l);

// The value of the record's field i as a number, when it was written as one.
std::optional<std::int32_t> numero_di(const record_scritto& r, std::size_t i);

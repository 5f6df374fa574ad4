// What each status and each warning means, for `scenario-tool explain` and
// for the status reference of the author's guide (docs/reference.md is
// explain --all, word for word): the text, the record that raises it, and a
// small example in the embedded scenario's own files, wrong and right.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "sources/luogo.h"

// An example: in the embedded scenario's file `file`, the line `ancora` is
// replaced by the lines of `sbagliato` (which raise the status or warning)
// or of `giusto` (which do not). Lines are separated by "\n".
struct esempio_sorgente {
    sorgente file;
    const char* ancora;
    const char* sbagliato;
    const char* giusto;
};

struct spiegazione {
    std::int32_t codice;   // the status, or 1250 and 1251; 0 for a warning
    const char* nome;      // the warning's name; nullptr for a status
    const char* titolo;    // one line; for a status of the table, its text there
    const char* record;    // where it comes from
    const char* testo;     // paragraphs, separated by a blank line
    std::optional<esempio_sorgente> esempio;
};

// Every status of the table in increasing order, then 1250 and 1251.
std::span<const spiegazione> spiegazioni_stati();

// Every warning, in the order of the warning table.
std::span<const spiegazione> spiegazioni_avvisi();

// Every check of the built scenario, in the order of its table.
std::span<const spiegazione> spiegazioni_esami();

// The explanation of "15", "tab", "-Wtab" or "-Wno-tab"; null for none.
const spiegazione* cerca_spiegazione(std::string_view chiave);

// One explanation as explain prints it: Markdown, its heading at `livello`
// ("#" or "##").
std::string testo_spiegazione(const spiegazione& s, int livello = 1);

// Every explanation, as docs/reference.md holds it.
std::string riferimento_markdown();

// The statuses and warnings known, for a message: "1, 2, 3, ..." and the names.
std::string elenco_spiegazioni();

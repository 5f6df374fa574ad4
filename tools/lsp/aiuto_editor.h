// What the editor asks of a file beyond its diagnostics: the hover on a
// keyword or a value, the completion of keywords and section headers, and
// the outline of sections and records.
#pragma once

#include <optional>
#include <string>

#include <nlohmann/json.hpp>

#include "tools/lsp/testo_editor.h"

// A buffer as the editor holds it (UTF-8) and as the build reads it.
struct documento_letto {
    bool linea = true;  // a line file; otherwise a train file
    std::string utf8;
    std::string byte;
    std::vector<std::size_t> inizi_utf8;
    std::vector<std::size_t> inizi_byte;
};

documento_letto leggi_documento(const std::string& utf8, bool linea);

// Markdown for the word at the position: a record's keyword (its values and
// what it does) or one of its values (name, unit, how the build reads it);
// nothing elsewhere.
std::optional<std::string> aiuto_a(const documento_letto& d, posizione_editor p);

// The completion items at the position: the keywords of the part of the file
// it stands in (with their values as a snippet when `snippet`) and the
// section headers, when the position is in a line's first field.
nlohmann::json completamenti(const documento_letto& d, posizione_editor p, bool snippet);

// The most symbols an outline holds, sections and records together: the
// answer stays small on the longest file, and an editor shows no more.
inline constexpr std::size_t massimo_simboli = 5000;

struct schema_documento {
    nlohmann::json simboli = nlohmann::json::array();
    bool tagliato = false;  // the file holds more symbols than the outline shows
};

// The DocumentSymbols: each section, with its records inside (stations by
// name, signals and signs by position), up to `massimo` in all, from the top.
schema_documento simboli(const documento_letto& d, std::size_t massimo = massimo_simboli);

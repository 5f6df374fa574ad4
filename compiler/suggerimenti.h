// Suggestions for a field that matched no record: the keyword it lies
// closest to, in its own part of the sources or in another.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "compiler/avvisi.h"

// The closest keyword of a record to a field, when it lies within two edits
// (or differs only in letter case, for a test that minds it).
struct suggerimento {
    std::string parola;   // the keyword as the record is written
    bool solo_maiuscole;  // the same letters in another case
    bool altra_parte;     // a record of another section of the file
};
std::optional<suggerimento> suggerisci(std::string_view campo, parte_sorgente parte);

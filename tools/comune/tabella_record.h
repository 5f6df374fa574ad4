// The records an author writes, as the editor's help shows them: the keyword,
// the part of the files it belongs to, its values with their units, and what
// it does, in the author's guide's words.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

enum class parte_file : std::uint8_t { generale_linea, corpo_linea, treno };

struct campo_record {
    const char* nome;
    const char* unita;    // "m", "km/h", ... ; "" for none
    bool posizione;       // a position along the line: the build keeps its cell
};

struct voce_record {
    parte_file parte;
    const char* parola;          // the words the keyword field holds (lower case)
    const char* seconda_parola;  // "" for none
    const char* forma;           // the keyword as the embedded files write it
    std::vector<campo_record> campi;
    bool testo_finale;           // the last value runs to the end of the line
    const char* che_fa;
};

std::span<const voce_record> tabella_record();

// The record whose words a keyword field holds, in the part given; null for none.
const voce_record* record_di(std::string_view campo, parte_file parte);

// The section headers of each file, as the embedded files write them.
std::span<const char* const> intestazioni(bool linea);

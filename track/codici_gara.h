// The two check codes of a scenario, computed from the train number (entry 86's
// nome) and the line name (entry 85's nome).
//
// Key text: the train number and the line name joined, lower-cased, followed by
// the filler "aabbccddeeffgghhiillmmnnoo"; only its first 25 characters count.
// Characters are single bytes of the Windows-1252 code page; their codes are
// the byte values 0 to 255. Lower-casing follows that code page: A-Z, the
// accented capitals C0-DE (except D7, the multiplication sign) move up by 0x20,
// and 8A, 8C, 8E, 9F become 9A, 9C, 9E, FF. Every other byte stays.
#pragma once

#include <cstdint>
#include <string>

#include "compiler/modello.h"

inline constexpr const char* riempitivo_codici = "aabbccddeeffgghhiillmmnnoo";
inline constexpr std::size_t caratteri_chiave = 25;

// One byte lower-cased in the Windows-1252 code page.
unsigned char minuscola_1252(unsigned char c);

// The key text: train number + line name, lower-cased, + filler.
std::string chiave_codici(const std::string& numero_treno, const std::string& nome_linea);

// Sum of the codes of characters 1 to 25 of the key text (0 to 6375).
std::int32_t codice_gara_og(const std::string& numero_treno, const std::string& nome_linea);

// Sum of the codes of characters 1 to 25 of the key text, each multiplied by
// its position (0 to 82875).
std::int32_t codice_gara_st(const std::string& numero_treno, const std::string& nome_linea);

// The same, from the names in the model's entries 86 and 85.
std::int32_t codice_gara_og(const modello_scenario& m);
std::int32_t codice_gara_st(const modello_scenario& m);

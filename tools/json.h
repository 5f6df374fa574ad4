// JSON text for the tool's report. Output is pure ASCII: '"', '\' and the
// control characters are escaped, and every byte above 127 is read as a
// Windows-1252 character and written as the \uXXXX escape of its Unicode code
// point (the five bytes that code page leaves undefined, 81 8D 8F 90 9D, map
// to U+0081 and so on, as Windows maps them).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The Unicode code point of a Windows-1252 byte.
std::uint16_t unicode_1252(unsigned char c);

// A JSON string literal, quotes included.
std::string stringa_json(std::string_view testo);

// A JSON array of strings.
std::string lista_json(const std::vector<std::string>& voci);

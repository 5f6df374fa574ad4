// Windows-1252 text, as the scenario files and the model hold it, turned into
// UTF-8 for JSON and for the terminal.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The Unicode code point of a Windows-1252 byte. The five bytes that code page
// leaves undefined (81 8D 8F 90 9D) map to U+0081 and so on, as Windows maps them.
std::uint16_t unicode_1252(unsigned char c);

// Every byte read as a Windows-1252 character, written in UTF-8.
std::string utf8_da_1252(std::string_view testo);

// A file name or a message that names files: as it stands when it is valid
// UTF-8 (paths on Windows always are, and most on POSIX), otherwise every
// byte read as a Windows-1252 character.
std::string utf8_da_nome(std::string_view testo);

// The text is valid UTF-8 (no overlong forms, no surrogates).
bool utf8_valido(std::string_view testo);

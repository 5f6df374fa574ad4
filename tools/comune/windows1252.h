// Names given as UTF-8 text (on Windows every argument and file name reaches
// the tool as UTF-8) turned into the Windows-1252 bytes that the scenario
// files hold, one byte per character.
#pragma once

#include <cstddef>
#include <string>

// The text in Windows-1252. Throws errore_uso naming `che_cosa` (for example
// "line name") and the first character that Windows-1252 cannot hold, or the
// first byte that is not valid UTF-8.
std::string utf8_in_windows1252(const std::string& testo, const std::string& che_cosa);

// The byte of a character in Windows-1252; -1 when that code page has none
// (the five bytes it leaves undefined stand for U+0081 and so on).
int byte_windows1252(char32_t c);

// Decodes the UTF-8 character that begins at `i`, moving `i` past it; false
// (and `i` unmoved) for bytes that are not UTF-8 (overlong forms and
// surrogates included).
bool carattere_utf8(const std::string& testo, std::size_t& i, char32_t& c);

// Names given as UTF-8 text (on Windows every argument and file name reaches
// the tool as UTF-8) turned into the Windows-1252 bytes that the scenario
// files hold, one byte per character.
#pragma once

#include <string>

// The text in Windows-1252. Throws errore_uso naming `che_cosa` (for example
// "line name") and the first character that Windows-1252 cannot hold, or the
// first byte that is not valid UTF-8.
std::string utf8_in_windows1252(const std::string& testo, const std::string& che_cosa);

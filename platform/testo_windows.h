// UTF-8 inside the program, UTF-16 at the Windows calls.
#pragma once

#include <string>
#include <vector>

namespace piattaforma {

std::wstring in_utf16(const std::string& utf8);
std::string in_utf8(const std::wstring& utf16);

// The system's text for a Windows error number (UTF-8, without the trailing
// line end); "unknown error" when it has none.
std::string testo_errore_windows(unsigned long numero);

}  // namespace piattaforma

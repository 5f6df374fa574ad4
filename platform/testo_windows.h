// UTF-8 inside the program, UTF-16 at the Windows calls.
#pragma once

#include <string>

namespace piattaforma {

std::wstring in_utf16(const std::string& utf8);
std::string in_utf8(const std::wstring& utf16);

}  // namespace piattaforma

// The arguments of a command-line program as UTF-8 text.
#pragma once

#include <string>
#include <vector>

namespace piattaforma {

// The arguments after the program's name. On POSIX the bytes of argv as they
// are; on Windows the wide command line (GetCommandLineW) converted to UTF-8,
// so that a path in any script arrives whole (argv holds it in the ANSI code
// page, with '?' for what that cannot hold).
std::vector<std::string> argomenti_utf8(int argc, char** argv);

}  // namespace piattaforma

// The arguments of a command-line program as UTF-8 text, and its streams.
#pragma once

#include <string>
#include <vector>

namespace piattaforma {

// The arguments after the program's name. On POSIX the bytes of argv as they
// are; on Windows the wide command line (GetCommandLineW) converted to UTF-8,
// so that a path in any script arrives whole (argv holds it in the ANSI code
// page, with '?' for what that cannot hold).
std::vector<std::string> argomenti_utf8(int argc, char** argv);

// Makes a write to a pipe whose reader is gone fail (EPIPE) instead of ending
// the process, so that a closed pipe is reported like any failed write. On
// POSIX SIGPIPE is ignored; Windows has no such signal.
void scrittura_su_tubo_chiuso_fallisce();

// Standard input and output carry bytes as they are: on Windows they are
// put in binary mode (no CR LF turned into LF, no Ctrl-Z taken for the end);
// on POSIX they already are.
void flussi_binari();

// Standard output is a terminal (a console on Windows), where colours may be
// shown; not when it goes to a file or a pipe.
bool uscita_su_terminale();

}  // namespace piattaforma

// How check and compile print their diagnostics: as GCC and Clang print
// theirs on standard error, and as JSON objects for editors and scripts.
//
//     LINE_FILE:27:23: error: position 30000 m lies beyond ... [status 15]
//        27 | cartello_indicatore,  30000,   ( PASSAGGIO A)(  LIVELLO   )
//           |                       ^~~~~
//     TRAIN_FILE:4:8: warning: a tab: only spaces are blanks ... [-Wtab]
//
// A diagnostic without a line names its file alone ("FILE: error: ..."), and
// one without a file names the tool. Every byte that comes from a file or a
// path is shown escaped where it is not printable (testo_terminale.h).
#pragma once

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "tools/comune/diagnostica.h"

// Adds -Wno-NAME (an unknown NAME is a usage error) and, with `con_werror`,
// --werror and -Werror to a command.
void opzioni_avvisi(CLI::App& comando, scelta_avvisi& s, bool con_werror);

// The diagnostics to show: the warnings turned off are left out; under
// --werror the others become errors (they keep their name).
std::vector<diagnostica> diagnostiche_scelte(const std::vector<diagnostica>& tutte, const scelta_avvisi& s);

// One diagnostic as text, its notes after it; every line ends with a line end.
std::string testo_diagnostica(const diagnostica& d);

// One diagnostic as a JSON object: {"severity", "status", "position", "name",
// "file", "line", "column", "message", "source_line"}, null where there is
// nothing. Texts of the sources are taken as Windows-1252.
nlohmann::ordered_json json_diagnostica(const diagnostica& d);
nlohmann::ordered_json json_diagnostiche(const std::vector<diagnostica>& d);

// "1 error, 2 warnings", "no error, no warning".
std::string conteggio_diagnostiche(const std::vector<diagnostica>& d);

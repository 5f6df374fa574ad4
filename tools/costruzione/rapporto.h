// What scenario-tool compile and check print, and their exit status.
#pragma once

#include <string>
#include <vector>

#include "tools/costruzione/compila_strumento.h"
#include "tools/comune/diagnostica.h"

// "1250", "1251", "no-track", "io", or an empty text for none.
std::string nome_fatale(esito_fatale f);

// The one JSON object of --json, on one line without a line end:
// {"status", "position", "fatal", "message", "files", "diagnostics"} in this
// order ("files" only `con_file`, as compile has it). Texts are taken as
// Windows-1252 and every character outside printable ASCII is written as a
// \uXXXX escape, so the object is pure ASCII; a path that is not UTF-8 has
// its stray bytes replaced by U+FFFD.
std::string oggetto_json(const risultato_compilazione& r, const std::vector<diagnostica>& diagnostiche,
                         bool con_file = true);

// The summary of compile: the error line ("error N at P m: MESSAGE") and the
// fatal line go to `errori`, the files written (each joined to the output
// directory) to `uscita`. Nothing from a file reaches them unescaped.
void rapporto_testo(const risultato_compilazione& r, const std::string& cartella_uscita, std::string& uscita,
                    std::string& errori);

// What compile and check print on standard error: the errors (every status as
// raised, the fatal outcome), then the summary, then the warnings.
std::string rapporto_diagnostiche(const std::vector<diagnostica>& diagnostiche, const std::string& riepilogo);

// compile: 0 no status, 1 a recorded status, 3 fatal (2, usage, is decided earlier).
int stato_uscita(const risultato_compilazione& r);

// Some diagnostic of the list is an error.
bool con_errori(const std::vector<diagnostica>& d);

// check and compile: 0 no error, 1 a recorded status or a diagnostic of error
// severity (a warning under --werror too), 3 fatal.
int stato_uscita_controllo(const risultato_compilazione& r, const std::vector<diagnostica>& scelte);

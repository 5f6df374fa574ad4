// What scenario-tool prints and its exit status.
#pragma once

#include <string>

#include "tools/compila_strumento.h"

// "1250", "1251", "no-track", "io", or an empty text for none.
std::string nome_fatale(esito_fatale f);

// The one JSON object of --json, on one line without a line end:
// {"status", "position", "fatal", "message", "files"} in this order. Texts are
// taken as Windows-1252 and every character outside printable ASCII is
// written as a \uXXXX escape, so the object is pure ASCII.
std::string oggetto_json(const risultato_compilazione& r);

// The text report: the error line ("error N at P m: MESSAGE") and the fatal
// line go to `errori`, the files written (each joined to the output directory)
// to `uscita`.
void rapporto_testo(const risultato_compilazione& r, const std::string& cartella_uscita, std::string& uscita,
                    std::string& errori);

// 0 no status, 1 a recorded status, 3 fatal (2, usage, is decided earlier).
int stato_uscita(const risultato_compilazione& r);

// The two text sources in the layout of the embedded scenario's: "[generale]"
// first, the section headers in the same order, one record per line, each
// value after its comma padded with blanks as the embedded records pad it,
// CR LF line ends, Windows-1252 text (names and texts as the table holds
// them), "[fine]" last.
#pragma once

#include <string>

#include "tools/decompila_sorgenti.h"

std::string testo_linea(const sorgente_linea& l);
std::string testo_treno(const sorgente_treno& t);

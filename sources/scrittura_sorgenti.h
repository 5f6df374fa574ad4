// The text of a line file and of a train file from their records, in the
// layout of the embedded scenario's sources: "[generale]" first, the section
// headers in the same order, one record per line, each value after its comma
// padded with blanks as the embedded records pad it, CR LF line ends, names
// and texts as the records hold them (Windows-1252 bytes), "[fine]" last.
#pragma once

#include <string>

#include "sources/record_sorgenti.h"

std::string testo_linea(const sorgente_linea& l);
// Each signal stands where its stazioni_prima puts it: before the station of
// that index in the stations section, or in the signals section.
std::string testo_treno(const sorgente_treno& t);

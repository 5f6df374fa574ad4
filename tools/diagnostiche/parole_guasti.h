// The words for a failure: a runtime failure of a build (status 25), from its
// kind and numbers ("OPERATION: WHAT", as the summary line tells it, and what
// failed alone, as a diagnostic tells it beside the record), and a failing
// file operation.
#pragma once

#include <string>

#include "compiler/modello.h"
#include "sources/errore_esecuzione.h"

// A failure of an operation in words: "OPERATION \"PATH\": WHAT", or
// "OPERATION: WHAT" when no file is concerned.
std::string parole_operazione(const std::string& operazione, const std::string& percorso, const std::string& che_cosa);

// A failure of the core as it was thrown, in those words.
std::string testo_esecuzione(const errore_esecuzione& e);

// "read value: value 70000 does not fit its field (-32768 to 32767)"; a file
// operation: "open \"PATH\": the system's words".
std::string parole_guasto(const guasto_sollevato& g);

// What failed, without the operation: "value 70000 does not fit its field
// (-32768 to 32767)"; a file operation gives its whole words.
std::string che_cosa_guasto(const guasto_sollevato& g);

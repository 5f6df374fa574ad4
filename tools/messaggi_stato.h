// Words for the status codes that a build records in the model.
#pragma once

#include <cstdint>
#include <string>

// "no error" for 0, "unknown status" for a code outside the table.
std::string descrizione_stato(std::int32_t codice);

// Codes recorded by the finishing pass rather than by the compiler.
bool stato_della_finitura(std::int32_t codice);

// The compiled-in scenario: the two text sources and the three crew
// documents, each a list of lines that ends with the end marker.
#pragma once

#include <span>

namespace contenuto {

inline constexpr const char* marcatore_fine = "riferimento fine del file";

// The line lists; each holds its lines and the end marker.
extern const char* const righe_linea[29];
extern const char* const righe_treno[32];
extern const char* const righe_note[8];
extern const char* const righe_rallentamenti[47];
extern const char* const righe_scheda[50];

}  // namespace contenuto

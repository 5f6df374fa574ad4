// The steps of the line phase, shared by its files.
#pragma once

#include <cstdint>

#include "compilazione.h"

// Last metre a curve may bring the plan cursor to; one more is refused (103).
inline constexpr std::int32_t ultimo_punto_curva = 1000000;

// Longest line that may be declared (longer: status 1).
inline constexpr std::int32_t lunghezza_massima = 1000000;

// Metres of track beyond the declared end of the line.
inline constexpr std::int32_t coda_tracciato = 7000;

// A body record is accepted when its position plus this margin, divided by
// 50, does not pass the last cell.
inline constexpr std::int32_t margine_linea = 100;

// The general section, from the field after "[generale]" to the header that
// ends it. `lunghezza_letta` tells whether a length record was read.
esito_record sezione_generale(modello_scenario& m, stato_compilazione& s, bool& lunghezza_letta);

// The body records, to the end of the file or the first refused record.
esito_record corpo_linea(modello_scenario& m, stato_compilazione& s);

// Track and plan sizing from `lunghezza_totale` and `numero_celle`.
void dimensiona_tracciato(modello_scenario& m);
void dimensiona_planimetria(modello_scenario& m);

// Plan steps. The plan starts at the origin heading along +y.
void semina_planimetria(modello_scenario& m);
esito_record curva_planimetria(modello_scenario& m, stato_compilazione& s, std::int32_t inizio,
                               std::int32_t lunghezza, double curvatura);
void completa_planimetria(modello_scenario& m, stato_compilazione& s);

// Writes the last gradient into the gradient cursor's cell and advances the cursor.
void scrivi_pendenza(modello_scenario& m, stato_compilazione& s);

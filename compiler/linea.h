// The steps of the line phase, shared by its files.
#pragma once

#include <cstdint>

#include "compiler/compilazione.h"

// Last metre a curve may bring the plan cursor to; one more is refused (103).
inline constexpr std::int32_t ultimo_punto_curva = 1000000;

// Longest line that may be declared (longer: status 1).
inline constexpr std::int32_t lunghezza_massima = 1000000;

// Metres of track beyond the declared end of the line.
inline constexpr std::int32_t coda_tracciato = 7000;

// The general section, from the field after "[generale]" to the header that ends it.
esito_record sezione_generale(modello_scenario& m, stato_compilazione& s);

// The body records, to the end of the file or the first refused record.
esito_record corpo_linea(modello_scenario& m, stato_compilazione& s);

// Allocates the track and the plan of the sizes asked for, if any: when the
// general section ends, or when the method ends inside it. A plan that keeps
// no points gets its last metre and no element.
void realizza_dimensioni(modello_scenario& m, stato_compilazione& s);

// Plan steps. The plan starts at the origin heading along +y.
void semina_planimetria(modello_scenario& m);
esito_record curva_planimetria(modello_scenario& m, stato_compilazione& s, std::int32_t inizio,
                               std::int32_t lunghezza, double curvatura);
void completa_planimetria(modello_scenario& m, stato_compilazione& s);

// Writes the last gradient into the gradient cursor's cell and advances the cursor.
void scrivi_pendenza(modello_scenario& m, stato_compilazione& s);

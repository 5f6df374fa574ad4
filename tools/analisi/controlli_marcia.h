// The checks of the timetable and of braking on a built scenario, in one
// table: each row names a check, its default severity and explanation, and
// the function that finds it.
#pragma once

#include <span>
#include <vector>

#include "compiler/modello.h"
#include "tools/analisi/rilievo_marcia.h"

std::span<const scheda_controllo* const> schede_controlli_marcia();

// Every finding of every check on the input, with the run computed once.
std::vector<rilievo_marcia> rilievi_marcia(const ingresso_marcia& in, const opzioni_marcia& o);

// The same with the run already computed with these options.
std::vector<rilievo_marcia> rilievi_marcia(const ingresso_marcia& in, const opzioni_marcia& o, const risultato_marcia& marcia);

// The same on a built model (its track allocated).
std::vector<rilievo_marcia> rilievi_marcia(const modello_scenario& m, const opzioni_marcia& o);

// slowdown-braking: a train passing a slowdown's warning board at the speed
// permitted there cannot brake to the slowdown's speed within the 1,200 m
// between the board and the slowdown's start (braking model: frenatura.h).
// Slowdowns that start within 1,500 m of the line's start have no board and
// are not checked.
#pragma once

#include <cstdint>
#include <optional>

#include "tools/analisi/rilievo_marcia.h"

extern const scheda_controllo controllo_frenata_rallentamento;

// The metres a train of this input needs to brake from `da` to `a` km/h,
// ending at metre `fine`, on the gradients before it; none when it cannot
// within `massimo` metres (or before the line's start).
std::optional<std::int64_t> metri_per_frenare(const ingresso_marcia& in, const parametri_frenatura& p, double da,
                                              double a, std::int64_t fine, std::int64_t massimo);

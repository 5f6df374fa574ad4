// The least time between two points of the line: every metre at the permitted
// speed for the train's head (line speed limits and slowdowns), no
// acceleration, no braking, no train length. No train can beat it, whatever
// its traction, brakes or length: a timetable faster than it is impossible.
#pragma once

#include <cstdint>
#include <optional>

#include "tools/analisi/ingresso_marcia.h"

// Seconds from metre `da` to metre `a` (da ≤ a); none when a stretch between
// them permits 0 km/h.
std::optional<double> tempo_minimo(const ingresso_marcia& in, std::int64_t da, std::int64_t a);

// How far apart two short texts are, for the suggestions of the warnings.
#pragma once

#include <cstddef>
#include <string_view>

// Edit distance with adjacent transpositions (optimal string alignment), as
// far as `massimo`: anything farther gives massimo + 1. Texts longer than 48
// bytes (farther than any keyword's tolerance) give massimo + 1 too.
std::size_t distanza_modifica(std::string_view a, std::string_view b, std::size_t massimo);

// The line's own kilometres, as its posts read: the kilometric progressives
// of the table (entries 81 to 83, in the order the build leaves them, entry
// 81 the one that starts furthest on). At a metre, the first of the three
// entries whose start lies at or before it counts: the reading is its value
// plus the metres since its start (a flag of 1 has already added 100 to the
// value). Before every start the line counts its metres from 0, and so does
// a line whose progressives are all zero: its posts stand where they always
// did, km 1 at metre 1000.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "compiler/modello.h"

struct progressiva_vista {
    int voce = 0;  // entry of the table (81 to 83)
    std::int32_t inizio = 0;
    std::int32_t valore = 0;  // the flag's 100 included
    std::int32_t flag = 0;
};

struct chilometri_vista {
    std::array<progressiva_vista, 3> progressive{};  // entries 81, 82, 83
    bool propri = false;  // some metre reads otherwise than its distance from the start
};

chilometri_vista chilometri_del_modello(const modello_scenario& m);

// The progressive that counts at the metre; null when none does.
const progressiva_vista* progressiva_a(const chilometri_vista& k, std::int64_t metro);

// The metre as the line counts it (its reading in metres: 42500 is km 42.5).
std::int64_t lettura(const chilometri_vista& k, std::int64_t metro);

// A kilometre post: where the count reaches a multiple of the step, or where
// the count begins or jumps to a reading of its own (`cambio`: a progressive
// begins, or the first metre does not fall on a multiple).
struct cippo_vista {
    std::int64_t metro = 0;
    std::int64_t lettura = 0;
    bool cambio = false;
};

// The posts from metre `da` to metre `a` (both included), in order: the
// first metre, each start of a progressive with the reading it brings, and
// every metre whose reading is a multiple of `passo` (metres, above 0).
std::vector<cippo_vista> cippi_tra(const chilometri_vista& k, std::int64_t da, std::int64_t a, std::int64_t passo);

// A reading in km without the trailing zeros: 42500 -> "42.5", 43000 -> "43".
std::string km_breve(std::int64_t lettura);

// "km 42.5" of the line, and when the line's count differs from the metres,
// the metre: "km 42.5 (metre 0)".
std::string km_e_metro(const chilometri_vista& k, std::int64_t metro);

// "from metre 2000 to 3500 (km 2–3.5)", in the line's kilometres.
std::string da_metro_a_metro(const chilometri_vista& k, std::int64_t da, std::int64_t a);

// The hover text of a post: its reading and metre, the progressive record
// as written (its file and line, when the page was made from the text
// sources), then the entry the build ordered it into.
std::string titolo_cippo(const cippo_vista& c, const chilometri_vista& k, const modello_scenario& m,
                         const std::string& file_linea);

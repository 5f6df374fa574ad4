// The records whose values a placement method takes, each read once from its
// line into a small struct. The comment above each is the record as written.
#pragma once

#include <cstdint>

#include "compiler/modello.h"
#include "sources/luogo.h"

// montagna, inizio, fine, tipo
struct record_montagna {
    std::int32_t inizio = 0;
    std::int32_t fine = 0;
    std::int32_t tipo = 0;
};

// indicatori_v, posizione, vas, vbs, vcs, strisces, vad, vbd, vcd, strisced
struct record_indicatori {
    std::int32_t posizione = 0;
    std::int32_t vas = 0;
    std::int32_t vbs = 0;
    std::int32_t vcs = 0;
    std::int32_t strisces = 0;
    std::int32_t vad = 0;
    std::int32_t vbd = 0;
    std::int32_t vcd = 0;
    std::int32_t strisced = 0;
};

// segnale, posizione, sx, s1, s2, s3, rapp, dx, d1, d2, d3, tempo
struct record_segnale {
    std::int32_t posizione = 0;
    std::int32_t sx = 0;
    std::int32_t s1 = 0;
    std::int32_t s2 = 0;
    std::int32_t s3 = 0;
    std::int32_t rapp = 0;
    std::int32_t dx = 0;
    std::int32_t d1 = 0;
    std::int32_t d2 = 0;
    std::int32_t d3 = 0;
    std::int32_t tempo = 0;
};

// rallentamento, x, v, l, f_tt, f_ta, d_v
struct record_rallentamento {
    std::int32_t x = 0;
    std::int32_t v = 0;
    std::int32_t l = 0;
    std::int32_t f_tt = 0;
    std::int32_t f_ta = 0;
    std::int32_t d_v = 0;
};

// Placement methods on the track. `origine` is the place of the record's
// keyword, noted for every cell written. Those that can refuse return the
// status they raise, or stato::nessuno; the caller records it.
void memo_montagna(modello_scenario& m, const record_montagna& r, const luogo& origine = {});
stato memo_indicatori_v_max(modello_scenario& m, const record_indicatori& r, const luogo& origine = {});
stato memo_segnale(modello_scenario& m, const record_segnale& r, const luogo& origine = {});
stato memo_rallentamento(modello_scenario& m, const record_rallentamento& r, const luogo& origine = {});

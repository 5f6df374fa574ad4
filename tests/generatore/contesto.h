// Working state of one generation, shared by the line and train generators.
#pragma once

#include <cstdint>

#include "sources/record_sorgenti.h"
#include "tests/generatore/casuale.h"
#include "tests/generatore/generatore.h"
#include "tests/generatore/occupazione.h"

struct contesto_generazione {
    sorgente_casuale caso;
    std::int32_t lunghezza = 0;
    // Last metre for the positions of line and train objects: with edge cases
    // a little beyond the line's end (the track reaches 7000 m further), at
    // most 5000 m; otherwise the line's end.
    std::int32_t limite = 0;
    bool casi_limite = true;
    occupazione celle;
};

// How many tries an object gets to find free cells before it is left out.
inline constexpr int tentativi_posto = 40;

// A metre position from `da` to `a` (`da` when a < da: the caller then finds
// it beyond its range and leaves the object out): mostly a multiple of
// 50, sometimes any metre, sometimes 25 past a multiple of 50 (half a cell,
// which the cell arithmetic rounds to the even neighbour).
std::int32_t posizione_casuale(sorgente_casuale& c, std::int64_t da, std::int64_t a);

// `quante` positions from `da` to `a`, strictly increasing, at least 100 m
// apart (so in distinct cells); fewer when the stretch is too short. With
// `da_zero` the first one is `da`.
std::vector<std::int32_t> posizioni_crescenti(sorgente_casuale& c, std::int32_t quante, std::int64_t da,
                                              std::int64_t a, bool da_zero);

// The general records and the body of each file; the objects that take cells
// record their cells in the context's occupancy.
void genera_generale_linea(contesto_generazione& g, sorgente_linea& l);
void genera_corpo_linea(contesto_generazione& g, const conteggi_record& voluti, std::int32_t stazioni, sorgente_linea& l);
void genera_generale_treno(contesto_generazione& g, sorgente_treno& t);
void genera_stazioni(contesto_generazione& g, std::int32_t quante, sorgente_treno& t);
void genera_rallentamenti(contesto_generazione& g, std::int32_t quanti, sorgente_treno& t);
void genera_segnali(contesto_generazione& g, std::int32_t quanti, sorgente_treno& t);
void genera_abbattimenti(contesto_generazione& g, std::int32_t quanti, sorgente_treno& t);
void genera_velocita_aderenze(contesto_generazione& g, const conteggi_record& voluti, sorgente_treno& t);

// Working state of one generation, shared by the line and train generators.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "sources/record_sorgenti.h"
#include "tests/generatore/casuale.h"
#include "tests/generatore/generatore.h"
#include "tests/generatore/occupazione.h"

struct intervallo_celle {
    std::int64_t da;
    std::int64_t a;
};

struct contesto_generazione {
    sorgente_casuale caso;
    std::int32_t lunghezza = 0;
    // Last metre for the positions of line and train objects: with edge cases
    // a little beyond the line's end (the track reaches 7000 m further), at
    // most 5000 m; otherwise the line's end.
    std::int32_t limite = 0;
    bool casi_limite = true;
    occupazione celle;
    // The cells from the first to the last that each slowdown takes or keeps:
    // no two slowdowns overlap, so that the walk of the finishing pass from a
    // start meets its own end first (a pair of slowdowns one inside the
    // other's span keeps one interval, parametri_generatore::sovrapposizioni).
    std::vector<intervallo_celle> rallentamenti;
    // The cells that hold an approach marker of a station or a signal: without
    // edge cases no signal writes its markers over another's.
    std::vector<bool> avvisi;
    bool sovrapposizioni = false;  // parametri_generatore::sovrapposizioni
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
// The cell of a station's marker; -1 for a kind without marks.
std::int32_t cella_marca(const record_stazione& s);
// Every cell a slowdown takes or keeps for the finishing pass. The walk of
// the finishing pass from its start stops at the first end cell it meets:
// its own end, or `fine_cammino` when another slowdown's end comes first.
std::vector<richiesta_cella> celle_rallentamento(const record_rallentamento& r,
                                                 std::optional<std::int32_t> fine_cammino = std::nullopt);
// A slowdown whose cells, and their span, are free: takes them. True when
// taken. `coperta`: a cell of the slowdown under a station marker, already
// taken (-1 for none), which the span includes.
bool prendi_rallentamento(contesto_generazione& g, const std::vector<richiesta_cella>& celle,
                          std::int64_t coperta = -1);
// Random values of a slowdown (its x and l are set by the caller).
void valori_rallentamento(sorgente_casuale& c, record_rallentamento& r);
// A random signal at `posizione`.
record_segnale segnale_casuale(sorgente_casuale& c, std::int32_t posizione, bool casi_limite);

// Records that write over each other's cells (parametri_generatore::sovrapposizioni),
// after the stations; and the varied order of the records, at the end.
void genera_sovrapposizioni(contesto_generazione& g, sorgente_treno& t);
void mescola_ordine(contesto_generazione& g, sorgente_treno& t);
void genera_velocita_aderenze(contesto_generazione& g, const conteggi_record& voluti, sorgente_treno& t);

// With overlaps: the three progressives with starts or values alike (the
// ordering's ties); the first metres of a speed-limit or adhesion list, as
// records closer together than a cell.
void progressive_pari(sorgente_casuale& c, std::int32_t lunghezza, sorgente_linea& l);
std::vector<std::int32_t> inizio_ravvicinato(contesto_generazione& g);

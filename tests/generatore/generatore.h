// Generator of random valid scenarios: from a seed and a few parameters, the
// text of a line description file and of a train description file that the
// build compiles without recording any status. The same seed and parameters
// give the same bytes on every platform.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// How many records of each kind (the general records are always written).
struct conteggi_record {
    std::int32_t curve = 0;
    std::int32_t pendenze = 0;
    std::int32_t montagne = 0;
    std::int32_t indicatori = 0;
    std::int32_t cartelli = 0;
    std::int32_t aderenze = 0;
    std::int32_t velocita = 0;
    std::int32_t stazioni = 0;
    std::int32_t rallentamenti = 0;
    std::int32_t segnali = 0;
    std::int32_t abbattimenti = 0;

    bool operator==(const conteggi_record&) const = default;
};

std::int32_t totale(const conteggi_record& c);

struct parametri_generatore {
    std::uint64_t seme = 1;
    std::int32_t lunghezza = 20000;  // metres, 0 to 1,000,000
    // Records per kilometre of line, all kinds together, shared out by
    // conteggi_da_densita; used when `conteggi` is not given.
    double densita = 2.0;
    std::optional<conteggi_record> conteggi;
    // Edge cases that are valid but that the build warns of: positions up to
    // 5000 m beyond the line's declared length (the track reaches 7000 m
    // further), curves that start before the previous one ends, signal times
    // and adhesion values above a byte (kept in fewer bits). Without them a
    // scenario builds without any warning.
    bool casi_limite = true;
    // Records that write over each other's cells, as valid sources may: a
    // station whose marker overwrites a slowdown's start, end, warning board
    // or lead-in cell, or a signal, read before it; signals whose approach
    // markers and a station's fall into the same cells, read among the
    // stations in varied order; slowdowns and abbattimento points in varied
    // order; slowdowns starting inside another one's span (ending inside it
    // or after it). And ties that other records settle: progressives whose
    // starts or values are alike, speed-limit and adhesion records closer
    // together than a cell at the line's start. Without it the records never
    // share a cell, and a seed gives the same texts as it always did.
    bool sovrapposizioni = false;
};

// The records wanted for a line of this length at this density: a fixed share
// for each kind, at least one of each, and within the limits of the format
// (at most 80 mountains; stations and signs together at most 78).
conteggi_record conteggi_da_densita(std::int32_t lunghezza, double densita);

struct scenario_generato {
    std::string linea;  // the line description file
    std::string treno;  // the train description file
    // The records written. Objects that need free cells (stations, slowdowns,
    // signals, speed indicators, signs, abbattimento points) are written only
    // where the generator found room for them, so on a short line there may
    // be fewer than asked for.
    conteggi_record conteggi;
    // For each track cell (0 to the last), what it holds once the scenario is
    // built: a cell kind (1 to 14), or a code of occupazione.h (free, kept for
    // a board of the finishing pass).
    std::vector<std::uint8_t> celle_attese;
};

// Throws std::invalid_argument for a length outside 0 to 1,000,000, a
// negative or non-finite density, or a negative count.
scenario_generato genera_scenario(const parametri_generatore& p);

// What the running model and the timetable and braking checks read of a
// built scenario, as plain data: the line's length, its speed limits,
// slowdowns and gradients as steps along it, the stations in line order with
// their times, the start clock and the train. One adapter fills it from a
// built model; the models and the tests use nothing else.
//
// Steps are read from the track as the build left it, one 50-metre cell at a
// time: cell i stands for the metres [50 i, 50 i + 50), as the speed,
// adhesion and gradient fills lay their values (a record at metre p changes
// the cells from p / 50 on). A slowdown lies from the metre before its start
// cell to the metre before its end cell (its cells are those after the
// position's own), so its ends are read to the 50 m of a cell.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "compiler/modello.h"
#include "sources/luogo.h"

// Metres [da, a) at one line speed limit (km/h).
struct tratto_limite {
    std::int64_t da = 0;
    std::int64_t a = 0;
    std::int32_t velocita = 0;
};

// A slowdown: metres [inizio, fine) at `velocita` km/h; `dove` is its record.
struct rallentamento_marcia {
    std::int64_t inizio = 0;
    std::int64_t fine = 0;
    std::int32_t velocita = 0;
    luogo dove;
};

// Metres [da, a) at one gradient, in per mille (a rise in the direction of
// running is positive).
struct tratto_pendenza {
    std::int64_t da = 0;
    std::int64_t a = 0;
    std::int32_t permille = 0;
};

// A station in line order: its table entry, name, position and time (seconds
// after midnight; none when the file gives 0:00:00).
struct stazione_marcia {
    int voce = 0;
    std::string nome;  // Windows-1252 bytes, as stored
    std::int64_t posizione = 0;
    std::optional<std::int32_t> orario;
    luogo dove;
};

struct treno_marcia {
    std::int32_t vetture = 0;
    std::int32_t massa_frenata = 0;  // braked-mass percentage
    std::int32_t sabbia = 0;
};

struct ingresso_marcia {
    std::int64_t lunghezza = 0;  // the declared length of the line
    std::vector<tratto_limite> limiti;  // consecutive from metre 0
    std::vector<rallentamento_marcia> rallentamenti;  // in line order
    std::vector<tratto_pendenza> pendenze;  // consecutive from metre 0
    std::vector<stazione_marcia> stazioni;  // in line order
    std::vector<std::int64_t> indicatori;  // metres of the maximum-speed indicator boards
    std::int32_t orologio = 0;  // the start clock, seconds after midnight
    treno_marcia treno;
};

// The input of a built model. Reads only what the build left: the track's
// cells, the station entries from 1 up, entries 84 and 86.
ingresso_marcia ingresso_dal_modello(const modello_scenario& m);

// The line speed limit at a metre (km/h); 0 outside the limits.
std::int32_t limite_linea_a(const ingresso_marcia& in, std::int64_t metro);

// The gradient at a metre (per mille); 0 outside the steps.
std::int32_t pendenza_a(const ingresso_marcia& in, std::int64_t metro);

// The permitted speed for the train's head, metres [da, a) in steps: the line
// speed limit and every slowdown in force there, the least of them. A step
// at 0 km/h is a stretch no train may run.
std::vector<tratto_limite> velocita_ammessa(const ingresso_marcia& in, std::int64_t da, std::int64_t a);

// The timed stations, in line order.
std::vector<const stazione_marcia*> stazioni_con_orario(const ingresso_marcia& in);

// The fastest drivable run of the train over its line: the most restrictive
// speed profile (line speed limits and slowdowns, each lower limit held until
// the train's tail has cleared its end), braking curves back from every drop
// and every stop, acceleration curves forward, both corrected by the
// gradient; stops at every timed station.
//
// The run is computed metre by metre from the first station: the speed at
// each metre is the least of the permitted speed of the metres on either side
// of it, the speed accelerating from the metre before (v² + 2a) and the speed
// braking down to the metre after (v² + 2b), with a and b the acceleration
// and the deceleration on that metre's gradient. Over one metre the
// acceleration is constant, so each metre takes 2 / (v₀ + v₁) seconds, exact
// for a constant speed and for a constant acceleration.
//
// Stops: the train stands at the first station from the start clock and
// leaves at that station's time (at the clock when the station has none or an
// earlier one); it stops at every later timed station, whose time is the
// time it leaves: it stands there at least the least dwell and never leaves
// before that time. It passes the stations without a time at speed. The run
// ends at the last timed station, or, with none after the first station, at
// the line's end.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "tools/analisi/frenatura.h"
#include "tools/analisi/ingresso_marcia.h"

struct opzioni_marcia {
    double lunghezza_vettura = 26.4;  // m: a coach of the UIC-X type over its buffers
    double accelerazione = 0.4;       // m/s² on the level, at every speed
    double accelerazione_minima = 0.02;  // m/s²: what a steep rise leaves at the least
    std::int32_t sosta = 30;          // s: the least dwell at a timed station
    parametri_frenatura frenatura;
};

// The train's length: coaches times the coach length, in whole metres
// rounded up (a longer train holds a lower limit a little longer).
std::int64_t lunghezza_treno(const treno_marcia& t, const opzioni_marcia& o);

// The acceleration on a gradient: the level's less the gravity along it,
// never below the least.
double accelerazione_su(double permille, const opzioni_marcia& o);

// A stop of the run: the start, each timed station after it, or the line's end.
struct fermata_marcia {
    const stazione_marcia* stazione = nullptr;  // null: the line's end
    std::int64_t posizione = 0;
    std::optional<std::int64_t> orario;  // its time, on the run's count of seconds (it may pass midnight)
    double arrivo = 0;    // when the run gets there (at the start: the start clock)
    double partenza = 0;  // when it leaves (at the last stop: its arrival)
    double corsa = 0;     // seconds from leaving the previous stop to getting here
    std::optional<double> limite;  // the least time from the previous stop at the limits alone
    double riferimento = 0;  // the earliest the timetable lets it leave: its time, or the clock at the start
    std::optional<double> minimo;  // the previous stop's riferimento plus `limite`
};

struct risultato_marcia {
    std::int64_t inizio = 0;  // the first metre
    std::int64_t fine = 0;    // the last metre
    std::int64_t lunghezza_treno = 0;
    // For every metre from `inizio` to `fine`: the permitted speed for the
    // whole train there (m/s), the run's speed (m/s) and the time it passes
    // (seconds on the run's count; at a stop, the time it gets there).
    std::vector<double> ammessa;
    std::vector<double> velocita;
    std::vector<double> tempo;
    std::vector<fermata_marcia> fermate;
    std::optional<std::int64_t> bloccata;  // a metre permitting 0 km/h stops the run there
};

risultato_marcia calcola_marcia(const ingresso_marcia& in, const opzioni_marcia& o);

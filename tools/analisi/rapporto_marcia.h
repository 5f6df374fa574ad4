// The run told to the author: a table of the stops (kilometre, scheduled time,
// earliest possible, estimated arrival, slack) with the total, and the same
// with the whole speed profile as JSON.
#pragma once

#include <cstdint>
#include <functional>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "tools/analisi/ingresso_marcia.h"
#include "tools/analisi/marcia.h"
#include "tools/analisi/rilievo_marcia.h"

// The kilometre of a metre as the line's posts read it ("4.35").
using lettura_km = std::function<std::string(std::int64_t metro)>;

// The table, one line per stop and the total; a negative slack in red when
// `colori`.
std::string tabella_marcia(const ingresso_marcia& in, const risultato_marcia& r, const opzioni_marcia& o,
                           const lettura_km& km, bool colori);

// The metres where the run's motion changes (it starts or stops accelerating
// or braking, the permitted speed or the gradient changes, a stop): between
// two of them v² grows or falls linearly with the distance.
std::vector<std::size_t> punti_profilo(const ingresso_marcia& in, const risultato_marcia& r);

// {"train", "options", "stops", "total", "blocked", "profile", "findings"}.
nlohmann::ordered_json json_marcia(const ingresso_marcia& in, const risultato_marcia& r, const opzioni_marcia& o,
                                   const lettura_km& km, const std::vector<rilievo_marcia>& rilievi);

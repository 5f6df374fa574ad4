// `scenario-tool view --serve [--port N] LINE_FILE TRAIN_FILE`: a web server
// on 127.0.0.1 that serves the page of the two text sources and builds it
// again whenever either file is saved; the open page follows through a
// stream of events.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <ostream>

#include "tools/vista/vista_strumento.h"

struct controllo_servizio {
    std::function<bool()> fermati;                  // asked at every look: true ends the serving
    std::function<void(std::uint16_t)> in_ascolto;  // once listening, with the port (may be empty)
    std::chrono::milliseconds intervallo{50};       // how often the files are looked at
};

// Checks the request (throws errore_uso) and serves until `c.fermati` says
// so. Exit status: 0 after a stop; 3 when the sources cannot be read at the
// start or the port cannot be taken.
int esegui_servizio(const richiesta_vista& r, std::ostream& uscita, std::ostream& errori, const controllo_servizio& c);

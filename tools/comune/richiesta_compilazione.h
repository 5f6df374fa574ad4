// What `scenario-tool compile` or `check` was asked to do, as its command
// line gave it.
#pragma once

#include <optional>
#include <string>

#include "tools/comune/diagnostica.h"

struct richiesta_compilazione {
    std::string file_linea;
    std::string file_treno;
    std::string cartella_uscita = ".";
    std::optional<std::string> nome_linea;
    std::optional<std::string> numero_treno;
    bool senza_planimetria = false;
    bool json = false;
    scelta_avvisi avvisi;  // -Wno-NAME, --werror
    bool come_builder = false;  // compile --as-builder: the builder's files whatever the build recorded
};

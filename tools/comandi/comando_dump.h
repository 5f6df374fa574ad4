// `scenario-tool dump FILE... [--json] [--kind plan|table|track] [--all] [--points A:B]`
#pragma once

#include <CLI/CLI.hpp>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "tools/comandi/comando.h"
#include "tools/binari/dump_testo.h"
#include "tools/comune/tipo_file.h"

struct richiesta_dump {
    std::vector<std::string> file;
    std::optional<tipo_file> tipo;  // --kind; otherwise from each file's name
    bool json = false;
    bool tutte = false;                      // --all
    std::optional<intervallo_metri> punti;  // --points
};

void registra_dump(CLI::App& strumento, contesto_comandi& c);

// The command's arguments and options, bound to `r`.
void opzioni_dump(CLI::App& comando, richiesta_dump& r);

// Decodes and prints every file. Returns 0 when all decoded, 1 when one could
// not be read or decoded (its error on `errori`, the other files still
// printed). A file whose kind cannot be told is a usage error (errore_uso),
// found before anything is printed.
int esegui_dump(const richiesta_dump& r, std::ostream& uscita, std::ostream& errori);

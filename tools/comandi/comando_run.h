// `scenario-tool run LINE_FILE TRAIN_FILE [--line-name NAME]
//                  [--train-number NUM] [--coach-length M] [--acceleration A]
//                  [--dwell S] [--brake-coefficient K] [--color WHEN] [--json]`
#pragma once

#include <CLI/CLI.hpp>
#include <ostream>
#include <string>

#include "tools/analisi/marcia.h"
#include "tools/comandi/comando.h"
#include "tools/comune/richiesta_compilazione.h"

struct richiesta_marcia {
    richiesta_compilazione sorgenti;  // the two files and the names; json
    opzioni_marcia opzioni;
    std::string colore = "auto";  // auto, always, never
};

void registra_run(CLI::App& strumento, contesto_comandi& c);

// The command's arguments and options, bound to `r`.
void opzioni_run(CLI::App& comando, richiesta_marcia& r);

// The run once the command line is read; `terminale`: standard output is a
// terminal (colours with --color auto). Returns the exit status.
int esegui_run(const richiesta_marcia& r, bool terminale, std::ostream& uscita, std::ostream& errori);

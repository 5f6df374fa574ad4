// `scenario-tool compile LINE_FILE TRAIN_FILE [--out DIR] [--line-name NAME]
//                        [--train-number NUM] [--no-plan] [--json]`
#pragma once

#include <CLI/CLI.hpp>
#include <ostream>

#include "tools/comandi/comando.h"
#include "tools/comune/richiesta_compilazione.h"

void registra_compila(CLI::App& strumento, contesto_comandi& c);

// The command's arguments and options, bound to `r`.
void opzioni_compila(CLI::App& comando, richiesta_compilazione& r);

// The compile itself once the command line is read: the names, the check of
// the output files, the build, the report. Returns the exit status; throws
// errore_uso for names that cannot be had or an output that is an input.
int esegui_compila(const richiesta_compilazione& r, std::ostream& uscita, std::ostream& errori);

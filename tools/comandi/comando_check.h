// `scenario-tool check LINE_FILE TRAIN_FILE [--line-name NAME]
//                    [--train-number NUM] [--no-plan] [--json] [--werror]
//                    [-Wno-NAME ...]`
#pragma once

#include <CLI/CLI.hpp>
#include <ostream>

#include "tools/comandi/comando.h"
#include "tools/comune/richiesta_compilazione.h"

void registra_check(CLI::App& strumento, contesto_comandi& c);

// The command's arguments and options, bound to `r`.
void opzioni_check(CLI::App& comando, richiesta_compilazione& r);

// The check once the command line is read. Returns the exit status; throws
// errore_uso for names that cannot be had.
int esegui_check(const richiesta_compilazione& r, std::ostream& uscita, std::ostream& errori);

// `scenario-tool decompile [PLAN] TABLE TRACK [--out DIR]`
#pragma once

#include <CLI/CLI.hpp>
#include <ostream>
#include <string>
#include <vector>

#include "tools/comandi/comando.h"

struct richiesta_decompilazione {
    std::vector<std::string> file;  // PLAN TABLE TRACK, or TABLE TRACK
    std::string cartella_uscita = ".";
};

void registra_decompile(CLI::App& strumento, contesto_comandi& c);

// The command's arguments and options, bound to `r`.
void opzioni_decompile(CLI::App& comando, richiesta_decompilazione& r);

// Reads the files, writes the two texts into the output directory and reports.
// Returns 0 when the texts compile to the same bytes, 1 when they do not (every
// difference on `errori`), 3 when a file cannot be read or decoded or a text
// cannot be written; throws errore_uso for names that cannot be had.
int esegui_decompile(const richiesta_decompilazione& r, std::ostream& uscita, std::ostream& errori);

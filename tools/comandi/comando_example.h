// `scenario-tool example [--out DIR] [--line-name NAME] [--train-number NUM] [--force]`
#pragma once

#include <CLI/CLI.hpp>
#include <ostream>
#include <string>

#include "tools/comandi/comando.h"

struct richiesta_esempio {
    std::string cartella = ".";
    std::string nome_linea = "Tava Aeroporto-Rovea";
    std::string numero_treno = "30742";
    bool forza = false;
};

void registra_example(CLI::App& strumento, contesto_comandi& c);

// Writes the embedded scenario's line and train files into the directory
// (made when missing): the same bytes as the builder writes. Without
// `forza`, an existing file at either name leaves both unwritten. Returns
// the exit status.
int esegui_example(const richiesta_esempio& r, std::ostream& uscita, std::ostream& errori);

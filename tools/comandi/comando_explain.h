// `scenario-tool explain [N | NAME | --all]`
#pragma once

#include <CLI/CLI.hpp>
#include <ostream>
#include <string>

#include "tools/comandi/comando.h"

void registra_explain(CLI::App& strumento, contesto_comandi& c);

// What explain prints for `chiave` (a status number or a warning name; empty:
// the index of them all; `tutte`: every explanation). Throws errore_uso for
// an unknown one.
std::string testo_explain(const std::string& chiave, bool tutte);

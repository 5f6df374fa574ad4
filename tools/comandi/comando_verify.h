// `scenario-tool verify [PLAN] TABLE TRACK`
#pragma once

#include <CLI/CLI.hpp>
#include <ostream>
#include <string>
#include <vector>

#include "tools/comandi/comando.h"

void registra_verify(CLI::App& strumento, contesto_comandi& c);

// The command's arguments, bound to `file`: PLAN TABLE TRACK, or TABLE TRACK.
void opzioni_verify(CLI::App& comando, std::vector<std::string>& file);

// Checks the files; 0 when all holds (one line on `uscita`), 1 with every
// problem on `errori`, one per line. Other than 2 or 3 files: errore_uso.
int esegui_verify(const std::vector<std::string>& file, std::ostream& uscita, std::ostream& errori);

// Command line of `scenario-tool view`:
//
//   scenario-tool view LINE_FILE TRAIN_FILE -o PAGE.html [--line-name NAME]
//                      [--train-number NUM] [--no-plan]
//   scenario-tool view [PLAN] TABLE TRACK -o PAGE.html
//   scenario-tool view --help
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "tools/vista_strumento.h"

extern const char* const testo_aiuto_vista;

// The arguments after "view". Throws errore_uso; false when --help was asked.
bool analizza_vista(const std::vector<std::string>& a, richiesta_vista& r);

// The whole command: parse, run, print; returns the exit status (2 for a
// usage error, with the message and the usage on `errori`).
int comando_vista(const std::vector<std::string>& a, std::ostream& uscita, std::ostream& errori);

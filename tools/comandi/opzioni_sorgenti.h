// The arguments and options shared by the commands that build from a line
// file and a train file (compile, check, view), each with the same help text
// wherever it appears.
#pragma once

#include <CLI/CLI.hpp>
#include <optional>
#include <string>

#include "tools/comune/richiesta_compilazione.h"


// --line-name NAME and --train-number NUM, each help text followed by `nota`
// (" (text sources only)", say).
void opzioni_nomi(CLI::App& comando, std::optional<std::string>& nome_linea, std::optional<std::string>& numero_treno,
                  const std::string& nota = "");

// --no-plan, with the command's own help text.
void opzione_senza_planimetria(CLI::App& comando, bool& senza_planimetria, const std::string& aiuto);

// What compile and check share: LINE_FILE and TRAIN_FILE (both required),
// the names, --no-plan with `aiuto_senza_planimetria`, --json, -Wno-NAME and,
// with `con_werror`, --werror.
void opzioni_costruzione(CLI::App& comando, richiesta_compilazione& r, const std::string& aiuto_senza_planimetria,
                         bool con_werror);

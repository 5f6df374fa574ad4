// The arguments and options shared by the commands that build from a line
// file and a train file (compile, check, view), each with the same help text
// wherever it appears.
#pragma once

#include <CLI/CLI.hpp>
#include <optional>
#include <string>

#include "tools/richiesta_compilazione.h"

// LINE_FILE and TRAIN_FILE, both required.
void opzioni_file_sorgenti(CLI::App& comando, richiesta_compilazione& r);

// --line-name NAME and --train-number NUM, each help text followed by `nota`
// (" (text sources only)", say).
void opzioni_nomi(CLI::App& comando, std::optional<std::string>& nome_linea, std::optional<std::string>& numero_treno,
                  const std::string& nota = "");

// --no-plan, with the command's own help text.
void opzione_senza_planimetria(CLI::App& comando, bool& senza_planimetria, const std::string& aiuto);

// --json: one JSON object on standard output and nothing else.
void opzione_json(CLI::App& comando, bool& json);

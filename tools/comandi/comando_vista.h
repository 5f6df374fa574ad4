// `scenario-tool view FILE... -o PAGE.html [--line-name NAME] [--train-number NUM] [--no-plan]`
#pragma once

#include <CLI/CLI.hpp>

#include "tools/comandi/comando.h"
#include "tools/vista/vista_strumento.h"

void registra_vista(CLI::App& strumento, contesto_comandi& c);

// The command's arguments and options, bound to `r`.
void opzioni_vista(CLI::App& comando, richiesta_vista& r);

// `scenario-tool lsp [--stdio]`: the language server for editors.
#pragma once

#include <CLI/CLI.hpp>
#include <istream>
#include <ostream>

#include "tools/comandi/comando.h"

void registra_lsp(CLI::App& strumento, contesto_comandi& c, std::istream& ingresso);

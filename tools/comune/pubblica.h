// The publication of output files (sources/pubblica.h), and the check of a
// command line's output names.
#pragma once

#include <string>
#include <vector>

#include "sources/pubblica.h"

// Two output names of one command that name the same file (on Windows,
// names that differ only in the case of ASCII letters do): throws errore_uso
// naming both. Call it while checking the command line.
void verifica_nomi_distinti(const std::vector<std::string>& nomi);

// Compiles a line text and a train text with the builder's own track build
// (plan included), for the checks of generated scenarios. The one place that
// knows how the build is handed its sources: a directory in memory that holds
// the two files the build expects, and receives the files it writes.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "compiler/modello.h"

struct testi_compilati {
    std::unique_ptr<modello_scenario> modello;  // the model as the build left it
    // Empty when the build wrote its files; otherwise what ended it (the
    // numbered message 1250 or 1251, no track, a failing file operation).
    std::string fatale;
    // The directory after the build: the binary files by name (the text
    // sources are gone, deleted as they were read).
    std::map<std::string, std::string> file;
};

testi_compilati compila_testi(const std::string& linea, const std::string& treno,
                              const std::string& nome_linea = "Linea Generata",
                              const std::string& numero_treno = "10001");

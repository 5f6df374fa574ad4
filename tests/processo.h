// Test support: running a program of the build as a process.
#pragma once

#include <sys/wait.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "supporto.h"

// A shell word that stands for `s` exactly.
inline std::string tra_apici(const std::string& s) {
    std::string q = "'";
    for (const char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

struct esecuzione {
    int stato = -1;
    std::string uscita;
    std::string errori;
};

// Runs `programma` with `argomenti` from the directory `da`, standard input
// empty; its standard output goes to `destinazione` when one is given (e.g.
// "/dev/full"), and is then not read back.
inline esecuzione esegui_programma(const std::string& programma, const std::string& da,
                                   const std::vector<std::string>& argomenti, const std::string& destinazione = "") {
    std::string comando = "cd " + tra_apici(da) + " && " + tra_apici(programma);
    for (const auto& a : argomenti) comando += " " + tra_apici(a);
    cartella_temporanea flussi;
    const std::string uscita = destinazione.empty() ? flussi.file("out") : destinazione;
    comando += " </dev/null >" + tra_apici(uscita) + " 2>" + tra_apici(flussi.file("err"));
    const int stato = std::system(comando.c_str());
    esecuzione e;
    e.stato = WIFEXITED(stato) ? WEXITSTATUS(stato) : -1;
    if (destinazione.empty()) e.uscita = leggi_tutto(flussi.file("out"));
    e.errori = leggi_tutto(flussi.file("err"));
    return e;
}

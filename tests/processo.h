// Test support: running a program of the build as a process.
#pragma once

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
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

// The exit status and the peak memory (bytes) of `programma` run with
// `argomenti` from the directory `da`, its standard output thrown away: the
// process itself, waited for with its own figures. Status -1 when it did
// not end normally. A forked child keeps, across exec, the peak of the
// memory it was forked with, so its figure is never below the test
// process's own peak at the fork (`genitore`): a figure at that level says
// only that the program took no more (see misurabile).
struct picco_processo {
    int stato = -1;
    long byte = 0;
    long genitore = 0;
};

// Whether `p` can tell a peak above `limite` from the test process's own.
inline bool misurabile(const picco_processo& p, long limite) { return p.byte <= limite || p.genitore < limite; }

inline picco_processo esegui_con_picco(const std::string& programma, const std::string& da,
                                       const std::vector<std::string>& argomenti) {
    std::vector<char*> argv{const_cast<char*>(programma.c_str())};
    for (const std::string& a : argomenti) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    rusage proprio{};
    getrusage(RUSAGE_SELF, &proprio);
    const pid_t figlio = fork();
    if (figlio == 0) {
        if (chdir(da.c_str()) != 0 || !std::freopen("/dev/null", "w", stdout)) _exit(126);
        execv(programma.c_str(), argv.data());
        _exit(127);
    }
    picco_processo p;
    int stato = 0;
    rusage uso{};
    if (figlio < 0 || wait4(figlio, &stato, 0, &uso) != figlio) return p;
    p.stato = WIFEXITED(stato) ? WEXITSTATUS(stato) : -1;
    p.byte = uso.ru_maxrss * 1024L;
    p.genitore = proprio.ru_maxrss * 1024L;
    return p;
}

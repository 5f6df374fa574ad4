// Running a program of the benchmark as a child process and measuring it.
#pragma once

#include <string>
#include <vector>

struct misura_processo {
    double millisecondi = 0;  // wall time from just before the start to the end of the wait
    double mb_picco = 0;      // peak resident set size of the child, MiB (wait4's ru_maxrss)
    int stato = -1;           // exit status, or -1 when the child did not exit normally
};

// Runs argomenti[0] with the arguments after it, standard input, output and
// error on /dev/null, and waits for it.
//
// The child's peak resident set also counts the pages it shares with this
// process between fork and exec, so the benchmark keeps its own heap small:
// it never loads an output file whole.
misura_processo esegui_misurato(const std::vector<std::string>& argomenti);

// The median of a non-empty list (the mean of the two middle values for an
// even count).
double mediana(std::vector<double> valori);

// True when the two files hold the same bytes (read in small blocks).
bool stessi_byte(const std::string& a, const std::string& b);

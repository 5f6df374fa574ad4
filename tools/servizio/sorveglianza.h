// Watching the author's two files for a save: every look takes each file's
// size and time of last change (portable, no notification of the system),
// and a change is built once it has stood still for one look, so that a file
// still being written is not built half-way.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct impronta_file {
    bool esiste = false;
    std::uintmax_t dimensione = 0;
    std::int64_t modifica = 0;  // the time of last change, in the file system's ticks

    bool operator==(const impronta_file&) const = default;
};

// The file's fingerprint now; a file that cannot be seen does not exist.
// The path is UTF-8, as the command line gives it on every system.
impronta_file impronta_di(const std::string& percorso);

struct sorveglianza {
    std::vector<impronta_file> costruite;  // the files as the last build read them
    std::vector<impronta_file> viste;      // the files at the last look
};

// The watch of files whose fingerprints are `adesso`, as the first build reads them.
sorveglianza sorveglia(const std::vector<impronta_file>& adesso);

// One look, with the fingerprints taken now. The files that differ from the
// last build's and are the same as at the look before: when there is one,
// the files are to be built again, and they become the last build's.
std::vector<std::size_t> da_ricostruire(sorveglianza& s, const std::vector<impronta_file>& adesso);

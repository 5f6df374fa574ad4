// Watching the author's two files for a save: every look takes each file's
// kind, size and time of last change (portable, no notification of the system),
// and a change is built once it has stood still for one look, so that a file
// still being written is not built half-way.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

struct impronta_file {
    // What the path names: a file, none, a directory, a pipe, ... (a path
    // that cannot be looked at is of no kind, `none`).
    std::filesystem::file_type tipo = std::filesystem::file_type::not_found;
    std::uintmax_t dimensione = 0;  // of a file; 0 for anything else
    std::int64_t modifica = 0;      // the time of last change, in the file system's ticks

    bool esiste() const { return tipo == std::filesystem::file_type::regular; }
    bool operator==(const impronta_file&) const = default;
};

// The fingerprint of what the path names now. A change of kind is a change:
// a file that becomes a directory, a pipe that is taken away.
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

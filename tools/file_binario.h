// Reading a binary scenario file that an author names by its path.
#pragma once

#include <cstddef>
#include <string>

// Largest binary file read: the plan of the longest line is about 20 MB.
inline constexpr std::size_t limite_binario = std::size_t{64} << 20;

// The whole content of the file at `percorso`, read through the directory on
// disk. A missing file, anything but a regular file, or a file larger than
// limite_binario throws errore_esecuzione.
std::string leggi_file_binario(const std::string& percorso);

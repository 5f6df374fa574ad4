// Reading a binary scenario file that an author names by its path.
#pragma once

#include <cstddef>
#include <string>

#include "tools/comune/tipo_file.h"

// The largest file of a kind that is read: the largest a valid line makes
// (lettura_binaria.h); the plan of the longest line is about 20 MB.
std::size_t limite_binario(tipo_file tipo);

// The whole content of the file at `percorso`, read through the directory on
// disk. A missing file, anything but a regular file, or a file larger than
// limite_binario(tipo) throws errore_esecuzione (a file too large is refused
// unread).
std::string leggi_file_binario(const std::string& percorso, tipo_file tipo);

// Paths as the author gives them on the command line: where the name begins,
// the name alone, and the directory that holds it. The separator is '/', and
// on Windows '\' as well.
#pragma once

#include <cstddef>
#include <string>
#include <utility>

// The position of the last separator, or npos when there is none.
std::size_t ultimo_separatore(const std::string& percorso);

// The file name without its directory.
std::string nome_base(const std::string& percorso);

// The directory part and the name ("." for a bare name). A root keeps its
// separator ("/x" gives "/", "C:\x" gives "C:\": "C:" alone would be the
// current directory of drive C).
std::pair<std::string, std::string> separa_percorso(const std::string& percorso);

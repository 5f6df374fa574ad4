// The real directory on disk, behind the storage seam of the core.
//
// - Nothing is followed or opened that is not a regular file: a symbolic link,
//   a directory, a FIFO or a device at a name that is written is refused with
//   a message naming it, and a FIFO read as input never blocks.
// - `sostituisci` keeps the builder's sequence for every output: open the file
//   (creating it when missing) and close it, delete it, create it anew
//   (exclusively) and write it from its first byte.
// - `crea_nuovo` creates exclusively and removes what it wrote on a failure.
#pragma once

#include <string>

#include "sources/cartella.h"

namespace piattaforma {

// The directory at `percorso` (UTF-8 on Windows).
cartella cartella_su_disco(const std::string& percorso);

}  // namespace piattaforma

// The real directory on disk, behind the storage seam of the core.
//
// - Nothing is followed or opened that is not a regular file: a symbolic link,
//   a directory, a FIFO or a device at a name that is written is refused with
//   a message naming it, and a FIFO read as input never blocks.
// - `sostituisci` keeps the builder's sequence for every output: open the file
//   (creating it when missing) and close it, delete it, create it anew
//   (exclusively) and write it from its first byte.
// - `crea_nuovo` creates exclusively and removes what it wrote on a failure.
//   On Linux it writes into a file without a name (O_TMPFILE) and links it
//   to its name once it is whole, so that a killed process leaves nothing.
// - `rinomina` replaces whatever stands at the new name (a link is replaced,
//   never followed); a directory there makes it fail.
// - `leggi` measures the file once it is open and refuses it, unread, when it
//   is larger than the limit; a file that grows past the limit while it is
//   read is refused too.
// - No data is forced to the disk (no fsync): the file system's own ordering
//   keeps a renamed file whole when the process is killed.
#pragma once

#include <string>

#include "sources/cartella.h"

namespace piattaforma {

// The directory at `percorso` (UTF-8 on Windows).
cartella cartella_su_disco(const std::string& percorso);

// Both paths name the same existing file (links followed).
bool stesso_file(const std::string& a, const std::string& b);

// Makes the directory at `percorso` (UTF-8 on Windows) with every missing
// directory above it; an existing directory is left as it is. Throws
// errore_esecuzione ("make directory", the path, the system's text) when it
// cannot be made or something other than a directory stands there.
void crea_cartelle(const std::string& percorso);

}  // namespace piattaforma

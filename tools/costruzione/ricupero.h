// Every problem of the author's files in one pass. A status stops the
// builder's reading (the rest of the file, and the train file after a line
// file that ends the build, are never read), so after the builder's own
// build the sources are built again in memory, each time with the records
// that raised a status left out, to find the next problem of its own:
//
// - a record is left out by turning its bytes into blanks, from its keyword
//   to the end of the line of the value to blame, line ends kept, so every
//   later line and column stays where it is; a length beyond the longest
//   line is read as the longest instead (the rest is then read against a
//   line of 1,000,000 m), since the rest needs a track;
// - a status that follows from another (the line file's status met again by
//   a train record, the same limit of the table met by every later record)
//   is not told again; a warning on a line left out is not told, and one of
//   a whole file that may only follow from a record left out says so;
// - it stops when a build raises nothing new, when what stopped the reading
//   cannot be left out (no track: the train file is then not read, and the
//   status says so), or after massimo_ricostruzioni builds.
//
// The builder's build stays what the result tells: its status, position,
// fatal outcome and files. A build that raised no status costs nothing more.
#pragma once

#include "tools/costruzione/costruzione_autore.h"

inline constexpr int massimo_ricostruzioni = 50;

// Appends to c.diagnostiche what the builds after c's own find, each in its
// place among them.
void cerca_altri_problemi(risultato_costruzione& c, const richiesta_costruzione& r);

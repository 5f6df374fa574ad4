// What the fuzz targets run on one input, apart from libFuzzer, so that every
// finding can be replayed as a regression test by the unit tests. Each
// function aborts (through std::abort) when a property of the system breaks:
// the sanitizers and libFuzzer report it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// The field reader on any bytes: fields of every type in a cycle chosen by
// the input, to the end; a failure must be errore_esecuzione with a place
// inside the text.
void sonda_lettore(std::string_view dati);

// The whole build in memory: the bytes before the first "@@treno@@" are the
// line file, those after it the train file ("@@treno-@@": the same, without
// the plan; no separator: a line file and no train file, without the plan).
// The build must end with a status of the table or a fatal outcome, never
// another failure; the
// status pair must be the last raised status; the files it writes must decode
// and pack back to the same bytes. With the plan, the same sources built with
// the plan only validated must end the same way with the same statuses.
void sonda_costruzione(std::string_view dati);

// The decoders on any bytes (the first byte chooses plan, table or track): a
// file either decodes and packs back to the same bytes, or is refused with an
// offset inside it.
void sonda_binari(std::string_view dati);

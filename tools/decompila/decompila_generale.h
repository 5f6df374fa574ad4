// The general records of both files, from entries 81 to 86 of the table:
// length, progressives, backgrounds, signal-code repetition; coaches,
// braked mass, sand and clock. Entry 0 and the fields no record writes are
// checked too.
#pragma once

#include "tools/decompila/decompila_sorgenti.h"

void recupera_generale(const quadro_scenario& q, sorgenti_recuperate& s, note_decompilazione& n);

// The three progressives as the build orders them (entries 81, 82, 83, flag
// applied) from the three records "tre", "due" and "uno".
std::array<record_progressiva, 3> progressive_ordinate(const record_progressiva& tre, const record_progressiva& due,
                                                    const record_progressiva& uno);

// The compiler: memorizza_dati reads the line file and then the train file of
// the model's line name and train number from a directory into the scenario
// model. This is all that the track build and the tools need of it.
//
// - The model's status pair is the compiler's result; every status raised on
//   the way is also appended to the model's raised-status list, with the
//   places of the record and of the offending value.
// - Runtime failures (a missing train file, a file ending inside a record, a
//   value that does not fit its field, an index outside an array) are caught
//   here: the open file is closed, the text sources that still exist are
//   deleted and status 25 is recorded.
// - The text sources are deleted as they are read.
#pragma once

#include "compiler/modello.h"
#include "sources/cartella.h"

void memorizza_dati(modello_scenario& m, const cartella& dir);

// `scenario-tool check`: the whole build of the author's two files (both
// phases and the finishing pass), in memory. Nothing is written anywhere:
// not the inputs, not their folder, not the current directory.
#pragma once

#include "tools/costruzione/compila_strumento.h"
#include "tools/comune/nomi.h"
#include "tools/comune/richiesta_compilazione.h"

// The build of the files of `r` under `nomi`, with the status, position and
// fatal outcome that compile reports for the same files, and the
// diagnostics. r.cartella_uscita is not used; the list of files is empty.
risultato_compilazione controlla_sorgenti(const richiesta_compilazione& r, const nomi_scenario& nomi);

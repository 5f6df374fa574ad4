// The placement methods that take a whole record, read once from its line
// into its struct (sources/record_sorgenti.h).
#pragma once

#include "compiler/modello.h"
#include "sources/luogo.h"
#include "sources/record_sorgenti.h"

// Placement methods on the track. `origine` is the place of the record's
// keyword, noted for every cell written. Those that can refuse return the
// status they raise (stato::nessuno when placed) and the cell that was not
// free; the caller records it.
struct posa {
    stato codice = stato::nessuno;
    std::int64_t cella = -1;
};
void memo_montagna(modello_scenario& m, const record_montagna& r, const luogo& origine = {});
posa memo_indicatori_v_max(modello_scenario& m, const record_indicatori& r, const luogo& origine = {});
posa memo_segnale(modello_scenario& m, const record_segnale& r, const luogo& origine = {});
posa memo_rallentamento(modello_scenario& m, const record_rallentamento& r, const luogo& origine = {});

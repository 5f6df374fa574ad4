// The station records from the table's entries 1 up: position, kind, the
// length that gives the entry's extent, the values carried unchanged, opz3
// and opz4 as the rules that clear them allow, the time and the name.
#pragma once

#include "tools/decompila/decompila_sorgenti.h"

// `prima_voce_cartelli`: the lowest entry that holds a sign text (81 when
// none); the stations are the entries before it up to the last that is used.
void recupera_stazioni(const quadro_scenario& q, int prima_voce_cartelli, sorgente_treno& t, note_decompilazione& n);

// The last metre of the extent that the record gives (the first station's
// opz3 lengthens it like any other's).
std::int64_t fine_estensione(const record_stazione& s);

// The cells of the station marker (kinds below 25) and of the approach
// markers 81 to 84 (kinds below 25 but 5 and 6; none at or before cell 1)
// that the record places; -1 for none.
struct marche_stazione {
    std::int64_t marca = -1;
    std::array<std::int64_t, 4> avvicinamento{-1, -1, -1, -1};  // markers 81, 82, 83, 84
};
marche_stazione marche_di(const record_stazione& s);

// Where a field of a text source stands: the source, its line and its column.
// Every field the reader hands out knows its place, and every status and
// warning raised on a record carries the places of the record and of the
// offending value.
#pragma once

#include <cstdint>

// The text source a place belongs to.
enum class sorgente : std::uint8_t { nessuna, linea, treno };

struct luogo {
    sorgente file = sorgente::nessuna;
    std::int32_t riga = 0;     // from 1; 0 when unknown
    std::int32_t colonna = 0;  // from 1, counted in bytes; 0 when unknown
    std::int32_t fine = 0;     // the column after the field's last byte, blanks after it left out; 0 when unknown
};

// "line file" or "train file".
inline const char* nome_sorgente(sorgente file) { return file == sorgente::linea ? "line file" : "train file"; }

inline bool noto(const luogo& l) { return l.file != sorgente::nessuna && l.riga > 0; }

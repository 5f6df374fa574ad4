// One diagnostic of a build, as check and compile print it: an error (a
// status the build raised, or a fatal outcome) or a warning, with the place
// in the author's files it names.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "sources/luogo.h"

enum class gravita : std::uint8_t { errore, avviso };

// A place in one of the author's files.
struct punto_sorgente {
    sorgente file = sorgente::nessuna;
    std::string percorso;     // the file as the author named it; empty: no file
    std::int32_t riga = 0;    // from 1; 0: the file as a whole
    std::int32_t colonna = 0; // bytes from 1
    std::int32_t fine = 0;    // the column after the field named, blanks after it left out; 0 when unknown
    std::string testo_riga;   // the bytes of that line (Windows-1252); of a long line, a stretch around the column
    std::size_t inizio_riga = 0;  // bytes of the line before testo_riga
    bool riga_continua = false;   // the line goes on after testo_riga
    bool valore = false;      // a value field: its underline stops at a blank
};

struct nota_diagnostica {
    punto_sorgente dove;
    std::string messaggio;  // Windows-1252 bytes, no full stop
};

struct diagnostica {
    gravita livello = gravita::errore;
    std::optional<std::int32_t> stato;      // the status code (1250 and 1251 included)
    std::optional<std::int32_t> posizione;  // metres, for a status that has one
    std::string nome;                       // a warning's name; empty for a status
    punto_sorgente dove;
    std::string messaggio;                  // Windows-1252 bytes, no full stop
    std::vector<nota_diagnostica> note;     // places that help: the record, what took a cell
};

// The warnings an author asked for: -Wno-NAME turns one off, --werror (or
// -Werror) makes the remaining ones fail a check, -Wno-error=NAME keeps one a
// warning (also one that is an error by default).
struct scelta_avvisi {
    std::set<std::string> spenti;
    std::set<std::string> non_errori;
    bool come_errori = false;
};

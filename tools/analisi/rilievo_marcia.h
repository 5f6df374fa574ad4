// What a check of the built scenario finds, and the row that names and
// explains each check: its name, its default severity, one line on what it
// means, a wrong and a right example.
#pragma once

#include <string>
#include <vector>

#include "sources/luogo.h"
#include "tools/analisi/ingresso_marcia.h"
#include "tools/analisi/marcia.h"
#include "tools/comune/diagnostica.h"

struct rilievo_marcia {
    std::string nome;  // the check's name, e.g. "timetable-impossible"
    gravita livello = gravita::avviso;
    luogo dove;        // the record concerned (a station, a slowdown); unknown: the whole train file
    std::string messaggio;  // no full stop; names from the files as stored (Windows-1252)
};

// What every check of the run reads: the input, the model's options and the
// run computed once with them.
struct contesto_controlli {
    const ingresso_marcia& ingresso;
    const opzioni_marcia& opzioni;
    const risultato_marcia& marcia;
};

struct scheda_controllo {
    const char* nome;
    gravita livello;
    const char* spiegazione;
    const char* sbagliato;  // a record or two as an author writes them
    const char* giusto;
    std::vector<rilievo_marcia> (*controlla)(const contesto_controlli& c);
};

// The one failure type of the core: a failing file operation, reading past
// the end of a text source, a value that does not fit its field, an index
// outside an array. The compiler catches it at its boundary and records
// status 25; everywhere else it reaches the run's unhandled-failure report.
#pragma once

#include <stdexcept>
#include <string>

#include "sources/guasto.h"
#include "sources/luogo.h"

struct errore_esecuzione : std::runtime_error {
    std::string operazione;  // what failed: "open", "delete", "read field", ...
    std::string percorso;    // the file concerned, when there is one
    int numero = 0;          // the system's error number, when there is one
    luogo dove;              // the field of a text source where it was raised, when it was raised there
    dati_guasto dati;        // the kind and its numbers (genere_guasto::file for a file operation)

    errore_esecuzione(std::string operazione_, std::string percorso_, int numero_, const std::string& descrizione,
                      luogo dove_ = {}, dati_guasto dati_ = {})
        : std::runtime_error(descrizione),
          operazione(std::move(operazione_)),
          percorso(std::move(percorso_)),
          numero(numero_),
          dove(dove_),
          dati(std::move(dati_)) {}
};

// A failure with no file and no system error number behind it.
[[noreturn]] inline void fallisci(const std::string& operazione, const std::string& descrizione, luogo dove,
                                  dati_guasto dati) {
    throw errore_esecuzione(operazione, "", 0, descrizione, dove, std::move(dati));
}

// `scenario-tool compile`: the builder's track build on an author's files.
//
// The inputs are copied, under the names the compiler expects, into a private
// temporary directory (removed afterwards); the build runs there exactly as in
// the builder; the files it writes are then copied into the output directory,
// replacing files of the same names. The inputs are only read.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "../track/memorizza_percorso.h"
#include "nomi.h"
#include "richiesta_compilazione.h"

enum class esito_fatale : std::uint8_t {
    nessuno,
    errore_1250,      // the numbered message " Errore n. 1250"
    errore_1251,      // the numbered message " Errore n. 1251"
    senza_tracciato,  // the compiler left no track
    io,               // a file operation failed
};

struct risultato_compilazione {
    std::int32_t stato = 0;      // codice_errore after the build
    std::int32_t posizione = 0;  // posizione_errore after the build
    esito_fatale fatale = esito_fatale::nessuno;
    std::string testo_stato;          // words for the status (empty for 0)
    std::string testo_fatale;         // words for the fatal outcome (empty for none)
    std::string messaggio;            // both, joined by "; " ("no error" when both are empty)
    std::vector<std::string> file;    // names written into the output directory, in order
};

// The output files must not be the input files (an input named like an output
// in the output directory, or reached through a link): throws errore_uso.
void verifica_ingressi_protetti(const richiesta_compilazione& r, const nomi_scenario& nomi);

// Runs the compile. Never throws for a build or file failure: they become the
// fatal outcomes.
risultato_compilazione compila_scenario(const richiesta_compilazione& r, const nomi_scenario& nomi);

// Words for a recorded status: its description, then, when the status is the
// compiler's and the place is known, "at line L, column C of FILE" (FILE as the
// author named it), then for a runtime failure its own text. Empty for 0.
std::string testo_stato(std::int32_t stato, const esito_percorso& e, const richiesta_compilazione& r);

// `scenario-tool compile`: the builder's track build on an author's files.
//
// The inputs are read once (they are never changed, moved or deleted); the
// build runs in memory under the names the compiler expects; the files it
// writes then replace the files of the same names in the output directory,
// all or nothing (tools/comune/pubblica.h): a failure leaves the old files as they
// were and no temporary file behind.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "compiler/modello.h"
#include "sources/cartella.h"
#include "tools/costruzione/costruzione_autore.h"
#include "tools/comune/diagnostica.h"
#include "tools/diagnostiche/esito_fatale.h"
#include "tools/comune/nomi.h"
#include "tools/comune/richiesta_compilazione.h"

struct risultato_compilazione {
    std::int32_t stato = 0;      // codice_errore after the build
    std::int32_t posizione = 0;  // posizione_errore after the build
    esito_fatale fatale = esito_fatale::nessuno;
    std::string testo_stato;          // words for the status (empty for 0)
    std::string testo_fatale;         // words for the fatal outcome (empty for none)
    std::string messaggio;            // both, joined by "; " ("no error" when both are empty)
    std::vector<std::string> file;    // names renamed into place in the output directory, in order
    bool trattenuti = false;          // the build had errors: no file was written
    std::vector<stato_sollevato> stati_sollevati;  // every status as it was raised
    std::vector<diagnostica> diagnostiche;         // every status, the fatal outcome, every warning
};

// The names of the three outputs: the line plan, the scenario table, the track.
std::vector<std::string> nomi_uscite(const nomi_scenario& nomi);

// The output files must be three different files (a train number "linea"
// would make the track the line plan) and must not be the input files (an
// input named like an output in the output directory, or reached through a
// link): throws errore_uso.
void verifica_ingressi_protetti(const richiesta_compilazione& r, const nomi_scenario& nomi);

// A build in memory: the two texts under the names the compiler expects (an
// absent text stands for a missing file), the model it leaves, the output
// files it writes (name → bytes, under the names of nomi_uscite), and the
// fatal outcome, if any. The model holds the names as nome_nel_modello gives
// them.
struct costruzione_in_memoria {
    modello_scenario modello;
    std::map<std::string, std::string> file;
    esito_fatale fatale = esito_fatale::nessuno;
    std::string testo_fatale;
};
void costruisci_in_memoria(costruzione_in_memoria& c, const nomi_scenario& nomi, const std::string* testo_linea,
                           const std::string* testo_treno, bool con_planimetria);

// Runs the compile, with its outputs published into `uscita` (the directory of
// r.cartella_uscita, or any other behind the storage seam). Never throws for a
// build or file failure: they become the fatal outcomes. The outputs are
// written only when the build has no error (a status, or a diagnostic that
// the warnings chosen make an error), or with r.come_builder whatever it
// recorded. A directory missing at `uscita` is made by `crea`, and only once
// the outputs are to be written; without `crea` it must exist.
risultato_compilazione compila_in(const richiesta_compilazione& r, const nomi_scenario& nomi, const cartella& uscita,
                                  const std::function<void()>& crea = {});

// What compile and check tell of a build: the final status and its words,
// the fatal outcome, the message, the files published, the diagnostics.
risultato_compilazione risultato_di(risultato_costruzione& c, const richiesta_compilazione& r);

// compila_in on the output directory on disk, made (with the directories
// above it) when the outputs are to be written.
risultato_compilazione compila_scenario(const richiesta_compilazione& r, const nomi_scenario& nomi);

// Words for the final status of a build: its description, then, when the
// status that set the final pair has a place in a source, "(line L, column C
// of FILE)" (FILE as the author named it), then for a runtime failure its own
// text. Empty for 0.
std::string testo_stato(const modello_scenario& m, const richiesta_compilazione& r);

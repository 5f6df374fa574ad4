// `scenario-tool view FILE... -o PAGE.html`: the page of a scenario, made
// either from the two text sources (LINE_FILE TRAIN_FILE, built in memory;
// no other file is written) or from the binary files (PLAN TABLE TRACK,
// decoded; the plan may be left out).
//
// The page is written to a new file beside PAGE.html and renamed over it
// (pubblica.h), so that PAGE.html is never left half written.
//
// Exit status: 0 the page is written; 1 the page is written and shows the
// status that the build recorded; 2 usage error; 3 no page (the build ended
// without a scenario, a binary file could not be read or decoded, or the page
// could not be written).
#pragma once

#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "compiler/modello.h"
#include "sources/cartella.h"
#include "tools/costruzione/costruzione_autore.h"
#include "tools/vista/vista.h"

struct richiesta_vista {
    std::vector<std::string> file;
    std::string pagina;  // -o
    std::optional<std::string> nome_linea;
    std::optional<std::string> numero_treno;
    bool senza_planimetria = false;  // built from the sources without the plan
    bool servi = false;              // --serve: a local web server instead of a page on disk
    std::optional<int> porta;        // --port
};

// What view makes of the two text sources (the first two of `r.file`): the
// build, and the page's input when the build made a scenario. The input
// points into the build (its model and the texts as read), which stays in
// place however the result is moved.
struct vista_sorgenti {
    std::unique_ptr<risultato_costruzione> costruzione;
    std::optional<ingresso_vista> ingresso;
};
vista_sorgenti costruisci_vista_sorgenti(const richiesta_vista& r);

// Checks the request (throws errore_uso) and runs it.
int esegui_vista(const richiesta_vista& r, std::ostream& uscita, std::ostream& errori);

// Words for a status the build raised: "status N at P m: WHAT (line L,
// column C of FILE): DETAIL", the parts in brackets when known.
std::string parole_stato(const stato_sollevato& s, const std::string& file_linea, const std::string& file_treno);

// Writes the page as every output of scenario-tool is written (pubblica.h):
// a new file in the same directory, written as the page is made, then
// renamed over `percorso`. A failure (errore_esecuzione) leaves the old page,
// if any, and no new file behind.
void scrivi_pagina(const std::string& percorso, const contenuto_file& pagina);

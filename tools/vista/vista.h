// The page of `scenario-tool view`: one self-contained HTML page (inline SVG
// and CSS, no script, nothing loaded from elsewhere) that shows a scenario
// model: its names, length and counts, the plan of the line, the profile
// along it, a legend and the table of stations. Every number is written
// without locale, so the same model gives the same bytes on every platform.
// What the drawings show is also written as data: data-* attributes on the
// drawn elements (curves, kilometre posts, runs of gradients and heights,
// stations, marks), listed in dati_vista.h, so that a test or a tool reads
// where each object stands without measuring pixels.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/vista/oggetti_vista.h"
#include "tools/vista/titoli_vista.h"
#include "tools/vista/uscita_pagina.h"

struct ingresso_vista {
    const modello_scenario* modello = nullptr;
    fonti_vista fonti;               // the text sources, when built from them
    std::vector<std::string> file;   // the files the page was made from, as given
    bool da_sorgenti = false;        // built from text sources (else decoded from binary files)
    std::vector<std::string> stati;  // the statuses the build recorded, in words; empty for none
};

// The page, written to `u` as it is made (and handed on whole at the end).
void scrivi_pagina_vista(uscita_pagina& u, const ingresso_vista& i);

// The whole page as one text.
std::string pagina_vista(const ingresso_vista& i);

// The last metre drawn: the declared length, or the farthest object beyond
// it, and a margin; never beyond the track.
std::int64_t fine_vista(const modello_scenario& m, const oggetti_vista& o);

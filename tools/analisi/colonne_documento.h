// The cells of a framed document: a text set into a column of fixed width,
// cut at the frame when it is longer (and the cut noted).
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "tools/analisi/documenti_autore.h"

enum class allineamento { sinistra, destra, centro };

// One column of a frame: its name for the author, its width between the
// bars, the blanks before the text, and how the text stands in it.
struct colonna_documento {
    const char* nome;
    std::size_t larghezza;
    std::size_t rientro;
    allineamento verso;
};

// The text set into the column; a text longer than the room left is cut, and
// the cut noted with the record it came from.
std::string cella_documento(const colonna_documento& c, const std::string& testo, const luogo& origine,
                            std::vector<taglio_documento>& tagli);

// A row of a frame: " |" then each cell followed by "|".
std::string riga_cornice(const std::vector<std::string>& celle);

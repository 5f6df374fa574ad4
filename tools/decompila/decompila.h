// `scenario-tool decompile`: from the three binary files of a scenario back
// to a line file and a train file that compile to the same bytes.
//
// Every record kind is recovered from what the files hold (decompila_*.h);
// the boards of value 180 are left to the finishing pass, which places such
// boards itself, and the two texts are compiled in memory: a board of value
// 180 that the build does not place becomes an abbattimento point, and the
// texts are compiled again, for a bounded number of rounds. The last build
// (with the plan when there is one) is compared byte for byte with the files.
#pragma once

#include <string>
#include <vector>

#include "tools/decompila/decompila_quadro.h"

// At most this many builds look for the boards the finishing pass does not place.
inline constexpr int giri_massimi = 8;

struct esito_decompilazione {
    std::string linea;  // the line description file
    std::string treno;  // the train description file
    bool esatto = false;  // the two texts compile to the same bytes
    // When not exact: what no source makes and every place that will come
    // out differently (decompila_confronto.h).
    std::vector<std::string> differenze;
    int giri = 0;  // builds made to place the boards
    // What `scenario-tool compile` without --as-builder refuses in the two
    // texts, when the bytes leave no other choice (errori_predefiniti).
    std::vector<std::string> errori_predefiniti;
};

// Throws errore_decodifica when a file does not decode.
esito_decompilazione decompila(const file_binari& f, const nomi_scenario& nomi);

// The records recovered from the decoded files, before any build.
sorgenti_recuperate recupera_sorgenti(const quadro_scenario& q, note_decompilazione& n);

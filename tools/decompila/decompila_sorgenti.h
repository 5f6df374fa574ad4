// What `scenario-tool decompile` recovers from the three binary files: the
// records of a line file and of a train file, the picture of the files it
// recovers them from, and the notes on what no record can make.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "compiler/geometria.h"
#include "compiler/modello.h"
#include "sources/record_sorgenti.h"
#include "tools/comune/nomi.h"

// --- The files, decoded -------------------------------------------------------------

// The decoded files as the build left them before it stamped them: cell 1's
// format stamp and check code and entry 85's stamp and check code are taken
// out (the build writes them itself, into slots that must be empty), and the
// track has exactly the cells that the declared length gives (missing cells
// are plain track).
struct quadro_scenario {
    std::optional<planimetria_linea> planimetria;
    std::array<voce_scenario, voci_scenario> scenario{};
    std::vector<cella> tracciato;
    std::int32_t lunghezza_totale = 0;  // declared length + 7000 m
    std::int32_t numero_celle = 0;      // the last cell of the track
    nomi_scenario nomi;                 // as the model holds them (nome_nel_modello)
};

// --- What cannot come back ------------------------------------------------------------

// Where a note points: a plan point (metre), a table entry or a track cell;
// `intero` for the file as a whole.
enum class parte_scenario : std::uint8_t { planimetria, scenario, tracciato };
inline constexpr std::int64_t intero_file = -1;

// Something in the files that no record makes (a hand-edited or damaged
// file): the recovered sources will compile to something else there.
struct nota_decompilazione {
    parte_scenario parte = parte_scenario::tracciato;
    std::int64_t indice = intero_file;
    std::string motivo;  // a sentence without a full stop
};
using note_decompilazione = std::vector<nota_decompilazione>;

inline void annota(note_decompilazione& n, parte_scenario parte, std::int64_t indice, std::string motivo) {
    n.push_back({parte, indice, std::move(motivo)});
}

// --- The records -----------------------------------------------------------------------

struct sorgenti_recuperate {
    sorgente_linea linea;
    sorgente_treno treno;
};

// --- Cells ------------------------------------------------------------------------------

// "cell 57 (2850 m)"
std::string nome_cella(std::int64_t i);

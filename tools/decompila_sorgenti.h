// What `scenario-tool decompile` recovers from the three binary files: the
// records of a line file and of a train file, the picture of the files it
// recovers them from, and the notes on what no record can make.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "compiler/modello.h"
#include "tools/nomi.h"

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

// --- Line file records ----------------------------------------------------------------

// progressiva chilometrica uno|due|tre, inizio, valore, flag
struct progressiva_rec {
    std::int32_t inizio = 0;
    std::int32_t valore = 0;
    std::int32_t flag = 0;
};

// curvas|curvad + grade, inizio, lunghezza
struct curva_rec {
    std::int32_t inizio = 0;
    std::int32_t lunghezza = 0;
    int grado = 1;  // 1 to 6
    bool sinistra = false;
};

// A value from a position on: pendenza, velocita, aderenza; also abbattimento.
struct punto_rec {
    std::int32_t posizione = 0;
    std::int32_t valore = 0;
};

// montagna, inizio, fine, tipo
struct montagna_rec {
    std::int32_t inizio = 0;
    std::int32_t fine = 0;
    std::int32_t tipo = 0;
};

// indicatori_v_max, posizione, vas, vbs, vcs, strisces, vad, vbd, vcd, strisced
struct indicatori_rec {
    std::int32_t posizione = 0;
    std::array<std::int32_t, 8> valori{};
};

// cartello_indicatore, posizione, testo
struct cartello_rec {
    std::int32_t posizione = 0;
    std::string testo;
};

struct sorgente_linea {
    std::int32_t lunghezza = 0;
    std::array<progressiva_rec, 3> progressive{};  // uno, due, tre
    std::array<std::int32_t, 3> sfondi{};          // uno, due, tre
    std::int32_t codici_ripetizione = 4;           // 4 or 9, named in the keyword
    std::int32_t inizio_ripetizione = 0;
    std::int32_t fine_ripetizione = 0;
    std::vector<curva_rec> curve;
    std::vector<punto_rec> pendenze;
    std::vector<montagna_rec> montagne;
    std::vector<indicatori_rec> indicatori;
    std::vector<cartello_rec> cartelli;  // in file order: the first takes entry 80
};

// --- Train file records ---------------------------------------------------------------

// stazione, posizione, tipo, lunghezza, marca, opz4, opz3, par1, par2, opz1,
//           par3, par4, par5, opz2, ore, minuti, secondi, nome
struct stazione_rec {
    std::int32_t posizione = 0;
    std::int32_t tipo = 0;
    std::int32_t lunghezza = 0;
    std::array<std::int32_t, 10> valori{};  // marca, opz4, opz3, par1, par2, opz1, par3, par4, par5, opz2
    std::array<std::int32_t, 3> ora{};      // hours, minutes, seconds
    std::string nome;
};

// rallentamento, x, v, l, f_tt, f_ta, d_v
struct rallentamento_rec {
    std::int32_t x = 0;
    std::int32_t v = 0;
    std::int32_t l = 0;
    std::int32_t f_tt = 0;
    std::int32_t f_ta = 0;
    std::int32_t d_v = 0;
};

// segnale, posizione, sx, s1, s2, s3, rapp, dx, d1, d2, d3, tempo
struct segnale_rec {
    std::int32_t posizione = 0;
    std::array<std::int32_t, 10> valori{};  // sx, s1, s2, s3, rapp, dx, d1, d2, d3, tempo
    // Stations written before this signal: a signal whose approach markers a
    // station must overwrite, or that must overwrite a station's, stands
    // among the stations; the others follow them all.
    std::size_t stazioni_prima = 0;
};

struct sorgente_treno {
    std::int32_t vetture = 0;
    std::int32_t massa_frenata = 0;
    std::int32_t sabbia = 0;
    std::array<std::int32_t, 3> orologio{};
    std::vector<punto_rec> aderenze;
    std::vector<punto_rec> velocita;
    std::vector<stazione_rec> stazioni;  // in table order
    std::vector<rallentamento_rec> rallentamenti;
    std::vector<segnale_rec> segnali;  // in file order
    std::vector<punto_rec> abbattimenti;
};

struct sorgenti_recuperate {
    sorgente_linea linea;
    sorgente_treno treno;
};

// --- Cells ------------------------------------------------------------------------------

inline constexpr std::int32_t metri_per_cella = 50;

// The cell a record at `posizione` takes when its rule adds `scarto` cells:
// the position divided by 50, plus the offset, rounded half to even.
std::int32_t cella_della_posizione(std::int64_t posizione, double scarto = 0);

// A record with this position passes the build's position test:
// (posizione + margine) / 50 is not beyond the last cell.
bool posizione_nel_tracciato(std::int64_t posizione, std::int32_t margine, std::int32_t numero_celle);

// "cell 57 (2850 m)"
std::string nome_cella(std::int64_t i);

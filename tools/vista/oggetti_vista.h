// What the page of `view` shows, read from a scenario model: the stations of
// the table and the objects of the track, each with the cell or entry that
// holds it. The same model gives the same objects whether it was built from
// the text sources or decoded from the binary files.
#pragma once

#include <cstdint>
#include <vector>

#include "compiler/geometria.h"
#include "compiler/modello.h"
#include "tools/vista/chilometri_vista.h"
#include "tools/vista/curve_vista.h"

struct stazione_vista {
    int voce = 0;             // entry of the table
    std::int32_t cella = -1;  // cell of its station marker (kind 10), -1 when none
};

// A run of cells with the same value.
struct tratto {
    std::int32_t prima = 0;   // first cell
    std::int32_t ultima = 0;  // last cell
    int valore = 0;
};

struct rallentamento_vista {
    std::int32_t inizio = 0;  // start cell (kind 3)
    std::int32_t fine = 0;    // its end cell (kind 2): the first one after the start, else the start itself
    bool con_fine = false;
};

// Kinds of the marks drawn along the line.
enum class tipo_marca : std::uint8_t {
    segnale,               // 1
    fine_rallentamento,    // 2
    inizio_rallentamento,  // 3
    avviso,                // 4: slowdown warning board
    preavviso,             // 5: lead-in cell of a warning board
    indicatori,            // 6: speed-indicator pair
    marca_stazione,        // 10
    abbattimento,          // 12 with a value other than 180, and 13
    tabella_180,           // 12 with the value 180: the boards of the finishing pass
    cartello,              // 14: indication sign
    sconosciuto,           // a kind the build never writes
};

struct marca_vista {
    tipo_marca tipo = tipo_marca::sconosciuto;
    std::int32_t cella = 0;
};

// The height of the line along a run of cells of one gradient: a gradient
// of g per mille climbs g metres every 1000 m; the line starts at height 0.
struct quota_vista {
    std::int32_t prima = 0;  // first cell
    std::int32_t ultima = 0;  // last cell
    int pendenza = 0;         // per mille
    double da = 0;            // height where the run begins, metres
    double a = 0;             // height where it ends
};

struct oggetti_vista {
    std::int32_t lunghezza = 0;      // declared length (entry 84, valore2)
    std::int32_t ultima_cella = -1;  // last cell of the track
    std::vector<stazione_vista> stazioni;
    std::vector<marca_vista> marche;  // in cell order
    std::vector<rallentamento_vista> rallentamenti;
    std::vector<tratto> montagne;  // runs of cells with the same non-zero montagna
    std::vector<tratto> pendenze;  // runs of pendenza - 100
    std::vector<tratto> velocita;  // runs of vel_limite * 5 (km/h)
    std::vector<tratto> aderenze;  // runs of aderenza
    std::vector<quota_vista> quote;  // the gradients' runs with heights, over the cells that carry a gradient
    std::vector<curva_vista> curve;
    chilometri_vista chilometri;
};

struct conteggi_vista {
    int stazioni = 0;
    int segnali = 0;
    int rallentamenti = 0;
    int cartelli = 0;
    int indicatori = 0;
    int montagne = 0;
    int abbattimenti = 0;
    int tabelle_finitura = 0;
};

// The entries that hold station data: from entry 1 upward, up to the first
// entry that is all zero or that a sign cell names as its text.
std::vector<stazione_vista> stazioni_del_modello(const modello_scenario& m);

oggetti_vista oggetti_del_modello(const modello_scenario& m);

conteggi_vista conta_oggetti(const oggetti_vista& o);

// The last three cells of the track carry no gradient (their byte stays 0).
inline constexpr std::int32_t celle_senza_pendenza = 3;

// The heights along the runs of gradients, up to the last cell that carries one.
std::vector<quota_vista> quote_delle_pendenze(const std::vector<tratto>& pendenze, std::int32_t ultima_cella);

// The kind of mark for a cell; nothing is drawn for plain track and
// mountain marks (false).
bool marca_di_cella(const cella& c, tipo_marca& tipo);

// The metre where a cell begins.
inline std::int64_t metro_cella(std::int32_t cella) { return static_cast<std::int64_t>(cella) * metri_cella; }

// The scenario model: the whole in-memory state of one build.
// A plain struct; every stage takes it by reference and works on its members.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "compiler/stati.h"
#include "compiler/tipi_cella.h"
#include "sources/guasto.h"
#include "sources/luogo.h"

// One 50-metre cell of the track. The width and sign of each member are those
// of its field on disk; the fields' order there is track/disposizione_binaria.h's.
struct cella {
    std::uint8_t tipo = 0;
    std::int16_t valore1 = 0;
    std::int16_t valore2 = 0;
    std::int16_t valore3 = 0;
    std::int16_t valore4 = 0;
    std::uint8_t tempo_segnale = 0;
    std::uint8_t avviso = 0;
    std::uint8_t montagna = 0;
    std::uint8_t vel_limite = 0;
    std::uint8_t pendenza = 0;
    std::uint8_t aderenza = 0;
};

// A cell is free when nothing but plain track or a mountain mark stands in it.
inline bool cella_libera(const cella& c) {
    return c.tipo == tipo_cella::libero || c.tipo == tipo_cella::marca_montagna;
}

// One entry of the scenario table. Members as wide as their fields on disk,
// in the order of track/disposizione_binaria.h.
struct voce_scenario {
    std::uint8_t tipo = 0;
    std::int32_t valore1 = 0;
    std::int32_t valore2 = 0;
    std::int32_t valore3 = 0;
    std::uint8_t marca = 0;
    std::string nome;  // single-byte (Windows-1252) characters
    std::int16_t par1 = 0;
    std::int16_t par2 = 0;
    std::int16_t par3 = 0;
    std::int16_t par4 = 0;
    std::int16_t par5 = 0;
    std::uint8_t opz1 = 0;
    std::uint8_t opz2 = 0;
    std::uint8_t opz3 = 0;
    std::uint8_t opz4 = 0;
    std::int32_t valore4 = 0;
};

// Type tag of a plan value; the numbers are the tags written to disk.
enum class tipo_valore : std::uint8_t { vuoto = 0, intero = 2, doppio = 5 };

// The per-metre plan of the line: x and y of every metre 0..ultimo_metro.
// Stored compactly as one tag and one double per element (Integer values are
// held exactly as doubles); element (m, coord) lies at coord * (ultimo_metro + 1) + m,
// so all x values come before all y values, as on disk.
// Not allocated while `tipi` is empty.
//
// A plan that keeps no points (`memorizza_punti` false) is only validated:
// the builder runs its cursor over every metre, with every check and every
// status of a plan that keeps them, but allocates nothing; it has its last
// metre and no element, so nothing writes or draws it.
struct planimetria_linea {
    std::int32_t ultimo_metro = -1;
    bool memorizza_punti = true;
    std::vector<tipo_valore> tipi;
    std::vector<double> valori;
};

inline std::size_t elemento_planimetria(const planimetria_linea& p, std::int32_t metro, int coordinata) {
    return static_cast<std::size_t>(coordinata) * static_cast<std::size_t>(p.ultimo_metro + 1) +
           static_cast<std::size_t>(metro);
}

// Who raised a status: the line phase, the train phase or the finishing pass.
enum class fase_stato : std::uint8_t { linea, treno, finitura };

// One status as it was raised, in the order of raising. The model's status
// pair holds the last one (with the overwrite rules of each step); this list
// keeps them all, the root cause first, for diagnostics.
// A runtime failure (status 25): its kind and numbers, and for a failing file
// operation the operation, the file and the system's words for it.
struct guasto_sollevato {
    dati_guasto dati;
    std::string operazione;  // a file operation: "open", "read", ...
    std::string percorso;    // the file it concerned
    std::string sistema;     // the system's words for the failure
};

struct stato_sollevato {
    std::int32_t codice = 0;
    std::int32_t posizione = 0;  // metres; meaningful when con_posizione
    bool con_posizione = false;
    bool ereditato = false;  // a status left by the line phase, met again by a train record
    fase_stato fase = fase_stato::linea;
    luogo record;                  // the keyword field of the record that raised it
    luogo campo;                   // the offending value (the record's keyword when no value is to blame)
    std::string_view regola;       // the rule that read the record, by its keyword ("segnale"); empty: none
    std::int64_t cella = -1;       // the cell concerned: the one not free, or where a board found no room
    std::uint8_t tipo_occupante = 0;  // what that cell held when the status was raised
    luogo occupante;               // the record that put it there, when known
    std::int32_t margine = 0;      // a position beyond the track: the margin it was tested with
    std::int32_t voce = 0;         // the table entry concerned (a station, a progressive); 0: none
    std::optional<guasto_sollevato> guasto;  // what failed, for a runtime failure
};

// A curve record as the line file gives it, and the points of the plan it
// bent: from the metre after its start (or the plan cursor, when that is
// further on) to its end, as far as the plan goes. None bent: primo_punto
// beyond ultimo_punto.
struct curva_letta {
    luogo dove;          // its keyword field
    std::string chiave;  // the keyword as written ("curvad3")
    std::int32_t inizio = 0;
    std::int32_t lunghezza = 0;
    int grado = 1;  // 1 to 6
    bool sinistra = false;
    std::int32_t primo_punto = 0;
    std::int32_t ultimo_punto = -1;
};

// Something the build drops, changes or truncates without a status: a
// warning for the author, never a change to what the build writes.
struct avviso_sorgente {
    std::string nome;       // the warning's name (avvisi.h), e.g. "misspelled-keyword"
    luogo dove;             // where it stands in a text source (a line of 0: the whole file)
    std::string messaggio;  // a sentence without a full stop; field text in it is raw bytes
    std::string parola;     // the record keyword it suggests, as the embedded sources write it; empty: none
};

// A mark of one record written over another record's, noted for diagnostics:
// an approach marker over another record's approach marker, or a station
// marker over an object that was not free (a mountain mark is free).
struct marca_sovrascritta {
    std::int64_t cella = 0;
    bool avvicinamento = false;    // an approach marker; otherwise the cell's kind
    std::uint8_t tipo_prima = 0;   // the kind the cell held, for a kind overwritten
    luogo prima;                   // the record whose mark is lost
    luogo dopo;                    // the record that wrote over it
};

inline constexpr int voci_scenario = 87;
inline constexpr int voci_montagne = 81;

// The model is what a build produces: the names, the track, the plan, the
// table, the mountains and the status pair, plus diagnostics that never reach
// the files. The compiler's working state (reader, cursors, the field last
// read) lives in the compiler, not here.
struct modello_scenario {
    std::string numero_treno;
    std::string nome_linea;

    // The plan is built and the line plan file written (the build's "with plan").
    bool scrivi_linea = false;
    std::int32_t lunghezza_totale = 0;  // declared length + 7000 m
    std::int32_t numero_celle = 0;      // lunghezza_totale / 50, rounded half to even: the last cell
    std::int32_t numero_montagne = 0;
    std::int32_t codice_errore = 0;     // the last status raised (stati.h)
    std::int32_t posizione_errore = 0;  // its position in metres, when it has one

    // The track: cells 0..numero_celle once allocated; empty before.
    std::vector<cella> tracciato;

    planimetria_linea planimetria;

    std::array<voce_scenario, voci_scenario> scenario{};
    std::array<std::int32_t, voci_montagne> montagne_inizio{};
    std::array<std::int32_t, voci_montagne> montagne_fine{};

    // Diagnostics, never written to disk. Every status raised, in order.
    std::vector<stato_sollevato> stati_sollevati;
    // For each track cell, the keyword field of the record that last wrote its
    // kind or values (unknown for cells no record wrote); same size as the track.
    std::vector<luogo> origine_celle;
    // For each track cell, the keyword field of the record that last wrote its
    // approach marker; same size as the track.
    std::vector<luogo> origine_avvisi;
    // Every mark written over another record's, in the order of writing.
    std::vector<marca_sovrascritta> marche_sovrascritte;
    // Every warning, in the order the sources were read.
    std::vector<avviso_sorgente> avvisi;
    // For each table entry, the record that filled it (stations, sign texts,
    // and the kilometric progressives in the entries they are ordered into).
    std::array<luogo, voci_scenario> origine_voci{};
    // The curve records the plan was built from, in the order of the file.
    std::vector<curva_letta> curve_lette;
};

// Fixed roles of the last entries of the scenario table.
namespace voce {
inline constexpr int prima_stazione = 1;
inline constexpr int primo_cartello = 80;
inline constexpr int progressiva_maggiore = 81;
inline constexpr int progressiva_media = 82;
inline constexpr int progressiva_minore = 83;
inline constexpr int dati_generali = 84;
inline constexpr int dati_linea = 85;
inline constexpr int dati_treno = 86;
}  // namespace voce

// The track build: prepares the model, runs the compiler, finishes the track,
// stamps the format values and the check codes, and writes the binary files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "compiler/modello.h"
#include "sources/cartella.h"

// Format stamps: par1 of entry 85 and valore1 of cell 1.
inline constexpr std::int16_t timbro_scenario = 610;
inline constexpr std::int16_t timbro_tracciato = 5121;

// The operation named by the failure raised when the compiler left no track.
inline constexpr const char* operazione_senza_tracciato = "finishing pass";

// The track build in `dir`, which holds the text sources of the model's line
// name and train number and receives the binary files. `con_planimetria` also
// builds the plan and writes the line plan file. Returns the names of the
// files written, in order.
//
// - The compiler's status does not stop the build: the files are written with
//   whatever status it recorded; the finishing rules may record 11, 12 or 13.
// - No track, or a track without a cell 1: throws errore_esecuzione with the
//   operation operazione_senza_tracciato; no file is written.
// - A value left in a stamp slot (1250) or a check-code slot (1251): errore()
//   throws errore_segnalato; no file is written.
// - A failing file operation throws errore_esecuzione; files written before it
//   stay.
// - With the plan asked for while the compiler left none: the line plan is not written.
std::vector<std::string> memorizza_percorso(modello_scenario& m, bool con_planimetria, const cartella& dir);

// Everything after the compiler, on the model it left: the track check, the
// finishing pass, the stamps, the check codes and the files.
std::vector<std::string> completa_percorso(modello_scenario& m, const cartella& dir);

// What a build does with the plan of the line.
enum class modo_planimetria : std::uint8_t {
    nessuna,     // none: curve records are not read, no line plan file
    verificata,  // validated: the same checks and statuses as a plan built whole, no point kept, no line plan file
    scritta,     // built whole, and written to the line plan file
};

// Steps of the build, in their order. A plan asked for as a bool is built
// whole or not at all.
void prepara_modello(modello_scenario& m, modo_planimetria piano);
void prepara_modello(modello_scenario& m, bool con_planimetria);
void verifica_tracciato(const modello_scenario& m);
void timbra_formato(modello_scenario& m);
void memorizza_codici(modello_scenario& m);
std::vector<std::string> scrivi_file_scenario(const modello_scenario& m, const cartella& dir);

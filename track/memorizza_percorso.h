// The track build: prepares the model, runs the compiler, finishes the track,
// stamps the format values and the check codes, and writes the binary files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "../compiler/compilazione.h"
#include "../compiler/modello.h"

// Format stamps: par1 of entry 85 and valore1 of cell 1.
inline constexpr std::int16_t timbro_scenario = 610;
inline constexpr std::int16_t timbro_tracciato = 5121;

// The operation named by the failure raised when the compiler left no track.
inline constexpr const char* operazione_senza_tracciato = "finishing pass";

// What a track build leaves besides the model and the files.
struct esito_percorso {
    esito_compilazione compilazione;       // where the compiler's reader stopped, and why
    std::int32_t codice_compilazione = 0;  // the status pair as the compiler left it
    std::int32_t posizione_compilazione = 0;
    std::vector<std::string> file_scritti;  // names of the files written, in order
};

// The track build in `cartella` (which holds the text sources and receives the
// binary files). A non-zero `j` also builds the plan and writes the line plan.
//
// - The compiler's status does not stop the build: the files are written with
//   whatever status it recorded; the finishing rules may record 11, 12 or 13.
// - No track, or a track without a cell 1: throws errore_esecuzione with the
//   operation operazione_senza_tracciato; no file is written.
// - A value left in a stamp slot (1250) or a check-code slot (1251): errore()
//   throws errore_segnalato; no file is written.
// - A failing file operation throws errore_esecuzione; files written before it
//   stay.
// - `j` non-zero while the compiler left no plan: the line plan is not written.
//
// The second form fills `esito` as it goes, so that it still holds the
// compiler's diagnostics and the files already written when a failure is thrown.
esito_percorso memorizza_percorso(modello_scenario& m, std::int32_t& j, const std::string& cartella);
void memorizza_percorso(modello_scenario& m, std::int32_t& j, const std::string& cartella, esito_percorso& esito);

// Everything after the compiler, on the model it left: the track check, the
// finishing pass, the stamps, the check codes and the files (names of the
// files written are appended to `scritti` as they are written).
void completa_percorso(modello_scenario& m, const std::string& cartella, std::vector<std::string>& scritti);

// Steps of the build, in their order.
void prepara_modello(modello_scenario& m, std::int32_t j);
void verifica_tracciato(const modello_scenario& m);
void timbra_formato(modello_scenario& m);
void memorizza_codici(modello_scenario& m);
void scrivi_file_scenario(const modello_scenario& m, const std::string& cartella, std::vector<std::string>& scritti);

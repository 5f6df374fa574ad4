// The run sequence of the builder, without the window: everything from the
// identity strings to the written scenario, in the directory given by the caller.
#pragma once

#include "compiler/modello.h"
#include "sources/cartella.h"

inline constexpr const char* nome_linea_scenario = "Tava Aeroporto-Rovea";
inline constexpr const char* numero_treno_scenario = "30742";

// Sets the line name and then the train number of the embedded scenario.
void imposta_identita(modello_scenario& m);

// Writes the two text sources and the three crew documents, in this order:
// line, train, note, slowdown order, train sheet.
void scrivi_sorgenti_e_documenti(const modello_scenario& m, const cartella& dir);

// The whole job after the wait window is up: the text sources and documents,
// then the track build with the line plan. Nothing is lost on the way:
// - every output name is checked before anything is written (a directory, a
//   link, a FIFO, a device at one of them is refused);
// - the five texts, then the three binary files, are each published as one
//   set, all or none (sources/pubblica.h): a failure while they are written
//   leaves every old file of the set byte for byte;
// - the two text sources are gone after any outcome;
// - temporary files of these names that a killed run left are removed first
//   (the caller holds the directory's lock, which proves them stale).
// Failures propagate as exceptions: errore_segnalato for the numbered
// message, errore_esecuzione otherwise.
void esegui_costruzione(modello_scenario& m, const cartella& dir);

// The platform layer: the only place that talks to the operating system's
// windows, message boxes and process. Everything else is portable.
#pragma once

#include <string>

namespace piattaforma {

// The directory that holds the running executable, without a trailing separator
// (a root directory keeps the one it has).
std::string cartella_eseguibile();

// Shows the wait window with "Attendere" and paints it at once; no message is
// processed afterwards.
void mostra_attesa();

// Shows a message box with the text and an OK button; returns when it is closed.
void mostra_messaggio(const std::string& testo);

// The report of an unhandled failure: the failing operation, the path, the
// system's error number and text; then the process ends with a non-zero status.
[[noreturn]] void segnala_errore_non_gestito(const std::string& operazione, const std::string& percorso, int numero,
                                             const std::string& descrizione);

// Ends the process at once with the given exit status.
[[noreturn]] void termina(int stato);

}  // namespace piattaforma

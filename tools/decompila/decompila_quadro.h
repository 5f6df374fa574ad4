// The three binary files decoded for decompile, as the build left them before
// its stamps and check codes (decompila_sorgenti.h, quadro_scenario).
#pragma once

#include <optional>
#include <stdexcept>
#include <string>

#include "tools/decompila/decompila_sorgenti.h"
#include "tools/comune/tipo_file.h"

// The bytes of the files; the plan is absent for a scenario built without one.
struct file_binari {
    std::optional<std::string> planimetria;
    std::string scenario;
    std::string tracciato;
};

// A file that does not decode: which one, and where decoding stopped.
struct errore_decodifica : std::runtime_error {
    tipo_file file;
    errore_decodifica(tipo_file f, const std::string& messaggio) : std::runtime_error(messaggio), file(f) {}
};

// Decodes the files (throws errore_decodifica) and takes out what the build
// writes after compiling: the format stamps and check codes (noting any that
// are not what the build writes for `nomi`), the names in entries 85 and 86
// (noted when they are not `nomi` as the model holds them: on Windows their
// Windows-1252 bytes; a name that cannot be held there throws errore_uso).
// The track is sized as the declared length gives it (a track of another size
// is noted).
quadro_scenario leggi_quadro(const file_binari& f, const nomi_scenario& nomi, note_decompilazione& note);

// The author's two text sources as a check or a compile reads them: the
// paths as given on the command line, and their bytes.
#pragma once

#include <optional>
#include <string>

#include "sources/luogo.h"

struct sorgenti_autore {
    std::string percorso_linea;
    std::string percorso_treno;
    const std::string* testo_linea = nullptr;  // null: no file stands at the path
    const std::string* testo_treno = nullptr;
};

// The path of a source; empty for none.
const std::string& percorso_di(const sorgenti_autore& s, sorgente file);

// The bytes of a source; null when it was not there.
const std::string* testo_di(const sorgenti_autore& s, sorgente file);

// Reads one of the author's sources whole. Nothing when no file stands at the
// path: the build reports it as missing. Anything else that keeps it from
// being read (a directory, a FIFO, no permission, more than the 16 MiB a
// source may take) throws errore_esecuzione naming the path as given, with
// `dove.file` telling which source it is and its words saying why.
std::optional<std::string> leggi_sorgente_autore(const std::string& percorso, sorgente quale);

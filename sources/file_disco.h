// File operations shared by the writers and the compiler. Every failure
// throws errore_esecuzione naming the operation, the path and the system's
// error text.
#pragma once

#include <string>
#include <string_view>

bool esiste_file(const std::string& percorso);

// Deletes the file; a missing file or a refused deletion is a failure.
void elimina_file(const std::string& percorso);

// Deletes the file when it exists.
void elimina_se_esiste(const std::string& percorso);

// The whole content of a file, read at once.
std::string leggi_file(const std::string& percorso);

// Replaces a file with new content: opens it (creating it when missing) and
// closes it, deletes it, creates it anew and writes the content from the
// first byte in one buffered write. Whatever an older file held is gone.
void sostituisci_file(const std::string& percorso, std::string_view contenuto);

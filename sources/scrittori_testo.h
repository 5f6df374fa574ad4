// The five text writers and the procedure they share. Each writes its file
// into the directory it is given; a failing file operation throws
// errore_esecuzione and leaves the files written before it as they are.
#pragma once

#include <span>
#include <string>

#include "sources/cartella.h"

// Writes the lines up to the end marker (not included), each followed by
// CR LF, replacing any file of the same name.
void scrivi_righe(const cartella& dir, const std::string& nome, std::span<const char* const> righe);

void dati_linea(const cartella& dir, const std::string& nome_linea);
void dati_treno(const cartella& dir, const std::string& nome_linea, const std::string& numero_treno);
void dati_note(const cartella& dir, const std::string& nome_linea, const std::string& numero_treno);
void dati_rallentamenti(const cartella& dir, const std::string& nome_linea, const std::string& numero_treno);
void dati_scheda(const cartella& dir, const std::string& nome_linea, const std::string& numero_treno);

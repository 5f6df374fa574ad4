// The five text writers and the procedure they share. Each writes its file in
// the directory `cartella`; a failing file operation throws errore_esecuzione
// and leaves the files written before it as they are.
#pragma once

#include <span>
#include <string>

// Writes the lines up to the end marker (not included), each followed by
// CR LF, replacing any file of the same name.
void scrivi_righe(const std::string& percorso, std::span<const char* const> righe);

void dati_linea(const std::string& cartella, const std::string& nome_linea);
void dati_treno(const std::string& cartella, const std::string& nome_linea, const std::string& numero_treno);
void dati_note(const std::string& cartella, const std::string& nome_linea, const std::string& numero_treno);
void dati_rallentamenti(const std::string& cartella, const std::string& nome_linea, const std::string& numero_treno);
void dati_scheda(const std::string& cartella, const std::string& nome_linea, const std::string& numero_treno);

#include "sources/scrittori_testo.h"

#include <cstring>

#include "sources/contenuto.h"
#include "sources/nomi_file.h"

void scrivi_righe(const cartella& dir, const std::string& nome, std::span<const char* const> righe) {
    std::string testo;
    for (const char* riga : righe) {
        if (std::strcmp(riga, contenuto::marcatore_fine) == 0) break;
        testo += riga;
        testo += "\r\n";
    }
    dir.sostituisci(nome, std::move(testo));
}

void dati_linea(const cartella& dir, const std::string& nome_linea) {
    scrivi_righe(dir, nome_file_linea(nome_linea), contenuto::righe_linea);
}

void dati_treno(const cartella& dir, const std::string& nome_linea, const std::string& numero_treno) {
    scrivi_righe(dir, nome_file_treno(nome_linea, numero_treno), contenuto::righe_treno);
}

void dati_note(const cartella& dir, const std::string& nome_linea, const std::string& numero_treno) {
    scrivi_righe(dir, nome_file_note(nome_linea, numero_treno), contenuto::righe_note);
}

void dati_rallentamenti(const cartella& dir, const std::string& nome_linea, const std::string& numero_treno) {
    scrivi_righe(dir, nome_file_rallentamenti(nome_linea, numero_treno), contenuto::righe_rallentamenti);
}

void dati_scheda(const cartella& dir, const std::string& nome_linea, const std::string& numero_treno) {
    scrivi_righe(dir, nome_file_scheda(nome_linea, numero_treno), contenuto::righe_scheda);
}

#include "scrittori_testo.h"

#include <cstring>

#include "contenuto.h"
#include "file_disco.h"
#include "percorso.h"

void scrivi_righe(const std::string& percorso, std::span<const char* const> righe) {
    std::string testo;
    for (const char* riga : righe) {
        if (std::strcmp(riga, contenuto::marcatore_fine) == 0) break;
        testo += riga;
        testo += "\r\n";
    }
    sostituisci_file(percorso, testo);
}

void dati_linea(const std::string& cartella, const std::string& nome_linea) {
    scrivi_righe(percorso_file(cartella, nome_file_linea(nome_linea)), contenuto::righe_linea);
}

void dati_treno(const std::string& cartella, const std::string& nome_linea, const std::string& numero_treno) {
    scrivi_righe(percorso_file(cartella, nome_file_treno(nome_linea, numero_treno)), contenuto::righe_treno);
}

void dati_note(const std::string& cartella, const std::string& nome_linea, const std::string& numero_treno) {
    scrivi_righe(percorso_file(cartella, nome_file_note(nome_linea, numero_treno)), contenuto::righe_note);
}

void dati_rallentamenti(const std::string& cartella, const std::string& nome_linea, const std::string& numero_treno) {
    scrivi_righe(percorso_file(cartella, nome_file_rallentamenti(nome_linea, numero_treno)),
                 contenuto::righe_rallentamenti);
}

void dati_scheda(const std::string& cartella, const std::string& nome_linea, const std::string& numero_treno) {
    scrivi_righe(percorso_file(cartella, nome_file_scheda(nome_linea, numero_treno)), contenuto::righe_scheda);
}

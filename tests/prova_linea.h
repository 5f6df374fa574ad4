// Test support for the line phase: a line file in a directory in memory,
// compiled by the line phase alone or by the whole compiler.
#pragma once

#include <map>
#include <string>

#include "compiler/compilazione.h"
#include "compiler/modello.h"
#include "sources/cartella.h"
#include "sources/nomi_file.h"
#include "supporto.h"

struct prova_linea {
    std::map<std::string, std::string> file;
    cartella dir = cartella_in_memoria(file);
    modello_scenario m;
    stato_compilazione s{dir};

    explicit prova_linea(bool scrivi_linea = true, const std::string& nome_linea = "Linea di prova",
                         const std::string& numero_treno = "4711") {
        m.nome_linea = nome_linea;
        m.numero_treno = numero_treno;
        m.scrivi_linea = scrivi_linea;
        s.file_linea = nome_file_linea(m.nome_linea);
        s.file_treno = nome_file_treno(m.nome_linea, m.numero_treno);
    }
    prova_linea(const prova_linea&) = delete;
    prova_linea& operator=(const prova_linea&) = delete;

    void scrivi(const std::string& testo) { file[s.file_linea] = testo; }
    void scrivi_treno() { file[s.file_treno] = "[generale]\r\n[fine]\r\n"; }

    // The line phase alone: true when the train phase would follow.
    bool fase() { return fase_linea(m, s); }
    // The whole compiler, failure handler included.
    void compila() { memorizza_dati(m, dir); }

    bool linea_esiste() const { return file.count(s.file_linea) != 0; }
    bool treno_esiste() const { return file.count(s.file_treno) != 0; }

    std::uint8_t pendenza(int cella) const { return m.tracciato.at(static_cast<std::size_t>(cella)).pendenza; }
    const cella& c(int i) const { return m.tracciato.at(static_cast<std::size_t>(i)); }

    // Coordinate (0 = x, 1 = y) of a plan point, and its type.
    double punto(int metro, int coordinata) const {
        return m.planimetria.valori.at(elemento_planimetria(m.planimetria, metro, coordinata));
    }
    tipo_valore tipo_punto(int metro, int coordinata) const {
        return m.planimetria.tipi.at(elemento_planimetria(m.planimetria, metro, coordinata));
    }
};

// A line file: "[generale]", the general lines, "[curve]", the body lines and
// "[fine]", each line ending in CR LF.
inline std::string file_linea(const std::string& generale, const std::string& corpo) {
    return "[generale]\r\n" + generale + "[curve]\r\n" + corpo + "[fine]\r\n";
}

inline std::string lunghezza_linea(int metri) { return "lunghezza percorso,    " + std::to_string(metri) + "\r\n"; }

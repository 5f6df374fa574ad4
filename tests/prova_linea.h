// Test support for the line phase: a line file in a private directory,
// compiled by the line phase alone or by the whole compiler.
#pragma once

#include <string>

#include "compiler/compilazione.h"
#include "compiler/modello.h"
#include "sources/file_disco.h"
#include "sources/percorso.h"
#include "supporto.h"

struct prova_linea {
    cartella_temporanea cartella;
    modello_scenario m;
    stato_compilazione s;

    explicit prova_linea(std::int32_t scrivi_linea = 1, const std::string& nome_linea = "Linea di prova",
                         const std::string& numero_treno = "4711") {
        m.nome_linea = nome_linea;
        m.numero_treno = numero_treno;
        m.scrivi_linea = scrivi_linea;
        s.percorso_linea = cartella.file(nome_file_linea(m.nome_linea));
        s.percorso_treno = cartella.file(nome_file_treno(m.nome_linea, m.numero_treno));
    }

    void scrivi(const std::string& testo) const { scrivi_tutto(s.percorso_linea, testo); }
    void scrivi_treno() const { scrivi_tutto(s.percorso_treno, "[generale]\r\n[fine]\r\n"); }

    // The line phase alone: true when the train phase would follow.
    bool fase() { return fase_linea(m, s); }
    // The whole compiler, failure handler included.
    esito_compilazione compila() { return memorizza_dati(m, cartella.str()); }

    bool linea_esiste() const { return esiste_file(s.percorso_linea); }
    bool treno_esiste() const { return esiste_file(s.percorso_treno); }

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

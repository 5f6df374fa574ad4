// Test bench of the train phase: a model whose line phase is taken as done
// (a track of numero_celle + 1 empty cells, the next sign entry as the line
// left it), a train file in a directory in memory, and the train phase run
// under the compiler's own failure handler.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "compiler/compilazione.h"
#include "compiler/modello.h"
#include "sources/cartella.h"
#include "sources/errore_esecuzione.h"
#include "sources/nomi_file.h"
#include "supporto.h"

struct banco_treno {
    std::map<std::string, std::string> file;
    cartella dir = cartella_in_memoria(file);
    modello_scenario m;
    stato_compilazione s{dir};
    std::string errore;  // text of the runtime failure, when there was one

    explicit banco_treno(std::int32_t celle = 580, std::int32_t prossima_voce_cartello = 80) {
        m.nome_linea = "Tava Aeroporto-Rovea";
        m.numero_treno = "30742";
        m.numero_celle = celle;
        m.lunghezza_totale = celle * 50;
        m.tracciato.assign(static_cast<std::size_t>(celle) + 1, cella{});
        s.file_linea = nome_file_linea(m.nome_linea);
        s.file_treno = nome_file_treno(m.nome_linea, m.numero_treno);
        s.prossima_voce_cartello = prossima_voce_cartello;
    }
    banco_treno(const banco_treno&) = delete;
    banco_treno& operator=(const banco_treno&) = delete;

    void scrivi(const std::string& testo) { file[s.file_treno] = testo; }

    // Runs the train phase on the file already in place.
    void esegui() {
        try {
            fase_treno(m, s);
        } catch (const errore_esecuzione& e) {
            gestisci_guasto(m, s, e);
            errore = e.what();
        }
    }

    // Writes the train file (lines joined with CR LF) and runs the phase.
    void compila(const std::string& testo) {
        scrivi(testo);
        esegui();
    }

    // A train file made of "[generale]", the given lines and "[fine]".
    template <typename... T>
    void compila_righe(const T&... righe) {
        compila(righe_crlf("[generale]", righe..., "[fine]"));
    }

    bool file_treno_presente() const { return file.count(s.file_treno) != 0; }

    std::vector<std::string> nomi() const {
        std::vector<std::string> n;
        for (const auto& [nome, contenuto] : file) n.push_back(nome);
        return n;
    }

    cella& c(std::int32_t i) { return m.tracciato.at(static_cast<std::size_t>(i)); }
};

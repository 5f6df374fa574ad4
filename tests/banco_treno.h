// Test bench of the train phase: a model whose line phase is taken as done
// (a track of numero_celle + 1 empty cells, the next sign entry as the line
// left it), a train file in a private directory, and the train phase run
// under the same failure handling as memorizza_dati.
#pragma once

#include <string>

#include "compiler/compilazione.h"
#include "compiler/modello.h"
#include "sources/errore_esecuzione.h"
#include "sources/file_disco.h"
#include "sources/percorso.h"
#include "supporto.h"

struct banco_treno {
    cartella_temporanea cartella;
    modello_scenario m;
    stato_compilazione s;
    std::string errore;  // text of the runtime failure, when there was one

    explicit banco_treno(std::int32_t celle = 580, std::int32_t prossima_voce_cartello = 80) {
        m.nome_linea = "Tava Aeroporto-Rovea";
        m.numero_treno = "30742";
        m.numero_celle = celle;
        m.lunghezza_totale = celle * 50;
        m.tracciato.assign(static_cast<std::size_t>(celle) + 1, cella{});
        s.percorso_linea = cartella.file(nome_file_linea(m.nome_linea));
        s.percorso_treno = cartella.file(nome_file_treno(m.nome_linea, m.numero_treno));
        s.prossima_voce_cartello = prossima_voce_cartello;
    }

    void scrivi(const std::string& testo) { scrivi_tutto(s.percorso_treno, testo); }

    // Runs the train phase on the file already in place.
    void esegui() {
        try {
            fase_treno(m, s);
        } catch (const errore_esecuzione& e) {
            s.file_aperto = sorgente::nessuna;
            elimina_se_esiste(s.percorso_linea);
            elimina_se_esiste(s.percorso_treno);
            m.codice_errore = 25;
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

    bool file_treno_presente() const { return esiste_file(s.percorso_treno); }

    cella& c(std::int32_t i) { return m.tracciato.at(static_cast<std::size_t>(i)); }
};

// The compiler: memorizza_dati reads the line file and then the train file
// into the scenario model. Its working state is a plain struct passed to the
// small functions of each phase.
#pragma once

#include <cstdint>
#include <string>

#include "../sources/lettore_campi.h"
#include "modello.h"

// What the compiler leaves besides the model: where it stopped and why, for
// diagnostics. The model's status pair is the compiler's real result.
struct esito_compilazione {
    sorgente file = sorgente::nessuna;
    std::int32_t riga = 0;
    std::int32_t colonna = 0;
    std::string dettaglio;  // text of the runtime failure, when status 25 came from one
};

struct stato_compilazione {
    std::string percorso_linea;
    std::string percorso_treno;

    // The text source being read (file number 1 while it is open).
    lettore_campi lettore;
    sorgente file_aperto = sorgente::nessuna;
    sorgente ultimo_file = sorgente::nessuna;

    // Line phase.
    std::int32_t cursore_pendenza = 0;
    std::int32_t ultima_pendenza = 0;
    std::int32_t cursore_planimetria = 2;
    std::int32_t prossima_voce_cartello = 80;

    // Train phase. The starting speed limit and adhesion are 0.
    std::int32_t cursore_velocita = 0;
    std::int32_t velocita_corrente = 0;
    std::int32_t cursore_aderenza = 0;
    std::int32_t aderenza_corrente = 0;
    std::int32_t contatore_stazioni = 1;
};

// What a record handler tells the record loop.
enum class esito_record : std::uint8_t {
    continua,  // go on with the next field
    ferma,     // a position test failed: leave the loop, the phase's closing steps run
    termina,   // the file is closed and deleted, the method ends
};

// The compiler entry point. `cartella` is the directory that holds the text
// sources. Runtime failures are caught here: the open file is closed, the text
// sources that still exist are deleted and status 25 is recorded.
esito_compilazione memorizza_dati(modello_scenario& m, const std::string& cartella);

// The two phases. fase_linea returns false when the method ends in it.
bool fase_linea(modello_scenario& m, stato_compilazione& s);
void fase_treno(modello_scenario& m, stato_compilazione& s);

// Opening and closing the text source of a phase.
void apri_sorgente(stato_compilazione& s, sorgente quale);
void chiudi_ed_elimina(stato_compilazione& s);

// Position test of a record: accepted when (posizione + margine) / 50, in
// floating point, is not beyond the last cell. A refused record sets status 15
// with the position; a sum that does not fit a Long is a runtime failure.
bool prova_posizione(modello_scenario& m, std::int32_t posizione, std::int32_t margine);

// A failure that ends the method: the file is closed and deleted, the status
// recorded (with its position, in the second form).
esito_record termina_con(modello_scenario& m, stato_compilazione& s, std::int32_t codice);
esito_record termina_con(modello_scenario& m, stato_compilazione& s, std::int32_t codice, std::int32_t posizione);

// Reads a field into the model's `campo`.
void leggi_campo(modello_scenario& m, stato_compilazione& s);

// Placement methods.
void progressive_ordina(modello_scenario& m);
void memo_montagna(modello_scenario& m, std::int32_t& inizio, std::int32_t& fine, std::int32_t& tipo);
void memo_indicatori_v_max(modello_scenario& m, std::int32_t posizione, std::int32_t& vas, std::int32_t& vbs,
                           std::int32_t& vcs, std::int32_t& strisces, std::int32_t& vad, std::int32_t& vbd,
                           std::int32_t& vcd, std::int32_t& strisced);
void memo_segnale(modello_scenario& m, std::int32_t posizione, std::int32_t& sx, std::int32_t& s1, std::int32_t& s2,
                  std::int32_t& s3, std::int32_t& rapp, std::int32_t& dx, std::int32_t& d1, std::int32_t& d2,
                  std::int32_t& d3, std::int32_t& tempo);
void memo_rallentamento(modello_scenario& m, std::int32_t x, std::int32_t& v, std::int32_t& l, std::int32_t& f_tt,
                        std::int32_t f_ta, std::int32_t& d_v);
esito_record memo_stazione(modello_scenario& m, stato_compilazione& s);

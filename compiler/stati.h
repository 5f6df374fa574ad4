// The status codes that a build records in the model, in one table: the code,
// what it means and the record that raises it. "Who sets 17?" is a search for
// its name.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

enum class stato : std::int32_t {
    nessuno = 0,
    lunghezza_eccessiva = 1,               // general section: length above 1,000,000 m
    progressiva_non_multipla = 2,          // end of the train phase: a progressive's start or value
    inizio_ripetizione_non_multiplo = 3,   // general section: repetition start
    fine_ripetizione_non_multipla = 4,     // general section: repetition end
    ripetizione_senza_codici = 5,          // general section: repetition keyword without 4 or 9
    cartello_occupato = 6,                 // line body: indication sign
    abbattimento_occupato = 7,             // train: abbattimento point
    stazione_non_multipla = 8,             // train: station position
    lunghezza_stazione_non_multipla = 9,   // train: station length
    troppe_stazioni = 10,                  // train: station counter reaches the sign entries
    tabella_segnale_impossibile = 11,      // finishing: board in front of a signal
    tabella_approccio_impossibile = 12,    // finishing: approach board of a slowdown
    tabella_ripetizione_impossibile = 13,  // finishing: repeat board, or board after a slowdown
    fuori_tracciato = 15,                  // line body or train: a position beyond the track
    segnale_occupato = 16,                 // train: signal
    avviso_occupato = 17,                  // train: slowdown warning board
    inizio_rallentamento_occupato = 18,    // train: slowdown start
    fine_rallentamento_occupata = 19,      // train: slowdown end
    preavviso_occupato = 20,               // train: slowdown lead-in cells
    indicatori_occupati = 21,              // line body: speed indicators
    stazioni_vicine = 22,                  // train: station spacing
    marca_stazione_iniziale = 24,          // train: station marker at or before cell 1
    guasto_esecuzione = 25,                // any runtime failure while compiling
    linea_mancante = 101,                  // the line file does not exist
    generale_mancante = 102,               // the line file has no "[generale]"
    curva_non_valida = 103,                // curve keyword without a grade, or the plan past 1,000,000
};

struct voce_stato {
    stato codice;
    const char* testo;   // what the status means, as a sentence without a full stop
    const char* record;  // the record or step that raises it
};

// Every status of the table, in increasing order of code (0 not included).
std::span<const voce_stato> tabella_stati();

// The entry of a code; nothing for a number that is no status.
std::optional<voce_stato> cerca_stato(std::int32_t codice);

// "no error" for 0, "unknown status" for a number that is no status.
const char* testo_stato(std::int32_t codice);

inline std::int32_t numero(stato s) { return static_cast<std::int32_t>(s); }

// Statuses that the finishing pass records, rather than the compiler.
inline bool stato_della_finitura(std::int32_t codice) { return codice >= 11 && codice <= 13; }

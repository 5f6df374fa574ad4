// The train sheet and the slowdown order of an author's scenario: the two
// papers a driver reads before setting off, filled from the scenario's files
// in the framed layout of the builder's own documents. Nothing is invented: a
// column whose meaning the files do not give stays blank.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "sources/luogo.h"

// One row of the train sheet's timetable: a station, an indication sign or a
// change of the speed limit, at its reading of the line's kilometres.
struct riga_scheda {
    std::int64_t lettura = 0;                 // metres as the line's posts read them
    std::optional<int> velocita_limite;       // the speed limit from here on, where it changes
    std::string localita;                     // the station or the sign's text (Windows-1252); empty: none
    std::optional<std::int32_t> orario;       // the station's time in seconds of the day; none: no time
    luogo origine;                            // the record of the station or sign
};

struct dati_scheda_treno {
    std::string numero_treno;
    std::string da;                           // the first station's name
    std::string a;                            // the last station's name
    luogo origine_da;
    luogo origine_a;
    std::optional<int> percentuale_frenata;   // the braked-mass percentage, when the files give it
    luogo origine_percentuale;
    std::vector<riga_scheda> righe;           // in line order
};

// One slowdown of the order, in line order.
struct riga_rallentamento {
    std::string prima;        // the station before it, or the station it lies in
    std::string dopo;         // the station after it; empty with nella_stazione, or none after
    bool nella_stazione = false;
    std::int64_t lettura_inizio = 0;  // metres as the line's posts read them, where it begins
    int velocita = 0;         // km/h
    std::int32_t lunghezza = 0;  // metres
    luogo origine;            // the slowdown record
};

struct dati_ordine_rallentamenti {
    std::string nome_linea;
    std::string numero_treno;
    std::vector<riga_rallentamento> righe;
};

// A text cut at a column of a frame: the record it came from, the column and
// the whole text, for the author's warning.
struct taglio_documento {
    luogo origine;
    std::string colonna;
    std::string testo;
    std::size_t larghezza = 0;
};

struct documento_testo {
    std::vector<std::string> righe;  // without line ends; Windows-1252
    std::vector<taglio_documento> tagli;
};

documento_testo scheda_treno(const dati_scheda_treno& d);
documento_testo ordine_rallentamenti(const dati_ordine_rallentamenti& d);

// The lines as a file holds them: each followed by CR LF.
std::string testo_con_crlf(const documento_testo& d);

// A reading in metres as the sheets write kilometres: 250 -> "0.250".
std::string km_documento(std::int64_t lettura);

// A time of day as the sheet writes it: 72540 -> "20.09.00".
std::string orario_documento(std::int32_t secondi);

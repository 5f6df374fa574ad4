// The records of a line file and of a train file, each held in a small struct
// with the record's own field names. The comment above each is the record as
// written. The compiler reads some of them into these structs before placing
// them; the generator of test scenarios and `scenario-tool decompile` fill
// them all and have them written as text (sources/scrittura_sorgenti.h).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

// --- Line file ------------------------------------------------------------------------

// progressiva chilometrica uno|due|tre, inizio, valore, flag
struct record_progressiva {
    std::int32_t inizio = 0;
    std::int32_t valore = 0;
    std::int32_t flag = 0;
};

// curvas|curvad + grade, inizio, lunghezza
struct record_curva {
    std::int32_t inizio = 0;
    std::int32_t lunghezza = 0;
    std::int32_t grado = 1;  // 1 to 6
    bool sinistra = false;
};

// pendenza|velocita|aderenza|abbattimento, posizione, valore
// (a value from a position on)
struct record_punto {
    std::int32_t posizione = 0;
    std::int32_t valore = 0;
};

// montagna, inizio, fine, tipo
struct record_montagna {
    std::int32_t inizio = 0;
    std::int32_t fine = 0;
    std::int32_t tipo = 0;  // the kind, plus 10 for marks
};

// indicatori_v_max, posizione, vas, vbs, vcs, strisces, vad, vbd, vcd, strisced
struct record_indicatori {
    std::int32_t posizione = 0;
    std::int32_t vas = 0;
    std::int32_t vbs = 0;
    std::int32_t vcs = 0;
    std::int32_t strisces = 0;
    std::int32_t vad = 0;
    std::int32_t vbd = 0;
    std::int32_t vcd = 0;
    std::int32_t strisced = 0;
};

// cartello_indicatore, posizione, testo
struct record_cartello {
    std::int32_t posizione = 0;
    std::string testo;  // two rows of twelve characters, each in parentheses
};

struct sorgente_linea {
    std::int32_t lunghezza = 0;
    std::array<record_progressiva, 3> progressive{};  // uno, due, tre
    std::array<std::int32_t, 3> sfondi{};             // uno, due, tre
    std::int32_t codici_ripetizione = 4;              // 4 or 9, named in the keyword
    std::int32_t inizio_ripetizione = 0;
    std::int32_t fine_ripetizione = 0;
    std::vector<record_curva> curve;
    std::vector<record_punto> pendenze;
    std::vector<record_montagna> montagne;
    std::vector<record_indicatori> indicatori;
    std::vector<record_cartello> cartelli;  // in file order: the first takes entry 80
};

// --- Train file -----------------------------------------------------------------------

// stazione, posizione, tipo, lunghezza, marca, opz4, opz3, par1, par2, opz1,
//           par3, par4, par5, opz2, ore, minuti, secondi, nome
struct record_stazione {
    std::int32_t posizione = 0;
    std::int32_t tipo = 0;
    std::int32_t lunghezza = 0;
    std::int32_t marca = 0;
    std::int32_t opz4 = 0;
    std::int32_t opz3 = 0;
    std::int32_t par1 = 0;
    std::int32_t par2 = 0;
    std::int32_t opz1 = 0;
    std::int32_t par3 = 0;
    std::int32_t par4 = 0;
    std::int32_t par5 = 0;
    std::int32_t opz2 = 0;
    std::int32_t ore = 0;
    std::int32_t minuti = 0;
    std::int32_t secondi = 0;
    std::string nome;
};

// A signal or a slowdown written in its own section, after every station.
inline constexpr std::size_t nella_sezione_segnali = std::numeric_limits<std::size_t>::max();
inline constexpr std::size_t nella_propria_sezione = nella_sezione_segnali;

// rallentamento, x, v, l, f_tt, f_ta, d_v
struct record_rallentamento {
    std::int32_t x = 0;
    std::int32_t v = 0;
    std::int32_t l = 0;
    std::int32_t f_tt = 0;
    std::int32_t f_ta = 0;
    std::int32_t d_v = 0;
    // Where the record stands in the file: among the stations, after this
    // many of them (a slowdown one of whose cells a station marker must
    // overwrite), or in the slowdowns section.
    std::size_t stazioni_prima = nella_propria_sezione;
};

// segnale, posizione, sx, s1, s2, s3, rapp, dx, d1, d2, d3, tempo
struct record_segnale {
    std::int32_t posizione = 0;
    std::int32_t sx = 0;
    std::int32_t s1 = 0;
    std::int32_t s2 = 0;
    std::int32_t s3 = 0;
    std::int32_t rapp = 0;
    std::int32_t dx = 0;
    std::int32_t d1 = 0;
    std::int32_t d2 = 0;
    std::int32_t d3 = 0;
    std::int32_t tempo = 0;
    // Where the record stands in the file: among the stations, after this
    // many of them (a signal whose approach markers a station must overwrite,
    // or that must overwrite a station's), or in the signals section.
    std::size_t stazioni_prima = nella_sezione_segnali;
};

struct sorgente_treno {
    std::int32_t vetture = 0;
    std::int32_t massa_frenata = 0;
    std::int32_t sabbia = 0;
    std::array<std::int32_t, 3> orologio{};  // hours, minutes, seconds
    std::vector<record_punto> aderenze;
    std::vector<record_punto> velocita;
    std::vector<record_stazione> stazioni;  // in table order
    std::vector<record_rallentamento> rallentamenti;
    std::vector<record_segnale> segnali;  // in file order
    std::vector<record_punto> abbattimenti;
};

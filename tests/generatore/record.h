// The records of a generated scenario, as the two text files will carry them.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// Line description file.
struct progressiva_gen {
    std::int32_t inizio = 0;
    std::int32_t valore = 0;
    std::int32_t flag = 0;
};

struct curva_gen {
    std::int32_t inizio = 0;
    std::int32_t lunghezza = 0;
    std::int32_t grado = 1;  // 1 to 6
    bool sinistra = false;
};

struct pendenza_gen {
    std::int32_t posizione = 0;
    std::int32_t valore = 0;
};

struct montagna_gen {
    std::int32_t inizio = 0;
    std::int32_t fine = 0;
    std::int32_t tipo = 0;  // the kind, plus 10 for marks
};

struct indicatori_gen {
    std::int32_t posizione = 0;
    std::array<std::int32_t, 8> valori{};  // vas, vbs, vcs, strisces, vad, vbd, vcd, strisced
};

struct cartello_gen {
    std::int32_t posizione = 0;
    std::string testo;  // two rows of twelve characters, each in parentheses
};

struct linea_gen {
    std::int32_t lunghezza = 0;
    std::array<progressiva_gen, 3> progressive{};  // uno, due, tre
    std::array<std::int32_t, 3> sfondi{};          // uno, due, tre
    std::int32_t codici_ripetizione = 4;           // 4 or 9, named in the keyword
    std::int32_t inizio_ripetizione = 0;
    std::int32_t fine_ripetizione = 0;
    std::vector<curva_gen> curve;
    std::vector<pendenza_gen> pendenze;
    std::vector<montagna_gen> montagne;
    std::vector<indicatori_gen> indicatori;
    std::vector<cartello_gen> cartelli;
};

// Train description file.
struct punto_gen {  // a speed limit or an adhesion value from a position on
    std::int32_t posizione = 0;
    std::int32_t valore = 0;
};

struct stazione_gen {
    std::int32_t posizione = 0;
    std::int32_t tipo = 0;
    std::int32_t lunghezza = 0;
    std::array<std::int32_t, 10> valori{};  // marca, opz4, opz3, par1, par2, opz1, par3, par4, par5, opz2
    std::array<std::int32_t, 3> ora{};      // hours, minutes, seconds
    std::string nome;
};

struct rallentamento_gen {
    std::int32_t x = 0;
    std::int32_t v = 0;
    std::int32_t l = 0;
    std::int32_t f_tt = 0;
    std::int32_t f_ta = 0;
    std::int32_t d_v = 0;
};

struct segnale_gen {
    std::int32_t posizione = 0;
    std::array<std::int32_t, 10> valori{};  // sx, s1, s2, s3, rapp, dx, d1, d2, d3, tempo
};

struct abbattimento_gen {
    std::int32_t posizione = 0;
    std::int32_t valore = 0;
};

struct treno_gen {
    std::int32_t vetture = 0;
    std::int32_t massa_frenata = 0;
    std::int32_t sabbia = 0;
    std::array<std::int32_t, 3> orologio{};
    std::vector<punto_gen> aderenze;
    std::vector<punto_gen> velocita;
    std::vector<stazione_gen> stazioni;
    std::vector<rallentamento_gen> rallentamenti;
    std::vector<segnale_gen> segnali;
    std::vector<abbattimento_gen> abbattimenti;
};

// The two texts, in the layout of the embedded scenario's sources.
std::string testo_linea(const linea_gen& l);
std::string testo_treno(const treno_gen& t);

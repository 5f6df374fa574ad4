#include "track/codici_gara.h"

unsigned char minuscola_1252(unsigned char c) {
    if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + 0x20);
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<unsigned char>(c + 0x20);
    switch (c) {
        case 0x8A: return 0x9A;
        case 0x8C: return 0x9C;
        case 0x8E: return 0x9E;
        case 0x9F: return 0xFF;
        default: return c;
    }
}

std::string chiave_codici(const std::string& numero_treno, const std::string& nome_linea) {
    std::string chiave = numero_treno + nome_linea;
    for (char& c : chiave) c = static_cast<char>(minuscola_1252(static_cast<unsigned char>(c)));
    return chiave + riempitivo_codici;
}

std::int32_t codice_gara_og(const std::string& numero_treno, const std::string& nome_linea) {
    const std::string chiave = chiave_codici(numero_treno, nome_linea);
    std::int32_t somma = 0;
    for (std::size_t i = 0; i < caratteri_chiave; ++i) somma += static_cast<unsigned char>(chiave[i]);
    return somma;
}

std::int32_t codice_gara_st(const std::string& numero_treno, const std::string& nome_linea) {
    const std::string chiave = chiave_codici(numero_treno, nome_linea);
    std::int32_t somma = 0;
    for (std::size_t i = 0; i < caratteri_chiave; ++i) {
        somma += static_cast<unsigned char>(chiave[i]) * static_cast<std::int32_t>(i + 1);
    }
    return somma;
}

std::int32_t codice_gara_og(const modello_scenario& m) {
    return codice_gara_og(m.scenario[voce::dati_treno].nome, m.scenario[voce::dati_linea].nome);
}

std::int32_t codice_gara_st(const modello_scenario& m) {
    return codice_gara_st(m.scenario[voce::dati_treno].nome, m.scenario[voce::dati_linea].nome);
}

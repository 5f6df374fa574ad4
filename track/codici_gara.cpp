#include "codici_gara.h"

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

const std::string& chiave_codici(modello_scenario& m) {
    std::string chiave = m.scenario[voce::dati_treno].nome + m.scenario[voce::dati_linea].nome;
    for (char& c : chiave) c = static_cast<char>(minuscola_1252(static_cast<unsigned char>(c)));
    m.campo = chiave + riempitivo_codici;
    return m.campo;
}

std::int32_t codice_gara_og(modello_scenario& m) {
    const std::string& chiave = chiave_codici(m);
    std::int32_t somma = 0;
    for (std::size_t i = 0; i < caratteri_chiave; ++i) somma += static_cast<unsigned char>(chiave[i]);
    return somma;
}

std::int32_t codice_gara_st(modello_scenario& m) {
    const std::string& chiave = chiave_codici(m);
    std::int32_t somma = 0;
    for (std::size_t i = 0; i < caratteri_chiave; ++i) {
        somma += static_cast<unsigned char>(chiave[i]) * static_cast<std::int32_t>(i + 1);
    }
    return somma;
}

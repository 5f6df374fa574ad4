// The embedded scenario's two text sources as the tests read them from
// tests/dati/, and the one-place edit the tests make on a copy of a text.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <string>

#include "supporto.h"

inline const std::string nome_linea = "Tava Aeroporto-Rovea_linea.txt";
inline const std::string nome_treno = "Tava Aeroporto-Rovea_30742-.txt";
inline const std::string linea_incorporata = leggi_tutto(std::string(CARTELLA_TEST_DATI) + "/" + nome_linea);
inline const std::string treno_incorporato = leggi_tutto(std::string(CARTELLA_TEST_DATI) + "/" + nome_treno);

// The text with its first `da` replaced by `a`; a `da` that is not there
// fails the test.
inline std::string sostituisci(std::string testo, const std::string& da, const std::string& a) {
    const std::size_t p = testo.find(da);
    EXPECT_NE(p, std::string::npos) << da;
    if (p != std::string::npos) testo.replace(p, da.size(), a);
    return testo;
}

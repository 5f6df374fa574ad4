// The round trip of decompile, for the tests and the longer run: a scenario's
// two texts compiled, the files it writes decompiled, the decompiled texts
// compiled again, and the files of both builds compared byte for byte.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tests/generatore/generatore.h"
#include "tools/comune/nomi.h"

struct esito_giro {
    bool riuscito = false;
    // What went wrong: the first build failed, decompile found a difference
    // (its list), or the second build wrote other bytes (which files).
    std::string descrizione;
    int giri = 0;  // builds decompile made to place the finishing boards
    // The build of the decompiled texts: its status, and its warnings ("NAME: message").
    std::int32_t stato = 0;
    std::vector<std::string> avvisi;
    std::int32_t stato_originale = 0;  // the status of the build of the texts given
};

// The round trip of two texts under the names given, with or without the plan.
esito_giro giro_testi(const std::string& linea, const std::string& treno, const nomi_scenario& nomi,
                      bool con_planimetria);

// A generated scenario and how it is built.
struct caso_giro {
    parametri_generatore parametri;
    bool con_planimetria = true;
    nomi_scenario nomi{"Linea Generata", "10001"};
};

// The case of a seed: lines mostly short (0.5 to 25 km), some of medium
// length, now and then a long one; 1 to 8 records per km; one seed in four
// without the edge cases, one in five without the plan; varied names. With
// `sovrapposizioni`, records that write over each other's cells
// (parametri_generatore::sovrapposizioni), and one seed in three without the plan.
caso_giro caso_del_seme(std::uint64_t seme, bool sovrapposizioni = false);

std::string descrizione_caso(const caso_giro& c);

esito_giro giro_generato(const caso_giro& c);

// The binary scenario files, byte for byte.
#include <gtest/gtest.h>

#include <filesystem>
#include <initializer_list>

#include "sources/errore_esecuzione.h"
#include "supporto.h"
#include "track/scrittura_binaria.h"

namespace {

std::string byte(std::initializer_list<int> b) {
    std::string s;
    for (const int x : b) s.push_back(static_cast<char>(x));
    return s;
}

TEST(ScritturaBinaria, SignalCell) {
    cella c;
    c.tipo = 1;
    c.valore1 = 42;
    c.valore2 = 11;
    c.valore3 = 0;
    c.valore4 = 8;
    EXPECT_EQ(bytes_tracciato({c}), byte({0x01, 0x2A, 0x00, 0x0B, 0x00, 0x00, 0x00, 0x08, 0x00, 0x00, 0x00, 0x00, 0x00,
                                          0x00, 0x00}));
}

TEST(ScritturaBinaria, EveryCellFieldInItsPlaceAndNegativeValues) {
    cella c;
    c.tipo = 0xFE;
    c.valore1 = -1;
    c.valore2 = -32768;
    c.valore3 = 0x1234;
    c.valore4 = 32767;
    c.tempo_segnale = 1;
    c.avviso = 2;
    c.montagna = 3;
    c.vel_limite = 4;
    c.pendenza = 5;
    c.aderenza = 0xFF;
    EXPECT_EQ(bytes_tracciato({cella{}, c}),
              std::string(15, '\0') + byte({0xFE, 0xFF, 0xFF, 0x00, 0x80, 0x34, 0x12, 0xFF, 0x7F, 1, 2, 3, 4, 5, 0xFF}));
}

TEST(ScritturaBinaria, TrainEntryOfTheEmbeddedScenario) {
    voce_scenario v;
    v.valore1 = 0;
    v.valore2 = 26000;
    v.valore3 = 4;
    v.nome = "30742";
    v.par1 = 300;
    v.par3 = 20;
    v.par4 = 8;
    v.par5 = 30;
    std::string b;
    aggiungi_voce(b, v, "x.sim");
    EXPECT_EQ(b, byte({0x00, 0x00, 0x00, 0x00, 0x00, 0x90, 0x65, 0x00, 0x00, 0x04, 0x00, 0x00, 0x00,
                       0x00, 0x05, 0x00, 0x33, 0x30, 0x37, 0x34, 0x32, 0x2C, 0x01, 0x00, 0x00, 0x14,
                       0x00, 0x08, 0x00, 0x1E, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}));
}

TEST(ScritturaBinaria, EveryEntryFieldInItsPlace) {
    voce_scenario v;
    v.tipo = 2;
    v.valore1 = -2;
    v.valore2 = 0x01020304;
    v.valore3 = 7;
    v.marca = 9;
    v.nome = "Citt\xE0";
    v.par1 = -1;
    v.par2 = 2;
    v.par3 = 3;
    v.par4 = 4;
    v.par5 = 5;
    v.opz1 = 6;
    v.opz2 = 7;
    v.opz3 = 8;
    v.opz4 = 9;
    v.valore4 = 30600;
    std::string b;
    aggiungi_voce(b, v, "x.sim");
    EXPECT_EQ(b, byte({2, 0xFE, 0xFF, 0xFF, 0xFF, 4, 3, 2, 1, 7, 0, 0, 0, 9, 5, 0}) + "Citt\xE0" +
                     byte({0xFF, 0xFF, 2, 0, 3, 0, 4, 0, 5, 0, 6, 7, 8, 9, 0x88, 0x77, 0, 0}));
}

TEST(ScritturaBinaria, TableSizeIsThirtyFourBytesAnEntryPlusTheNames) {
    std::array<voce_scenario, voci_scenario> s{};
    EXPECT_EQ(bytes_scenario(s, "x.sim").size(), 87u * 34u);
    s[85].nome = "Tava Aeroporto-Rovea";
    s[86].nome = "30742";
    s[1].nome = "Tava";
    const std::string b = bytes_scenario(s, "x.sim");
    EXPECT_EQ(b.size(), 87u * 34u + 20u + 5u + 4u);
    // Entry 85 begins after 85 entries, one of them 4 bytes longer, and takes 54 bytes.
    const std::size_t inizio85 = 85 * 34 + 4;
    EXPECT_EQ(b.substr(inizio85 + 14, 2), byte({20, 0}));
    EXPECT_EQ(b.substr(inizio85 + 16, 20), "Tava Aeroporto-Rovea");
    EXPECT_EQ(b.size() - inizio85, 54u + 39u);
}

TEST(ScritturaBinaria, ANameTooLongForItsLengthFieldIsRefused) {
    cartella_temporanea dir;
    const std::string percorso = dir.file("a_1.sim");
    std::array<voce_scenario, voci_scenario> s{};
    s[3].nome.assign(65535, 'x');
    scrivi_scenario(dir.disco(), "a_1.sim", s);
    EXPECT_EQ(leggi_tutto(percorso).size(), 87u * 34u + 65535u);

    s[3].nome.push_back('x');
    try {
        scrivi_scenario(dir.disco(), "a_1.sim", s);
        ADD_FAILURE() << "no failure";
    } catch (const errore_esecuzione& e) {
        EXPECT_EQ(e.percorso, percorso);
    }
    EXPECT_EQ(leggi_tutto(percorso).size(), 87u * 34u + 65535u);  // left as it was
}

// A plan of lunghezza_totale 4 as the compiler leaves it: Integer seeds,
// Doubles for metre 2, nothing for the last two metres.
planimetria_linea piccola_planimetria() {
    planimetria_linea p;
    p.ultimo_metro = 4;
    p.tipi.assign(10, tipo_valore::vuoto);
    p.valori.assign(10, 0.0);
    auto metti = [&](int metro, int coord, tipo_valore t, double v) {
        p.tipi[elemento_planimetria(p, metro, coord)] = t;
        p.valori[elemento_planimetria(p, metro, coord)] = v;
    };
    metti(0, 0, tipo_valore::intero, 0);
    metti(1, 0, tipo_valore::intero, 0);
    metti(0, 1, tipo_valore::intero, 0);
    metti(1, 1, tipo_valore::intero, 1);
    metti(2, 0, tipo_valore::doppio, 1.5);
    metti(2, 1, tipo_valore::doppio, -0.25);
    return p;
}

TEST(ScritturaBinaria, PlanTagsAndValues) {
    const std::string b = bytes_planimetria(piccola_planimetria(), "x_linea.dat");
    EXPECT_EQ(b.size(), 20u * 4u - 36u);
    EXPECT_EQ(b, byte({2, 0, 0, 0,                                    // x(0) Integer 0
                       2, 0, 0, 0,                                    // x(1) Integer 0
                       5, 0, 0, 0, 0, 0, 0, 0, 0xF8, 0x3F,            // x(2) Double 1.5
                       0, 0,                                          // x(3) no value
                       0, 0,                                          // x(4) no value
                       2, 0, 0, 0,                                    // y(0) Integer 0
                       2, 0, 1, 0,                                    // y(1) Integer 1
                       5, 0, 0, 0, 0, 0, 0, 0, 0xD0, 0xBF,            // y(2) Double -0.25
                       0, 0, 0, 0}));
}

TEST(ScritturaBinaria, PlanSizeForAFullPlan) {
    // lunghezza_totale 29000: 20 x 29000 - 36 bytes.
    planimetria_linea p;
    p.ultimo_metro = 29000;
    p.tipi.assign(2 * 29001, tipo_valore::doppio);
    p.valori.assign(2 * 29001, 0.5);
    for (const int c : {0, 1}) {
        for (const int metro : {0, 1}) p.tipi[elemento_planimetria(p, metro, c)] = tipo_valore::intero;
        for (const int metro : {28999, 29000}) p.tipi[elemento_planimetria(p, metro, c)] = tipo_valore::vuoto;
    }
    for (int metro = 0; metro <= 1; ++metro) p.valori[elemento_planimetria(p, metro, 0)] = 0;
    for (int metro = 0; metro <= 1; ++metro) p.valori[elemento_planimetria(p, metro, 1)] = metro;
    EXPECT_EQ(bytes_planimetria(p, "x").size(), 579964u);
}

TEST(ScritturaBinaria, AnOlderLongerFileIsReplaced) {
    cartella_temporanea dir;
    const std::string percorso = dir.file("Linea_1.dat");
    scrivi_tutto(percorso, std::string(100000, 'z'));
    std::vector<cella> t(3);
    t[1].valore1 = -1;
    scrivi_tracciato(dir.disco(), "Linea_1.dat", t);
    const std::string b = leggi_tutto(percorso);
    ASSERT_EQ(b.size(), 45u);
    EXPECT_EQ(b.substr(15, 3), byte({0, 0xFF, 0xFF}));
    EXPECT_EQ(b.find('z'), std::string::npos);

    const std::string piano = dir.file("Linea_linea.dat");
    scrivi_tutto(piano, std::string(1000, 'z'));
    scrivi_planimetria(dir.disco(), "Linea_linea.dat", piccola_planimetria());
    EXPECT_EQ(leggi_tutto(piano), bytes_planimetria(piccola_planimetria(), piano));
}

TEST(ScritturaBinaria, AFileThatCannotBeWrittenFailsNamingIt) {
    cartella_temporanea dir;
    const std::string percorso = dir.file("manca") + "/a_1.dat";
    try {
        scrivi_tracciato(piattaforma::cartella_su_disco(dir.file("manca")), "a_1.dat", std::vector<cella>(2));
        ADD_FAILURE() << "no failure";
    } catch (const errore_esecuzione& e) {
        EXPECT_EQ(e.percorso, percorso);
    }
}

TEST(ScritturaBinaria, AnIntegerPlanPointOutsideSixteenBitsIsRefused) {
    planimetria_linea p = piccola_planimetria();
    p.valori[elemento_planimetria(p, 1, 1)] = 40000;
    EXPECT_THROW(bytes_planimetria(p, "x"), errore_esecuzione);
    p.valori[elemento_planimetria(p, 1, 1)] = 0.5;
    EXPECT_THROW(bytes_planimetria(p, "x"), errore_esecuzione);
}

}  // namespace

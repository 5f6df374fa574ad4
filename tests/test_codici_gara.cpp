// The two check codes of a scenario.
#include <gtest/gtest.h>

#include "track/codici_gara.h"

namespace {

modello_scenario con_nomi(const std::string& linea, const std::string& treno) {
    modello_scenario m;
    m.scenario[voce::dati_linea].nome = linea;
    m.scenario[voce::dati_treno].nome = treno;
    return m;
}

struct codici {
    std::int32_t og, st;
    bool operator==(const codici&) const = default;
};

codici calcola(const std::string& linea, const std::string& treno) {
    auto m = con_nomi(linea, treno);
    return {codice_gara_og(m), codice_gara_st(m)};
}

TEST(CodiciGara, WorkedExample) {
    auto m = con_nomi("ab", "1");
    EXPECT_EQ(codice_gara_og(m), 2496);
    EXPECT_EQ(codice_gara_st(m), 33703);
    EXPECT_EQ(chiave_codici("1", "ab"), "1abaabbccddeeffgghhiillmmnnoo");
}

TEST(CodiciGara, EmbeddedScenario) {
    auto m = con_nomi("Tava Aeroporto-Rovea", "30742");
    EXPECT_EQ(codice_gara_og(m), 2289);
    EXPECT_EQ(codice_gara_st(m), 32487);
    EXPECT_EQ(chiave_codici("30742", "Tava Aeroporto-Rovea"), "30742tava aeroporto-roveaaabbccddeeffgghhiillmmnnoo");
}

TEST(CodiciGara, LetterCaseDoesNotCount) {
    EXPECT_EQ(calcola("AB", "1"), (codici{2496, 33703}));
    EXPECT_EQ(calcola("TAVA AEROPORTO-ROVEA", "30742"), calcola("tava aeroporto-rovea", "30742"));
}

TEST(CodiciGara, OnlyTheFirstTwentyFiveCharactersCount) {
    EXPECT_EQ(calcola("Tava Aeroporto-Rovea", "30742"), calcola("Tava Aeroporto-Rovea and more", "30742"));
    EXPECT_EQ(calcola("x", "1234567890123456789012345"), calcola("y", "1234567890123456789012345"));
    EXPECT_NE(calcola("x", "123456789012345678901234"), calcola("y", "123456789012345678901234"));
    EXPECT_EQ(calcola("", ""), calcola("aabbccddeeffgghhiillmmnno", ""));
    EXPECT_EQ(calcola("", ""), (codici{2583, 34355}));
}

TEST(CodiciGara, SwappingTheNamesKeepsTheSumAndChangesTheWeightedSum) {
    const codici a = calcola("ab", "1");
    const codici b = calcola("1", "ab");
    EXPECT_EQ(a.og, b.og);
    EXPECT_EQ(b.st, 33606);
}

TEST(CodiciGara, CharacterCodesAreBytesOfWindows1252) {
    // Capitals of the code page go to their small letters; everything else stays.
    const std::pair<unsigned char, unsigned char> casi[] = {
        {'A', 'a'},   {'Z', 'z'},   {'@', '@'},   {'[', '['},   {0xC0, 0xE0}, {0xC8, 0xE8}, {0xD6, 0xF6},
        {0xD7, 0xD7}, {0xD8, 0xF8}, {0xDE, 0xFE}, {0xDF, 0xDF}, {0xE0, 0xE0}, {0x8A, 0x9A}, {0x8C, 0x9C},
        {0x8E, 0x9E}, {0x9F, 0xFF}, {0x80, 0x80}, {0xFF, 0xFF}, {0x00, 0x00}, {'7', '7'},
    };
    for (const auto& [da, a] : casi) EXPECT_EQ(minuscola_1252(da), a) << int(da);

    // A byte above 127 counts with its unsigned value: "\xC8" lower-cases to
    // 0xE8 = 232, then 24 characters of the filler.
    auto m = con_nomi("\xC8", "");
    EXPECT_EQ(codice_gara_og(m), 2704);
    EXPECT_EQ(chiave_codici("", "\xC8").substr(0, 3), "\xE8" "aa");
}

}  // namespace

// Gradients, mountains, speed indicators and signs of the line body, through
// the line phase.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "prova_linea.h"

namespace {

// Gradient + 100 of every cell of the track.
std::vector<int> pendenze(const prova_linea& p) {
    std::vector<int> v;
    for (const cella& c : p.m.tracciato) v.push_back(c.pendenza);
    return v;
}

// A track of `celle` + 1 cells holding `valore` from cell `da` to `a`, the
// runs listed one after the other.
struct tratto {
    int da, a, valore;
};
std::vector<int> attese(int celle, const std::vector<tratto>& tratti) {
    std::vector<int> v(static_cast<std::size_t>(celle) + 1, 0);
    for (const tratto& t : tratti)
        for (int i = t.da; i <= t.a; ++i) v[static_cast<std::size_t>(i)] = t.valore;
    return v;
}

TEST(Pendenze, BreakPointsFillTheCellsBeforeThem) {
    struct caso {
        const char* nome;
        std::string corpo;
        std::vector<tratto> tratti;  // on a track of cells 0 to 160
    };
    const caso casi[] = {
        {"no gradient records", "", {{0, 157, 100}}},
        {"at 0, then 3500", "pendenza, 0, 2\r\npendenza, 3500, 0\r\n", {{0, 69, 102}, {70, 157, 100}}},
        {"at 0 only sets the last gradient", "pendenza, 0, -5\r\n", {{0, 157, 95}}},
        {"a cell number of 0 fills nothing", "pendenza, 0, 1\r\npendenza, 20, 4\r\n", {{0, 157, 104}}},
        {"negative position fills nothing", "pendenza, -400, 5\r\n", {{0, 157, 105}}},
        {"decreasing: one cell per record", "pendenza, 1000, 2\r\npendenza, 500, 4\r\npendenza, 60, 6\r\n",
         {{0, 19, 100}, {20, 20, 102}, {21, 21, 104}, {22, 157, 106}}},
        {"ties to even: 1025 is cell 20", "pendenza, 1025, 1\r\n", {{0, 19, 100}, {20, 157, 101}}},
        {"ties to even: 1075 is cell 22", "pendenza, 1075, 1\r\n", {{0, 21, 100}, {22, 157, 101}}},
        {"gradient 155 and -100 as bytes", "pendenza, 100, 155\r\npendenza, 200, -100\r\n",
         {{0, 1, 100}, {2, 3, 255}, {4, 157, 0}}},
        {"a gradient outside -100..155 keeps its low byte", "pendenza, 100, 200\r\n", {{0, 1, 100}, {2, 157, 44}}},
        {"a refused position leaves the later records unread",
         "pendenza, 500, 3\r\npendenza, 7901, 5\r\npendenza, 7000, 9\r\n", {{0, 9, 100}, {10, 157, 103}}},
    };
    for (const caso& c : casi) {
        prova_linea p;
        p.scrivi(file_linea(lunghezza_linea(1000), c.corpo));
        ASSERT_TRUE(p.fase()) << c.nome;
        EXPECT_EQ(pendenze(p), attese(160, c.tratti)) << c.nome;
    }
}

TEST(Pendenze, TheClosingFillRunsAtLeastOnce) {
    prova_linea p;
    // Cells 0 to 140: the cursor reaches the last cell, which the closing fill still writes.
    p.scrivi(file_linea(lunghezza_linea(0), "pendenza, 6900, 1\r\npendenza, 50, 2\r\npendenza, 50, 3\r\n"));
    ASSERT_TRUE(p.fase());
    EXPECT_EQ(pendenze(p), attese(140, {{0, 137, 100}, {138, 138, 101}, {139, 139, 102}, {140, 140, 103}}));

    prova_linea q;
    q.scrivi(file_linea(lunghezza_linea(-6900), ""));  // cells 0 to 2
    ASSERT_TRUE(q.fase());
    EXPECT_EQ(pendenze(q), attese(2, {{0, 0, 100}}));
}

TEST(Montagne, SpansFromTheFileAndTheirMarks) {
    prova_linea p;
    p.scrivi(file_linea(lunghezza_linea(22000),
                        "montagna,   13000,  13050,  2\r\nmontagna,   13200,  13700,  15\r\n"
                        "montagna,   15000,  15025,  1\r\nmontagna,   15450,  15475,  6\r\n"));
    ASSERT_TRUE(p.fase());
    EXPECT_EQ(p.m.numero_montagne, 4);
    EXPECT_EQ(p.c(260).montagna, 2);
    EXPECT_EQ(p.c(261).montagna, 0);
    // 150 m after the first: kind 3, marks kept.
    for (int i = 264; i <= 273; ++i) {
        EXPECT_EQ(p.c(i).montagna, 3) << i;
        EXPECT_EQ(p.c(i).tipo, i == 267 || i == 271 ? tipo_cella::marca_montagna : 0) << i;
    }
    EXPECT_EQ(p.c(300).montagna, 1);  // 15000 to 15025: one cell
    EXPECT_EQ(p.c(308).montagna, 0);  // 15450 to 15475: first 309, last 308.5 -> 308: no cell
    EXPECT_EQ(p.c(309).montagna, 0);
    EXPECT_EQ(p.m.montagne_inizio[4], 15450);
}

TEST(Cartelli, SignsGoToTheCellAfterTheirPositionAndTheirTextsDownFromEntry80) {
    prova_linea p;
    p.scrivi(file_linea(lunghezza_linea(22000),
                        "montagna, 0, 800, 11\r\n"
                        "cartello_indicatore,  500,   ( PASSAGGIO A)(  LIVELLO   )\r\n"
                        "cartello_indicatore,  75,  Secondo  \r\n"
                        "cartello_indicatore,  125,Terzo\r\n"));
    ASSERT_TRUE(p.fase());
    EXPECT_EQ(p.c(11).tipo, tipo_cella::cartello);  // replaces the mountain mark
    EXPECT_EQ(p.c(11).montagna, 1);
    EXPECT_EQ(p.c(11).valore1, 80);
    EXPECT_EQ(p.c(2).valore1, 79);  // 1.5 + 1 -> 2
    EXPECT_EQ(p.c(4).valore1, 78);  // 2.5 + 1 -> 4
    EXPECT_EQ(p.c(3).tipo, tipo_cella::marca_montagna);
    EXPECT_EQ(p.m.scenario[voce::primo_cartello].nome, "( PASSAGGIO A)(  LIVELLO   )");
    EXPECT_EQ(p.m.scenario[79].nome, "Secondo  ");
    EXPECT_EQ(p.m.scenario[78].nome, "Terzo");
}

TEST(Cartelli, ASignOnAMountainMarkFromTheFileReplacesIt) {
    prova_linea p;
    p.scrivi(file_linea(lunghezza_linea(1000), "montagna, 0, 800, 11\r\ncartello_indicatore, 500, A\r\n"
                                               "cartello_indicatore, 700, B\r\n"));
    ASSERT_TRUE(p.fase());
    EXPECT_EQ(p.c(11).tipo, tipo_cella::cartello);
    EXPECT_EQ(p.c(15).tipo, tipo_cella::cartello);
}

TEST(Indicatori, SpeedIndicatorsFromTheFile) {
    prova_linea p;
    p.scrivi(file_linea(lunghezza_linea(22000), "indicatori_v, 1000, 1, 2, 3, 1, 30, 0, 7, 2\r\n"));
    ASSERT_TRUE(p.fase());
    const cella& c = p.c(21);
    EXPECT_EQ(c.tipo, tipo_cella::indicatori_v_max);
    EXPECT_EQ(c.valore1, 26);
    EXPECT_EQ(c.valore2, 40);
    EXPECT_EQ(c.valore3, 61);  // 60 + 1.4
    EXPECT_EQ(c.valore4, 12);
}

TEST(CorpoLinea, OneFieldMayMatchSeveralRecords) {
    prova_linea p;
    p.scrivi(file_linea(lunghezza_linea(1000), "pendenza montagna, 500, 7, 1000, 1100, 2\r\n"));
    ASSERT_TRUE(p.fase());
    EXPECT_EQ(p.pendenza(10), 107);
    EXPECT_EQ(p.c(20).montagna, 2);
}

}  // namespace

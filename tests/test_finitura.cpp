// The finishing pass: boards in front of signals and around slowdowns.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "track/finitura.h"

namespace {

using tabelle_t = std::vector<std::pair<int, int>>;  // (cell, valore1) of every kind-12 cell

modello_scenario pista(int celle) {
    modello_scenario m;
    m.tracciato.assign(static_cast<std::size_t>(celle), cella{});
    m.numero_celle = celle - 1;
    return m;
}

void metti(modello_scenario& m, int i, std::uint8_t tipo, std::int16_t valore1 = 0) {
    m.tracciato[static_cast<std::size_t>(i)].tipo = tipo;
    m.tracciato[static_cast<std::size_t>(i)].valore1 = valore1;
}

// A slowdown as the compiler leaves it: start (kind 3, with its speed) and end (kind 2).
void rallentamento(modello_scenario& m, int inizio, int fine, std::int16_t velocita) {
    metti(m, inizio, tipo_cella::inizio_rallentamento, velocita);
    metti(m, fine, tipo_cella::fine_rallentamento, velocita);
}

tabelle_t tabelle(const modello_scenario& m) {
    tabelle_t t;
    for (std::size_t i = 0; i < m.tracciato.size(); ++i) {
        if (m.tracciato[i].tipo == tipo_cella::tabella_con_valore) t.emplace_back(static_cast<int>(i), m.tracciato[i].valore1);
    }
    return t;
}

constexpr std::uint8_t segnale = tipo_cella::segnale;
constexpr std::uint8_t avviso = tipo_cella::avviso_rallentamento;
constexpr std::uint8_t occupata = tipo_cella::cartello;

TEST(Minimo, TheSmallerValueATieGivesTheFirst) {
    EXPECT_EQ(minimo(180, 120), 120);
    EXPECT_EQ(minimo(180, 200), 180);
    EXPECT_EQ(minimo(180, 180), 180);
    EXPECT_EQ(minimo(180, -5), -5);
}

// ---- Rule A ----

TEST(RegolaA, ASignalGetsABoardInTheCellBeforeItOrTheOneBeforeThat) {
    auto m = pista(60);
    metti(m, 30, avviso);
    metti(m, 25, segnale);
    metti(m, 20, segnale);
    metti(m, 19, occupata);
    metti(m, 15, segnale);
    metti(m, 14, tipo_cella::marca_montagna);  // a mountain mark is free
    finitura_tracciato(m);
    EXPECT_EQ(tabelle(m), (tabelle_t{{14, 180}, {18, 180}, {24, 180}}));
    EXPECT_EQ(m.codice_errore, 0);
}

TEST(RegolaA, LooksBackTwentyCellsAndNoFurther) {
    auto m = pista(60);
    metti(m, 40, avviso);
    metti(m, 20, segnale);  // d = 20
    finitura_tracciato(m);
    EXPECT_EQ(tabelle(m), (tabelle_t{{19, 180}}));

    auto m2 = pista(60);
    metti(m2, 40, avviso);
    metti(m2, 19, segnale);  // d = 21: not seen
    finitura_tracciato(m2);
    EXPECT_EQ(tabelle(m2), tabelle_t{});
}

TEST(RegolaA, TheLookBackStopsBelowCellThree) {
    // A warning board in cell 10 looks at cells 9 down to 3 only.
    auto m = pista(40);
    metti(m, 10, avviso);
    metti(m, 3, segnale);
    finitura_tracciato(m);
    EXPECT_EQ(tabelle(m), (tabelle_t{{2, 180}}));

    auto m2 = pista(40);
    metti(m2, 10, avviso);
    metti(m2, 3, segnale);
    metti(m2, 2, occupata);
    finitura_tracciato(m2);
    EXPECT_EQ(tabelle(m2), (tabelle_t{{1, 180}}));

    auto m3 = pista(40);
    metti(m3, 10, avviso);
    metti(m3, 2, segnale);  // below 3: never looked at
    finitura_tracciato(m3);
    EXPECT_EQ(tabelle(m3), tabelle_t{});
}

TEST(RegolaA, BothCellsTakenLowersAnExistingBoardOrFails) {
    struct caso {
        std::uint8_t tipo1, tipo2;  // cells s - 1 and s - 2
        std::int16_t valore1, valore2;
        std::int16_t atteso1, atteso2;
        std::int32_t codice;
    };
    const caso casi[] = {
        {12, 12, 120, 300, 120, 300, 0},        // nearer board 120 stays
        {12, 12, 200, 300, 180, 300, 0},        // nearer board 200 lowered; the farther one untouched
        {13, 12, 7, 250, 7, 180, 0},            // nearer not a valued board: the farther one is lowered
        {occupata, 13, 9, 9, 9, 9, 11},         // no board to lower
    };
    for (const caso& c : casi) {
        auto m = pista(60);
        metti(m, 30, avviso);
        metti(m, 25, segnale);
        metti(m, 24, c.tipo1, c.valore1);
        metti(m, 23, c.tipo2, c.valore2);
        finitura_tracciato(m);
        EXPECT_EQ(m.tracciato[24].valore1, c.atteso1);
        EXPECT_EQ(m.tracciato[23].valore1, c.atteso2);
        EXPECT_EQ(m.tracciato[24].tipo, c.tipo1);
        EXPECT_EQ(m.tracciato[23].tipo, c.tipo2);
        EXPECT_EQ(m.codice_errore, c.codice);
        EXPECT_EQ(m.posizione_errore, c.codice == 0 ? 0 : 25 * 50);
    }
}

TEST(RegolaA, AFailureDoesNotStopTheOtherSignals) {
    auto m = pista(60);
    metti(m, 30, avviso);
    metti(m, 28, segnale);
    metti(m, 27, occupata);
    metti(m, 26, occupata);
    metti(m, 22, segnale);
    finitura_tracciato(m);
    EXPECT_EQ(tabelle(m), (tabelle_t{{21, 180}}));
    EXPECT_EQ(m.codice_errore, 11);
    EXPECT_EQ(m.posizione_errore, 28 * 50);
}

// ---- Rule B1 ----

TEST(RegolaB1, WindowsDependOnTheStartCell) {
    struct caso {
        int inizio;
        tabelle_t attese;
    };
    const caso casi[] = {
        {7, {}},
        {8, {{3, 180}}},
        {13, {{8, 180}}},
        {14, {{3, 180}, {9, 180}}},
        {20, {{9, 180}, {15, 180}}},
        {21, {{3, 180}, {10, 180}, {16, 180}}},
    };
    for (const caso& c : casi) {
        auto m = pista(80);
        rallentamento(m, c.inizio, c.inizio + 5, 110);  // no repeat boards at 110
        finitura_tracciato(m);
        EXPECT_EQ(tabelle(m), c.attese) << "start in cell " << c.inizio;
        EXPECT_EQ(m.codice_errore, 0);
    }
}

TEST(RegolaB1, EachWindowTakesItsFirstFreeCell) {
    auto m = pista(80);
    rallentamento(m, 8, 12, 120);
    metti(m, 3, occupata);
    metti(m, 2, tipo_cella::marca_montagna);
    finitura_tracciato(m);
    EXPECT_EQ(tabelle(m), (tabelle_t{{2, 180}}));

    auto m2 = pista(80);
    rallentamento(m2, 8, 12, 120);
    metti(m2, 3, occupata);
    metti(m2, 2, occupata);
    finitura_tracciato(m2);
    EXPECT_EQ(tabelle(m2), (tabelle_t{{1, 180}}));
}

TEST(RegolaB1, AFullWindowFailsAndTheOthersStillGetTheirBoards) {
    auto m = pista(80);
    rallentamento(m, 30, 35, 120);
    metti(m, 25, occupata);
    metti(m, 24, occupata);
    metti(m, 23, segnale);
    finitura_tracciato(m);
    EXPECT_EQ(tabelle(m), (tabelle_t{{12, 180}, {19, 180}}));
    EXPECT_EQ(m.codice_errore, 12);
    EXPECT_EQ(m.posizione_errore, 30 * 50);
}

// ---- Rule B2 ----

TEST(RegolaB2, RepeatBoardsEveryEightCellsUntilTheEnd) {
    auto m = pista(200);
    rallentamento(m, 100, 120, 100);
    finitura_tracciato(m);
    EXPECT_EQ(tabelle(m), (tabelle_t{{82, 180}, {89, 180}, {95, 180}, {108, 180}, {116, 180}}));

    auto corta = pista(200);
    rallentamento(corta, 100, 107, 100);
    finitura_tracciato(corta);
    EXPECT_EQ(tabelle(corta), (tabelle_t{{82, 180}, {89, 180}, {95, 180}}));

    // The end cell itself may take the 8th place only when it is not there.
    auto esatta = pista(200);
    rallentamento(esatta, 100, 108, 100);
    finitura_tracciato(esatta);
    EXPECT_EQ(tabelle(esatta), (tabelle_t{{82, 180}, {89, 180}, {95, 180}, {107, 180}}));
}

TEST(RegolaB2, NoRepeatBoardsAtOneHundredTenOrMore) {
    for (const std::int16_t v : std::initializer_list<std::int16_t>{110, 111, 200}) {
        auto m = pista(200);
        rallentamento(m, 100, 130, v);
        metti(m, 132, segnale);
        finitura_tracciato(m);
        EXPECT_EQ(tabelle(m), (tabelle_t{{82, 180}, {89, 180}, {95, 180}})) << v;
    }
    auto m = pista(200);
    rallentamento(m, 100, 130, 109);
    finitura_tracciato(m);
    EXPECT_EQ(tabelle(m).size(), 3u + 3u);
}

TEST(RegolaB2, AnOccupiedCandidateMovesTheBoardAndKeepsTheSpacing) {
    // 8th occupied, 7th free: board in the 7th, next candidate the 15th.
    auto m = pista(200);
    rallentamento(m, 100, 125, 60);
    metti(m, 108, occupata);
    finitura_tracciato(m);
    EXPECT_EQ(tabelle(m), (tabelle_t{{82, 180}, {89, 180}, {95, 180}, {107, 180}, {115, 180}, {123, 180}}));

    // 8th and 7th occupied, 9th free: board in the 9th, next candidate the 17th.
    auto m2 = pista(200);
    rallentamento(m2, 100, 125, 60);
    metti(m2, 108, occupata);
    metti(m2, 107, occupata);
    finitura_tracciato(m2);
    EXPECT_EQ(tabelle(m2), (tabelle_t{{82, 180}, {89, 180}, {95, 180}, {109, 180}, {117, 180}, {124, 180}}));
}

TEST(RegolaB2, ThreeOccupiedCandidatesFailAndEndTheRepeatBoards) {
    auto m = pista(200);
    rallentamento(m, 100, 140, 60);
    metti(m, 107, occupata);
    metti(m, 108, occupata);
    metti(m, 109, occupata);
    finitura_tracciato(m);
    EXPECT_EQ(tabelle(m), (tabelle_t{{82, 180}, {89, 180}, {95, 180}}));
    EXPECT_EQ(m.codice_errore, 13);
    EXPECT_EQ(m.posizione_errore, 108 * 50);
}

TEST(RegolaB2, AWalkWithoutAnEndCellStopsAtTheLastCell) {
    // A slowdown start without an end cell: the walk places its boards up to
    // the last cell and touches nothing beyond it; no board before a signal.
    auto m = pista(120);  // cells 0 to 119
    metti(m, 100, tipo_cella::inizio_rallentamento, 50);
    metti(m, 117, segnale);
    finitura_tracciato(m);
    EXPECT_EQ(tabelle(m), (tabelle_t{{82, 180}, {89, 180}, {95, 180}, {108, 180}, {116, 180}}));
    EXPECT_EQ(m.codice_errore, 0);
    EXPECT_EQ(ripetizione_b2(m, 100), -1);
}

TEST(RegolaB2, ACandidateOnTheLastCellTreatsTheCellBeyondAsOccupied) {
    auto m = pista(109);  // last cell 108
    metti(m, 100, tipo_cella::inizio_rallentamento, 50);
    metti(m, 108, occupata);
    metti(m, 107, occupata);
    EXPECT_EQ(ripetizione_b2(m, 100), -1);
    EXPECT_EQ(m.codice_errore, 13);
    EXPECT_EQ(m.posizione_errore, 108 * 50);
    EXPECT_EQ(m.tracciato.size(), 109u);
    EXPECT_EQ(tabelle(m), tabelle_t{});
}

// ---- Rule B3 ----

TEST(RegolaB3, BoardBeforeTheFirstSignalAfterTheEnd) {
    struct caso {
        std::vector<int> occupate;
        int cella_attesa;  // -1: none
        std::int32_t codice;
    };
    const caso casi[] = {
        {{}, 129, 0},
        {{129}, 128, 0},
        {{129, 128}, -1, 13},
    };
    for (const caso& c : casi) {
        auto m = pista(200);
        rallentamento(m, 110, 125, 100);  // repeat board in 118
        metti(m, 130, segnale);
        metti(m, 135, segnale);
        for (const int o : c.occupate) metti(m, o, occupata);
        finitura_tracciato(m);
        tabelle_t attese{{92, 180}, {99, 180}, {105, 180}, {118, 180}};
        if (c.cella_attesa >= 0) attese.emplace_back(c.cella_attesa, 180);
        EXPECT_EQ(tabelle(m), attese);
        EXPECT_EQ(m.codice_errore, c.codice);
        if (c.codice != 0) {
            EXPECT_EQ(m.posizione_errore, 125 * 50);
        }
        EXPECT_EQ(m.tracciato[134].tipo, tipo_cella::libero);  // only the first signal counts
    }
}

TEST(RegolaB3, LooksTwelveCellsPastTheEnd) {
    auto m = pista(200);
    rallentamento(m, 110, 114, 100);
    metti(m, 126, segnale);  // end + 12
    finitura_tracciato(m);
    EXPECT_EQ(m.tracciato[125].tipo, tipo_cella::tabella_con_valore);

    auto m2 = pista(200);
    rallentamento(m2, 110, 114, 100);
    metti(m2, 127, segnale);  // end + 13
    finitura_tracciato(m2);
    EXPECT_EQ(m2.tracciato[126].tipo, tipo_cella::libero);
}

TEST(RegolaB3, TheSearchStopsAtTheLastCell) {
    auto m = pista(130);  // last cell 129
    rallentamento(m, 110, 125, 100);
    segnale_dopo_b3(m, 125);
    EXPECT_EQ(m.tracciato.size(), 130u);
    EXPECT_EQ(m.codice_errore, 0);
    metti(m, 129, segnale);
    segnale_dopo_b3(m, 125);
    EXPECT_EQ(m.tracciato[128].tipo, tipo_cella::tabella_con_valore);
}

// ---- The pass ----

TEST(Finitura, CoversCellsOneToTheThirdLastAndLaterCellsSeeEarlierBoards) {
    auto m = pista(60);  // last cell 59: cells 1 to 57 are finished
    metti(m, 58, avviso);
    metti(m, 56, segnale);
    finitura_tracciato(m);
    EXPECT_EQ(tabelle(m), tabelle_t{});
    metti(m, 56, tipo_cella::libero);
    metti(m, 57, avviso);
    metti(m, 40, segnale);
    finitura_tracciato(m);
    EXPECT_EQ(tabelle(m), (tabelle_t{{39, 180}}));

    // A board from rule B of an earlier cell occupies the cell before a signal
    // seen by rule A of a later cell.
    auto m2 = pista(80);
    rallentamento(m2, 30, 34, 120);  // B1 board in cell 25
    metti(m2, 26, segnale);
    metti(m2, 40, avviso);
    finitura_tracciato(m2);
    EXPECT_EQ(tabelle(m2), (tabelle_t{{12, 180}, {19, 180}, {24, 180}, {25, 180}}));
}

TEST(Finitura, ChangesOnlyKindAndFirstValue) {
    auto m = pista(200);
    for (auto& c : m.tracciato) {
        c.pendenza = 101;
        c.vel_limite = 20;
        c.aderenza = 100;
        c.valore2 = 3;
    }
    rallentamento(m, 100, 120, 100);
    finitura_tracciato(m);
    for (const auto& c : m.tracciato) {
        EXPECT_EQ(c.pendenza, 101);
        EXPECT_EQ(c.vel_limite, 20);
        EXPECT_EQ(c.aderenza, 100);
        EXPECT_EQ(c.valore2, 3);
    }
}

TEST(Finitura, ATinyTrackIsLeftAlone) {
    for (const int celle : {0, 1, 2, 3}) {
        auto m = pista(celle);
        finitura_tracciato(m);
        EXPECT_EQ(m.tracciato.size(), static_cast<std::size_t>(celle));
    }
}

}  // namespace

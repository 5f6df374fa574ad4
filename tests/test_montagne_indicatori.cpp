#include <gtest/gtest.h>

#include <cstdint>

#include "compiler/compilazione.h"
#include "compiler/record.h"
#include "sources/errore_esecuzione.h"

namespace {

// A model with the track of a 22000 m line: cells 0 to 580.
modello_scenario con_tracciato() {
    modello_scenario m;
    m.numero_celle = 580;
    m.tracciato.assign(581, cella{});
    return m;
}

void montagna(modello_scenario& m, std::int32_t inizio, std::int32_t fine, std::int32_t tipo) {
    memo_montagna(m, {inizio, fine, tipo});
}

using indicatori = record_indicatori;

// Places the boards; a refused cell raises status 21 as the line phase does.
void indica(modello_scenario& m, std::int32_t posizione, indicatori v) {
    v.posizione = posizione;
    const posa e = memo_indicatori_v_max(m, v);
    if (e.codice != stato::nessuno) m.codice_errore = numero(e.codice);
}

TEST(MemoMontagna, ASpanOfFiftyMetresCoversOneCell) {
    auto m = con_tracciato();
    montagna(m, 13000, 13050, 2);
    for (int i = 0; i <= 580; ++i) EXPECT_EQ(m.tracciato[i].montagna, i == 260 ? 2 : 0) << i;
    for (const cella& c : m.tracciato) EXPECT_EQ(c.tipo, tipo_cella::libero);
    EXPECT_EQ(m.numero_montagne, 1);
    EXPECT_EQ(m.montagne_inizio[1], 13000);
    EXPECT_EQ(m.montagne_fine[1], 13050);
    EXPECT_EQ(m.montagne_inizio[0], 0);
}

TEST(MemoMontagna, KindAboveTenMarksEveryFourthFreeCell) {
    auto m = con_tracciato();
    m.tracciato[267].tipo = tipo_cella::segnale;
    montagna(m, 13000, 13500, 12);  // kind 2, marked
    for (int i = 258; i <= 271; ++i) {
        EXPECT_EQ(m.tracciato[i].montagna, i >= 260 && i <= 269 ? 2 : 0) << i;
        const int tipo_atteso = i == 263 ? tipo_cella::marca_montagna : i == 267 ? tipo_cella::segnale : 0;
        EXPECT_EQ(m.tracciato[i].tipo, tipo_atteso) << i;
    }
}

TEST(MemoMontagna, ASpanCloseAfterThePreviousOneTakesKindThree) {
    struct caso {
        std::int32_t inizio, fine, tipo;
        std::int32_t tipo_atteso;
    };
    const caso casi[] = {
        {13200, 13300, 2, 3},    // 150 m after the previous end
        {13250, 13300, 2, 2},    // 200 m after
        {12000, 12100, 5, 3},    // before the previous span: a negative gap joins too
        {13200, 13300, 14, 3},   // marks stay asked for
    };
    for (const caso& c : casi) {
        auto m = con_tracciato();
        montagna(m, 12000, 13050, 1);
        montagna(m, c.inizio, c.fine, c.tipo);
        EXPECT_EQ(m.tracciato[static_cast<std::size_t>(c.inizio / 50)].montagna, c.tipo_atteso) << c.inizio;
        EXPECT_EQ(m.montagne_inizio[2], c.inizio);
    }
    // A joined span keeps the marks it asked for: every fourth cell of 264 to 269.
    auto m = con_tracciato();
    montagna(m, 12000, 13050, 1);
    montagna(m, 13200, 13500, 14);
    for (int i = 264; i <= 269; ++i) {
        EXPECT_EQ(m.tracciato[i].montagna, 3) << i;
        EXPECT_EQ(m.tracciato[i].tipo, i == 267 ? tipo_cella::marca_montagna : tipo_cella::libero) << i;
    }
}

TEST(MemoMontagna, CellBoundsRoundHalfToEven) {
    auto m = con_tracciato();
    montagna(m, 13000, 13025, 4);  // first 260, last 259.5 -> 260
    montagna(m, 15050, 15075, 5);  // first 301, last 300.5 -> 300: no cell
    montagna(m, 16075, 16175, 6);  // first 321.5 -> 322, last 322.5 -> 322
    for (int i = 0; i <= 580; ++i) {
        const int atteso = i == 260 ? 4 : i == 322 ? 6 : 0;
        EXPECT_EQ(m.tracciato[i].montagna, atteso) << i;
    }
    EXPECT_EQ(m.numero_montagne, 3);
    EXPECT_EQ(m.montagne_inizio[2], 15050);
    EXPECT_EQ(m.montagne_fine[2], 15075);
}

TEST(MemoMontagna, KeepsTheLowByteOfTheKindAndReplacesEarlierKinds) {
    auto m = con_tracciato();
    montagna(m, 1000, 1200, 2);
    montagna(m, 5000, 5100, 263);  // 263 - 10 = 253
    montagna(m, 1000, 1100, 7);    // begins before the previous span's end: kind 3
    EXPECT_EQ(m.tracciato[100].montagna, 253);
    EXPECT_EQ(m.tracciato[20].montagna, 3);
    EXPECT_EQ(m.tracciato[21].montagna, 3);
    EXPECT_EQ(m.tracciato[22].montagna, 2);
    EXPECT_EQ(m.tracciato[23].montagna, 2);
    EXPECT_EQ(m.tracciato[24].montagna, 0);
}

TEST(MemoMontagna, TheEightyFirstSpanIsARuntimeFailure) {
    auto m = con_tracciato();
    for (int i = 1; i <= 80; ++i) montagna(m, i * 100, i * 100 + 50, 1);
    EXPECT_EQ(m.numero_montagne, 80);
    EXPECT_EQ(m.montagne_fine[80], 8050);
    EXPECT_THROW(montagna(m, 9000, 9050, 1), errore_esecuzione);
    EXPECT_EQ(m.montagne_inizio[80], 8000);
    EXPECT_EQ(m.tracciato[180].montagna, 0);
}

TEST(MemoMontagna, CellsOutsideTheTrackAreARuntimeFailureAfterTheCellsBefore) {
    auto m = con_tracciato();
    EXPECT_THROW(montagna(m, 28900, 29200, 2), errore_esecuzione);  // cells 578 to 583
    EXPECT_EQ(m.tracciato[578].montagna, 2);
    EXPECT_EQ(m.tracciato[580].montagna, 2);
    EXPECT_EQ(m.numero_montagne, 1);

    auto n = con_tracciato();
    EXPECT_THROW(montagna(n, -100, 200, 2), errore_esecuzione);  // first cell -2
    for (const cella& c : n.tracciato) EXPECT_EQ(c.montagna, 0);
}

TEST(MemoIndicatoriVMax, EncodesBothBoardsInTheCellAfterThePosition) {
    auto m = con_tracciato();
    indicatori v;
    v.vas = 1;
    v.vad = 30;
    v.vbs = 7;
    v.vbd = 12;    // 140 + 2.4 -> 142
    v.vcs = -3;
    v.vcd = -13;   // -60 - 2.6 -> -63
    v.strisces = 1;
    v.strisced = 2;
    indica(m, 1000, v);
    const cella& c = m.tracciato[21];
    EXPECT_EQ(c.tipo, tipo_cella::indicatori_v_max);
    EXPECT_EQ(c.valore1, 26);
    EXPECT_EQ(c.valore2, 142);
    EXPECT_EQ(c.valore3, -63);
    EXPECT_EQ(c.valore4, 12);
    EXPECT_EQ(m.codice_errore, 0);
    EXPECT_EQ(m.tracciato[20].tipo, tipo_cella::libero);
}

TEST(MemoIndicatoriVMax, CellNumberRoundsHalfToEven) {
    auto m = con_tracciato();
    indica(m, 75, {});   // 1.5 + 1 = 2.5 -> 2
    indica(m, 125, {});  // 2.5 + 1 = 3.5 -> 4
    EXPECT_EQ(m.tracciato[2].tipo, tipo_cella::indicatori_v_max);
    EXPECT_EQ(m.tracciato[3].tipo, tipo_cella::libero);
    EXPECT_EQ(m.tracciato[4].tipo, tipo_cella::indicatori_v_max);
}

TEST(MemoIndicatoriVMax, ReplacesAMountainMarkAndRefusesATakenCell) {
    auto m = con_tracciato();
    m.tracciato[21].tipo = tipo_cella::marca_montagna;
    m.tracciato[21].montagna = 2;
    indica(m, 1000, {.vas = 2});
    EXPECT_EQ(m.tracciato[21].tipo, tipo_cella::indicatori_v_max);
    EXPECT_EQ(m.tracciato[21].montagna, 2);
    indica(m, 1000, {.vas = 5});
    EXPECT_EQ(m.codice_errore, 21);
    EXPECT_EQ(m.tracciato[21].valore1, 40);

    auto n = con_tracciato();
    n.tracciato[41].tipo = tipo_cella::marca_stazione;
    indica(n, 2000, {.vas = 5});
    EXPECT_EQ(n.codice_errore, 21);
    EXPECT_EQ(n.tracciato[41].tipo, tipo_cella::marca_stazione);
    EXPECT_EQ(n.tracciato[41].valore1, 0);
}

TEST(MemoIndicatoriVMax, SpeedsBeyondSixteenBitsFailAndStripesKeepTheirLowBits) {
    auto m = con_tracciato();
    indica(m, 1000, {.vas = 1638, .vbs = -1638, .vcs = 0, .strisces = 7000, .vad = 35, .vbd = -40, .vcd = 0,
                     .strisced = 0});
    EXPECT_EQ(m.tracciato[21].valore1, 32767);
    EXPECT_EQ(m.tracciato[21].valore2, -32768);
    EXPECT_EQ(m.tracciato[21].valore4, 70000 - 65536);

    EXPECT_THROW(indica(m, 2000, {.vas = 1638, .vad = 40}), errore_esecuzione);       // 32768
    EXPECT_EQ(m.tracciato[41].tipo, tipo_cella::indicatori_v_max);                      // written before
    EXPECT_THROW(indica(m, 3000, {.vcs = -1639}), errore_esecuzione);                  // -32780
    EXPECT_THROW(indica(m, 4000, {.vas = 200000000}), errore_esecuzione);             // x 20 beyond 32 bits
    EXPECT_THROW(indica(m, 5000, {.strisces = 300000000}), errore_esecuzione);        // x 10 beyond 32 bits
    EXPECT_THROW(indica(m, 6000, {.strisces = 214748364, .strisced = 8}), errore_esecuzione);
    EXPECT_THROW(indica(m, -100, {}), errore_esecuzione);  // cell -1
}

}  // namespace

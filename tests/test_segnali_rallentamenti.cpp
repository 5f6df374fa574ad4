#include <gtest/gtest.h>

#include <cstdint>

#include "compiler/compilazione.h"
#include "compiler/record.h"
#include "compiler/modello.h"
#include "sources/errore_esecuzione.h"

namespace {

modello_scenario modello(std::int32_t celle = 580) {
    modello_scenario m;
    m.numero_celle = celle;
    m.tracciato.assign(static_cast<std::size_t>(celle) + 1, cella{});
    return m;
}

// A refused placement raises its status as the train phase does.
void raccogli(modello_scenario& m, posa e) {
    if (e.codice != stato::nessuno) m.codice_errore = numero(e.codice);
}

struct segnale : record_segnale {
    segnale() : record_segnale{1650, 2, 4, 1, 0, 0, 2, 2, 1, 0, 0} {}
    void posa(modello_scenario& m) const { raccogli(m, memo_segnale(m, *this)); }
};

struct rallentamento : record_rallentamento {
    rallentamento() : record_rallentamento{3000, 30, 500, 4, 1, 2} {}
    void posa(modello_scenario& m) const { raccogli(m, memo_rallentamento(m, *this)); }
};

int conta_tipo(const modello_scenario& m, std::uint8_t tipo) {
    int n = 0;
    for (const cella& c : m.tracciato) n += c.tipo == tipo;
    return n;
}

// ---------------------------------------------------------------------------
// Signals.

TEST(MemoSegnale, CellValuesAndApproachMarkers) {
    auto m = modello();
    segnale s;
    s.sx = 1;
    s.s1 = 3;
    s.s2 = 5;
    s.s3 = 7;
    s.rapp = 6;
    s.dx = 2;
    s.d1 = 4;
    s.d2 = 6;
    s.d3 = 8;
    s.posa(m);
    EXPECT_EQ(m.codice_errore, 0);
    const cella& c = m.tracciato[34];
    EXPECT_EQ(c.tipo, tipo_cella::segnale);
    EXPECT_EQ(c.valore1, 34);
    EXPECT_EQ(c.valore2, 56);
    EXPECT_EQ(c.valore3, 78);
    EXPECT_EQ(c.valore4, 65);
    EXPECT_EQ(c.tempo_segnale, 0);
    for (int k = 1; k <= 4; ++k) {
        EXPECT_EQ(m.tracciato[static_cast<std::size_t>(34 - 2 * k)].avviso, 50 + k) << k;
        EXPECT_EQ(m.tracciato[static_cast<std::size_t>(34 - 2 * k)].tipo, tipo_cella::libero) << k;
    }
    EXPECT_EQ(m.tracciato[25].avviso, 0);
    EXPECT_EQ(m.tracciato[33].avviso, 0);
}

TEST(MemoSegnale, CellOfThePositionRoundsHalfToEven) {
    struct caso {
        std::int32_t posizione;
        std::size_t cella;
    } const casi[] = {{1625, 34}, {1650, 34}, {1675, 34}, {1700, 35}, {1725, 36}, {1649, 34}, {1674, 34}, {1676, 35}};
    for (const caso& c : casi) {
        auto m = modello();
        segnale s;
        s.posizione = c.posizione;
        s.posa(m);
        EXPECT_EQ(m.tracciato[c.cella].tipo, tipo_cella::segnale) << c.posizione;
        EXPECT_EQ(conta_tipo(m, tipo_cella::segnale), 1) << c.posizione;
    }
}

// tempo from 1 to 100 becomes 101; only an s group of kind 2 keeps it in the
// cell, as its low 8 bits.
TEST(MemoSegnale, SignalTime) {
    struct caso {
        std::int32_t sx, tempo;
        std::int32_t tempo_dopo;
        int in_cella;
    } const casi[] = {
        {2, 0, 0, 0},     {2, 1, 101, 101},   {2, 50, 101, 101}, {2, 100, 101, 101}, {2, 101, 101, 101},
        {2, 160, 160, 160}, {2, 300, 300, 44}, {2, -5, -5, 251},  {1, 50, 101, 0},    {3, 160, 160, 0},
    };
    for (const caso& c : casi) {
        auto m = modello();
        segnale s;
        s.sx = c.sx;
        s.tempo = c.tempo;
        s.posa(m);
        if (c.sx == 2) {
            EXPECT_EQ(m.tracciato[34].tempo_segnale, c.tempo_dopo & 0xFF) << c.tempo;
        }
        EXPECT_EQ(m.tracciato[34].tempo_segnale, c.in_cella) << c.sx << " " << c.tempo;
    }
}

TEST(MemoSegnale, ValuesKeepTheirLowBits) {
    auto m = modello();
    segnale s;
    s.s1 = 4000;  // 40002
    s.s2 = 2147483647;
    s.d2 = 9;
    s.sx = 9;
    s.dx = 9;  // approach values 360 + k
    s.rapp = -1;
    s.posa(m);
    EXPECT_EQ(m.codice_errore, 0);
    EXPECT_EQ(m.tracciato[34].valore1, static_cast<std::int16_t>(40002 - 65536));
    EXPECT_EQ(m.tracciato[34].valore2, static_cast<std::int16_t>((std::int64_t{2147483647} * 10 + 9) & 0xFFFF));
    EXPECT_EQ(m.tracciato[34].valore4, 26);
    EXPECT_EQ(m.tracciato[32].avviso, 105);
    EXPECT_EQ(m.tracciato[26].avviso, 108);
}

TEST(MemoSegnale, FreeCellsOnlyButApproachCellsWhateverTheyHold) {
    for (const std::uint8_t occupante : std::initializer_list<std::uint8_t>{1, 2, 6, 10, 12, 13, 14}) {
        auto m = modello();
        m.tracciato[34].tipo = occupante;
        segnale s;
        s.posa(m);
        EXPECT_EQ(m.codice_errore, 16) << int{occupante};
        EXPECT_EQ(m.tracciato[34].tipo, occupante);
        EXPECT_EQ(m.tracciato[34].valore1, 0);
        EXPECT_EQ(m.tracciato[32].avviso, 0);  // nothing written
    }
    auto m = modello();
    m.tracciato[34].tipo = tipo_cella::marca_montagna;  // mountain mark
    m.tracciato[30].tipo = tipo_cella::marca_stazione;  // station marker
    m.tracciato[30].valore1 = 3;
    m.tracciato[28].avviso = 82;  // station approach marker
    segnale s;
    s.posa(m);
    EXPECT_EQ(m.codice_errore, 0);
    EXPECT_EQ(m.tracciato[34].tipo, tipo_cella::segnale);
    EXPECT_EQ(m.tracciato[30].tipo, tipo_cella::marca_stazione);
    EXPECT_EQ(m.tracciato[30].valore1, 3);
    EXPECT_EQ(m.tracciato[30].avviso, 82);
    EXPECT_EQ(m.tracciato[28].avviso, 83);
}

// Below 325 m the farthest approach cell falls before cell 0: a runtime
// failure, after the cells before it were written.
TEST(MemoSegnale, ApproachBeforeTheTrackIsARuntimeFailure) {
    auto m = modello();
    segnale s;
    s.posizione = 325;  // cell 8 (7.5 rounds to 8): approach cells 6 to 0
    s.posa(m);
    EXPECT_EQ(m.tracciato[8].tipo, tipo_cella::segnale);
    EXPECT_EQ(m.tracciato[0].avviso, 84);

    auto m2 = modello();
    segnale s2;
    s2.posizione = 320;  // cell 7
    EXPECT_THROW(s2.posa(m2), errore_esecuzione);
    EXPECT_EQ(m2.tracciato[7].tipo, tipo_cella::segnale);
    EXPECT_EQ(m2.tracciato[1].avviso, 83);
}

// ---------------------------------------------------------------------------
// Slowdowns.

TEST(MemoRallentamento, AllCellsWithLeadIn) {
    auto m = modello();
    rallentamento r;
    r.posa(m);
    EXPECT_EQ(m.codice_errore, 0);
    const auto& t = m.tracciato;
    // Start 61, end 71, board 37 (24 cells before the start), lead-in 36 to 33.
    EXPECT_EQ(t[61].tipo, tipo_cella::inizio_rallentamento);
    EXPECT_EQ(t[71].tipo, tipo_cella::fine_rallentamento);
    for (std::size_t i : {std::size_t{61}, std::size_t{71}}) {
        EXPECT_EQ(t[i].valore1, 30) << i;
        EXPECT_EQ(t[i].valore2, 2) << i;
        EXPECT_EQ(t[i].valore3, 4) << i;
        EXPECT_EQ(t[i].valore4, 0) << i;
    }
    EXPECT_EQ(t[37].tipo, tipo_cella::avviso_rallentamento);
    EXPECT_EQ(t[37].valore1, 30);
    EXPECT_EQ(t[37].valore2, 2);
    EXPECT_EQ(t[37].valore3, 0);
    for (int n = 1; n <= 4; ++n) {
        const cella& c = t[static_cast<std::size_t>(37 - n)];
        EXPECT_EQ(c.tipo, tipo_cella::preavviso_rallentamento) << n;
        EXPECT_EQ(c.valore1, n) << n;
        EXPECT_EQ(c.valore2, n) << n;
    }
    EXPECT_EQ(t[32].tipo, tipo_cella::libero);
    EXPECT_EQ(conta_tipo(m, tipo_cella::preavviso_rallentamento), 4);
    // The caller's values are left as they were.
    EXPECT_EQ(r.v, 30);
    EXPECT_EQ(r.l, 500);
    EXPECT_EQ(r.f_tt, 4);
    EXPECT_EQ(r.d_v, 2);
}

TEST(MemoRallentamento, ZeroDvLeavesValore2Alone) {
    auto m = modello();
    for (std::size_t i : {33, 34, 35, 36, 37, 61, 71}) m.tracciato[i].valore2 = 77;
    rallentamento r;
    r.d_v = 0;
    r.posa(m);
    EXPECT_EQ(m.codice_errore, 0);
    for (std::size_t i : {33, 34, 35, 36, 37, 61, 71}) EXPECT_EQ(m.tracciato[i].valore2, 77) << i;
    EXPECT_EQ(m.tracciato[34].valore1, 3);
    EXPECT_EQ(m.tracciato[37].tipo, tipo_cella::avviso_rallentamento);
}

// At 1500 m or less there is no room for the warning board: neither board
// nor lead-in cells, whatever f_ta asks, and those cells are not tested.
TEST(MemoRallentamento, WarningBoardOnlyBeyond1500) {
    {
        auto m = modello();
        for (std::size_t i = 0; i <= 10; ++i) m.tracciato[i].tipo = tipo_cella::segnale;
        rallentamento r;
        r.x = 1500;
        r.l = 100;
        r.posa(m);
        EXPECT_EQ(m.codice_errore, 0);
        EXPECT_EQ(m.tracciato[31].tipo, tipo_cella::inizio_rallentamento);
        EXPECT_EQ(m.tracciato[33].tipo, tipo_cella::fine_rallentamento);
        EXPECT_EQ(conta_tipo(m, tipo_cella::avviso_rallentamento), 0);
        EXPECT_EQ(conta_tipo(m, tipo_cella::preavviso_rallentamento), 0);
    }
    {
        auto m = modello();
        rallentamento r;
        r.x = 1550;
        r.l = 100;
        r.posa(m);
        EXPECT_EQ(m.codice_errore, 0);
        EXPECT_EQ(m.tracciato[32].tipo, tipo_cella::inizio_rallentamento);
        EXPECT_EQ(m.tracciato[8].tipo, tipo_cella::avviso_rallentamento);
        for (std::size_t i : {4, 5, 6, 7}) EXPECT_EQ(m.tracciato[i].tipo, tipo_cella::preavviso_rallentamento) << i;
        EXPECT_EQ(m.tracciato[7].valore1, 1);
        EXPECT_EQ(m.tracciato[4].valore1, 4);
    }
    {
        auto m = modello();
        rallentamento r;
        r.x = 1550;
        r.f_ta = 0;
        r.posa(m);
        EXPECT_EQ(m.tracciato[8].tipo, tipo_cella::avviso_rallentamento);
        EXPECT_EQ(conta_tipo(m, tipo_cella::preavviso_rallentamento), 0);
    }
}

TEST(MemoRallentamento, ZeroLengthEndsAsAStart) {
    auto m = modello();
    rallentamento r;
    r.l = 0;
    r.posa(m);
    EXPECT_EQ(m.codice_errore, 0);
    EXPECT_EQ(m.tracciato[61].tipo, tipo_cella::inizio_rallentamento);
    EXPECT_EQ(m.tracciato[61].valore1, 30);
    EXPECT_EQ(conta_tipo(m, tipo_cella::fine_rallentamento), 0);
}

// Freedom tests in order: board, start, end, then the four lead-in cells.
TEST(MemoRallentamento, ConflictsInTheirOrder) {
    struct caso {
        std::vector<std::size_t> occupate;
        std::int32_t codice;
        std::vector<std::size_t> scritte;  // cells holding the slowdown afterwards
    } const casi[] = {
        {{37}, 17, {}},
        {{37, 61, 71}, 17, {}},
        {{61}, 18, {}},
        {{61, 71}, 18, {}},
        {{71}, 19, {}},
        {{36}, 20, {37, 61}},
        {{35}, 20, {37, 61}},
        {{34}, 20, {37, 61}},
        {{33}, 20, {37, 61}},
        {{32}, 0, {33, 37, 61}},
        {{38}, 0, {33, 37, 61}},
    };
    for (const caso& c : casi) {
        auto m = modello();
        for (std::size_t i : c.occupate) m.tracciato[i].tipo = tipo_cella::cartello;
        rallentamento r;
        r.posa(m);
        EXPECT_EQ(m.codice_errore, c.codice) << c.occupate.front();
        const int posate = conta_tipo(m, tipo_cella::fine_rallentamento) + conta_tipo(m, tipo_cella::inizio_rallentamento) + conta_tipo(m, tipo_cella::avviso_rallentamento) + conta_tipo(m, tipo_cella::preavviso_rallentamento);
        EXPECT_EQ(posate, c.codice == 0 ? 7 : c.codice == 20 ? 3 : 0) << c.occupate.front();
        for (std::size_t i : c.scritte) EXPECT_NE(m.tracciato[i].tipo, tipo_cella::libero) << i;
    }
}

TEST(MemoRallentamento, MountainMarksAreFree) {
    auto m = modello();
    for (std::size_t i : {33, 34, 35, 36, 37, 61, 71}) m.tracciato[i].tipo = tipo_cella::marca_montagna;
    rallentamento r;
    r.posa(m);
    EXPECT_EQ(m.codice_errore, 0);
    EXPECT_EQ(m.tracciato[37].tipo, tipo_cella::avviso_rallentamento);
    EXPECT_EQ(m.tracciato[33].tipo, tipo_cella::preavviso_rallentamento);
}

// Where (x - 1200) / 50 ends in a half, rounding to even can put the cell
// "before" the board on the board itself: the lead-in test then meets the
// board just written.
TEST(MemoRallentamento, LeadInMeetsItsOwnBoardOnAHalfCell) {
    auto m = modello();
    rallentamento r;
    r.x = 2975;  // board: 36.5 -> 36; cell before it: 35.5 -> 36
    r.posa(m);
    EXPECT_EQ(m.codice_errore, 20);
    EXPECT_EQ(m.tracciato[36].tipo, tipo_cella::avviso_rallentamento);
}

TEST(MemoRallentamento, ValuesKeepTheirLowBits) {
    auto m = modello();
    rallentamento r;
    r.v = 65536 + 40;
    r.f_tt = -1;
    r.d_v = 70000;
    r.posa(m);
    EXPECT_EQ(m.tracciato[61].valore1, 40);
    EXPECT_EQ(m.tracciato[61].valore3, -1);
    EXPECT_EQ(m.tracciato[71].valore2, 70000 - 65536);
    EXPECT_EQ(m.tracciato[37].valore1, 40);
}

// Cells outside the track are a runtime failure, nothing written before.
TEST(MemoRallentamento, CellsOutsideTheTrack) {
    {
        auto m = modello();
        rallentamento r;
        r.x = 28000;
        r.l = 2000;  // end cell 601
        EXPECT_THROW(r.posa(m), errore_esecuzione);
        EXPECT_EQ(conta_tipo(m, tipo_cella::avviso_rallentamento) + conta_tipo(m, tipo_cella::inizio_rallentamento), 0);
    }
    {
        auto m = modello();
        rallentamento r;
        r.x = 1000;
        r.l = -2000;  // end cell -19
        EXPECT_THROW(r.posa(m), errore_esecuzione);
        EXPECT_EQ(conta_tipo(m, tipo_cella::inizio_rallentamento), 0);
    }
    {
        auto m = modello();
        rallentamento r;
        r.x = 3000;
        r.l = 2147483647;  // x + l does not fit a Long
        EXPECT_THROW(r.posa(m), errore_esecuzione);
    }
}

}  // namespace

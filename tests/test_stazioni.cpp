#include <gtest/gtest.h>

#include <string>

#include "banco_treno.h"

namespace {

struct stazione {
    std::int32_t posizione = 0;
    int tipo = 4;
    std::int32_t lunghezza = 600;
    int marca = 0, opz4 = 0, opz3 = 0;
    int par1 = 0, par2 = 0, opz1 = 0, par3 = 0, par4 = 0, par5 = 0, opz2 = 0;
    std::int32_t ore = 0, minuti = 0, secondi = 0;
    std::string nome = "STAZIONE DI PROVA";

    std::string riga() const {
        auto n = [](auto v) { return std::to_string(v) + ", "; };
        return "stazione, " + n(posizione) + n(tipo) + n(lunghezza) + n(marca) + n(opz4) + n(opz3) + n(par1) +
               n(par2) + n(opz1) + n(par3) + n(par4) + n(par5) + n(opz2) + n(ore) + n(minuti) + n(secondi) + nome;
    }
};

// A first station that leaves no mark and takes no room: kind 25, length 0.
stazione senza_segni(std::int32_t posizione) {
    stazione s;
    s.posizione = posizione;
    s.tipo = 25;
    s.lunghezza = 0;
    return s;
}

std::string testo_di(const std::vector<stazione>& stazioni, const std::string& dopo = "") {
    std::string t = "[generale]\r\n";
    for (const stazione& s : stazioni) t += s.riga() + "\r\n";
    return t + dopo + "[fine]\r\n";
}

int conta_tipo(const modello_scenario& m, std::uint8_t tipo) {
    int n = 0;
    for (const cella& c : m.tracciato) n += c.tipo == tipo;
    return n;
}

int conta_avvisi(const modello_scenario& m) {
    int n = 0;
    for (const cella& c : m.tracciato) n += c.avviso != 0;
    return n;
}

TEST(MemoStazione, EveryValueInItsField) {
    banco_treno b;
    stazione s;
    s.posizione = 4000;
    s.tipo = 12;
    s.lunghezza = 800;
    s.marca = 255;
    s.opz4 = 7;
    s.opz3 = 0;
    s.par1 = -32768;
    s.par2 = 32767;
    s.opz1 = 3;
    s.par3 = 4;
    s.par4 = 5;
    s.par5 = 6;
    s.opz2 = 9;
    s.ore = 20;
    s.minuti = 11;
    s.secondi = 7;
    s.nome = "TAVA CENTRALE  ";  // trailing blanks belong to the name
    b.compila(testo_di({senza_segni(0), s}));
    ASSERT_EQ(b.m.codice_errore, 0) << b.errore;
    const voce_scenario& v = b.m.scenario[2];
    EXPECT_EQ(v.tipo, 12);
    EXPECT_EQ(v.valore1, 3600);
    EXPECT_EQ(v.valore2, 4400);
    EXPECT_EQ(v.valore3, 4000);
    EXPECT_EQ(v.marca, 255);
    EXPECT_EQ(v.nome, "TAVA CENTRALE  ");
    EXPECT_EQ(v.par1, -32768);
    EXPECT_EQ(v.par2, 32767);
    EXPECT_EQ(v.par3, 4);
    EXPECT_EQ(v.par4, 5);
    EXPECT_EQ(v.par5, 6);
    EXPECT_EQ(v.opz1, 3);
    EXPECT_EQ(v.opz2, 9);
    EXPECT_EQ(v.opz3, 0);
    EXPECT_EQ(v.opz4, 7);
    EXPECT_EQ(v.valore4, 20 * 3600 + 11 * 60 + 7);
    EXPECT_EQ(b.s.contatore_stazioni, 3);
}

// The extent by kind, and opz3 (a lengthening of 50 m for kinds other than
// 5 to 8, cleared for those kinds); the marks by kind.
TEST(MemoStazione, ExtentAndMarksByKind) {
    struct caso {
        int tipo;
        std::int32_t lunghezza;
        int opz3;
        std::int32_t inizio, fine;
        int opz3_dopo;
        int avvisi;     // approach markers placed
        bool marca;     // station marker placed
    } const casi[] = {
        {5, 400, 1, 9600, 10150, 0, 0, true},   {6, 400, 0, 9600, 10150, 0, 0, true},
        {7, 400, 1, 9600, 10400, 0, 4, true},   {8, 300, 0, 9700, 10300, 0, 4, true},
        {4, 400, 1, 9800, 10250, 1, 4, true},   {4, 700, 0, 9650, 10350, 0, 4, true},
        {0, 200, 0, 9900, 10100, 0, 4, true},   {24, 400, 0, 9800, 10200, 0, 4, true},
        {25, 400, 1, 9800, 10250, 1, 0, false}, {255, 400, 0, 9800, 10200, 0, 0, false},
    };
    for (const caso& c : casi) {
        SCOPED_TRACE(c.tipo);
        banco_treno b;
        stazione s;
        s.posizione = 10000;
        s.tipo = c.tipo;
        s.lunghezza = c.lunghezza;
        s.opz3 = c.opz3;
        b.compila(testo_di({senza_segni(0), s}));
        ASSERT_EQ(b.m.codice_errore, 0) << b.errore;
        const voce_scenario& v = b.m.scenario[2];
        EXPECT_EQ(v.valore1, c.inizio);
        EXPECT_EQ(v.valore2, c.fine);
        EXPECT_EQ(v.opz3, c.opz3_dopo);
        EXPECT_EQ(conta_avvisi(b.m), c.avvisi);
        EXPECT_EQ(conta_tipo(b.m, 10), c.marca ? 1 : 0);
        const std::int32_t t = c.fine / 50 - 1;
        if (c.marca) {
            EXPECT_EQ(b.c(t).tipo, tipo_cella::marca_stazione);
            EXPECT_EQ(b.c(t).valore1, 2);
        }
        for (int n = 1; n <= c.avvisi; ++n) EXPECT_EQ(b.c(t - n).avviso, 80 + n) << n;
    }
}

TEST(MemoStazione, Opz4AndFirstStationClearing) {
    struct caso {
        bool prima;
        std::int32_t lunghezza;
        int opz3, opz4;
        std::int32_t fine;
        int opz3_dopo, opz4_dopo;
    } const casi[] = {
        {false, 500, 0, 3, 10250, 0, 0},
        {false, 600, 0, 3, 10300, 0, 3},
        {false, 600, 2, 3, 10350, 2, 3},
        {true, 600, 2, 3, 10350, 0, 0},  // lengthened before opz3 is cleared
        {true, 800, 0, 3, 10400, 0, 0},
    };
    for (const caso& c : casi) {
        banco_treno b;
        stazione s;
        s.posizione = 10000;
        s.lunghezza = c.lunghezza;
        s.opz3 = c.opz3;
        s.opz4 = c.opz4;
        if (c.prima) {
            b.compila(testo_di({s}));
        } else {
            b.compila(testo_di({senza_segni(0), s}));
        }
        ASSERT_EQ(b.m.codice_errore, 0) << b.errore;
        const voce_scenario& v = b.m.scenario[c.prima ? 1 : 2];
        EXPECT_EQ(v.valore2, c.fine) << c.prima << " " << c.lunghezza;
        EXPECT_EQ(v.opz3, c.opz3_dopo) << c.prima << " " << c.lunghezza;
        EXPECT_EQ(v.opz4, c.opz4_dopo) << c.prima << " " << c.lunghezza;
    }
}

// Station and approach markers replace whatever the cells held.
TEST(MemoStazione, MarkersReplaceWhatTheCellsHeld) {
    banco_treno b;
    b.c(86).tipo = tipo_cella::cartello;  // indication sign
    b.c(86).valore1 = 80;
    b.c(85).tipo = tipo_cella::segnale;   // a signal, with its own approach marker value
    b.c(85).avviso = 84;
    b.c(84).avviso = 42;
    stazione s;
    s.posizione = 4000;
    s.lunghezza = 700;
    b.compila(testo_di({s}));
    ASSERT_EQ(b.m.codice_errore, 0) << b.errore;
    EXPECT_EQ(b.c(86).tipo, tipo_cella::marca_stazione);
    EXPECT_EQ(b.c(86).valore1, 1);
    EXPECT_EQ(b.c(85).tipo, tipo_cella::segnale);
    EXPECT_EQ(b.c(85).avviso, 81);
    EXPECT_EQ(b.c(84).avviso, 82);
}

// A station marker at or before cell 1 fails for every kind below 25, kinds
// 5 and 6 included; from 25 up nothing is placed and nothing fails.
TEST(MemoStazione, MarkerAtOrBeforeCellOne) {
    struct caso {
        int tipo;
        std::int32_t posizione, lunghezza;
        std::int32_t codice;
    } const casi[] = {
        {22, 0, 200, 24}, {22, 0, 300, 0},  {5, -50, 100, 24}, {6, -100, 100, 24},
        {7, 0, 100, 24},  {7, 50, 100, 0},  {25, 0, 200, 0}, {30, -1000, 100, 0},
    };
    for (const caso& c : casi) {
        banco_treno b;
        b.m.posizione_errore = -7;
        stazione s;
        s.posizione = c.posizione;
        s.tipo = c.tipo;
        s.lunghezza = c.lunghezza;
        b.compila(testo_di({s}, "sabbia, 3\r\n"));
        EXPECT_EQ(b.m.codice_errore, c.codice) << c.tipo << " " << c.posizione << " " << c.lunghezza;
        EXPECT_EQ(b.m.posizione_errore, -7);
        EXPECT_EQ(b.m.scenario[voce::dati_treno].par1, c.codice == 0 ? 3 : 0);
        EXPECT_FALSE(b.file_treno_presente());
    }
}

TEST(MemoStazione, SpacingOf350Metres) {
    struct caso {
        std::int32_t posizione;
        std::int32_t codice;
    } const casi[] = {{1000, 0}, {950, 22}, {1050, 0}};
    for (const caso& c : casi) {
        banco_treno b;
        stazione prima;  // extent -300 to 300
        stazione seconda;
        seconda.posizione = c.posizione;
        seconda.lunghezza = 700;  // extent begins at position - 350
        b.compila(testo_di({prima, seconda}));
        EXPECT_EQ(b.m.codice_errore, c.codice) << c.posizione;
        if (c.codice != 0) {
            EXPECT_EQ(b.m.posizione_errore, c.posizione);
            EXPECT_EQ(b.s.contatore_stazioni, 2);
        }
    }
    // Compared with the station just before, also when the file goes backwards.
    banco_treno b;
    stazione a, c, d;
    a.posizione = 10000;
    c.posizione = 12000;
    d.posizione = 4000;
    b.compila(testo_di({a, c, d}));
    EXPECT_EQ(b.m.codice_errore, 22);
    EXPECT_EQ(b.m.posizione_errore, 4000);
}

TEST(MemoStazione, PositionTestUses800Metres) {
    banco_treno b;
    b.compila(testo_di({senza_segni(28200)}));
    EXPECT_EQ(b.m.codice_errore, 0);
    EXPECT_EQ(b.m.scenario[1].valore3, 28200);
}

// Entries 1 up hold stations, entries 80 down sign texts: the station that
// brings the counter to the lowest sign entry is the last one stored.
TEST(MemoStazione, LimitOfTheTable) {
    struct caso {
        std::int32_t prossima_voce_cartello;
        int ultima;  // last station stored
    } const casi[] = {{80, 79}, {79, 78}};
    for (const caso& c : casi) {
        SCOPED_TRACE(c.prossima_voce_cartello);
        banco_treno b(1000, c.prossima_voce_cartello);
        b.m.posizione_errore = -7;
        std::vector<stazione> stazioni;
        for (int i = 0; i < 85; ++i) stazioni.push_back(senza_segni(400 * i));
        b.compila(testo_di(stazioni));
        EXPECT_EQ(b.m.codice_errore, 10);
        EXPECT_EQ(b.m.posizione_errore, -7);
        EXPECT_EQ(b.m.scenario[static_cast<std::size_t>(c.ultima)].valore3, 400 * (c.ultima - 1));
        EXPECT_EQ(b.m.scenario[static_cast<std::size_t>(c.ultima) + 1].valore3, 0);
        EXPECT_EQ(b.m.scenario[static_cast<std::size_t>(c.ultima) + 1].nome, "");
        EXPECT_EQ(b.s.contatore_stazioni, c.prossima_voce_cartello);
        EXPECT_FALSE(b.file_treno_presente());
    }
}

// A counter that runs past the table is a runtime failure, never a write
// outside it.
TEST(MemoStazione, CounterBeyondTheTableIsARuntimeFailure) {
    banco_treno b(1000, 200);
    std::vector<stazione> stazioni;
    for (int i = 0; i < 90; ++i) stazioni.push_back(senza_segni(400 * i));
    b.compila(testo_di(stazioni));
    EXPECT_EQ(b.m.codice_errore, 25);
    EXPECT_EQ(b.m.scenario[voce::dati_treno].valore3, 400 * 85);
    EXPECT_FALSE(b.file_treno_presente());
}

TEST(MemoStazione, StationTime) {
    struct caso {
        std::int32_t ore, minuti, secondi;
        std::int32_t valore4;
        bool fallisce;
    } const casi[] = {
        {0, 0, 0, 0, false},
        {20, 50, 0, 75000, false},
        {-1, 0, 30, -3570, false},
        {596523, 14, 7, 2147483647, false},
        {596523, 14, 8, 0, true},
        {35791395, 0, 0, 0, true},  // hours × 60 alone does not fit
        {0, 0, 2147483647, 2147483647, false},
    };
    for (const caso& c : casi) {
        banco_treno b;
        stazione s;
        s.posizione = 4000;
        s.ore = c.ore;
        s.minuti = c.minuti;
        s.secondi = c.secondi;
        b.compila(testo_di({s}));
        if (c.fallisce) {
            EXPECT_EQ(b.m.codice_errore, 25) << c.ore;
            EXPECT_EQ(b.m.scenario[1].nome, "") << c.ore;
        } else {
            EXPECT_EQ(b.m.codice_errore, 0) << c.ore;
            EXPECT_EQ(b.m.scenario[1].valore4, c.valore4) << c.ore;
        }
    }
}

TEST(MemoStazione, ValuesMustFitTheirTypes) {
    struct caso {
        const char* nome;
        int campo;  // index of the value in the record, from 0
        std::string valore;
    } const casi[] = {
        {"kind", 1, "256"},  {"kind", 1, "-1"},    {"marca", 3, "256"},  {"par1", 6, "32768"},
        {"opz1", 8, "300"},  {"par5", 11, "-32769"}, {"opz2", 12, "256"}, {"hours", 13, "2147483648"},
    };
    for (const caso& c : casi) {
        banco_treno b;
        std::vector<std::string> valori = {"4000", "4", "600", "0", "0", "0", "0", "0",
                                           "0",    "0", "0",   "0", "0", "0", "0", "0"};
        valori[static_cast<std::size_t>(c.campo)] = c.valore;
        std::string riga = "stazione";
        for (const std::string& v : valori) riga += ", " + v;
        b.compila("[generale]\r\n" + riga + ", NOME\r\n[fine]\r\n");
        EXPECT_EQ(b.m.codice_errore, 25) << c.nome << " " << c.valore;
        EXPECT_FALSE(b.file_treno_presente());
    }
}

}  // namespace

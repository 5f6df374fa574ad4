#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "banco_treno.h"
#include "sources/scrittori_testo.h"

namespace {

// Every cell from `da` to `a` (inclusive) holds `atteso` in the field.
template <typename F>
void celle_uguali(banco_treno& b, std::int32_t da, std::int32_t a, F campo, int atteso, const char* nome) {
    for (std::int32_t i = da; i <= a; ++i) ASSERT_EQ(static_cast<int>(campo(b.c(i))), atteso) << nome << " cell " << i;
}

int vel(const cella& c) { return c.vel_limite; }
int ader(const cella& c) { return c.aderenza; }

int conta_tipo(const modello_scenario& m, std::uint8_t tipo) {
    int n = 0;
    for (const cella& c : m.tracciato) n += c.tipo == tipo;
    return n;
}

// ---------------------------------------------------------------------------
// The embedded train file on a line of 22000 m, with the one indication sign
// of the embedded line file already in entry 80.

struct TrenoIncorporato : ::testing::Test {
    banco_treno b{580, 79};
    void SetUp() override {
        dati_treno(b.dir, b.m.nome_linea, b.m.numero_treno);
        ASSERT_TRUE(b.file_treno_presente());
        b.esegui();
        ASSERT_EQ(b.errore, "");
    }
};

TEST_F(TrenoIncorporato, EndsWithoutStatusAndDeletesTheFile) {
    EXPECT_EQ(b.m.codice_errore, 0);
    EXPECT_FALSE(b.file_treno_presente());
    EXPECT_TRUE(b.nomi().empty());
}

TEST_F(TrenoIncorporato, SpeedLimitsAndAdhesion) {
    celle_uguali(b, 0, 19, vel, 6, "vel_limite");
    celle_uguali(b, 20, 577, vel, 20, "vel_limite");
    celle_uguali(b, 578, 580, vel, 0, "vel_limite");
    celle_uguali(b, 0, 577, ader, 100, "aderenza");
    celle_uguali(b, 578, 580, ader, 0, "aderenza");
}

TEST_F(TrenoIncorporato, GeneralData) {
    const auto& m = b.m;
    EXPECT_EQ(m.scenario[voce::dati_generali].valore1, 140);
    EXPECT_EQ(m.scenario[voce::dati_generali].valore3, 8);
    EXPECT_EQ(m.scenario[voce::dati_treno].par1, 300);
    EXPECT_EQ(m.scenario[voce::dati_treno].par3, 20);
    EXPECT_EQ(m.scenario[voce::dati_treno].par4, 8);
    EXPECT_EQ(m.scenario[voce::dati_treno].par5, 30);
}

TEST_F(TrenoIncorporato, Signals) {
    const cella& s = b.c(34);
    EXPECT_EQ(s.tipo, 1);
    EXPECT_EQ(s.valore1, 42);
    EXPECT_EQ(s.valore2, 11);
    EXPECT_EQ(s.valore3, 0);
    EXPECT_EQ(s.valore4, 8);
    EXPECT_EQ(s.tempo_segnale, 0);
    EXPECT_EQ(b.c(32).avviso, 81);
    EXPECT_EQ(b.c(30).avviso, 82);
    EXPECT_EQ(b.c(28).avviso, 83);
    EXPECT_EQ(b.c(26).avviso, 84);
    EXPECT_EQ(b.c(33).avviso, 0);
    EXPECT_EQ(b.c(24).avviso, 0);
    EXPECT_EQ(b.c(32).tipo, tipo_cella::libero);

    EXPECT_EQ(b.c(61).tipo, tipo_cella::segnale);  // 3000 m, s1 = 3
    EXPECT_EQ(b.c(61).valore1, 32);
    EXPECT_EQ(b.c(211).tipo, tipo_cella::segnale);
    EXPECT_EQ(b.c(211).tempo_segnale, 160);
    for (std::int32_t c : {141, 231, 271, 301, 371, 411}) {
        EXPECT_EQ(b.c(c).tipo, tipo_cella::segnale) << c;
        EXPECT_EQ(b.c(c).tempo_segnale, 0) << c;
    }
    EXPECT_EQ(conta_tipo(b.m, 1), 9);
}

TEST_F(TrenoIncorporato, StationEntries) {
    struct attesa {
        int voce;
        int tipo, inizio, fine, posizione;
        int ore, minuti;
        const char* nome;
        int marca_cella;
    };
    const attesa stazioni[] = {
        {1, 22, -300, 300, 0, 20, 9, "TAVA AEROPORTO", 5},
        {2, 4, 3650, 4350, 4000, 20, 11, "TAVA CENTRALE", 86},
        {3, 12, 4800, 5200, 5000, 20, 13, "TAVA SAN CORDANE", 103},
        {4, 12, 8750, 9250, 9000, 0, 0, "SAN MERIDANO TERME", 184},
        {5, 12, 11850, 12150, 12000, 0, 0, "TORVIA", 242},
        {6, 12, 15800, 16200, 16000, 0, 0, "POGGIOLANA", 323},
        {7, 12, 21750, 22250, 22000, 20, 50, "ROVEA", 444},
    };
    for (const attesa& a : stazioni) {
        const voce_scenario& v = b.m.scenario[static_cast<std::size_t>(a.voce)];
        EXPECT_EQ(v.tipo, a.tipo) << a.nome;
        EXPECT_EQ(v.valore1, a.inizio) << a.nome;
        EXPECT_EQ(v.valore2, a.fine) << a.nome;
        EXPECT_EQ(v.valore3, a.posizione) << a.nome;
        EXPECT_EQ(v.valore4, a.ore * 3600 + a.minuti * 60) << a.nome;
        EXPECT_EQ(v.nome, a.nome);
        EXPECT_EQ(b.c(a.marca_cella).tipo, tipo_cella::marca_stazione) << a.nome;
        EXPECT_EQ(b.c(a.marca_cella).valore1, a.voce) << a.nome;
    }
    EXPECT_EQ(b.m.scenario[1].valore4, 72540);
    EXPECT_EQ(conta_tipo(b.m, 10), 7);
    EXPECT_EQ(b.m.scenario[8].nome, "");
    EXPECT_EQ(b.m.scenario[8].tipo, 0);

    const voce_scenario& centrale = b.m.scenario[2];
    EXPECT_EQ(centrale.marca, 1);
    EXPECT_EQ(centrale.opz4, 0);
    EXPECT_EQ(centrale.opz3, 0);
    EXPECT_EQ(centrale.par1, 4);
    EXPECT_EQ(centrale.par2, 1);
    EXPECT_EQ(centrale.opz1, 2);
    EXPECT_EQ(centrale.par3, 2);
    EXPECT_EQ(centrale.par4, 1);
    EXPECT_EQ(centrale.par5, 1);
    EXPECT_EQ(centrale.opz2, 60);
    const voce_scenario& aeroporto = b.m.scenario[1];
    EXPECT_EQ(aeroporto.par3, 4);
    EXPECT_EQ(aeroporto.opz2, 1);
}

TEST_F(TrenoIncorporato, StationApproachMarkers) {
    // First station: 81, 82, 83 in cells 4, 3, 2; none in cell 1.
    EXPECT_EQ(b.c(4).avviso, 81);
    EXPECT_EQ(b.c(3).avviso, 82);
    EXPECT_EQ(b.c(2).avviso, 83);
    EXPECT_EQ(b.c(1).avviso, 0);
    // Second station: 81 to 84 in cells 85 down to 82.
    for (int n = 1; n <= 4; ++n) EXPECT_EQ(b.c(86 - n).avviso, 80 + n) << n;
    EXPECT_EQ(b.c(81).avviso, 0);
    EXPECT_EQ(b.c(86).avviso, 0);
}

// ---------------------------------------------------------------------------
// Every status of the train phase: its code, its position, the track after it.

constexpr std::int32_t posizione_iniziale = -7;  // "posizione_errore unchanged"

struct caso_stato {
    const char* nome;
    std::vector<std::string> righe;  // between "[generale]" and "[fine]"
    std::int32_t codice;
    std::int32_t posizione;
    std::function<void(banco_treno&)> prepara;
    std::function<void(banco_treno&)> verifica;
};

const char* const segnale_1650 = "segnale, 1650, 2, 4, 1, 0, 0, 2, 2, 1, 0, 0";

std::vector<caso_stato> casi_stato() {
    return {
        {"speed position beyond the track",
         {"velocita, 0, 30", "velocita, 28900, 50", "velocita, 28901, 100", "sabbia, 5"},
         15, 28901, nullptr,
         [](banco_treno& b) {
             // The accepted records filled up to cell 577; the refused one and
             // the records after it are not read; the closing fill, with the
             // cursor already at 578, still writes that one cell.
             celle_uguali(b, 0, 577, vel, 6, "vel_limite");
             EXPECT_EQ(b.c(578).vel_limite, 10);
             EXPECT_EQ(b.c(579).vel_limite, 0);
             EXPECT_EQ(b.m.scenario[voce::dati_treno].par1, 0);
         }},
        {"station position beyond the track",
         {"aderenza, 0, 7", "stazione, 28250, 4, 600, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, LONTANA", "sabbia, 5"},
         15, 28250, nullptr,
         [](banco_treno& b) {
             EXPECT_EQ(b.m.scenario[1].valore3, 28250);  // read before the test
             EXPECT_EQ(b.m.scenario[1].tipo, 0);
             EXPECT_EQ(b.m.scenario[1].nome, "");
             EXPECT_EQ(b.m.scenario[voce::dati_treno].par1, 0);
             celle_uguali(b, 0, 577, ader, 7, "aderenza");
         }},
        {"largest station position whose sum with 800 fits a Long",
         {"stazione, 2147482847, 4, 600, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, LONTANA"}, 15, 2147482847, nullptr, nullptr},
        {"signal position beyond the track",
         {"segnale, 28950, 2, 4, 1, 0, 0, 2, 2, 1, 0, 0"}, 15, 28950, nullptr,
         [](banco_treno& b) { EXPECT_EQ(conta_tipo(b.m, 1), 0); }},
        {"slowdown position beyond the track",
         {"rallentamento, 28950, 30, 100, 0, 0, 0"}, 15, 28950, nullptr,
         [](banco_treno& b) { EXPECT_EQ(conta_tipo(b.m, 3), 0); }},
        {"abbattimento position beyond the track",
         {"abbattimento, 29000, 5"}, 15, 29000, nullptr,
         [](banco_treno& b) { EXPECT_EQ(conta_tipo(b.m, 12), 0); }},
        {"adhesion position beyond the track",
         {"aderenza, 0, 9", "aderenza, 28901, 1"}, 15, 28901, nullptr,
         [](banco_treno& b) { celle_uguali(b, 0, 577, ader, 9, "aderenza"); }},
        {"station position not a multiple of 50",
         {"velocita, 0, 30", "stazione, 4025, 4, 600, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, STORTA"},
         8, 4025, nullptr,
         [](banco_treno& b) {
             EXPECT_EQ(b.m.scenario[1].valore3, 4025);
             EXPECT_EQ(b.m.scenario[1].tipo, 0);
             // The method ends: no closing fills.
             celle_uguali(b, 0, 580, vel, 0, "vel_limite");
         }},
        {"station length not a multiple of 100",
         {"stazione, 4000, 4, 650, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, CORTA"}, 9, 4000, nullptr,
         [](banco_treno& b) {
             EXPECT_EQ(b.m.scenario[1].tipo, 4);
             EXPECT_EQ(b.m.scenario[1].valore1, 0);
             EXPECT_EQ(b.m.scenario[1].nome, "");
         }},
        {"station marker at or before cell 1",
         {"stazione, 0, 22, 200, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, PRIMA"}, 24, posizione_iniziale, nullptr,
         [](banco_treno& b) {
             EXPECT_EQ(b.m.scenario[1].valore1, -100);
             EXPECT_EQ(b.m.scenario[1].valore2, 100);
             EXPECT_EQ(b.m.scenario[1].nome, "PRIMA");
             EXPECT_EQ(conta_tipo(b.m, 10), 0);
         }},
        {"station too close to the one before",
         {"stazione, 0, 22, 600, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, PRIMA",
          "stazione, 950, 4, 700, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, SECONDA"},
         22, 950, nullptr,
         [](banco_treno& b) {
             // Its extent and marks are already in place when the spacing fails.
             EXPECT_EQ(b.m.scenario[2].valore1, 600);
             EXPECT_EQ(b.m.scenario[2].valore2, 1300);
             EXPECT_EQ(b.c(25).tipo, tipo_cella::marca_stazione);
             EXPECT_EQ(b.c(25).valore1, 2);
             EXPECT_EQ(b.c(24).avviso, 81);
         }},
        {"stations reach the sign entries",
         {"stazione, 0, 22, 600, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, PRIMA",
          "stazione, 4000, 4, 700, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, SECONDA", "sabbia, 5"},
         10, posizione_iniziale,
         [](banco_treno& b) { b.s.prossima_voce_cartello = 3; },
         [](banco_treno& b) {
             EXPECT_EQ(b.m.scenario[2].nome, "SECONDA");
             EXPECT_EQ(b.c(86).tipo, tipo_cella::marca_stazione);
             EXPECT_EQ(b.m.scenario[voce::dati_treno].par1, 0);
             EXPECT_EQ(b.s.contatore_stazioni, 3);
         }},
        {"abbattimento cell taken",
         {segnale_1650, "abbattimento, 1700, 5"}, 7, 1700, nullptr,
         [](banco_treno& b) {
             EXPECT_EQ(b.c(34).tipo, tipo_cella::segnale);
             EXPECT_EQ(b.c(34).valore1, 42);
         }},
        {"signal cell taken",
         {segnale_1650, "segnale, 1640, 1, 7, 7, 7, 7, 1, 7, 7, 7, 0"}, 16, 1640, nullptr,
         [](banco_treno& b) {
             EXPECT_EQ(b.c(34).valore1, 42);
             EXPECT_EQ(b.c(32).avviso, 81);  // the refused signal writes nothing
         }},
        {"slowdown warning board cell taken",
         {"segnale, 1800, 2, 4, 1, 0, 0, 2, 2, 1, 0, 0", "rallentamento, 3000, 30, 500, 1, 1, 2"}, 17, 3000,
         nullptr,
         [](banco_treno& b) {
             EXPECT_EQ(b.c(37).tipo, tipo_cella::segnale);
             EXPECT_EQ(b.c(61).tipo, tipo_cella::libero);
             EXPECT_EQ(b.c(71).tipo, tipo_cella::libero);
         }},
        {"slowdown start cell taken",
         {"segnale, 2950, 2, 4, 1, 0, 0, 2, 2, 1, 0, 0", "rallentamento, 2950, 30, 500, 1, 1, 2"}, 18, 2950,
         nullptr,
         [](banco_treno& b) {
             EXPECT_EQ(b.c(36).tipo, tipo_cella::libero);
             EXPECT_EQ(b.c(70).tipo, tipo_cella::libero);
         }},
        {"slowdown end cell taken",
         {"segnale, 3500, 2, 4, 1, 0, 0, 2, 2, 1, 0, 0", "rallentamento, 3000, 30, 500, 1, 1, 2"}, 19, 3000,
         nullptr,
         [](banco_treno& b) {
             EXPECT_EQ(b.c(37).tipo, tipo_cella::libero);
             EXPECT_EQ(b.c(61).tipo, tipo_cella::libero);
             EXPECT_EQ(b.c(71).tipo, tipo_cella::segnale);
         }},
        {"slowdown lead-in cells taken",
         {segnale_1650, "rallentamento, 3000, 30, 500, 4, 1, 2"}, 20, 3000, nullptr,
         [](banco_treno& b) {
             // Start, end and warning board stay; no lead-in cell is written.
             EXPECT_EQ(b.c(61).tipo, tipo_cella::inizio_rallentamento);
             EXPECT_EQ(b.c(61).valore1, 30);
             EXPECT_EQ(b.c(71).tipo, tipo_cella::fine_rallentamento);
             EXPECT_EQ(b.c(71).valore3, 4);
             EXPECT_EQ(b.c(37).tipo, tipo_cella::avviso_rallentamento);
             EXPECT_EQ(b.c(37).valore2, 2);
             EXPECT_EQ(b.c(36).tipo, tipo_cella::libero);
             EXPECT_EQ(b.c(35).tipo, tipo_cella::libero);
             EXPECT_EQ(b.c(34).tipo, tipo_cella::segnale);
             EXPECT_EQ(b.c(33).tipo, tipo_cella::libero);
         }},
        {"progressive not a multiple of 50",
         {"velocita, 0, 30"}, 2, posizione_iniziale,
         [](banco_treno& b) { b.m.scenario[voce::progressiva_media].valore2 = 1025; },
         [](banco_treno& b) { celle_uguali(b, 0, 577, vel, 6, "vel_limite"); }},
        {"progressive check replaces a position failure",
         {"velocita, 0, 30", "velocita, 29000, 50"}, 2, 29000,
         [](banco_treno& b) { b.m.scenario[voce::progressiva_minore].valore1 = -25; },
         [](banco_treno& b) { celle_uguali(b, 0, 577, vel, 6, "vel_limite"); }},
        {"file ends inside a record",
         {"sabbia, 4", "velocita, 0, 30", "segnale, 1650, 2, 4"}, 25, posizione_iniziale, nullptr,
         [](banco_treno& b) {
             EXPECT_EQ(b.m.scenario[voce::dati_treno].par1, 4);
             celle_uguali(b, 0, 580, vel, 0, "vel_limite");
         }},
    };
}

TEST(FaseTrenoStati, EachStatusWithItsPositionAndTrack) {
    for (const caso_stato& caso : casi_stato()) {
        SCOPED_TRACE(caso.nome);
        banco_treno b;
        b.m.posizione_errore = posizione_iniziale;
        if (caso.prepara) caso.prepara(b);
        std::string testo = "[generale]\r\n";
        for (const std::string& r : caso.righe) testo += r + "\r\n";
        if (caso.codice != 25) testo += "[fine]\r\n";
        b.compila(testo);
        EXPECT_EQ(b.m.codice_errore, caso.codice);
        EXPECT_EQ(b.m.posizione_errore, caso.posizione);
        EXPECT_FALSE(b.file_treno_presente());
        EXPECT_EQ(b.s.file_aperto, sorgente::nessuna);
        if (caso.verifica) caso.verifica(b);
    }
}

// Runtime failures: status 25, the position untouched, the train file gone,
// and what was written before the failure kept.
struct caso_fallimento {
    const char* nome;
    std::vector<std::string> righe;
    std::function<void(banco_treno&)> verifica;
};

std::vector<caso_fallimento> casi_fallimento() {
    return {
        {"value field not a number", {"sabbia, 4", "vetture, otto"},
         [](banco_treno& b) { EXPECT_EQ(b.m.scenario[voce::dati_treno].par1, 4); }},
        {"Integer value too large", {"sabbia, 32768"}, nullptr},
        {"Byte value too large", {"stazione, 4000, 256, 600, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, X"},
         [](banco_treno& b) { EXPECT_EQ(b.m.scenario[1].valore3, 4000); }},
        {"Long value too large", {"vetture, 2147483648"}, nullptr},
        {"speed of 1278 km/h", {"velocita, 0, 1278"}, nullptr},
        {"negative speed", {"velocita, 0, -3"}, nullptr},
        {"adhesion cursor pushed beyond the track",
         {"aderenza, 0, 1", "aderenza, 28900, 2", "aderenza, 28900, 3", "aderenza, 28900, 4", "aderenza, 28900, 5",
          "aderenza, 28900, 6"},
         [](banco_treno& b) {
             celle_uguali(b, 0, 577, ader, 1, "aderenza");
             EXPECT_EQ(b.c(578).aderenza, 2);
             EXPECT_EQ(b.c(579).aderenza, 3);
             EXPECT_EQ(b.c(580).aderenza, 4);
         }},
        {"abbattimento at a negative position", {"abbattimento, -100, 5"}, nullptr},
        {"signal whose approach cells fall before the track",
         {"segnale, 300, 2, 4, 1, 0, 0, 2, 2, 1, 0, 0"},
         [](banco_treno& b) {
             // Cell 7: the signal and the approach cells 5, 3 and 1 stay.
             EXPECT_EQ(b.c(7).tipo, tipo_cella::segnale);
             EXPECT_EQ(b.c(5).avviso, 81);
             EXPECT_EQ(b.c(3).avviso, 82);
             EXPECT_EQ(b.c(1).avviso, 83);
         }},
        {"slowdown ending beyond the track", {"rallentamento, 28000, 30, 2000, 0, 0, 0"},
         [](banco_treno& b) {
             EXPECT_EQ(conta_tipo(b.m, 4), 0);
             EXPECT_EQ(conta_tipo(b.m, 3), 0);
         }},
        {"slowdown starting before the track", {"rallentamento, -200, 30, 400, 0, 0, 0"}, nullptr},
        {"station marker beyond the track",
         {"stazione, 28000, 4, 2200, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, LUNGA"},
         [](banco_treno& b) {
             // Extent 26900 to 29100: approach markers in cells 580 to 577,
             // the station marker would fall in cell 581.
             EXPECT_EQ(b.m.scenario[1].valore2, 29100);
             EXPECT_EQ(b.c(580).avviso, 81);
             EXPECT_EQ(b.c(577).avviso, 84);
             EXPECT_EQ(conta_tipo(b.m, 10), 0);
         }},
        {"station time beyond a Long",
         {"stazione, 4000, 4, 600, 0,0,0, 0,0,0, 0,0,0, 0, 596524, 60, 0, TARDI"},
         [](banco_treno& b) { EXPECT_EQ(b.m.scenario[1].nome, ""); }},
        {"speed position plus 100 beyond a Long", {"velocita, 0, 30", "velocita, 2147483548, 50"},
         [](banco_treno& b) { EXPECT_EQ(b.c(0).vel_limite, 0); }},
        {"station position plus 800 beyond a Long",
         {"stazione, 2147482848, 4, 600, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, LONTANA"},
         [](banco_treno& b) { EXPECT_EQ(b.m.scenario[1].valore3, 2147482848); }},
        {"station extent beyond a Long",
         {"stazione, 4000, 7, 2147483600, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, ENORME"}, nullptr},
    };
}

TEST(FaseTrenoStati, RuntimeFailuresRecordStatus25) {
    for (const caso_fallimento& caso : casi_fallimento()) {
        SCOPED_TRACE(caso.nome);
        banco_treno b;
        b.m.posizione_errore = posizione_iniziale;
        std::string testo = "[generale]\r\n";
        for (const std::string& r : caso.righe) testo += r + "\r\n";
        b.compila(testo + "[fine]\r\n");
        EXPECT_EQ(b.m.codice_errore, 25);
        EXPECT_EQ(b.m.posizione_errore, posizione_iniziale);
        EXPECT_NE(b.errore, "");
        EXPECT_FALSE(b.file_treno_presente());
        if (caso.verifica) caso.verifica(b);
    }
}

TEST(FaseTrenoStati, MissingOrEmptyTrainFileIsARuntimeFailure) {
    {
        banco_treno b;
        b.esegui();
        EXPECT_EQ(b.m.codice_errore, 25);
        EXPECT_FALSE(b.file_treno_presente());
    }
    {
        banco_treno b;
        b.c(3).pendenza = 102;  // left by the line phase
        b.compila("");
        EXPECT_EQ(b.m.codice_errore, 25);
        EXPECT_FALSE(b.file_treno_presente());
        EXPECT_EQ(b.c(3).pendenza, 102);
        EXPECT_EQ(b.c(3).vel_limite, 0);
    }
}

// A position failure of the line phase (15) is still set: the phase reads on,
// and the first signal or slowdown, once placed, ends the method with its own
// position.
TEST(FaseTrenoStati, LinePhaseStatusEndsAtTheFirstSignalOrSlowdown) {
    {
        banco_treno b;
        b.m.codice_errore = 15;
        b.m.posizione_errore = 40000;
        b.compila_righe("velocita, 0, 30", "stazione, 0, 22, 600, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, PRIMA",
                        "abbattimento, 2500, 3", segnale_1650, "sabbia, 5");
        EXPECT_EQ(b.m.codice_errore, 15);
        EXPECT_EQ(b.m.posizione_errore, 1650);
        EXPECT_FALSE(b.file_treno_presente());
        EXPECT_EQ(b.c(5).tipo, tipo_cella::marca_stazione);
        EXPECT_EQ(b.c(50).tipo, tipo_cella::tabella_con_valore);
        EXPECT_EQ(b.c(34).tipo, tipo_cella::segnale);  // placed before the status ends the method
        EXPECT_EQ(b.c(26).avviso, 84);
        EXPECT_EQ(b.m.scenario[voce::dati_treno].par1, 0);
        celle_uguali(b, 0, 580, vel, 0, "vel_limite");
    }
    {
        banco_treno b;
        b.m.codice_errore = 15;
        b.m.posizione_errore = 40000;
        b.compila_righe("rallentamento, 3000, 30, 500, 0, 0, 0", segnale_1650);
        EXPECT_EQ(b.m.codice_errore, 15);
        EXPECT_EQ(b.m.posizione_errore, 3000);
        EXPECT_EQ(b.c(61).tipo, tipo_cella::inizio_rallentamento);
        EXPECT_EQ(b.c(34).tipo, tipo_cella::libero);
    }
    {
        // Without signals or slowdowns the phase runs to its end.
        banco_treno b;
        b.m.codice_errore = 15;
        b.m.posizione_errore = 40000;
        b.compila_righe("velocita, 0, 30", "sabbia, 5");
        EXPECT_EQ(b.m.codice_errore, 15);
        EXPECT_EQ(b.m.posizione_errore, 40000);
        EXPECT_EQ(b.m.scenario[voce::dati_treno].par1, 5);
        celle_uguali(b, 0, 577, vel, 6, "vel_limite");
    }
}

// ---------------------------------------------------------------------------
// Reading the records.

TEST(FaseTrenoLettura, KeywordsIgnoreLetterCase) {
    banco_treno b;
    b.compila_righe("NUMERO VETTURE, 9", "Percentuale MASSA Frenata, 120", "VELOCIT\xC0, 0, 40", "Aderenza, 0, 90",
                    "OroLogio, 7, 6, 5", "SABBIA, 11", "STAZIONE, 0, 25, 600, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, MAIUSCOLA",
                    "Segnale, 1650, 2, 4, 1, 0, 0, 2, 2, 1, 0, 0", "RALLENTAMENTO, 5000, 30, 100, 0, 0, 0",
                    "ABBATTIMENTO, 9000, 3");
    EXPECT_EQ(b.m.codice_errore, 0);
    EXPECT_EQ(b.m.scenario[voce::dati_generali].valore3, 9);
    EXPECT_EQ(b.m.scenario[voce::dati_generali].valore1, 120);
    EXPECT_EQ(b.c(0).vel_limite, 8);
    EXPECT_EQ(b.c(0).aderenza, 90);
    EXPECT_EQ(b.m.scenario[voce::dati_treno].par3, 7);
    EXPECT_EQ(b.m.scenario[voce::dati_treno].par5, 5);
    EXPECT_EQ(b.m.scenario[voce::dati_treno].par1, 11);
    EXPECT_EQ(b.m.scenario[1].nome, "MAIUSCOLA");
    EXPECT_EQ(b.c(34).tipo, tipo_cella::segnale);
    EXPECT_EQ(b.c(101).tipo, tipo_cella::inizio_rallentamento);
    EXPECT_EQ(b.c(180).tipo, tipo_cella::tabella_con_valore);
}

TEST(FaseTrenoLettura, BrakedMassNeedsBothWords) {
    banco_treno b;
    b.compila_righe("frenata, 140", "massa, 130", "sabbia, 2");
    EXPECT_EQ(b.m.codice_errore, 0);
    EXPECT_EQ(b.m.scenario[voce::dati_generali].valore1, 0);
    EXPECT_EQ(b.m.scenario[voce::dati_treno].par1, 2);
}

// Every matching test reads its own record, in the order of the tests, not
// of the words in the field.
TEST(FaseTrenoLettura, AFieldWithTwoKeywordsReadsTwoRecords) {
    banco_treno b;
    b.compila_righe("sabbia e orologio, 20, 8, 30, 300", "vetture frenata massa, 150, 6");
    EXPECT_EQ(b.m.codice_errore, 0);
    EXPECT_EQ(b.m.scenario[voce::dati_treno].par3, 20);
    EXPECT_EQ(b.m.scenario[voce::dati_treno].par4, 8);
    EXPECT_EQ(b.m.scenario[voce::dati_treno].par5, 30);
    EXPECT_EQ(b.m.scenario[voce::dati_treno].par1, 300);
    EXPECT_EQ(b.m.scenario[voce::dati_generali].valore1, 150);
    EXPECT_EQ(b.m.scenario[voce::dati_generali].valore3, 6);
}

// A refused position stops the loop at once: the later tests of the same
// field read nothing.
TEST(FaseTrenoLettura, APositionFailureStopsTheOtherTestsOfTheField) {
    banco_treno b;
    b.compila_righe("velocita e sabbia, 29000, 50, 7");
    EXPECT_EQ(b.m.codice_errore, 15);
    EXPECT_EQ(b.m.posizione_errore, 29000);
    EXPECT_EQ(b.m.scenario[voce::dati_treno].par1, 0);
}

TEST(FaseTrenoLettura, CommentRuns) {
    struct caso {
        const char* nome;
        std::vector<std::string> righe;
        int sabbia;
    };
    const caso casi[] = {
        {"a line of hyphens", {"----------", "sabbia, 4"}, 4},
        {"two comments in a row", {"-----", "-- nota --", "sabbia, 4"}, 4},
        {"the third field is taken whatever it holds", {"-----", "-----", "-sabbia-, 4"}, 4},
        {"a comment holding a keyword reads nothing", {"-- sabbia --, 4", "vetture, 2"}, 0},
        {"a second comment holding a keyword reads nothing", {"-----", "-sabbia-, 4"}, 0},
        {"negative values are values", {"aderenza, 0, -1", "sabbia, -4"}, -4},
    };
    for (const caso& c : casi) {
        SCOPED_TRACE(c.nome);
        banco_treno b;
        std::string testo = "[generale]\r\n";
        for (const std::string& r : c.righe) testo += r + "\r\n";
        b.compila(testo + "[fine]\r\n");
        EXPECT_EQ(b.m.codice_errore, 0);
        EXPECT_EQ(b.m.scenario[voce::dati_treno].par1, c.sabbia);
    }
}

TEST(FaseTrenoLettura, ClockWithCommasOrBlanks) {
    for (const char* riga : {"orologio,    20              8             30 ", "orologio, 20, 8, 30", "orologio, 20\r\n8, 30"}) {
        banco_treno b;
        b.compila_righe(riga);
        EXPECT_EQ(b.m.codice_errore, 0) << riga;
        EXPECT_EQ(b.m.scenario[voce::dati_treno].par3, 20) << riga;
        EXPECT_EQ(b.m.scenario[voce::dati_treno].par4, 8) << riga;
        EXPECT_EQ(b.m.scenario[voce::dati_treno].par5, 30) << riga;
    }
}

TEST(FaseTrenoLettura, GeneralSectionIsFoundAnywhereAndInAnyCase) {
    {
        banco_treno b;
        b.compila(righe_crlf("sabbia, 1", "titolo [GENERALE] treno", "sabbia, 2", "[fine]"));
        EXPECT_EQ(b.m.codice_errore, 0);
        EXPECT_EQ(b.m.scenario[voce::dati_treno].par1, 2);
    }
    {
        // No section: nothing is read, no status; the closing fills still run.
        banco_treno b;
        b.compila(righe_crlf("sabbia, 1", "velocita, 0, 100", "[fine]"));
        EXPECT_EQ(b.m.codice_errore, 0);
        EXPECT_EQ(b.m.scenario[voce::dati_treno].par1, 0);
        celle_uguali(b, 0, 580, vel, 0, "vel_limite");
        EXPECT_FALSE(b.file_treno_presente());
    }
}

TEST(FaseTrenoLettura, TheLastFieldIsNeverInterpreted) {
    for (const char* fine : {"vetture", "vetture\r\n"}) {
        banco_treno b;
        b.compila(std::string("[generale]\r\nsabbia, 4\r\n") + fine);
        EXPECT_EQ(b.m.codice_errore, 0) << fine;
        EXPECT_EQ(b.m.scenario[voce::dati_generali].valore3, 0) << fine;
        EXPECT_EQ(b.m.scenario[voce::dati_treno].par1, 4) << fine;
    }
}

TEST(FaseTrenoLettura, AStationNameIsCutAtAComma) {
    banco_treno b;
    b.compila_righe("stazione, 0, 22, 600, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, SAN CORDANE, NORD", "sabbia, 4",
                    "stazione, 4000, 22, 600, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, ALFA, VETTURE", "12");
    EXPECT_EQ(b.m.codice_errore, 0);
    EXPECT_EQ(b.m.scenario[1].nome, "SAN CORDANE");
    EXPECT_EQ(b.m.scenario[2].nome, "ALFA");
    EXPECT_EQ(b.m.scenario[voce::dati_treno].par1, 4);
    EXPECT_EQ(b.m.scenario[voce::dati_generali].valore3, 12);  // the rest of the name held a keyword
}

// ---------------------------------------------------------------------------
// Speed limits and adhesion.

TEST(FaseTrenoVelocita, PositionsRoundHalfToEven) {
    banco_treno b;
    b.compila_righe("velocita, 0, 30", "velocita, 25, 50", "velocita, 75, 100", "aderenza, 0, 1", "aderenza, 125, 2");
    EXPECT_EQ(b.m.codice_errore, 0);
    // 25 m is cell 0: nothing filled; 75 m is cell 2: cells 0 and 1 take 50.
    EXPECT_EQ(b.c(0).vel_limite, 10);
    EXPECT_EQ(b.c(1).vel_limite, 10);
    celle_uguali(b, 2, 577, vel, 20, "vel_limite");
    // 125 m is cell 2.
    EXPECT_EQ(b.c(1).aderenza, 1);
    EXPECT_EQ(b.c(2).aderenza, 2);
}

TEST(FaseTrenoVelocita, FifthOfTheSpeedRoundsHalfToEven) {
    struct caso {
        std::int32_t velocita;
        int cella;
    } const casi[] = {{0, 0}, {12, 2}, {1, 0}, {2, 0}, {3, 1}, {7, 1}, {8, 2}, {37, 7}, {1277, 255}, {-2, 0}};
    for (const caso& c : casi) {
        banco_treno b;
        b.compila_righe("velocita, 0, " + std::to_string(c.velocita));
        EXPECT_EQ(b.m.codice_errore, 0) << c.velocita;
        EXPECT_EQ(b.c(0).vel_limite, c.cella) << c.velocita;
        EXPECT_EQ(b.c(577).vel_limite, c.cella) << c.velocita;
    }
    // 1278 km/h fails only when cells are filled with it.
    banco_treno b;
    b.compila_righe("velocita, 0, 100", "velocita, 500, 1278", "velocita, 600, 30");
    EXPECT_EQ(b.m.codice_errore, 25);
    celle_uguali(b, 0, 9, vel, 20, "vel_limite");
    EXPECT_EQ(b.c(10).vel_limite, 0);
}

TEST(FaseTrenoVelocita, AdhesionKeepsItsLowEightBits) {
    banco_treno b;
    b.compila_righe("aderenza, 0, 300", "aderenza, 100, -1");
    EXPECT_EQ(b.m.codice_errore, 0);
    EXPECT_EQ(b.c(0).aderenza, 44);
    EXPECT_EQ(b.c(1).aderenza, 44);
    celle_uguali(b, 2, 577, ader, 255, "aderenza");
}

// A record whose cell is not beyond the cursor still fills the cursor's cell.
TEST(FaseTrenoVelocita, RecordsBehindTheCursorAdvanceItByOne) {
    banco_treno b;
    b.compila_righe("velocita, 0, 30", "velocita, 1000, 100", "velocita, 500, 50", "aderenza, 0, 1",
                    "aderenza, 100, 2", "aderenza, 100, 3");
    EXPECT_EQ(b.m.codice_errore, 0);
    celle_uguali(b, 0, 19, vel, 6, "vel_limite");
    EXPECT_EQ(b.c(20).vel_limite, 20);
    celle_uguali(b, 21, 577, vel, 10, "vel_limite");
    EXPECT_EQ(b.c(0).aderenza, 1);
    EXPECT_EQ(b.c(1).aderenza, 1);
    EXPECT_EQ(b.c(2).aderenza, 2);
    celle_uguali(b, 3, 577, ader, 3, "aderenza");
}

// The speed fill stops at the last cell; the closing fill writes at least
// one cell, here the last one.
TEST(FaseTrenoVelocita, SpeedCursorStopsAtTheLastCell) {
    banco_treno b(10);
    b.compila_righe("velocita, 0, 30", "velocita, 400, 50", "velocita, 400, 60", "velocita, 400, 70",
                    "velocita, 400, 80", "velocita, 400, 90");
    EXPECT_EQ(b.m.codice_errore, 0);
    celle_uguali(b, 0, 7, vel, 6, "vel_limite");
    EXPECT_EQ(b.c(8).vel_limite, 10);
    EXPECT_EQ(b.c(9).vel_limite, 12);
    EXPECT_EQ(b.c(10).vel_limite, 18);
    EXPECT_EQ(b.s.cursore_velocita, 11);
}

TEST(FaseTrenoVelocita, NoRecordsGiveZeroUpToThreeCellsBeforeTheEnd) {
    banco_treno b;
    b.compila_righe("sabbia, 1");
    EXPECT_EQ(b.m.codice_errore, 0);
    EXPECT_EQ(b.s.cursore_velocita, 578);
    EXPECT_EQ(b.s.cursore_aderenza, 578);
    celle_uguali(b, 0, 580, vel, 0, "vel_limite");
    celle_uguali(b, 0, 580, ader, 0, "aderenza");
}

// ---------------------------------------------------------------------------
// Abbattimento points.

TEST(FaseTrenoAbbattimento, BoardWithOrWithoutValue) {
    banco_treno b;
    b.c(40).tipo = tipo_cella::marca_montagna;  // mountain mark: free
    b.c(60).valore1 = 99;
    b.c(80).valore1 = 98;
    b.compila_righe("abbattimento, 1000, 180", "abbattimento, 2000, 70000", "abbattimento, 3000, 0",
                    "abbattimento, 4000, -5", "abbattimento, 25, 1", "abbattimento, 75, 1");
    EXPECT_EQ(b.m.codice_errore, 0);
    EXPECT_EQ(b.c(20).tipo, tipo_cella::tabella_con_valore);
    EXPECT_EQ(b.c(20).valore1, 180);
    EXPECT_EQ(b.c(40).tipo, tipo_cella::tabella_con_valore);
    EXPECT_EQ(b.c(40).valore1, 70000 - 65536);
    EXPECT_EQ(b.c(60).tipo, tipo_cella::tabella_senza_valore);
    EXPECT_EQ(b.c(60).valore1, 99);
    EXPECT_EQ(b.c(80).tipo, tipo_cella::tabella_senza_valore);
    EXPECT_EQ(b.c(80).valore1, 98);
    EXPECT_EQ(b.c(0).tipo, tipo_cella::tabella_con_valore);
    EXPECT_EQ(b.c(2).tipo, tipo_cella::tabella_con_valore);
    EXPECT_EQ(b.c(1).tipo, tipo_cella::libero);
}

}  // namespace

// The timetable and braking checks: each check's own wrong and right
// examples, built; the embedded scenario's one timetable warning; the reading
// of a run past midnight; the input the checks read from a built model.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "compila_prova.h"
#include "scenario_incorporato.h"
#include "tests/generatore/generatore.h"
#include "tools/analisi/controlli_marcia.h"
#include "tools/analisi/ingresso_marcia.h"
#include "tools/analisi/orari.h"

namespace {

const std::string linea_prova = "[generale]\r\nlunghezza percorso,    22000\r\n[curve]\r\n[fine]\r\n";

// A train file of a level 22 km line at 100 km/h, with `record` after the
// general records (its own records replace them).
std::string treno_con(const std::string& record) {
    return "[generale]\r\nnumero vetture,    8\r\npercentuale massa frenata,    140\r\n"
           "orologio,    20  8  30\r\nvelocita,   0,   100\r\naderenza,   0,   100\r\n" +
           record + "\r\n[fine]\r\n";
}

std::vector<rilievo_marcia> rilievi_di(const std::string& treno) {
    const modello_scenario m = compila_in_memoria(linea_prova, treno);
    EXPECT_EQ(m.codice_errore, 0) << treno;
    return rilievi_marcia(m, opzioni_marcia{});
}

std::vector<std::string> nomi(const std::vector<rilievo_marcia>& r) {
    std::vector<std::string> n;
    for (const rilievo_marcia& x : r) n.push_back(x.nome);
    return n;
}

}  // namespace

TEST(ControlliMarcia, EachChecksWrongExampleFindsItAndItsRightExampleNothing) {
    for (const scheda_controllo* s : schede_controlli_marcia()) {
        EXPECT_EQ(s->livello, gravita::avviso) << s->nome;
        const std::vector<std::string> sbagliato = nomi(rilievi_di(treno_con(s->sbagliato)));
        EXPECT_EQ(sbagliato, std::vector<std::string>{s->nome}) << s->nome;
        EXPECT_TRUE(rilievi_di(treno_con(s->giusto)).empty()) << s->nome;
    }
}

TEST(ControlliMarcia, TheNamesAreOneEach) {
    std::vector<std::string> n;
    for (const scheda_controllo* s : schede_controlli_marcia()) n.push_back(s->nome);
    std::sort(n.begin(), n.end());
    EXPECT_EQ(std::adjacent_find(n.begin(), n.end()), n.end());
}

// TAVA CENTRALE lies 4,000 m after TAVA AEROPORTO, the first 1,000 m at
// 30 km/h and the rest at 100 km/h (120 s + 108 s), two minutes later.
TEST(ControlliMarcia, TheEmbeddedScenarioGivesOnlyItsImpossibleTimetable) {
    const modello_scenario m = compila_in_memoria(linea_incorporata, treno_incorporato);
    const std::vector<rilievo_marcia> r = rilievi_marcia(m, opzioni_marcia{});
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0].nome, "timetable-impossible");
    EXPECT_EQ(r[0].messaggio,
              "the timetable gives 2 min 0 s for 4,000 m; at the line's limits it takes at least 3 min 48 s");
    EXPECT_EQ(r[0].dove.file, sorgente::treno);
    EXPECT_EQ(r[0].dove.riga, m.origine_voci[2].riga);
    EXPECT_GT(r[0].dove.riga, 0);
}

TEST(ControlliMarcia, ImpossibleSaysBothFiguresAndNamesTheStation) {
    const std::vector<rilievo_marcia> r = rilievi_di(treno_con(
        "stazione,     0, 22, 600, 0,0,0, 0,0,0, 4,1,1, 1, 20,9, 0, A\r\n"
        "stazione,  19500, 4, 700, 1,0,0, 4,1,2, 2,1,1, 60, 20,11, 0, B"));
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0].messaggio,
              "the timetable gives 2 min 0 s for 19,500 m; at the line's limits it takes at least 11 min 42 s");
    EXPECT_EQ(r[0].dove.riga, 8);
}

// Times in order along one run: a step back of less than twelve hours is a
// step back; more reads as the next day.
TEST(ControlliMarcia, ARunPastMidnightReadsOnTheNextDay) {
    struct caso {
        const char* prima;
        const char* dopo;
        bool indietro;
    };
    for (const caso& c : {caso{"23,55,0", "0,20,0", false}, caso{"20,11,0", "20,5,0", true},
                          caso{"12,0,0", "0,5,0", true}, caso{"23,0,0", "10,0,0", false}}) {
        const std::vector<std::string> n = nomi(rilievi_di(treno_con(
            "orologio, 0 0 1\r\n"
            "stazione,  2000, 4, 700, 1,0,0, 4,1,2, 2,1,1, 60, " + std::string(c.prima) + ", A\r\n"
            "stazione,  20000, 4, 700, 1,0,0, 4,1,2, 2,1,1, 60, " + std::string(c.dopo) + ", B")));
        EXPECT_EQ(std::count(n.begin(), n.end(), "timetable-backwards"), c.indietro ? 1 : 0) << c.prima << " " << c.dopo;
    }
    EXPECT_EQ(orario_dopo(23 * 3600, 600), 86400 + 600);
    EXPECT_EQ(orario_dopo(86400 + 600, 23 * 3600), 86400 + 23 * 3600);
    EXPECT_EQ(orario_dopo(20 * 3600, 19 * 3600), 19 * 3600);
}

TEST(ControlliMarcia, BeforeTheStartClockAcrossMidnight) {
    // clock 23:50, first station 00:10: the next day, not before the start
    EXPECT_TRUE(rilievi_di(treno_con("orologio, 23 50 0\r\n"
                                     "stazione,  0, 22, 600, 0,0,0, 0,0,0, 4,1,1, 1, 0,10, 0, A"))
                    .empty());
    const std::vector<rilievo_marcia> r = rilievi_di(treno_con("orologio, 23 50 0\r\n"
                                                        "stazione,  0, 22, 600, 0,0,0, 0,0,0, 4,1,1, 1, 23,40, 0, A"));
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0].messaggio, "'A', the first timed station, leaves at 23:40:00, before the start clock 23:50:00");
}

TEST(ControlliMarcia, SlowdownBrakingNamesTheSlowdownAndTheDistance) {
    const std::vector<rilievo_marcia> r = rilievi_di(treno_con(
        "percentuale massa frenata,    60\r\nvelocita,   0,   200\r\nrallentamento,   9000,   30,   500, 0, 0, 0"));
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0].dove.riga, 9);
    // (55.56² − 8.33²) / (2 · 6.1 · 7 / 99.79) = 3,525.4 m: the 3,526th metre reaches it
    EXPECT_EQ(r[0].messaggio,
              "a train at 200 km/h at the warning board needs 3,526 m to brake to the slowdown's 30 km/h "
              "(braked mass 60 %); the board stands 1,200 m before the slowdown");
}

TEST(ControlliMarcia, ASlowdownNotSlowerThanTheLimitNeedsNoBraking) {
    EXPECT_TRUE(rilievi_di(treno_con("percentuale massa frenata,    10\r\nrallentamento,   9000,   100,   500, 0, 0, 0"))
                    .empty());
    EXPECT_TRUE(rilievi_di(treno_con("percentuale massa frenata,    10\r\nrallentamento,   1500,   10,   500, 0, 0, 0"))
                    .empty());  // no warning board before 1,550 m
}

TEST(IngressoMarcia, TheEmbeddedModelAsTheRunReadsIt) {
    const modello_scenario m = compila_in_memoria(linea_incorporata, treno_incorporato);
    const ingresso_marcia in = ingresso_dal_modello(m);
    EXPECT_EQ(in.lunghezza, 22000);
    ASSERT_GE(in.limiti.size(), 2u);
    EXPECT_EQ(in.limiti[0].da, 0);
    EXPECT_EQ(in.limiti[0].a, 1000);
    EXPECT_EQ(in.limiti[0].velocita, 30);
    EXPECT_EQ(in.limiti[1].velocita, 100);
    EXPECT_EQ(limite_linea_a(in, 999), 30);
    EXPECT_EQ(limite_linea_a(in, 1000), 100);
    EXPECT_EQ(pendenza_a(in, 3499), 2);
    EXPECT_EQ(pendenza_a(in, 3500), 0);
    ASSERT_EQ(in.stazioni.size(), 7u);
    EXPECT_EQ(in.stazioni[1].nome, "TAVA CENTRALE");
    EXPECT_EQ(in.stazioni[1].posizione, 4000);
    EXPECT_EQ(in.stazioni[1].orario, 20 * 3600 + 11 * 60);
    EXPECT_FALSE(in.stazioni[3].orario.has_value());
    EXPECT_EQ(stazioni_con_orario(in).size(), 4u);
    EXPECT_EQ(in.orologio, 20 * 3600 + 8 * 60 + 30);
    EXPECT_EQ(in.treno.vetture, 8);
    EXPECT_EQ(in.treno.massa_frenata, 140);
    EXPECT_TRUE(in.rallentamenti.empty());
}

TEST(IngressoMarcia, ASlowdownIsReadFromItsCells) {
    const modello_scenario m = compila_in_memoria(linea_prova, treno_con("rallentamento,   9000,   30,   500, 0, 0, 0"));
    const ingresso_marcia in = ingresso_dal_modello(m);
    ASSERT_EQ(in.rallentamenti.size(), 1u);
    EXPECT_EQ(in.rallentamenti[0].inizio, 9000);
    EXPECT_EQ(in.rallentamenti[0].fine, 9500);
    EXPECT_EQ(in.rallentamenti[0].velocita, 30);
    const std::vector<tratto_limite> v = velocita_ammessa(in, 8000, 10000);
    ASSERT_EQ(v.size(), 3u);
    EXPECT_EQ(v[1].da, 9000);
    EXPECT_EQ(v[1].a, 9500);
    EXPECT_EQ(v[1].velocita, 30);
}

TEST(Orari, Words) {
    EXPECT_EQ(testo_durata(120), "2 min 0 s");
    EXPECT_EQ(testo_durata(45), "45 s");
    EXPECT_EQ(testo_durata(3605), "1 h 0 min 5 s");
    EXPECT_EQ(testo_durata(-228), "-3 min 48 s");
    EXPECT_EQ(testo_metri(4000), "4,000 m");
    EXPECT_EQ(testo_metri(1234567), "1,234,567 m");
    EXPECT_EQ(testo_metri(999), "999 m");
    EXPECT_EQ(testo_orario(86400 + 3661), "01:01:01");
}

// Scenarios generated without edge cases: the counts of each finding, for the
// closing note (they are real: the generator's times and slowdowns are drawn
// without regard to the line's limits).
TEST(ControlliMarcia, GeneratedScenariosGiveNoBackwardsOrBeforeStart) {
    for (std::uint64_t seme = 1; seme <= 20; ++seme) {
        parametri_generatore p;
        p.seme = seme;
        p.lunghezza = 20000;
        p.casi_limite = false;
        const scenario_generato s = genera_scenario(p);
        const modello_scenario m = compila_in_memoria(s.linea, s.treno);
        for (const rilievo_marcia& r : rilievi_marcia(m, opzioni_marcia{})) {
            EXPECT_NE(r.nome, "timetable-backwards") << seme << ": " << r.messaggio;
            EXPECT_NE(r.nome, "timetable-before-start") << seme << ": " << r.messaggio;
        }
    }
}

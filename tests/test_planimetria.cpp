#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "prova_linea.h"
#include "sources/scrittori_testo.h"

namespace {

struct curva_prova {
    std::int32_t inizio;
    std::int32_t lunghezza;
    double k;
};

struct piano {
    std::vector<double> x;
    std::vector<double> y;
};

// The plan a line of `totale` metres with these curves should have, worked
// out point by point from the seed points (0, 0) and (0, 1).
piano piano_atteso(std::int32_t totale, const std::vector<curva_prova>& curve) {
    piano p;
    p.x.assign(static_cast<std::size_t>(totale) + 1, 0.0);
    p.y.assign(static_cast<std::size_t>(totale) + 1, 0.0);
    p.y[1] = 1;
    std::size_t c = 2;
    const auto retto = [&] {
        const double dx = p.x[c - 1] - p.x[c - 2];
        const double dy = p.y[c - 1] - p.y[c - 2];
        p.x[c] = p.x[c - 1] + dx;
        p.y[c] = p.y[c - 1] + dy;
        ++c;
    };
    const auto curvo = [&](double k) {
        const double dx = p.x[c - 1] - p.x[c - 2];
        const double dy = p.y[c - 1] - p.y[c - 2];
        p.x[c] = p.x[c - 1] + (dy * k + dx);
        p.y[c] = p.y[c - 1] + (dy - dx * k);
        ++c;
    };
    for (const curva_prova& cu : curve) {
        while (static_cast<std::int64_t>(c) <= cu.inizio) retto();
        while (static_cast<std::int64_t>(c) <= static_cast<std::int64_t>(cu.inizio) + cu.lunghezza) curvo(cu.k);
    }
    while (static_cast<std::int64_t>(c) <= totale - 2) retto();
    return p;
}

// The whole plan against the expected one: values and types, the seeds
// Integer, the computed points Double, the last two empty.
void confronta_piano(const prova_linea& p, const piano& atteso, const std::string& nome) {
    const std::int32_t totale = static_cast<std::int32_t>(atteso.x.size()) - 1;
    ASSERT_EQ(p.m.planimetria.ultimo_metro, totale) << nome;
    int diversi = 0;
    for (std::int32_t metro = 0; metro <= totale && diversi < 5; ++metro) {
        const tipo_valore tipo = metro <= 1 ? tipo_valore::intero
                                 : metro <= totale - 2 ? tipo_valore::doppio
                                                       : tipo_valore::vuoto;
        for (int coordinata = 0; coordinata < 2; ++coordinata) {
            const double valore = tipo == tipo_valore::vuoto ? 0.0 : (coordinata == 0 ? atteso.x : atteso.y)[metro];
            if (p.tipo_punto(metro, coordinata) != tipo || p.punto(metro, coordinata) != valore) {
                ++diversi;
                ADD_FAILURE() << nome << ": point " << metro << " coordinate " << coordinata << " is "
                              << p.punto(metro, coordinata) << " (type " << static_cast<int>(p.tipo_punto(metro, coordinata))
                              << "), expected " << valore << " (type " << static_cast<int>(tipo) << ")";
            }
        }
    }
}

TEST(Planimetria, EmbeddedLinePlanPointByPoint) {
    prova_linea p(1, "Tava Aeroporto-Rovea", "30742");
    dati_linea(p.dir, p.m.nome_linea);
    ASSERT_TRUE(p.fase());
    confronta_piano(p,
                    piano_atteso(29000, {{2000, 1500, 0.0001},
                                         {5000, 3800, -0.0004},
                                         {11000, 1000, 0.002},
                                         {14000, 4550, -0.0004},
                                         {20000, 2000, 0.0004}}),
                    "embedded line");
}

TEST(Planimetria, ARightCurveOfGradeOneBendsTowardsPlusX) {
    prova_linea p;
    p.scrivi(file_linea(lunghezza_linea(22000), "curvad1,  2000,  1500\r\n"));
    ASSERT_TRUE(p.fase());
    for (int metro : {2, 3, 1000, 1999, 2000}) {
        EXPECT_EQ(p.punto(metro, 0), 0.0) << metro;
        EXPECT_EQ(p.punto(metro, 1), static_cast<double>(metro)) << metro;
    }
    // Point 2001: the step (0, 1) turned by 0.0001.
    EXPECT_EQ(p.punto(2001, 0), 0.0 + (1.0 * 0.0001 + 0.0));
    EXPECT_EQ(p.punto(2001, 1), 2000.0 + (1.0 - 0.0 * 0.0001));
    // Point 2002: the step of 2001, turned once more.
    const double dx = p.punto(2001, 0) - 0.0;
    const double dy = p.punto(2001, 1) - 2000.0;
    EXPECT_EQ(p.punto(2002, 0), p.punto(2001, 0) + (dy * 0.0001 + dx));
    EXPECT_EQ(p.punto(2002, 1), p.punto(2001, 1) + (dy - dx * 0.0001));
    EXPECT_GT(p.punto(2002, 0), 0.0003 - 1e-12);
    EXPECT_GT(p.punto(3500, 0), p.punto(3499, 0));
    EXPECT_GT(p.punto(3500, 0) - p.punto(3499, 0), p.punto(3000, 0) - p.punto(2999, 0));
    // After the curve the line runs straight on along its last heading.
    EXPECT_EQ(p.punto(3502, 0) - p.punto(3501, 0), p.punto(3501, 0) - p.punto(3500, 0));
    confronta_piano(p, piano_atteso(29000, {{2000, 1500, 0.0001}}), "curvad1");
}

TEST(Planimetria, GradeIsTheFirstOfTheDigitsOneToSixAndAnSMakesItLeft) {
    struct caso {
        const char* chiave;
        double k;
    };
    const caso casi[] = {
        {"curvad1", 0.0001}, {"curvas1", -0.0001}, {"curvad2", 0.0002}, {"curvas3", -0.0004},
        {"curvad4", 0.001},  {"curvas5", -0.002},  {"curvad6", 0.003},  {"CURVAS2", -0.0002},
        {"curvad61", 0.0001}, {"curva 6 5", 0.002}, {"CurvaD3", 0.0004}, {"curva sinistra 4", -0.001},
        {"Curva S6", -0.003},
    };
    for (const caso& c : casi) {
        prova_linea p;
        p.scrivi(file_linea(lunghezza_linea(1000), std::string(c.chiave) + ",  10,  5\r\n"));
        ASSERT_TRUE(p.fase()) << c.chiave;
        EXPECT_EQ(p.m.codice_errore, 0) << c.chiave;
        EXPECT_EQ(p.punto(10, 0), 0.0) << c.chiave;
        EXPECT_EQ(p.punto(11, 0), c.k) << c.chiave;  // first curved point: step (0, 1) turned by k
        EXPECT_EQ(p.punto(11, 1), 11.0) << c.chiave;
        confronta_piano(p, piano_atteso(8000, {{10, 5, c.k}}), c.chiave);
    }
}

TEST(Planimetria, ACurveThatStartsBehindTheCursorBendsFromTheCursor) {
    prova_linea p;
    p.scrivi(file_linea(lunghezza_linea(1000), "curvad4, 100, 100\r\ncurvas2, 150, 100\r\ncurvad6, 10, 20\r\n"));
    ASSERT_TRUE(p.fase());
    // The third curve ends behind the cursor: it adds nothing.
    confronta_piano(p, piano_atteso(8000, {{100, 100, 0.001}, {150, 100, -0.0002}}), "behind the cursor");
    EXPECT_EQ(p.s.cursore_planimetria, 7999);
}

TEST(Planimetria, ACurveMayReachTheLastPointOfThePlan) {
    prova_linea p;
    p.scrivi(file_linea(lunghezza_linea(1000), "curvad5, 7000, 1000\r\n"));
    ASSERT_TRUE(p.fase());
    EXPECT_EQ(p.tipo_punto(7999, 0), tipo_valore::doppio);
    EXPECT_EQ(p.tipo_punto(8000, 1), tipo_valore::doppio);
    EXPECT_EQ(p.s.cursore_planimetria, 8001);
}

TEST(Planimetria, NoPlanWhenTheLineIsNotWritten) {
    prova_linea p(0);
    // With no plan, curve records are not read: their values pass as fields
    // that match nothing, and a curve without a grade is not refused.
    p.scrivi(file_linea(lunghezza_linea(1000), "curva, 2000, 1500\r\ncurvad1, 100, 50\r\npendenza, 500, 3\r\n"));
    ASSERT_TRUE(p.fase());
    EXPECT_EQ(p.m.codice_errore, 0);
    EXPECT_TRUE(p.m.planimetria.tipi.empty());
    EXPECT_EQ(p.m.planimetria.ultimo_metro, -1);
    EXPECT_EQ(p.pendenza(10), 103);
}

TEST(Planimetria, TheSmallestPlanHasOnlyItsSeeds) {
    prova_linea p;
    p.scrivi(file_linea(lunghezza_linea(-6999), ""));  // 1 m: points 0 and 1
    ASSERT_TRUE(p.fase());
    EXPECT_EQ(p.m.numero_celle, 0);
    EXPECT_EQ(p.m.planimetria.ultimo_metro, 1);
    EXPECT_EQ(p.tipo_punto(1, 1), tipo_valore::intero);
    EXPECT_EQ(p.punto(1, 1), 1.0);
}

}  // namespace

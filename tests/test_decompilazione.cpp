// scenario-tool decompile: the embedded scenario back to its sources, the
// round trip (compile, decompile, compile, same bytes) of hand-made sources
// that reach every recovery rule and of generated scenarios, what files no
// source can make give, and the command's files and exit statuses.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>

#include "processo.h"
#include "supporto.h"
#include "tests/decompilazione/giro.h"
#include "tools/costruzione/compila_strumento.h"
#include "tools/decompila/decompila.h"
#include "track/lettura_binaria.h"
#include "track/scrittura_binaria.h"

namespace {

const nomi_scenario tava{"Tava Aeroporto-Rovea", "30742"};
const std::string piano_dat = "Tava Aeroporto-Rovea_linea.dat";
const std::string scenario_sim = "Tava Aeroporto-Rovea_30742.sim";
const std::string tracciato_dat = "Tava Aeroporto-Rovea_30742.dat";
const std::string linea_txt = "Tava Aeroporto-Rovea_linea.txt";
const std::string treno_txt = "Tava Aeroporto-Rovea_30742-.txt";

std::string dati(const std::string& nome) { return leggi_tutto(std::string(CARTELLA_TEST_DATI) + "/" + nome); }

file_binari golden(bool con_planimetria = true) {
    file_binari f;
    if (con_planimetria) f.planimetria = dati(piano_dat);
    f.scenario = dati(scenario_sim);
    f.tracciato = dati(tracciato_dat);
    return f;
}

std::string unite(const std::vector<std::string>& righe) {
    std::string t;
    for (const std::string& r : righe) t += r + "\n";
    return t;
}

// --- The embedded scenario ---------------------------------------------------------

// The line file comes back byte for byte; the train file differs only in the
// blanks of one speed-limit record, which the layout pads like the record
// before it.
TEST(DecompilaIncorporato, SourcesComeBackAsTheyWereWritten) {
    const esito_decompilazione e = decompila(golden(), tava);
    EXPECT_TRUE(e.esatto) << unite(e.differenze);
    EXPECT_EQ(e.giri, 1);
    EXPECT_EQ(e.linea, dati(linea_txt));
    std::string treno = dati(treno_txt);
    const std::string scritta = "velocita,    1000,   100\r\n";
    ASSERT_NE(treno.find(scritta), std::string::npos);
    treno.replace(treno.find(scritta), scritta.size(), "velocita,   1000,   100\r\n");
    EXPECT_EQ(e.treno, treno);
    // They build without a status, with the embedded sources' own warnings
    // (two gradients beyond the declared length).
    const esito_giro g = giro_testi(e.linea, e.treno, tava, true);
    EXPECT_TRUE(g.riuscito) << g.descrizione;
    EXPECT_EQ(g.stato, 0);
    const std::string linea = dati(linea_txt);
    const std::string treno_incorporato = dati(treno_txt);
    auto c = std::make_unique<costruzione_in_memoria>();
    costruisci_in_memoria(*c, tava, &linea, &treno_incorporato, true);
    std::vector<std::string> avvisi;
    for (const avviso_sorgente& a : c->modello.avvisi) avvisi.push_back(a.nome + ": " + a.messaggio);
    EXPECT_EQ(avvisi.size(), 2u);
    EXPECT_EQ(g.avvisi, avvisi);
}

// Without the plan there is nothing to recover the curves from: the line file
// has none, and compiles without the plan to the same table and track.
TEST(DecompilaIncorporato, WithoutThePlanTheLineHasNoCurves) {
    const esito_decompilazione e = decompila(golden(false), tava);
    EXPECT_TRUE(e.esatto) << unite(e.differenze);
    EXPECT_EQ(e.linea.find("curva"), std::string::npos);
    std::string linea = dati(linea_txt);
    const std::size_t da = linea.find("curvad1");
    linea.erase(da, linea.find("[pendenze]") - da);
    EXPECT_EQ(e.linea, linea);
    const esito_giro g = giro_testi(e.linea, e.treno, tava, false);
    EXPECT_TRUE(g.riuscito) << g.descrizione;
}

// --- Round trips of hand-made sources ----------------------------------------------

// A line file of the given length with the body records, and a train file
// with the records; each in the layout of the embedded sources.
std::string linea_di(std::int32_t lunghezza, const std::string& generale, const std::string& corpo) {
    return "[generale]\r\nlunghezza percorso,    " + std::to_string(lunghezza) + "\r\n" + generale + "[curve]\r\n" + corpo +
           "[fine]\r\n";
}

std::string treno_di(const std::string& corpo) {
    return "[generale]\r\nnumero vetture,    8\r\npercentuale massa frenata,    140\r\nsabbia,    300\r\n"
           "orologio,    20              8             30 \r\naderenza,   0,    100\r\nvelocita,   0,    30\r\n" +
           corpo + "[fine]\r\n";
}

struct caso_fatto_a_mano {
    const char* nome;
    std::int32_t lunghezza;
    std::string generale;  // general records of the line file after the length
    std::string corpo_linea;
    std::string corpo_treno;
    int giri = 1;  // builds decompile needs to place the finishing boards
};

const std::string stazione_zero =
    "stazione,       0, 22,  600,  0, 0, 0,  0,0,0,  4,1,1,    1,  20, 9, 0, TAVA AEROPORTO\r\n";

const caso_fatto_a_mano casi[] = {
    {"progressives ordered by start, flag adding 100", 20000,
     "progressiva chilometrica uno,    0,    0,    0\r\nprogressiva chilometrica due,    5000,    3000,    0\r\n"
     "progressiva chilometrica tre,    12000,    7000,    1\r\n",
     "", ""},
    {"progressives whose largest start is shared: all zero", 20000,
     "progressiva chilometrica uno,    3000,    0,    0\r\nprogressiva chilometrica due,    3000,    500,    0\r\n"
     "progressiva chilometrica tre,    1000,    0,    0\r\n",
     "", ""},
    {"progressives whose starts add up to 0: ordered by value", 20000,
     "progressiva chilometrica uno,    5,    0,    1\r\nprogressiva chilometrica due,    -5,    250,    0\r\n"
     "progressiva chilometrica tre,    0,    100,    0\r\n",
     "", ""},
    {"progressives whose two smaller starts tie, values alike", 20000,
     "progressiva chilometrica uno,    1000,    500,    1\r\nprogressiva chilometrica due,    1000,    500,    0\r\n"
     "progressiva chilometrica tre,    4000,    500,    1\r\n",
     "", ""},
    {"progressives with three starts alike: all zero, values no entry keeps", 20000,
     "progressiva chilometrica uno,    2000,    75,    0\r\nprogressiva chilometrica due,    2000,    33,    1\r\n"
     "progressiva chilometrica tre,    2000,    1,    0\r\n",
     "", ""},
    {"progressives with starts and values 0 but one, and values alike", 20000,
     "progressiva chilometrica uno,    0,    300,    0\r\nprogressiva chilometrica due,    0,    300,    1\r\n"
     "progressiva chilometrica tre,    0,    0,    0\r\n",
     "", ""},
    {"backgrounds and a nine-code repetition", 20000,
     "sfondo uno,    3\r\nsfondo due,    7\r\nsfondo tre,    -2\r\nripetizione segnali 9 codici,    1000,    26000\r\n", "",
     ""},
    {"a repetition that ends at 0", 20000, "ripetizione segnali 9 codici,    1000,    0\r\n", "", ""},
    {"curves one after another, overlapping, and to the end of the plan", 0, "",
     "curvad1,  2000,  100\r\ncurvas6,  2100,  50\r\ncurvad2,  2120,  100\r\ncurvas4,  3000,  1\r\n"
     "curvad5,  6000,  1000\r\n",
     ""},
    {"gradients written into the last cells", 0, "",
     "pendenza,  0,  -100\r\npendenza,  3000,  155\r\npendenza,  6900,  5\r\npendenza,  50,  7\r\npendenza,  50,  9\r\n",
     ""},
    {"speed limits and adhesion written into the last cells", 0, "", "",
     "velocita,   6900,   1275\r\nvelocita,   50,   5\r\nvelocita,   50,   10\r\naderenza,   3000,    300\r\n"
     "aderenza,   6900,    7\r\naderenza,   50,    8\r\n"},
    {"speed limits and adhesion at the line's start closer together than a cell, the cursor running ahead", 20000, "",
     "",
     "velocita,   10,   40\r\nvelocita,   20,   50\r\nvelocita,   30,   60\r\nvelocita,   35,   70\r\n"
     "velocita,   40,   80\r\nvelocita,   45,   90\r\nvelocita,   100,   100\r\nvelocita,   150,   110\r\n"
     "velocita,   1000,   120\r\naderenza,   20,    90\r\naderenza,   30,    80\r\naderenza,   49,    70\r\n"
     "aderenza,   60,    60\r\naderenza,   2000,    100\r\n"},
    {"mountains beside each other: a span of kind 3 moved between them", 20000, "",
     "montagna,   0,  550,  1\r\nmontagna,   2000,  2500,  2\r\nmontagna,   1000,  1550,  3\r\n"
     "montagna,   2500,  3050,  5\r\n",
     ""},
    {"mountains beside each other: a span without cells between them", 20000, "",
     "montagna,   2500,  3050,  5\r\nmontagna,   50,  75,  1\r\nmontagna,   2000,  2500,  2\r\n", ""},
    {"mountains three cells apart keep their kinds", 20000, "",
     "montagna,   1000,  1476,  2\r\nmontagna,   1674,  2300,  4\r\n", ""},
    {"joined spans of kind 3, each with its own marks", 20000, "",
     "montagna,   1000,  2000,  12\r\nmontagna,   2100,  3070,  13\r\nmontagna,   3070,  4372,  14\r\n", ""},
    {"a span whose marks go on under the next span", 20000, "",
     "montagna,   1000,  1800,  12\r\nmontagna,   1600,  2500,  3\r\n", ""},
    {"mountain kinds above 10, and a mark where no mountain is", 20000, "",
     "montagna,   1000,  2000,  -236\r\nmontagna,   3000,  4000,  30\r\nmontagna,   5000,  5200,  266\r\n", ""},
    {"speed indicators with any values", 20000, "",
     "indicatori_v_max,  1000,  100,  7,  -3,  2,  150,  0,  33,  1\r\n"
     "indicatori_v_max,  2000,  0,  0,  0,  -5,  -45,  1000,  3,  -7\r\n",
     ""},
    {"signs, one of them under a station marker", 20000, "",
     "cartello_indicatore,  500,   ( PASSAGGIO A)(  LIVELLO   )\r\ncartello_indicatore,  5100,   (   BIVIO    )\r\n"
     "cartello_indicatore,  7000,   \r\n",
     stazione_zero + "stazione,    5000, 12,  400,  1, 0, 0,  4,1,0,  2,1,1,   60,  20,13, 0, TAVA SAN CORDANE\r\n"},
    {"stations of every extent", 30000, "", "",
     "stazione,     500,  5,  400,  1, 2, 3,  4,5,6,  7,8,9,   10,  25,61, 7, CINQUE\r\n"
     "stazione,    2000,  6,  900,  0, 3, 0,  0,0,0,  0,0,0,    0,   0, 0, 0, SEI\r\n"
     "stazione,    4000,  7,  500,  0, 0, 1,  0,0,0,  0,0,0,    0,   0, 0, 0, SETTE\r\n"
     "stazione,    6000,  8,  700,  0, 1, 0,  0,0,0,  0,0,0,    0,   0, 0, 0, OTTO\r\n"
     "stazione,    8000, 12,  800,  0, 4, 1,  0,0,0,  0,0,0,    0,   1, 2, 3, DODICI\r\n"
     "stazione,   10000, 25,  300,  0, 5, 1,  0,0,0,  0,0,0,    0,   0, 0, 0, SENZA MARCHE\r\n"
     "stazione,   12000, 30,  200,  0, 0, 0, -5,-6,0, -7,0,0,  255, -1, 0, 0, \r\n"},
    {"the first station's opz3 lengthens it, then is cleared", 20000, "", "",
     "stazione,    1000, 12,  800,  0, 1, 1,  0,0,0,  0,0,0,    0,   0, 0, 0, PRIMA\r\n"},
    {"signals with their times", 20000, "", "",
     "segnale,    1650,   2, 4, 1,  0, 0,    2,  2,1,0, 50\r\nsegnale,    3000,   2, 3, 1,  0, 1,    2,  2,1,0, 300\r\n"
     "segnale,    4000,   2, 9, 9,  9, 9,    0,  9,9,9, -20\r\nsegnale,    5000,   1, 0, 0,  0, 0,    0,  0,0,0, 160\r\n"
     "segnale,    6000,   3, 1, 2,  3, 4,    3,  5,6,7, 0\r\n"},
    {"a signal whose approach markers a later station overwrites", 20000, "", "",
     stazione_zero + "segnale,    5150,   1, 1, 1,  0, 0,    0,  1,1,0, 0\r\n"
                     "stazione,    5000, 12,  400,  1, 0, 0,  4,1,0,  2,1,1,   60,  20,13, 0, TAVA SAN CORDANE\r\n"},
    {"slowdowns: 25 m past a multiple of 50, just beyond 1500 m, of length 0", 20000, "", "",
     "rallentamento,    6125,   50,   641,  1, 1, 37\r\nrallentamento,    1510,  100,   500,  0, 1,  0\r\n"
     "rallentamento,   10000,  120,     0,  2, 0,  0\r\nrallentamento,   14000,  200,  1000,  0, 0,  5\r\n"},
    {"a slowdown inside a slow slowdown's span, and one with the same values inside another", 20000, "", "",
     "rallentamento,    5200,   60,  2000,  1, 0,  0\r\nrallentamento,    5800,   40,   500,  2, 1,  3\r\n"
     "rallentamento,   15000,  100,  1500,  0, 0,  0\r\nrallentamento,   15400,  100,   300,  0, 0,  0\r\n"},
    {"two slowdowns that cross: the second starts inside the first and ends after it", 20000, "", "",
     "rallentamento,   10000,  120,  1000,  4, 1,  0\r\nrallentamento,   10600,   90,  1000,  5, 0,  9\r\n"
     "rallentamento,    3000,   50,   800,  1, 0,  0\r\nrallentamento,    3400,   50,   800,  1, 0,  0\r\n"},
    {"a slowdown end whose start a station marker read later overwrote", 20000, "", "",
     stazione_zero + "rallentamento,    5100,   50,   500,  3, 1,  7\r\n"
                     "stazione,    5000, 12,  400,  1, 0, 0,  4,1,0,  2,1,1,   60,  20,13, 0, TAVA SAN CORDANE\r\n"},
    {"a slow slowdown whose end a station marker overwrote, under progressives that tie: repeat boards to the next end",
     20000,
     "progressiva chilometrica uno,    3000,    0,    0\r\nprogressiva chilometrica due,    3000,    500,    0\r\n"
     "progressiva chilometrica tre,    1000,    0,    0\r\n",
     "",
     "rallentamento,    2000,   50,  1000,  2, 0,  0\r\n"
     "stazione,    2900, 12,  400,  1, 0, 0,  4,1,0,  2,1,1,   60,  20,13, 0, TAVA SAN CORDANE\r\n"
     "rallentamento,   12000,  120,   500,  0, 0,  0\r\n"},
    {"a station's approach markers partly overwritten by a signal read before it, whose own a signal read earlier "
     "partly overwrote",
     20000, "", "",
     stazione_zero + "segnale,    5150,   2, 4, 1,  0, 0,    2,  2,1,0, 0\r\nsegnale,    5250,   3, 1, 2,  0, 0,    3,  2,1,0, 0\r\n"
                     "stazione,    5000, 12,  400,  1, 0, 0,  4,1,0,  2,1,1,   60,  20,13, 0, TAVA SAN CORDANE\r\n"},
    {"a signal, a warning board and a lead-in cell under station markers", 20000, "", "",
     stazione_zero + "rallentamento,   11300,  120,   500,  0, 1,  4\r\nsegnale,    1800,   2, 4, 1,  0, 0,    2,  2,1,0, 0\r\n"
                     "stazione,    1700, 12,  400,  1, 0, 0,  4,1,0,  2,1,1,   60,  20,13, 0, TAVA SAN CORDANE\r\n"
                     "stazione,   10000,  4,  400,  1, 0, 0,  4,1,0,  2,1,1,   60,  20,13, 0, BORGO\r\n"
                     "rallentamento,   16400,   90,   800,  5, 1,  0\r\n"
                     "stazione,   15000, 12,  400,  0, 0, 0,  0,0,0,  0,0,0,    0,  0,0, 0, ROVEA\r\n"},
    {"abbattimento points, one of value 180 that the finishing pass does not place", 20000, "", "",
     "abbattimento,    3000,  180\r\nabbattimento,    4000,    0\r\nabbattimento,    4500,  -7\r\n"
     "abbattimento,    5000,  65536\r\nabbattimento,    5500,  90\r\n",
     2},
    {"an abbattimento point of 180 in a window of the finishing pass", 20000, "", "",
     "rallentamento,    8000,   50,   500,  0, 0,  0\r\nabbattimento,    7750,  180\r\n", 2},
    {"an abbattimento point before a signal, lowered to 180 by the finishing pass", 20000, "", "",
     "segnale,    6300,   2, 4, 1,  0, 0,    2,  2,1,0, 0\r\nabbattimento,    6250,  250\r\n"
     "abbattimento,    6200,  0\r\nrallentamento,    8000,  120,   500,  0, 0,  0\r\n"},
};

class RoundTripFattoAMano : public ::testing::TestWithParam<caso_fatto_a_mano> {};

TEST_P(RoundTripFattoAMano, CompilesToTheSameBytes) {
    const caso_fatto_a_mano& c = GetParam();
    const std::string linea = linea_di(c.lunghezza, c.generale, c.corpo_linea);
    const std::string treno = treno_di(c.corpo_treno);
    for (const bool con_planimetria : {true, false}) {
        const esito_giro e = giro_testi(linea, treno, tava, con_planimetria);
        EXPECT_EQ(e.stato, e.stato_originale) << c.nome;
        EXPECT_TRUE(e.riuscito) << c.nome << (con_planimetria ? "" : ", without the plan") << ": " << e.descrizione;
        EXPECT_EQ(e.giri, c.giri) << c.nome;
    }
}

INSTANTIATE_TEST_SUITE_P(Casi, RoundTripFattoAMano, ::testing::ValuesIn(casi));

// --- Round trips of generated scenarios -----------------------------------------------

// The seeds in eight shares, which CTest runs side by side.
constexpr std::uint64_t semi_ci = 480;
constexpr std::uint64_t quote = 8;

class RoundTripGenerato : public ::testing::TestWithParam<std::uint64_t> {};

TEST_P(RoundTripGenerato, CompilesToTheSameBytes) {
    const std::uint64_t quota = GetParam();
    for (std::uint64_t seme = quota * semi_ci / quote + 1; seme <= (quota + 1) * semi_ci / quote; ++seme) {
        const caso_giro c = caso_del_seme(seme);
        const esito_giro e = giro_generato(c);
        EXPECT_TRUE(e.riuscito) << descrizione_caso(c) << ": " << e.descrizione;
        // The decompiled sources build cleanly, as the generated ones do; without
        // the edge cases, without a warning either.
        EXPECT_EQ(e.stato, 0) << descrizione_caso(c);
        if (!c.parametri.casi_limite) {
            EXPECT_EQ(e.avvisi, std::vector<std::string>{}) << descrizione_caso(c);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Quote, RoundTripGenerato, ::testing::Range<std::uint64_t>(0, quote));

// Scenarios whose records write over each other's cells: the generated
// texts build without a status, and decompile finds sources that give the
// same bytes.
constexpr std::uint64_t semi_sovrapposti = 240;
constexpr std::uint64_t quote_sovrapposte = 4;

class RoundTripSovrapposto : public ::testing::TestWithParam<std::uint64_t> {};

TEST_P(RoundTripSovrapposto, CompilesToTheSameBytes) {
    const std::uint64_t quota = GetParam();
    for (std::uint64_t seme = quota * semi_sovrapposti / quote_sovrapposte + 1;
         seme <= (quota + 1) * semi_sovrapposti / quote_sovrapposte; ++seme) {
        const caso_giro c = caso_del_seme(seme, true);
        const esito_giro e = giro_generato(c);
        EXPECT_EQ(e.stato_originale, 0) << descrizione_caso(c);
        EXPECT_TRUE(e.riuscito) << descrizione_caso(c) << ": " << e.descrizione;
        EXPECT_EQ(e.stato, 0) << descrizione_caso(c);
    }
}

INSTANTIATE_TEST_SUITE_P(Quote, RoundTripSovrapposto, ::testing::Range<std::uint64_t>(0, quote_sovrapposte));

TEST(RoundTripGenerato, MillionMetreLine) {
    caso_giro c;
    c.parametri.seme = 3;
    c.parametri.lunghezza = 1000000;
    c.parametri.densita = 2;
    const esito_giro e = giro_generato(c);
    EXPECT_TRUE(e.riuscito) << e.descrizione;
}

// --- Sources that compile refuses by default ---------------------------------------------

// The three files of two texts built in memory as the builder builds them,
// whatever status the build records.
file_binari costruiti(const std::string& linea, const std::string& treno) {
    auto c = std::make_unique<costruzione_in_memoria>();
    costruisci_in_memoria(*c, tava, &linea, &treno, true);
    file_binari f;
    f.planimetria = c->file.at(piano_dat);
    f.scenario = c->file.at(scenario_sim);
    f.tracciato = c->file.at(tracciato_dat);
    return f;
}

std::string sostituito(std::string testo, const std::string& vecchio, const std::string& nuovo) {
    const std::size_t dove = testo.find(vecchio);
    EXPECT_NE(dove, std::string::npos) << vecchio;
    if (dove != std::string::npos) testo.replace(dove, vecchio.size(), nuovo);
    return testo;
}

struct caso_rifiutato {
    const char* nome;
    std::string linea;
    std::string treno;
    std::vector<std::string> errori;  // what compile refuses in the decompiled sources
};

// Where the bytes allow it, decompile writes sources that compile takes as
// they are: speed limits and adhesion from 0 m, though the sources given
// began later (their cells before hold 0). Where they do not, it writes the
// sources that give the bytes and names what compile refuses in them.
TEST(DecompilaRifiutato, SourcesCompileTakesWhereTheBytesAllowElseTheErrorsNamed) {
    const std::string treno = treno_di("");
    const caso_rifiutato casi_rifiutati[] = {
        {"speed limit and adhesion from 500 m and 300 m", linea_di(20000, "", ""),
         sostituito(sostituito(treno, "aderenza,   0,    100", "aderenza,   300,    100"), "velocita,   0,    30",
                    "velocita,   500,    30"),
         {}},
        {"a board whose value is 0", linea_di(20000, "", ""), treno_di("abbattimento,    5000,  65536\r\n"),
         {"truncated-value"}},
        {"a progressive whose value is no multiple of 50, and a board whose value is 0",
         linea_di(20000, "progressiva chilometrica uno,    1000,    75,    0\r\n", ""),
         treno_di("abbattimento,    5000,  65536\r\n"), {"status 2", "truncated-value"}},
    };
    for (const caso_rifiutato& c : casi_rifiutati) {
        const esito_decompilazione e = decompila(costruiti(c.linea, c.treno), tava);
        EXPECT_TRUE(e.esatto) << c.nome << ": " << unite(e.differenze);
        EXPECT_EQ(e.errori_predefiniti, c.errori) << c.nome;
        EXPECT_NE(e.treno.find("\r\nvelocita,   0,"), std::string::npos) << c.nome << "\n" << e.treno;
        EXPECT_NE(e.treno.find("\r\naderenza,   0,"), std::string::npos) << c.nome << "\n" << e.treno;
    }
}

// --- Files no source can make ----------------------------------------------------------

void poni_byte(std::string& b, std::size_t posizione, std::uint8_t valore) { b[posizione] = static_cast<char>(valore); }

// A cell of kind 7, which no record makes: the nearest sources leave it out,
// and the cell is named with the reason.
TEST(DecompilaManomesso, CellOfAKindNoRecordMakes) {
    file_binari f = golden();
    poni_byte(f.tracciato, 57 * byte_cella, 7);
    const esito_decompilazione e = decompila(f, tava);
    EXPECT_FALSE(e.esatto);
    EXPECT_EQ(unite(e.differenze), "cell 57 (2850 m): tipo 7 -> 0 (no record makes a cell of kind 7)\n");
}

// The track of `f` with cell i changed.
template <typename F>
void cambia_cella(file_binari& f, std::size_t i, F cambia) {
    auto t = leggi_tracciato(f.tracciato);
    cambia(t[i]);
    f.tracciato = bytes_tracciato(t);
}

TEST(DecompilaManomesso, EachPlaceThatComesOutDifferentlyIsListedWithItsReason) {
    struct caso {
        const char* nome;
        void (*manometti)(file_binari&);
        const char* atteso;
    };
    const caso casi_manomessi[] = {
        {"a station whose extent fits no length",
         [](file_binari& f) {
             auto s = leggi_scenario(f.scenario);
             s[2].valore2 += 50;
             f.scenario = bytes_scenario(s, "");
         },
         "entry 2: valore2 4400 -> 4350 (the extent is 50 m longer at its far end while opz3 is 0)\n"},
        {"a value in a free cell",
         [](file_binari& f) { cambia_cella(f, 100, [](cella& x) { x.valore3 = 9; }); },
         "cell 100 (5000 m): valore3 9 -> 0 (valore3 is 9; no record writes it in a cell of kind 0)\n"},
        {"a slowdown end with no start, and no station marker before it that kept its values",
         [](file_binari& f) {
             cambia_cella(f, 100, [](cella& x) {
                 x.tipo = tipo_cella::fine_rallentamento;
                 x.valore1 = 50;
                 x.valore3 = 4;
             });
         },
         "cell 100 (5000 m): tipo 2 -> 0, valore1 50 -> 0, valore3 4 -> 0 (a slowdown end that belongs to no slowdown "
         "start)\n"},
        {"a station marker that kept a value no slowdown or signal under it explains",
         [](file_binari& f) { cambia_cella(f, 86, [](cella& x) { x.valore3 = 9; }); },
         "cell 86 (4300 m): valore3 9 -> 0 (valore3 is 9; no record writes it in a cell of kind 10)\n"},
        {"a format stamp",
         [](file_binari& f) { cambia_cella(f, 1, [](cella& x) { x.valore1 = 5120; }); },
         "cell 1 (50 m): valore1 5120 -> 5121 (valore1 is 5120, where the build writes its format stamp 5121)\n"},
    };
    for (const caso& c : casi_manomessi) {
        file_binari f = golden();
        c.manometti(f);
        const esito_decompilazione e = decompila(f, tava);
        EXPECT_FALSE(e.esatto) << c.nome;
        EXPECT_EQ(unite(e.differenze), c.atteso) << c.nome;
    }
}

// A point moved off the line: it and every point computed from it come out
// differently; the list names the first ones and counts the rest.
TEST(DecompilaManomesso, PlanPointOffTheLine) {
    file_binari f = golden();
    planimetria_linea p = leggi_planimetria(*f.planimetria);
    const std::int32_t m = 20000;
    p.valori[elemento_planimetria(p, m, 0)] += 0.5;
    f.planimetria = bytes_planimetria(p, "");
    const esito_decompilazione e = decompila(f, tava);
    ASSERT_FALSE(e.esatto);
    const std::string testo = unite(e.differenze);
    EXPECT_NE(testo.find("plan point 20000: x "), std::string::npos) << testo;
    EXPECT_NE(testo.find("is neither straight on from the two points before it nor on a curve of any grade"),
              std::string::npos)
        << testo;
    EXPECT_NE(testo.find("more plan points"), std::string::npos) << testo;
}

// A plan damaged at every point (Integers where the build writes Doubles, and
// thousands of points past the track's end): the first places are listed
// with their notes and the rest counted, not a line for each note.
TEST(DecompilaManomesso, APlanDamagedEverywhereListsTheFirstPlacesAndCountsTheRest) {
    file_binari f = golden();
    const planimetria_linea buono = leggi_planimetria(*f.planimetria);
    const std::size_t punti = buono.tipi.size() / 2, oltre = 5000;
    planimetria_linea p;
    for (std::size_t c = 0; c < 2; ++c) {
        for (std::size_t m = 0; m < punti + oltre; ++m) {
            p.tipi.push_back(m < 2 ? buono.tipi[c * punti + m] : tipo_valore::intero);
            p.valori.push_back(m < 2 ? buono.valori[c * punti + m] : 0);
        }
    }
    p.ultimo_metro = static_cast<std::int32_t>(punti + oltre - 1);
    f.planimetria = bytes_planimetria(p, "");
    const esito_decompilazione e = decompila(f, tava);
    ASSERT_FALSE(e.esatto);
    const std::string testo = unite(e.differenze);
    EXPECT_LE(e.differenze.size(), 45u) << testo;
    EXPECT_NE(testo.find("plan point 2: x 0 -> "), std::string::npos) << testo;
    EXPECT_NE(testo.find("(the build writes every point after the first two as Doubles"), std::string::npos) << testo;
    EXPECT_NE(testo.find("... and " + std::to_string(punti + oltre - 2 - 40) + " more plan points\n"), std::string::npos)
        << testo;
}

// A plan whose every point lies off the line (random coordinates): the first
// 1,000 such points are each taken as the nearest step and noted; the points
// after them go on as the point before, so the line file gets no more curve
// records than that, however long the plan.
TEST(DecompilaManomesso, APlanOffTheLineEverywhereGivesBoundedCurveRecords) {
    file_binari f = golden();
    planimetria_linea p = leggi_planimetria(*f.planimetria);
    std::uint64_t x = 24;
    for (std::int32_t m = 2; m <= p.ultimo_metro; ++m) {
        for (int c = 0; c < 2; ++c) {
            x = x * 6364136223846793005u + 1442695040888963407u;
            const std::size_t e = elemento_planimetria(p, m, c);
            p.tipi[e] = tipo_valore::doppio;
            p.valori[e] = static_cast<double>(x >> 11) / 9007199254740992.0 * 2e5 - 1e5;
        }
    }
    f.planimetria = bytes_planimetria(p, "");
    const esito_decompilazione e = decompila(f, tava);
    ASSERT_FALSE(e.esatto);
    std::size_t curve = 0;
    for (std::size_t a = e.linea.find("\ncurva"); a != std::string::npos; a = e.linea.find("\ncurva", a + 1)) ++curve;
    EXPECT_GT(curve, 100u);
    EXPECT_LE(curve, 1001u);
    const std::string testo = unite(e.differenze);
    EXPECT_NE(testo.find("plan point 2: x "), std::string::npos) << testo;
    EXPECT_NE(testo.find("nor on a curve of any grade; taken as "), std::string::npos) << testo;
    EXPECT_NE(testo.find("more plan points\n"), std::string::npos) << testo;
}

// Files renamed to another train: the names and check codes the build writes
// come from the file names.
TEST(DecompilaManomesso, RenamedFiles) {
    const esito_decompilazione e = decompila(golden(), {"Tava Aeroporto-Rovea", "30743"});
    ASSERT_FALSE(e.esatto);
    const std::string testo = unite(e.differenze);
    EXPECT_NE(testo.find("entry 86: nome \"30742\" -> \"30743\""), std::string::npos) << testo;
    EXPECT_NE(testo.find("cell 1 (50 m): valore2"), std::string::npos) << testo;
}

// Random values in the cells and in the table's number fields, and points off
// the line: decompile never fails, and either round-trips or lists what
// differs.
TEST(DecompilaManomesso, RandomDamageIsListedNeverACrash) {
    std::mt19937 caso(12345);
    const file_binari buoni = golden();
    const auto scenario = leggi_scenario(buoni.scenario);
    const planimetria_linea piano = leggi_planimetria(*buoni.planimetria);
    for (int prova = 0; prova < 60; ++prova) {
        file_binari f = buoni;
        std::uniform_int_distribution<std::size_t> byte_traccia(0, f.tracciato.size() - 1);
        for (int k = 0; k < 1 + prova % 12; ++k) poni_byte(f.tracciato, byte_traccia(caso), static_cast<std::uint8_t>(caso()));
        auto s = scenario;
        for (int k = 0; k < prova % 4; ++k) {
            voce_scenario& v = s[caso() % s.size()];
            switch (caso() % 6) {
                case 0: v.tipo = static_cast<std::uint8_t>(caso()); break;
                case 1: v.valore1 = static_cast<std::int32_t>(caso()); break;
                case 2: v.valore2 = static_cast<std::int32_t>(caso() % 100000); break;
                case 3: v.valore3 = static_cast<std::int32_t>(caso() % 2 == 0 ? caso() : caso() % 30000); break;
                case 4: v.opz3 = static_cast<std::uint8_t>(caso()); break;
                default: v.valore4 = static_cast<std::int32_t>(caso()); break;
            }
        }
        f.scenario = bytes_scenario(s, "");
        if (prova % 5 == 0) {
            planimetria_linea p = piano;
            p.valori[caso() % p.valori.size()] += 1.0;
            f.planimetria = bytes_planimetria(p, "");
        }
        const esito_decompilazione e = decompila(f, tava);
        EXPECT_TRUE(e.esatto || !e.differenze.empty()) << "damage " << prova;
    }
}

TEST(DecompilaManomesso, FileThatDoesNotDecode) {
    file_binari f = golden();
    f.tracciato.pop_back();
    try {
        decompila(f, tava);
        FAIL() << "no error";
    } catch (const errore_decodifica& e) {
        EXPECT_EQ(e.file, tipo_file::tracciato);
        EXPECT_NE(std::string(e.what()).find("not a track file: at byte"), std::string::npos) << e.what();
    }
}

// --- The command -------------------------------------------------------------------------

class ComandoDecompile : public ::testing::Test {
protected:
    void SetUp() override {
        for (const std::string& nome : {piano_dat, scenario_sim, tracciato_dat}) scrivi_tutto(ingresso.file(nome), dati(nome));
    }
    esecuzione decompile(const std::vector<std::string>& argomenti) {
        return esegui_programma(PERCORSO_SCENARIO_TOOL, ingresso.str(), argomenti);
    }
    cartella_temporanea ingresso;
    cartella_temporanea uscita;
};

TEST_F(ComandoDecompile, WritesTheTwoSourcesThatCompileToTheFiles) {
    const esecuzione e = decompile({"decompile", piano_dat, scenario_sim, tracciato_dat, "--out", uscita.str()});
    EXPECT_EQ(e.stato, 0) << e.errori;
    EXPECT_EQ(e.errori, "");
    EXPECT_EQ(e.uscita, "wrote " + uscita.file(linea_txt) + "\nwrote " + uscita.file(treno_txt) + "\n");
    EXPECT_EQ(nomi_in(uscita.str()), (std::vector<std::string>{treno_txt, linea_txt}));
    EXPECT_EQ(leggi_tutto(uscita.file(linea_txt)), dati(linea_txt));
    const esecuzione c = esegui_programma(PERCORSO_SCENARIO_TOOL, uscita.str(), {"compile", linea_txt, treno_txt});
    EXPECT_EQ(c.stato, 0) << c.errori;
    for (const std::string& nome : {piano_dat, scenario_sim, tracciato_dat}) {
        EXPECT_EQ(leggi_tutto(uscita.file(nome)), dati(nome)) << nome;
    }
    // They are sources like any other: view draws them, and check finds no
    // error in them, only the two gradients beyond the declared length that
    // the embedded line file has too.
    const esecuzione v =
        esegui_programma(PERCORSO_SCENARIO_TOOL, uscita.str(), {"view", linea_txt, treno_txt, "-o", "pagina.html"});
    EXPECT_EQ(v.stato, 0) << v.errori;
    const esecuzione k = esegui_programma(PERCORSO_SCENARIO_TOOL, uscita.str(), {"check", linea_txt, treno_txt});
    EXPECT_EQ(k.stato, 0) << k.errori;
    EXPECT_NE(k.errori.find("check: no error, 2 warnings"), std::string::npos) << k.errori;
    EXPECT_EQ(k.errori.find("error:"), std::string::npos) << k.errori;
}

// The binary files in any order, since their names tell their kinds; the
// output directory made when missing.
TEST_F(ComandoDecompile, TheFilesInAnyOrderIntoADirectoryMadeForThem) {
    ASSERT_EQ(decompile({"decompile", piano_dat, scenario_sim, tracciato_dat, "--out", uscita.str()}).stato, 0);
    const std::string linea = leggi_tutto(uscita.file(linea_txt));
    const std::string treno = leggi_tutto(uscita.file(treno_txt));
    EXPECT_EQ(linea, dati(linea_txt));
    std::vector<std::string> tre{piano_dat, scenario_sim, tracciato_dat};
    std::sort(tre.begin(), tre.end());
    int n = 0;
    do {
        const std::string out = uscita.file("ordine" + std::to_string(n++) + "/sotto");
        std::vector<std::string> a{"decompile"};
        a.insert(a.end(), tre.begin(), tre.end());
        a.insert(a.end(), {"--out", out});
        const esecuzione e = decompile(a);
        EXPECT_EQ(e.stato, 0) << tre[0] << ", " << tre[1] << ", " << tre[2] << ": " << e.errori;
        EXPECT_EQ(leggi_tutto(out + "/" + linea_txt), linea);
        EXPECT_EQ(leggi_tutto(out + "/" + treno_txt), treno);
    } while (std::next_permutation(tre.begin(), tre.end()));
    EXPECT_EQ(n, 6);
    // Without the plan, the track before the table.
    const std::string senza = uscita.file("senza");
    const esecuzione e = decompile({"decompile", tracciato_dat, scenario_sim, "--out", senza});
    EXPECT_EQ(e.stato, 0) << e.errori;
    EXPECT_EQ(leggi_tutto(senza + "/" + treno_txt), treno);
}

// A scenario built without its plan under names that hold "_": the names the
// table holds tell where the table's name splits.
TEST_F(ComandoDecompile, WithoutThePlanTheTableTellsTheNames) {
    const nomi_scenario nomi{"Valle_Alta", "R_2245"};
    const std::string linea = dati(linea_txt);
    const std::string treno = dati(treno_txt);
    auto c = std::make_unique<costruzione_in_memoria>();
    costruisci_in_memoria(*c, nomi, &linea, &treno, false);
    for (const std::string nome : {"Valle_Alta_R_2245.sim", "Valle_Alta_R_2245.dat"}) {
        ASSERT_TRUE(c->file.count(nome)) << nome;
        scrivi_tutto(ingresso.file(nome), c->file[nome]);
    }
    const esecuzione e = decompile({"decompile", "Valle_Alta_R_2245.sim", "Valle_Alta_R_2245.dat", "--out", uscita.str()});
    EXPECT_EQ(e.stato, 0) << e.errori;
    EXPECT_EQ(nomi_in(uscita.str()), (std::vector<std::string>{"Valle_Alta_R_2245-.txt", "Valle_Alta_linea.txt"}));
}

TEST_F(ComandoDecompile, TamperedTrackExitsOneNamingTheCell) {
    std::string t = dati(tracciato_dat);
    poni_byte(t, 57 * byte_cella, 7);
    scrivi_tutto(ingresso.file(tracciato_dat), t);
    const esecuzione e = decompile({"decompile", scenario_sim, tracciato_dat, "--out", uscita.str()});
    EXPECT_EQ(e.stato, 1);
    EXPECT_EQ(e.errori,
              "the sources written compile to other bytes:\n"
              "  cell 57 (2850 m): tipo 7 -> 0 (no record makes a cell of kind 7)\n");
    EXPECT_EQ(nomi_in(uscita.str()), (std::vector<std::string>{treno_txt, linea_txt}));
}

// Files that only sources with an error by default give: written all the
// same, exit 0, and a line that names the error; compile refuses them, and
// writes the same files with --as-builder.
TEST_F(ComandoDecompile, SourcesThatCompileRefusesByDefaultAreNamed) {
    const file_binari f = costruiti(linea_di(20000, "", ""), treno_di("abbattimento,    5000,  65536\r\n"));
    scrivi_tutto(ingresso.file(piano_dat), *f.planimetria);
    scrivi_tutto(ingresso.file(scenario_sim), f.scenario);
    scrivi_tutto(ingresso.file(tracciato_dat), f.tracciato);
    const esecuzione e = decompile({"decompile", piano_dat, scenario_sim, tracciato_dat, "--out", uscita.str()});
    EXPECT_EQ(e.stato, 0) << e.errori;
    EXPECT_EQ(e.errori,
              "decompile: compile refuses these sources by default (truncated-value); compile them with --as-builder "
              "to get the same bytes\n");
    EXPECT_EQ(nomi_in(uscita.str()), (std::vector<std::string>{treno_txt, linea_txt}));
    const esecuzione c = esegui_programma(PERCORSO_SCENARIO_TOOL, uscita.str(), {"compile", linea_txt, treno_txt});
    EXPECT_EQ(c.stato, 1) << c.errori;
    EXPECT_NE(c.errori.find("[-Wtruncated-value]"), std::string::npos) << c.errori;
    const esecuzione b =
        esegui_programma(PERCORSO_SCENARIO_TOOL, uscita.str(), {"compile", "--as-builder", linea_txt, treno_txt});
    EXPECT_EQ(b.stato, 1) << b.errori;
    EXPECT_EQ(leggi_tutto(uscita.file(piano_dat)), *f.planimetria);
    EXPECT_EQ(leggi_tutto(uscita.file(scenario_sim)), f.scenario);
    EXPECT_EQ(leggi_tutto(uscita.file(tracciato_dat)), f.tracciato);
}

TEST_F(ComandoDecompile, ExitStatuses) {
    scrivi_tutto(ingresso.file("Corta_1.dat"), dati(tracciato_dat).substr(0, 20));
    scrivi_tutto(ingresso.file("Corta_1.sim"), dati(scenario_sim));
    struct caso {
        std::vector<std::string> argomenti;
        int stato;
        const char* errore;  // begins the standard error
    };
    const caso casi_comando[] = {
        {{"decompile", tracciato_dat}, 2, "scenario-tool: FILES: At least 2 required"},
        {{"decompile", "a", "b", "c", "d"}, 2, "scenario-tool: decompile takes PLAN TABLE TRACK, or TABLE TRACK (4 files given)"},
        {{"decompile", "a.sim", "b.dat"}, 2, "scenario-tool: the line name and train number cannot be taken from the file names"},
        {{"decompile", "x.txt", scenario_sim, tracciato_dat}, 2, "scenario-tool: the line name and train number"},
        {{"decompile", "Corta_1.sim", "Corta_1.dat"}, 3, "Corta_1.dat: not a track file: at byte 15:"},
        {{"decompile", "Manca_1.sim", "Manca_1.dat"}, 3, "open"},
        {{"decompile", scenario_sim, tracciato_dat, "--out", piano_dat + "/x"}, 3,
         "make directory \"Tava Aeroporto-Rovea_linea.dat/x\": "},
    };
    for (const caso& c : casi_comando) {
        const esecuzione e = decompile(c.argomenti);
        EXPECT_EQ(e.stato, c.stato) << c.argomenti.back() << ": " << e.errori;
        EXPECT_EQ(e.errori.rfind(c.errore, 0), 0u) << e.errori;
    }
}

}  // namespace

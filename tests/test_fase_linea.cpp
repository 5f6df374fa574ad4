#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "prova_linea.h"
#include "sources/scrittori_testo.h"

namespace {

constexpr std::int32_t posizione_prima = 4242;  // a status position no failure below should change

TEST(FaseLinea, EmbeddedLineFileGivesTheTrackTheGradientsTheMountainAndTheSign) {
    prova_linea p(1, "Tava Aeroporto-Rovea", "30742");
    dati_linea(p.dir, p.m.nome_linea);
    ASSERT_TRUE(p.fase());
    EXPECT_EQ(p.m.codice_errore, 0);
    EXPECT_FALSE(p.linea_esiste());

    EXPECT_EQ(p.m.scenario[voce::dati_generali].valore2, 22000);
    EXPECT_EQ(p.m.lunghezza_totale, 29000);
    EXPECT_EQ(p.m.numero_celle, 580);
    ASSERT_EQ(p.m.tracciato.size(), 581U);
    EXPECT_EQ(p.m.planimetria.ultimo_metro, 29000);
    EXPECT_EQ(p.m.planimetria.tipi.size(), 58002U);

    // Gradient breaks at 0 (2), 3500 (0), 16000 (2), 19500 (0), 23100 (1), 24000 (2).
    for (int i = 0; i <= 580; ++i) {
        int atteso = 102;
        if (i >= 70 && i <= 319) atteso = 100;
        if (i >= 390 && i <= 461) atteso = 100;
        if (i >= 462 && i <= 479) atteso = 101;
        if (i >= 578) atteso = 0;
        EXPECT_EQ(p.pendenza(i), atteso) << "cell " << i;
    }

    for (int i = 0; i <= 580; ++i) EXPECT_EQ(p.c(i).montagna, i == 260 ? 2 : 0) << "cell " << i;
    EXPECT_EQ(p.m.numero_montagne, 1);
    EXPECT_EQ(p.m.montagne_inizio[1], 13000);
    EXPECT_EQ(p.m.montagne_fine[1], 13050);

    for (int i = 0; i <= 580; ++i) {
        EXPECT_EQ(p.c(i).tipo, i == 11 ? tipo_cella::cartello : tipo_cella::libero) << "cell " << i;
        EXPECT_EQ(p.c(i).valore1, i == 11 ? 80 : 0) << "cell " << i;
    }
    EXPECT_EQ(p.m.scenario[voce::primo_cartello].nome, "( PASSAGGIO A)(  LIVELLO   )");
    EXPECT_EQ(p.m.scenario[79].nome, "");
    EXPECT_EQ(p.s.prossima_voce_cartello, 79);

    EXPECT_EQ(p.m.scenario[voce::dati_linea].nome, "Tava Aeroporto-Rovea");
    EXPECT_EQ(p.m.scenario[voce::dati_linea].valore1, 1);
    EXPECT_EQ(p.m.scenario[voce::dati_linea].valore2, 0);
    EXPECT_EQ(p.m.scenario[voce::dati_linea].valore3, 0);
    EXPECT_EQ(p.m.scenario[voce::dati_treno].nome, "30742");
    EXPECT_EQ(p.m.scenario[voce::dati_treno].valore1, 0);
    EXPECT_EQ(p.m.scenario[voce::dati_treno].valore2, 26000);
    EXPECT_EQ(p.m.scenario[voce::dati_treno].valore3, 4);
    for (int v = 81; v <= 83; ++v) {
        EXPECT_EQ(p.m.scenario[v].valore1, 0);
        EXPECT_EQ(p.m.scenario[v].valore2, 0);
        EXPECT_EQ(p.m.scenario[v].valore3, 0);
    }

    EXPECT_EQ(p.tipo_punto(0, 0), tipo_valore::intero);
    EXPECT_EQ(p.tipo_punto(1, 1), tipo_valore::intero);
    EXPECT_EQ(p.punto(1, 1), 1.0);
    EXPECT_EQ(p.tipo_punto(2, 0), tipo_valore::doppio);
    EXPECT_EQ(p.tipo_punto(28998, 1), tipo_valore::doppio);
    for (int coordinata = 0; coordinata < 2; ++coordinata) {
        EXPECT_EQ(p.tipo_punto(28999, coordinata), tipo_valore::vuoto);
        EXPECT_EQ(p.tipo_punto(29000, coordinata), tipo_valore::vuoto);
    }
}

// Line-phase statuses that end the method or hand over to the train phase,
// through the line phase alone.
TEST(FaseLinea, EveryStatusWithItsPositionAndWhatFollows) {
    const std::string corto = lunghezza_linea(1000);  // 8000 m of track, cells 0 to 160
    struct caso {
        const char* nome;
        std::optional<std::string> testo;  // no file when empty
        std::int32_t codice;
        std::int32_t posizione;
        bool segue_treno;
    };
    const caso casi[] = {
        {"file missing", std::nullopt, 101, posizione_prima, false},
        {"no [generale]", corto + "[curve]\r\n[fine]\r\n", 102, posizione_prima, false},
        {"[generale] only as the last field", corto + "[generale]\r\n", 102, posizione_prima, false},
        {"[generale] only as the last field, no line end", corto + "[generale]", 102, posizione_prima, false},
        {"length above 1000000", file_linea(lunghezza_linea(1000001), ""), 1, posizione_prima, false},
        {"repetition start", file_linea(corto + "ripetizione segnali 4 codici,  25,  100\r\n", ""), 3,
         posizione_prima, false},
        {"repetition end", file_linea(corto + "ripetizione segnali 4 codici,  50,  130\r\n", ""), 4,
         posizione_prima, false},
        {"repetition start and end: start first", file_linea(corto + "ripetizione segnali 4 codici, 25, 130\r\n", ""),
         3, posizione_prima, false},
        {"repetition without 4 or 9", file_linea(corto + "ripetizione segnali codici,  50,  100\r\n", ""), 5,
         posizione_prima, false},
        {"repetition without 4 or 9, end 0", file_linea(corto + "ripetizione segnali 3 codici,  0,  0\r\n", ""), 5,
         posizione_prima, false},
        {"sign on a sign", file_linea(corto, "cartello_indicatore, 500, A\r\ncartello_indicatore, 500, B\r\n"), 6, 500,
         false},
        {"sign on speed indicators", file_linea(corto, "indicatori_v, 500, 1,1,1,1,1,1,1,1\r\ncartello_indicatore, 520, A\r\n"),
         6, 520, false},
        {"gradient beyond the track", file_linea(corto, "pendenza, 7901, 3\r\n"), 15, 7901, true},
        {"curve beyond the track", file_linea(corto, "curvad1, 7901, 10\r\n"), 15, 7901, true},
        {"mountain beyond the track", file_linea(corto, "montagna, 7901, 7950, 1\r\n"), 15, 7901, true},
        {"indicators beyond the track", file_linea(corto, "indicatori_v, 7901, 0,0,0,0,0,0,0,0\r\n"), 15, 7901, true},
        {"sign beyond the track", file_linea(corto, "cartello_indicatore, 7901, A\r\n"), 15, 7901, true},
        {"largest position whose sum with 100 fits a Long", file_linea(corto, "pendenza, 2147483547, 3\r\n"), 15,
         2147483547, true},
        {"last accepted position", file_linea(corto, "pendenza, 7900, 3\r\ncartello_indicatore, 7900, A\r\n"), 0,
         posizione_prima, true},
        {"indicators on indicators",
         file_linea(corto, "indicatori_v, 1000, 1,1,1,1,1,1,1,1\r\nindicatori_v, 1000, 2,2,2,2,2,2,2,2\r\n"), 21, 1000,
         false},
        {"indicators on a sign", file_linea(corto, "cartello_indicatore, 1000, A\r\nindicatori_v, 990, 2,2,2,2,2,2,2,2\r\n"),
         21, 990, false},
        {"curve without a grade digit", file_linea(corto, "curva, 100, 100\r\n"), 103, posizione_prima, false},
        {"curve with a digit outside 1 to 6", file_linea(corto, "curvad7, 100, 100\r\n"), 103, posizione_prima, false},
        {"curve past point 1000000", file_linea(lunghezza_linea(1000000), "curvad1, 999000, 1000\r\n"), 103,
         posizione_prima, false},
    };
    for (const caso& c : casi) {
        prova_linea p;
        p.m.posizione_errore = posizione_prima;
        p.scrivi_treno();
        if (c.testo) p.scrivi(*c.testo);
        EXPECT_EQ(p.fase(), c.segue_treno) << c.nome;
        EXPECT_EQ(p.m.codice_errore, c.codice) << c.nome;
        EXPECT_EQ(p.m.posizione_errore, c.posizione) << c.nome;
        EXPECT_FALSE(p.linea_esiste()) << c.nome;
        EXPECT_TRUE(p.treno_esiste()) << c.nome;
        EXPECT_EQ(p.s.file_aperto, sorgente::nessuna) << c.nome;
        EXPECT_EQ(p.m.scenario[voce::dati_linea].nome, "Linea di prova") << c.nome;
        EXPECT_EQ(p.m.scenario[voce::dati_treno].nome, "4711") << c.nome;
        if (c.segue_treno) continue;
        // The whole compiler ends with the same status and keeps the train file.
        prova_linea q;
        q.m.posizione_errore = posizione_prima;
        q.scrivi_treno();
        if (c.testo) q.scrivi(*c.testo);
        q.compila();
        EXPECT_EQ(q.m.codice_errore, c.codice) << c.nome;
        EXPECT_EQ(q.m.posizione_errore, c.posizione) << c.nome;
        EXPECT_FALSE(q.linea_esiste()) << c.nome;
        EXPECT_TRUE(q.treno_esiste()) << c.nome;
    }
}


std::string righe_numerate(int da, int a, const std::string& prima, const std::string& dopo, int passo) {
    std::string testo;
    for (int i = da; i <= a; ++i) testo += prima + std::to_string(i * passo) + dopo;
    return testo;
}

// Runtime failures of the line phase, through the whole compiler: status 25,
// the position unchanged, both text files deleted.
TEST(FaseLinea, RuntimeFailuresRecordStatus25AndDeleteBothTextFiles) {
    const std::string corto = lunghezza_linea(1000);
    const std::string lungo = lunghezza_linea(20000);
    struct caso {
        const char* nome;
        std::string testo;
        std::int32_t scrivi_linea;
    };
    const caso casi[] = {
        {"empty line file", "", 1},
        {"no length record", file_linea("sfondo uno, 1\r\n", "pendenza, 0, 1\r\n"), 1},
        {"no length record, no plan", file_linea("", ""), 0},
        {"file ends inside a record", "[generale]\r\n" + corto + "[curve]\r\npendenza, 100", 1},
        {"file ends inside a general record", "[generale]\r\n" + corto + "progressiva chilometrica uno, 0, 0", 1},
        {"non-numeric value", file_linea(corto, "pendenza, 1oo, 2\r\n"), 1},
        {"empty value", file_linea(corto, "pendenza, , 2\r\n"), 1},
        {"length beyond 32 bits", file_linea(lunghezza_linea(0) + "lunghezza percorso, 3000000000\r\n", ""), 1},
        {"curve beyond the plan", file_linea(corto, "curvad1, 0, 8001\r\n"), 1},
        {"curve end beyond 32 bits", file_linea(corto, "curvad1, 100, 2147483600\r\n"), 1},
        {"81st mountain", file_linea(lungo, righe_numerate(1, 81, "montagna, ", ", 0, 1\r\n", 100)), 1},
        {"mountain end beyond the track", file_linea(corto, "montagna, 7900, 8500, 1\r\n"), 1},
        {"negative mountain start", file_linea(corto, "montagna, -100, 100, 1\r\n"), 1},
        {"gradient cursor off the track",
         file_linea(lunghezza_linea(0), "pendenza, 6900, 1\r\n" +
                                            righe_numerate(2, 5, "pendenza, 50, ", "\r\n", 1)),
         1},
        {"gradient cursor off the track in the closing fill",
         file_linea(lunghezza_linea(0), "pendenza, 6900, 1\r\n" + righe_numerate(2, 4, "pendenza, 50, ", "\r\n", 1)), 0},
        {"gradient plus 100 beyond 32 bits", file_linea(corto, "pendenza, 0, 2147483600\r\npendenza, 100, 0\r\n"), 1},
        {"gradient position plus 100 beyond 32 bits", file_linea(corto, "pendenza, 2147483548, 3\r\n"), 1},
        {"sign position plus 100 beyond 32 bits", file_linea(corto, "cartello_indicatore, 2147483600, A\r\n"), 1},
        {"indicator speed beyond 16 bits", file_linea(corto, "indicatori_v, 1000, 1639, 0,0,0,0,0,0,0\r\n"), 1},
        {"82nd sign", file_linea(lungo, righe_numerate(1, 82, "cartello_indicatore, ", ", X\r\n", 100)), 1},
        {"negative sign cell", file_linea(corto, "cartello_indicatore, -100, X\r\n"), 1},
        {"no cells", file_linea(lunghezza_linea(-7100), ""), 0},
        {"plan of one point", file_linea(lunghezza_linea(-7000), ""), 1},
        {"plan of no point", file_linea(lunghezza_linea(-7020), ""), 1},
    };
    for (const caso& c : casi) {
        prova_linea p(c.scrivi_linea);
        p.m.posizione_errore = posizione_prima;
        p.scrivi_treno();
        p.scrivi(c.testo);
        p.compila();
        EXPECT_EQ(p.m.codice_errore, 25) << c.nome;
        EXPECT_EQ(p.m.posizione_errore, posizione_prima) << c.nome;
        EXPECT_FALSE(p.linea_esiste()) << c.nome;
        EXPECT_FALSE(p.treno_esiste()) << c.nome;
        ASSERT_EQ(p.m.stati_sollevati.size(), 1u) << c.nome;
        const stato_sollevato& e = p.m.stati_sollevati[0];
        EXPECT_EQ(e.fase, fase_stato::linea) << c.nome;
        EXPECT_EQ(e.campo.file, sorgente::linea) << c.nome;
        EXPECT_TRUE(e.guasto.has_value()) << c.nome;
    }
}

TEST(FaseLinea, WritesBeforeARuntimeFailureStay) {
    prova_linea p;
    p.scrivi(file_linea(lunghezza_linea(1000), "pendenza, 500, 3\r\ncurvad1, 0, 8001\r\n"));
    p.compila();
    EXPECT_EQ(p.m.codice_errore, 25);
    EXPECT_EQ(p.pendenza(9), 100);
    EXPECT_EQ(p.pendenza(10), 0);
    EXPECT_EQ(p.tipo_punto(8000, 0), tipo_valore::doppio);  // the plan's last point, written by the curve

    prova_linea q;
    q.scrivi(file_linea(lunghezza_linea(1000), "montagna, 7900, 8500, 5\r\n"));
    q.compila();
    EXPECT_EQ(q.m.codice_errore, 25);
    EXPECT_EQ(q.c(158).montagna, 5);
    EXPECT_EQ(q.c(160).montagna, 5);
    EXPECT_EQ(q.m.numero_montagne, 1);

    prova_linea r;
    r.scrivi(file_linea(lunghezza_linea(20000), righe_numerate(1, 82, "cartello_indicatore, ", ", X\r\n", 100)));
    r.compila();
    EXPECT_EQ(r.m.codice_errore, 25);
    EXPECT_EQ(r.c(2 * 82 + 1).tipo, tipo_cella::cartello);  // written before the entry below 0 was asked for
    EXPECT_EQ(r.c(2 * 82 + 1).valore1, -1);

    // A plan of one point: the seed of point 0 is written before point 1 is asked for.
    prova_linea u;
    u.scrivi(file_linea(lunghezza_linea(-7000), ""));
    u.compila();
    EXPECT_EQ(u.m.codice_errore, 25);
    ASSERT_EQ(u.m.planimetria.ultimo_metro, 0);
    EXPECT_EQ(u.tipo_punto(0, 0), tipo_valore::intero);
    EXPECT_EQ(u.tipo_punto(0, 1), tipo_valore::intero);
}

TEST(FaseLinea, MissingLengthLeavesNoTrack) {
    prova_linea p;
    p.scrivi(file_linea("sfondo uno, 1\r\n", "pendenza, 0, 1\r\n"));
    p.compila();
    EXPECT_EQ(p.m.codice_errore, 25);
    EXPECT_TRUE(p.m.tracciato.empty());
    EXPECT_TRUE(p.m.planimetria.tipi.empty());
    EXPECT_EQ(p.m.scenario[voce::dati_linea].valore1, 1);
}

TEST(FaseLinea, EightyOneSignsReachEntryZero) {
    prova_linea p;
    p.scrivi(file_linea(lunghezza_linea(20000), righe_numerate(1, 81, "cartello_indicatore, ", ", X\r\n", 100)));
    ASSERT_TRUE(p.fase());
    EXPECT_EQ(p.m.codice_errore, 0);
    EXPECT_EQ(p.c(3).valore1, 80);
    EXPECT_EQ(p.c(2 * 80 + 1).valore1, 1);
    EXPECT_EQ(p.c(2 * 81 + 1).valore1, 0);
    EXPECT_EQ(p.m.scenario[0].nome, "X");
    EXPECT_EQ(p.s.prossima_voce_cartello, -1);
}

TEST(FaseLinea, EightyMountainsFit) {
    prova_linea p;
    p.scrivi(file_linea(lunghezza_linea(20000), righe_numerate(1, 80, "montagna, ", ", 0, 1\r\n", 100)));
    ASSERT_TRUE(p.fase());
    EXPECT_EQ(p.m.numero_montagne, 80);
    EXPECT_EQ(p.m.montagne_inizio[80], 8000);
}

}  // namespace

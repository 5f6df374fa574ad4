// The line file's general section, comments, keyword letter case and the
// last field, through the line phase.
#include <gtest/gtest.h>

#include <string>

#include "prova_linea.h"

namespace {

std::string volte(int n, const std::string& riga) {
    std::string testo;
    for (int i = 0; i < n; ++i) testo += riga;
    return testo;
}

TEST(SezioneGenerale, UpToTenCommentsInARowArePassedOver) {
    struct caso {
        int commenti;
        std::int32_t lunghezza;
    };
    // The commented length record is interpreted only when ten comments come
    // before it: after ten replacements it is the field in hand. Otherwise it
    // is passed over as a comment and its value is a field that matches nothing.
    const caso casi[] = {{0, 1000}, {9, 1000}, {10, 5000}, {11, 1000}};
    for (const caso& c : casi) {
        prova_linea p;
        p.scrivi("[generale]\r\n" + lunghezza_linea(1000) + volte(c.commenti, "- nota\r\n") +
                 "-lunghezza percorso, 5000\r\n[curve]\r\n[fine]\r\n");
        ASSERT_TRUE(p.fase()) << c.commenti;
        EXPECT_EQ(p.m.scenario[voce::dati_generali].valore2, c.lunghezza) << c.commenti;
        EXPECT_EQ(p.m.lunghezza_totale, c.lunghezza + 7000) << c.commenti;
    }
}

TEST(CorpoLinea, UpToTwoCommentsInARowArePassedOver) {
    struct caso {
        int commenti;
        int pendenza_dopo;  // cell 10 on
    };
    // Interpreted only as the third field of a run of comments.
    const caso casi[] = {{0, 100}, {1, 100}, {2, 107}, {3, 100}};
    for (const caso& c : casi) {
        prova_linea p;
        p.scrivi(file_linea(lunghezza_linea(1000), volte(c.commenti, "-- nota\r\n") + "-pendenza, 500, 7\r\n"));
        ASSERT_TRUE(p.fase()) << c.commenti;
        EXPECT_EQ(p.pendenza(9), 100) << c.commenti;
        EXPECT_EQ(p.pendenza(10), c.pendenza_dopo) << c.commenti;
        EXPECT_EQ(p.m.codice_errore, 0) << c.commenti;
    }
}

TEST(CorpoLinea, ACommentBeforeTheLastFieldLeavesWithoutReadingFurther) {
    prova_linea p;
    p.scrivi(file_linea(lunghezza_linea(1000), "") + "- nota\r\npendenza");
    ASSERT_TRUE(p.fase());
    EXPECT_EQ(p.m.codice_errore, 0);
}

TEST(SezioneGenerale, ACommentLineWithACommaIsTwoFields) {
    prova_linea p;
    p.scrivi("[generale]\r\n- nota, lunghezza percorso, 1000\r\n[curve]\r\n- nota, pendenza, 500, 7\r\n"
             "- a-b, - c, sfondo uno, 9\r\n[fine]\r\n");
    ASSERT_TRUE(p.fase());
    EXPECT_EQ(p.m.scenario[voce::dati_generali].valore2, 1000);
    EXPECT_EQ(p.pendenza(10), 107);
    EXPECT_EQ(p.m.scenario[voce::dati_linea].valore1, 0);  // general records are not read in the body
}

TEST(SezioneGenerale, KeywordLetterCase) {
    prova_linea p;
    p.scrivi("[GENERALE]\r\n"
             "LUNGHEZZA PERCORSO, 1000\r\n"
             "Progressiva chilometrica uno, 1000, 2000, 0\r\n"
             "progressiva chilometrica UNO, 1000, 2000, 0\r\n"
             "progressiva chilometrica Tre, 1000, 2000, 0\r\n"
             "Sfondo uno, 7\r\n"
             "sfondo Due, 7\r\n"
             "Ripetizione segnali 4, 50, 100\r\n"
             "ripetizione SEGNALI 4, 50, 100\r\n"
             "sfondo tre, 3\r\n"
             "[curve]\r\n"
             "PENDENZA, 500, 7\r\n"
             "CurvaD1, 10, 5\r\n"
             "MONTAGNA, 1000, 1050, 4\r\n"
             "INDICATORI_V, 2000, 1, 0, 0, 0, 0, 0, 0, 0\r\n"
             "Cartello_Indicatore, 3000, Testo\r\n"
             "[fine]\r\n");
    ASSERT_TRUE(p.fase());
    EXPECT_EQ(p.m.codice_errore, 0);
    EXPECT_EQ(p.m.scenario[voce::dati_generali].valore2, 1000);
    for (int v = 81; v <= 83; ++v) EXPECT_EQ(p.m.scenario[v].valore2, 0) << v;
    EXPECT_EQ(p.m.scenario[voce::dati_linea].valore1, 0);
    EXPECT_EQ(p.m.scenario[voce::dati_linea].valore3, 0);
    EXPECT_EQ(p.m.scenario[voce::dati_linea].valore2, 3);
    EXPECT_EQ(p.m.scenario[voce::dati_treno].valore1, 0);
    EXPECT_EQ(p.m.scenario[voce::dati_treno].valore2, 0);
    EXPECT_EQ(p.pendenza(10), 107);
    EXPECT_EQ(p.punto(11, 0), 0.0001);
    EXPECT_EQ(p.c(20).montagna, 4);
    EXPECT_EQ(p.c(41).tipo, tipo_cella::indicatori_v_max);
    EXPECT_EQ(p.c(61).tipo, tipo_cella::cartello);
    EXPECT_EQ(p.m.scenario[voce::primo_cartello].nome, "Testo");
}

TEST(SezioneGenerale, RecordsStoreTheirValues) {
    prova_linea p;
    p.scrivi(file_linea(lunghezza_linea(2000) +
                            "progressiva chilometrica uno,    0,    0,    0\r\n"
                            "progressiva chilometrica due,    5000,    3000,    0\r\n"
                            "progressiva chilometrica tre,    12000,    7000,    1\r\n"
                            "sfondo uno,    1\r\nsfondo due,    2\r\nsfondo tre,    3\r\n"
                            "ripetizione segnali 9 codici,    100,    26000\r\n",
                        ""));
    ASSERT_TRUE(p.fase());
    EXPECT_EQ(p.m.scenario[voce::progressiva_maggiore].valore1, 12000);
    EXPECT_EQ(p.m.scenario[voce::progressiva_maggiore].valore2, 7100);
    EXPECT_EQ(p.m.scenario[voce::progressiva_maggiore].valore3, 1);
    EXPECT_EQ(p.m.scenario[voce::progressiva_media].valore1, 5000);
    EXPECT_EQ(p.m.scenario[voce::progressiva_media].valore2, 3000);
    EXPECT_EQ(p.m.scenario[voce::progressiva_minore].valore1, 0);
    EXPECT_EQ(p.m.scenario[voce::dati_linea].valore1, 1);
    EXPECT_EQ(p.m.scenario[voce::dati_linea].valore3, 2);  // "due"
    EXPECT_EQ(p.m.scenario[voce::dati_linea].valore2, 3);  // "tre"
    EXPECT_EQ(p.m.scenario[voce::dati_treno].valore1, 100);
    EXPECT_EQ(p.m.scenario[voce::dati_treno].valore2, 26000);
    EXPECT_EQ(p.m.scenario[voce::dati_treno].valore3, 9);
}

TEST(SezioneGenerale, RepetitionCodes) {
    struct caso {
        const char* riga;
        std::int32_t inizio, fine, codici;
    };
    const caso casi[] = {
        {"ripetizione segnali 4 codici, 0, 26000\r\n", 0, 26000, 4},
        {"ripetizione segnali 9 codici, -50, 26000\r\n", -50, 26000, 9},
        {"ripetizione segnali 9 o 4 codici, 0, 100\r\n", 0, 100, 4},
        {"ripetizione segnali 4 codici, 500, 0\r\n", 500, 0, 0},
        {"ripetizione segnali 9 codici, 0, 0\r\n", 0, 0, 0},
    };
    for (const caso& c : casi) {
        prova_linea p;
        p.scrivi(file_linea(lunghezza_linea(1000) + c.riga, ""));
        ASSERT_TRUE(p.fase()) << c.riga;
        EXPECT_EQ(p.m.scenario[voce::dati_treno].valore1, c.inizio) << c.riga;
        EXPECT_EQ(p.m.scenario[voce::dati_treno].valore2, c.fine) << c.riga;
        EXPECT_EQ(p.m.scenario[voce::dati_treno].valore3, c.codici) << c.riga;
    }
}

TEST(SezioneGenerale, OneFieldMayMatchSeveralRecords) {
    prova_linea p;
    p.scrivi(file_linea(lunghezza_linea(1000) + "progressiva tre due, 300, 1, 0, 200, 2, 0\r\n", ""));
    ASSERT_TRUE(p.fase());
    EXPECT_EQ(p.m.scenario[voce::progressiva_maggiore].valore1, 300);
    EXPECT_EQ(p.m.scenario[voce::progressiva_media].valore1, 200);
}

TEST(SezioneGenerale, ARepeatedLengthRecordSizesTheTrackAgain) {
    prova_linea p;
    p.scrivi(file_linea(lunghezza_linea(1000) + lunghezza_linea(2000), ""));
    ASSERT_TRUE(p.fase());
    EXPECT_EQ(p.m.scenario[voce::dati_generali].valore2, 2000);
    EXPECT_EQ(p.m.numero_celle, 180);
    EXPECT_EQ(p.m.tracciato.size(), 181U);
    EXPECT_EQ(p.m.planimetria.ultimo_metro, 9000);
}

TEST(SezioneGenerale, CellCountRoundsHalfToEven) {
    struct caso {
        std::int32_t lunghezza, celle;
    };
    const caso casi[] = {{22000, 580}, {13025, 400}, {13075, 402}, {13024, 400}, {13026, 401}, {1000000, 20140}};
    for (const caso& c : casi) {
        prova_linea p(0);
        p.scrivi(file_linea(lunghezza_linea(c.lunghezza), ""));
        ASSERT_TRUE(p.fase()) << c.lunghezza;
        EXPECT_EQ(p.m.numero_celle, c.celle) << c.lunghezza;
        EXPECT_EQ(p.m.tracciato.size(), static_cast<std::size_t>(c.celle) + 1) << c.lunghezza;
        EXPECT_EQ(p.m.lunghezza_totale, c.lunghezza + 7000) << c.lunghezza;
    }
}

TEST(SezioneGenerale, WhatEndsTheSection) {
    struct caso {
        const char* nome;
        std::string dopo;  // the field after ten comments
        std::int32_t sfondo;  // background "uno" when read in the general section
    };
    const caso casi[] = {
        {"an eleventh comment that is a header", "-[curve]\r\n", 5},
        {"a header with a hyphen inside", "[cur-ve]\r\n", 0},
        {"brackets in any order", "] e [\r\n", 0},
        {"an opening bracket only", "[curve\r\n", 5},
    };
    for (const caso& c : casi) {
        prova_linea p;
        p.scrivi("[generale]\r\n" + lunghezza_linea(1000) + volte(10, "- nota\r\n") + c.dopo +
                 "sfondo uno, 5\r\n[curve]\r\n[fine]\r\n");
        ASSERT_TRUE(p.fase()) << c.nome;
        EXPECT_EQ(p.m.scenario[voce::dati_linea].valore1, c.sfondo) << c.nome;
    }
}

TEST(SezioneGenerale, GeneralRecordsAfterTheHeaderAndCurvesBeforeItAreNotRead) {
    prova_linea p;
    p.scrivi("[generale]\r\ncurvad1, 2000, 1500\r\n" + lunghezza_linea(1000) +
             "[curve]\r\nlunghezza percorso, 3000\r\nsfondo uno, 5\r\n[fine]\r\n");
    ASSERT_TRUE(p.fase());
    EXPECT_EQ(p.m.scenario[voce::dati_generali].valore2, 1000);
    EXPECT_EQ(p.m.scenario[voce::dati_linea].valore1, 0);
    EXPECT_EQ(p.punto(2500, 0), 0.0);  // no curve
}

TEST(SezioneGenerale, EverythingBeforeGeneraleIsIgnored) {
    prova_linea p;
    p.scrivi("lunghezza percorso, 5000\r\npendenza, 100, 3\r\nnote [Generale] qui\r\n" + lunghezza_linea(1000) +
             "[curve]\r\n[fine]\r\n");
    ASSERT_TRUE(p.fase());
    EXPECT_EQ(p.m.scenario[voce::dati_generali].valore2, 1000);
}

TEST(UltimoCampo, TheFilesLastFieldIsNeverInterpreted) {
    struct caso {
        const char* nome;
        std::string testo;
        int pendenza_cella_10;
    };
    const std::string inizio = "[generale]\r\n" + lunghezza_linea(1000) + "[curve]\r\n";
    const caso casi[] = {
        {"a real record as the last line", inizio + "pendenza, 500, 7\r\n", 107},
        {"a real record as the last line, no line end", inizio + "pendenza, 500, 7", 107},
        {"a keyword as the last field", inizio + "pendenza, 500, 7\r\npendenza", 107},
        {"records after [fine]", inizio + "[fine]\r\npendenza, 500, 7\r\n[fine]\r\n", 107},
        {"an empty line after [fine] is the last field", inizio + "pendenza, 500, 7\r\n[fine]\r\n\r\n", 107},
        {"a sign text as the last field", inizio + "cartello_indicatore, 450, Fine", 100},
    };
    for (const caso& c : casi) {
        prova_linea p;
        p.scrivi(c.testo);
        ASSERT_TRUE(p.fase()) << c.nome;
        EXPECT_EQ(p.m.codice_errore, 0) << c.nome;
        EXPECT_EQ(p.pendenza(10), c.pendenza_cella_10) << c.nome;
    }
    prova_linea p;
    p.scrivi(inizio + "cartello_indicatore, 450, Fine");
    ASSERT_TRUE(p.fase());
    EXPECT_EQ(p.m.scenario[voce::primo_cartello].nome, "Fine");
}

TEST(UltimoCampo, AGeneralSectionThatRunsToTheEnd) {
    prova_linea p;
    p.scrivi("[generale]\r\n" + lunghezza_linea(1000) + "sfondo uno");
    ASSERT_TRUE(p.fase());
    EXPECT_EQ(p.m.codice_errore, 0);
    EXPECT_EQ(p.m.numero_celle, 160);
    EXPECT_EQ(p.pendenza(157), 100);
}

}  // namespace

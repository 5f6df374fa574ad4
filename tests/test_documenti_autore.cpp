// The train sheet and the slowdown order made from an author's scenario:
// the frames of the builder's own documents, their columns, the second frame,
// and the names cut at a column.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sources/contenuto.h"
#include "tools/analisi/documenti_autore.h"

namespace {

std::vector<std::string> righe_fisse(const char* const* righe) {
    std::vector<std::string> r;
    for (; std::string(righe[0]) != contenuto::marcatore_fine; ++righe) r.push_back(righe[0]);
    return r;
}

luogo in_treno(int riga) { return {sorgente::treno, riga, 1, 9}; }

dati_scheda_treno scheda_di_prova(int stazioni) {
    dati_scheda_treno d;
    d.numero_treno = "30742";
    d.percentuale_frenata = 140;
    for (int i = 0; i < stazioni; ++i)
        d.righe.push_back({i * 2000, i == 0 ? std::optional<int>(30) : std::nullopt, "STAZIONE " + std::to_string(i + 1),
                           72540 + i * 120, in_treno(10 + i)});
    if (stazioni > 0) {
        d.da = d.righe.front().localita;
        d.a = d.righe.back().localita;
    }
    return d;
}

TEST(DocumentiAutore, TheSheetHasTheBuildersFrameLineForLine) {
    const std::vector<std::string> fisse = righe_fisse(contenuto::righe_scheda);
    const documento_testo doc = scheda_treno(scheda_di_prova(7));
    ASSERT_EQ(doc.righe.size(), fisse.size());
    for (std::size_t i = 0; i < fisse.size(); ++i) EXPECT_EQ(doc.righe[i].size(), fisse[i].size()) << "line " << i + 1;
    // The frame lines that carry no figure are the builder's own.
    for (std::size_t i : {2u, 3u, 6u, 7u, 8u, 10u, 11u, 12u, 13u, 14u, 15u, 16u, 47u, 48u})
        EXPECT_EQ(doc.righe[i], fisse[i]) << "line " << i + 1;
    EXPECT_TRUE(doc.tagli.empty());
}

TEST(DocumentiAutore, TheSheetsFiguresStandInTheirColumns) {
    const documento_testo doc = scheda_treno(scheda_di_prova(3));
    EXPECT_EQ(doc.righe[4], " |   TRENO n.30742   |                   da: STAZIONE 1            |              |");
    EXPECT_EQ(doc.righe[5], " |___________________|                    a: STAZIONE 3            |     140%     |");
    EXPECT_EQ(doc.righe[17], " | 30  |     | 0.000    |     |  STAZIONE 1                |  20.09.00      |     |");
    EXPECT_EQ(doc.righe[18], " |     |     | 2.000    |     |  STAZIONE 2                |  20.11.00      |     |");
    EXPECT_EQ(doc.righe[20], " |     |     |          |     |                            |                |     |");
}

TEST(DocumentiAutore, MoreRowsThanAFrameHoldsContinueInASecondFrame) {
    const documento_testo doc = scheda_treno(scheda_di_prova(40));
    // One frame is 49 lines; the second adds a blank line, the four lines of
    // the columns' heading, a blank row, thirty rows and the bottom.
    ASSERT_EQ(doc.righe.size(), 49u + 37u);
    EXPECT_EQ(doc.righe[47], doc.righe[47 + 37]);  // both frames close alike
    EXPECT_EQ(doc.righe[12], doc.righe[12 + 37]);  // and open alike
    EXPECT_NE(doc.righe[48 + 6].find("STAZIONE 31"), std::string::npos);
    EXPECT_NE(doc.righe[48 + 15].find("STAZIONE 40"), std::string::npos);
    EXPECT_EQ(doc.righe.back(), "");
}

TEST(DocumentiAutore, ANameWiderThanItsColumnIsCutAtTheFrameAndNoted) {
    dati_scheda_treno d = scheda_di_prova(2);
    d.righe[1].localita = "SAN MERIDANO TERME DI SOPRA E SOTTO";
    const documento_testo doc = scheda_treno(d);
    EXPECT_EQ(doc.righe[18], " |     |     | 2.000    |     |  SAN MERIDANO TERME DI SOPR|  20.11.00      |     |");
    ASSERT_EQ(doc.tagli.size(), 1u);
    EXPECT_EQ(doc.tagli[0].testo, "SAN MERIDANO TERME DI SOPRA E SOTTO");
    EXPECT_EQ(doc.tagli[0].larghezza, 26u);
    EXPECT_EQ(doc.tagli[0].origine.riga, 11);
}

TEST(DocumentiAutore, FiguresAsTheSheetsWriteThem) {
    const struct {
        std::int64_t metri;
        const char* km;
    } km[] = {{0, "0.000"}, {250, "0.250"}, {12500, "12.500"}, {150000, "150.000"}, {-50, "-0.050"}};
    for (const auto& c : km) EXPECT_EQ(km_documento(c.metri), c.km);
    EXPECT_EQ(orario_documento(72540), "20.09.00");
    EXPECT_EQ(orario_documento(0), "00.00.00");
    EXPECT_EQ(orario_documento(86399), "23.59.59");
}

TEST(DocumentiAutore, WithoutSlowdownsTheOrderIsTheBuildersFormWordForWord) {
    const documento_testo doc = ordine_rallentamenti({"Tava Aeroporto-Rovea", "30742", {}});
    EXPECT_EQ(doc.righe, righe_fisse(contenuto::righe_rallentamenti));
}

TEST(DocumentiAutore, EachSlowdownIsARowBetweenItsStationsOrInItsStation) {
    dati_ordine_rallentamenti d{"Linea di prova", "123", {}};
    d.righe.push_back({"TORVIA", "POGGIOLANA", false, 14350, 60, 500, in_treno(30)});
    d.righe.push_back({"POGGIOLANA", "", true, 16000, 30, 200, in_treno(31)});
    d.righe.push_back({"SAN MERIDANO TERME", "TAVA SAN CORDANE", false, 9500, 80, 1000, in_treno(32)});
    const documento_testo doc = ordine_rallentamenti(d);
    ASSERT_EQ(doc.righe.size(), 46u);
    EXPECT_EQ(doc.righe[4], "  Linea LINEA DI PROVA");
    EXPECT_EQ(doc.righe[6], "  Si ordina al macchinista del treno 123 di effettuare i seguenti rallentamenti");
    EXPECT_EQ(doc.righe[12], " |   |                            |            |          |         |            |");
    EXPECT_EQ(doc.righe[13], " | 1 | TORVIA - POGGIOLANA        | 14.350     | 60       | 500     |            |");
    EXPECT_EQ(doc.righe[14], " | 2 | POGGIOLANA                 | 16.000     | 30       | 200     |            |");
    // A pair of names wider than the column takes two rows.
    EXPECT_EQ(doc.righe[15], " | 3 | SAN MERIDANO TERME -       | 9.500      | 80       | 1000    |            |");
    EXPECT_EQ(doc.righe[16], " |   | TAVA SAN CORDANE           |            |          |         |            |");
    EXPECT_EQ(doc.righe[38], " |___|____________________________|____________|__________|_________|____________|");
    EXPECT_TRUE(doc.tagli.empty());
}

TEST(DocumentiAutore, ManySlowdownsFillASecondFrameWithoutPartingARow) {
    dati_ordine_rallentamenti d{"L", "1", {}};
    for (int i = 0; i < 24; ++i) d.righe.push_back({"A", "B", false, i * 1000, 30, 100, in_treno(i + 1)});
    d.righe.push_back({"SAN MERIDANO TERME", "TAVA SAN CORDANE", false, 90000, 30, 100, in_treno(40)});
    const documento_testo doc = ordine_rallentamenti(d);
    // 24 one-row slowdowns fill the first frame but one row; the two-row
    // slowdown opens the second frame.
    EXPECT_EQ(doc.righe[37], " |   |                            |            |          |         |            |");
    EXPECT_EQ(doc.righe[38], " |___|____________________________|____________|__________|_________|____________|");
    EXPECT_EQ(doc.righe[39], "");
    EXPECT_EQ(doc.righe[46], " | 25| SAN MERIDANO TERME -       | 90.000     | 30       | 100     |            |");
    EXPECT_EQ(doc.righe.size(), 46u + 33u);
}

}  // namespace

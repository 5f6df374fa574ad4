// Warnings: each fires on a small fixture, at the place it names, and the
// embedded scenario gets only the two it is known to get.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "compiler/avvisi.h"
#include "compiler/compilatore.h"
#include "compiler/suggerimenti.h"
#include "sources/nomi_file.h"
#include "scenario_incorporato.h"
#include "compila_prova.h"
#include "supporto.h"

namespace {

// The warnings other than the two gradients beyond the declared length that
// the embedded line file has (at 23100 and 24000 m, lines 21 and 22).
std::vector<avviso_sorgente> nuovi(const modello_scenario& m) {
    std::vector<avviso_sorgente> r;
    for (const avviso_sorgente& a : m.avvisi) {
        const bool noto_incorporato = a.nome == avviso::oltre_lunghezza && a.dove.file == sorgente::linea &&
                                      (a.dove.riga == 21 || a.dove.riga == 22);
        if (!noto_incorporato) r.push_back(a);
    }
    return r;
}

TEST(Avvisi, TheEmbeddedScenarioGetsOnlyItsTwoGradientsBeyondTheLength) {
    const modello_scenario m = compila_in_memoria(linea_incorporata, treno_incorporato);
    EXPECT_EQ(m.codice_errore, 0);
    ASSERT_EQ(m.avvisi.size(), 2u);
    EXPECT_EQ(m.avvisi[0].nome, avviso::oltre_lunghezza);
    EXPECT_EQ(m.avvisi[0].dove.riga, 21);
    EXPECT_EQ(m.avvisi[0].dove.colonna, 12);
    EXPECT_EQ(m.avvisi[1].dove.riga, 22);
}

struct caso {
    const char* descrizione;
    std::string linea, treno;
    const char* nome;
    sorgente file;
    std::int32_t riga, colonna;
    const char* nel_messaggio;
};

TEST(Avvisi, EachFiresOnASmallFixtureAtItsPlace) {
    const std::string& L = linea_incorporata;
    const std::string& T = treno_incorporato;
    const caso casi[] = {
        {"misspelled station", L, sostituisci(T, "stazione,    9000", "stazone,    9000"), avviso::parola_sbagliata,
         sorgente::treno, 15, 1, "did you mean 'stazione'?"},
        {"misspelled signal", L, sostituisci(T, "segnale,    3000", "segnalle,    3000"), avviso::parola_sbagliata,
         sorgente::treno, 22, 1, "'segnale'"},
        {"misspelled gradient", sostituisci(L, "pendenza,  3500", "pendnza,  3500"), T, avviso::parola_sbagliata,
         sorgente::linea, 18, 1, "'pendenza'"},
        {"misspelled length word", sostituisci(L, "lunghezza percorso", "lunghezza percoso"), T,
         avviso::parola_sbagliata, sorgente::linea, 2, 1, "'lunghezza percorso'"},
        {"misspelled curve", sostituisci(L, "curvad5", "cruvad5"), T, avviso::parola_sbagliata, sorgente::linea, 13, 1,
         "did you mean 'curvad5'?"},
        {"capital where case matters", sostituisci(L, "sfondo uno", "Sfondo uno"), T, avviso::maiuscole,
         sorgente::linea, 6, 1, "write 'sfondo uno'"},
        {"capital in the repetition", sostituisci(L, "ripetizione", "Ripetizione"), T, avviso::maiuscole,
         sorgente::linea, 9, 1, "'ripetizione segnali 4 codici'"},
        {"body record in the general section", sostituisci(L, "sfondo tre,    0", "pendenza, 100, 1"), T,
         avviso::record_fuori_posto, sorgente::linea, 8, 1, "the general section"},
        {"general header in the train file", L, sostituisci(T, "[generale]", "[general]"), avviso::sezione_ignota,
         sorgente::treno, 1, 1, "did you mean '[generale]'?"},
        {"no record in the train file", L, sostituisci(T, "[generale]", "[general]"), avviso::nessun_record,
         sorgente::treno, 0, 0, "no field \"[generale]\""},
        {"surplus value", L, sostituisci(T, "sabbia,    300", "sabbia,    300, 7"), avviso::valori_in_piu,
         sorgente::treno, 4, 17, "takes 1 value"},
        {"decimal comma", sostituisci(L, "pendenza,  16000,   2", "pendenza,  16000,   2,5"), T,
         avviso::virgola_decimale, sorgente::linea, 19, 21, "'2,5' is read as two values, 2 and 5"},
        {"gradient beyond a byte", sostituisci(L, "pendenza,  16000,   2", "pendenza,  16000,   200"), T,
         avviso::valore_troncato, sorgente::linea, 19, 21, "reads back as gradient -56"},
        {"adhesion beyond a byte", L, sostituisci(T, "aderenza,   0,    100", "aderenza,   0,    300"),
         avviso::valore_troncato, sorgente::treno, 7, 19, "kept as 44"},
        {"signal value beyond 16 bits", L,
         sostituisci(T, "segnale,    3000,   2, 3, 1", "segnale,    3000,   2, 4000, 1"), avviso::valore_troncato,
         sorgente::treno, 22, 24, "40002"},
        {"station name cut at a comma", L, sostituisci(T, "TAVA SAN CORDANE", "TAVA SAN, CORDANE"),
         avviso::nome_troncato, sorgente::treno, 14, 73, "'TAVA SAN'"},
        {"gradients out of order", sostituisci(L, "pendenza,  19500", "pendenza,  1950"), T, avviso::fuori_ordine,
         sorgente::linea, 20, 12, "after one at 16000 m"},
        {"speed limits out of order", L, sostituisci(T, "velocita,    1000", "velocita,    0"), avviso::fuori_ordine,
         sorgente::treno, 10, 14, "speed limit"},
        {"curves overlapping", sostituisci(L, "curvas3,  5000", "curvas3,  3000"), T, avviso::fuori_ordine,
         sorgente::linea, 12, 11, "before the previous curve ends (3500 m)"},
        {"signal beyond the length", L, sostituisci(T, "segnale,   20500", "segnale,   25000"),
         avviso::oltre_lunghezza, sorgente::treno, 29, 12, "declared length"},
        {"tab for a blank", L, sostituisci(T, "sabbia,    300", "sabbia,\t300"), avviso::tabulazione, sorgente::treno,
         4, 8, "a tab"},
        {"UTF-8 accented letters", L, sostituisci(T, "ROVEA", "ROV\xC3\x88" "A"), avviso::codifica, sorgente::treno,
         18, 76, "UTF-8 text"},
        {"UTF-16 train file", L, std::string("\xFF\xFE[\0g\0", 6), avviso::codifica, sorgente::treno, 0, 0, "UTF-16"},
        {"NUL bytes", L, sostituisci(T, "sabbia", std::string("sab\0ia", 6)), avviso::codifica, sorgente::treno, 4, 4,
         "1 NUL byte"},
    };
    for (const caso& c : casi) {
        const modello_scenario m = compila_in_memoria(c.linea, c.treno);
        const auto avvisi = nuovi(m);
        const auto a = std::find_if(avvisi.begin(), avvisi.end(), [&](const avviso_sorgente& x) {
            return x.nome == c.nome && x.dove.file == c.file && x.dove.riga == c.riga;
        });
        ASSERT_NE(a, avvisi.end()) << c.descrizione << ": no " << c.nome << " at line " << c.riga;
        EXPECT_EQ(a->dove.colonna, c.colonna) << c.descrizione;
        EXPECT_NE(a->messaggio.find(c.nel_messaggio), std::string::npos) << c.descrizione << ": " << a->messaggio;
        EXPECT_TRUE(e_avviso(a->nome)) << c.descrizione;
    }
}

// Warnings that once told the author something else than what happened: the
// right warning, at the right place, and no other warning on that line.

TEST(Avvisi, TheWarningToldIsTheOneThatHappened) {
    const std::string& L = linea_incorporata;
    const std::string& T = treno_incorporato;
    const std::string segnale = "segnale,    3000,   2, 3, 1,  0, 0,    2,  2,1,0, 0";
    const caso casi[] = {
        // The layout's own "2,1,0" is no decimal comma: the surplus value is.
        {"surplus value on a signal", L, sostituisci(T, segnale, segnale + ", 7"), avviso::valori_in_piu,
         sorgente::treno, 22, 54, "'7' is read as a keyword field and ignored: the record 'segnale' on this line "
                                  "takes 11 values"},
        {"decimal comma on a signal", L, sostituisci(T, "segnale,    3000,", "segnale,    3000,5,"),
         avviso::virgola_decimale, sorgente::treno, 22, 13, "'3000,5' is read as two values, 3000 and 5"},
        {"decimal comma on a speed limit", L, sostituisci(T, "velocita,    1000,   100", "velocita,    1000,   100,5"),
         avviso::virgola_decimale, sorgente::treno, 10, 22, "'100,5' is read as two values, 100 and 5"},
        // What the author wrote, sign included.
        {"negative decimal", sostituisci(L, "pendenza,  16000,   2", "pendenza,  16000,   -2,5"), T,
         avviso::virgola_decimale, sorgente::linea, 19, 21, "'-2,5' is read as two values, -2 and 5"},
        // A transposition lies closer than a changed letter: the left curve,
        // with the grade digit the author wrote.
        {"transposed left curve", sostituisci(L, "curvas3,  5000", "cruvas4,  5000"), T, avviso::parola_sbagliata,
         sorgente::linea, 12, 1, "'cruvas4' matches no record and is ignored; did you mean 'curvas4'?"},
    };
    for (const caso& c : casi) {
        const modello_scenario m = compila_in_memoria(c.linea, c.treno);
        std::vector<avviso_sorgente> sulla_riga;
        for (const avviso_sorgente& a : nuovi(m)) {
            if (a.dove.file == c.file && a.dove.riga == c.riga) sulla_riga.push_back(a);
        }
        ASSERT_EQ(sulla_riga.size(), 1u) << c.descrizione;
        EXPECT_EQ(sulla_riga[0].nome, c.nome) << c.descrizione << ": " << sulla_riga[0].messaggio;
        EXPECT_EQ(sulla_riga[0].dove.colonna, c.colonna) << c.descrizione;
        EXPECT_NE(sulla_riga[0].messaggio.find(c.nel_messaggio), std::string::npos)
            << c.descrizione << ": " << sulla_riga[0].messaggio;
    }
}

// A UTF-8 byte-order mark: one warning that says what the build does with it,
// and the build as without it.
TEST(Avvisi, AUtf8ByteOrderMarkIsOneWarningThatSaysTheSectionIsRead) {
    const std::string bom = "\xEF\xBB\xBF";
    const modello_scenario senza = compila_in_memoria(linea_incorporata, treno_incorporato);
    struct caso_bom {
        sorgente file;
        std::string linea, treno;
        bool generale_nel_primo;
    };
    const caso_bom casi[] = {
        {sorgente::linea, bom + linea_incorporata, treno_incorporato, true},
        {sorgente::treno, linea_incorporata, bom + treno_incorporato, true},
        {sorgente::treno, linea_incorporata, bom + "uno\r\n" + treno_incorporato, false},
    };
    for (const caso_bom& c : casi) {
        const modello_scenario m = compila_in_memoria(c.linea, c.treno);
        const auto avvisi = nuovi(m);
        ASSERT_EQ(avvisi.size(), 1u) << avvisi.back().messaggio;
        EXPECT_EQ(avvisi[0].nome, avviso::codifica);
        EXPECT_EQ(avvisi[0].dove.file, c.file);
        EXPECT_EQ(avvisi[0].dove.riga, 1);
        EXPECT_EQ(avvisi[0].dove.colonna, 1);
        EXPECT_NE(avvisi[0].messaggio.find("begins with a UTF-8 byte-order mark: the build reads its three bytes as "
                                           "three Windows-1252 characters in front of the first field"),
                  std::string::npos)
            << avvisi[0].messaggio;
        EXPECT_EQ(avvisi[0].messaggio.find("still holds \"[generale]\", so the general section is read as usual") !=
                      std::string::npos,
                  c.generale_nel_primo)
            << avvisi[0].messaggio;
        EXPECT_EQ(m.codice_errore, 0);
        EXPECT_EQ(m.scenario.size(), senza.scenario.size());
        for (std::size_t k = 0; k < m.scenario.size(); ++k) EXPECT_EQ(m.scenario[k].nome, senza.scenario[k].nome) << k;
        ASSERT_EQ(m.tracciato.size(), senza.tracciato.size());
        for (std::size_t i = 0; i < m.tracciato.size(); ++i) EXPECT_EQ(m.tracciato[i].tipo, senza.tracciato[i].tipo) << i;
    }
}

// The values of a keyword that is no record are not each a warning of their
// own: the keyword's warning tells it.
TEST(Avvisi, TheValuesOfAnUnreadKeywordAreNotWarnedOneByOne) {
    const modello_scenario m = compila_in_memoria(linea_incorporata, sostituisci(treno_incorporato, "stazione,    9000", "stazone,    9000"));
    const auto avvisi = nuovi(m);
    ASSERT_EQ(avvisi.size(), 1u);
    EXPECT_EQ(avvisi[0].nome, avviso::parola_sbagliata);
}

TEST(Avvisi, SectionHeadersOfTheEmbeddedFilesAndOrdinaryNamesAreSilent) {
    for (const char* campo : {"TERME", "SAN CORDANE", "PASSAGGIO", "x", "[fine]"}) {
        EXPECT_FALSE(suggerisci(campo, parte_sorgente::treno).has_value()) << campo;
    }
    EXPECT_FALSE(suggerisci("curvad1", parte_sorgente::corpo).has_value());  // exact records are no suggestion
}

TEST(Avvisi, WarningsNeverChangeTheBuild) {
    // The same model with and without the warnings' causes that change nothing.
    const modello_scenario a = compila_in_memoria(linea_incorporata, treno_incorporato);
    const modello_scenario b = compila_in_memoria(linea_incorporata, sostituisci(treno_incorporato, "[codici]", "[codice]"));
    EXPECT_EQ(b.codice_errore, 0);
    ASSERT_EQ(nuovi(b).size(), 1u);
    EXPECT_EQ(nuovi(b)[0].nome, avviso::sezione_ignota);
    ASSERT_EQ(a.tracciato.size(), b.tracciato.size());
    for (std::size_t i = 0; i < a.tracciato.size(); ++i) EXPECT_EQ(a.tracciato[i].tipo, b.tracciato[i].tipo) << i;
}

}  // namespace

// A UTF-16 file, in either byte order and either source, gets one warning for
// the whole file and nothing about its fields, which read as nonsense.
TEST(Avvisi, AUtf16FileGetsOneWarningInEitherByteOrder) {
    const std::string utf16_le("\xFF\xFE[\0g\0e\0n\0\r\0\n\0s\0t\0a\0z\0o\0n\0e\0,\0", 26);
    const std::string utf16_be("\xFE\xFF\0[\0g\0e\0n\0\r\0\n\0s\0t\0a\0z\0o\0n\0e\0,", 26);
    for (const std::string& testo : {utf16_le, utf16_be}) {
        for (const sorgente file : {sorgente::linea, sorgente::treno}) {
            const modello_scenario m = file == sorgente::linea ? compila_in_memoria(testo, treno_incorporato)
                                                               : compila_in_memoria(linea_incorporata, testo);
            int codifica = 0;
            for (const avviso_sorgente& a : m.avvisi) {
                if (a.dove.file != file) continue;
                EXPECT_TRUE(a.nome == avviso::codifica || a.nome == avviso::nessun_record) << a.nome << ": " << a.messaggio;
                if (a.nome != avviso::codifica) continue;
                ++codifica;
                EXPECT_NE(a.messaggio.find("is UTF-16 text"), std::string::npos) << a.messaggio;
            }
            EXPECT_EQ(codifica, 1);
        }
    }
}

// The byte scan places what it finds where the reader places the field that
// holds it, whatever the line ends: CR LF, a lone CR, a lone LF.
TEST(Avvisi, TheByteScanCountsLinesAsTheReader) {
    std::string treno = treno_incorporato;
    // The first three line ends become a lone CR, a lone LF and a lone CR.
    std::size_t p = 0;
    for (const char* fine : {"\r", "\n", "\r"}) {
        p = treno.find("\r\n", p);
        treno.replace(p, 2, fine);
        ++p;
    }
    const modello_scenario m = compila_in_memoria(linea_incorporata, sostituisci(treno, "sabbia,    300", "sabbia,\t300"));
    const auto a = std::find_if(m.avvisi.begin(), m.avvisi.end(),
                                [](const avviso_sorgente& x) { return x.nome == avviso::tabulazione; });
    ASSERT_NE(a, m.avvisi.end());
    EXPECT_EQ(a->dove.riga, 4);
    EXPECT_EQ(a->dove.colonna, 8);
}

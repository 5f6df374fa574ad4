#include <gtest/gtest.h>

#include "sources/errore_esecuzione.h"
#include "sources/lettore_campi.h"

namespace {

TEST(LettoreCampi, TextFieldsRunToCommaOrLineEndAndKeepTrailingBlanks) {
    auto l = apri_lettore("  alfa beta ,gamma  \r\ndelta\rzeta\nomega");
    EXPECT_EQ(leggi_testo(l), "alfa beta ");
    EXPECT_EQ(leggi_testo(l), "gamma  ");
    EXPECT_EQ(leggi_testo(l), "delta");
    EXPECT_EQ(leggi_testo(l), "zeta");
    EXPECT_EQ(leggi_testo(l), "omega");
    EXPECT_TRUE(a_fine(l));
}

TEST(LettoreCampi, ValueFieldsEndAtBlanksAndConsumeOneTerminator) {
    auto l = apri_lettore("orologio,    20              8             30 \r\nsabbia,  -300\r\n20 , 8\r\n");
    EXPECT_EQ(leggi_testo(l), "orologio");
    EXPECT_EQ(leggi_integer(l), 20);
    EXPECT_EQ(leggi_integer(l), 8);
    EXPECT_EQ(leggi_integer(l), 30);
    EXPECT_EQ(leggi_testo(l), "sabbia");
    EXPECT_EQ(leggi_long(l), -300);
    EXPECT_EQ(leggi_long(l), 20);
    EXPECT_EQ(leggi_long(l), 8);
    EXPECT_TRUE(a_fine(l));
}

TEST(LettoreCampi, AtEndMeansNoByteRemains) {
    struct caso {
        const char* testo;
        int campi;  // fields before the reader is at end
    };
    const caso casi[] = {
        {"", 0},
        {"[fine]\r\n", 1},
        {"[fine]", 1},
        {"[fine]\r\n\r\n", 2},     // an empty line is one empty field
        {"a,", 1},                 // a comma as the last byte opens no field
        {"a,\r\n", 2},             // a comma followed by a line end leaves one empty field
        {"a\n\r", 2},              // a lone LF then a lone CR: two line ends
        {"[fine]\r\n   ", 2},      // trailing blanks form one last empty field
    };
    for (const caso& c : casi) {
        auto l = apri_lettore(c.testo);
        int n = 0;
        while (!a_fine(l)) {
            leggi_testo(l);
            ++n;
        }
        EXPECT_EQ(n, c.campi) << '"' << c.testo << '"';
    }
}

TEST(LettoreCampi, ReadingAtEndIsARuntimeFailure) {
    auto l = apri_lettore("a");
    leggi_testo(l);
    EXPECT_THROW(leggi_testo(l), errore_esecuzione);
    EXPECT_THROW(leggi_long(l), errore_esecuzione);
}

TEST(LettoreCampi, ValueFieldsMustBeSignedDecimalsThatFit) {
    struct caso {
        const char* testo;
        bool valido;
    } const casi[] = {
        {"12", true},  {"+12", true},       {"-12", true},         {"", false},           {"-", false},
        {"1x", false}, {"\"1\"", false},    {"\t1", false},        {"2147483647", true}, {"2147483648", false},
        {"-2147483648", true}, {"-2147483649", false}, {"99999999999999999999", false},
    };
    for (const caso& c : casi) {
        auto l = apri_lettore(std::string(c.testo) + ",");
        if (c.valido) {
            EXPECT_NO_THROW(leggi_long(l)) << c.testo;
        } else {
            EXPECT_THROW(leggi_long(l), errore_esecuzione) << c.testo;
        }
    }
}

TEST(LettoreCampi, NarrowTypesRefuseValuesOutsideTheirRange) {
    auto l = apri_lettore("32767,-32768,32768,255,256,-1");
    EXPECT_EQ(leggi_integer(l), 32767);
    EXPECT_EQ(leggi_integer(l), -32768);
    EXPECT_THROW(leggi_integer(l), errore_esecuzione);
    EXPECT_EQ(leggi_byte(l), 255);
    EXPECT_THROW(leggi_byte(l), errore_esecuzione);
    EXPECT_THROW(leggi_byte(l), errore_esecuzione);
}

TEST(LettoreCampi, KnowsWhereEachFieldBegan) {
    auto l = apri_lettore("[generale]\r\nlunghezza percorso,    22000\r\n", sorgente::treno);
    leggi_testo(l);
    EXPECT_EQ(l.campo.file, sorgente::treno);
    EXPECT_EQ(l.campo.riga, 1);
    EXPECT_EQ(l.campo.colonna, 1);
    leggi_testo(l);
    EXPECT_EQ(l.campo.riga, 2);
    EXPECT_EQ(l.campo.colonna, 1);
    EXPECT_EQ(l.chiusura, chiusura_campo::virgola);
    leggi_long(l);
    EXPECT_EQ(l.campo.riga, 2);
    EXPECT_EQ(l.campo.colonna, 24);
    EXPECT_EQ(testo_campo(l), "22000");
    EXPECT_EQ(l.chiusura, chiusura_campo::fine_riga);
    EXPECT_TRUE(a_fine(l));
}

// A failure carries the place of the field it was raised on: the value that
// is no number, or the end of the file reached inside a record.
TEST(LettoreCampi, AFailureCarriesThePlaceOfItsField) {
    auto l = apri_lettore("sabbia,  tanta\r\nx", sorgente::treno);
    leggi_testo(l);
    try {
        leggi_integer(l);
        ADD_FAILURE() << "no failure";
    } catch (const errore_esecuzione& e) {
        EXPECT_EQ(e.dove.file, sorgente::treno);
        EXPECT_EQ(e.dove.riga, 1);
        EXPECT_EQ(e.dove.colonna, 10);
    }
    leggi_testo(l);
    try {
        leggi_testo(l);
        ADD_FAILURE() << "no failure";
    } catch (const errore_esecuzione& e) {
        EXPECT_EQ(e.dove.riga, 2);
        EXPECT_EQ(e.dove.colonna, 2);
    }
}

}  // namespace

// Digits that pass 2^32 before any byte that is no digit make a value too
// large; any other field not of the form of a number is not a number.
TEST(LettoreCampi, TooLargeDigitsComeBeforeTheByteThatIsNoDigit) {
    struct caso {
        const char* testo;
        const char* messaggio;
    } const casi[] = {
        {"99999999999x", "value too large"}, {"-99999999999+", "value too large"},
        {"1x99999999999", "not a number"},   {"+", "not a number"},
        {"", "not a number"},               {"--1", "not a number"},
    };
    for (const caso& c : casi) {
        auto l = apri_lettore(std::string(c.testo) + ",");
        try {
            leggi_long(l);
            ADD_FAILURE() << c.testo;
        } catch (const errore_esecuzione& e) {
            EXPECT_EQ(std::string(e.what()).rfind(c.messaggio, 0), 0u) << c.testo << ": " << e.what();
        }
    }
}

TEST(LettoreCampi, TheFormOfANumber) {
    for (const char* si : {"0", "12", "+12", "-12", "0007", "99999999999999"}) EXPECT_TRUE(e_numero(si)) << si;
    for (const char* no : {"", "+", "-", "1x", " 1", "1 ", "1.5", "--1", "1-"}) EXPECT_FALSE(e_numero(no)) << no;
}

// Walking a text byte by byte with conta_byte gives every field the place
// the reader gives it, whatever the line ends.
TEST(LettoreCampi, ByteCountingAgreesWithTheReader) {
    for (const std::string testo : {"a,b\r\nc\rd\ne", "a\r\r\nb,\n\nc", "\r\n\r\n x,y", "a,\rb\r", "ab\n\r\ncd,e"}) {
        auto l = apri_lettore(testo);
        std::size_t i = 0;
        std::int32_t riga = 1, colonna = 1;
        while (!a_fine(l)) {
            leggi_testo(l);
            for (; i < l.inizio_campo; ++i) conta_byte(testo, i, riga, colonna);
            EXPECT_EQ(l.campo.riga, riga) << testo << " at byte " << i;
            EXPECT_EQ(l.campo.colonna, colonna) << testo << " at byte " << i;
        }
    }
}

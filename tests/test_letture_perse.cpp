// What the build loses or shifts without a status: each mistake on a copy of
// the embedded files gets its error at the line and column of the author's
// file, and the build still makes what it always made of it (the cells and
// entries below are those the files get, the same as without the check).
// Generated scenarios without edge cases get none of these.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

#include "compiler/avvisi.h"
#include "compiler/compilatore.h"
#include "tests/generatore/generatore.h"
#include "scenario_incorporato.h"
#include "sources/nomi_file.h"
#include "compila_prova.h"
#include "supporto.h"

namespace {

struct lettura_persa {
    const char* descrizione;
    std::string linea, treno;
    const char* nome;
    sorgente file;
    std::int32_t riga, colonna;
    const char* nel_messaggio;
    // What the build makes of the files, as it always did.
    std::function<void(const modello_scenario&)> costruito;
};

bool nessuna_cella(const modello_scenario& m, const std::function<bool(const cella&)>& p) {
    return std::none_of(m.tracciato.begin(), m.tracciato.end(), p);
}

std::vector<lettura_persa> casi() {
    const std::string& L = linea_incorporata;
    const std::string& T = treno_incorporato;
    return {
    {"a train file without [generale]", L, sostituisci(T, "[generale]", ""), avviso::record_perso, sorgente::treno, 2,
     1, "the train file has none",
     [](const modello_scenario& m) {
         EXPECT_EQ(m.codice_errore, 0);
         EXPECT_EQ(m.scenario[voce::prima_stazione].nome, "");
         EXPECT_TRUE(nessuna_cella(m, [](const cella& c) { return c.tipo == tipo_cella::segnale; }));
         EXPECT_TRUE(nessuna_cella(m, [](const cella& c) { return c.vel_limite != 0 || c.aderenza != 0; }));
     }},
    {"a station without its name",
     L, sostituisci(T, "20,13, 0, TAVA SAN CORDANE", "20,13, 0"), avviso::conteggio_valori, sorgente::treno, 14, 1,
     "'stazione' takes 16 numbers and a name; this line has 16 numbers and no name: the name is taken from line 15 "
     "('stazione'), and the record there is lost",
     [](const modello_scenario& m) {
         EXPECT_EQ(m.codice_errore, 0);
         EXPECT_EQ(m.scenario[3].nome, "stazione");
         EXPECT_EQ(m.scenario[4].nome, "TORVIA");  // the station at 9000 m is gone
     }},
    {"one value too many in a station", L,
     sostituisci(T, "stazione,    5000, 12,  400,  1, 0, 0,  4,1,0", "stazione,    5000, 12,  400,  1, 0, 0, 0,  4,1,0"),
     avviso::conteggio_valori, sorgente::treno, 14, 73,
     "this line has 17 numbers and a name: the name is taken from the number '0'",
     [](const modello_scenario& m) {
         EXPECT_EQ(m.scenario[3].nome, "0");
         EXPECT_EQ(m.scenario[3].valore4, (60 * 60 + 20) * 60 + 13);  // hours 60, minutes 20, seconds 13
     }},
    {"one value too few in a station", L, sostituisci(T, "20,13, 0, TAVA SAN CORDANE", "20,13, TAVA SAN CORDANE"),
     avviso::conteggio_valori, sorgente::treno, 14, 1,
     "this line has 15 numbers before 'TAVA', which stands where the 16th number is read: is a number missing before "
     "the name?",
     [](const modello_scenario& m) { EXPECT_EQ(m.codice_errore, numero(stato::guasto_esecuzione)); }},
    {"\"curva destra\" is a left curve", sostituisci(L, "curvas3,  5000", "curva destra 3,  5000"), T,
     avviso::parola_ambigua, sorgente::linea, 12, 1, "is read as a left curve",
     [](const modello_scenario& m) {
         const modello_scenario incorporato = compila_in_memoria(linea_incorporata, treno_incorporato);
         EXPECT_EQ(m.planimetria.valori, incorporato.planimetria.valori);  // bent as "curvas3" bends
     }},
    {"a curve keyword without a side", sostituisci(L, "curvad5", "curva5"), T, avviso::parola_ambigua,
     sorgente::linea, 13, 1, "says no side and is read as a right curve", nullptr},
    {"a curve keyword with two grade digits", sostituisci(L, "curvad5", "curvad 15"), T, avviso::parola_ambigua,
     sorgente::linea, 13, 1, "holds the digits 15 and is read as grade 1", nullptr},
    {"a mountain span that ends before it starts",
     sostituisci(L, "montagna,   13000,  13050,  2", "montagna,   7200,  6000,  1"), T, avviso::estremi_invertiti,
     sorgente::linea, 24, 20, "the mountain span ends at 6000 m, before it starts at 7200 m",
     [](const modello_scenario& m) {
         EXPECT_EQ(m.numero_montagne, 1);
         EXPECT_EQ(m.montagne_inizio[1], 7200);
         EXPECT_TRUE(nessuna_cella(m, [](const cella& c) { return c.montagna != 0; }));  // the span vanished
     }},
    {"a slowdown of negative length", L,
     sostituisci(T, "[rallentamenti]", "[rallentamenti]\r\nrallentamento,   8000,   60,   -300,   0,   0,   5"),
     avviso::estremi_invertiti, sorgente::treno, 20, 32, "the slowdown ends at 7700 m, before it starts at 8000 m",
     [](const modello_scenario& m) {
         EXPECT_EQ(m.tracciato[155].tipo, tipo_cella::fine_rallentamento);
         EXPECT_EQ(m.tracciato[161].tipo, tipo_cella::inizio_rallentamento);
     }},
    {"a signal time of 30", L, sostituisci(T, "2,1,0, 160", "2,1,0, 30"), avviso::tempo_segnale, sorgente::treno, 24,
     51, "the signal time 30 is stored as 101",
     [](const modello_scenario& m) { EXPECT_EQ(m.tracciato[211].tempo_segnale, 101); }},
    {"a signal time where sx is not 2", L,
     sostituisci(T, "segnale,   10500,   2, 4, 1,  0, 0,    2,  2,1,0, 160",
                 "segnale,   10500,   1, 4, 1,  0, 0,    2,  2,1,0, 160"),
     avviso::tempo_segnale, sorgente::treno, 24, 51, "is stored as 0: only a signal whose sx is 2",
     [](const modello_scenario& m) { EXPECT_EQ(m.tracciato[211].tempo_segnale, 0); }},
    {"a signal digit of 14", L,
     sostituisci(T, "segnale,    3000,   2, 3, 1,  0, 0,    2,  2,1,0, 0",
                 "segnale,    3000,   2, 3, 1,  0, 0,    2,  14,1,0, 0"),
     avviso::cifre_segnale, sorgente::treno, 22, 44, "d1 is 14, not one digit",
     [](const modello_scenario& m) { EXPECT_EQ(m.tracciato[61].valore1, 3 * 10 + 14); }},
    {"sx x 3 + dx above 9", L,
     sostituisci(T, "segnale,    3000,   2, 3, 1,  0, 0,    2,  2,1,0, 0",
                 "segnale,    3000,   3, 3, 1,  0, 0,    2,  2,1,0, 0"),
     avviso::cifre_segnale, sorgente::treno, 22, 21, "sx x 3 + dx is 11",
     [](const modello_scenario& m) { EXPECT_EQ(m.tracciato[61].valore4, 11); }},
    {"no speed limit and no adhesion", L,
     sostituisci(sostituisci(sostituisci(T, "aderenza,   0,    100\r\n", ""), "velocita,   0,    30\r\n", ""),
                 "velocita,    1000,   100\r\n", ""),
     avviso::celle_scoperte, sorgente::treno, 0, 0, "no \"velocita\" record: every cell of the line holds a speed limit of 0",
     [](const modello_scenario& m) {
         EXPECT_TRUE(nessuna_cella(m, [](const cella& c) { return c.vel_limite != 0 || c.aderenza != 0; }));
     }},
    {"a first speed limit after 0 m", L, sostituisci(T, "velocita,   0,    30", "velocita,   500,    30"),
     avviso::celle_scoperte, sorgente::treno, 9, 13, "cells 0 to 9) holds a speed limit of 0",
     [](const modello_scenario& m) {
         EXPECT_EQ(m.tracciato[9].vel_limite, 0);
         EXPECT_EQ(m.tracciato[10].vel_limite, 6);
     }},
    {"a record before [generale]", sostituisci(L, "[generale]", "pendenza,  0,   2\r\n[generale]"), T,
     avviso::record_perso, sorgente::linea, 1, 1, "here on line 2", nullptr},
    {"a keyword as the last field", L, sostituisci(T, "[fine]", "sabbia"), avviso::record_perso, sorgente::treno, 31,
     1, "'sabbia' is the last field of the train file, which is never read",
     [](const modello_scenario& m) { EXPECT_EQ(m.scenario[voce::dati_treno].par1, 300); }},
    {"a general record twice", L, sostituisci(T, "sabbia,    300", "sabbia,    300\r\nsabbia,    200"),
     avviso::record_perso, sorgente::treno, 4, 1, "'sabbia' is read again on line 5, whose values replace these",
     [](const modello_scenario& m) { EXPECT_EQ(m.scenario[voce::dati_treno].par1, 200); }},
    {"a value on the next line", L, sostituisci(T, "sabbia,    300", "sabbia\r\n300"), avviso::conteggio_valori,
     sorgente::treno, 4, 1, "'sabbia' takes 1 value; this line has 0: the 1st value and those after it are taken from line 5",
     [](const modello_scenario& m) { EXPECT_EQ(m.scenario[voce::dati_treno].par1, 300); }},
    {"two records in one keyword", L, sostituisci(T, "sabbia,    300", "sabbia velocita,    300, 0, 30"),
     avviso::parola_ambigua, sorgente::treno, 4, 1,
     "'sabbia velocita' holds the keywords of 2 records and is read as each of them in turn: 'velocita', then "
     "'sabbia', each taking its values from the fields that follow",
     nullptr},
    {"a repetition with both 4 and 9", sostituisci(L, "ripetizione segnali 4 codici", "ripetizione segnali 4 o 9"), T,
     avviso::parola_ambigua, sorgente::linea, 9, 1, "read as four-code repetition", nullptr},
    {"a repetition that ends before it starts",
     sostituisci(L, "ripetizione segnali 4 codici,    0,    26000", "ripetizione segnali 4 codici,    26000,    1000"), T,
     avviso::estremi_invertiti, sorgente::linea, 9, 44, "ends at 1000 m, before it starts at 26000 m", nullptr},
    };
}

// The errors of the build, by name: those other than the embedded line's two
// gradients beyond its declared length.
std::vector<avviso_sorgente> di_nome(const modello_scenario& m, const char* nome) {
    std::vector<avviso_sorgente> r;
    for (const avviso_sorgente& a : m.avvisi) {
        if (a.nome == nome) r.push_back(a);
    }
    return r;
}

TEST(LetturePerse, EachIsAnErrorAtTheAuthorsPlaceAndTheBuildIsUnchanged) {
    for (const lettura_persa& c : casi()) {
        const modello_scenario m = compila_in_memoria(c.linea, c.treno);
        const auto avvisi = di_nome(m, c.nome);
        const auto a = std::find_if(avvisi.begin(), avvisi.end(), [&](const avviso_sorgente& x) {
            return x.dove.file == c.file && x.dove.riga == c.riga &&
                   x.messaggio.find(c.nel_messaggio) != std::string::npos;
        });
        ASSERT_NE(a, avvisi.end()) << c.descrizione << ": no " << c.nome << " at line " << c.riga << " saying \""
                                   << c.nel_messaggio << "\"" << (avvisi.empty() ? "" : "; first: " + avvisi[0].messaggio);
        EXPECT_EQ(a->dove.colonna, c.colonna) << c.descrizione;
        EXPECT_TRUE(e_errore_predefinito(c.nome)) << c.descrizione;
        if (c.costruito) {
            SCOPED_TRACE(c.descrizione);
            c.costruito(m);
        }
    }
}

// A name taken from the next line or from a number is told by the count of
// values alone, not as a name cut at a comma too.
TEST(LetturePerse, AShiftedStationNameIsNotAlsoANameCut) {
    const std::string& L = linea_incorporata;
    const std::string& T = treno_incorporato;
    for (const std::string& treno :
         {sostituisci(T, "20,13, 0, TAVA SAN CORDANE", "20,13, 0"),
          sostituisci(T, "stazione,    5000, 12,  400,  1, 0, 0,  4,1,0", "stazione,    5000, 12,  400,  1, 0, 0, 0,  4,1,0")}) {
        const modello_scenario m = compila_in_memoria(L, treno);
        EXPECT_EQ(di_nome(m, avviso::conteggio_valori).size(), 1u);
        EXPECT_TRUE(di_nome(m, avviso::nome_troncato).empty()) << di_nome(m, avviso::nome_troncato)[0].messaggio;
    }
}

TEST(LetturePerse, TheEmbeddedKeywordsAndTheirFormsAreNotAmbiguous) {
    const std::string& L = linea_incorporata;
    const std::string& T = treno_incorporato;
    const modello_scenario m = compila_in_memoria(L, T);
    for (const avviso_sorgente& a : m.avvisi) EXPECT_FALSE(e_errore_predefinito(a.nome)) << a.nome << ": " << a.messaggio;
    for (const char* curva : {"curvad1", "curvas3", "CURVAD2", "Curvas6", "curvad 4", "curvas_5"}) {
        const modello_scenario k = compila_in_memoria(sostituisci(L, "curvad5", curva), T);
        EXPECT_TRUE(di_nome(k, avviso::parola_ambigua).empty()) << curva;
    }
}

// Scenarios the generator makes without edge cases, with and without records
// over each other's cells, build without a single warning, errors included.
TEST(LetturePerse, GeneratedScenariosWithoutEdgeCasesGetNone) {
    for (std::uint64_t seme = 1; seme <= 300; ++seme) {
        parametri_generatore p;
        p.seme = seme;
        p.lunghezza = static_cast<std::int32_t>(500 + (seme * 7919) % 40000);
        p.densita = 0.5 + static_cast<double>(seme % 7);
        p.casi_limite = false;
        p.sovrapposizioni = seme % 3 == 0;
        const scenario_generato g = genera_scenario(p);
        const modello_scenario m = compila_in_memoria(g.linea, g.treno);
        ASSERT_EQ(m.codice_errore, 0) << "seed " << seme;
        for (const avviso_sorgente& a : m.avvisi) {
            ADD_FAILURE() << "seed " << seme << ": " << a.nome << " at " << a.dove.riga << ":" << a.dove.colonna << ": "
                          << a.messaggio;
        }
    }
}

}  // namespace

// The diagnostics of a build are made from the facts the build records (the
// places, the cell and the record in it, a failure's kind and numbers), never
// from the words of a warning or a failure: with every such text scrambled,
// every diagnostic stays the same but for the scrambled text itself. And the
// words of each kind of runtime failure are the core's own.
#include <gtest/gtest.h>

#include <set>

#include "compiler/conversioni.h"
#include "danni_sorgenti.h"
#include "tests/generatore/generatore.h"
#include "sources/lettore_campi.h"
#include "tools/costruzione/compila_strumento.h"
#include "tools/diagnostiche/diagnostiche.h"
#include "tools/diagnostiche/parole_guasti.h"

namespace {

const nomi_scenario nomi{"Linea Generata", "10001"};

// The build of two texts in memory and its diagnostics.
struct costruito {
    std::unique_ptr<costruzione_in_memoria> c = std::make_unique<costruzione_in_memoria>();
    std::vector<diagnostica> diagnostiche;
};

std::vector<diagnostica> diagnostiche_di(const modello_scenario& m, const std::string* linea, const std::string* treno,
                                         esito_fatale esito) {
    fatale_costruzione f;
    f.esito = esito;
    return diagnostiche_costruzione(m, sorgenti_autore{"L.txt", "T.txt", linea, treno}, f);
}

costruito costruisci(const std::string* linea, const std::string* treno) {
    costruito r;
    costruisci_in_memoria(*r.c, nomi, linea, treno, true);
    r.diagnostiche = diagnostiche_di(r.c->modello, linea, treno, r.c->fatale);
    return r;
}

// Every free text the core leaves in the model, replaced by other bytes.
void scombina(modello_scenario& m) {
    for (avviso_sorgente& a : m.avvisi) a.messaggio = "x'lunghezza percorso' no length record " + a.messaggio.substr(0, 3);
    for (stato_sollevato& s : m.stati_sollevati) {
        if (s.guasto && s.guasto->dati.genere != genere_guasto::file) {
            s.guasto->operazione = "track cell: read field: line file: no length record";
            s.guasto->sistema = "cell -5";
        }
    }
}

void confronta(const std::vector<diagnostica>& prima, const std::vector<diagnostica>& dopo, const std::string& caso) {
    ASSERT_EQ(prima.size(), dopo.size()) << caso;
    const auto uguali_punti = [](const punto_sorgente& a, const punto_sorgente& b) {
        return a.file == b.file && a.percorso == b.percorso && a.riga == b.riga && a.colonna == b.colonna &&
               a.testo_riga == b.testo_riga && a.valore == b.valore;
    };
    for (std::size_t i = 0; i < prima.size(); ++i) {
        const diagnostica& a = prima[i];
        const diagnostica& b = dopo[i];
        EXPECT_EQ(a.stato, b.stato) << caso;
        EXPECT_EQ(a.nome, b.nome) << caso;
        EXPECT_TRUE(uguali_punti(a.dove, b.dove)) << caso;
        // A warning's own sentence is the text scrambled; a status's words are made from facts.
        if (a.nome.empty()) {
            EXPECT_EQ(a.messaggio, b.messaggio) << caso;
        }
        ASSERT_EQ(a.note.size(), b.note.size()) << caso << ": " << a.messaggio;
        for (std::size_t k = 0; k < a.note.size(); ++k) {
            EXPECT_EQ(a.note[k].messaggio, b.note[k].messaggio) << caso;
            EXPECT_TRUE(uguali_punti(a.note[k].dove, b.note[k].dove)) << caso;
        }
    }
}

TEST(DiagnosticheDaiFatti, NoDiagnosticDependsOnTheWordsOfAWarningOrAFailure) {
    std::set<std::int32_t> codici;
    std::size_t note = 0;
    for (std::uint32_t seme = 1; seme <= 72; ++seme) {
        parametri_generatore p;
        p.seme = seme;
        p.lunghezza = static_cast<std::int32_t>(1000 + seme * 613 % 30000);
        p.densita = 1.5 + seme % 5;
        scenario_generato s = genera_scenario(p);
        danneggia(s.linea, s.treno, seme);
        const costruito r = costruisci(&s.linea, &s.treno);
        modello_scenario scombinato = r.c->modello;
        scombina(scombinato);
        confronta(r.diagnostiche, diagnostiche_di(scombinato, &s.linea, &s.treno, r.c->fatale),
                  "seed " + std::to_string(seme));
        for (const stato_sollevato& v : r.c->modello.stati_sollevati) codici.insert(v.codice);
        for (const diagnostica& d : r.diagnostiche) note += d.note.size();
    }
    // The damage reaches the statuses whose words need the facts.
    for (const std::int32_t c : {8, 15, 25, 102, 103}) EXPECT_TRUE(codici.count(c)) << c;
    EXPECT_GT(note, 0u);
}

TEST(DiagnosticheDaiFatti, ALineWithoutItsLengthPointsAtTheMisspelledLengthRecord) {
    const std::string linea = "[generale]\r\nlunghezza percorzo, 5000\r\n[fine]\r\n";
    const std::string treno = "[generale]\r\nnumero vetture, 8\r\n";
    const costruito r = costruisci(&linea, &treno);
    ASSERT_FALSE(r.diagnostiche.empty());
    const diagnostica& d = r.diagnostiche[0];
    EXPECT_EQ(d.stato, 25);
    ASSERT_EQ(d.note.size(), 1u);
    EXPECT_EQ(d.note[0].dove.riga, 2);
    EXPECT_EQ(d.note[0].messaggio, "this field is not read as the length record (see the warning below)");
    modello_scenario scombinato = r.c->modello;
    scombina(scombinato);
    confronta(r.diagnostiche, diagnostiche_di(scombinato, &linea, &treno, r.c->fatale), "length");
}

// The words of statuses that need the build's facts: the cell not free and
// the record in it, the table entry of the station before, the margin the
// position was tested with, the failure's numbers and the rule reading the
// record, a progressive's values.
TEST(DiagnosticheDaiFatti, EachStatusIsToldFromTheFactsItCarries) {
    struct caso {
        const char* nome;
        std::string treno;
        std::string messaggio;
        std::string nota;  // the first note, if any
    };
    const std::string generale = "[generale]\r\nnumero vetture, 8\r\n";
    const std::string segnale = ", 2, 6, 7, 6, 0, 1, 2, 1, 0, 95\r\n";
    const std::string stazione = ", 4, 400, 0, 0, 0, 32,3,0, 3,2,0, 4, 2,58,16, NOME\r\n";
    const std::vector<caso> casi{
        {"signal on a signal", generale + "[segnali]\r\nsegnale, 1650" + segnale + "segnale, 1650" + segnale,
         "the cell of this signal is not free: the cell after the position's own cell, cell 34 (metres 1700 to "
         "1749), already holds a signal",
         "a signal placed in cell 34 by this record"},
        {"stations too close", generale + "[stazioni]\r\nstazione, 1000" + stazione + "stazione, 1500" + stazione,
         "this station's extent begins at 1300 m, less than 350 m after the previous station's extent ends (1200 m)",
         "the previous station"},
        {"station beyond the track", generale + "[stazioni]\r\nstazione, 99000" + stazione,
         "position 99000 m is beyond the end of the track: a station may stand at 11200 m at most (the line's "
         "5000 m plus 6200 m)",
         ""},
        {"signal before its markers", generale + "[segnali]\r\nsegnale, 100" + segnale,
         "this record reaches cell -1 outside the track (0 to 240): a signal's approach markers stand up to 8 cells "
         "before its own, so it needs a position of 325 m or more",
         ""},
        {"progressive", generale,
         "this kilometric progressive's start or value is not a multiple of 50 (start 125, value 300); the build "
         "checks it at the end of the train file",
         ""},
    };
    const std::string linea =
        "[generale]\r\nlunghezza percorso, 5000\r\nprogressiva chilometrica tre, 125, 300, 0\r\n[fine]\r\n";
    for (const caso& c : casi) {
        const costruito r = costruisci(&linea, &c.treno);
        ASSERT_FALSE(r.diagnostiche.empty()) << c.nome;
        const diagnostica& d = r.diagnostiche[0];
        EXPECT_EQ(d.messaggio, c.messaggio) << c.nome;
        EXPECT_EQ(d.note.empty() ? "" : d.note[0].messaggio, c.nota) << c.nome;
    }
}

// A failure thrown by the core, and the words the tools give its facts.
std::string parole_di(const errore_esecuzione& e) {
    return parole_guasto(guasto_sollevato{e.dati, e.operazione, e.percorso, e.what()});
}

template <typename F>
errore_esecuzione guasto_di(F f) {
    try {
        f();
    } catch (const errore_esecuzione& e) {
        return e;
    }
    ADD_FAILURE() << "no failure";
    return errore_esecuzione("", "", 0, "");
}

TEST(DiagnosticheDaiFatti, TheWordsOfEachFailureKindAreTheCoresOwn) {
    modello_scenario m;
    m.tracciato.resize(10);
    const auto leggi = [](const char* testo, auto lettura) {
        return [=] {
            lettore_campi l = apri_lettore(testo, sorgente::linea);
            lettura(l);
        };
    };
    const std::vector<errore_esecuzione> guasti{
        guasto_di([] { long_controllato(std::int64_t{1} << 40); }),
        guasto_di([] { arrotonda_long(1e12); }),
        guasto_di([&] { cella_tracciato(m, -3); }),
        guasto_di([&] { voce_tabella(m, 87); }),
        guasto_di(leggi("", [](lettore_campi& l) { leggi_long(l); })),
        guasto_di(leggi("tanta,", [](lettore_campi& l) { leggi_long(l); })),
        guasto_di(leggi("99999999999,", [](lettore_campi& l) { leggi_long(l); })),
        guasto_di(leggi("70000,", [](lettore_campi& l) { leggi_integer(l); })),
    };
    std::set<genere_guasto> generi;
    for (const errore_esecuzione& e : guasti) {
        EXPECT_EQ(parole_di(e), e.operazione + ": " + e.what());
        EXPECT_NE(e.dati.genere, genere_guasto::file) << e.what();
        generi.insert(e.dati.genere);
    }
    EXPECT_EQ(generi.size(), guasti.size());
    // A file operation keeps the system's words.
    const guasto_sollevato file{{}, "open", "a/b.txt", "No such file or directory"};
    EXPECT_EQ(parole_guasto(file), "open \"a/b.txt\": No such file or directory");
}

}  // namespace

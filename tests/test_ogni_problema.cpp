// check and compile tell every problem of the author's files in one pass:
// after an error the rest of the file is read, and the train file even when
// the line file failed; what only follows from an earlier error is not told
// again; the final status and position stay the builder's.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "processo.h"
#include "scenario_incorporato.h"
#include "supporto.h"
#include "tools/costruzione/controllo.h"

namespace {

struct errore_atteso {
    sorgente file;
    std::int32_t riga;  // 0: any
    std::int32_t stato;
};

struct sorgenti_su_disco {
    cartella_temporanea dir;
    richiesta_compilazione r;

    sorgenti_su_disco(const std::string& linea, const std::string& treno) {
        r.file_linea = dir.file(nome_linea);
        r.file_treno = dir.file(nome_treno);
        scrivi_tutto(r.file_linea, linea);
        scrivi_tutto(r.file_treno, treno);
    }
    risultato_compilazione controlla() const { return controlla_sorgenti(r, {"Tava Aeroporto-Rovea", "30742"}); }
};

std::vector<diagnostica> errori_di(const risultato_compilazione& ris) {
    std::vector<diagnostica> e;
    for (const diagnostica& d : ris.diagnostiche) {
        if (d.livello == gravita::errore && d.nome.empty()) e.push_back(d);
    }
    return e;
}

std::string con_righe(std::string testo, const std::string& dopo, const std::string& righe) {
    return sostituisci(std::move(testo), dopo, dopo + righe);
}

// 84 mountains where the list holds 80.
std::string montagne_oltre_la_lista() {
    std::string r;
    for (int i = 0; i < 84; ++i) {
        r += "montagna,   " + std::to_string(1000 + 100 * i) + ",  " + std::to_string(1050 + 100 * i) + ",  2\r\n";
    }
    return r;
}

struct caso {
    const char* nome;
    std::string linea, treno;
    std::vector<errore_atteso> errori;  // in the order told
    std::int32_t stato, posizione;      // the builder's
    const char* nota;                   // a note on the first error; nullptr: none
};

const std::vector<caso>& casi() {
    static const std::vector<caso> c = {
        {"a bad gradient value and three mistakes in the train file",
         sostituisci(linea_incorporata, "pendenza,  3500,   0", "pendenza,  3500,   x"),
         sostituisci(sostituisci(sostituisci(treno_incorporato, "stazione,   12000,", "stazione,   12010,"),
                                 "segnale,    3000,", "segnale,    500,"),
                     "segnale,   15000,   2, 4, 1,  0, 0,    2,  2,1,0, 0",
                     "segnale,   15000,   2, 4, 1,  0, 0,    2,  2,1,0, 99999999999"),
         {{sorgente::linea, 18, 25}, {sorgente::treno, 16, 8}, {sorgente::treno, 22, 16}, {sorgente::treno, 27, 25}},
         25, 0, nullptr},
        {"two mistakes in each file",
         sostituisci(sostituisci(linea_incorporata, "ripetizione segnali 4 codici,    0,",
                                 "ripetizione segnali 4 codici,    10,"),
                     "cartello_indicatore,  500,", "cartello_indicatore,  30000,"),
         sostituisci(sostituisci(treno_incorporato, "stazione,    5000, 12,  400", "stazione,    5000, 12,  450"),
                     "segnale,   18500,", "segnale,   38500,"),
         {{sorgente::linea, 9, 3}, {sorgente::linea, 27, 15}, {sorgente::treno, 14, 9}, {sorgente::treno, 28, 15}},
         3, 0, nullptr},
        // The first signal meets the line file's status: the builder's own
        // pair, told once; nothing else follows from it.
        {"the line file's status met again by a signal",
         sostituisci(linea_incorporata, "cartello_indicatore,  500,", "cartello_indicatore,  30000,"), treno_incorporato,
         {{sorgente::linea, 27, 15}, {sorgente::treno, 21, 15}}, 15, 1650, nullptr},
        // The rest is read against the longest line.
        {"a length over the limit",
         sostituisci(linea_incorporata, "lunghezza percorso,    22000", "lunghezza percorso,    2000000"),
         sostituisci(treno_incorporato, "stazione,   12000,", "stazione,   12010,"),
         {{sorgente::linea, 2, 1}, {sorgente::treno, 16, 8}}, 1, 0, nullptr},
        // Without a track the train file cannot be read: its mistake is not told.
        {"no length record", sostituisci(linea_incorporata, "lunghezza percorso,    22000\r\n", ""),
         sostituisci(treno_incorporato, "stazione,   12000,", "stazione,   12010,"), {{sorgente::linea, 0, 25}}, 25, 0,
         "the train file is not checked"},
        // Every later mountain meets the same limit: told once, counted.
        {"mountains beyond the list", con_righe(linea_incorporata, "[montagne]\r\n", montagne_oltre_la_lista()),
         sostituisci(treno_incorporato, "stazione,   12000,", "stazione,   12010,"),
         {{sorgente::linea, 0, 25}, {sorgente::treno, 16, 8}}, 25, 0, "more records after this one meet the same limit"},
    };
    return c;
}

TEST(OgniProblema, EachIndependentMistakeAtItsLineInOnePass) {
    for (const caso& c : casi()) {
        const sorgenti_su_disco s(c.linea, c.treno);
        const risultato_compilazione ris = s.controlla();
        EXPECT_EQ(ris.stato, c.stato) << c.nome;
        EXPECT_EQ(ris.posizione, c.posizione) << c.nome;
        const std::vector<diagnostica> errori = errori_di(ris);
        ASSERT_EQ(errori.size(), c.errori.size()) << c.nome;
        for (std::size_t i = 0; i < errori.size(); ++i) {
            EXPECT_EQ(errori[i].dove.file, c.errori[i].file) << c.nome << ", error " << i;
            if (c.errori[i].riga != 0) {
                EXPECT_EQ(errori[i].dove.riga, c.errori[i].riga) << c.nome << ", error " << i;
            }
            EXPECT_EQ(errori[i].stato, c.errori[i].stato) << c.nome << ", error " << i;
        }
        bool annotato = false;
        for (const nota_diagnostica& n : errori.front().note) {
            annotato |= c.nota != nullptr && n.messaggio.find(c.nota) != std::string::npos;
        }
        EXPECT_EQ(annotato, c.nota != nullptr) << c.nome;
    }
}

// The issue's own case through the command: the human report names the four
// at their lines and counts them; the JSON holds them and the builder's pair.
TEST(OgniProblema, OneCheckRunReportsAllFour) {
    const caso& c = casi().front();
    const sorgenti_su_disco s(c.linea, c.treno);
    const esecuzione e = esegui_programma(PERCORSO_SCENARIO_TOOL, s.dir.str(),
                                          {"check", nome_linea, nome_treno, "-Wno-beyond-length"});
    EXPECT_EQ(e.stato, 1);
    std::size_t dopo = 0;
    for (const std::string& testa : {nome_linea + ":18:20: error: ", nome_treno + ":16:13: error: ",
                                     nome_treno + ":22:13: error: ", nome_treno + ":27:51: error: "}) {
        const std::size_t p = e.errori.find(testa, dopo);
        EXPECT_NE(p, std::string::npos) << testa << " in\n" << e.errori;
        if (p != std::string::npos) dopo = p;
    }
    EXPECT_NE(e.errori.find("\nerror 25: "), std::string::npos) << e.errori;
    EXPECT_EQ(e.errori.substr(e.errori.size() - 28), "check: 4 errors, no warning\n") << e.errori;

    const esecuzione j = esegui_programma(PERCORSO_SCENARIO_TOOL, s.dir.str(), {"check", nome_linea, nome_treno, "--json"});
    const nlohmann::json o = nlohmann::json::parse(j.uscita);
    EXPECT_EQ(o["status"], 25);
    std::vector<int> righe;
    for (const auto& d : o["diagnostics"]) {
        if (d["severity"] == "error") righe.push_back(d["line"].get<int>());
    }
    EXPECT_EQ(righe, (std::vector<int>{18, 16, 22, 27}));
    // The files' later warnings, which the builder's build never reached, are
    // told too, in the order of the sources.
    std::vector<int> avvisi;
    for (const auto& d : o["diagnostics"]) {
        if (d["severity"] == "warning") avvisi.push_back(d["line"].get<int>());
    }
    EXPECT_EQ(avvisi, (std::vector<int>{21, 22}));
}

// A warning of a whole file that only a record left out may have caused says
// so; one at the line left out is not told.
TEST(OgniProblema, AWholeFileWarningAfterARecordLeftOutSaysSo) {
    const sorgenti_su_disco s(linea_incorporata,
                              "[generale]\r\nstazione,   12010, 12,  300,  0, 0, 0,  1,1,0,  4,1,1,    0,   0, 0, 0, "
                              "TORVIA\r\n[fine]\r\n");
    const risultato_compilazione ris = s.controlla();
    EXPECT_EQ(ris.stato, 8);
    ASSERT_EQ(errori_di(ris).size(), 1u);
    std::vector<std::string> avvisi_treno;
    for (const diagnostica& d : ris.diagnostiche) {
        if (!d.nome.empty() && d.dove.file == sorgente::treno) avvisi_treno.push_back(d.nome + ": " + d.messaggio);
    }
    EXPECT_EQ(avvisi_treno, std::vector<std::string>{"no-records: the train file yields no record: no field after "
                                                     "\"[generale]\" is a record (this may only follow from leaving "
                                                     "out the record at line 2 after its error)"});
}

// A clean scenario and one whose problems stop nothing are told as the
// builder's build tells them: the embedded scenario has no error.
TEST(OgniProblema, TheEmbeddedScenarioStaysClean) {
    const sorgenti_su_disco s(linea_incorporata, treno_incorporato);
    const risultato_compilazione ris = s.controlla();
    EXPECT_EQ(ris.stato, 0);
    EXPECT_TRUE(errori_di(ris).empty());
    EXPECT_EQ(ris.diagnostiche.size(), 2u);
}

}  // namespace

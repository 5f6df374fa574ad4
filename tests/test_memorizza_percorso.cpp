// The track build after the compiler: stamps, check codes, the two slot
// checks, the files written and the failures that write none.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/cartella_disco.h"
#include "sources/errore_esecuzione.h"
#include "supporto.h"
#include "track/errore.h"
#include "track/memorizza_percorso.h"

namespace {

// A model as the compiler leaves it for line "ab" and train "1": a track of
// 40 cells and, with a non-zero scrivi_linea, a small plan.
modello_scenario compilato(bool scrivi_linea = true) {
    modello_scenario m;
    m.nome_linea = "ab";
    m.numero_treno = "1";
    prepara_modello(m, scrivi_linea);
    m.scenario[voce::dati_linea].nome = "ab";
    m.scenario[voce::dati_treno].nome = "1";
    m.lunghezza_totale = 1950;
    m.numero_celle = 39;
    m.tracciato.assign(40, cella{});
    if (scrivi_linea) {
        m.planimetria.ultimo_metro = 4;
        m.planimetria.tipi.assign(10, tipo_valore::vuoto);
        m.planimetria.valori.assign(10, 0.0);
    }
    return m;
}

const std::vector<std::string> tre_file{"ab_1.dat", "ab_1.sim", "ab_linea.dat"};

std::uint32_t le(const std::string& b, std::size_t da, int n) {
    std::uint32_t x = 0;
    for (int k = n - 1; k >= 0; --k) x = (x << 8) | static_cast<unsigned char>(b[da + static_cast<std::size_t>(k)]);
    return x;
}

TEST(MemorizzaPercorso, PrepareResetsTheTableAndTheStatus) {
    modello_scenario m;
    m.codice_errore = 7;
    for (auto& v : m.scenario) {
        v.nome = "x";
        v.valore4 = 3;
        v.par5 = 2;
        v.opz4 = 1;
    }
    prepara_modello(m, true);
    EXPECT_TRUE(m.scrivi_linea);
    EXPECT_EQ(m.codice_errore, 0);
    for (const auto& v : m.scenario) {
        EXPECT_EQ(v.nome, "");
        EXPECT_EQ(v.valore4, 0);
        EXPECT_EQ(v.par5, 0);
        EXPECT_EQ(v.opz4, 0);
    }
}

TEST(MemorizzaPercorso, StampsTheCodesAndWritesTheThreeFilesInOrder) {
    cartella_prova dir;
    auto m = compilato();
    EXPECT_EQ(completa_percorso(m, dir.dir), (std::vector<std::string>{"ab_linea.dat", "ab_1.sim", "ab_1.dat"}));
    EXPECT_EQ(dir.nomi(), tre_file);

    EXPECT_EQ(m.tracciato[1].valore1, 5121);
    EXPECT_EQ(m.tracciato[1].valore2, 2496);
    EXPECT_EQ(m.scenario[voce::dati_linea].par1, 610);
    EXPECT_EQ(m.scenario[voce::dati_linea].valore4, 33703);

    const std::string dat = dir.file["ab_1.dat"];
    ASSERT_EQ(dat.size(), 40u * 15u);
    EXPECT_EQ(dat.substr(15, 5), std::string("\x00\x01\x14\xC0\x09", 5));

    const std::string sim = dir.file["ab_1.sim"];
    ASSERT_EQ(sim.size(), 87u * 34u + 2u + 1u);
    const std::size_t e85 = 85 * 34;
    EXPECT_EQ(sim.substr(e85 + 14, 4), std::string("\x02\x00" "ab", 4));
    EXPECT_EQ(le(sim, e85 + 18, 2), 610u);
    EXPECT_EQ(le(sim, e85 + 32, 4), 33703u);
    EXPECT_EQ(sim.substr(e85 + 36 + 14, 3), std::string("\x01\x00" "1", 3));

    EXPECT_EQ(dir.file["ab_linea.dat"].size(), 20u);  // ten elements without a value
}

TEST(MemorizzaPercorso, NoLinePlanWithoutTheFlagOrWithoutAPlan) {
    cartella_prova dir;
    auto m = compilato(false);
    EXPECT_EQ(completa_percorso(m, dir.dir), (std::vector<std::string>{"ab_1.sim", "ab_1.dat"}));
    EXPECT_EQ(dir.nomi(), (std::vector<std::string>{"ab_1.dat", "ab_1.sim"}));

    // The flag is set but the compiler stopped before it allocated the plan.
    cartella_prova dir2;
    auto m2 = compilato(true);
    m2.planimetria = planimetria_linea{};
    completa_percorso(m2, dir2.dir);
    EXPECT_EQ(dir2.nomi(), (std::vector<std::string>{"ab_1.dat", "ab_1.sim"}));
}

TEST(MemorizzaPercorso, AValueInAStampSlotEndsWith1250AndWritesNothing) {
    struct caso {
        const char* descrizione;
        void (*guasta)(modello_scenario&);
        const char* codice;
    };
    const caso casi[] = {
        {"cell 1 valore1", [](modello_scenario& m) { m.tracciato[1].valore1 = 5; }, "1250"},
        {"entry 85 par1", [](modello_scenario& m) { m.scenario[voce::dati_linea].par1 = -1; }, "1250"},
        {"cell 1 valore2", [](modello_scenario& m) { m.tracciato[1].valore2 = 1; }, "1251"},
        {"entry 85 valore4", [](modello_scenario& m) { m.scenario[voce::dati_linea].valore4 = 70000; }, "1251"},
        // An approach board of a slowdown starting in cell 8 lands in cell 1.
        {"board in cell 1",
         [](modello_scenario& m) {
             m.tracciato[8].tipo = tipo_cella::inizio_rallentamento;
             m.tracciato[8].valore1 = 120;
             m.tracciato[12].tipo = tipo_cella::fine_rallentamento;
             m.tracciato[3].tipo = tipo_cella::cartello;
             m.tracciato[2].tipo = tipo_cella::cartello;
         },
         "1250"},
    };
    for (const caso& c : casi) {
        cartella_prova dir;
        auto m = compilato();
        c.guasta(m);
        try {
            completa_percorso(m, dir.dir);
            ADD_FAILURE() << c.descrizione << ": no failure";
        } catch (const errore_segnalato& e) {
            EXPECT_EQ(e.codice, c.codice) << c.descrizione;
            EXPECT_EQ(e.messaggio, std::string(" Errore n. ") + c.codice) << c.descrizione;
        }
        EXPECT_TRUE(dir.nomi().empty()) << c.descrizione;
    }
}

TEST(MemorizzaPercorso, ARecordedStatusStillWritesAllFiles) {
    cartella_prova dir;
    auto m = compilato();
    m.codice_errore = 16;
    m.posizione_errore = 1200;
    completa_percorso(m, dir.dir);
    EXPECT_EQ(dir.nomi(), tre_file);
    EXPECT_EQ(m.codice_errore, 16);
    EXPECT_EQ(m.posizione_errore, 1200);

    // A finishing rule that fails replaces the status and the files are still written.
    cartella_prova dir2;
    auto m2 = compilato();
    m2.codice_errore = 16;
    m2.tracciato[30].tipo = tipo_cella::inizio_rallentamento;
    m2.tracciato[30].valore1 = 120;
    for (const int c : {25, 24, 23}) m2.tracciato[c].tipo = tipo_cella::cartello;
    completa_percorso(m2, dir2.dir);
    EXPECT_EQ(m2.codice_errore, 12);
    EXPECT_EQ(m2.posizione_errore, 1500);
    EXPECT_EQ(dir2.nomi(), tre_file);
}

TEST(MemorizzaPercorso, NoTrackNoFile) {
    for (const std::size_t celle : {0u, 1u}) {
        cartella_prova dir;
        auto m = compilato();
        m.tracciato.assign(celle, cella{});
        try {
            completa_percorso(m, dir.dir);
            ADD_FAILURE() << "no failure";
        } catch (const errore_esecuzione& e) {
            EXPECT_EQ(e.operazione, operazione_senza_tracciato);
        }
        EXPECT_TRUE(dir.nomi().empty());
    }
}

TEST(MemorizzaPercorso, AFailingWriteStopsTheLaterFilesAndKeepsTheEarlierOnes) {
    cartella_temporanea dir;
    std::filesystem::create_directory(dir.file("ab_1.sim"));
    cartella disco = piattaforma::cartella_su_disco(dir.str());
    auto m = compilato();
    try {
        completa_percorso(m, disco);
        ADD_FAILURE() << "no failure";
    } catch (const errore_esecuzione& e) {
        EXPECT_EQ(e.percorso, dir.file("ab_1.sim"));
    }
    EXPECT_TRUE(std::filesystem::exists(dir.file("ab_linea.dat")));
    EXPECT_FALSE(std::filesystem::exists(dir.file("ab_1.dat")));
}

TEST(MemorizzaPercorso, WithoutTextSourcesTheBuildEndsWithoutTrackAndWritesNothing) {
    cartella_prova dir;
    modello_scenario m;
    m.nome_linea = "ab";
    m.numero_treno = "1";
    try {
        memorizza_percorso(m, true, dir.dir);
        ADD_FAILURE() << "no failure";
    } catch (const errore_esecuzione& e) {
        EXPECT_EQ(e.operazione, operazione_senza_tracciato);
    }
    EXPECT_TRUE(m.scrivi_linea);
    EXPECT_EQ(m.codice_errore, 101);
    EXPECT_TRUE(dir.nomi().empty());
}

}  // namespace

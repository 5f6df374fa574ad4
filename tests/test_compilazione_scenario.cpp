// The embedded scenario through the whole compiler: the line file, then the
// train file, as the builder writes them.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/sequenza.h"
#include "compiler/compilazione.h"
#include "sources/percorso.h"
#include "sources/scrittori_testo.h"
#include "supporto.h"

namespace {

struct ScenarioIncorporato : ::testing::Test {
    cartella_temporanea dir;
    modello_scenario m;
    esito_compilazione esito;

    void SetUp() override {
        imposta_identita(m);
        dati_linea(dir.str(), m.nome_linea);
        dati_treno(dir.str(), m.nome_linea, m.numero_treno);
        m.scrivi_linea = 1;
        esito = memorizza_dati(m, dir.str());
    }
};

TEST_F(ScenarioIncorporato, CompilesWithoutStatusAndDeletesBothSources) {
    EXPECT_EQ(m.codice_errore, 0);
    EXPECT_EQ(esito.dettaglio, "");
    EXPECT_TRUE(nomi_in(dir.str()).empty());
    EXPECT_EQ(m.numero_celle, 580);
    EXPECT_EQ(m.tracciato.size(), 581u);
    EXPECT_EQ(m.planimetria.ultimo_metro, 29000);
}

TEST_F(ScenarioIncorporato, LineAndTrainItemsShareTheTrack) {
    // Gradients and speed limits side by side in the same cells.
    EXPECT_EQ(m.tracciato[0].pendenza, 102);
    EXPECT_EQ(m.tracciato[0].vel_limite, 6);
    EXPECT_EQ(m.tracciato[20].vel_limite, 20);
    EXPECT_EQ(m.tracciato[577].aderenza, 100);
    EXPECT_EQ(m.tracciato[578].aderenza, 0);
    // The sign of the line file and the first station's marks.
    EXPECT_EQ(m.tracciato[11].tipo, tipo_cella::cartello);
    EXPECT_EQ(m.tracciato[11].valore1, 80);
    EXPECT_EQ(m.tracciato[5].tipo, tipo_cella::marca_stazione);
    EXPECT_EQ(m.tracciato[5].valore1, 1);
    EXPECT_EQ(m.tracciato[4].avviso, 81);
    // The signal at 1650 and its approach markers.
    EXPECT_EQ(m.tracciato[34].tipo, tipo_cella::segnale);
    EXPECT_EQ(m.tracciato[34].valore1, 42);
    EXPECT_EQ(m.tracciato[26].avviso, 84);
    EXPECT_EQ(m.tracciato[211].tempo_segnale, 160);
    // The mountain span.
    EXPECT_EQ(m.tracciato[260].montagna, 2);
}

TEST_F(ScenarioIncorporato, TableEntries) {
    EXPECT_EQ(m.scenario[80].nome, "( PASSAGGIO A)(  LIVELLO   )");
    EXPECT_EQ(m.scenario[1].nome, "TAVA AEROPORTO");
    EXPECT_EQ(m.scenario[7].nome, "ROVEA");
    EXPECT_EQ(m.scenario[8].nome, "");
    EXPECT_EQ(m.scenario[84].valore1, 140);
    EXPECT_EQ(m.scenario[84].valore2, 22000);
    EXPECT_EQ(m.scenario[84].valore3, 8);
    EXPECT_EQ(m.scenario[85].nome, "Tava Aeroporto-Rovea");
    EXPECT_EQ(m.scenario[85].valore1, 1);
    EXPECT_EQ(m.scenario[86].nome, "30742");
    EXPECT_EQ(m.scenario[86].valore2, 26000);
    EXPECT_EQ(m.scenario[86].valore3, 4);
}

TEST(CompilazioneScenario, AStopInTheLineFileKeepsTheTrainFile) {
    cartella_temporanea dir;
    modello_scenario m;
    imposta_identita(m);
    scrivi_tutto(dir.file(nome_file_linea(m.nome_linea)),
                 righe_crlf("[generale]", "lunghezza percorso, 2000", "ripetizione segnali, 0, 0", "[fine]"));
    dati_treno(dir.str(), m.nome_linea, m.numero_treno);
    memorizza_dati(m, dir.str());
    EXPECT_EQ(m.codice_errore, 5);
    EXPECT_EQ(nomi_in(dir.str()), std::vector<std::string>{nome_file_treno(m.nome_linea, m.numero_treno)});
}

TEST(CompilazioneScenario, AFailureInTheTrainFileReportsWhereTheReaderStopped) {
    cartella_temporanea dir;
    modello_scenario m;
    imposta_identita(m);
    dati_linea(dir.str(), m.nome_linea);
    scrivi_tutto(dir.file(nome_file_treno(m.nome_linea, m.numero_treno)),
                 righe_crlf("[generale]", "numero vetture,    8", "sabbia,  tanta", "[fine]"));
    const esito_compilazione e = memorizza_dati(m, dir.str());
    EXPECT_EQ(m.codice_errore, 25);
    EXPECT_EQ(e.file, sorgente::treno);
    EXPECT_EQ(e.riga, 3);
    EXPECT_EQ(e.colonna, 10);
    EXPECT_NE(e.dettaglio.find("tanta"), std::string::npos) << e.dettaglio;
    EXPECT_TRUE(nomi_in(dir.str()).empty());
    EXPECT_EQ(m.tracciato.size(), 581u);  // the line phase's results are kept
}

}  // namespace

// The embedded scenario through the whole compiler: the line file, then the
// train file, as the builder writes them.
#include <gtest/gtest.h>

#include "app/sequenza.h"
#include "compiler/compilatore.h"
#include "sources/nomi_file.h"
#include "sources/scrittori_testo.h"
#include "supporto.h"

namespace {

struct ScenarioIncorporato : ::testing::Test {
    cartella_prova dir;
    modello_scenario m;

    void SetUp() override {
        imposta_identita(m);
        dati_linea(dir.dir, m.nome_linea);
        dati_treno(dir.dir, m.nome_linea, m.numero_treno);
        m.scrivi_linea = true;
        memorizza_dati(m, dir.dir);
    }
};

TEST_F(ScenarioIncorporato, CompilesWithoutStatusAndDeletesBothSources) {
    EXPECT_EQ(m.codice_errore, 0);
    EXPECT_TRUE(m.stati_sollevati.empty());
    EXPECT_TRUE(dir.nomi().empty());
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
    EXPECT_EQ(m.scenario[voce::primo_cartello].nome, "( PASSAGGIO A)(  LIVELLO   )");
    EXPECT_EQ(m.scenario[1].nome, "TAVA AEROPORTO");
    EXPECT_EQ(m.scenario[7].nome, "ROVEA");
    EXPECT_EQ(m.scenario[8].nome, "");
    EXPECT_EQ(m.scenario[voce::dati_generali].valore1, 140);
    EXPECT_EQ(m.scenario[voce::dati_generali].valore2, 22000);
    EXPECT_EQ(m.scenario[voce::dati_generali].valore3, 8);
    EXPECT_EQ(m.scenario[voce::dati_linea].nome, "Tava Aeroporto-Rovea");
    EXPECT_EQ(m.scenario[voce::dati_linea].valore1, 1);
    EXPECT_EQ(m.scenario[voce::dati_treno].nome, "30742");
    EXPECT_EQ(m.scenario[voce::dati_treno].valore2, 26000);
    EXPECT_EQ(m.scenario[voce::dati_treno].valore3, 4);
}

TEST(CompilazioneScenario, AStopInTheLineFileKeepsTheTrainFile) {
    cartella_prova dir;
    modello_scenario m;
    imposta_identita(m);
    dir.file[nome_file_linea(m.nome_linea)] =
        righe_crlf("[generale]", "lunghezza percorso, 2000", "ripetizione segnali, 0, 0", "[fine]");
    dati_treno(dir.dir, m.nome_linea, m.numero_treno);
    memorizza_dati(m, dir.dir);
    EXPECT_EQ(m.codice_errore, 5);
    EXPECT_EQ(dir.nomi(), std::vector<std::string>{nome_file_treno(m.nome_linea, m.numero_treno)});
}

TEST(CompilazioneScenario, ARuntimeFailureInTheTrainFileCarriesThePlaceOfItsField) {
    cartella_prova dir;
    modello_scenario m;
    imposta_identita(m);
    dati_linea(dir.dir, m.nome_linea);
    dir.file[nome_file_treno(m.nome_linea, m.numero_treno)] =
        righe_crlf("[generale]", "numero vetture,    8", "sabbia,  tanta", "[fine]");
    memorizza_dati(m, dir.dir);
    EXPECT_EQ(m.codice_errore, 25);
    ASSERT_EQ(m.stati_sollevati.size(), 1u);
    const stato_sollevato& s = m.stati_sollevati[0];
    EXPECT_EQ(s.fase, fase_stato::treno);
    EXPECT_EQ(s.record.file, sorgente::treno);
    EXPECT_EQ(s.record.riga, 3);
    EXPECT_EQ(s.record.colonna, 1);
    EXPECT_EQ(s.campo.riga, 3);
    EXPECT_EQ(s.campo.colonna, 10);
    EXPECT_FALSE(s.con_posizione);
    ASSERT_TRUE(s.guasto.has_value());
    EXPECT_EQ(s.guasto->dati.genere, genere_guasto::non_numero);
    EXPECT_EQ(s.guasto->dati.campo, "tanta");
    EXPECT_EQ(s.campo.fine, 15);  // "tanta" takes columns 10 to 14
    EXPECT_TRUE(dir.nomi().empty());
    EXPECT_EQ(m.tracciato.size(), 581u);  // the line phase's results are kept
}

// A sign beyond the end in the line file stops the line body with 15; the
// train phase then meets the status again at its first signal, which ends the
// method with the signal's position. The list keeps the root cause first.
TEST(CompilazioneScenario, TheRaisedStatusListPutsTheRootCauseOfACarriedOverStatusFirst) {
    cartella_prova dir;
    modello_scenario m;
    imposta_identita(m);
    dir.file[nome_file_linea(m.nome_linea)] = righe_crlf(
        "[generale]", "lunghezza percorso,    22000", "[curve]", "pendenza,  0,   2",
        "cartello_indicatore,  50000,   ( PASSAGGIO A)(  LIVELLO   )", "[fine]");
    dati_treno(dir.dir, m.nome_linea, m.numero_treno);
    m.scrivi_linea = true;
    memorizza_dati(m, dir.dir);

    EXPECT_EQ(m.codice_errore, 15);
    EXPECT_EQ(m.posizione_errore, 1650);  // the final pair: the train file's first signal
    ASSERT_EQ(m.stati_sollevati.size(), 2u);
    const stato_sollevato& causa = m.stati_sollevati[0];
    EXPECT_EQ(causa.codice, 15);
    EXPECT_EQ(causa.posizione, 50000);
    EXPECT_EQ(causa.fase, fase_stato::linea);
    EXPECT_FALSE(causa.ereditato);
    EXPECT_EQ(causa.record.file, sorgente::linea);
    EXPECT_EQ(causa.record.riga, 5);
    EXPECT_EQ(causa.record.colonna, 1);
    EXPECT_EQ(causa.campo.riga, 5);
    EXPECT_EQ(causa.campo.colonna, 23);  // the position value
    const stato_sollevato& dopo = m.stati_sollevati[1];
    EXPECT_EQ(dopo.codice, 15);
    EXPECT_EQ(dopo.posizione, 1650);
    EXPECT_EQ(dopo.fase, fase_stato::treno);
    EXPECT_TRUE(dopo.ereditato);
    EXPECT_EQ(dopo.record.file, sorgente::treno);
    EXPECT_EQ(dopo.record.riga, 21);
    EXPECT_EQ(dopo.campo.colonna, 13);
}

}  // namespace

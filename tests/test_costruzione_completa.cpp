// The whole build on the embedded scenario and on variants of its text
// sources: the builder's run, the scenario-tool, and their files.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "app/sequenza.h"
#include "platform/cartella_disco.h"
#include "processo.h"
#include "sources/errore_esecuzione.h"
#include "scenario_incorporato.h"
#include "supporto.h"
#include "track/errore.h"
#include "track/memorizza_percorso.h"
#include "tools/costruzione/compila_strumento.h"

namespace {

const std::string linea_txt = "Tava Aeroporto-Rovea_linea.txt";
const std::string treno_txt = "Tava Aeroporto-Rovea_30742-.txt";
const std::string piano_dat = "Tava Aeroporto-Rovea_linea.dat";
const std::string scenario_sim = "Tava Aeroporto-Rovea_30742.sim";
const std::string tracciato_dat = "Tava Aeroporto-Rovea_30742.dat";
const std::vector<std::string> sei_file{
    "Tava Aeroporto-Rovea_30742.dat",           "Tava Aeroporto-Rovea_30742.sim",
    "Tava Aeroporto-Rovea_30742_note.txt",      "Tava Aeroporto-Rovea_30742_rallentamenti.txt",
    "Tava Aeroporto-Rovea_30742_scheda_treno.txt", "Tava Aeroporto-Rovea_linea.dat",
};
const std::vector<std::string> tre_binari{piano_dat, scenario_sim, tracciato_dat};

std::string atteso(const std::string& nome) { return leggi_tutto(std::string(CARTELLA_TEST_DATI) + "/" + nome); }

std::int64_t le(const std::string& b, std::size_t da, int n, bool con_segno) {
    std::uint64_t x = 0;
    for (int k = n - 1; k >= 0; --k) x = (x << 8) | static_cast<unsigned char>(b[da + static_cast<std::size_t>(k)]);
    if (con_segno && (x >> (8 * n - 1)) != 0) return static_cast<std::int64_t>(x) - (std::int64_t{1} << (8 * n));
    return static_cast<std::int64_t>(x);
}

// Offsets of the 87 records of a scenario table file.
std::vector<std::size_t> voci_di(const std::string& sim) {
    std::vector<std::size_t> inizi;
    std::size_t p = 0;
    for (int i = 0; i < 87; ++i) {
        inizi.push_back(p);
        p += 34 + static_cast<std::size_t>(le(sim, p + 14, 2, false));
    }
    EXPECT_EQ(p, sim.size());
    return inizi;
}

// The two text sources, as the builder writes them, in a directory, after an edit of each.
void scrivi_sorgenti(const cartella_temporanea& dir, const std::string& linea, const std::string& treno) {
    scrivi_tutto(dir.file(linea_txt), linea);
    scrivi_tutto(dir.file(treno_txt), treno);
}

TEST(CostruzioneCompleta, TheRunLeavesTheSixFilesWithTheirFigures) {
    cartella_temporanea dir;
    modello_scenario m;
    imposta_identita(m);
    cartella disco = piattaforma::cartella_su_disco(dir.str());
    esegui_costruzione(m, disco);
    EXPECT_EQ(nomi_in(dir.str()), sei_file);
    EXPECT_EQ(m.codice_errore, 0);

    const std::string dat = leggi_tutto(dir.file(tracciato_dat));
    EXPECT_EQ(dat.size(), 8715u);
    EXPECT_EQ(le(dat, 15 + 1, 2, true), 5121);
    EXPECT_EQ(le(dat, 15 + 3, 2, true), 2289);
    // The first signal: cell 34, as a signal at 1650 m is placed.
    EXPECT_EQ(dat.substr(34 * 15, 9), std::string("\x01\x2A\x00\x0B\x00\x00\x00\x08\x00", 9));

    EXPECT_EQ(leggi_tutto(dir.file(piano_dat)).size(), 579964u);

    const std::string sim = leggi_tutto(dir.file(scenario_sim));
    const auto voci = voci_di(sim);
    EXPECT_EQ(sim.substr(voci[86]),
              std::string("\x00\x00\x00\x00\x00\x90\x65\x00\x00\x04\x00\x00\x00\x00\x05\x00\x33\x30\x37\x34\x32\x2C"
                          "\x01\x00\x00\x14\x00\x08\x00\x1E\x00\x00\x00\x00\x00\x00\x00\x00\x00",
                          39));
    const std::size_t e85 = voci[85];
    EXPECT_EQ(voci[86] - e85, 54u);
    EXPECT_EQ(sim.substr(e85 + 16, 20), "Tava Aeroporto-Rovea");
    EXPECT_EQ(le(sim, e85 + 36, 2, true), 610);
    EXPECT_EQ(le(sim, e85 + 50, 4, true), 32487);
}

TEST(CostruzioneCompleta, GoldenFiles) {
    cartella_temporanea dir;
    modello_scenario m;
    imposta_identita(m);
    cartella disco = piattaforma::cartella_su_disco(dir.str());
    esegui_costruzione(m, disco);
    for (const std::string& nome : sei_file) {
        const std::string scritto = leggi_tutto(dir.file(nome));
        const std::string previsto = atteso(nome);
        EXPECT_EQ(scritto.size(), previsto.size()) << nome;
        EXPECT_TRUE(scritto == previsto) << nome << " differs from the stored file";
    }
}

TEST(CostruzioneCompleta, ASecondRunReplacesTheFiles) {
    cartella_temporanea dir;
    for (const std::string& nome : tre_binari) scrivi_tutto(dir.file(nome), std::string(700000, 'z'));
    modello_scenario m;
    imposta_identita(m);
    cartella disco = piattaforma::cartella_su_disco(dir.str());
    esegui_costruzione(m, disco);
    for (const std::string& nome : tre_binari) EXPECT_TRUE(leggi_tutto(dir.file(nome)) == atteso(nome)) << nome;
}

TEST(CostruzioneCompleta, FinishingBoardsAroundASlowdownOfTheTrainFile) {
    // A slowdown at 13000 m, 60 km/h, 1000 m long, with lead-in cells: start in
    // cell 261, end in 281, warning board in 237, lead-in cells 236 to 233.
    cartella_temporanea dir;
    scrivi_sorgenti(dir, atteso(linea_txt),
                    sostituisci(atteso(treno_txt), "[rallentamenti]\r\n",
                                "[rallentamenti]\r\nrallentamento,  13000,  60,  1000,  0,  1,  0\r\n"));
    modello_scenario m;
    imposta_identita(m);
    cartella disco = piattaforma::cartella_su_disco(dir.str());
    EXPECT_EQ(memorizza_percorso(m, true, disco), tre_binari);
    EXPECT_EQ(m.codice_errore, 0);
    std::vector<int> tabelle;
    for (std::size_t i = 0; i < m.tracciato.size(); ++i) {
        if (m.tracciato[i].tipo == tipo_cella::tabella_con_valore) {
            tabelle.push_back(static_cast<int>(i));
            EXPECT_EQ(m.tracciato[i].valore1, 180);
        }
    }
    // Rule A: the signal of cell 231 (11500 m) before the warning board: 230.
    // B1: 256; 250; 243 (242 holds the marker of the station at 12000 m).
    // B2: 269 and 277, 8 and 16 cells after the start. B3: no signal in 281 to 293.
    EXPECT_EQ(tabelle, (std::vector<int>{230, 243, 250, 256, 269, 277}));
    EXPECT_EQ(m.tracciato[261].tipo, tipo_cella::inizio_rallentamento);
    EXPECT_EQ(m.tracciato[281].tipo, tipo_cella::fine_rallentamento);
    EXPECT_EQ(m.tracciato[242].tipo, tipo_cella::marca_stazione);
}

TEST(CostruzioneCompleta, AValueLeftInCellOneEndsWith1250AndNoScenarioFile) {
    // An indication sign at 0 m lands in cell 1 with its entry number.
    cartella_temporanea dir;
    scrivi_sorgenti(dir, sostituisci(atteso(linea_txt), "cartello_indicatore,  500,", "cartello_indicatore,  0,"),
                    atteso(treno_txt));
    modello_scenario m;
    imposta_identita(m);
    cartella disco = piattaforma::cartella_su_disco(dir.str());
    EXPECT_THROW(memorizza_percorso(m, true, disco), errore_segnalato);
    EXPECT_TRUE(nomi_in(dir.str()).empty());

    // A slowdown starting in cell 1 with speed 0 and a d_v leaves valore2 only: 1251.
    cartella_temporanea dir2;
    scrivi_sorgenti(dir2, atteso(linea_txt),
                    sostituisci(atteso(treno_txt), "[rallentamenti]\r\n",
                                "[rallentamenti]\r\nrallentamento,  0,  0,  300,  0,  0,  5\r\n"));
    modello_scenario m2;
    imposta_identita(m2);
    try {
        cartella disco2 = piattaforma::cartella_su_disco(dir2.str());
        memorizza_percorso(m2, true, disco2);
        ADD_FAILURE() << "no failure";
    } catch (const errore_segnalato& e) {
        EXPECT_EQ(e.codice, "1251");
        EXPECT_EQ(e.messaggio, " Errore n. 1251");
    }
    EXPECT_TRUE(nomi_in(dir2.str()).empty());
}

// ---- scenario-tool on the embedded text sources ----

struct sorgenti_autore {
    cartella_temporanea cartella;
    std::string linea, treno;  // contents
};

void prepara(sorgenti_autore& s, const std::string& linea, const std::string& treno) {
    s.linea = linea;
    s.treno = treno;
    scrivi_sorgenti(s.cartella, linea, treno);
}

void sorgenti_intatte(const sorgenti_autore& s) {
    EXPECT_EQ(nomi_in(s.cartella.str()), (std::vector<std::string>{treno_txt, linea_txt}));
    EXPECT_EQ(leggi_tutto(s.cartella.file(linea_txt)), s.linea);
    EXPECT_EQ(leggi_tutto(s.cartella.file(treno_txt)), s.treno);
}

esecuzione compila(const sorgenti_autore& s, const cartella_temporanea& uscita, std::vector<std::string> altro = {}) {
    std::vector<std::string> a{"compile", s.cartella.file(linea_txt), s.cartella.file(treno_txt), "--out", uscita.str()};
    a.insert(a.end(), altro.begin(), altro.end());
    return esegui_programma(PERCORSO_SCENARIO_TOOL, uscita.str(), a);
}

TEST(StrumentoCompleto, GivesTheBuildersThreeFilesByteForByte) {
    sorgenti_autore s;
    prepara(s, atteso(linea_txt), atteso(treno_txt));
    cartella_temporanea uscita;
    const esecuzione e = compila(s, uscita);
    EXPECT_EQ(e.stato, 0) << e.errori;
    // The two gradients beyond the declared length are the embedded line's own warnings.
    const std::string linea = s.cartella.file(linea_txt);
    EXPECT_EQ(e.errori.rfind(linea + ":21:12: warning: a gradient at 23100 m lies beyond the declared length", 0), 0u)
        << e.errori;
    EXPECT_NE(e.errori.find("\n" + linea + ":22:12: warning: a gradient at 24000 m"), std::string::npos) << e.errori;
    EXPECT_EQ(e.uscita, "wrote " + uscita.file(piano_dat) + "\nwrote " + uscita.file(scenario_sim) + "\nwrote " +
                            uscita.file(tracciato_dat) + "\n");
    EXPECT_EQ(nomi_in(uscita.str()), (std::vector<std::string>{tracciato_dat, scenario_sim, piano_dat}));
    for (const std::string& nome : tre_binari) EXPECT_TRUE(leggi_tutto(uscita.file(nome)) == atteso(nome)) << nome;
    sorgenti_intatte(s);
}

TEST(StrumentoCompleto, JsonAndNoPlanWithOtherFileNames) {
    sorgenti_autore s;
    prepara(s, atteso(linea_txt), atteso(treno_txt));
    cartella_temporanea uscita;
    // Names given as options; the output directory replaces an older table.
    scrivi_tutto(uscita.file(scenario_sim), "old");
    const esecuzione e = esegui_programma(
        PERCORSO_SCENARIO_TOOL, s.cartella.str(),
        {"compile", "--json", "--no-plan", "--line-name", "Tava Aeroporto-Rovea", "--train-number=30742",
         linea_txt, treno_txt, "--out", uscita.str(), "-Wno-beyond-length"});
    EXPECT_EQ(e.stato, 0) << e.errori;
    EXPECT_EQ(e.uscita, "{\"status\":0,\"position\":0,\"fatal\":null,\"message\":\"no error\",\"files\":"
                        "[\"Tava Aeroporto-Rovea_30742.sim\",\"Tava Aeroporto-Rovea_30742.dat\"],\"diagnostics\":[]}\n");
    EXPECT_EQ(e.errori, "");
    EXPECT_EQ(nomi_in(uscita.str()), (std::vector<std::string>{tracciato_dat, scenario_sim}));
    EXPECT_TRUE(leggi_tutto(uscita.file(scenario_sim)) == atteso(scenario_sim));
    EXPECT_TRUE(leggi_tutto(uscita.file(tracciato_dat)) == atteso(tracciato_dat));
    sorgenti_intatte(s);
}

TEST(StrumentoCompleto, ARecordedStatusIsPrintedAndAsBuilderWritesTheFiles) {
    const std::string segnale = "segnale,    1650,   2, 4, 1,  0, 0,    2,  2,1,0, 0";
    sorgenti_autore s;
    prepara(s, atteso(linea_txt), sostituisci(atteso(treno_txt), segnale + "\r\n", segnale + "\r\n" + segnale + "\r\n"));
    cartella_temporanea uscita;
    const esecuzione e = compila(s, uscita, {"-Wno-beyond-length", "--as-builder"});
    EXPECT_EQ(e.stato, 1);
    // The place is the refused signal's position value: the diagnostic, then
    // the summary line that scripts read.
    const std::string treno = s.cartella.file(treno_txt);
    EXPECT_EQ(e.errori.rfind(treno + ":22:13: error: the cell of this signal is not free", 0), 0u) << e.errori;
    const std::string riepilogo =
        "\nerror 16 at 1650 m: the cell of a signal is not free (line 22, column 13 of " + treno + ")\n";
    EXPECT_EQ(e.errori.substr(e.errori.size() - riepilogo.size()), riepilogo) << e.errori;
    EXPECT_EQ(nomi_in(uscita.str()), (std::vector<std::string>{tracciato_dat, scenario_sim, piano_dat}));
    sorgenti_intatte(s);

    cartella_temporanea uscita2;
    const esecuzione j = compila(s, uscita2, {"--json", "--as-builder"});
    EXPECT_EQ(j.stato, 1);
    EXPECT_EQ(j.uscita.substr(0, 52), "{\"status\":16,\"position\":1650,\"fatal\":null,\"message\":");
    EXPECT_TRUE(leggi_tutto(uscita2.file(tracciato_dat)) == leggi_tutto(uscita.file(tracciato_dat)));
    sorgenti_intatte(s);

    // The files are the builder's own: the build of the same texts in memory.
    costruzione_in_memoria m;
    costruisci_in_memoria(m, {"Tava Aeroporto-Rovea", "30742"}, &s.linea, &s.treno, true);
    EXPECT_EQ(m.modello.codice_errore, 16);
    for (const std::string& nome : tre_binari) EXPECT_TRUE(leggi_tutto(uscita.file(nome)) == m.file.at(nome)) << nome;
}

// On any error compile writes nothing: a folder of good files stays byte for
// byte as it was, with no temporary file; a folder that does not exist is not
// made. The report and the JSON are those of a compile that writes.
TEST(StrumentoCompleto, AnErrorLeavesAFolderOfGoodFilesAsItWas) {
    struct caso {
        const char* nome;
        std::string treno;
        std::vector<std::string> opzioni;
    };
    const caso casi[] = {
        {"a value dropped from a station",
         sostituisci(atteso(treno_txt), "stazione,    9000, 12,", "stazione,    9000,"), {}},
        {"a signal on a taken cell", sostituisci(atteso(treno_txt), "segnale,    3000,", "segnale,    500,"), {}},
        {"a warning under --werror", atteso(treno_txt), {"--werror"}},
    };
    for (const caso& c : casi) {
        sorgenti_autore s;
        prepara(s, atteso(linea_txt), atteso(treno_txt));
        cartella_temporanea uscita;
        ASSERT_EQ(compila(s, uscita).stato, 0);
        scrivi_tutto(uscita.file("mio.txt"), "mine");
        const auto istantanea = [&] {
            std::map<std::string, std::string> r;
            for (const std::string& nome : nomi_in(uscita.str())) r[nome] = leggi_tutto(uscita.file(nome));
            return r;
        };
        const std::map<std::string, std::string> prima = istantanea();
        prepara(s, atteso(linea_txt), c.treno);
        std::vector<std::string> json = c.opzioni;
        json.push_back("--json");
        const esecuzione j = compila(s, uscita, json);
        EXPECT_EQ(j.stato, 1) << c.nome;
        EXPECT_NE(j.uscita.find("\"files\":[]"), std::string::npos) << c.nome << j.uscita;
        const esecuzione e = compila(s, uscita, c.opzioni);
        EXPECT_EQ(e.stato, 1) << c.nome;
        EXPECT_EQ(e.uscita, "") << c.nome;
        EXPECT_NE(e.errori.find("\ncompile: no file written ("), std::string::npos) << c.nome << e.errori;
        EXPECT_TRUE(istantanea() == prima) << c.nome << ": the folder changed";

        // Into a folder that is not there: none is made.
        const std::string nuova = uscita.file("nuova/sotto");
        std::vector<std::string> a{"compile", s.cartella.file(linea_txt), s.cartella.file(treno_txt), "--out", nuova};
        a.insert(a.end(), c.opzioni.begin(), c.opzioni.end());
        const esecuzione n = esegui_programma(PERCORSO_SCENARIO_TOOL, uscita.str(), a);
        EXPECT_EQ(n.stato, 1) << c.nome;
        EXPECT_FALSE(std::filesystem::exists(uscita.file("nuova"))) << c.nome;
        sorgenti_intatte(s);
    }
}

TEST(StrumentoCompleto, FatalOutcomesWriteNoFile) {
    struct caso {
        std::string linea, treno;
        std::string inizio_json;
    };
    const caso casi[] = {
        {sostituisci(atteso(linea_txt), "cartello_indicatore,  500,", "cartello_indicatore,  0,"), atteso(treno_txt),
         "{\"status\":0,\"position\":0,\"fatal\":\"1250\","},
        {atteso(linea_txt),
         sostituisci(atteso(treno_txt), "[rallentamenti]\r\n",
                     "[rallentamenti]\r\nrallentamento,  0,  0,  300,  0,  0,  5\r\n"),
         "{\"status\":0,\"position\":0,\"fatal\":\"1251\","},
        {sostituisci(atteso(linea_txt), "[generale]", "[altro]"), atteso(treno_txt),
         "{\"status\":102,\"position\":0,\"fatal\":\"no-track\","},
    };
    for (const caso& c : casi) {
        sorgenti_autore s;
        prepara(s, c.linea, c.treno);
        cartella_temporanea uscita;
        scrivi_tutto(uscita.file(tracciato_dat), "old");
        const esecuzione e = compila(s, uscita, {"--json"});
        EXPECT_EQ(e.stato, 3);
        EXPECT_EQ(e.uscita.substr(0, c.inizio_json.size()), c.inizio_json) << e.uscita;
        EXPECT_NE(e.uscita.find("\"files\":[],\"diagnostics\":[{\"severity\":\"error\""), std::string::npos) << e.uscita;
        EXPECT_EQ(nomi_in(uscita.str()), std::vector<std::string>{tracciato_dat});
        EXPECT_EQ(leggi_tutto(uscita.file(tracciato_dat)), "old");
        sorgenti_intatte(s);
    }
}

}  // namespace

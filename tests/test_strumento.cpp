// scenario-tool: command line, name defaults, JSON, report, exit status.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <optional>
#include <sstream>

#include "processo.h"
#include "supporto.h"
#include "tools/comandi/comando.h"
#include "tools/comandi/comando_compila.h"
#include "tools/costruzione/compila_strumento.h"
#include "tools/comune/nomi.h"
#include "tools/costruzione/rapporto.h"
#include "tools/comune/testo_1252.h"

namespace {

// The compile command's options on their own: parsed into a request.
richiesta_compilazione analizza(const std::vector<std::string>& a) {
    CLI::App comando;
    richiesta_compilazione r;
    opzioni_compila(comando, r);
    comando.parse(std::vector<std::string>(a.rbegin(), a.rend()));
    return r;
}

// scenario-tool's command line with a compile command that only parses: what
// it prints and the exit status it gives.
struct riga_comando {
    int stato = -1;
    std::string uscita;
    std::string errori;
};

riga_comando solo_analisi(const std::vector<std::string>& a) {
    CLI::App strumento;
    prepara_strumento(strumento);
    std::ostringstream uscita;
    std::ostringstream errori;
    contesto_comandi c{uscita, errori, 0, {}};
    richiesta_compilazione r;
    opzioni_compila(*nuovo_comando(strumento, c, "compile", "compile", "compile LINE_FILE TRAIN_FILE [options]"), r);
    riga_comando esito;
    esito.stato = esegui_strumento(strumento, c, a);
    esito.uscita = uscita.str();
    esito.errori = errori.str();
    return esito;
}

TEST(ArgomentiStrumento, FullCompileCommand) {
    const richiesta_compilazione r = analizza({"L_linea.txt", "--out", "/tmp/o", "T.txt", "--line-name=Linea X",
                                              "--train-number", "42", "--no-plan", "--json"});
    EXPECT_EQ(r.file_linea, "L_linea.txt");
    EXPECT_EQ(r.file_treno, "T.txt");
    EXPECT_EQ(r.cartella_uscita, "/tmp/o");
    EXPECT_EQ(r.nome_linea, "Linea X");
    EXPECT_EQ(r.numero_treno, "42");
    EXPECT_TRUE(r.senza_planimetria);
    EXPECT_TRUE(r.json);
    EXPECT_EQ(analizza({"a", "b", "--out=x y"}).cartella_uscita, "x y");
}

TEST(ArgomentiStrumento, Defaults) {
    const richiesta_compilazione r = analizza({"a", "b"});
    EXPECT_EQ(r.cartella_uscita, ".");
    EXPECT_FALSE(r.nome_linea.has_value());
    EXPECT_FALSE(r.numero_treno.has_value());
    EXPECT_FALSE(r.senza_planimetria);
    EXPECT_FALSE(r.json);
    // "--" makes the following arguments files; a lone "-" is a file.
    const richiesta_compilazione d = analizza({"--", "--json", "-"});
    EXPECT_EQ(d.file_linea, "--json");
    EXPECT_EQ(d.file_treno, "-");
    EXPECT_FALSE(d.json);
    const richiesta_compilazione h = analizza({"a", "--", "--help"});
    EXPECT_EQ(h.file_treno, "--help");
}

TEST(ArgomentiStrumento, HelpAndVersion) {
    for (const std::vector<std::string>& a : std::vector<std::vector<std::string>>{{"--help"}, {"-h"}}) {
        const riga_comando e = solo_analisi(a);
        EXPECT_EQ(e.stato, 0);
        EXPECT_NE(e.uscita.find("compile"), std::string::npos);
        EXPECT_EQ(e.errori, "");
    }
    // --help among the options wins over every mistake.
    for (const std::vector<std::string>& a :
         std::vector<std::vector<std::string>>{{"compile", "--help"}, {"compile", "--bogus", "x", "--help"}}) {
        const riga_comando e = solo_analisi(a);
        EXPECT_EQ(e.stato, 0);
        EXPECT_NE(e.uscita.find("--train-number"), std::string::npos);
    }
    const riga_comando v = solo_analisi({"--version"});
    EXPECT_EQ(v.stato, 0);
    EXPECT_EQ(v.uscita, std::string("scenario-tool ") + versione_strumento() + "\n");
}

TEST(ArgomentiStrumento, UsageErrors) {
    const std::vector<std::vector<std::string>> casi = {
        {},
        {"build", "a", "b"},
        {"--json", "compile", "a", "b"},
        {"compile"},
        {"compile", "a"},
        {"compile", "a", "b", "c"},
        {"compile", "a", "b", "--out"},
        {"compile", "a", "b", "--out", ""},
        {"compile", "a", "b", "--out="},
        {"compile", "a", "b", "--out", "x", "--out", "y"},
        {"compile", "a", "b", "--bogus"},
        {"compile", "a", "b", "--json=1"},
        {"compile", "a", "b", "--no-plan=0"},
        {"compile", "a", "b", "--line-name", ""},
        {"compile", "a", "b", "--line-name", "x/y"},
        {"compile", "a", "b", "--train-number", "1\\2"},
        {"compile", "a", "b", "--train-number="},
        {"compile", "a", "b", "--line-name", "x", "--line-name", "y"},
    };
    for (const auto& a : casi) {
        std::string riga;
        for (const auto& x : a) riga += x + " ";
        const riga_comando e = solo_analisi(a);
        EXPECT_EQ(e.stato, 2) << riga;
        // Asked for JSON: the error as one object on standard output too.
        if (std::find(a.begin(), a.end(), "--json") != a.end()) {
            EXPECT_EQ(nlohmann::json::parse(e.uscita)["fatal"], "usage") << riga;
        } else {
            EXPECT_EQ(e.uscita, "") << riga;
        }
        EXPECT_EQ(e.errori.rfind("scenario-tool: ", 0), 0u) << riga << e.errori;
        EXPECT_NE(e.errori.find("\nusage: scenario-tool compile LINE_FILE"), std::string::npos) << riga << e.errori;
    }
    EXPECT_EQ(solo_analisi({"build", "a"}).errori.substr(0, 40), "scenario-tool: unknown command \"build\"\n\n");
    EXPECT_NE(solo_analisi({"compile", "a", "b", "--line-name", "x/y"}).errori.find("\"x/y\" holds a path separator"),
              std::string::npos);
}

TEST(NomiStrumento, DefaultsFromTheFileNames) {
    EXPECT_EQ(linea_da_file("/x/y/Tava Aeroporto-Rovea_linea.txt"), "Tava Aeroporto-Rovea");
    EXPECT_EQ(linea_da_file("a_b_linea.txt"), "a_b");
    EXPECT_EQ(linea_da_file("_linea.txt"), std::nullopt);
    EXPECT_EQ(linea_da_file("linea.txt"), std::nullopt);
    EXPECT_EQ(linea_da_file("x_Linea.txt"), std::nullopt);
    EXPECT_EQ(linea_da_file("x\\y_linea.txt"), std::nullopt);
    EXPECT_EQ(linea_da_file("/x/y_linea.txt/"), std::nullopt);

    EXPECT_EQ(treno_da_file("/d/Tava Aeroporto-Rovea_30742-.txt", "Tava Aeroporto-Rovea"), "30742");
    EXPECT_EQ(treno_da_file("a_b_12_x-.txt", "a_b"), "12_x");      // begins with the line name
    EXPECT_EQ(treno_da_file("other_name_77-.txt", "a_b"), "77");   // otherwise after the last "_"
    EXPECT_EQ(treno_da_file("a_b_-.txt", "a_b"), std::nullopt);
    EXPECT_EQ(treno_da_file("a_b_12.txt", "a_b"), std::nullopt);
    EXPECT_EQ(treno_da_file("nounderscore-.txt", "a_b"), std::nullopt);
}

TEST(NomiStrumento, OptionsWinAndMissingNamesAreUsageErrors) {
    richiesta_compilazione r;
    r.file_linea = "dir/L_linea.txt";
    r.file_treno = "dir/L_5-.txt";
    nomi_scenario n = nomi_compilazione(r);
    EXPECT_EQ(n.linea, "L");
    EXPECT_EQ(n.treno, "5");

    r.nome_linea = "Altra";
    r.numero_treno = "9";
    n = nomi_compilazione(r);
    EXPECT_EQ(n.linea, "Altra");
    EXPECT_EQ(n.treno, "9");

    richiesta_compilazione s;
    s.file_linea = "linea.txt";
    s.file_treno = "L_5-.txt";
    EXPECT_THROW(nomi_compilazione(s), errore_uso);
    s.nome_linea = "L";
    EXPECT_EQ(nomi_compilazione(s).treno, "5");
    s.file_treno = "treno.txt";
    EXPECT_THROW(nomi_compilazione(s), errore_uso);
    s.numero_treno = "5";
    EXPECT_NO_THROW(nomi_compilazione(s));
}

// Names that almost fit the rule get the name that fits; the others only the option.
TEST(NomiStrumento, ANameThatAlmostFitsGetsTheNameThatFits) {
    struct caso {
        const char* file;
        std::optional<std::string> nome;
    };
    const caso linee[] = {
        {"dir/Tava_Linea.txt", "Tava_linea.txt"},   // the letter case of "linea"
        {"Tava_LINEA.TXT", "Tava_linea.txt"},       // of both
        {"Tava_linea.TXT", "Tava_linea.txt"},       // of the extension
        {"Tava_linea", "Tava_linea.txt"},           // no extension
        {"Tava-linea.txt", "Tava_linea.txt"},       // a hyphen for "_"
        {"Tava linea.txt", "Tava_linea.txt"},       // a blank for "_"
        {"Tava.txt", "Tava_linea.txt"},             // "_linea" left out
        {"Tava Aeroporto-Rovea.txt", "Tava Aeroporto-Rovea_linea.txt"},
        {"linea.txt", std::nullopt},                // no name before "linea"
        {"_linea.TXT", std::nullopt},
        {"Tavalinea.txt", std::nullopt},            // no separator: where the name ends is unknown
        {"Tava_linea.dat", std::nullopt},           // a binary file
        {"Tava", std::nullopt},
        {"Tava_7-.txt", std::nullopt},              // a train file's name
        {"Tava_linea.txt", std::nullopt},           // fits already
    };
    for (const caso& c : linee) EXPECT_EQ(nome_linea_suggerito(c.file), c.nome) << c.file;

    const caso treni[] = {
        {"dir/NAME_2101.txt", "NAME_2101-.txt"},    // the hyphen left out
        {"NAME_2101-.TXT", "NAME_2101-.txt"},       // the letter case of the extension
        {"NAME_2101.TXT", "NAME_2101-.txt"},
        {"NAME_2101-", "NAME_2101-.txt"},           // no extension
        {"NAME-2101-.txt", "NAME_2101-.txt"},       // a hyphen after the line name
        {"NAME 2101.txt", "NAME_2101-.txt"},        // a blank after it, and no hyphen
        {"2101-.txt", "NAME_2101-.txt"},            // the number alone
        {"2101.txt", "NAME_2101-.txt"},
        {"Altra_2101.txt", "Altra_2101-.txt"},      // another name before the "_"
        {"treno.txt", std::nullopt},                // no number to be had
        {"NAME_-.txt", std::nullopt},
        {"NAME_2101.dat", std::nullopt},            // a binary file
        {"NAME_2101", std::nullopt},
        {"NAME_linea.txt", std::nullopt},           // a line file's name
        {"NAME_2101-.txt", std::nullopt},           // fits already
    };
    for (const caso& c : treni) EXPECT_EQ(nome_treno_suggerito(c.file, "NAME"), c.nome) << c.file;
}

TEST(NomiStrumento, UsageErrorsNameTheFileTheRuleAndTheHint) {
    struct caso {
        const char* linea;
        const char* treno;
        std::optional<std::string> nome_linea;
        std::optional<std::string> numero_treno;
        const char* messaggio;
    };
    const caso casi[] = {
        {"d/NAME_linea.txt", "d/NAME_2101.txt", std::nullopt, std::nullopt,
         "the train number cannot be taken from \"d/NAME_2101.txt\" (not named NAME_NUM-.txt): name it "
         "NAME_2101-.txt, or give --train-number"},
        {"d/NAME_Linea.txt", "d/NAME_2101-.txt", std::nullopt, std::nullopt,
         "the line name cannot be taken from \"d/NAME_Linea.txt\" (not named NAME_linea.txt): name it "
         "NAME_linea.txt, or give --line-name"},
        {"d/NAME.txt", "d/NAME_2101-.txt", std::nullopt, std::nullopt,
         "the line name cannot be taken from \"d/NAME.txt\" (not named NAME_linea.txt): name it NAME_linea.txt, or "
         "give --line-name"},
        {"linea.txt", "treno.txt", std::nullopt, std::nullopt,
         "the line name cannot be taken from \"linea.txt\" (not named NAME_linea.txt): give --line-name"},
        {"linea.txt", "treno.txt", "L", std::nullopt,
         "the train number cannot be taken from \"treno.txt\" (not named NAME_NUM-.txt): give --train-number"},
        // Swapped, with or without the names given.
        {"d/NAME_2101-.txt", "d/NAME_linea.txt", std::nullopt, std::nullopt,
         "the files look swapped: \"d/NAME_2101-.txt\" is named like a train file and \"d/NAME_linea.txt\" like a "
         "line file; give the line file first, then the train file"},
        {"NAME_2101-.TXT", "NAME_LINEA.txt", "NAME", "2101",
         "the files look swapped: \"NAME_2101-.TXT\" is named like a train file and \"NAME_LINEA.txt\" like a line "
         "file; give the line file first, then the train file"},
    };
    for (const caso& c : casi) {
        richiesta_compilazione r;
        r.file_linea = c.linea;
        r.file_treno = c.treno;
        r.nome_linea = c.nome_linea;
        r.numero_treno = c.numero_treno;
        try {
            nomi_compilazione(r);
            ADD_FAILURE() << c.linea << " " << c.treno;
        } catch (const errore_uso& e) {
            EXPECT_EQ(e.messaggio, c.messaggio);
        }
    }
}

TEST(JsonStrumento, Windows1252TextBecomesUtf8) {
    EXPECT_EQ(utf8_da_1252("plain text 123"), "plain text 123");
    EXPECT_EQ(utf8_da_1252("\x80\x81\x8A\x9F\xA0\xE8\xFF"),
              "\u20ac\u0081\u0160\u0178\u00a0\u00e8\u00ff");
    EXPECT_EQ(unicode_1252(0x9C), 0x0153);
    EXPECT_EQ(unicode_1252(0x41), 0x41);
}

TEST(RapportoStrumento, JsonObjectAndExitStatus) {
    risultato_compilazione r;
    r.messaggio = "no error";
    r.file = {"L_linea.dat", "L_1.sim", "L_1.dat"};
    EXPECT_EQ(oggetto_json(r, {}), "{\"status\":0,\"position\":0,\"fatal\":null,\"message\":\"no error\","
                               "\"files\":[\"L_linea.dat\",\"L_1.sim\",\"L_1.dat\"],\"diagnostics\":[]}");
    EXPECT_EQ(stato_uscita(r), 0);

    r.stato = 16;
    r.posizione = -1200;
    r.testo_stato = "the cell of a signal is not free";
    EXPECT_EQ(stato_uscita(r), 1);
    std::string uscita, errori;
    rapporto_testo(r, "out", uscita, errori);
    EXPECT_EQ(errori, "error 16 at -1200 m: the cell of a signal is not free\n");
    EXPECT_EQ(uscita, "wrote out/L_linea.dat\nwrote out/L_1.sim\nwrote out/L_1.dat\n");

    const std::pair<esito_fatale, std::string> fatali[] = {{esito_fatale::errore_1250, "\"1250\""},
                                                           {esito_fatale::errore_1251, "\"1251\""},
                                                           {esito_fatale::senza_tracciato, "\"no-track\""},
                                                           {esito_fatale::io, "\"io\""}};
    for (const auto& [f, testo] : fatali) {
        r.fatale = f;
        r.file.clear();
        EXPECT_EQ(stato_uscita(r), 3);
        EXPECT_NE(oggetto_json(r, {}).find("\"fatal\":" + testo + ","), std::string::npos);
    }
}

TEST(RapportoStrumento, JsonIsPureAsciiAndReadsBackAsTheWindows1252Text) {
    risultato_compilazione r;
    r.messaggio = "a\"b\\c/d\b\f\n\r\t";
    EXPECT_NE(oggetto_json(r, {}).find("\"message\":\"a\\\"b\\\\c/d\\b\\f\\n\\r\\t\""), std::string::npos)
        << oggetto_json(r, {});
    r.messaggio = "\x80\x81\x8A\x9F\xA0\xE8\xFF\x7F";
    EXPECT_NE(oggetto_json(r, {}).find("\"\\u20ac\\u0081\\u0160\\u0178\\u00a0\\u00e8\\u00ff\\u007f\""),
              std::string::npos)
        << oggetto_json(r, {});
    std::string ogni_byte;
    for (int c = 0; c < 256; ++c) ogni_byte.push_back(static_cast<char>(c));
    r.messaggio = ogni_byte;
    r.file = {ogni_byte};
    const std::string j = oggetto_json(r, {});
    for (const char x : j) EXPECT_TRUE(x >= 0x20 && x < 0x7F) << static_cast<int>(x);
    const nlohmann::json letto = nlohmann::json::parse(j);
    EXPECT_EQ(letto["message"], utf8_da_1252(ogni_byte));
    EXPECT_EQ(letto["files"][0], utf8_da_1252(ogni_byte));
}

TEST(RapportoStrumento, StatusWordsWithTheSourcePlace) {
    richiesta_compilazione r;
    r.file_linea = "my/L_linea.txt";
    r.file_treno = "my/T-.txt";
    modello_scenario m;
    m.codice_errore = 16;
    stato_sollevato s;
    s.codice = 16;
    s.campo = {sorgente::treno, 12, 3};
    m.stati_sollevati.push_back(s);
    EXPECT_EQ(testo_stato(m, r), "the cell of a signal is not free (line 12, column 3 of my/T-.txt)");
    // A status of the finishing pass without a known record has no source place.
    m.codice_errore = 12;
    s.codice = 12;
    s.campo = {};
    m.stati_sollevati.push_back(s);
    EXPECT_EQ(testo_stato(m, r), "finishing: no free cell for an approach board of a slowdown");
    m.codice_errore = 25;
    s.codice = 25;
    s.campo = {sorgente::linea, 12, 3};
    s.guasto = guasto_sollevato{{genere_guasto::fine_file, {}, 0, ""}, "", "", ""};
    m.stati_sollevati.push_back(s);
    // A runtime failure is told by its own kind, not by the list of what one can be.
    EXPECT_EQ(testo_stato(m, r),
              "runtime failure (line 12, column 3 of my/L_linea.txt): read field: read past the end of the file");
    m.stati_sollevati.clear();
    m.codice_errore = 101;
    EXPECT_EQ(testo_stato(m, r), "the line text file does not exist");
    m.codice_errore = 0;
    EXPECT_EQ(testo_stato(m, r), "");
    m.codice_errore = 14;
    EXPECT_EQ(testo_stato(m, r), "unknown status");
}

// ---- The executable ----

esecuzione esegui_strumento(const cartella_temporanea& da, const std::vector<std::string>& argomenti) {
    return esegui_programma(PERCORSO_SCENARIO_TOOL, da.str(), argomenti);
}

TEST(ProcessoStrumento, HelpAndUsage) {
    cartella_temporanea dir;
    const esecuzione aiuto = esegui_strumento(dir, {"--help"});
    EXPECT_EQ(aiuto.stato, 0);
    EXPECT_NE(aiuto.uscita.find("compile"), std::string::npos);
    const esecuzione aiuto_compila = esegui_strumento(dir, {"compile", "--help"});
    EXPECT_EQ(aiuto_compila.stato, 0);
    for (const char* parola : {"--out", "--line-name", "--train-number", "--no-plan", "--json", "no-track", "Exit status",
                               "--as-builder", "--werror", "On any error nothing is written"}) {
        EXPECT_NE(aiuto_compila.uscita.find(parola), std::string::npos) << parola;
    }
    for (const std::vector<std::string>& a : std::vector<std::vector<std::string>>{
             {}, {"compile", "only-one"}, {"compile", "linea.txt", "treno.txt", "--json"}}) {
        const esecuzione e = esegui_strumento(dir, a);
        EXPECT_EQ(e.stato, 2);
        // Under --json, the error as one object on standard output too.
        const bool json = a.size() == 4;
        EXPECT_EQ(e.uscita, json ? "{\"fatal\":\"usage\",\"message\":\"the line name cannot be taken from "
                                   "\\\"linea.txt\\\" (not named NAME_linea.txt): give --line-name\"}\n"
                                 : "");
        EXPECT_NE(e.errori.find("usage: scenario-tool compile"), std::string::npos);
    }
    const esecuzione versione = esegui_strumento(dir, {"--version"});
    EXPECT_EQ(versione.stato, 0);
    EXPECT_EQ(versione.uscita, std::string("scenario-tool ") + versione_strumento() + "\n");
    EXPECT_TRUE(nomi_in(dir.str()).empty());
}

TEST(ProcessoStrumento, AMissingLineFileLeavesNoTrackAndTheInputsUntouched) {
    cartella_temporanea dir;
    const std::string treno = "L_7-.txt";
    scrivi_tutto(dir.file(treno), "[generale]\r\n");
    const esecuzione e = esegui_strumento(dir, {"compile", "L_linea.txt", treno, "--json"});
    EXPECT_EQ(e.stato, 3);
    EXPECT_EQ(e.uscita.back(), '\n');
    EXPECT_EQ(e.uscita.find('\n'), e.uscita.size() - 1);
    EXPECT_NE(e.uscita.find("\"fatal\":\"no-track\""), std::string::npos) << e.uscita;
    EXPECT_NE(e.uscita.find("\"files\":[]"), std::string::npos) << e.uscita;
    EXPECT_EQ(e.errori, "");
    EXPECT_EQ(nomi_in(dir.str()), std::vector<std::string>{treno});
    EXPECT_EQ(leggi_tutto(dir.file(treno)), "[generale]\r\n");
}

TEST(ProcessoStrumento, AnInputNamedLikeAnOutputIsRefused) {
    cartella_temporanea dir;
    scrivi_tutto(dir.file("L_linea.dat"), "line");
    scrivi_tutto(dir.file("L_7-.txt"), "train");
    richiesta_compilazione r;
    r.file_linea = dir.file("L_linea.dat");
    r.file_treno = dir.file("L_7-.txt");
    r.cartella_uscita = dir.str();
    EXPECT_THROW(verifica_ingressi_protetti(r, {"L", "7"}), errore_uso);
    EXPECT_NO_THROW(verifica_ingressi_protetti(r, {"M", "7"}));
    r.cartella_uscita = dir.file("x");
    EXPECT_NO_THROW(verifica_ingressi_protetti(r, {"L", "7"}));

    const esecuzione e = esegui_strumento(dir, {"compile", "L_linea.dat", "L_7-.txt", "--line-name", "L"});
    EXPECT_EQ(e.stato, 2);
    EXPECT_EQ(leggi_tutto(dir.file("L_linea.dat")), "line");
    EXPECT_EQ(nomi_in(dir.str()), (std::vector<std::string>{"L_7-.txt", "L_linea.dat"}));
}

// Every command that takes the two sources answers a name that almost fits,
// and files given the other way round, before it reads or writes anything.
TEST(ProcessoStrumento, NamesThatAlmostFitAndSwappedFilesAreUsageErrorsWithTheHint) {
    cartella_temporanea dir;
    scrivi_tutto(dir.file("L_linea.txt"), "x");
    scrivi_tutto(dir.file("L_7.txt"), "y");
    scrivi_tutto(dir.file("L_7-.txt"), "y");
    const std::string quasi = "(not named NAME_NUM-.txt): name it L_7-.txt, or give --train-number";
    const std::string scambiati = "the files look swapped: \"L_7-.txt\" is named like a train file";
    const std::vector<std::pair<std::vector<std::string>, std::string>> casi = {
        {{"check", "L_linea.txt", "L_7.txt"}, quasi},
        {{"compile", "L_linea.txt", "L_7.txt", "--out", "nuova"}, quasi},
        {{"view", "L_linea.txt", "L_7.txt", "-o", "p.html"}, quasi},
        {{"check", "L_7-.txt", "L_linea.txt"}, scambiati},
        {{"compile", "L_7-.txt", "L_linea.txt", "--line-name", "L", "--train-number", "7"}, scambiati},
    };
    for (const auto& [argomenti, messaggio] : casi) {
        const esecuzione e = esegui_strumento(dir, argomenti);
        EXPECT_EQ(e.stato, 2) << argomenti[0];
        EXPECT_NE(e.errori.find(messaggio), std::string::npos) << e.errori;
    }
    EXPECT_EQ(nomi_in(dir.str()), (std::vector<std::string>{"L_7-.txt", "L_7.txt", "L_linea.txt"}));
}

// --out DIR is made when missing, with the directories above it, as example
// makes its own; one that cannot be made writes nothing.
TEST(ProcessoStrumento, AMissingOutputDirectoryIsMade) {
    cartella_temporanea dir;
    const std::string dati(CARTELLA_TEST_DATI);
    scrivi_tutto(dir.file("L_linea.txt"), leggi_tutto(dati + "/Tava Aeroporto-Rovea_linea.txt"));
    scrivi_tutto(dir.file("L_7-.txt"), leggi_tutto(dati + "/Tava Aeroporto-Rovea_30742-.txt"));
    const esecuzione e = esegui_strumento(dir, {"compile", "L_linea.txt", "L_7-.txt", "--out", "nuova/sotto"});
    EXPECT_EQ(e.stato, 0) << e.errori;
    EXPECT_EQ(nomi_in(dir.file("nuova/sotto")), (std::vector<std::string>{"L_7.dat", "L_7.sim", "L_linea.dat"}));
    EXPECT_EQ(e.uscita, "wrote nuova/sotto/L_linea.dat\nwrote nuova/sotto/L_7.sim\nwrote nuova/sotto/L_7.dat\n");

    // A file where a directory should be: nothing made, nothing written.
    scrivi_tutto(dir.file("file"), "x");
    for (const char* uscita : {"file", "file/sotto"}) {
        const esecuzione f = esegui_strumento(dir, {"compile", "L_linea.txt", "L_7-.txt", "--out", uscita, "--json"});
        EXPECT_EQ(f.stato, 3) << uscita;
        EXPECT_NE(f.uscita.find("\"fatal\":\"io\""), std::string::npos) << f.uscita;
        EXPECT_NE(f.uscita.find("\"files\":[]"), std::string::npos) << f.uscita;
        EXPECT_EQ(leggi_tutto(dir.file("file")), "x");
    }
    EXPECT_EQ(nomi_in(dir.str()), (std::vector<std::string>{"L_7-.txt", "L_linea.txt", "file", "nuova"}));
}

}  // namespace

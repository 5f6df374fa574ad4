// scenario-tool check: the diagnostics of realistic mistakes in copies of the
// embedded files, escaping, -Wno and --werror, the JSON, the exit statuses,
// that nothing is written; compile printing the same; explain and example.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <nlohmann/json.hpp>

#include "processo.h"
#include "scenario_incorporato.h"
#include "supporto.h"
#include "tools/diagnostiche/spiegazioni.h"
#include "tools/comune/testo_terminale.h"

namespace {

// The author's two files in a folder of their own ("autore"), the tool run
// from another folder ("lavoro") of the same temporary directory.
struct banco_check {
    cartella_temporanea radice;
    std::string autore = radice.file("autore");
    std::string lavoro = radice.file("lavoro");
    std::string linea = (std::filesystem::path(autore) / nome_linea).string();
    std::string treno = (std::filesystem::path(autore) / nome_treno).string();

    banco_check(const std::string& testo_linea = linea_incorporata, const std::string& testo_treno = treno_incorporato) {
        std::filesystem::create_directory(autore);
        std::filesystem::create_directory(lavoro);
        scrivi_tutto(linea, testo_linea);
        scrivi_tutto(treno, testo_treno);
    }

    esecuzione esegui(const std::vector<std::string>& argomenti) const {
        return esegui_programma(PERCORSO_SCENARIO_TOOL, lavoro, argomenti);
    }
    esecuzione check(std::vector<std::string> altro = {}) const {
        std::vector<std::string> a{"check", linea, treno};
        a.insert(a.end(), altro.begin(), altro.end());
        return esegui(a);
    }
    nlohmann::json json(std::vector<std::string> altro = {}) const {
        altro.push_back("--json");
        const esecuzione e = check(altro);
        EXPECT_EQ(e.errori, "");
        return nlohmann::json::parse(e.uscita);
    }
};

std::vector<nlohmann::json> di_gravita(const nlohmann::json& j, const char* gravita) {
    std::vector<nlohmann::json> r;
    for (const auto& d : j["diagnostics"]) {
        if (d["severity"] == gravita) r.push_back(d);
    }
    return r;
}

// ---- The three cases every check must get right ----

TEST(Check, ASpeedRecordBeyondTheEndNamesTheTrainFileLine10) {
    const banco_check b(linea_incorporata,
                        sostituisci(treno_incorporato, "velocita,    1000,   100", "velocita,    30000,   100"));
    const esecuzione e = b.check({"-Wno-beyond-length"});
    EXPECT_EQ(e.stato, 1);
    EXPECT_EQ(e.uscita, "");
    EXPECT_EQ(e.errori.rfind(b.treno + ":10:14: error: position 30000 m is beyond the end of the track", 0), 0u)
        << e.errori;
    EXPECT_NE(e.errori.find("[status 15]\n   10 | velocita,    30000,   100\n      |              ^~~~~\n"),
              std::string::npos)
        << e.errori;
    EXPECT_NE(e.errori.find("\nerror 15 at 30000 m: "), std::string::npos) << e.errori;
    EXPECT_EQ(e.errori.substr(e.errori.size() - 27), "check: 1 error, no warning\n");

    const nlohmann::json j = b.json();
    EXPECT_EQ(j["status"], 15);
    EXPECT_EQ(j["position"], 30000);
    const auto errori = di_gravita(j, "error");
    ASSERT_EQ(errori.size(), 1u) << j.dump();
    EXPECT_EQ(errori[0]["file"], b.treno);
    EXPECT_EQ(errori[0]["line"], 10);
    EXPECT_EQ(errori[0]["column"], 14);
    EXPECT_EQ(errori[0]["status"], 15);
    EXPECT_EQ(errori[0]["position"], 30000);
}

TEST(Check, ASignBeyondTheEndIsTheFirstErrorAndTheTrainFilesCarriedStatusFollows) {
    const banco_check b(sostituisci(linea_incorporata, "cartello_indicatore,  500,", "cartello_indicatore,  30000,"),
                        treno_incorporato);
    const nlohmann::json j = b.json();
    // compile's pair: the status the first signal met, at its position.
    EXPECT_EQ(j["status"], 15);
    EXPECT_EQ(j["position"], 1650);
    EXPECT_EQ(j["fatal"], nullptr);
    const auto errori = di_gravita(j, "error");
    ASSERT_EQ(errori.size(), 2u) << j.dump();
    EXPECT_EQ(errori[0]["file"], b.linea);
    EXPECT_EQ(errori[0]["line"], 27);
    EXPECT_EQ(errori[0]["column"], 23);
    EXPECT_EQ(errori[0]["position"], 30000);
    EXPECT_EQ(errori[1]["file"], b.treno);
    EXPECT_EQ(errori[1]["line"], 21);
    EXPECT_EQ(errori[1]["status"], 15);
    EXPECT_EQ(errori[1]["position"], 1650);

    const esecuzione e = b.check({"-Wno-beyond-length"});
    EXPECT_EQ(e.stato, 1);
    const std::size_t primo = e.errori.find(b.linea + ":27:23: error:");
    const std::size_t secondo = e.errori.find(b.treno + ":21:13: error: the line file's status 15");
    EXPECT_EQ(primo, 0u) << e.errori;
    EXPECT_NE(secondo, std::string::npos) << e.errori;
    EXPECT_LT(primo, secondo);
}

// A misspelled station loses the station: an error by default, a warning
// with -Wno-error=misspelled-keyword, nothing with -Wno-misspelled-keyword.
TEST(Check, AMisspelledStationIsAnErrorAtItsLineUnlessNoError) {
    const banco_check b(linea_incorporata,
                        sostituisci(treno_incorporato, "stazione,    9000", "stazone,    9000"));
    const std::string messaggio = ":15:1: %s: 'stazone' matches no record and is ignored; did you mean 'stazione'? "
                                  "[-Wmisspelled-keyword]\n"
                                  "   15 | stazone,    9000, 12,  500,  0, 0, 0,  1,1,0,  3,3,1,    0,   0, 0, 0, SAN MERIDANO TERME\n"
                                  "      | ^~~~~~~\n";
    const auto con = [&](const char* gravita) {
        std::string t = messaggio;
        t.replace(t.find("%s"), 2, gravita);
        return b.treno + t;
    };
    const esecuzione e = b.check({"-Wno-beyond-length"});
    EXPECT_EQ(e.stato, 1);
    EXPECT_EQ(e.errori, con("error") + "check: 1 error, no warning\n");

    const esecuzione w = b.check({"-Wno-beyond-length", "-Wno-error=misspelled-keyword"});
    EXPECT_EQ(w.stato, 0);
    EXPECT_EQ(w.errori, con("warning") + "check: no error, 1 warning\n");
    // -Wno-error=NAME holds under --werror too; the same option for another name changes nothing.
    EXPECT_EQ(b.check({"-Wno-beyond-length", "-Wno-error=misspelled-keyword", "--werror"}).stato, 0);
    EXPECT_EQ(b.check({"-Wno-beyond-length", "-Wno-error=tab"}).stato, 1);

    const esecuzione spento = b.check({"-Wno-beyond-length", "-Wno-misspelled-keyword"});
    EXPECT_EQ(spento.stato, 0);
    EXPECT_EQ(spento.errori, "check: no error, no warning\n");
}

// compile ends with 1 after an error by default, as check does, and writes
// the same files as without it; -Wno-error=NAME gives 0.
TEST(Check, CompileEndsWithOneAfterAnErrorByDefault) {
    const banco_check b(linea_incorporata, sostituisci(treno_incorporato, "2,1,0, 160", "2,1,0, 30"));
    const esecuzione e = b.esegui({"compile", b.linea, b.treno, "--out", b.lavoro});
    EXPECT_EQ(e.stato, 1) << e.errori;
    EXPECT_NE(e.errori.find(b.treno + ":24:51: error: the signal time 30 is stored as 101"), std::string::npos)
        << e.errori;
    EXPECT_NE(e.errori.find("[-Wsignal-time]"), std::string::npos);
    const esecuzione w =
        b.esegui({"compile", b.linea, b.treno, "--out", b.lavoro, "-Wno-error=signal-time", "--json"});
    EXPECT_EQ(w.stato, 0) << w.errori;
    const nlohmann::json j = nlohmann::json::parse(w.uscita);
    ASSERT_EQ(di_gravita(j, "warning").size(), 3u);
    EXPECT_TRUE(di_gravita(j, "error").empty());
}

// Statuses whose words once missed what happened: the error at the value to
// blame, the words of what the author fell into, and the final status line
// from the failure's own kind and place (no position where the build records
// none).
struct caso_stato {
    const char* descrizione;
    std::string treno;
    const char* dove;  // ":LINE:COL: error: "
    std::vector<std::string> parole;
    int stato;
    std::string riepilogo;  // the final status line, whole; "{T}" stands for the train file's path
};

TEST(Check, StatusWordsSayWhatTheAuthorFellInto) {
    const std::string& T = treno_incorporato;
    const std::string senza_coda = T.substr(0, T.find("segnale,   20500,   2, 3") + 24);
    const caso_stato casi[] = {
        {"a thousands separator in a station position", sostituisci(T, "stazione,    5000,", "stazione,    5,000,"),
         ":14:14: error: ",
         {"the station position 5 m is not a multiple of 50; '5,000' is read as two values, 5 and 000: a comma ends "
          "a field, so a thousands separator cuts the number (write 5000) [status 8]"},
         8, "error 8 at 5 m: a station position is not a multiple of 50 (line 14, column 14 of {T})"},
        {"a thousands separator in a station length",
         sostituisci(T, "stazione,   16000, 12,  400,", "stazione,   16000, 12,  1,200,"), ":17:25: error: ",
         {"the station length 1 is not a multiple of 100; '1,200' is read as two values, 1 and 200", "write 1200"}, 9,
         "error 9 at 16000 m: a station's length is not a multiple of 100 (line 17, column 25 of {T})"},
        {"a station before the previous one", sostituisci(T, "stazione,   12000,", "stazione,    4000,"),
         ":16:14: error: ",
         {"this station, at 4000 m, lies before the previous station, at 9000 m: stations stand in the order of the "
          "line, and each one's extent begins at least 350 m after the previous one's extent ends (9250 m) "
          "[status 22]"},
         22,
         "error 22 at 4000 m: a station's extent begins less than 350 m after the previous station's extent ends "
         "(line 16, column 14 of {T})"},
        {"a third comment line in a row", sostituisci(T, "[segnali]", "-- uno\r\n-- due\r\n-- velocita e segnali --"),
         ":23:1: error: ",
         {"a whole number is expected here, not \"segnale\"; the record 'velocita' was started by the comment field "
          "'-- velocita e segnali --': the reader passes over at most two comment fields in a row (fields holding "
          "\"-\"), and reads the next one as a keyword field whatever it holds [status 25]"},
         25, "error 25: runtime failure (line 23, column 1 of {T}): read value: not a number: \"segnale\""},
        {"a signal before its approach markers fit",
         sostituisci(sostituisci(T, "segnale,    1650", "segnale,     200"), "stazione,       0, 22",
                     "stazione,    1000, 22"),
         ":21:14: error: ", {"this record reaches cell -1 outside the track (0 to 580)", "325 m or more"}, 25,
         "error 25: runtime failure (line 21, column 14 of {T}): track cell: cell -1 outside the track (0 to 580)"},
        {"a file ending inside a record", senza_coda, ":29:25: error: ",
         {"the file ends inside the record 'segnale': a value is missing"}, 25,
         "error 25: runtime failure (line 29, column 25 of {T}): read field: read past the end of the file"},
    };
    for (const caso_stato& c : casi) {
        const banco_check b(linea_incorporata, c.treno);
        const esecuzione e = b.check({"-Wno-beyond-length"});
        EXPECT_EQ(e.stato, 1) << c.descrizione;
        EXPECT_EQ(e.errori.rfind(b.treno + c.dove, 0), 0u) << c.descrizione << ": " << e.errori;
        const std::string prima_riga = e.errori.substr(0, e.errori.find('\n'));
        for (const std::string& p : c.parole) {
            EXPECT_NE(prima_riga.find(p), std::string::npos) << c.descrizione << ": " << prima_riga;
        }
        EXPECT_NE(prima_riga.find("[status " + std::to_string(c.stato) + "]"), std::string::npos) << c.descrizione;
        const std::string riepilogo = "\n" + sostituisci(c.riepilogo, "{T}", b.treno) + "\n";
        EXPECT_NE(e.errori.find(riepilogo), std::string::npos) << c.descrizione << ": " << e.errori;
        EXPECT_EQ(e.errori.find("a missing train file"), std::string::npos) << c.descrizione;
    }
}

// The embedded scenario checks clean of errors; its two gradients beyond the
// declared length are its only warnings.
TEST(Check, TheEmbeddedScenarioHasNoErrorAndItsTwoKnownWarnings) {
    const banco_check b;
    const nlohmann::json j = b.json();
    EXPECT_EQ(j["status"], 0);
    EXPECT_EQ(j["message"], "no error");
    ASSERT_EQ(j["diagnostics"].size(), 2u);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(j["diagnostics"][i]["name"], "beyond-length");
        EXPECT_EQ(j["diagnostics"][i]["file"], b.linea);
        EXPECT_EQ(j["diagnostics"][i]["line"], 21 + i);
    }
    EXPECT_EQ(b.check().stato, 0);
    EXPECT_EQ(b.check({"--no-plan"}).errori.find("extra-values"), std::string::npos);
}

// ---- Escaping ----

TEST(Check, BytesOfTheFilesNeverReachTheTerminalRaw) {
    const std::string esc = "\x1b[2J\x1b]0;x\x07";
    const banco_check b(linea_incorporata,
                        sostituisci(sostituisci(sostituisci(treno_incorporato, "sabbia,    300", "sab" + esc + "bia,\t300"),
                                                "TORVIA", std::string("TOR\0VIA\x9b", 8)),
                                    "numero vetture,    8", "numero vetture,    8\x81\x9b"));
    const esecuzione e = b.check();
    EXPECT_EQ(e.stato, 1);
    for (const char c : e.errori) {
        const auto u = static_cast<unsigned char>(c);
        EXPECT_TRUE(c == '\n' || (u >= 0x20 && u != 0x7F)) << "raw byte " << static_cast<int>(u) << " in\n" << e.errori;
    }
    // Not a C1 control in UTF-8 either (U+0080 to U+009F).
    EXPECT_EQ(e.errori.find("\xC2\x81"), std::string::npos);
    EXPECT_EQ(e.errori.find("\xC2\x9B"), std::string::npos);
    for (const char* visto : {"sab\\x1b[2J\\x1b]0;x\\x07bia", "\\t300", "TOR\\0VIA", "\"8\\x81\xe2\x80\xba\""}) {
        EXPECT_NE(e.errori.find(visto), std::string::npos) << visto << " in\n" << e.errori;
    }
    // The JSON keeps every byte, as pure ASCII.
    const esecuzione j = b.check({"--json"});
    for (const char c : j.uscita) EXPECT_TRUE(c == '\n' || (c >= 0x20 && c < 0x7F)) << static_cast<int>(c);
    EXPECT_NE(nlohmann::json::parse(j.uscita).dump().find("sab\\u001b[2J"), std::string::npos);
}

TEST(TestoTerminale, EscapesAndCaret) {
    EXPECT_EQ(visibile_1252(std::string("a\tb\0c\x1b\x7f\x81\xe8\x80", 10)), "a\\tb\\0c\\x1b\\x7f\\x81\xc3\xa8\xe2\x82\xac");
    EXPECT_EQ(visibile_1252("abcdef", 4), "abcd...");
    EXPECT_EQ(visibile_percorso("dir/\xc3\xa8/\x1b\xc2\x9b\xff.txt"), "dir/\xc3\xa8/\\x1b\\xc2\\x9b\\xff.txt");
    EXPECT_EQ(visibile_misto("\xc3\xa8 \xe8"), "\xc3\xa8 \xc3\xa8");
    // The caret stands under the field's first character, the tab counting two.
    EXPECT_EQ(riga_con_cursore("a,\tb, c", 7, 3, true), "    7 | a,\\tb, c\n      |   ^~~\n");
    EXPECT_EQ(riga_con_cursore("pendenza,  23100,   1", 21, 12, true),
              "   21 | pendenza,  23100,   1\n      |            ^~~~~\n");
    // A column past the end puts the caret after the line.
    EXPECT_EQ(riga_con_cursore("ab", 1, 9, false), "    1 | ab\n      |   ^\n");
    // A long line is shown as a window around the caret.
    const std::string lunga = "cartello_indicatore, 500, " + std::string(5000, 'x') + ",y";
    const std::string r = riga_con_cursore(lunga, 3, static_cast<std::int32_t>(lunga.size()), false);
    EXPECT_LT(r.size(), 400u);
    EXPECT_NE(r.find(" | ...x"), std::string::npos) << r;
    EXPECT_EQ(r.substr(r.size() - 2), "^\n");
    EXPECT_NE(r.find("xx,y\n"), std::string::npos) << r;
    EXPECT_EQ(riga_sorgente("a\r\nb\rc\nd", 3), "c");
    EXPECT_EQ(riga_sorgente("a\r\nb\rc\nd", 4), "d");
    EXPECT_EQ(riga_sorgente("a\r\n", 2), "");
}

// A sign text of megabytes: shown as a window, blamed on its record, and the
// scenario file it cannot go into is named without a path of memory.
TEST(Check, AVeryLongTextIsShownAsAWindowAndBlamedOnItsRecord) {
    const banco_check b(sostituisci(linea_incorporata, "( PASSAGGIO A)(  LIVELLO   )", std::string(5000000, 'x') + "\tY"),
                        treno_incorporato);
    const esecuzione e = b.check({"-Wno-beyond-length"});
    EXPECT_EQ(e.stato, 3);
    EXPECT_LT(e.errori.size(), 3000u);
    EXPECT_EQ(e.errori.rfind(b.linea + ":27:1: error: a text of 5000002 bytes from this record", 0), 0u) << e.errori;
    EXPECT_NE(e.errori.find("fatal: write scenario table \"Tava Aeroporto-Rovea_30742.sim\""), std::string::npos)
        << e.errori;
    EXPECT_NE(e.errori.find(":27:5000030: warning: a tab"), std::string::npos) << e.errori;
    EXPECT_NE(e.errori.find("   27 | ...xxx"), std::string::npos) << e.errori;
    EXPECT_NE(e.errori.find("xxx\\tY\n"), std::string::npos) << e.errori;
    const nlohmann::json j = b.json({"-Wno-beyond-length"});
    EXPECT_EQ(j["fatal"], "io");
    for (const auto& d : j["diagnostics"]) EXPECT_LT(d["source_line"].get<std::string>().size(), 1010u);
}

// ---- Warnings chosen ----

TEST(Check, WnoAndWerror) {
    const banco_check b;
    const esecuzione tutti = b.check();
    EXPECT_EQ(tutti.stato, 0);
    EXPECT_NE(tutti.errori.find("[-Wbeyond-length]"), std::string::npos);

    const esecuzione spenti = b.check({"-Wno-beyond-length"});
    EXPECT_EQ(spenti.stato, 0);
    EXPECT_EQ(spenti.errori, "check: no error, no warning\n");

    for (const std::string w : {"--werror", "-Werror"}) {
        const esecuzione e = b.check({w});
        EXPECT_EQ(e.stato, 1) << w;
        EXPECT_NE(e.errori.find(":21:12: error: a gradient at 23100 m"), std::string::npos) << e.errori;
        EXPECT_NE(e.errori.find("[-Werror=beyond-length]"), std::string::npos) << e.errori;
        EXPECT_EQ(b.check({w, "-Wno-beyond-length"}).stato, 0) << w;
    }
    const nlohmann::json j = b.json({"--werror"});
    EXPECT_EQ(j["status"], 0);
    EXPECT_EQ(j["diagnostics"][0]["severity"], "error");
    EXPECT_EQ(j["diagnostics"][0]["name"], "beyond-length");

    for (const std::vector<std::string>& a :
         std::vector<std::vector<std::string>>{{"-Wno-bogus"}, {"-Wbeyond-length"}, {"-W"}, {"-Wno-"}}) {
        const esecuzione e = b.check(a);
        EXPECT_EQ(e.stato, 2) << a[0];
        EXPECT_EQ(e.errori.rfind("scenario-tool: ", 0), 0u) << e.errori;
    }
    EXPECT_NE(b.check({"-Wno-bogus"}).errori.find("misspelled-keyword"), std::string::npos);
    // compile takes -Wno-NAME and --werror too: a warning made an error
    // fails it, and nothing is written.
    EXPECT_EQ(b.esegui({"compile", b.linea, b.treno, "--out", b.lavoro, "--werror"}).stato, 1);
    EXPECT_TRUE(nomi_in(b.lavoro).empty());
    EXPECT_EQ(b.esegui({"compile", b.linea, b.treno, "--out", b.lavoro, "--werror", "-Wno-beyond-length"}).stato, 0);
    EXPECT_EQ(nomi_in(b.lavoro).size(), 3u);
}

// ---- JSON ----

TEST(Check, JsonShape) {
    const banco_check b(linea_incorporata,
                        sostituisci(treno_incorporato, "velocita,    1000,   100", "velocita,    30000,   100"));
    const esecuzione e = b.check({"--json"});
    EXPECT_EQ(e.uscita.find('\n'), e.uscita.size() - 1);
    const nlohmann::ordered_json j = nlohmann::ordered_json::parse(e.uscita);
    std::vector<std::string> chiavi;
    for (const auto& [k, v] : j.items()) chiavi.push_back(k);
    EXPECT_EQ(chiavi, (std::vector<std::string>{"status", "position", "fatal", "message", "diagnostics"}));
    const std::vector<std::string> chiavi_diagnostica{"severity", "status",   "position", "name",       "file",
                                                      "line",     "column",   "message",  "source_line"};
    for (const auto& d : j["diagnostics"]) {
        std::vector<std::string> c;
        for (const auto& [k, v] : d.items()) c.push_back(k);
        EXPECT_EQ(c, chiavi_diagnostica);
    }
    const auto& errore = j["diagnostics"][0];
    EXPECT_EQ(errore["severity"], "error");
    EXPECT_EQ(errore["name"], nullptr);
    EXPECT_EQ(errore["source_line"], "velocita,    30000,   100");
    const auto& avviso = j["diagnostics"][1];
    EXPECT_EQ(avviso["severity"], "warning");
    EXPECT_EQ(avviso["status"], nullptr);
    EXPECT_EQ(avviso["position"], nullptr);
    EXPECT_EQ(avviso["name"], "beyond-length");

    // A problem without a place: file, line and column are null where there is nothing.
    const banco_check senza;
    std::filesystem::remove(senza.treno);
    const nlohmann::json m = senza.json({"-Wno-beyond-length"});
    ASSERT_EQ(m["diagnostics"].size(), 1u);
    EXPECT_EQ(m["diagnostics"][0]["file"], senza.treno);
    EXPECT_EQ(m["diagnostics"][0]["line"], nullptr);
    EXPECT_EQ(m["diagnostics"][0]["column"], nullptr);
    EXPECT_EQ(m["diagnostics"][0]["source_line"], nullptr);
    EXPECT_EQ(m["diagnostics"][0]["status"], 25);
}

// check's status, position and fatal are compile's for the same files, and
// compile prints the same diagnostics (and its summary line) on standard error.
TEST(Check, AgreesWithCompile) {
    struct caso {
        const char* nome;
        std::string linea, treno;
        int stato;
    };
    const caso casi[] = {
        {"clean", linea_incorporata, treno_incorporato, 0},
        {"signal on a sign", linea_incorporata,
         sostituisci(treno_incorporato, "segnale,    3000", "segnale,    500"), 1},
        {"sign beyond the end", sostituisci(linea_incorporata, "cartello_indicatore,  500,", "cartello_indicatore,  30000,"),
         treno_incorporato, 1},
        {"sign in cell 1", sostituisci(linea_incorporata, "cartello_indicatore,  500,", "cartello_indicatore,  0,"),
         treno_incorporato, 3},
        {"no general section", sostituisci(linea_incorporata, "[generale]", "[general]"), treno_incorporato, 3},
        {"train file cut in a record", linea_incorporata, treno_incorporato.substr(0, 700), 1},
    };
    for (const caso& c : casi) {
        const banco_check b(c.linea, c.treno);
        const esecuzione check = b.check({"--json"});
        const esecuzione compile = b.esegui({"compile", b.linea, b.treno, "--out", b.lavoro, "--json"});
        EXPECT_EQ(check.stato, c.stato) << c.nome;
        EXPECT_EQ(compile.stato, c.stato) << c.nome;
        nlohmann::json a = nlohmann::json::parse(check.uscita);
        nlohmann::json d = nlohmann::json::parse(compile.uscita);
        d.erase("files");
        EXPECT_EQ(a, d) << c.nome;

        const esecuzione testo = b.check();
        std::filesystem::create_directory(b.radice.file("fuori"));
        const esecuzione testo_compile = b.esegui({"compile", b.linea, b.treno, "--out", b.radice.file("fuori")});
        const std::size_t conto = testo.errori.rfind("check: ");
        std::string atteso = testo.errori.substr(0, conto);
        // After an error compile writes nothing, and says so with the same count.
        if (c.stato == 1) {
            atteso += "compile: no file written (" + testo.errori.substr(conto + 7, testo.errori.size() - conto - 8) +
                      "); --as-builder writes the builder's files all the same\n";
        }
        EXPECT_EQ(testo_compile.errori, atteso) << c.nome;
    }
}

TEST(Check, ExitStatuses) {
    const banco_check buono;
    EXPECT_EQ(buono.check().stato, 0);
    EXPECT_EQ(buono.esegui({"check", buono.linea}).stato, 2);
    EXPECT_EQ(buono.esegui({"check", buono.linea, buono.treno, "--bogus"}).stato, 2);
    EXPECT_EQ(buono.esegui({"check", buono.linea, buono.radice.file("treno.txt")}).stato, 2);  // no train number

    const banco_check mancante;
    std::filesystem::remove(mancante.linea);
    EXPECT_EQ(mancante.check().stato, 3);
    const banco_check cartella;
    std::filesystem::remove(cartella.treno);
    std::filesystem::create_directory(cartella.treno);
    const esecuzione e = cartella.check();
    EXPECT_EQ(e.stato, 3);
    EXPECT_EQ(e.errori.rfind(cartella.treno + ": error: cannot read the train file: it is a directory, not a file\n", 0), 0u)
        << e.errori;
}

// ---- Nothing written ----

TEST(Check, WritesNothing) {
    const banco_check b(sostituisci(linea_incorporata, "cartello_indicatore,  500,", "cartello_indicatore,  30000,"),
                        treno_incorporato);
    const auto istantanea = [&] {
        std::vector<std::string> r;
        for (const auto& v : std::filesystem::recursive_directory_iterator(b.radice.percorso)) {
            r.push_back(v.path().string() + " " + std::to_string(v.is_regular_file() ? v.file_size() : 0) + " " +
                        std::to_string(std::filesystem::last_write_time(v.path()).time_since_epoch().count()));
        }
        std::sort(r.begin(), r.end());
        return r;
    };
    const auto prima = istantanea();
    EXPECT_EQ(b.check().stato, 1);
    EXPECT_EQ(b.check({"--json"}).stato, 1);
    // From the authors' own folder too, with relative names.
    EXPECT_EQ(esegui_programma(PERCORSO_SCENARIO_TOOL, b.autore, {"check", nome_linea, nome_treno}).stato, 1);
    EXPECT_EQ(istantanea(), prima);
    EXPECT_EQ(leggi_tutto(b.treno), treno_incorporato);
}

// ---- explain and example ----

TEST(Check, ExplainAndItsErrors) {
    const banco_check b;
    const esecuzione e = b.esegui({"explain", "15"});
    EXPECT_EQ(e.stato, 0);
    EXPECT_EQ(e.uscita, testo_spiegazione(*cerca_spiegazione("15")));
    EXPECT_EQ(e.uscita.rfind("# Status 15: a position lies beyond the end of the track\n", 0), 0u);
    EXPECT_EQ(b.esegui({"explain", "-Wtab"}).uscita.rfind("# Warning -Wtab: ", 0), 0u);
    EXPECT_EQ(b.esegui({"explain", "tab"}).uscita, b.esegui({"explain", "-Wno-tab"}).uscita);
    EXPECT_EQ(b.esegui({"explain", "--all"}).uscita, riferimento_markdown());
    const esecuzione indice = b.esegui({"explain"});
    EXPECT_EQ(indice.stato, 0);
    EXPECT_NE(indice.uscita.find("  1250  "), std::string::npos);
    for (const char* ignoto : {"14", "foo"}) {
        const esecuzione x = b.esegui({"explain", ignoto});
        EXPECT_EQ(x.stato, 2);
        EXPECT_NE(x.errori.find("known: statuses 1, 2, 3"), std::string::npos) << x.errori;
    }
}

TEST(Check, ExampleWritesTheEmbeddedFilesAndNeverOverwrites) {
    const banco_check b;
    const std::string dove = b.radice.file("nuovo/scenario");
    const esecuzione e = b.esegui({"example", "--out", dove});
    EXPECT_EQ(e.stato, 0) << e.errori;
    EXPECT_TRUE(leggi_tutto(dove + "/" + nome_linea) == linea_incorporata);
    EXPECT_TRUE(leggi_tutto(dove + "/" + nome_treno) == treno_incorporato);
    EXPECT_NE(e.uscita.find("scenario-tool check"), std::string::npos);

    // An existing file: nothing written, exit 1; --force replaces both.
    scrivi_tutto(dove + "/" + nome_treno, "mine");
    std::filesystem::remove(dove + "/" + nome_linea);
    const esecuzione r = b.esegui({"example", "--out", dove});
    EXPECT_EQ(r.stato, 1);
    EXPECT_NE(r.errori.find("already exists"), std::string::npos);
    EXPECT_EQ(leggi_tutto(dove + "/" + nome_treno), "mine");
    EXPECT_FALSE(std::filesystem::exists(dove + "/" + nome_linea));
    EXPECT_EQ(b.esegui({"example", "--out", dove, "--force"}).stato, 0);
    EXPECT_TRUE(leggi_tutto(dove + "/" + nome_treno) == treno_incorporato);

    // Names of one's own; the current directory by default.
    EXPECT_EQ(b.esegui({"example", "--line-name", "Mia", "--train-number", "7"}).stato, 0);
    EXPECT_EQ(nomi_in(b.lavoro), (std::vector<std::string>{"Mia_7-.txt", "Mia_linea.txt"}));
    EXPECT_TRUE(leggi_tutto(b.lavoro + "/Mia_linea.txt") == linea_incorporata);
    EXPECT_EQ(b.esegui({"example", "--line-name", "a/b"}).stato, 2);
}

}  // namespace

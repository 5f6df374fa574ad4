// The builder and scenario-tool as processes, against what a hostile or
// unlucky user puts in their way: FIFOs and dangling links at output names,
// output names that coincide, two builders in one directory, a kill while the
// outputs are written. Nothing hangs, nothing is created outside the output
// directory, and no wrong file comes with exit status 0.
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <thread>

#include "platform/blocco_cartella.h"
#include "processo.h"
#include "sources/errore_esecuzione.h"
#include "supporto.h"

namespace {

namespace fs = std::filesystem;

const std::string linea_txt = "Tava Aeroporto-Rovea_linea.txt";
const std::string treno_txt = "Tava Aeroporto-Rovea_30742-.txt";
const std::string piano_dat = "Tava Aeroporto-Rovea_linea.dat";
const std::string scenario_sim = "Tava Aeroporto-Rovea_30742.sim";
const std::string tracciato_dat = "Tava Aeroporto-Rovea_30742.dat";
const std::string note = "Tava Aeroporto-Rovea_30742_note.txt";
const std::vector<std::string> sei_file{
    tracciato_dat, scenario_sim, note, "Tava Aeroporto-Rovea_30742_rallentamenti.txt",
    "Tava Aeroporto-Rovea_30742_scheda_treno.txt", piano_dat,
};

std::string dati(const std::string& nome) { return leggi_tutto(std::string(CARTELLA_TEST_DATI) + "/" + nome); }

// A program of the build run with a time limit of 60 s (status 124 when it
// is reached).
esecuzione entro_un_minuto(const std::string& programma, const std::string& da, std::vector<std::string> argomenti) {
    argomenti.insert(argomenti.begin(), {"60", programma});
    return esegui_programma("timeout", da, argomenti);
}

// The builder copied into a directory of its own.
struct banco_builder {
    cartella_temporanea cartella;
    cartella_temporanea altrove;
    std::string eseguibile = cartella.file("scenario-builder");

    banco_builder() { fs::copy_file(PERCORSO_SCENARIO_BUILDER, eseguibile); }
    esecuzione esegui() const { return entro_un_minuto(eseguibile, altrove.str(), {}); }

    // The six files, byte for byte as the golden files, and nothing else.
    void verifica_sei_file() const {
        std::vector<std::string> attesi = sei_file;
        attesi.push_back("scenario-builder");
        std::sort(attesi.begin(), attesi.end());
        EXPECT_EQ(nomi_in(cartella.str()), attesi);
        for (const std::string& nome : sei_file) EXPECT_TRUE(leggi_tutto(cartella.file(nome)) == dati(nome)) << nome;
    }
};

// ---- One builder per directory ----

TEST(BloccoCartella, OneHolderAtATimeAndNothingLeftBehind) {
    cartella_temporanea dir;
    {
        const piattaforma::blocco_cartella primo = piattaforma::blocca_cartella(dir.str());
        try {
            piattaforma::blocca_cartella(dir.str());
            ADD_FAILURE() << "locked twice";
        } catch (const errore_esecuzione& e) {
            EXPECT_EQ(e.operazione, "lock");
            EXPECT_EQ(e.percorso, dir.str());
            EXPECT_NE(std::string(e.what()).find("another scenario-builder is running in this directory"),
                      std::string::npos);
        }
    }
    // Released with its holder.
    EXPECT_NO_THROW(piattaforma::blocca_cartella(dir.str()));
    EXPECT_TRUE(nomi_in(dir.str()).empty());
    EXPECT_THROW(piattaforma::blocca_cartella(dir.file("assente")), errore_esecuzione);
}

TEST(ProcessoBuilder, ASecondBuilderStopsBeforeTouchingAFile) {
    banco_builder b;
    scrivi_tutto(b.cartella.file(note), "an older note");
    // The first builder, as far as the second can tell: the lock on the directory.
    const int fd = ::open(b.cartella.str().c_str(), O_RDONLY | O_DIRECTORY);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::flock(fd, LOCK_EX | LOCK_NB), 0);
    const esecuzione secondo = b.esegui();
    EXPECT_EQ(secondo.stato, 2);
    EXPECT_NE(secondo.errori.find("Unhandled failure: lock \"" + b.cartella.str() + "\""), std::string::npos)
        << secondo.errori;
    EXPECT_NE(secondo.errori.find("another scenario-builder is running in this directory"), std::string::npos);
    EXPECT_EQ(nomi_in(b.cartella.str()), (std::vector<std::string>{note, "scenario-builder"}));
    EXPECT_EQ(leggi_tutto(b.cartella.file(note)), "an older note");
    ::close(fd);

    const esecuzione dopo = b.esegui();
    EXPECT_EQ(dopo.stato, 0) << dopo.errori;
    b.verifica_sei_file();
}

// Two builders started together (a double click): each ends with 0 or with
// the report of the lock, and the files are the right ones.
TEST(ProcessoBuilder, TwoBuildersStartedTogetherLeaveTheRightFiles) {
    for (int prova = 0; prova < 5; ++prova) {
        banco_builder b;
        const std::string e = tra_apici(b.eseguibile);
        const std::string stati = b.altrove.file("stati");
        const std::string comando = "cd " + tra_apici(b.altrove.str()) + " && { " + e + " 2>/dev/null; echo $? >>" +
                                    tra_apici(stati) + "; } & { " + e + " 2>/dev/null; echo $? >>" + tra_apici(stati) +
                                    "; } & wait";
        ASSERT_EQ(std::system(("bash -c " + tra_apici(comando)).c_str()), 0);
        const std::string s = leggi_tutto(stati);
        EXPECT_TRUE(s == "0\n0\n" || s == "0\n2\n" || s == "2\n0\n") << s;
        b.verifica_sei_file();
    }
}

// ---- Output names where no regular file stands ----

TEST(ProcessoBuilder, AFifoAtAnOutputNameIsReportedWithoutHanging) {
    banco_builder b;
    ASSERT_EQ(::mkfifo(b.cartella.file(piano_dat).c_str(), 0644), 0);
    const esecuzione e = b.esegui();
    EXPECT_EQ(e.stato, 2) << e.errori;
    EXPECT_NE(e.errori.find("\"" + b.cartella.file(piano_dat) + "\""), std::string::npos) << e.errori;
    EXPECT_NE(e.errori.find("FIFO"), std::string::npos) << e.errori;
    // Refused before anything was written: no text source, no document, no new plan.
    EXPECT_EQ(nomi_in(b.cartella.str()), (std::vector<std::string>{piano_dat, "scenario-builder"}));
}

TEST(ProcessoBuilder, ADanglingLinkAtAnOutputNameCreatesNothingThroughIt) {
    banco_builder b;
    cartella_temporanea fuori;
    fs::create_symlink(fuori.file("creato"), b.cartella.file(note));
    const esecuzione e = b.esegui();
    EXPECT_EQ(e.stato, 2) << e.errori;
    EXPECT_NE(e.errori.find("symbolic link"), std::string::npos) << e.errori;
    EXPECT_TRUE(nomi_in(fuori.str()).empty());
    EXPECT_TRUE(fs::is_symlink(b.cartella.file(note)));
    EXPECT_EQ(nomi_in(b.cartella.str()), (std::vector<std::string>{note, "scenario-builder"}));
}

// An older build's files where the new ones cannot all be written (a text
// source the directory will not let go of is not needed: a directory at the
// last binary name is enough to stop it after the checks): with the old files
// in place, a run that fails keeps every one of them byte for byte.
TEST(ProcessoBuilder, AFailedRunKeepsTheOldFilesAndLeavesNoTextSource) {
    banco_builder b;
    ASSERT_EQ(b.esegui().stato, 0);
    b.verifica_sei_file();
    // A read-only directory: nothing can be created, renamed or deleted in it.
    fs::permissions(b.cartella.str(), fs::perms::owner_write, fs::perm_options::remove);
    const bool senza_permessi = ::access(b.cartella.str().c_str(), W_OK) != 0;
    const esecuzione e = b.esegui();
    fs::permissions(b.cartella.str(), fs::perms::owner_write, fs::perm_options::add);
    if (!senza_permessi) GTEST_SKIP() << "permissions do not bind here (running as root)";
    EXPECT_EQ(e.stato, 2) << e.errori;
    EXPECT_NE(e.errori.find("Unhandled failure: create"), std::string::npos) << e.errori;
    b.verifica_sei_file();
}

// ---- Crafted binary files ----

// Files of 64 MiB (holes: no disk space taken), far larger than any valid
// line makes: every command that reads them refuses them within a second,
// unread, naming the kind's limit.
TEST(ProcessoStrumento, BinaryFilesLargerThanAnyValidLineAreRefusedAtOnce) {
    cartella_temporanea dir;
    for (const std::string& nome : {piano_dat, scenario_sim, tracciato_dat}) {
        scrivi_tutto(dir.file(nome), "");
        fs::resize_file(dir.file(nome), std::uintmax_t{64} << 20);
    }
    const std::vector<std::vector<std::string>> comandi{
        {"dump", tracciato_dat},
        {"dump", "--json", piano_dat},
        {"dump", scenario_sim},
        {"verify", piano_dat, scenario_sim, tracciato_dat},
        {"view", piano_dat, scenario_sim, tracciato_dat, "-o", "pagina.html"},
        {"decompile", piano_dat, scenario_sim, tracciato_dat, "--out", dir.str()},
    };
    for (const std::vector<std::string>& a : comandi) {
        const auto inizio = std::chrono::steady_clock::now();
        const esecuzione e = esegui_programma(PERCORSO_SCENARIO_TOOL, dir.str(), a);
        const auto durata = std::chrono::steady_clock::now() - inizio;
        EXPECT_NE(e.stato, 0) << a[0];
        EXPECT_NE(e.errori.find("of a valid line is larger (the longest line is 1000000 m)"), std::string::npos)
            << a[0] << ": " << e.errori;
        EXPECT_LT(durata, std::chrono::seconds(1)) << a[0];
    }
    EXPECT_FALSE(fs::exists(dir.file("pagina.html")));
}

// ---- Paths and arguments on the terminal ----

// The first byte of `t` below 0x20 (other than a line end) or DEL, as text;
// empty when there is none.
std::string byte_di_controllo(const std::string& t) {
    for (const char c : t) {
        const auto u = static_cast<unsigned char>(c);
        if ((u < 0x20 && u != '\n') || u == 0x7F) return "byte " + std::to_string(u);
    }
    return "";
}

// Names with ESC, BEL, a line end and DEL in them, given to every command
// (as files that exist, files that do not, extra arguments, output paths):
// nothing of them reaches either stream raw.
TEST(ProcessoStrumento, NoControlByteOfAPathOrArgumentReachesTheTerminal) {
    cartella_temporanea dir;
    const std::string brutto = "N\x1b[31mRED\x1b]0;t\a\x7f_7";
    for (const std::string& nome : {linea_txt, treno_txt, piano_dat, scenario_sim, tracciato_dat}) {
        scrivi_tutto(dir.file(nome), dati(nome));
    }
    scrivi_tutto(dir.file(brutto + ".sim"), dati(scenario_sim));
    scrivi_tutto(dir.file(brutto + ".dat"), "not a track");
    fs::create_directory(dir.file("out\x1b[2J"));
    const std::vector<std::vector<std::string>> comandi{
        {"dump", brutto + ".sim", brutto + ".dat", "assente\x1b[2J.dat"},
        {"dump", "--json", brutto + ".dat"},
        {"verify", piano_dat, brutto + ".sim", brutto + ".dat"},
        {"verify", "x\x1b[2J_linea.dat", brutto + ".sim", tracciato_dat},
        {"compile", "a", "b", "\x1b[2J"},
        {"compile", linea_txt, treno_txt, "--out", dir.file("out\x1b[2J")},
        {"check", "\x1b[2J_linea.txt", treno_txt},
        {"decompile", piano_dat, scenario_sim, tracciato_dat, "--out", dir.file("out\x1b[2J")},
        {"decompile", brutto + ".sim", brutto + ".dat"},
        {"view", scenario_sim, tracciato_dat, "-o", dir.file("out\x1b[2J/p\ag\x1b[2J.html")},
        {"view", brutto + ".sim", brutto + ".dat", "-o", "p.html"},
        {"view", scenario_sim, tracciato_dat, "-o", dir.file("assente\x1b[2J/p.html")},
        {"example", "--out", dir.file("out\x1b[2J")},
        {"explain", "\x1b[2J"},
        {"\x1b[2J"},
        {"dump", "--kind", "\x1b[2J", tracciato_dat},
    };
    for (const std::vector<std::string>& a : comandi) {
        const esecuzione e = esegui_programma(PERCORSO_SCENARIO_TOOL, dir.str(), a);
        std::string caso;
        for (const std::string& p : a) caso += p + " ";
        EXPECT_EQ(byte_di_controllo(e.uscita), "") << caso << "\n" << e.uscita;
        EXPECT_EQ(byte_di_controllo(e.errori), "") << caso << "\n" << e.errori;
    }
}

// A line end in a path or an argument of a usage error is shown as \x0a: the
// message keeps its own lines, exactly those it has for a plain name.
TEST(ProcessoStrumento, ALineEndInAPathOfAUsageErrorIsEscapedAndAddsNoLine) {
    cartella_temporanea dir;
    const std::vector<std::vector<std::string>> comandi{
        {"decompile", "aXb.sim", "cXd.dat"},
        {"decompile", "aXb_linea.dat", "a_1.sim", "a_1.dat"},
        {"dump", "aXb.txt"},
        {"dump", "--kind", "aXb", "x.dat"},
        {"view", "aXb.dat", "c.dat", "-o", "p.html"},
        {"aXb"},
        {"compile", "a", "b", "aXb"},
    };
    // The arguments with X standing for `segno`.
    const auto con = [](std::vector<std::string> a, const std::string& segno) {
        for (std::string& p : a) {
            for (std::size_t i = p.find('X'); i != std::string::npos; i = p.find('X', i + segno.size())) p.replace(i, 1, segno);
        }
        return a;
    };
    for (const std::vector<std::string>& a : comandi) {
        const esecuzione a_capo = esegui_programma(PERCORSO_SCENARIO_TOOL, dir.str(), con(a, "\n"));
        const esecuzione piano = esegui_programma(PERCORSO_SCENARIO_TOOL, dir.str(), con(a, "Q"));
        EXPECT_EQ(a_capo.stato, 2) << a[0];
        std::string mostrato = a_capo.errori;
        for (std::size_t i = mostrato.find("\\x0a"); i != std::string::npos; i = mostrato.find("\\x0a", i + 1)) {
            mostrato.replace(i, 4, "Q");
        }
        EXPECT_NE(mostrato, a_capo.errori) << a[0] << ": no \\x0a in\n" << a_capo.errori;
        EXPECT_EQ(mostrato, piano.errori) << a[0];
    }
    // Under --json the message holds the path as it is.
    const esecuzione e = esegui_programma(PERCORSO_SCENARIO_TOOL, dir.str(), {"dump", "a\nb.txt", "--json"});
    EXPECT_EQ(e.stato, 2);
    EXPECT_EQ(nlohmann::json::parse(e.uscita)["message"],
              "the kind of \"a\nb.txt\" cannot be told from its name (NAME_linea.dat, NAME_NUM.sim, NAME_NUM.dat): "
              "give --kind")
        << e.uscita;
}

// The builder's report of a failure names its directory the same way.
TEST(ProcessoBuilder, TheReportOfAFailureShowsNoControlByteOfItsPath) {
    cartella_temporanea sopra;
    const std::string cartella = sopra.file("dir\x1b]0;t\a\nx");
    fs::create_directory(cartella);
    const std::string eseguibile = cartella + "/scenario-builder";
    fs::copy_file(PERCORSO_SCENARIO_BUILDER, eseguibile);
    fs::create_directory(cartella + "/" + note);
    const esecuzione e = entro_un_minuto(eseguibile, sopra.str(), {});
    EXPECT_EQ(e.stato, 2);
    EXPECT_NE(e.errori.find("dir\\x1b]0;t\\x07\\x0ax/" + note), std::string::npos) << e.errori;
    EXPECT_EQ(byte_di_controllo(e.errori), "") << e.errori;
}

// ---- JSON ----

// Path bytes that are not UTF-8 are read as Windows-1252 characters wherever
// JSON names a file: the same in "files" as in "diagnostics"[].file.
TEST(ProcessoStrumento, APathThatIsNotUtf8IsShownByOneRuleInJson) {
    cartella_temporanea dir;
    const std::string nome = "\xff\xfe\x80";
    scrivi_tutto(dir.file(nome + "_linea.txt"), dati(linea_txt));
    scrivi_tutto(dir.file(nome + "_30742-.txt"), dati(treno_txt));
    const esecuzione e = esegui_programma(PERCORSO_SCENARIO_TOOL, dir.str(),
                                          {"compile", nome + "_linea.txt", nome + "_30742-.txt", "--json"});
    ASSERT_EQ(e.stato, 0) << e.errori;
    const auto j = nlohmann::json::parse(e.uscita);
    const std::string come_1252 = "\u00ff\u00fe\u20ac";
    EXPECT_EQ(j["files"][0], come_1252 + "_linea.dat") << e.uscita;
    ASSERT_FALSE(j["diagnostics"].empty());
    EXPECT_EQ(j["diagnostics"][0]["file"], come_1252 + "_linea.txt") << e.uscita;
}

// ---- A standard output that cannot be written ----

// Every command with its standard output on a full device: status 3 and one
// line on standard error that says so, whatever the command would have given.
TEST(ProcessoStrumento, AStandardOutputOnAFullDeviceIsAFailure) {
    if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
    cartella_temporanea dir;
    for (const std::string& nome : {linea_txt, treno_txt, piano_dat, scenario_sim, tracciato_dat}) {
        scrivi_tutto(dir.file(nome), dati(nome));
    }
    cartella_temporanea uscita;
    const std::vector<std::vector<std::string>> comandi{
        {"dump", tracciato_dat},
        {"dump", "--json", piano_dat},
        {"explain", "--all"},
        {"verify", piano_dat, scenario_sim, tracciato_dat},
        {"check", linea_txt, treno_txt, "--json"},
        {"compile", linea_txt, treno_txt, "--json", "--out", uscita.str()},
        {"decompile", piano_dat, scenario_sim, tracciato_dat, "--out", uscita.str()},
        {"--help"},
        {"--version"},
    };
    for (const std::vector<std::string>& a : comandi) {
        const esecuzione e = esegui_programma(PERCORSO_SCENARIO_TOOL, dir.str(), a, "/dev/full");
        std::string caso;
        for (const std::string& p : a) caso += p + " ";
        EXPECT_EQ(e.stato, 3) << caso << e.errori;
        EXPECT_NE(e.errori.find("scenario-tool: the standard output could not be written"),
                  std::string::npos)
            << caso << e.errori;
    }
}

// A reader that goes away (`| head -c1`): the write fails with a broken pipe
// instead of the process ending silently by the signal; status 3 and one line.
TEST(ProcessoStrumento, AClosedPipeIsAFailedWriteWithStatus3AndOneLine) {
    cartella_temporanea dir;
    for (const std::string& nome : {piano_dat, tracciato_dat}) scrivi_tutto(dir.file(nome), dati(nome));
    const std::vector<std::vector<std::string>> comandi{
        {"dump", "--json", piano_dat},
        {"dump", piano_dat, "--points", "0:12000"},
        {"dump", "--json", tracciato_dat, tracciato_dat, tracciato_dat, tracciato_dat, tracciato_dat, tracciato_dat},
    };
    for (const std::vector<std::string>& a : comandi) {
        std::string comando = "cd " + tra_apici(dir.str()) + " && { " + tra_apici(PERCORSO_SCENARIO_TOOL);
        for (const std::string& p : a) comando += " " + tra_apici(p);
        comando += " 2>err; echo $? >stato; } | head -c1 >/dev/null";
        ASSERT_EQ(std::system(comando.c_str()), 0) << comando;
        EXPECT_EQ(leggi_tutto(dir.file("stato")), "3\n") << a[1];
        // The system's reason is known only when the last write failed.
        const std::string errori = leggi_tutto(dir.file("err"));
        const std::string riga = "scenario-tool: the standard output could not be written";
        EXPECT_TRUE(errori == riga + "\n" || errori == riga + " (" + std::strerror(EPIPE) + ")\n") << a[1] << errori;
    }
}

// The old outputs of an earlier compile in `dir`, and the two inputs beside them.
void prepara_compilazione(const cartella_temporanea& dir) {
    scrivi_tutto(dir.file(linea_txt), dati(linea_txt));
    scrivi_tutto(dir.file(treno_txt), dati(treno_txt));
    for (const std::string& nome : {piano_dat, scenario_sim, tracciato_dat}) scrivi_tutto(dir.file(nome), "old " + nome);
}

esecuzione compila(const cartella_temporanea& dir, std::vector<std::string> altri = {}) {
    std::vector<std::string> a{"compile", linea_txt, treno_txt, "--json"};
    a.insert(a.end(), altri.begin(), altri.end());
    return entro_un_minuto(PERCORSO_SCENARIO_TOOL, dir.str(), a);
}

TEST(ProcessoStrumento, WhatStandsAtAnOutputNameIsRefusedWithoutHangingOrFollowingIt) {
    struct caso {
        const char* descrizione;
        const char* parola;
    };
    for (const caso& c : {caso{"FIFO", "FIFO"}, caso{"dangling link", "symbolic link"}}) {
        cartella_temporanea dir;
        cartella_temporanea fuori;
        prepara_compilazione(dir);
        fs::remove(dir.file(scenario_sim));
        if (std::string(c.descrizione) == "FIFO") {
            ASSERT_EQ(::mkfifo(dir.file(scenario_sim).c_str(), 0644), 0);
        } else {
            fs::create_symlink(fuori.file("creato"), dir.file(scenario_sim));
        }
        const esecuzione e = compila(dir);
        EXPECT_EQ(e.stato, 3) << c.descrizione << e.uscita;
        const auto j = nlohmann::json::parse(e.uscita);
        EXPECT_EQ(j["fatal"], "io");
        EXPECT_EQ(j["files"], nlohmann::json::array());
        const std::string messaggio = j["message"];
        EXPECT_EQ(messaggio.rfind("replace \"./" + scenario_sim + "\": ", 0), 0u) << messaggio;
        EXPECT_NE(messaggio.find(c.parola), std::string::npos) << messaggio;
        EXPECT_EQ(leggi_tutto(dir.file(piano_dat)), "old " + piano_dat);
        EXPECT_EQ(leggi_tutto(dir.file(tracciato_dat)), "old " + tracciato_dat);
        EXPECT_EQ(nomi_in(dir.str()), (std::vector<std::string>{treno_txt, tracciato_dat, scenario_sim, piano_dat, linea_txt}));
        EXPECT_TRUE(nomi_in(fuori.str()).empty());
    }
}

TEST(ProcessoStrumento, OutputNamesThatCoincideAreAUsageError) {
    cartella_temporanea dir;
    scrivi_tutto(dir.file("L_linea.txt"), dati(linea_txt));
    scrivi_tutto(dir.file("L_linea-.txt"), dati(treno_txt));
    // The train number "linea", given or taken from the train file's name.
    for (const std::vector<std::string>& a :
         {std::vector<std::string>{"compile", "L_linea.txt", "L_linea-.txt"},
          std::vector<std::string>{"compile", "L_linea.txt", "L_linea-.txt", "--train-number", "linea"}}) {
        const esecuzione e = entro_un_minuto(PERCORSO_SCENARIO_TOOL, dir.str(), a);
        EXPECT_EQ(e.stato, 2);
        EXPECT_NE(e.errori.find("scenario-tool: two output files would be the same file \"L_linea.dat\" (the line "
                                "plan and the track): give another train number"),
                  std::string::npos)
            << e.errori;
        EXPECT_EQ(nomi_in(dir.str()), (std::vector<std::string>{"L_linea-.txt", "L_linea.txt"}));
    }
    // A train number that only begins with "linea" names other files.
    const esecuzione e = entro_un_minuto(PERCORSO_SCENARIO_TOOL, dir.str(),
                                         {"compile", "L_linea.txt", "L_linea-.txt", "--train-number", "lineaX"});
    EXPECT_EQ(e.stato, 0) << e.errori;
}

// ---- A kill while the outputs are written ----

// Starts scenario-tool with the arguments from `da` and kills it after `dopo`.
void uccidi_dopo(const std::string& da, const std::vector<std::string>& argomenti, std::chrono::microseconds dopo) {
    const pid_t figlio = ::fork();
    ASSERT_GE(figlio, 0);
    if (figlio == 0) {
        if (::chdir(da.c_str()) != 0) ::_exit(126);
        const int nulla = ::open("/dev/null", O_RDWR);
        ::dup2(nulla, 1);
        ::dup2(nulla, 2);
        std::vector<char*> v{const_cast<char*>(PERCORSO_SCENARIO_TOOL)};
        for (const std::string& a : argomenti) v.push_back(const_cast<char*>(a.c_str()));
        v.push_back(nullptr);
        ::execv(PERCORSO_SCENARIO_TOOL, v.data());
        ::_exit(127);
    }
    std::this_thread::sleep_for(dopo);
    ::kill(figlio, SIGKILL);
    int stato = 0;
    ::waitpid(figlio, &stato, 0);
}

// A long line (a 20 MB plan); killed at moments spread over a whole compile
// and a little after, the tool leaves at each output name either the old file
// or the whole new one.
TEST(ProcessoStrumento, AKillAtAnyMomentLeavesEachOutputOldOrWholeNew) {
    cartella_temporanea dir;
    std::string linea = dati(linea_txt);
    linea.replace(linea.find("22000"), 5, "1000000");
    scrivi_tutto(dir.file("Lungo_linea.txt"), linea);
    scrivi_tutto(dir.file("Lungo_1-.txt"), dati(treno_txt));
    const std::vector<std::string> uscite{"Lungo_linea.dat", "Lungo_1.sim", "Lungo_1.dat"};
    fs::create_directory(dir.file("nuovi"));
    fs::create_directory(dir.file("out"));
    const std::vector<std::string> comando{"compile", "Lungo_linea.txt", "Lungo_1-.txt", "--out"};

    auto a = comando;
    a.push_back("nuovi");
    const auto inizio = std::chrono::steady_clock::now();
    ASSERT_EQ(esegui_programma(PERCORSO_SCENARIO_TOOL, dir.str(), a).stato, 0);
    const auto durata = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - inizio);
    std::map<std::string, std::string> nuovi;
    for (const std::string& nome : uscite) nuovi[nome] = leggi_tutto(dir.file("nuovi/" + nome));

    a = comando;
    a.push_back("out");
    constexpr int prove = 16;
    int cambiati = 0;
    int temporanei = 0;
    for (int i = 0; i < prove; ++i) {
        for (const std::string& nome : uscite) scrivi_tutto(dir.file("out/" + nome), "old " + nome);
        uccidi_dopo(dir.str(), a, durata * 5 * (i + 1) / (4 * prove));
        for (const std::string& nome : uscite) {
            const std::string c = leggi_tutto(dir.file("out/" + nome));
            EXPECT_TRUE(c == "old " + nome || c == nuovi[nome]) << nome << " after a kill at " << i;
            cambiati += c == nuovi[nome];
        }
        // A temporary file has a name only from the end of its write to its
        // rename (on ext4 the rename of the plan over an old one takes some
        // 15 ms, as it pushes the plan's data to the disk): a kill seldom
        // finds one.
        for (const std::string& nome : nomi_in(dir.file("out"))) {
            if (nome.find(".tmp-") == std::string::npos) continue;
            ++temporanei;
            fs::remove(dir.file("out/" + nome));
        }
    }
    std::printf("note: %d of %d outputs were new after the kills; %d temporary files left\n", cambiati, 3 * prove,
                temporanei);
}

// ---- Temporary files that a killed run left ----

// A later run in the directory, holding its lock, removes the temporary files
// of its own names (and nothing else); a compile that cannot take the lock
// (a builder holds it) leaves them.
TEST(ProcessoStrumento, StaleTemporaryFilesOfTheOutputsAreRemovedByTheNextRunThatHoldsTheDirectory) {
    const std::vector<std::string> stantii{"." + scenario_sim + ".tmp-k1ll3d", "." + piano_dat + ".tmp-000000"};
    const std::vector<std::string> altrui{".altro.sim.tmp-k1ll3d", "." + scenario_sim + ".tmp-mine"};
    cartella_temporanea dir;
    prepara_compilazione(dir);
    for (const auto* elenco : {&stantii, &altrui}) {
        for (const std::string& n : *elenco) scrivi_tutto(dir.file(n), "left by a kill");
    }
    {
        const int fd = ::open(dir.str().c_str(), O_RDONLY | O_DIRECTORY);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::flock(fd, LOCK_EX | LOCK_NB), 0);
        const esecuzione e = compila(dir);
        EXPECT_EQ(e.stato, 0) << e.errori;
        for (const std::string& n : stantii) EXPECT_TRUE(fs::exists(dir.file(n))) << n << " removed under another's lock";
        ::close(fd);
    }
    const esecuzione e = compila(dir);
    EXPECT_EQ(e.stato, 0) << e.errori;
    for (const std::string& n : stantii) EXPECT_FALSE(fs::exists(dir.file(n))) << n;
    for (const std::string& n : altrui) EXPECT_TRUE(fs::exists(dir.file(n))) << n;

    banco_builder b;
    const std::vector<std::string> del_builder{"." + note + ".tmp-abcdef", "." + tracciato_dat + ".tmp-123456"};
    for (const std::string& n : del_builder) scrivi_tutto(b.cartella.file(n), "left by a kill");
    EXPECT_EQ(b.esegui().stato, 0);
    b.verifica_sei_file();
}

}  // namespace

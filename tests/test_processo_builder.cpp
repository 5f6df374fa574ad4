// The builder as a user runs it: a copy of the executable in a directory of its
// own, started from another working directory.
#include <gtest/gtest.h>

#include <filesystem>

#include "processo.h"
#include "sources/cartella.h"
#include "supporto.h"

namespace {

const std::string note = "Tava Aeroporto-Rovea_30742_note.txt";
const std::string rallentamenti = "Tava Aeroporto-Rovea_30742_rallentamenti.txt";
const std::string scheda = "Tava Aeroporto-Rovea_30742_scheda_treno.txt";
const std::string linea_txt = "Tava Aeroporto-Rovea_linea.txt";
const std::string treno_txt = "Tava Aeroporto-Rovea_30742-.txt";

// Copies the builder into `cartella` and runs it from `da_cartella`.
esecuzione esegui_builder(const cartella_temporanea& cartella, const cartella_temporanea& da_cartella) {
    const std::string eseguibile = cartella.file("scenario-builder");
    std::filesystem::copy_file(PERCORSO_SCENARIO_BUILDER, eseguibile);
    return esegui_programma(eseguibile, da_cartella.str(), {});
}

TEST(ProcessoBuilder, WritesInItsOwnDirectoryNotTheWorkingDirectory) {
    cartella_temporanea cartella;
    cartella_temporanea altrove;
    const esecuzione e = esegui_builder(cartella, altrove);
    EXPECT_EQ(e.stato, 0) << e.errori;
    EXPECT_EQ(e.errori.substr(0, 10), "Attendere\n");
    for (const std::string& nome : {note, rallentamenti, scheda}) {
        EXPECT_TRUE(std::filesystem::exists(cartella.file(nome))) << nome;
    }
    EXPECT_TRUE(nomi_in(altrove.str()).empty());
}

// An output name where no regular file can stand is refused before anything
// is written: the report names it, and nothing else is in the directory.
TEST(ProcessoBuilder, AFailingWriteEndsWithTheReportAndANonZeroStatus) {
    cartella_temporanea cartella;
    cartella_temporanea altrove;
    std::filesystem::create_directory(cartella.file(note));
    const esecuzione e = esegui_builder(cartella, altrove);
    EXPECT_EQ(e.stato, 2);
    EXPECT_NE(e.errori.find(cartella.file(note)), std::string::npos) << e.errori;
    EXPECT_EQ(nomi_in(cartella.str()), (std::vector<std::string>{note, "scenario-builder"}));
}

// Installed under a prefix, scenario-tool is in bin/ and the builder, which
// writes into the folder that holds it, in a folder of its own off the PATH;
// a copy of it run elsewhere writes its six files there.
TEST(ProcessoBuilder, InstalledTheBuilderIsNotOnThePath) {
    cartella_temporanea prefisso;
    const esecuzione i = esegui_programma(PERCORSO_CMAKE, prefisso.str(),
                                          {"--install", CARTELLA_BUILD, "--prefix", prefisso.str()});
    ASSERT_EQ(i.stato, 0) << i.uscita << i.errori;
    EXPECT_EQ(nomi_in(prefisso.file("bin")), std::vector<std::string>{"scenario-tool"});
    EXPECT_EQ(nomi_in(prefisso.file("libexec/scenario-builder")), std::vector<std::string>{"scenario-builder"});
    EXPECT_EQ(nomi_in(prefisso.file("share/doc/scenario-builder")), (std::vector<std::string>{"README.md", "docs"}));
    EXPECT_EQ(nomi_in(prefisso.file("share/doc/scenario-builder/docs")),
              (std::vector<std::string>{"editor.md", "guide.md", "reference.md"}));

    cartella_temporanea cartella;
    cartella_temporanea altrove;
    const std::string eseguibile = cartella.file("scenario-builder");
    std::filesystem::copy_file(prefisso.file("libexec/scenario-builder/scenario-builder"), eseguibile);
    const esecuzione e = esegui_programma(eseguibile, altrove.str(), {});
    EXPECT_EQ(e.stato, 0) << e.errori;
    EXPECT_EQ(nomi_in(cartella.str()).size(), 7u);
    EXPECT_EQ(nomi_in(prefisso.file("libexec/scenario-builder")), std::vector<std::string>{"scenario-builder"});
}

TEST(Percorsi, TheSeparatorIsAlwaysInserted) {
    EXPECT_EQ(percorso_in(cartella{"/opt/sim", {}, {}, {}, {}, {}, {}, {}}, "a b-c.txt"), "/opt/sim/a b-c.txt");
    EXPECT_EQ(percorso_in(cartella{"/", {}, {}, {}, {}, {}, {}, {}}, "x.dat"), "//x.dat");
}

}  // namespace

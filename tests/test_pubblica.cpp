// Publishing a command's outputs: all temporary files first, then the renames;
// a failure leaves the old files and no temporary file.
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>

#include "cartella_guasta.h"
#include "supporto.h"
#include "tools/comune/errore_uso.h"
#include "tools/comune/pubblica.h"

namespace {

namespace fs = std::filesystem;

std::vector<file_uscita> tre_uscite() { return {{"L_linea.dat", "new plan"}, {"L_1.sim", "new table"}, {"L_1.dat", "new track"}}; }

const std::map<std::string, std::string> vecchi = {
    {"L_linea.dat", "old plan"}, {"L_1.sim", "old table"}, {"L_1.dat", "old track"}, {"altro.txt", "other"}};

bool temporaneo(const std::string& nome) { return nome.find(".tmp-") != std::string::npos; }

TEST(Pubblica, ReplacesOldFilesAndCreatesMissingOnesLeavingNoTemporaryFile) {
    cartella_prova d;
    d.file = {{"L_1.sim", "old table"}, {"altro.txt", "other"}};
    const esito_pubblicazione e = pubblica_file(d.dir, tre_uscite());
    EXPECT_FALSE(e.errore.has_value());
    EXPECT_EQ(e.pubblicati, (std::vector<std::string>{"L_linea.dat", "L_1.sim", "L_1.dat"}));
    EXPECT_EQ(d.file, (std::map<std::string, std::string>{
                          {"L_linea.dat", "new plan"}, {"L_1.sim", "new table"}, {"L_1.dat", "new track"}, {"altro.txt", "other"}}));
    // No output at all is fine too.
    EXPECT_TRUE(pubblica_file(d.dir, {}).pubblicati.empty());
}

TEST(Pubblica, EveryTemporaryFileIsWrittenBeforeTheFirstRename) {
    cartella_prova d;
    cartella_guasta g(d.dir, 0, 0);
    pubblica_file(g.dir, tre_uscite());
    std::vector<std::string> passi;
    for (const operazione_notata& o : g.registro) {
        if (o.nome != "inspect") passi.push_back(o.nome);
    }
    EXPECT_EQ(passi, (std::vector<std::string>{"create", "create", "create", "rename", "rename", "rename"}));
    for (const operazione_notata& o : g.registro) {
        if (o.nome == "create") {
            EXPECT_EQ(o.file.substr(0, 1), ".") << o.file;
            EXPECT_TRUE(temporaneo(o.file)) << o.file;
        }
    }
}

TEST(Pubblica, TemporaryNames) {
    const std::string t = nome_temporaneo("L_1.dat", "abc123");
    EXPECT_EQ(t, ".L_1.dat.tmp-abc123");
    // A long name is cut so that the temporary name fits 255 bytes, never
    // inside a UTF-8 character ("è" is C3 A8).
    std::string lungo(199, 'a');
    lungo += "\xC3\xA8";
    lungo += std::string(50, 'b');
    const std::string tl = nome_temporaneo(lungo, "abc123");
    EXPECT_LE(tl.size(), 255u);
    EXPECT_EQ(tl, "." + std::string(199, 'a') + ".tmp-abc123");
}

TEST(Pubblica, OutputNamesThatCoincideAreRefused) {
    EXPECT_NO_THROW(verifica_nomi_distinti({"L_linea.dat", "L_1.sim", "L_1.dat"}));
    try {
        verifica_nomi_distinti({"L_linea.dat", "L_linea.sim", "L_linea.dat"});
        ADD_FAILURE() << "not refused";
    } catch (const errore_uso& e) {
        EXPECT_EQ(e.messaggio, "two output files would be the same file \"L_linea.dat\"");
    }
    EXPECT_TRUE(stesso_nome("L_linea.dat", "L_LINEA.dat", true));
    EXPECT_FALSE(stesso_nome("L_linea.dat", "L_LINEA.dat", false));
    EXPECT_FALSE(stesso_nome("L_linea.dat", "L_linea.da", true));

    cartella_prova d;
    d.file = {{"L_linea.dat", "old plan"}};
    const esito_pubblicazione e =
        pubblica_file(d.dir, {{"L_linea.dat", "plan"}, {"L_linea.sim", "table"}, {"L_linea.dat", "track"}});
    ASSERT_TRUE(e.errore.has_value());
    EXPECT_TRUE(e.pubblicati.empty());
    EXPECT_EQ(d.file, (std::map<std::string, std::string>{{"L_linea.dat", "old plan"}}));
}

// Every operation of a publication fails once, with each error: the old
// files stay (but for the outputs renamed before the failure, which are
// whole new files), the report names the failing operation and file, and no
// temporary file is left.
TEST(Pubblica, EveryOperationFailsOnce) {
    int operazioni = 0;
    {
        cartella_prova d;
        cartella_guasta conta(d.dir, 0, 0);
        pubblica_file(conta.dir, tre_uscite());
        operazioni = conta.operazioni();
    }
    ASSERT_EQ(operazioni, 12);  // three names checked; per output a free name found and created; three renames
    for (const int numero : {ENOSPC, EACCES, EIO}) {
        for (int k = 1; k <= operazioni; ++k) {
            cartella_prova d;
            d.file = vecchi;
            cartella_guasta g(d.dir, k, numero);
            const esito_pubblicazione e = pubblica_file(g.dir, tre_uscite());
            const operazione_notata& o = g.registro.at(static_cast<std::size_t>(k - 1));
            const std::string caso = std::to_string(k) + " " + o.nome + " " + o.file + " errno " + std::to_string(numero);
            ASSERT_TRUE(e.errore.has_value()) << caso;
            EXPECT_EQ(e.errore->operazione, o.nome) << caso;
            EXPECT_EQ(e.errore->percorso, percorso_in(d.dir, o.file)) << caso;
            EXPECT_EQ(e.errore->numero, numero) << caso;
            // Renamed before the failure: the first outputs, whole.
            std::size_t rinominati = 0;
            for (int i = 0; i < k - 1; ++i) rinominati += g.registro[static_cast<std::size_t>(i)].nome == "rename";
            ASSERT_EQ(e.pubblicati.size(), rinominati) << caso;
            std::map<std::string, std::string> attesi = vecchi;
            const std::vector<file_uscita> nuovi = tre_uscite();
            for (std::size_t i = 0; i < rinominati; ++i) {
                EXPECT_EQ(e.pubblicati[i], nuovi[i].nome);
                attesi[nuovi[i].nome] = in_un_testo(nuovi[i].contenuto);
            }
            EXPECT_EQ(d.file, attesi) << caso;
        }
    }
}

// What stands at an output name on disk is refused before anything is
// written; nothing hangs, nothing is followed.
TEST(Pubblica, OnDiskAnOutputNameWhereNoRegularFileStandsIsRefusedBeforeAnythingIsWritten) {
    struct caso {
        const char* descrizione;
        std::function<bool(const std::string& percorso, const std::string& bersaglio)> prepara;
    };
    const caso casi[] = {
        {"FIFO", [](const std::string& p, const std::string&) { return ::mkfifo(p.c_str(), 0644) == 0; }},
        {"dangling symbolic link",
         [](const std::string& p, const std::string& b) {
             fs::create_symlink(b, p);
             return true;
         }},
        {"directory", [](const std::string& p, const std::string&) { return fs::create_directory(p); }},
    };
    for (const caso& c : casi) {
        cartella_temporanea dir;
        for (const auto& [nome, contenuto] : vecchi) scrivi_tutto(dir.file(nome), contenuto);
        fs::remove(dir.file("L_1.dat"));
        ASSERT_TRUE(c.prepara(dir.file("L_1.dat"), dir.file("bersaglio"))) << c.descrizione;
        const esito_pubblicazione e = pubblica_file(dir.disco(), tre_uscite());
        ASSERT_TRUE(e.errore.has_value()) << c.descrizione;
        EXPECT_EQ(e.errore->percorso, dir.file("L_1.dat"));
        EXPECT_NE(std::string(e.errore->what()).find("refusing to replace it"), std::string::npos);
        EXPECT_TRUE(e.pubblicati.empty());
        EXPECT_EQ(nomi_in(dir.str()), (std::vector<std::string>{"L_1.dat", "L_1.sim", "L_linea.dat", "altro.txt"}))
            << c.descrizione;
        EXPECT_EQ(leggi_tutto(dir.file("L_linea.dat")), "old plan");
        EXPECT_EQ(leggi_tutto(dir.file("L_1.sim")), "old table");
    }
}

TEST(Pubblica, OnDiskTheNewFilesReplaceTheOldOnesWhole) {
    cartella_temporanea dir;
    for (const auto& [nome, contenuto] : vecchi) scrivi_tutto(dir.file(nome), contenuto);
    // A link to the old plan elsewhere keeps the old content: the name gets a
    // new file, the old one is not written over.
    fs::create_hard_link(dir.file("L_linea.dat"), dir.file("copia"));
    const esito_pubblicazione e = pubblica_file(dir.disco(), tre_uscite());
    EXPECT_FALSE(e.errore.has_value());
    EXPECT_EQ(nomi_in(dir.str()), (std::vector<std::string>{"L_1.dat", "L_1.sim", "L_linea.dat", "altro.txt", "copia"}));
    for (const file_uscita& f : tre_uscite()) EXPECT_EQ(leggi_tutto(dir.file(f.nome)), in_un_testo(f.contenuto));
    EXPECT_EQ(leggi_tutto(dir.file("copia")), "old plan");
}

}  // namespace

namespace {

// Temporary files that killed publications left: only those of the given
// names, in the exact form of a temporary name, and only regular files.
TEST(Pubblica, StaleTemporaryFilesOfItsOwnNamesAreRemoved) {
    cartella_prova d;
    const std::vector<std::string> restano{
        "a.dat", ".a.dat.tmp-ABC123", ".a.dat.tmp-abc12", ".a.dat.tmp-abc1234", ".b.dat.tmp-abc123",
        "a.dat.tmp-abc123", ".a.dat.tmp-abc12_",
    };
    for (const std::string& n : restano) d.file[n] = "x";
    d.file[".a.dat.tmp-abc123"] = "old";
    d.file[".c d.sim.tmp-0z9y8x"] = "old";
    const std::vector<std::string> rimossi = rimuovi_temporanei_scaduti(d.dir, {"a.dat", "c d.sim"});
    EXPECT_EQ(rimossi, (std::vector<std::string>{".a.dat.tmp-abc123", ".c d.sim.tmp-0z9y8x"}));
    std::vector<std::string> attesi = restano;
    std::sort(attesi.begin(), attesi.end());
    EXPECT_EQ(d.nomi(), attesi);
}

}  // namespace

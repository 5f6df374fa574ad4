// The directory on disk: what stands at a name is never followed or opened
// when it is not a regular file, nothing hangs, and reads are bounded.
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <future>
#include <thread>

#include "platform/cartella_disco.h"
#include "sources/errore_esecuzione.h"
#include "supporto.h"

namespace {

namespace fs = std::filesystem;

// What a test puts at a name.
enum class cosa { fifo, collegamento_pendente, collegamento_a_file, cartella, dispositivo };

struct caso_nome {
    cosa tipo;
    const char* descrizione;
    genere_file genere;
    const char* parola;  // what the refusal says
};

const caso_nome casi_nome[] = {
    {cosa::fifo, "FIFO", genere_file::speciale, "FIFO"},
    {cosa::collegamento_pendente, "dangling symbolic link", genere_file::collegamento, "symbolic link"},
    {cosa::collegamento_a_file, "symbolic link to a file", genere_file::collegamento, "symbolic link"},
    {cosa::cartella, "directory", genere_file::cartella, "directory"},
    {cosa::dispositivo, "character device", genere_file::speciale, "device"},
};

// A directory with `tipo` at the name "x.dat"; the link's target, when there
// is one, is "bersaglio" (absent for a dangling link, holding "old" otherwise).
struct banco_nome {
    cartella_temporanea dir;
    std::string nome = "x.dat";
    std::string percorso = dir.file(nome);
    std::string bersaglio = dir.file("bersaglio");
    bool pronto = true;

    explicit banco_nome(cosa tipo) {
        switch (tipo) {
            case cosa::fifo: pronto = ::mkfifo(percorso.c_str(), 0644) == 0; break;
            case cosa::collegamento_pendente: fs::create_symlink(bersaglio, percorso); break;
            case cosa::collegamento_a_file:
                scrivi_tutto(bersaglio, "old");
                fs::create_symlink(bersaglio, percorso);
                break;
            case cosa::cartella: fs::create_directory(percorso); break;
            // The null device's numbers: opening it would do no harm either.
            case cosa::dispositivo: pronto = ::mknod(percorso.c_str(), S_IFCHR | 0644, makedev(1, 3)) == 0; break;
        }
    }

    // Runs the operation with a time limit: an open that blocks on the FIFO is
    // released (by opening the FIFO at both ends) and the test fails.
    bool senza_blocco(const std::function<void()>& operazione) {
        auto fatto = std::async(std::launch::async, operazione);
        if (fatto.wait_for(std::chrono::seconds(5)) == std::future_status::ready) {
            fatto.get();
            return true;
        }
        const int fd = ::open(percorso.c_str(), O_RDWR | O_NONBLOCK);
        fatto.wait();
        if (fd >= 0) ::close(fd);
        return false;
    }
};

// The operation fails with errore_esecuzione, within the time limit; returns it.
errore_esecuzione fallimento(banco_nome& b, const std::function<void()>& operazione) {
    std::optional<errore_esecuzione> errore;
    const bool finito = b.senza_blocco([&] {
        try {
            operazione();
        } catch (const errore_esecuzione& e) {
            errore = e;
        }
    });
    EXPECT_TRUE(finito) << "the operation blocked";
    EXPECT_TRUE(errore.has_value()) << "the operation did not fail";
    return errore.value_or(errore_esecuzione("", "", 0, ""));
}

// What stands at the name is still there as it was, and nothing was created
// or changed through it.
void verifica_intatto(const banco_nome& b, const caso_nome& c) {
    EXPECT_EQ(b.dir.disco().genere(b.nome), c.genere);
    switch (c.tipo) {
        case cosa::collegamento_pendente: EXPECT_FALSE(fs::exists(fs::symlink_status(b.bersaglio))); break;
        case cosa::collegamento_a_file: EXPECT_EQ(leggi_tutto(b.bersaglio), "old"); break;
        case cosa::cartella: EXPECT_TRUE(fs::is_empty(b.percorso)); break;
        default: break;
    }
}

TEST(CartellaDisco, TellsWhatStandsAtAName) {
    for (const caso_nome& c : casi_nome) {
        banco_nome b(c.tipo);
        if (!b.pronto) continue;
        EXPECT_EQ(b.dir.disco().genere(b.nome), c.genere) << c.descrizione;
    }
    cartella_temporanea dir;
    scrivi_tutto(dir.file("f"), "x");
    EXPECT_EQ(dir.disco().genere("f"), genere_file::regolare);
    EXPECT_EQ(dir.disco().genere("assente"), genere_file::assente);
    EXPECT_EQ(dir.disco().genere("f/sotto"), genere_file::assente);
}

TEST(CartellaDisco, ReplacingRefusesAnythingButARegularFileWithoutHanging) {
    for (const caso_nome& c : casi_nome) {
        banco_nome b(c.tipo);
        if (!b.pronto) {
            std::printf("note: cannot make a %s here; that case is skipped\n", c.descrizione);
            continue;
        }
        const cartella disco = b.dir.disco();
        const errore_esecuzione e = fallimento(b, [&] { disco.sostituisci(b.nome, "new"); });
        EXPECT_EQ(e.percorso, b.percorso) << c.descrizione;
        EXPECT_NE(std::string(e.what()).find(c.parola), std::string::npos) << c.descrizione << ": " << e.what();
        EXPECT_NE(std::string(e.what()).find("refusing"), std::string::npos) << e.what();
        verifica_intatto(b, c);
    }
}

TEST(CartellaDisco, CreatingANewFileNeverGoesThroughWhatStandsAtTheName) {
    for (const caso_nome& c : casi_nome) {
        banco_nome b(c.tipo);
        if (!b.pronto) continue;
        const cartella disco = b.dir.disco();
        const errore_esecuzione e = fallimento(b, [&] { disco.crea_nuovo(b.nome, "new"); });
        EXPECT_EQ(e.numero, EEXIST) << c.descrizione;
        EXPECT_EQ(e.percorso, b.percorso);
        verifica_intatto(b, c);
    }
    cartella_temporanea dir;
    scrivi_tutto(dir.file("f"), "old");
    EXPECT_THROW(dir.disco().crea_nuovo("f", "new"), errore_esecuzione);
    EXPECT_EQ(leggi_tutto(dir.file("f")), "old");
    dir.disco().crea_nuovo("g", "new");
    EXPECT_EQ(leggi_tutto(dir.file("g")), "new");
    EXPECT_EQ(nomi_in(dir.str()), (std::vector<std::string>{"f", "g"}));
}

TEST(CartellaDisco, ReadingRefusesWhatIsNotARegularFileWithoutHanging) {
    for (const caso_nome& c : casi_nome) {
        banco_nome b(c.tipo);
        if (!b.pronto || c.tipo == cosa::collegamento_a_file) continue;
        const cartella disco = b.dir.disco();
        const errore_esecuzione e = fallimento(b, [&] { disco.leggi(b.nome, limite_sorgente); });
        EXPECT_EQ(e.operazione, "open for input") << c.descrizione;
        EXPECT_EQ(e.percorso, b.percorso);
        verifica_intatto(b, c);
    }
    // An input reached through a link is read: the link is the user's own.
    banco_nome b(cosa::collegamento_a_file);
    EXPECT_EQ(b.dir.disco().leggi(b.nome, 10), "old");
}

// Over a regular file the new content takes the name in one step, and neither
// the old content nor the temporary name is left behind.
TEST(CartellaDisco, RenamingOverAFileLeavesOnlyTheNewContent) {
    cartella_temporanea dir;
    scrivi_tutto(dir.file("piano.dat"), std::string(100000, 'o'));
    scrivi_tutto(dir.file(".piano.dat.tmp"), "new");
    dir.disco().rinomina(".piano.dat.tmp", "piano.dat");
    EXPECT_EQ(leggi_tutto(dir.file("piano.dat")), "new");
    EXPECT_EQ(nomi_in(dir.str()), std::vector<std::string>{"piano.dat"});
    // To a name where nothing stands: a plain rename.
    scrivi_tutto(dir.file("a"), "x");
    dir.disco().rinomina("a", "b");
    EXPECT_EQ(nomi_in(dir.str()), (std::vector<std::string>{"b", "piano.dat"}));
}

TEST(CartellaDisco, RenamingReplacesALinkAndNeverFollowsIt) {
    for (const cosa tipo : {cosa::collegamento_pendente, cosa::collegamento_a_file, cosa::fifo}) {
        banco_nome b(tipo);
        scrivi_tutto(b.dir.file("nuovo"), "new");
        ASSERT_TRUE(b.senza_blocco([&] { b.dir.disco().rinomina("nuovo", b.nome); }));
        EXPECT_EQ(b.dir.disco().genere(b.nome), genere_file::regolare);
        EXPECT_EQ(leggi_tutto(b.percorso), "new");
        if (tipo == cosa::collegamento_a_file) {
            EXPECT_EQ(leggi_tutto(b.bersaglio), "old");
        }
        if (tipo == cosa::collegamento_pendente) {
            EXPECT_FALSE(fs::exists(fs::symlink_status(b.bersaglio)));
        }
    }
    banco_nome d(cosa::cartella);
    scrivi_tutto(d.dir.file("nuovo"), "new");
    try {
        d.dir.disco().rinomina("nuovo", d.nome);
        ADD_FAILURE() << "renamed over a directory";
    } catch (const errore_esecuzione& e) {
        EXPECT_EQ(e.operazione, "rename");
        EXPECT_EQ(e.percorso, d.dir.file("nuovo"));
        EXPECT_NE(std::string(e.what()).find(d.percorso), std::string::npos) << e.what();
    }
    EXPECT_EQ(leggi_tutto(d.dir.file("nuovo")), "new");
}

TEST(CartellaDisco, AFileLargerThanTheLimitIsRefusedBeforeItIsRead) {
    cartella_temporanea dir;
    scrivi_tutto(dir.file("dieci"), "0123456789");
    EXPECT_EQ(dir.disco().leggi("dieci", 10), "0123456789");
    try {
        dir.disco().leggi("dieci", 9);
        ADD_FAILURE() << "read past the limit";
    } catch (const errore_esecuzione& e) {
        EXPECT_EQ(e.numero, EFBIG);
        EXPECT_EQ(e.percorso, dir.file("dieci"));
        EXPECT_NE(std::string(e.what()).find("10 bytes, more than the 9 bytes"), std::string::npos) << e.what();
    }
    // A sparse file of 4 GiB: refused at once, without reading or allocating it.
    {
        const int fd = ::open(dir.file("enorme").c_str(), O_WRONLY | O_CREAT, 0644);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::ftruncate(fd, off_t{4} << 30), 0);
        ::close(fd);
    }
    const auto inizio = std::chrono::steady_clock::now();
    EXPECT_THROW(dir.disco().leggi("enorme", limite_sorgente), errore_esecuzione);
    EXPECT_LT(std::chrono::steady_clock::now() - inizio, std::chrono::seconds(1));
}

TEST(CartellaDisco, AFileThatGrowsPastItsMeasuredSizeIsReadUpToTheLimitOnly) {
    // The system's own status file measures 0 bytes and holds far more.
    const cartella proc = piattaforma::cartella_su_disco("/proc/self");
    if (proc.genere("status") != genere_file::regolare) GTEST_SKIP() << "no /proc here";
    EXPECT_EQ(proc.leggi("status", 1 << 20).substr(0, 5), "Name:");
    try {
        proc.leggi("status", 16);
        ADD_FAILURE() << "read past the limit";
    } catch (const errore_esecuzione& e) {
        EXPECT_EQ(e.numero, EFBIG);
        EXPECT_NE(std::string(e.what()).find("17 bytes, more than the 16 bytes"), std::string::npos) << e.what();
    }
}

TEST(CartellaDisco, TheSameFileThroughALinkOrAnotherPath) {
    cartella_temporanea dir;
    scrivi_tutto(dir.file("a"), "x");
    scrivi_tutto(dir.file("b"), "x");
    fs::create_symlink(dir.file("a"), dir.file("l"));
    fs::create_directory(dir.file("d"));
    EXPECT_TRUE(piattaforma::stesso_file(dir.file("a"), dir.file("l")));
    EXPECT_TRUE(piattaforma::stesso_file(dir.file("a"), dir.file("d/../a")));
    EXPECT_FALSE(piattaforma::stesso_file(dir.file("a"), dir.file("b")));
    EXPECT_FALSE(piattaforma::stesso_file(dir.file("a"), dir.file("assente")));
}

}  // namespace

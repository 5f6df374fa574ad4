// Every file operation of a builder run and of a scenario-tool compile fails
// once, with no space left, permission denied and an I/O error; and a compile
// into a directory on a disk that really is full.
#include <sys/mount.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <memory>

#include "app/sequenza.h"
#include "cartella_guasta.h"
#include "processo.h"
#include "supporto.h"
#include "tools/compila_strumento.h"
#include "tools/rapporto.h"
#include "track/memorizza_percorso.h"

namespace {

namespace fs = std::filesystem;

const int errori_iniettati[] = {ENOSPC, EACCES, EIO};

const std::string linea_txt = "Tava Aeroporto-Rovea_linea.txt";
const std::string treno_txt = "Tava Aeroporto-Rovea_30742-.txt";
const std::vector<std::string> tre_binari{"Tava Aeroporto-Rovea_linea.dat", "Tava Aeroporto-Rovea_30742.sim",
                                          "Tava Aeroporto-Rovea_30742.dat"};

std::string dati(const std::string& nome) { return leggi_tutto(std::string(CARTELLA_TEST_DATI) + "/" + nome); }

std::string descrivi(int k, const operazione_notata& o, int numero) {
    return "operation " + std::to_string(k) + " (" + o.nome + " \"" + o.file + "\"), " + std::strerror(numero);
}

// ---- The builder ----

struct corsa_builder {
    std::unique_ptr<modello_scenario> m = std::make_unique<modello_scenario>();
    std::optional<errore_esecuzione> errore;
};

corsa_builder esegui_builder(const cartella& dir) {
    corsa_builder c;
    imposta_identita(*c.m);
    try {
        esegui_costruzione(*c.m, dir);
    } catch (const errore_esecuzione& e) {
        c.errore = e;
    }
    return c;
}

// A failure while a text source is read or deleted is the compiler's own: it
// records status 25, with the failing operation and file in its words, and
// the run goes on (without a track when it was the line file: the builder
// then reports that). Any other failure ends the run with the builder's
// report, made from the failure's operation, file and error number: the
// files written before it stay as they were and nothing more is written.
TEST(GuastiBuilder, EveryFileOperationOfARunFailsOnce) {
    int operazioni = 0;
    {
        cartella_prova d;
        cartella_guasta conta(d.dir, 0, 0);
        const corsa_builder c = esegui_builder(conta.dir);
        ASSERT_FALSE(c.errore.has_value());
        operazioni = conta.operazioni();
    }
    // Five texts written, the two sources found, read and deleted, three binary files written.
    EXPECT_GE(operazioni, 13);
    for (const int numero : errori_iniettati) {
        for (int k = 1; k <= operazioni; ++k) {
            cartella_prova d;
            cartella_guasta g(d.dir, k, numero);
            std::map<std::string, std::string> prima;
            g.al_guasto = [&] { prima = d.file; };
            const corsa_builder c = esegui_builder(g.dir);
            const operazione_notata o = g.registro.at(static_cast<std::size_t>(k - 1));
            const std::string caso = descrivi(k, o, numero);
            const std::string percorso = percorso_in(d.dir, o.file);
            const bool sorgente = (o.file == linea_txt || o.file == treno_txt) && o.nome != "replace";
            if (!sorgente) {
                ASSERT_TRUE(c.errore.has_value()) << caso;
                EXPECT_EQ(c.errore->operazione, o.nome) << caso;
                EXPECT_EQ(c.errore->percorso, percorso) << caso;
                EXPECT_EQ(c.errore->numero, numero) << caso;
                EXPECT_STREQ(c.errore->what(), std::strerror(numero)) << caso;
                EXPECT_EQ(d.file, prima) << caso;
                EXPECT_EQ(g.operazioni(), k) << caso << ": operations after the failure";
                continue;
            }
            const std::string parole = o.nome + " \"" + percorso + "\": " + std::strerror(numero);
            bool registrato = false;
            for (const stato_sollevato& s : c.m->stati_sollevati) {
                registrato |= s.codice == 25 && s.dettaglio == parole;
            }
            EXPECT_TRUE(registrato) << caso;
            EXPECT_EQ(c.m->codice_errore, 25) << caso;
            EXPECT_EQ(d.file.count(linea_txt) + d.file.count(treno_txt), 0u) << caso << ": text sources left";
            if (c.errore) {
                EXPECT_EQ(c.errore->operazione, operazione_senza_tracciato) << caso;
                EXPECT_EQ(d.file.count(tre_binari[1]), 0u) << caso;
            } else {
                for (const std::string& nome : tre_binari) EXPECT_EQ(d.file.count(nome), 1u) << caso << " " << nome;
            }
        }
    }
}

// ---- scenario-tool ----

// The inputs from the test data, an output directory on disk that holds the
// old outputs (and a file of the author's own).
struct banco_strumento {
    cartella_temporanea ingressi;
    cartella_temporanea uscita;
    richiesta_compilazione r;
    nomi_scenario nomi{"Tava Aeroporto-Rovea", "30742"};
    std::map<std::string, std::string> vecchi;

    banco_strumento() {
        scrivi_tutto(ingressi.file(linea_txt), dati(linea_txt));
        scrivi_tutto(ingressi.file(treno_txt), dati(treno_txt));
        r.file_linea = ingressi.file(linea_txt);
        r.file_treno = ingressi.file(treno_txt);
        r.cartella_uscita = uscita.str();
        for (const std::string& nome : tre_binari) vecchi[nome] = "old " + nome;
        vecchi["mio.txt"] = "mine";
        for (const auto& [nome, contenuto] : vecchi) scrivi_tutto(uscita.file(nome), contenuto);
    }

    std::map<std::string, std::string> contenuto_uscita() const {
        std::map<std::string, std::string> c;
        for (const std::string& nome : nomi_in(uscita.str())) c[nome] = leggi_tutto(uscita.file(nome));
        return c;
    }
};

// A failure anywhere in writing the outputs: exit status 3, fatal "io" naming
// the operation and file; the old outputs stay byte for byte, but for those
// renamed into place before the failure, which are the whole new files (and
// the only ones "files" lists); no temporary file is left.
TEST(GuastiStrumento, EveryFileOperationOfTheOutputsFailsOnce) {
    int operazioni = 0;
    {
        banco_strumento b;
        const cartella disco = b.uscita.disco();
        cartella_guasta conta(disco, 0, 0);
        const risultato_compilazione ris = compila_in(b.r, b.nomi, conta.dir);
        ASSERT_EQ(stato_uscita(ris), 0) << ris.messaggio;
        ASSERT_EQ(ris.file, tre_binari);
        for (const std::string& nome : tre_binari) EXPECT_EQ(leggi_tutto(b.uscita.file(nome)), dati(nome)) << nome;
        operazioni = conta.operazioni();
    }
    EXPECT_EQ(operazioni, 13);
    for (const int numero : errori_iniettati) {
        for (int k = 1; k <= operazioni; ++k) {
            banco_strumento b;
            const cartella disco = b.uscita.disco();
            cartella_guasta g(disco, k, numero);
            const risultato_compilazione ris = compila_in(b.r, b.nomi, g.dir);
            const operazione_notata o = g.registro.at(static_cast<std::size_t>(k - 1));
            const std::string caso = descrivi(k, o, numero);
            EXPECT_EQ(stato_uscita(ris), 3) << caso;
            EXPECT_EQ(ris.fatale, esito_fatale::io) << caso;
            EXPECT_EQ(ris.testo_fatale, o.nome + " \"" + percorso_in(disco, o.file) + "\": " + std::strerror(numero))
                << caso;
            std::size_t rinominati = 0;
            for (int i = 0; i < k - 1; ++i) rinominati += g.registro[static_cast<std::size_t>(i)].nome == "rename";
            std::map<std::string, std::string> attesi = b.vecchi;
            for (std::size_t i = 0; i < rinominati; ++i) attesi[tre_binari[i]] = dati(tre_binari[i]);
            EXPECT_EQ(ris.file, std::vector<std::string>(tre_binari.begin(), tre_binari.begin() + static_cast<long>(rinominati)))
                << caso;
            EXPECT_TRUE(b.contenuto_uscita() == attesi) << caso << ": the output directory holds other files or bytes";
            EXPECT_EQ(leggi_tutto(b.r.file_linea), dati(linea_txt)) << caso;
        }
    }
}

// A disk that really is full: a small file system of its own, as root; skipped
// where it cannot be mounted.
struct disco_piccolo {
    cartella_temporanea punto;
    bool montato = false;
    std::string perche;

    explicit disco_piccolo(const char* dimensione) {
        if (::geteuid() != 0) {
            perche = "not root";
            return;
        }
        const std::string opzioni = std::string("size=") + dimensione;
        if (::mount("scenario-test", punto.str().c_str(), "tmpfs", 0, opzioni.c_str()) != 0) {
            perche = std::string("mounting a tmpfs failed: ") + std::strerror(errno);
            return;
        }
        montato = true;
    }
    ~disco_piccolo() {
        if (montato) ::umount2(punto.str().c_str(), MNT_DETACH);
    }
    disco_piccolo(const disco_piccolo&) = delete;
    disco_piccolo& operator=(const disco_piccolo&) = delete;
};

TEST(GuastiStrumento, AFullDiskLeavesTheEarlierFilesByteForByteAndNothingStray) {
    // Room for the outputs of one compile (590 kB) but not of a second one beside them.
    disco_piccolo disco("1m");
    if (!disco.montato) GTEST_SKIP() << "no small disk of its own here (" << disco.perche << ")";
    cartella_temporanea ingressi;
    scrivi_tutto(ingressi.file(linea_txt), dati(linea_txt));
    scrivi_tutto(ingressi.file(treno_txt), dati(treno_txt));
    const std::string uscita = disco.punto.str();
    const std::vector<std::string> comando{"compile", linea_txt, treno_txt, "--out", uscita, "--json"};

    const esecuzione prima = esegui_programma(PERCORSO_SCENARIO_TOOL, ingressi.str(), comando);
    ASSERT_EQ(prima.stato, 0) << prima.uscita << prima.errori;
    ASSERT_EQ(nomi_in(uscita), (std::vector<std::string>{tre_binari[2], tre_binari[1], tre_binari[0]}));

    // A longer line: a larger plan that does not fit beside the first.
    std::string linea = dati(linea_txt);
    const std::size_t p = linea.find("22000");
    ASSERT_NE(p, std::string::npos);
    linea.replace(p, 5, "30000");
    scrivi_tutto(ingressi.file(linea_txt), linea);
    const esecuzione e = esegui_programma(PERCORSO_SCENARIO_TOOL, ingressi.str(), comando);
    EXPECT_EQ(e.stato, 3) << e.uscita << e.errori;
    const auto j = nlohmann::json::parse(e.uscita);
    EXPECT_EQ(j["fatal"], "io");
    EXPECT_NE(j["message"].get<std::string>().find("No space left on device"), std::string::npos) << e.uscita;
    EXPECT_EQ(j["files"], nlohmann::json::array());
    EXPECT_EQ(nomi_in(uscita), (std::vector<std::string>{tre_binari[2], tre_binari[1], tre_binari[0]}));
    for (const std::string& nome : tre_binari) {
        EXPECT_TRUE(leggi_tutto(uscita + "/" + nome) == dati(nome)) << nome << " changed";
    }
}

}  // namespace

// Every file operation of a builder run and of a scenario-tool compile fails
// once, with no space left, permission denied and an I/O error; and a compile
// into a directory on a disk that really is full.
#include <sys/mount.h>
#include <sys/statvfs.h>
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
#include "tools/costruzione/compila_strumento.h"
#include "tools/diagnostiche/parole_guasti.h"
#include "tools/costruzione/rapporto.h"
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

const std::vector<std::string> tre_documenti{"Tava Aeroporto-Rovea_30742_note.txt",
                                             "Tava Aeroporto-Rovea_30742_rallentamenti.txt",
                                             "Tava Aeroporto-Rovea_30742_scheda_treno.txt"};

// A directory in memory holding an older build's documents and binary files.
struct cartella_con_vecchi : cartella_prova {
    cartella_con_vecchi() {
        for (const auto* set : {&tre_documenti, &tre_binari}) {
            for (const std::string& nome : *set) file[nome] = "old " + nome;
        }
    }
};

bool temporaneo(const std::string& nome) { return !nome.empty() && nome[0] == '.'; }

// Each output of a set is whole, old or new; with `tutti_vecchi` every one is old.
void esigi_interi(const std::map<std::string, std::string>& file, const std::vector<std::string>& set,
                  bool tutti_vecchi, const std::string& caso) {
    for (const std::string& nome : set) {
        const auto f = file.find(nome);
        ASSERT_NE(f, file.end()) << caso << ": " << nome << " missing";
        const bool vecchio = f->second == "old " + nome;
        EXPECT_TRUE(vecchio || (!tutti_vecchi && f->second == dati(nome))) << caso << ": " << nome << " not whole";
    }
}

// The operations of a run, in order: the eight output names inspected, the
// five texts written to temporary files and renamed, the two sources read and
// deleted by the compiler, the three binary files written to temporary files
// and renamed. Where a run fails (a kill leaves what the directory held at
// that moment, temporary files aside): every document and binary file is
// whole, old or new, and all old before the first rename of its set.
// A failure while the compiler reads or deletes a text source is its own: it
// records status 25 and the run goes on (without a track when it was the line
// file: the builder then reports that). Any other failure ends the run with
// the builder's report, made from the failure's operation, file and error
// number; nothing more is written, no temporary file and no text source is
// left.
TEST(GuastiBuilder, EveryFileOperationOfARunFailsOnce) {
    std::vector<operazione_notata> registro;
    {
        cartella_con_vecchi d;
        cartella_guasta conta(d.dir, 0, 0);
        const corsa_builder c = esegui_builder(conta.dir);
        ASSERT_FALSE(c.errore.has_value());
        registro = conta.registro;
        for (const auto& [nome, contenuto] : d.file) EXPECT_TRUE(contenuto == dati(nome)) << nome;
        EXPECT_EQ(d.nomi(), (std::vector<std::string>{tre_binari[2], tre_binari[1], tre_documenti[0],
                                                        tre_documenti[1], tre_documenti[2], tre_binari[0]}));
    }
    const int operazioni = static_cast<int>(registro.size());
    int prima_ridenominazione_binari = 0;
    int fine_testi = 0;
    for (int k = 1; k <= operazioni; ++k) {
        const operazione_notata& o = registro[static_cast<std::size_t>(k - 1)];
        if (o.nome != "rename") continue;
        if (fine_testi == 0 && o.file.find("scheda_treno") != std::string::npos) fine_testi = k;
        if (o.file.find(".dat") != std::string::npos || o.file.find(".sim") != std::string::npos) {
            if (prima_ridenominazione_binari == 0) prima_ridenominazione_binari = k;
        }
    }
    ASSERT_GT(fine_testi, 8);
    ASSERT_GT(prima_ridenominazione_binari, fine_testi);
    EXPECT_EQ(registro[0].nome, "inspect");
    for (const int numero : errori_iniettati) {
        for (int k = 1; k <= operazioni; ++k) {
            cartella_con_vecchi d;
            cartella_guasta g(d.dir, k, numero);
            std::map<std::string, std::string> al_guasto;
            g.al_guasto = [&] { al_guasto = d.file; };
            const corsa_builder c = esegui_builder(g.dir);
            const operazione_notata o = g.registro.at(static_cast<std::size_t>(k - 1));
            const std::string caso = descrivi(k, o, numero);
            esigi_interi(al_guasto, tre_documenti, k <= fine_testi - 2, caso + " (killed)");
            esigi_interi(al_guasto, tre_binari, k <= prima_ridenominazione_binari, caso + " (killed)");
            for (const auto& [nome, contenuto] : d.file) {
                EXPECT_FALSE(temporaneo(nome)) << caso << ": " << nome << " left";
            }
            EXPECT_EQ(d.file.count(linea_txt) + d.file.count(treno_txt), 0u) << caso << ": text sources left";
            const std::string percorso = percorso_in(d.dir, o.file);
            const bool sorgente = k > fine_testi && (o.file == linea_txt || o.file == treno_txt);
            if (!sorgente) {
                ASSERT_TRUE(c.errore.has_value()) << caso;
                EXPECT_EQ(c.errore->operazione, o.nome) << caso;
                EXPECT_EQ(c.errore->percorso, percorso) << caso;
                EXPECT_EQ(c.errore->numero, numero) << caso;
                EXPECT_STREQ(c.errore->what(), std::strerror(numero)) << caso;
                esigi_interi(d.file, tre_documenti, k <= fine_testi - 2, caso);
                esigi_interi(d.file, tre_binari, k <= prima_ridenominazione_binari, caso);
                continue;
            }
            const std::string parole = o.nome + " \"" + percorso + "\": " + std::strerror(numero);
            bool registrato = false;
            for (const stato_sollevato& s : c.m->stati_sollevati) {
                registrato |= s.codice == 25 && s.guasto && parole_guasto(*s.guasto) == parole;
            }
            EXPECT_TRUE(registrato) << caso;
            EXPECT_EQ(c.m->codice_errore, 25) << caso;
            esigi_interi(d.file, tre_documenti, false, caso);
            if (c.errore) {
                EXPECT_EQ(c.errore->operazione, operazione_senza_tracciato) << caso;
                esigi_interi(d.file, tre_binari, true, caso);
            } else {
                for (const std::string& nome : tre_binari) EXPECT_NE(d.file.at(nome), "old " + nome) << caso;
            }
        }
    }
}

// Every output name is checked before anything is written: a directory at
// the last of them refuses the run with nothing written and nothing lost.
TEST(GuastiBuilder, AnOutputNameWhereNoRegularFileCanStandIsRefusedFirst) {
    cartella_con_vecchi d;
    cartella dir = d.dir;
    dir.genere = [&d](const std::string& nome) {
        return nome == tre_binari[2] ? genere_file::cartella : d.dir.genere(nome);
    };
    const std::map<std::string, std::string> prima = d.file;
    const corsa_builder c = esegui_builder(dir);
    ASSERT_TRUE(c.errore.has_value());
    EXPECT_EQ(c.errore->percorso, percorso_in(d.dir, tre_binari[2]));
    EXPECT_EQ(d.file, prima);
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

namespace {

// The builder on a disk that holds its earlier files with 100 kB free, too
// little for a new set: the report says so (status 2), every old file stays
// byte for byte, and no text source or temporary file is left.
TEST(GuastiBuilder, AFullDiskLeavesTheEarlierFilesByteForByteAndNothingStray) {
    disco_piccolo disco("16m");
    if (!disco.montato) GTEST_SKIP() << "no small disk of its own here (" << disco.perche << ")";
    const std::string cartella = disco.punto.str();
    const std::string eseguibile = cartella + "/scenario-builder";
    fs::copy_file(PERCORSO_SCENARIO_BUILDER, eseguibile);
    const esecuzione prima = esegui_programma(eseguibile, "/", {});
    ASSERT_EQ(prima.stato, 0) << prima.errori;
    std::map<std::string, std::string> vecchi;
    for (const std::string& nome : nomi_in(cartella)) vecchi[nome] = leggi_tutto(cartella + "/" + nome);
    ASSERT_EQ(vecchi.size(), 7u);

    struct statvfs s {};
    ASSERT_EQ(::statvfs(cartella.c_str(), &s), 0);
    const std::uintmax_t liberi = static_cast<std::uintmax_t>(s.f_bavail) * s.f_frsize;
    ASSERT_GT(liberi, std::uintmax_t{200} << 10);
    scrivi_tutto(cartella + "/riempitivo", std::string(static_cast<std::size_t>(liberi - (std::uintmax_t{100} << 10)), 'x'));

    const esecuzione e = esegui_programma(eseguibile, "/", {});
    EXPECT_EQ(e.stato, 2) << e.errori;
    EXPECT_NE(e.errori.find("No space left on device"), std::string::npos) << e.errori;
    fs::remove(cartella + "/riempitivo");
    std::map<std::string, std::string> dopo;
    for (const std::string& nome : nomi_in(cartella)) dopo[nome] = leggi_tutto(cartella + "/" + nome);
    EXPECT_EQ(dopo.size(), vecchi.size());
    for (const auto& [nome, contenuto] : dopo) {
        EXPECT_TRUE(vecchi.count(nome) == 1 && vecchi[nome] == contenuto) << nome << " changed or new";
    }
}

}  // namespace

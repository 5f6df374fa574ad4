#include <gtest/gtest.h>

#include <filesystem>

#include "app/sequenza.h"
#include "sources/errore_esecuzione.h"
#include "sources/scrittori_testo.h"
#include "supporto.h"

namespace {

const std::string linea = "Tava Aeroporto-Rovea";
const std::string treno = "30742";

struct file_atteso {
    std::string nome;
    int righe;
};

const file_atteso attesi[] = {
    {"Tava Aeroporto-Rovea_linea.txt", 28},
    {"Tava Aeroporto-Rovea_30742-.txt", 31},
    {"Tava Aeroporto-Rovea_30742_note.txt", 7},
    {"Tava Aeroporto-Rovea_30742_rallentamenti.txt", 46},
    {"Tava Aeroporto-Rovea_30742_scheda_treno.txt", 49},
};

std::string atteso(const std::string& nome) { return leggi_tutto(std::string(CARTELLA_TEST_DATI) + "/" + nome); }

int conta_crlf(const std::string& s) {
    int n = 0;
    for (std::size_t i = 0; i + 1 < s.size(); ++i) n += s[i] == '\r' && s[i + 1] == '\n';
    return n;
}

modello_scenario modello_con_identita() {
    modello_scenario m;
    imposta_identita(m);
    return m;
}

TEST(ScrittoriTesto, WriteTheFiveFilesByteForByte) {
    cartella_temporanea dir;
    scrivi_sorgenti_e_documenti(modello_con_identita(), dir.disco());
    for (const file_atteso& f : attesi) {
        const std::string scritto = leggi_tutto(dir.file(f.nome));
        EXPECT_EQ(scritto, atteso(f.nome)) << f.nome;
        EXPECT_EQ(conta_crlf(scritto), f.righe) << f.nome;
        EXPECT_EQ(scritto.substr(scritto.size() - 2), "\r\n") << f.nome;
        EXPECT_EQ(scritto.find("riferimento fine del file"), std::string::npos) << f.nome;
        EXPECT_NE(scritto.substr(0, 3), "\xEF\xBB\xBF") << f.nome;
    }
}

TEST(ScrittoriTesto, KeepBlanksAndWriteWindows1252) {
    cartella_temporanea dir;
    scrivi_sorgenti_e_documenti(modello_con_identita(), dir.disco());
    const std::string note = leggi_tutto(dir.file(attesi[2].nome));
    EXPECT_EQ(note.substr(0, 14), "Questo treno \xE8");
    EXPECT_NE(note.find("altezze sul \r\n"), std::string::npos);
    const std::string treno_txt = leggi_tutto(dir.file(attesi[1].nome));
    EXPECT_NE(treno_txt.find("\r\norologio,    20              8             30 \r\n"), std::string::npos);
    const std::string scheda = leggi_tutto(dir.file(attesi[4].nome));
    EXPECT_NE(scheda.find("|  MASSA BLOCCATA   |       \r\n"), std::string::npos);
    EXPECT_EQ(scheda.substr(0, 4), "\r\n\r\n");
}

TEST(ScrittoriTesto, ReplaceExistingFilesInsteadOfAppending) {
    cartella_temporanea dir;
    for (const file_atteso& f : attesi) scrivi_tutto(dir.file(f.nome), std::string(100000, 'x'));
    scrivi_sorgenti_e_documenti(modello_con_identita(), dir.disco());
    for (const file_atteso& f : attesi) EXPECT_EQ(leggi_tutto(dir.file(f.nome)), atteso(f.nome)) << f.nome;
}

TEST(ScrittoriTesto, AFailingWriteStopsTheRunAndKeepsEarlierFiles) {
    cartella_temporanea dir;
    // A directory in the place of the note makes its creation fail.
    std::filesystem::create_directory(dir.file(attesi[2].nome));
    try {
        scrivi_sorgenti_e_documenti(modello_con_identita(), dir.disco());
        FAIL() << "the note writer should fail";
    } catch (const errore_esecuzione& e) {
        EXPECT_EQ(e.percorso, dir.file(attesi[2].nome));
        EXPECT_NE(e.numero, 0);
    }
    EXPECT_EQ(leggi_tutto(dir.file(attesi[0].nome)), atteso(attesi[0].nome));
    EXPECT_EQ(leggi_tutto(dir.file(attesi[1].nome)), atteso(attesi[1].nome));
    EXPECT_FALSE(std::filesystem::exists(dir.file(attesi[3].nome)));
    EXPECT_FALSE(std::filesystem::exists(dir.file(attesi[4].nome)));
}

TEST(ScrittoriTesto, AMissingDirectoryFailsTheFirstWriter) {
    cartella_temporanea dir;
    EXPECT_THROW(dati_linea(piattaforma::cartella_su_disco(dir.file("assente")), linea), errore_esecuzione);
}

TEST(ScrittoriTesto, ProcedureStopsAtTheEndMarker) {
    cartella_temporanea dir;
    const char* const righe[] = {"uno", "", "  tre  ", "riferimento fine del file", "mai"};
    scrivi_righe(dir.disco(), "prova.txt", righe);
    EXPECT_EQ(leggi_tutto(dir.file("prova.txt")), "uno\r\n\r\n  tre  \r\n");
}

}  // namespace

// explain: every status and warning has its text, and every example does
// what it says on the embedded scenario: the wrong lines raise the status or
// warning, the right lines do not. The reference in docs/ is explain --all.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "compiler/avvisi.h"
#include "compiler/stati.h"
#include "supporto.h"
#include "tools/costruzione/compila_strumento.h"
#include "tools/diagnostiche/spiegazioni.h"

namespace {

const std::string linea_incorporata = leggi_tutto(std::string(CARTELLA_TEST_DATI) + "/Tava Aeroporto-Rovea_linea.txt");
const std::string treno_incorporato = leggi_tutto(std::string(CARTELLA_TEST_DATI) + "/Tava Aeroporto-Rovea_30742-.txt");

// The embedded file with its line `ancora` replaced by `righe` ("\n" between
// lines, written with CR LF as the file has them).
std::string con_esempio(const std::string& testo, const char* ancora, const char* righe) {
    const std::string riga = std::string(ancora) + "\r\n";
    const std::size_t p = testo.find(riga);
    EXPECT_NE(p, std::string::npos) << ancora;
    EXPECT_EQ(testo.find(riga, p + 1), std::string::npos) << "the anchor is not unique: " << ancora;
    std::string nuove;
    for (const char* c = righe; *c != '\0'; ++c) nuove += *c == '\n' ? std::string("\r\n") : std::string(1, *c);
    std::string r = testo;
    if (p != std::string::npos) r.replace(p, riga.size(), nuove + "\r\n");
    return r;
}

struct esito_esempio {
    std::set<std::int32_t> codici;  // statuses raised, and 1250 or 1251
    std::set<std::string> avvisi;   // warnings beyond the embedded line's own two
};

esito_esempio costruisci(const esempio_sorgente& e, const char* righe) {
    const std::string linea = e.file == sorgente::linea ? con_esempio(linea_incorporata, e.ancora, righe) : linea_incorporata;
    const std::string treno = e.file == sorgente::treno ? con_esempio(treno_incorporato, e.ancora, righe) : treno_incorporato;
    costruzione_in_memoria c;
    costruisci_in_memoria(c, {"Tava Aeroporto-Rovea", "30742"}, &linea, &treno, true);
    esito_esempio r;
    for (const stato_sollevato& s : c.modello.stati_sollevati) r.codici.insert(s.codice);
    if (c.fatale == esito_fatale::errore_1250) r.codici.insert(1250);
    if (c.fatale == esito_fatale::errore_1251) r.codici.insert(1251);
    for (const avviso_sorgente& a : c.modello.avvisi) {
        const bool proprio = a.nome == avviso::oltre_lunghezza && a.dove.file == sorgente::linea &&
                             (a.dove.riga == 21 || a.dove.riga == 22);
        if (!proprio) r.avvisi.insert(a.nome);
    }
    return r;
}

TEST(Spiegazioni, EveryStatusAndWarningHasOne) {
    for (const voce_stato& v : tabella_stati()) {
        const spiegazione* s = cerca_spiegazione(std::to_string(numero(v.codice)));
        ASSERT_NE(s, nullptr) << numero(v.codice);
        EXPECT_NE(testo_spiegazione(*s).find(v.testo), std::string::npos) << numero(v.codice);
    }
    for (const descrizione_avviso& a : tabella_avvisi()) {
        for (const std::string& chiave : {std::string(a.nome), "-W" + std::string(a.nome), "-Wno-" + std::string(a.nome),
                                          "-Wno-error=" + std::string(a.nome)}) {
            const spiegazione* s = cerca_spiegazione(chiave);
            ASSERT_NE(s, nullptr) << chiave;
            EXPECT_EQ(std::string(s->nome), a.nome);
        }
    }
    EXPECT_EQ(spiegazioni_stati().size(), tabella_stati().size() + 2);  // and 1250, 1251
    EXPECT_EQ(spiegazioni_avvisi().size(), tabella_avvisi().size());
    for (const char* ignoto : {"14", "0", "", "-W", "tabs", "1252"}) EXPECT_EQ(cerca_spiegazione(ignoto), nullptr) << ignoto;
}

TEST(Spiegazioni, EachStatusExampleRaisesItsStatusAndTheRightOneDoesNot) {
    for (const spiegazione& s : spiegazioni_stati()) {
        if (!s.esempio) continue;
        const esito_esempio sbagliato = costruisci(*s.esempio, s.esempio->sbagliato);
        EXPECT_EQ(sbagliato.codici, std::set<std::int32_t>{s.codice}) << "status " << s.codice << ": the wrong example";
        const esito_esempio giusto = costruisci(*s.esempio, s.esempio->giusto);
        EXPECT_TRUE(giusto.codici.empty()) << "status " << s.codice << ": the right example raises " << *giusto.codici.begin();
        EXPECT_TRUE(giusto.avvisi.empty()) << "status " << s.codice << ": the right example warns " << *giusto.avvisi.begin();
    }
}

TEST(Spiegazioni, EachWarningExampleFiresItsWarningAndTheRightOneIsClean) {
    for (const spiegazione& s : spiegazioni_avvisi()) {
        if (!s.esempio) continue;
        const esito_esempio sbagliato = costruisci(*s.esempio, s.esempio->sbagliato);
        EXPECT_EQ(sbagliato.avvisi.count(s.nome), 1u) << s.nome << ": the wrong example does not fire it";
        const esito_esempio giusto = costruisci(*s.esempio, s.esempio->giusto);
        EXPECT_TRUE(giusto.avvisi.empty()) << s.nome << ": the right example warns " << *giusto.avvisi.begin();
        EXPECT_TRUE(giusto.codici.empty()) << s.nome << ": the right example raises " << *giusto.codici.begin();
    }
}

TEST(Spiegazioni, TheReferenceInTheDocsIsExplainAll) {
    const std::string documento = leggi_tutto(std::string(CARTELLA_TEST_DATI) + "/../../docs/reference.md");
    EXPECT_TRUE(documento == riferimento_markdown())
        << "docs/reference.md differs from 'scenario-tool explain --all': regenerate it with\n"
           "    build/default/bin/scenario-tool explain --all > docs/reference.md";
}

}  // namespace

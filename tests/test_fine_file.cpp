// The end of a text source. A record on the last line is read like any
// other: with CR LF, LF or CR line ends, with or without a line end after it,
// without "[fine]". The one field never read is a keyword field that is the
// file's very last field, with no values after it.
#include <gtest/gtest.h>

#include <functional>

#include "app/sequenza.h"
#include "compiler/compilatore.h"
#include "sources/nomi_file.h"
#include "supporto.h"

namespace {

// A line of 2000 m (cells 0 to 180) with no body record.
const std::string linea_minima = "[generale]\r\nlunghezza percorso, 2000\r\n[curve]\r\n";

struct fine_file {
    const char* nome;
    const char* coda;  // what follows the last record
};

const fine_file fini[] = {
    {"CR LF", "\r\n"},
    {"LF", "\n"},
    {"CR", "\r"},
    {"no line end", ""},
    {"a blank line after it", "\r\n\r\n"},
    {"\"[fine]\" after it", "\r\n[fine]\r\n"},
};

// Both files built in memory: the line file is `linea`, the train file
// `treno`, each with every line end made `a_capo`.
modello_scenario costruisci(const std::string& linea, const std::string& treno) {
    cartella_prova dir;
    modello_scenario m;
    imposta_identita(m);
    dir.file[nome_file_linea(m.nome_linea)] = linea;
    dir.file[nome_file_treno(m.nome_linea, m.numero_treno)] = treno;
    memorizza_dati(m, dir.dir);
    return m;
}

// "\r\n" in `testo` made `a_capo`.
std::string con_a_capo(std::string testo, const std::string& a_capo) {
    std::string t;
    for (std::size_t i = 0; i < testo.size(); ++i) {
        if (testo.compare(i, 2, "\r\n") == 0) {
            t += a_capo;
            ++i;
        } else {
            t += testo[i];
        }
    }
    return t;
}

struct ultimo_record {
    bool nel_file_linea;
    const char* record;
    std::function<void(const modello_scenario&)> verifica;
};

TEST(FineFile, ARecordOnTheLastLineIsRead) {
    const ultimo_record record[] = {
        {true, "pendenza,  1000,   5",
         [](const modello_scenario& m) {
             EXPECT_EQ(m.tracciato[19].pendenza, 100);
             EXPECT_EQ(m.tracciato[20].pendenza, 105);
             EXPECT_EQ(m.tracciato[177].pendenza, 105);
         }},
        {true, "cartello_indicatore,  500,   ( FINE )",
         [](const modello_scenario& m) {
             EXPECT_EQ(m.tracciato[11].tipo, tipo_cella::cartello);
             EXPECT_EQ(m.scenario[voce::primo_cartello].nome, "( FINE )");
         }},
        {false, "velocita,   1000,   60",
         [](const modello_scenario& m) {
             EXPECT_EQ(m.tracciato[19].vel_limite, 0);
             EXPECT_EQ(m.tracciato[20].vel_limite, 12);
             EXPECT_EQ(m.tracciato[177].vel_limite, 12);
         }},
        {false, "orologio,    20              8             30",
         [](const modello_scenario& m) {
             EXPECT_EQ(m.scenario[voce::dati_treno].par3, 20);
             EXPECT_EQ(m.scenario[voce::dati_treno].par5, 30);
         }},
        {false, "stazione,    1000, 12,  400,  0, 0, 0,  0,0,0,  0,0,0,    0,  20,50, 0, FINE",
         [](const modello_scenario& m) {
             EXPECT_EQ(m.scenario[1].nome, "FINE");
             EXPECT_EQ(m.scenario[1].valore4, 75000);
         }},
    };
    for (const ultimo_record& r : record) {
        for (const fine_file& f : fini) {
            for (const std::string a_capo : {"\r\n", "\n", "\r"}) {
                const std::string ultimo = std::string(r.record) + f.coda;
                const std::string linea = linea_minima + (r.nel_file_linea ? ultimo : "");
                const std::string treno = "[generale]\r\n" + (r.nel_file_linea ? "" : ultimo);
                SCOPED_TRACE(std::string(r.record) + ", " + f.nome + ", lines ending in " +
                             (a_capo == "\r\n" ? "CR LF" : a_capo == "\n" ? "LF" : "CR"));
                const modello_scenario m = costruisci(con_a_capo(linea, a_capo), con_a_capo(treno, a_capo));
                EXPECT_EQ(m.codice_errore, 0);
                r.verifica(m);
            }
        }
    }
}

// Only a keyword with nothing after it, as the file's last field, goes
// unread: the same keyword one field earlier takes its values and fails.
TEST(FineFile, AKeywordThatIsTheLastFieldIsNotRead) {
    struct caso {
        const char* linea_dopo;  // after the minimal line file
        const char* treno;
        std::int32_t stato;
    };
    const caso casi[] = {
        {"", "[generale]\r\nvelocita", 0},           // passed over, not read
        {"", "[generale]\r\nvelocita\r\n", 0},
        {"", "[generale]\r\nvelocita, 1000", 25},    // read: the file ends inside the record
        {"pendenza", "[generale]\r\n", 0},
        {"pendenza, 1000", "[generale]\r\n", 25},
    };
    for (const caso& c : casi) {
        const modello_scenario m = costruisci(linea_minima + c.linea_dopo, c.treno);
        EXPECT_EQ(m.codice_errore, c.stato) << c.linea_dopo << c.treno;
        if (c.stato == 0) {
            EXPECT_EQ(m.tracciato[100].pendenza, 100);
            EXPECT_EQ(m.tracciato[100].vel_limite, 0);
        }
    }
    // "[generale]" as the last field counts for nothing: the line file has
    // no general section, the train file yields no record.
    EXPECT_EQ(costruisci("[generale]", "[generale]\r\n").codice_errore, 102);
    EXPECT_EQ(costruisci("x\r\n[generale]\r\n", "[generale]\r\n").codice_errore, 102);
    const modello_scenario m = costruisci(linea_minima, "velocita, 0, 60\r\n[generale]\r\n");
    EXPECT_EQ(m.codice_errore, 0);
    EXPECT_EQ(m.tracciato[100].vel_limite, 0);
}

}  // namespace

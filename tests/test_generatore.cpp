// The generator of random scenarios: every generated scenario builds without
// a status and leaves each object in the cell the generator meant for it; the
// records cover every kind and their variants; a seed gives the same bytes.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <sstream>
#include <stdexcept>

#include "compiler/avvisi.h"
#include "processo.h"
#include "supporto.h"
#include "tests/generatore/compila_testi.h"
#include "tests/generatore/generatore.h"
#include "tests/generatore/occupazione.h"
#include "track/finitura.h"

namespace {

// A record line of a text source: its keyword and its values as written.
struct riga_record {
    std::string chiave;
    std::vector<std::string> valori;
    std::int64_t numero(std::size_t i) const { return std::stoll(valori.at(i)); }
};

std::string senza_blank(const std::string& s) {
    const std::size_t a = s.find_first_not_of(' ');
    if (a == std::string::npos) return "";
    return s.substr(a, s.find_last_not_of(' ') - a + 1);
}

std::vector<std::string> righe_di(const std::string& testo) {
    std::vector<std::string> righe;
    std::size_t da = 0;
    for (std::size_t fine = testo.find("\r\n"); fine != std::string::npos; fine = testo.find("\r\n", da)) {
        righe.push_back(testo.substr(da, fine - da));
        da = fine + 2;
    }
    return righe;
}

// The record lines (lines with a comma), split at the commas.
std::vector<riga_record> record_di(const std::string& testo) {
    std::vector<riga_record> r;
    for (const std::string& riga : righe_di(testo)) {
        if (riga.find(',') == std::string::npos) continue;
        std::stringstream in(riga);
        std::string campo;
        riga_record x;
        std::getline(in, x.chiave, ',');
        while (std::getline(in, campo, ',')) x.valori.push_back(senza_blank(campo));
        r.push_back(x);
    }
    return r;
}

// The compiled track against the generator's own picture of it: each object in
// its cell with its kind, the cells kept for boards free or holding a board of
// the finishing pass, every other cell free (plain track or a mountain mark).
// Returns the number of finishing boards.
int confronta_celle(const modello_scenario& m, const scenario_generato& s, const std::string& caso) {
    EXPECT_EQ(m.tracciato.size(), s.celle_attese.size()) << caso;
    int tabelle = 0;
    for (std::size_t i = 0; i < std::min(m.tracciato.size(), s.celle_attese.size()); ++i) {
        const cella& c = m.tracciato[i];
        const std::uint8_t atteso_qui = s.celle_attese[i];
        const bool libera = c.tipo == tipo_cella::libero || c.tipo == tipo_cella::marca_montagna;
        const bool tabella = c.tipo == tipo_cella::tabella_con_valore && c.valore1 == valore_tabella_finitura;
        if (atteso_qui == atteso::tabella) {
            EXPECT_TRUE(libera || tabella) << caso << ", cell " << i << " holds kind " << int{c.tipo};
            tabelle += tabella ? 1 : 0;
        } else if (atteso_qui == atteso::libera) {
            EXPECT_TRUE(libera) << caso << ", cell " << i << " holds kind " << int{c.tipo};
        } else {
            EXPECT_EQ(c.tipo, atteso_qui) << caso << ", cell " << i;
        }
    }
    return tabelle;
}

// The warnings of the build that the generator's edge cases give.
// The edge cases also hold signal times from 1 to 100 or on signals whose sx
// is not 2, an sx x 3 + dx above 9, and speed limits and adhesion that start
// after 0 m: values the build keeps as other values.
const std::set<std::string> avvisi_dei_casi_limite{avviso::oltre_lunghezza, avviso::fuori_ordine,
                                                   avviso::valore_troncato, avviso::cifre_segnale,
                                                   avviso::tempo_segnale, avviso::celle_scoperte};

// The seeds of the checks below: three in four give a short line (2 to 25 km),
// the rest a line of medium length (25 to 75 km); 1 to 6 records per km.
constexpr std::uint64_t semi = 200;

parametri_generatore parametri_del_seme(std::uint64_t seme) {
    parametri_generatore p;
    p.seme = seme;
    p.lunghezza = seme % 4 == 3 ? static_cast<std::int32_t>(25000 + seme * 7919 % 50000)
                                : static_cast<std::int32_t>(2000 + seme * 104729 % 23000);
    p.densita = 1.0 + static_cast<double>(seme % 6);
    return p;
}

// What the records of many scenarios have shown.
struct varieta {
    std::map<std::string, int> chiavi;  // keyword -> records
    std::set<std::string> visti;        // variants met

    void vedi(bool condizione, const std::string& cosa) {
        if (condizione) visti.insert(cosa);
    }
};

void osserva_linea(varieta& v, const std::string& testo) {
    std::int64_t fine_montagna = -1;
    for (const riga_record& r : record_di(testo)) {
        ++v.chiavi[r.chiave];
        if (r.chiave.rfind("curva", 0) == 0) v.visti.insert(r.chiave);
        if (r.chiave == "montagna") {
            v.vedi(r.numero(2) > 10, "mountain with marks");
            v.vedi(r.numero(2) <= 10, "mountain without marks");
            v.vedi(fine_montagna >= 0 && r.numero(0) - fine_montagna <= 150, "joined mountains");
            fine_montagna = r.numero(1);
        }
        if (r.chiave.rfind("ripetizione", 0) == 0) {
            v.vedi(r.numero(1) == 0, "no repetition");
            v.vedi(r.chiave.find('9') != std::string::npos, "nine codes");
        }
        if (r.chiave.rfind("progressiva", 0) == 0) v.vedi(r.numero(2) == 1, "progressive with flag 1");
    }
}

void osserva_treno(varieta& v, const std::string& testo) {
    for (const riga_record& r : record_di(testo)) {
        ++v.chiavi[r.chiave];
        if (r.chiave == "segnale") {
            v.vedi(r.numero(10) >= 1 && r.numero(10) <= 100, "signal time 1 to 100");
            v.vedi(r.numero(1) != 2, "signal sx not 2");
        }
        if (r.chiave == "rallentamento") {
            v.vedi(r.numero(0) <= 1500, "slowdown within 1500 m");
            v.vedi(r.numero(0) > 1500 && r.numero(4) != 0, "slowdown with lead-in cells");
            v.vedi(r.numero(5) == 0, "slowdown d_v 0");
            v.vedi(r.numero(5) != 0, "slowdown d_v not 0");
            v.vedi(r.numero(1) < 110, "slow slowdown");
            v.vedi(r.numero(1) >= 110, "fast slowdown");
        }
        if (r.chiave == "abbattimento") {
            v.vedi(r.numero(1) > 0, "abbattimento with value");
            v.vedi(r.numero(1) <= 0, "abbattimento without value");
        }
        if (r.chiave == "stazione") {
            const std::int64_t tipo = r.numero(1);
            v.vedi(tipo == 5 || tipo == 6, "station kind 5 or 6");
            v.vedi(tipo == 7 || tipo == 8, "station kind 7 or 8");
            v.vedi(tipo >= 25, "station kind 25 or above");
            v.vedi(r.numero(2) % 200 != 0, "station length an odd multiple of 100");
        }
    }
}

// Seeds first to last of one share of the seeds (four shares, which CTest can
// run side by side).
class SemiGenerati : public ::testing::TestWithParam<std::uint64_t> {};

TEST_P(SemiGenerati, BuildWithoutStatusEachObjectInItsCell) {
    const std::uint64_t quota = GetParam();
    int tabelle = 0;
    for (std::uint64_t seme = quota * semi / 4 + 1; seme <= (quota + 1) * semi / 4; ++seme) {
        const parametri_generatore p = parametri_del_seme(seme);
        const scenario_generato s = genera_scenario(p);
        const std::string caso = "seed " + std::to_string(seme) + ", " + std::to_string(p.lunghezza) + " m";
        const testi_compilati c = compila_testi(s.linea, s.treno);
        ASSERT_EQ(c.fatale, "") << caso;
        ASSERT_EQ(c.modello->codice_errore, 0) << caso << " at " << c.modello->posizione_errore << " m";
        EXPECT_TRUE(c.modello->stati_sollevati.empty()) << caso;
        for (const avviso_sorgente& a : c.modello->avvisi) {
            EXPECT_TRUE(avvisi_dei_casi_limite.count(a.nome)) << caso << ": " << a.messaggio;
        }
        tabelle += confronta_celle(*c.modello, s, caso);
    }
    // The finishing pass found work to do.
    EXPECT_GT(tabelle, 0);
}

// Without the edge cases the build has nothing to warn of; with them, it warns
// of each kind of edge case somewhere.
TEST(GeneratoreScenari, EdgeCasesAreWhatTheBuildWarnsOf) {
    std::set<std::string> avvisi;
    for (std::uint64_t seme = 1; seme <= 40; ++seme) {
        parametri_generatore p = parametri_del_seme(seme);
        const scenario_generato con = genera_scenario(p);
        const testi_compilati k = compila_testi(con.linea, con.treno);
        for (const avviso_sorgente& a : k.modello->avvisi) avvisi.insert(a.nome);
        p.casi_limite = false;
        const scenario_generato senza = genera_scenario(p);
        const testi_compilati c = compila_testi(senza.linea, senza.treno);
        const std::string caso = "seed " + std::to_string(seme) + " without edge cases";
        ASSERT_EQ(c.fatale, "") << caso;
        EXPECT_EQ(c.modello->codice_errore, 0) << caso;
        for (const avviso_sorgente& a : c.modello->avvisi) ADD_FAILURE() << caso << ": " << a.messaggio;
        confronta_celle(*c.modello, senza, caso);
    }
    EXPECT_EQ(avvisi, avvisi_dei_casi_limite);
}

INSTANTIATE_TEST_SUITE_P(Quote, SemiGenerati, ::testing::Values(0, 1, 2, 3));

TEST(GeneratoreScenari, SeedsCoverEveryRecordAndItsVariants) {
    varieta v;
    for (std::uint64_t seme = 1; seme <= semi; ++seme) {
        const scenario_generato s = genera_scenario(parametri_del_seme(seme));
        osserva_linea(v, s.linea);
        osserva_treno(v, s.treno);
    }
    for (const char* chiave : {"pendenza", "montagna", "indicatori_v_max", "cartello_indicatore", "aderenza",
                               "velocita", "stazione", "rallentamento", "segnale", "abbattimento"}) {
        EXPECT_GT(v.chiavi[chiave], 0) << chiave;
    }
    for (const char* lato : {"curvad", "curvas"}) {
        for (int grado = 1; grado <= 6; ++grado) {
            EXPECT_TRUE(v.visti.count(lato + std::to_string(grado))) << lato << grado;
        }
    }
    for (const char* variante :
         {"mountain with marks", "mountain without marks", "joined mountains", "no repetition", "nine codes",
          "progressive with flag 1", "signal time 1 to 100", "signal sx not 2", "slowdown within 1500 m",
          "slowdown with lead-in cells", "slowdown d_v 0", "slowdown d_v not 0", "slow slowdown", "fast slowdown",
          "abbattimento with value", "abbattimento without value", "station kind 5 or 6", "station kind 7 or 8",
          "station kind 25 or above", "station length an odd multiple of 100"}) {
        EXPECT_TRUE(v.visti.count(variante)) << variante;
    }
}

// What the overlaps bring that no record's cells show: progressives that tie
// in the ordering (the two smaller starts alike, or starts that cancel out
// with one of them negative), and speed-limit or adhesion records closer
// together than a cell.
struct pareggi {
    int progressive = 0;
    int ravvicinati = 0;
};

void osserva_pareggi(pareggi& p, const scenario_generato& s) {
    std::vector<std::int64_t> inizi;
    for (const riga_record& r : record_di(s.linea)) {
        if (r.chiave.rfind("progressiva", 0) == 0) inizi.push_back(r.numero(0));
    }
    std::sort(inizi.begin(), inizi.end());
    if (inizi.size() == 3 && ((inizi[0] == inizi[1] && inizi[1] < inizi[2]) || inizi[0] < 0)) ++p.progressive;
    std::map<std::string, std::int64_t> ultima;
    bool vicini = false;
    for (const riga_record& r : record_di(s.treno)) {
        if (r.chiave != "velocita" && r.chiave != "aderenza") continue;
        const auto u = ultima.find(r.chiave);
        vicini = vicini || (u != ultima.end() && r.numero(0) - u->second < 50);
        ultima[r.chiave] = r.numero(0);
    }
    p.ravvicinati += vicini ? 1 : 0;
}

// A slowdown start followed by another start before any end: one slowdown
// starts inside another one's span.
bool con_rallentamento_dentro(const modello_scenario& m) {
    bool aperto = false;
    for (const cella& x : m.tracciato) {
        if (x.tipo == tipo_cella::inizio_rallentamento) {
            if (aperto) return true;
            aperto = true;
        }
        if (x.tipo == tipo_cella::fine_rallentamento) aperto = false;
    }
    return false;
}

// With overlaps, records write over each other's cells and the build still
// records no status: slowdowns and signals read among the stations, station
// markers that keep what a slowdown or a signal left in their cells, slowdown
// ends whose start a marker took, slowdowns inside others' spans; and the
// ties of the progressives and the cursors.
TEST(GeneratoreScenari, OverlapsBuildWithoutStatusAndWriteOverEachOther) {
    int tra_le_stazioni = 0;
    int marche_sopra = 0;
    int fini_orfane = 0;
    int annidati = 0;
    pareggi pari;
    for (std::uint64_t seme = 1; seme <= 100; ++seme) {
        parametri_generatore p = parametri_del_seme(seme);
        p.sovrapposizioni = true;
        const scenario_generato s = genera_scenario(p);
        const std::string caso = "seed " + std::to_string(seme) + " with overlaps";
        const testi_compilati c = compila_testi(s.linea, s.treno);
        ASSERT_EQ(c.fatale, "") << caso;
        ASSERT_EQ(c.modello->codice_errore, 0) << caso << " at " << c.modello->posizione_errore << " m";
        EXPECT_TRUE(c.modello->stati_sollevati.empty()) << caso;
        confronta_celle(*c.modello, s, caso);
        const std::string& t = s.treno;
        const std::string stazioni = t.substr(t.find("[stazioni]"), t.find("[rallentamenti]") - t.find("[stazioni]"));
        for (const riga_record& r : record_di(stazioni)) tra_le_stazioni += r.chiave != "stazione" ? 1 : 0;
        int inizi = 0;
        int fini = 0;
        for (const cella& x : c.modello->tracciato) {
            marche_sopra += x.tipo == tipo_cella::marca_stazione && (x.valore2 != 0 || x.valore3 != 0 || x.valore4 != 0) ? 1 : 0;
            inizi += x.tipo == tipo_cella::inizio_rallentamento ? 1 : 0;
            fini += x.tipo == tipo_cella::fine_rallentamento ? 1 : 0;
        }
        fini_orfane += fini > inizi ? 1 : 0;
        annidati += con_rallentamento_dentro(*c.modello) ? 1 : 0;
        osserva_pareggi(pari, s);
    }
    EXPECT_GT(tra_le_stazioni, 50);
    EXPECT_GT(marche_sopra, 20);
    EXPECT_GT(fini_orfane, 5);
    EXPECT_GT(annidati, 20);
    EXPECT_GT(pari.progressive, 5);
    EXPECT_GT(pari.ravvicinati, 20);
}

// The longest line the format allows, with about a thousand records.
TEST(GeneratoreScenari, MillionMetreLineBuildsWithoutStatus) {
    parametri_generatore p;
    p.seme = 13;
    p.lunghezza = 1000000;
    p.densita = 1.2;
    const scenario_generato s = genera_scenario(p);
    EXPECT_GE(totale(s.conteggi), 1000);
    const testi_compilati c = compila_testi(s.linea, s.treno);
    ASSERT_EQ(c.fatale, "");
    EXPECT_EQ(c.modello->codice_errore, 0) << "at " << c.modello->posizione_errore << " m";
    confronta_celle(*c.modello, s, "1,000,000 m");
}

TEST(GeneratoreScenari, LayoutOfTheEmbeddedSources) {
    parametri_generatore p;
    p.seme = 5;
    p.lunghezza = 30000;
    p.densita = 4;
    const scenario_generato s = genera_scenario(p);
    auto intestazioni = [](const std::string& testo) {
        std::vector<std::string> h;
        for (const std::string& r : righe_di(testo)) {
            if (!r.empty() && r.front() == '[') h.push_back(r);
        }
        return h;
    };
    EXPECT_EQ(intestazioni(s.linea), (std::vector<std::string>{"[generale]", "[curve]", "[pendenze]", "[montagne]",
                                                                "[cartelli]", "[indicazioni]", "[fine]"}));
    EXPECT_EQ(intestazioni(s.treno),
              (std::vector<std::string>{"[generale]", "[aderenze]", "[vel_limite]", "[stazioni]", "[rallentamenti]",
                                        "[segnali]", "[codici]", "[fine]"}));
    for (const std::string* testo : {&s.linea, &s.treno}) {
        EXPECT_EQ(testo->rfind("[generale]\r\n", 0), 0u);
        EXPECT_EQ(testo->substr(testo->size() - 8), "[fine]\r\n");
        for (std::size_t i = 0; i < testo->size(); ++i) {
            const unsigned char b = static_cast<unsigned char>((*testo)[i]);
            if (b == '\r') {
                EXPECT_EQ((*testo)[i + 1], '\n') << i;
            }
            if (b == '\n') {
                EXPECT_EQ((*testo)[i - 1], '\r') << i;
            }
            EXPECT_TRUE(b == '\r' || b == '\n' || (b >= 0x20 && b < 0x7F)) << "byte " << int{b} << " at " << i;
        }
    }
    // Values blank-padded after the commas; sign texts two rows of twelve in
    // parentheses; station names in capitals.
    for (const riga_record& r : record_di(s.linea)) {
        if (r.chiave == "cartello_indicatore") {
            ASSERT_EQ(r.valori.size(), 2u);
            EXPECT_EQ(r.valori[1].size(), 28u) << r.valori[1];
            EXPECT_EQ(r.valori[1][0], '(');
            EXPECT_EQ(r.valori[1].substr(13, 2), ")(");
        }
    }
    const std::vector<std::string> righe = righe_di(s.treno);
    EXPECT_EQ(righe[4].rfind("orologio,", 0), 0u);
    EXPECT_EQ(righe[4].find(',', 9), std::string::npos);
    for (const riga_record& r : record_di(s.treno)) {
        if (r.chiave != "stazione") continue;
        ASSERT_EQ(r.valori.size(), 17u);
        EXPECT_EQ(r.valori[16].find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ "), std::string::npos) << r.valori[16];
    }
}

TEST(GeneratoreScenari, SameSeedSameBytes) {
    parametri_generatore p;
    p.seme = 7;
    p.lunghezza = 6000;
    p.densita = 4;
    const scenario_generato a = genera_scenario(p);
    const scenario_generato b = genera_scenario(p);
    EXPECT_EQ(a.linea, b.linea);
    EXPECT_EQ(a.treno, b.treno);
    // The bytes do not depend on the platform or the standard library.
    const std::string cartella = CARTELLA_TEST_GENERATORE;
    EXPECT_EQ(a.linea, leggi_tutto(cartella + "/seme_7_linea.txt"));
    EXPECT_EQ(a.treno, leggi_tutto(cartella + "/seme_7_treno.txt"));
    p.seme = 8;
    const scenario_generato c = genera_scenario(p);
    EXPECT_NE(a.linea, c.linea);
    EXPECT_NE(a.treno, c.treno);
}

TEST(GeneratoreScenari, CountsAskedForOnALongLine) {
    parametri_generatore p;
    p.seme = 3;
    p.lunghezza = 200000;
    conteggi_record voluti;
    voluti.curve = 40;
    voluti.pendenze = 30;
    voluti.montagne = 80;
    voluti.indicatori = 12;
    voluti.cartelli = 18;
    voluti.aderenze = 5;
    voluti.velocita = 25;
    voluti.stazioni = 60;
    voluti.rallentamenti = 30;
    voluti.segnali = 120;
    voluti.abbattimenti = 15;
    p.conteggi = voluti;
    const scenario_generato s = genera_scenario(p);
    EXPECT_EQ(s.conteggi, voluti);
    // The format's limits: 80 mountains, 78 stations and signs together.
    voluti.montagne = 100;
    voluti.cartelli = 30;
    p.conteggi = voluti;
    const conteggi_record c = genera_scenario(p).conteggi;
    EXPECT_EQ(c.montagne, 80);
    EXPECT_EQ(c.stazioni + c.cartelli, 78);
    const testi_compilati k = compila_testi(genera_scenario(p).linea, genera_scenario(p).treno);
    ASSERT_EQ(k.fatale, "");
    EXPECT_EQ(k.modello->codice_errore, 0);
}

TEST(GeneratoreScenari, RefusesParametersOutsideTheFormat) {
    parametri_generatore p;
    p.lunghezza = 1000001;
    EXPECT_THROW(genera_scenario(p), std::invalid_argument);
    p.lunghezza = -1;
    EXPECT_THROW(genera_scenario(p), std::invalid_argument);
    p.lunghezza = 1000;
    p.densita = -1;
    EXPECT_THROW(genera_scenario(p), std::invalid_argument);
    p.densita = 1;
    p.conteggi = conteggi_record{};
    p.conteggi->segnali = -1;
    EXPECT_THROW(genera_scenario(p), std::invalid_argument);
    // A line too short for most objects still gives a valid scenario.
    p.conteggi.reset();
    p.lunghezza = 0;
    p.densita = 50;
    const scenario_generato s = genera_scenario(p);
    const testi_compilati c = compila_testi(s.linea, s.treno);
    ASSERT_EQ(c.fatale, "");
    EXPECT_EQ(c.modello->codice_errore, 0);
}

TEST(GeneratoreScenari, DriverWritesTheLibrarysTexts) {
    cartella_temporanea dir;
    const esecuzione e = esegui_programma(PERCORSO_GENERA_SCENARIO, dir.str(),
                                          {"--seed", "11", "--length", "25000", "--density", "3", "--out", ".",
                                           "--line-name", "Linea B", "--train-number", "77"});
    ASSERT_EQ(e.stato, 0) << e.errori;
    parametri_generatore p;
    p.seme = 11;
    p.lunghezza = 25000;
    p.densita = 3;
    const scenario_generato s = genera_scenario(p);
    EXPECT_EQ(leggi_tutto(dir.file("Linea B_linea.txt")), s.linea);
    EXPECT_EQ(leggi_tutto(dir.file("Linea B_77-.txt")), s.treno);
    EXPECT_EQ(nomi_in(dir.str()), (std::vector<std::string>{"Linea B_77-.txt", "Linea B_linea.txt"}));
    // Defaults for the names; a length beyond the format is a usage error.
    cartella_temporanea altra;
    ASSERT_EQ(esegui_programma(PERCORSO_GENERA_SCENARIO, altra.str(), {"--seed", "1", "--length", "3000", "--out", "."})
                  .stato,
              0);
    EXPECT_EQ(nomi_in(altra.str()), (std::vector<std::string>{"Linea Generata_10001-.txt", "Linea Generata_linea.txt"}));
    EXPECT_EQ(esegui_programma(PERCORSO_GENERA_SCENARIO, altra.str(), {"--seed", "1", "--length", "1000001", "--out", "."})
                  .stato,
              2);
}

}  // namespace

// scenario-tool dump and verify: the JSON against the model that the build
// made, the text tables, the errors, and verify on good, tampered and renamed
// files.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>
#include <memory>
#include <nlohmann/json.hpp>
#include <sstream>

#include "app/sequenza.h"
#include "processo.h"
#include "supporto.h"
#include "tools/comandi/comando_dump.h"
#include "tools/comandi/comando_verify.h"
#include "tools/binari/dump_json.h"
#include "tools/comune/errore_uso.h"
#include "tools/comune/tipo_file.h"
#include "tools/comune/testo_1252.h"
#include "tools/binari/verifica_scenario.h"
#include "track/lettura_binaria.h"
#include "track/scrittura_binaria.h"

namespace {

const std::string piano_dat = "Tava Aeroporto-Rovea_linea.dat";
const std::string scenario_sim = "Tava Aeroporto-Rovea_30742.sim";
const std::string tracciato_dat = "Tava Aeroporto-Rovea_30742.dat";

// The embedded scenario built once: the model and its three files.
class DumpScenario : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir = new cartella_temporanea;
        m = new modello_scenario;
        imposta_identita(*m);
        esegui_costruzione(*m, dir->disco());
    }
    static void TearDownTestSuite() {
        delete m;
        delete dir;
    }
    static std::string file(const std::string& nome) { return dir->file(nome); }

    static cartella_temporanea* dir;
    static modello_scenario* m;
};

cartella_temporanea* DumpScenario::dir = nullptr;
modello_scenario* DumpScenario::m = nullptr;

struct esito_dump {
    int stato = -1;
    std::string uscita;
    std::string errori;
};

esito_dump dump(const richiesta_dump& r) {
    std::ostringstream uscita;
    std::ostringstream errori;
    esito_dump e;
    e.stato = esegui_dump(r, uscita, errori);
    e.uscita = uscita.str();
    e.errori = errori.str();
    return e;
}

std::vector<std::string> righe(const std::string& testo) {
    std::vector<std::string> r;
    std::istringstream s(testo);
    for (std::string riga; std::getline(s, riga);) r.push_back(riga);
    return r;
}

TEST_F(DumpScenario, JsonHoldsEveryCellEntryAndPlanElementOfTheModel) {
    richiesta_dump r;
    r.file = {file(tracciato_dat), file(scenario_sim), file(piano_dat)};
    r.json = true;
    const esito_dump e = dump(r);
    ASSERT_EQ(e.stato, 0) << e.errori;
    EXPECT_EQ(e.errori, "");
    const std::vector<std::string> oggetti = righe(e.uscita);
    ASSERT_EQ(oggetti.size(), 3u);
    for (const std::string& o : oggetti) {
        for (const char x : o) ASSERT_TRUE(x >= 0x20 && x < 0x7F);
    }

    const auto traccia = nlohmann::ordered_json::parse(oggetti[0]);
    EXPECT_EQ(traccia["kind"], "track");
    const auto& celle = traccia["cells"];
    ASSERT_EQ(celle.size(), m->tracciato.size());
    const std::vector<std::string> campi_cella{"tipo", "valore1", "valore2", "valore3", "valore4", "tempo_segnale",
                                               "avviso", "montagna", "vel_limite", "pendenza", "aderenza"};
    for (std::size_t i = 0; i < celle.size(); ++i) {
        const cella& c = m->tracciato[i];
        std::vector<std::string> chiavi;
        for (const auto& [chiave, valore] : celle[i].items()) chiavi.push_back(chiave);
        ASSERT_EQ(chiavi, campi_cella);
        const std::int64_t attesi[] = {c.tipo, c.valore1, c.valore2, c.valore3, c.valore4, c.tempo_segnale,
                                       c.avviso, c.montagna, c.vel_limite, c.pendenza, c.aderenza};
        for (std::size_t k = 0; k < campi_cella.size(); ++k) {
            EXPECT_EQ(celle[i][campi_cella[k]].get<std::int64_t>(), attesi[k]) << "cell " << i << " " << campi_cella[k];
        }
    }

    const auto tabella = nlohmann::ordered_json::parse(oggetti[1]);
    EXPECT_EQ(tabella["kind"], "table");
    const auto& voci = tabella["entries"];
    ASSERT_EQ(voci.size(), 87u);
    const std::vector<std::string> campi_voce{"tipo", "marca", "nome", "par1", "par2", "par3", "par4", "par5", "opz1",
                                              "opz2", "opz3", "opz4", "valore1", "valore2", "valore3", "valore4"};
    for (std::size_t i = 0; i < voci.size(); ++i) {
        const voce_scenario& v = m->scenario[i];
        EXPECT_EQ(voci[i].size(), campi_voce.size());
        EXPECT_EQ(voci[i].begin().key(), "tipo");
        EXPECT_EQ(std::prev(voci[i].end()).key(), "valore4");
        EXPECT_EQ(voci[i]["nome"].get<std::string>(), utf8_da_1252(v.nome)) << i;
        const std::int64_t attesi[] = {v.tipo, v.valore1, v.valore2, v.valore3, v.marca, v.par1, v.par2, v.par3,
                                       v.par4, v.par5, v.opz1, v.opz2, v.opz3, v.opz4, v.valore4};
        const char* numerici[] = {"tipo", "valore1", "valore2", "valore3", "marca", "par1", "par2", "par3",
                                  "par4", "par5", "opz1", "opz2", "opz3", "opz4", "valore4"};
        for (std::size_t k = 0; k < std::size(attesi); ++k) {
            EXPECT_EQ(voci[i][numerici[k]].get<std::int64_t>(), attesi[k]) << "entry " << i << " " << numerici[k];
        }
    }
    EXPECT_EQ(voci[1]["valore1"], -300);
    EXPECT_EQ(voci[85]["nome"], "Tava Aeroporto-Rovea");

    const auto piano = nlohmann::json::parse(oggetti[2]);
    EXPECT_EQ(piano["kind"], "plan");
    const planimetria_linea& p = m->planimetria;
    const std::size_t punti = static_cast<std::size_t>(p.ultimo_metro) + 1;
    ASSERT_EQ(piano["x"].size(), punti);
    ASSERT_EQ(piano["y"].size(), punti);
    for (std::size_t k = 0; k < p.tipi.size(); ++k) {
        const auto& j = piano[k < punti ? "x" : "y"][k % punti];
        switch (p.tipi[k]) {
            case tipo_valore::intero:
                ASSERT_TRUE(j.is_number_integer()) << k;
                EXPECT_EQ(j.get<double>(), p.valori[k]) << k;
                break;
            case tipo_valore::doppio:
                // A decimal point or an exponent, and the same double.
                ASSERT_TRUE(j.is_number_float()) << k;
                EXPECT_EQ(j.get<double>(), p.valori[k]) << k;
                break;
            case tipo_valore::vuoto: EXPECT_TRUE(j.is_null()) << k; break;
        }
    }
    EXPECT_NE(oggetti[2].find("\"x\":[0,0,0.0,0.0,"), std::string::npos);
    EXPECT_EQ(oggetti[2].substr(oggetti[2].size() - 11), "null,null]}");
}

// The track and the table are written cell by cell and entry by entry, and
// give the very bytes of the whole object dumped at once, for every kind of
// cell and entry the build makes and a name with bytes that JSON escapes.
TEST_F(DumpScenario, JsonWrittenPieceByPieceIsTheWholeObjectByteForByte) {
    nlohmann::ordered_json celle = nlohmann::ordered_json::array();
    for (const cella& c : m->tracciato) celle.push_back(json_cella(c));
    std::ostringstream traccia;
    scrivi_json_tracciato(traccia, m->tracciato);
    EXPECT_EQ(traccia.str(), testo_json({{"kind", "track"}, {"cells", celle}}));

    std::array<voce_scenario, voci_scenario> scenario = m->scenario;
    scenario[voce::dati_linea].nome = std::string("\x01\"\\\x7f\x80\xff", 6);
    nlohmann::ordered_json voci = nlohmann::ordered_json::array();
    for (const voce_scenario& v : scenario) voci.push_back(json_voce(v));
    std::ostringstream tabella;
    scrivi_json_scenario(tabella, scenario);
    EXPECT_EQ(tabella.str(), testo_json({{"kind", "table"}, {"entries", voci}}));

    std::ostringstream vuota;
    scrivi_json_tracciato(vuota, {});
    EXPECT_EQ(vuota.str(), "{\"kind\":\"track\",\"cells\":[]}");
}

TEST_F(DumpScenario, TextTables) {
    richiesta_dump r;
    r.file = {file(tracciato_dat)};
    const esito_dump traccia = dump(r);
    EXPECT_EQ(traccia.stato, 0);
    const std::vector<std::string> t = righe(traccia.uscita);
    ASSERT_GT(t.size(), 10u);
    EXPECT_EQ(t[0], file(tracciato_dat) + ": track, 8715 bytes, 581 cells (cells 0 to 580, metres 0 to 29000)");
    // The first signal: cell 34 at 1700 m; cell 1 with the stamp and the check code.
    EXPECT_NE(traccia.uscita.find("\n    34     1700    1 signal                 42      11       0       8 "),
              std::string::npos)
        << traccia.uscita;
    EXPECT_NE(traccia.uscita.find("\n     1       50    0 track                5121    2289 "), std::string::npos);
    // Plain cells with nothing new are left out; --all shows them all.
    EXPECT_EQ(traccia.uscita.find("\n    35     1750 "), std::string::npos);
    r.tutte = true;
    EXPECT_EQ(righe(dump(r).uscita).size(), 2 + 581u);

    r.file = {file(scenario_sim)};
    const std::vector<std::string> s = righe(dump(r).uscita);
    ASSERT_EQ(s.size(), 2 + 87u);
    EXPECT_EQ(s[2].substr(0, 12), "    0 unused");
    EXPECT_EQ(s[2 + 80].substr(0, 15), "   80 sign text");
    EXPECT_EQ(s[2 + 1].substr(0, 13), "    1 station");
    EXPECT_EQ(s[2 + 40].substr(0, 10), "   40 free");
    EXPECT_EQ(s[2 + 85].substr(0, 10), "   85 line");
    EXPECT_EQ(s[2 + 85].substr(s[2 + 85].size() - 23), " \"Tava Aeroporto-Rovea\"");
    EXPECT_EQ(s[2 + 86].substr(0, 11), "   86 train");

    r.file = {file(piano_dat)};
    r.punti = intervallo_metri{28997, 40000};
    const std::string piano = dump(r).uscita;
    for (const char* parte : {"29001 points (metres 0 to 29000), 58002 elements", "metres 0 to 1: Integer",
                              "metres 2 to 28998: Double", "metres 28999 to 29000: no value",
                              "First point: metre 0 (0, 0)", "Last point with both values: metre 28998 ("}) {
        EXPECT_NE(piano.find(parte), std::string::npos) << parte << "\n" << piano;
    }
    const std::vector<std::string> p = righe(piano);
    ASSERT_GE(p.size(), 4u);
    EXPECT_EQ(p[p.size() - 1], "   29000                        -                        -");
    EXPECT_EQ(p[p.size() - 4].substr(0, 8), "   28997");
}

TEST(DumpStrumento, PointsRangesAndWordsForTheTerminal) {
    EXPECT_TRUE(leggi_intervallo("0:0"));
    EXPECT_EQ(leggi_intervallo("12:340")->a, 340);
    for (const char* sbagliato : {"", "5", "5:", ":5", "5:4", "-1:3", "a:b", "1:2:3", "1 :2", "1:99999999999999999999"}) {
        EXPECT_FALSE(leggi_intervallo(sbagliato)) << sbagliato;
    }
    EXPECT_EQ(testo_tra_virgolette(std::string("a\"b\\\x01\x1b[2J\x81\xe8", 11)), "\"a\\\"b\\\\\\x01\\x1B[2J\\x81\xc3\xa8\"");
    EXPECT_STREQ(nome_tipo_cella(14), "indication sign");

    // A Double keeps a decimal point or an exponent and reads back to the same double.
    planimetria_linea p;
    p.tipi = {tipo_valore::doppio, tipo_valore::doppio, tipo_valore::doppio, tipo_valore::doppio,
              tipo_valore::doppio, tipo_valore::intero, tipo_valore::vuoto, tipo_valore::doppio};
    p.valori = {1.0, -0.0, 1e300, std::numeric_limits<double>::denorm_min(), 0.1, -5, 0,
                std::numeric_limits<double>::quiet_NaN()};
    const char* attesi[] = {"1.0", "-0.0", "1e+300", "5e-324", "0.1", "-5", "null", "\"NaN\""};
    for (std::size_t e = 0; e < p.tipi.size(); ++e) {
        const std::string testo = json_elemento(p, e).dump();
        EXPECT_EQ(testo, attesi[e]) << e;
        if (p.tipi[e] == tipo_valore::doppio && std::isfinite(p.valori[e])) {
            EXPECT_EQ(nlohmann::json::parse(testo).get<double>(), p.valori[e]);
        }
    }
    EXPECT_EQ(testo_elemento(p, 2), "1e+300");
    EXPECT_EQ(testo_elemento(p, 6), "-");
    EXPECT_EQ(testo_elemento(p, 7), "nan");
    EXPECT_STREQ(nome_tipo_cella(200), "?");
}

TEST_F(DumpScenario, AFileThatDoesNotDecodeIsNamedWithItsOffsetAndTheOthersArePrinted) {
    cartella_temporanea altro;
    const std::string corto = altro.file("Corto_1.dat");
    scrivi_tutto(corto, leggi_tutto(file(tracciato_dat)).substr(0, 100));
    const std::string tabella = altro.file("Lunga_1.sim");
    scrivi_tutto(tabella, leggi_tutto(file(scenario_sim)) + "xy");
    richiesta_dump r;
    r.file = {corto, file(scenario_sim), tabella, altro.file("manca.dat")};
    r.json = true;
    const esito_dump e = dump(r);
    EXPECT_EQ(e.stato, 1);
    // One line per file, in order: those that do not decode name the file and why.
    const std::vector<std::string> linee = righe(e.uscita);
    ASSERT_EQ(linee.size(), 4u);
    const char* tipi[] = {"track", "table", "table", "track"};
    for (std::size_t i = 0; i < linee.size(); ++i) {
        const auto j = nlohmann::ordered_json::parse(linee[i]);
        EXPECT_EQ(j["kind"], tipi[i]) << i;
        if (i == 1) continue;
        EXPECT_EQ(j["file"], r.file[i]) << i;
        EXPECT_EQ(j.size(), 3u) << i;
    }
    EXPECT_EQ(nlohmann::json::parse(linee[0])["error"],
              "at byte 90: the file size 100 is no whole number of 15-byte cells: the last cell has only 10 bytes");
    EXPECT_EQ(nlohmann::json::parse(linee[3])["error"].get<std::string>().substr(0, 13), "cannot read: ");
    EXPECT_EQ(e.errori, "scenario-tool dump: " + corto + ": not a track file: at byte 90: the file size 100 is no whole "
                        "number of 15-byte cells: the last cell has only 10 bytes\n"
                        "scenario-tool dump: " + tabella + ": not a table file: at byte 3093: 2 bytes after the last "
                        "entry (86); a table has 87 entries and nothing after them\n"
                        "scenario-tool dump: " + altro.file("manca.dat") + ": cannot read: " +
                        e.errori.substr(e.errori.rfind(": ") + 2));

    // --kind overrides the name; a name that tells no kind is a usage error.
    r.file = {file(scenario_sim)};
    r.tipo = tipo_file::tracciato;
    EXPECT_EQ(dump(r).stato, 1);
    r.tipo.reset();
    r.file = {file(scenario_sim), "notes.txt"};
    EXPECT_THROW(dump(r), errore_uso);
}

// A Double that is not finite is written so that it reads back bit for bit,
// and never as null, which stands for no value.
TEST(DumpStrumento, DoublesThatAreNotFiniteReadBackBitForBit) {
    const double inf = std::numeric_limits<double>::infinity();
    struct caso {
        std::uint64_t bit;
        const char* testo;  // nullptr: a JSON number
    };
    const caso casi[] = {
        {std::bit_cast<std::uint64_t>(inf), "\"Infinity\""},
        {std::bit_cast<std::uint64_t>(-inf), "\"-Infinity\""},
        {0x7ff8000000000000, "\"NaN\""},
        {0xfff8000000000000, "\"NaN:0xfff8000000000000\""},
        {0x7ff0000000000001, "\"NaN:0x7ff0000000000001\""},
        {0x7fffffffffffffff, "\"NaN:0x7fffffffffffffff\""},
        {std::bit_cast<std::uint64_t>(-0.0), nullptr},
        {std::bit_cast<std::uint64_t>(1.5e-310), nullptr},
        {std::bit_cast<std::uint64_t>(std::numeric_limits<double>::max()), nullptr},
    };
    planimetria_linea p;
    for (const caso& c : casi) {
        p.tipi.push_back(tipo_valore::doppio);
        p.valori.push_back(std::bit_cast<double>(c.bit));
    }
    p.tipi.push_back(tipo_valore::vuoto);
    p.valori.push_back(0);
    // Through the file's bytes, as dump reads them.
    const std::string byte = bytes_planimetria(p, "plan");
    std::ostringstream o;
    scrivi_json_planimetria(o, apri_planimetria(byte));
    const auto j = nlohmann::json::parse(o.str());
    std::vector<nlohmann::json> elementi(j["x"].begin(), j["x"].end());
    elementi.insert(elementi.end(), j["y"].begin(), j["y"].end());
    ASSERT_EQ(elementi.size(), std::size(casi) + 1);
    for (std::size_t i = 0; i < std::size(casi); ++i) {
        if (casi[i].testo) {
            EXPECT_EQ(elementi[i].dump(), casi[i].testo) << i;
        } else {
            EXPECT_TRUE(elementi[i].is_number_float()) << i;
        }
        const std::optional<double> d = doppio_da_json(elementi[i]);
        ASSERT_TRUE(d.has_value()) << i;
        EXPECT_EQ(std::bit_cast<std::uint64_t>(*d), casi[i].bit) << i;
    }
    EXPECT_TRUE(elementi.back().is_null());
    EXPECT_FALSE(doppio_da_json(elementi.back()).has_value());
    for (const char* t : {"NaN:0x7ff0000000000000", "NaN:0x7ff8", "nan", "NaN:0x7FF8000000000000"}) {
        EXPECT_FALSE(doppio_da_json(nlohmann::json(t)).has_value()) << t;
    }
}

// ---- verify ----

// The three golden files under another name, or tampered with.
struct terna {
    cartella_temporanea dir;
    std::string piano, tabella, traccia;

    explicit terna(const std::string& linea = "Tava Aeroporto-Rovea", const std::string& treno = "30742") {
        piano = dir.file(linea + "_linea.dat");
        tabella = dir.file(linea + "_" + treno + ".sim");
        traccia = dir.file(linea + "_" + treno + ".dat");
        const std::string dati(CARTELLA_TEST_DATI);
        scrivi_tutto(piano, leggi_tutto(dati + "/" + piano_dat));
        scrivi_tutto(tabella, leggi_tutto(dati + "/" + scenario_sim));
        scrivi_tutto(traccia, leggi_tutto(dati + "/" + tracciato_dat));
    }
    file_scenario tutti() const { return {piano, tabella, traccia}; }

    void cambia_tabella(void (*f)(std::array<voce_scenario, voci_scenario>&)) {
        auto s = leggi_scenario(leggi_tutto(tabella));
        f(s);
        scrivi_tutto(tabella, bytes_scenario(s, ""));
    }
    void cambia_traccia(void (*f)(std::vector<cella>&)) {
        auto t = leggi_tracciato(leggi_tutto(traccia));
        f(t);
        scrivi_tutto(traccia, bytes_tracciato(t));
    }
};

std::string tutte(const std::vector<std::string>& problemi) {
    std::string t;
    for (const std::string& p : problemi) t += p + "\n";
    return t;
}

TEST(Verifica, TheGoldenFilesBelongTogetherWithOrWithoutThePlan) {
    terna t;
    EXPECT_EQ(tutte(verifica_scenario(t.tutti())), "");
    EXPECT_EQ(tutte(verifica_scenario({std::nullopt, t.tabella, t.traccia})), "");
    std::ostringstream uscita, errori;
    EXPECT_EQ(esegui_verify({t.piano, t.tabella, t.traccia}, uscita, errori), 0);
    EXPECT_EQ(uscita.str(), "the files belong together\n");
    EXPECT_EQ(errori.str(), "");
}

TEST(Verifica, RenamedToAnotherLineTheCheckCodesFail) {
    terna t("Altra linea", "30742");
    const std::vector<std::string> p = verifica_scenario(t.tutti());
    ASSERT_EQ(p.size(), 2u) << tutte(p);
    const codici_scenario attesi = codici_di("Altra linea", "30742");
    EXPECT_EQ(p[0], t.tabella + ", Altra linea_30742.dat: the check codes do not match the names of the files (line "
                                "\"Altra linea\", train \"30742\"): codice_gara_st in valore4 of entry 85 is 32487, "
                                "expected " + std::to_string(attesi.st) +
                        "; codice_gara_og in valore2 of cell 1 is 2289, expected " + std::to_string(attesi.og) +
                        "; they are the codes of line \"Tava Aeroporto-Rovea\", train \"30742\" named inside the "
                        "files: the scenario was renamed");
    EXPECT_EQ(p[1], t.tabella + ": nome of entry 85 (the line name) is \"Tava Aeroporto-Rovea\", the file names give "
                                "\"Altra linea\"");
    // Another train number, and no plan: the same.
    terna u("Tava Aeroporto-Rovea", "1");
    const std::vector<std::string> q = verifica_scenario({std::nullopt, u.tabella, u.traccia});
    ASSERT_EQ(q.size(), 2u) << tutte(q);
    EXPECT_NE(q[0].find("codice_gara_st"), std::string::npos);
    EXPECT_NE(q[1].find("nome of entry 86 (the train number) is \"30742\""), std::string::npos);
    // Upper and lower case give the same codes: only the names differ.
    terna w("TAVA AEROPORTO-ROVEA", "30742");
    EXPECT_EQ(verifica_scenario(w.tutti()).size(), 1u);
}

// The files by the kinds their names tell, in any order; when the names do
// not tell them all, in the order PLAN TABLE TRACK.
TEST(Verifica, TheFilesInAnyOrderWhenTheirNamesTellTheirKinds) {
    struct caso {
        std::vector<std::string> file;
        file_scenario atteso;
    };
    const caso casi[] = {
        {{"L_linea.dat", "L_1.sim", "L_1.dat"}, {"L_linea.dat", "L_1.sim", "L_1.dat"}},
        {{"L_1.dat", "L_linea.dat", "L_1.sim"}, {"L_linea.dat", "L_1.sim", "L_1.dat"}},
        {{"d/L_1.SIM", "d/L_1.DAT", "d/L_LINEA.DAT"}, {"d/L_LINEA.DAT", "d/L_1.SIM", "d/L_1.DAT"}},
        {{"L_1.dat", "L_1.sim"}, {std::nullopt, "L_1.sim", "L_1.dat"}},
        // Names that do not tell every kind: the places.
        {{"piano", "tabella", "traccia"}, {"piano", "tabella", "traccia"}},
        {{"L_1.dat", "tabella", "L_1.sim"}, {"L_1.dat", "tabella", "L_1.sim"}},
        {{"L_linea.dat", "L_1.sim"}, {std::nullopt, "L_linea.dat", "L_1.sim"}},  // no track among them
        {{"A_1.dat", "B_1.dat", "L_1.sim"}, {"A_1.dat", "B_1.dat", "L_1.sim"}},  // two tracks
    };
    for (const caso& c : casi) {
        const file_scenario f = file_per_tipo(c.file, "verify");
        EXPECT_EQ(f.planimetria, c.atteso.planimetria) << c.file[0];
        EXPECT_EQ(f.scenario, c.atteso.scenario) << c.file[0];
        EXPECT_EQ(f.tracciato, c.atteso.tracciato) << c.file[0];
    }
    EXPECT_THROW(file_per_tipo({"L_1.sim"}, "verify"), errore_uso);
    EXPECT_THROW(file_per_tipo({"a", "b", "c", "d"}, "verify"), errore_uso);

    terna t;
    std::ostringstream uscita, errori;
    EXPECT_EQ(esegui_verify({t.traccia, t.piano, t.tabella}, uscita, errori), 0) << errori.str();
    EXPECT_EQ(esegui_verify({t.traccia, t.tabella}, uscita, errori), 0) << errori.str();
    EXPECT_EQ(uscita.str(), "the files belong together\nthe files belong together (no plan given)\n");
}

TEST(Verifica, TamperedFilesListEveryProblem) {
    struct caso {
        const char* nome;
        void (*tabella)(std::array<voce_scenario, voci_scenario>&);
        void (*traccia)(std::vector<cella>&);
        std::vector<std::string> parole;  // one per problem, in order
    };
    const caso casi[] = {
        {"stamp of the table", [](auto& s) { s[85].par1 = 611; }, nullptr,
         {"par1 of entry 85 is 611, not the format stamp 610"}},
        {"stamp of the track", nullptr, [](auto& t) { t[1].valore1 = 0; },
         {"valore1 of cell 1 is 0, not the format stamp 5121"}},
        {"codice_gara_og", nullptr, [](auto& t) { t[1].valore2 = 2290; },
         {"codice_gara_og in valore2 of cell 1 is 2290, expected 2289"}},
        {"codice_gara_st", [](auto& s) { s[85].valore4 = 1; }, nullptr,
         {"codice_gara_st in valore4 of entry 85 is 1, expected 32487"}},
        {"train name inside", [](auto& s) { s[86].nome = "30743"; }, nullptr,
         {"nome of entry 86 (the train number) is \"30743\", the file names give \"30742\""}},
        {"declared length", [](auto& s) { s[84].valore2 = 22050; }, nullptr,
         {"the track has 581 cells; the declared length 22050 m (valore2 of entry 84) gives lunghezza_totale 29050 "
          "and numero_celle 581, so 582 cells",
          "the plan has 29001 points; the declared length 22050 m (valore2 of entry 84) gives lunghezza_totale 29050, "
          "so 29051 points (metres 0 to 29050)"}},
        {"a cell more", nullptr, [](auto& t) { t.push_back({}); }, {"the track has 582 cells"}},
        {"a track of one cell", nullptr, [](auto& t) { t.resize(1); },
         {"the track has 1 cells; the format stamp and a check code go into cell 1", "the track has 1 cells; the "}},
    };
    for (const caso& c : casi) {
        terna t;
        if (c.tabella) t.cambia_tabella(c.tabella);
        if (c.traccia) t.cambia_traccia(c.traccia);
        const std::vector<std::string> p = verifica_scenario(t.tutti());
        ASSERT_EQ(p.size(), c.parole.size()) << c.nome << "\n" << tutte(p);
        for (std::size_t i = 0; i < p.size(); ++i) EXPECT_NE(p[i].find(c.parole[i]), std::string::npos) << c.nome << "\n" << p[i];
    }

    // A half-length rounding: 22025 + 7000 = 29025 m, 580.5 cells, rounded to 580: the track fits, the plan does not.
    terna h;
    h.cambia_tabella([](auto& s) { s[84].valore2 = 22025; });
    const std::vector<std::string> p = verifica_scenario(h.tutti());
    ASSERT_EQ(p.size(), 1u) << tutte(p);
    EXPECT_NE(p[0].find("so 29026 points"), std::string::npos);
}

TEST(Verifica, NamesAndStructure) {
    terna t;
    // Cut short: named with the offset; the checks that need the file are skipped.
    scrivi_tutto(t.tabella, leggi_tutto(t.tabella).substr(0, 1000));
    std::vector<std::string> p = verifica_scenario(t.tutti());
    ASSERT_EQ(p.size(), 1u) << tutte(p);
    EXPECT_EQ(p[0].rfind(t.tabella + ": not a scenario table file: at byte ", 0), 0u) << p[0];

    terna u;
    scrivi_tutto(u.piano, leggi_tutto(u.piano) + "\x09");
    p = verifica_scenario(u.tutti());
    ASSERT_EQ(p.size(), 1u) << tutte(p);
    EXPECT_EQ(p[0], u.piano + ": not a line plan file: at byte 579964: plan element 58002, type tag cut short: 2 "
                              "bytes expected, 1 left");

    // Files of two scenarios, files not named as the build names them, a missing file.
    terna a("A", "1");
    terna b("B", "1");
    p = verifica_scenario({a.piano, b.tabella, a.traccia});
    ASSERT_GE(p.size(), 2u) << tutte(p);
    EXPECT_NE(p[0].find("named for \"A_1\", the table \"B_1.sim\" for \"B_1\": they are not the same scenario"),
              std::string::npos);
    EXPECT_NE(p[1].find("its name does not begin with the plan's line name \"A\""), std::string::npos);
    p = verifica_scenario({std::nullopt, a.dir.file("tabella.sim"), a.traccia});
    EXPECT_NE(tutte(p).find("cannot read"), std::string::npos) << tutte(p);
    EXPECT_NE(tutte(p).find("the line name and train number cannot be taken from the name"), std::string::npos);
    p = verifica_scenario({a.traccia, a.piano, a.tabella});
    EXPECT_NE(tutte(p).find("a scenario table is named NAME_NUM.sim"), std::string::npos) << tutte(p);
}

// ---- the executable ----

TEST(ProcessoDumpVerify, DumpAndVerifyOfTheGoldenFiles) {
    terna t;
    const esecuzione j = esegui_programma(PERCORSO_SCENARIO_TOOL, t.dir.str(),
                                          {"dump", "--json", t.traccia, t.tabella, t.piano});
    EXPECT_EQ(j.stato, 0) << j.errori;
    EXPECT_EQ(righe(j.uscita).size(), 3u);
    EXPECT_EQ(j.uscita.substr(0, 35), "{\"kind\":\"track\",\"cells\":[{\"tipo\":0,");

    const esecuzione v = esegui_programma(PERCORSO_SCENARIO_TOOL, t.dir.str(), {"verify", t.piano, t.tabella, t.traccia});
    EXPECT_EQ(v.stato, 0) << v.errori;
    EXPECT_EQ(v.uscita, "the files belong together\n");

    terna r("Altra", "30742");
    const esecuzione w = esegui_programma(PERCORSO_SCENARIO_TOOL, r.dir.str(), {"verify", r.piano, r.tabella, r.traccia});
    EXPECT_EQ(w.stato, 1);
    EXPECT_EQ(w.uscita, "");
    EXPECT_EQ(righe(w.errori).size(), 2u) << w.errori;
    EXPECT_NE(w.errori.find("codice_gara_og"), std::string::npos);

    scrivi_tutto(t.traccia, "short");
    const esecuzione d = esegui_programma(PERCORSO_SCENARIO_TOOL, t.dir.str(), {"dump", t.traccia});
    EXPECT_EQ(d.stato, 1);
    EXPECT_NE(d.errori.find(t.traccia + ": not a track file: at byte 0: the file size 5"), std::string::npos) << d.errori;
}

// A plan at the largest size a line makes, all of it elements with no value
// (ten million of them, five times a valid plan's count): dump and verify
// walk it in the memory of the file, as for a valid plan, not of the
// decoded elements (about 90 MB).
TEST(ProcessoDumpVerify, APlanOfTenMillionEmptyElementsCostsTheMemoryOfItsFile) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizers keep freed memory aside, so the peak says nothing here";
#else
    terna t;
    scrivi_tutto(t.piano, std::string(byte_massimi_planimetria, '\0'));
    const long file = static_cast<long>(byte_massimi_planimetria);
    const std::vector<std::vector<std::string>> comandi = {
        {"dump", "--json", t.piano}, {"dump", "--points", "0:3", t.piano}, {"verify", t.piano, t.tabella, t.traccia}};
    for (const auto& c : comandi) {
        const picco_processo p = esegui_con_picco(PERCORSO_SCENARIO_TOOL, t.dir.str(), c);
        EXPECT_EQ(p.stato, c[0] == "verify" ? 1 : 0) << c[1];
        if (!misurabile(p, 3 * file)) GTEST_SKIP() << "this test process is already larger than the bound; run the test alone";
        EXPECT_LT(p.byte, 3 * file) << c[0] << " " << c[1] << ": peak " << p.byte;
    }
#endif
}

TEST(ProcessoDumpVerify, UsageErrors) {
    cartella_temporanea dir;
    const std::vector<std::vector<std::string>> casi = {
        {"dump"},
        {"dump", "x.dat", "--kind", "plans"},
        {"dump", "x.dat", "--points", "5:1"},
        {"dump", "x.txt"},
        {"dump", "x.dat", "--all=1"},
        {"verify"},
        {"verify", "a.sim"},
        {"verify", "a", "b", "c", "d"},
    };
    for (const auto& a : casi) {
        const esecuzione e = esegui_programma(PERCORSO_SCENARIO_TOOL, dir.str(), a);
        EXPECT_EQ(e.stato, 2) << a[0] << " " << a.size();
        EXPECT_EQ(e.uscita, "");
        EXPECT_NE(e.errori.find("usage: scenario-tool " + a[0] + " "), std::string::npos) << e.errori;
    }
    // Under --json the error is also one object on standard output.
    for (const std::vector<std::string>& a : std::vector<std::vector<std::string>>{
             {"dump", "--json"}, {"dump", "--json", "x.txt"}, {"compile", "--json"}, {"check", "a", "--json"},
             {"compile", "a", "b", "c", "--json"}, {"verify", "--json"}}) {
        const esecuzione e = esegui_programma(PERCORSO_SCENARIO_TOOL, dir.str(), a);
        EXPECT_EQ(e.stato, 2) << a[0];
        ASSERT_EQ(righe(e.uscita).size(), 1u) << a[0] << ": " << e.uscita;
        const auto j = nlohmann::ordered_json::parse(e.uscita);
        EXPECT_EQ(j["fatal"], "usage") << e.uscita;
        EXPECT_NE(e.errori.find("scenario-tool: " + j["message"].get<std::string>() + "\n"), std::string::npos)
            << e.uscita << e.errori;
    }
    const esecuzione aiuto = esegui_programma(PERCORSO_SCENARIO_TOOL, dir.str(), {"--help"});
    for (const char* comando : {"compile", "dump", "verify"}) {
        EXPECT_NE(aiuto.uscita.find(comando), std::string::npos) << comando;
    }
    EXPECT_TRUE(nomi_in(dir.str()).empty());
}

}  // namespace

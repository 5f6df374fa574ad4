// The checks of a built scenario: each finds its fault at its line and
// column in a small change of the embedded scenario, and the build writes
// the same bytes with them as without; the examples of explain do what they
// say; the embedded scenario and scenarios generated without edge cases find
// nothing; the warning options know the checks' names.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "supporto.h"
#include "tests/generatore/generatore.h"
#include "tools/analisi/esami.h"
#include "tools/costruzione/compila_strumento.h"
#include "tools/costruzione/costruzione_autore.h"
#include "tools/diagnostiche/spiegazioni.h"
#include "tools/diagnostiche/stampa_diagnostiche.h"

namespace {

const std::string linea_incorporata = leggi_tutto(std::string(CARTELLA_TEST_DATI) + "/Tava Aeroporto-Rovea_linea.txt");
const std::string treno_incorporato = leggi_tutto(std::string(CARTELLA_TEST_DATI) + "/Tava Aeroporto-Rovea_30742-.txt");
const nomi_scenario nomi{"Tava Aeroporto-Rovea", "30742"};

// The text with its line `ancora` replaced by `righe` ("\n" between lines,
// written with CR LF as the embedded files have them).
std::string con_righe(const std::string& testo, const std::string& ancora, const std::string& righe) {
    const std::string riga = ancora + "\r\n";
    const std::size_t p = testo.find(riga);
    EXPECT_NE(p, std::string::npos) << ancora;
    EXPECT_EQ(testo.find(riga, p + 1), std::string::npos) << "the anchor is not unique: " << ancora;
    std::string nuove;
    for (const char c : righe) nuove += c == '\n' ? std::string("\r\n") : std::string(1, c);
    std::string r = testo;
    if (p != std::string::npos) r.replace(p, riga.size(), nuove + "\r\n");
    return r;
}

struct modifica {
    sorgente file;
    std::string ancora;
    std::string righe;
};

struct testi {
    std::string linea = linea_incorporata;
    std::string treno = treno_incorporato;
};

testi con(const modifica& m) {
    testi t;
    (m.file == sorgente::linea ? t.linea : t.treno) = con_righe(m.file == sorgente::linea ? t.linea : t.treno,
                                                                 m.ancora, m.righe);
    return t;
}

risultato_costruzione costruisci(const testi& t) {
    return costruisci_autore_testi({"L.txt", "T.txt", nomi, true, false, false}, t.linea, t.treno);
}

bool e_esame(const std::string& nome) {
    for (const voce_esame& e : tabella_esami()) {
        if (nome == e.descrizione.nome) return true;
    }
    return false;
}

std::vector<diagnostica> dei_controlli(const std::vector<diagnostica>& tutte) {
    std::vector<diagnostica> r;
    for (const diagnostica& d : tutte) {
        if (e_esame(d.nome)) r.push_back(d);
    }
    return r;
}

struct caso_esame {
    const char* descrizione;
    modifica cambio;
    const char* nome;
    sorgente file;  // where the diagnostic stands
    std::int32_t riga, colonna;
    std::int32_t riga_nota;  // the other record it names; 0: none
    const char* parole;      // a piece of its message
};

const modifica segnale_3000{sorgente::treno, "segnale,    3000,   2, 3, 1,  0, 0,    2,  2,1,0, 0", ""};
const modifica velocita_1000{sorgente::treno, "velocita,    1000,   100", ""};
const modifica rallentamenti{sorgente::treno, "[rallentamenti]", ""};

modifica cambia(modifica m, std::string righe) {
    m.righe = std::move(righe);
    return m;
}

const caso_esame casi[] = {
    {"a signal inside a station's extent: its approach markers over the station's",
     cambia(segnale_3000, "segnale,    4300,   2, 3, 1,  0, 0,    2,  2,1,0, 0"), esame::marche_sovrascritte,
     sorgente::treno, 22, 1, 13, "over those of the 'stazione' at line 13 of the train file (2 cells from cell 83"},
    {"a station marker over an indication sign of the line file",
     {sorgente::linea, "cartello_indicatore,  500,   ( PASSAGGIO A)(  LIVELLO   )",
      "cartello_indicatore,  12050,   ( PASSAGGIO A)(  LIVELLO   )"},
     esame::marche_sovrascritte, sorgente::treno, 16, 1, 27, "over the indication sign of the 'cartello_indicatore'"},
    {"two speed limits in one cell", {sorgente::treno, "velocita,   0,    30", "velocita,   0,    30\nvelocita,   20,    40"},
     esame::stessa_cella, sorgente::treno, 9, 13, 10, "(cell 0, metres 0 to 49), and only the last of a cell counts"},
    {"speed limits in kilometres",
     cambia(velocita_1000, "velocita,    12,   100"), esame::stessa_cella, sorgente::treno, 9, 13, 10,
     "positions are metres: 12 is 12 m, not km 12"},
    {"two adhesions in one cell", {sorgente::treno, "aderenza,   0,    100", "aderenza,   0,    100\naderenza,   20,    90"},
     esame::stessa_cella, sorgente::treno, 7, 13, 8, "this adhesion never takes effect"},
    {"a slowdown of length 0", cambia(rallentamenti, "[rallentamenti]\nrallentamento,   8000,  60,  0,  0, 0, 0"),
     esame::valore_impossibile, sorgente::treno, 20, 30, 0, "a slowdown of length 0 m"},
    {"a speed limit of 0", cambia(velocita_1000, "velocita,    1000,   0"), esame::valore_impossibile, sorgente::treno,
     10, 22, 0, "a speed limit of 0 km/h"},
    {"an adhesion of 0", {sorgente::treno, "aderenza,   0,    100", "aderenza,   0,    0"}, esame::valore_impossibile,
     sorgente::treno, 7, 19, 0, "an adhesion of 0"},
    {"a clock hour of 25",
     {sorgente::treno, "orologio,    20              8             30 ", "orologio,    25              8             30 "},
     esame::valore_impossibile, sorgente::treno, 5, 14, 0, "the clock's hours are 25"},
    {"a station time of 61 minutes",
     {sorgente::treno, "stazione,    4000,  4,  700,  1, 0, 0,  4,1,2,  2,1,1,   60,  20,11, 0, TAVA CENTRALE",
      "stazione,    4000,  4,  700,  1, 0, 0,  4,1,2,  2,1,1,   60,  20,61, 0, TAVA CENTRALE"},
     esame::valore_impossibile, sorgente::treno, 13, 66, 0, "the station time's minutes are 61"},
    {"a station without a name",
     {sorgente::treno, "stazione,   12000, 12,  300,  0, 0, 0,  1,1,0,  4,1,1,    0,   0, 0, 0, TORVIA",
      "stazione,   12000, 12,  300,  0, 0, 0,  1,1,0,  4,1,1,    0,   0, 0, 0,   "},
     esame::valore_impossibile, sorgente::treno, 16, 1, 0, "a station without a name"},
    {"a braked mass of 500 %", {sorgente::treno, "percentuale massa frenata,    140", "percentuale massa frenata,    500"},
     esame::valore_insolito, sorgente::treno, 3, 31, 0, "a braked-mass percentage of 500 %"},
    {"a braked mass of 0 %", {sorgente::treno, "percentuale massa frenata,    140", "percentuale massa frenata,    0"},
     esame::valore_insolito, sorgente::treno, 3, 31, 0, "a braked-mass percentage of 0 %"},
    {"no coaches", {sorgente::treno, "numero vetture,    8", "numero vetture,    0"}, esame::valore_insolito,
     sorgente::treno, 2, 20, 0, "a train of 0 coaches"},
    {"a speed limit of 400 km/h", cambia(velocita_1000, "velocita,    1000,   400"), esame::valore_insolito,
     sorgente::treno, 10, 22, 0, "a speed limit of 400 km/h"},
    {"two stations named TORVIA",
     {sorgente::treno, "stazione,   16000, 12,  400,  0, 0, 0,  1,1,0,  4,1,1,    0,   0, 0, 0, POGGIOLANA",
      "stazione,   16000, 12,  400,  0, 0, 0,  1,1,0,  4,1,1,    0,   0, 0, 0, torvia "},
     esame::stazioni_omonime, sorgente::treno, 17, 73, 16, "a second station named 'torvia'"},
    {"a slowdown at 120 km/h where the limit is 100",
     cambia(rallentamenti, "[rallentamenti]\nrallentamento,   8000,  120,  500,  0, 0, 0"),
     esame::rallentamento_inutile, sorgente::treno, 20, 25, 0, "a slowdown at 120 km/h where the speed limit is 100"},
    {"a slowdown at the limit itself",
     cambia(rallentamenti, "[rallentamenti]\nrallentamento,   8000,  100,  500,  0, 0, 0"),
     esame::rallentamento_inutile, sorgente::treno, 20, 25, 0, "it slows nothing"},
    {"'semaforo' for 'segnale'",
     {sorgente::treno, "segnale,    7000,   2, 4, 1,  0, 0,    2,  2,1,0, 0",
      "semaforo,    7000,   2, 4, 1,  0, 0,    2,  2,1,0, 0"},
     esame::record_ignoto, sorgente::treno, 23, 1, 0,
     "'semaforo' is followed by a signal's eleven values; did you mean 'segnale'?"},
    {"an unknown word in the line file, nearest to one record",
     {sorgente::linea, "pendenza,  3500,   0", "pendio,  3500,   0"}, esame::record_ignoto, sorgente::linea, 18, 1, 0,
     "'pendio' is followed by a gradient's two values; did you mean 'pendenza'?"},
    {"an unknown word as near to two records",
     {sorgente::linea, "pendenza,  3500,   0", "salita,  3500,   0"}, esame::record_ignoto, sorgente::linea, 18, 1, 0,
     "did you mean 'curvad1' or 'pendenza'?"},
};

TEST(EsamiScenario, EachFindsItsFaultAtItsPlaceAndTheBytesStayTheSame) {
    for (const caso_esame& c : casi) {
        const testi t = con(c.cambio);
        const risultato_costruzione r = costruisci(t);
        EXPECT_TRUE(r.modello->stati_sollevati.empty()) << c.descrizione;
        const std::vector<diagnostica> d = dei_controlli(r.diagnostiche);
        ASSERT_EQ(d.size(), 1u) << c.descrizione << (d.empty() ? "" : ": " + d[0].messaggio);
        EXPECT_EQ(d[0].nome, c.nome) << c.descrizione;
        EXPECT_EQ(d[0].livello, errore_per_nome(c.nome) ? gravita::errore : gravita::avviso) << c.descrizione;
        EXPECT_EQ(d[0].dove.file, c.file) << c.descrizione;
        EXPECT_EQ(d[0].dove.riga, c.riga) << c.descrizione;
        EXPECT_EQ(d[0].dove.colonna, c.colonna) << c.descrizione;
        EXPECT_NE(d[0].messaggio.find(c.parole), std::string::npos) << c.descrizione << ": " << d[0].messaggio;
        if (c.riga_nota == 0) {
            EXPECT_TRUE(d[0].note.empty()) << c.descrizione;
        } else {
            ASSERT_EQ(d[0].note.size(), 1u) << c.descrizione;
            EXPECT_EQ(d[0].note[0].dove.riga, c.riga_nota) << c.descrizione;
        }
        // The checks read the build; they change nothing it writes.
        costruzione_in_memoria senza;
        costruisci_in_memoria(senza, nomi, &t.linea, &t.treno, true);
        EXPECT_EQ(r.file, senza.file) << c.descrizione;
    }
}

TEST(EsamiScenario, AStationMarkerOverASignalTellsTheSignalLostAndItsMarkers) {
    // The signal comes first in the file: the station then takes its cell
    // and writes its approach markers over two of the signal's.
    const testi t = con({sorgente::treno, "stazione,   12000, 12,  300,  0, 0, 0,  1,1,0,  4,1,1,    0,   0, 0, 0, TORVIA",
                         "segnale,   12050,   2, 4, 1,  0, 0,    2,  2,1,0, 0\n"
                         "stazione,   12000, 12,  300,  0, 0, 0,  1,1,0,  4,1,1,    0,   0, 0, 0, TORVIA"});
    const std::vector<diagnostica> d = dei_controlli(costruisci(t).diagnostiche);
    ASSERT_EQ(d.size(), 2u);
    for (const diagnostica& x : d) {
        EXPECT_EQ(x.nome, esame::marche_sovrascritte);
        EXPECT_EQ(x.dove.riga, 17);
        ASSERT_EQ(x.note.size(), 1u);
        EXPECT_EQ(x.note[0].dove.riga, 16);
    }
    EXPECT_NE(d[0].messaggio.find("approach markers over those of the 'segnale'"), std::string::npos) << d[0].messaggio;
    EXPECT_NE(d[1].messaggio.find("station marker over the signal"), std::string::npos) << d[1].messaggio;
}

TEST(EsamiScenario, NothingIsCheckedAfterAStatus) {
    // A speed limit of 0 in a build that a station's position stops.
    testi t = con(cambia(velocita_1000, "velocita,    1000,   0"));
    t.treno = con_righe(t.treno, "stazione,   16000, 12,  400,  0, 0, 0,  1,1,0,  4,1,1,    0,   0, 0, 0, POGGIOLANA",
                        "stazione,   16010, 12,  400,  0, 0, 0,  1,1,0,  4,1,1,    0,   0, 0, 0, POGGIOLANA");
    const risultato_costruzione r = costruisci(t);
    EXPECT_FALSE(r.modello->stati_sollevati.empty());
    EXPECT_TRUE(dei_controlli(r.diagnostiche).empty());
}

TEST(EsamiScenario, ExplainsExamplesFindTheirCheckAndTheRightOnesNothing) {
    ASSERT_EQ(spiegazioni_esami().size(), tabella_esami().size());
    for (const spiegazione& s : spiegazioni_esami()) {
        ASSERT_TRUE(s.esempio) << s.nome;
        const modifica sbagliata{s.esempio->file, s.esempio->ancora, s.esempio->sbagliato};
        const risultato_costruzione r = costruisci(con(sbagliata));
        std::set<std::string> trovati;
        for (const diagnostica& d : dei_controlli(r.diagnostiche)) trovati.insert(d.nome);
        EXPECT_EQ(trovati, std::set<std::string>{s.nome}) << s.nome << ": the wrong example";
        const modifica giusta{s.esempio->file, s.esempio->ancora, s.esempio->giusto};
        const risultato_costruzione g = costruisci(con(giusta));
        EXPECT_TRUE(g.modello->stati_sollevati.empty()) << s.nome;
        EXPECT_TRUE(dei_controlli(g.diagnostiche).empty()) << s.nome << ": the right example";
    }
}

TEST(EsamiScenario, EveryCheckHasItsNameItsExplanationAndItsOptions) {
    std::set<std::string> nomi_visti;
    for (const descrizione_avviso& a : tabella_avvisi()) nomi_visti.insert(a.nome);
    for (const voce_esame& e : tabella_esami()) {
        const std::string nome = e.descrizione.nome;
        EXPECT_TRUE(nomi_visti.insert(nome).second) << nome << " is the name of a warning or of another check";
        EXPECT_TRUE(e_nome_avviso(nome)) << nome;
        EXPECT_EQ(errore_per_nome(nome), e.descrizione.errore) << nome;
        for (const std::string& chiave : {nome, "-W" + nome, "-Wno-" + nome, "-Wno-error=" + nome}) {
            const spiegazione* s = cerca_spiegazione(chiave);
            ASSERT_NE(s, nullptr) << chiave;
            EXPECT_EQ(std::string(s->nome), nome);
        }
        EXPECT_NE(riferimento_markdown().find("-W" + nome), std::string::npos) << nome;
        EXPECT_NE(elenco_spiegazioni().find(nome), std::string::npos) << nome;
    }
    EXPECT_FALSE(e_nome_avviso("overwritten-marks"));
}

TEST(EsamiScenario, WarningOptionsTurnChecksOffOrChangeTheirSeverity) {
    testi t = con({sorgente::treno, "numero vetture,    8", "numero vetture,    0"});
    t.treno = con_righe(t.treno, "velocita,    1000,   100", "velocita,    1000,   0");
    const std::vector<diagnostica> tutte = costruisci(t).diagnostiche;
    const auto livello = [&](const scelta_avvisi& s, const char* nome) -> std::optional<gravita> {
        for (const diagnostica& d : diagnostiche_scelte(tutte, s)) {
            if (d.nome == nome) return d.livello;
        }
        return std::nullopt;
    };
    EXPECT_EQ(livello({}, esame::valore_impossibile), gravita::errore);
    EXPECT_EQ(livello({}, esame::valore_insolito), gravita::avviso);
    EXPECT_EQ(livello({{esame::valore_impossibile}, {}, false}, esame::valore_impossibile), std::nullopt);
    EXPECT_EQ(livello({{}, {esame::valore_impossibile}, false}, esame::valore_impossibile), gravita::avviso);
    EXPECT_EQ(livello({{}, {}, true}, esame::valore_insolito), gravita::errore);
    const diagnostica innalzata = diagnostiche_scelte(tutte, {{}, {}, true}).back();
    EXPECT_NE(testo_diagnostica(innalzata).find("[-Werror=unlikely-value]"), std::string::npos)
        << testo_diagnostica(innalzata);
}

TEST(EsamiScenario, TheEmbeddedScenarioFindsNothing) {
    EXPECT_TRUE(dei_controlli(costruisci({}).diagnostiche).empty());
}

// No false alarm: scenarios generated without edge cases, of many lengths and
// densities, find nothing.
TEST(EsamiScenario, GeneratedScenariosWithoutEdgeCasesFindNothing) {
    for (std::uint64_t seme = 1; seme <= 36; ++seme) {
        parametri_generatore p;
        p.seme = seme;
        p.lunghezza = static_cast<std::int32_t>(2000 + (seme * 7919) % 58 * 1000);
        p.densita = 1.0 + static_cast<double>(seme % 5);
        p.casi_limite = false;
        const scenario_generato s = genera_scenario(p);
        const risultato_costruzione r = costruisci_autore_testi(
            {"L.txt", "T.txt", {"Linea Generata", "10001"}, true, false, true}, s.linea, s.treno);
        const std::string caso = "seed " + std::to_string(seme) + ", " + std::to_string(p.lunghezza) + " m";
        ASSERT_TRUE(r.modello->stati_sollevati.empty()) << caso;
        for (const diagnostica& d : dei_controlli(r.diagnostiche)) {
            ADD_FAILURE() << caso << ": line " << d.dove.riga << ": " << d.messaggio << " [" << d.nome << "]";
        }
    }
}

}  // namespace

// The hovers of the page of `view`: the record as the author wrote it first
// (file, line, keyword, each value by its name and unit), what the build made
// of it second; the records read again from the texts; and no name of the
// model's fields in the page's text where the author's guide has a word.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <cctype>
#include <memory>
#include <string_view>
#include <utility>

#include "supporto.h"
#include "tools/costruzione/compila_strumento.h"
#include "tools/analisi/record_scritto.h"
#include "tools/vista/testo_html.h"
#include "tools/vista/titoli_vista.h"
#include "tools/vista/vista.h"
#include "track/lettura_binaria.h"

using namespace std::string_literals;

namespace {

std::string dati(const std::string& nome) { return leggi_tutto(std::string(CARTELLA_TEST_DATI) + "/" + nome); }

// ---- the records read again ----

struct caso_record {
    const char* testo;
    sorgente file;
    const char* parola;                  // the keyword field of the one record expected, as written
    std::vector<const char*> valori;     // its values as written
    std::vector<bool> numeri;            // which of them read as whole numbers
};

TEST(RecordScritto, EachRecordWithItsValuesAsTheReaderCountsFields) {
    const caso_record casi[] = {
        // One record per line, blanks after the commas.
        {"[generale]\r\nsegnale,    1200,   2, 4, 1,  0, 0,    2,  2,1,0, 0\r\n[fine]\r\n", sorgente::treno, "segnale",
         {"1200", "2", "4", "1", "0", "0", "2", "2", "1", "0", "0"}, std::vector<bool>(11, true)},
        // Values taken from the next line, as the build reads them.
        {"[generale]\r\nabbattimento, 1800\r\n100\r\n[fine]\r\n", sorgente::treno, "abbattimento", {"1800", "100"},
         {true, true}},
        // Blank-separated values; a value that is no number is kept as written.
        {"[generale]\r\norologio,    20   8 x3\r\n[fine]\r\n", sorgente::treno, "orologio", {"20", "8", "x3"},
         {true, true, false}},
        // The text value runs to the end of the line; its trailing blanks are left out.
        {"[generale]\r\n[curve]\r\ncartello_indicatore,  500,   ( A )  \r\n[fine]\r\n", sorgente::linea,
         "cartello_indicatore", {"500", "( A )"}, {true, false}},
        // A comment and fields of no record are passed over; the keyword keeps its letter case.
        {"[generale]\r\n-- montagna, 1, 2, 3\r\nMONTAGNA grande,   13000,  13050,  2\r\n", sorgente::linea,
         "MONTAGNA grande", {"13000", "13050", "2"}, {true, true, true}},
        // Nothing before "[generale]" is read, as the build reads nothing there.
        {"velocita, 0, 50\r\n[GENERALE]\r\nvelocita, 0, 80\r\n", sorgente::treno, "velocita", {"0", "80"},
         {true, true}},
        // The file ends inside the record: the values written so far.
        {"[generale]\r\nrallentamento, 3150, 60", sorgente::treno, "rallentamento", {"3150", "60"}, {true, true}},
    };
    for (const caso_record& c : casi) {
        SCOPED_TRACE(c.testo);
        const std::vector<record_scritto> r = record_del_testo(c.testo, c.file);
        ASSERT_EQ(r.size(), 1u);
        EXPECT_EQ(r[0].parola, c.parola);
        EXPECT_EQ(r[0].dove.file, c.file);
        ASSERT_EQ(r[0].valori.size(), c.valori.size());
        for (std::size_t i = 0; i < c.valori.size(); ++i) {
            EXPECT_EQ(r[0].valori[i].testo, c.valori[i]) << i;
            EXPECT_EQ(r[0].valori[i].numero.has_value(), c.numeri[i]) << i;
        }
    }
}

TEST(RecordScritto, EveryPlaceTheModelKeepsFindsItsRecord) {
    const std::string linea = dati("Tava Aeroporto-Rovea_linea.txt");
    const std::string treno = dati("Tava Aeroporto-Rovea_30742-.txt");
    costruzione_in_memoria c;
    costruisci_in_memoria(c, {"Tava Aeroporto-Rovea", "30742"}, &linea, &treno, true);
    const modello_scenario& m = c.modello;
    const record_fonti r = leggi_record_fonti(&linea, &treno, m);
    int trovati = 0;
    for (const luogo& l : m.origine_celle) {
        if (!noto(l)) continue;
        const record_scritto* x = record_a(r, l);
        ASSERT_NE(x, nullptr) << l.riga;
        EXPECT_EQ(x->dove.riga, l.riga);
        ++trovati;
    }
    EXPECT_GT(trovati, 9);
    // A station's entry finds its record, with its name as written.
    const record_scritto* rovea = record_a(r, m.origine_voci[7]);
    ASSERT_NE(rovea, nullptr);
    EXPECT_EQ(rovea->valori.back().testo, "ROVEA");
    EXPECT_EQ(numero_di(*rovea, 0), 22000);
    // A place that is no record's finds none.
    EXPECT_EQ(record_a(r, luogo{sorgente::treno, 1, 1}), nullptr);
    EXPECT_EQ(record_a(r, luogo{}), nullptr);
}

// A keyword field the build read at a place where the reading in file order
// did not begin a field is still read at that place.
TEST(RecordScritto, APlaceOutsideTheReadingInOrderIsReadThere) {
    const std::string treno = righe_crlf("[generale]", "x segnale, 1200, 2, 4, 1, 0, 0, 2, 2, 1, 0, 0");
    modello_scenario m;
    m.tracciato.resize(40);
    m.origine_celle.assign(40, luogo{});
    m.origine_celle[25] = {sorgente::treno, 2, 3, 0};  // "segnale" inside the field
    const record_fonti r = leggi_record_fonti(nullptr, &treno, m);
    const record_scritto* x = record_a(r, m.origine_celle[25]);
    ASSERT_NE(x, nullptr);
    EXPECT_EQ(x->parola, "segnale");
    EXPECT_EQ(numero_di(*x, 0), 1200);
    EXPECT_EQ(r.treno.size(), 2u);
}

// ---- one hover per kind of object ----

const std::string file_linea = "P_linea.txt";
const std::string file_treno = "P_1-.txt";

const std::string linea_prova = righe_crlf(
    "[generale]", "lunghezza percorso,    12000", "[curve]", "curvad3,  3000,  2000", "montagna,   4000,  4200,  12",
    "indicatori_v, 6000, 1, 2, 3, 1, 30, 30, 30, 2", "cartello_indicatore,  2000,   ( PASSAGGIO A)",
    "pendenza, 1000, 200", "[fine]");

const std::string treno_prova = righe_crlf(
    "[generale]", "velocita,   0,    80", "aderenza,   0,    100",
    "stazione, 1000, 12, 400, 0,3,0, 0,0,0, 0,0,0, 0,20,5,0, PRIMA",
    "stazione, 9000, 5, 600, 0,0,1, 0,0,0, 0,0,0, 0,0,0,0, SECONDA",
    "segnale,    1200,   2, 4, 1,  0, 0,    2,  2,1,0, 50", "rallentamento, 8100, 30, 600, 7, 1, 3",
    "abbattimento, 10000, 60", "abbattimento, 10500, 0", "velocita, 5000, 62",
    "segnale,   11225,   2, 4, 1,  0, 0,    2,  2,1,0, 0", "[fine]");

struct prova_titoli {
    costruzione_in_memoria c;
    record_fonti record;
    fonti_vista fonti;
    oggetti_vista oggetti;
};

std::unique_ptr<prova_titoli> prova(bool da_sorgenti) {
    auto p = std::make_unique<prova_titoli>();
    costruisci_in_memoria(p->c, {"P", "1"}, &linea_prova, &treno_prova, true);
    if (da_sorgenti) {
        p->record = leggi_record_fonti(&linea_prova, &treno_prova, p->c.modello);
        p->fonti = {file_linea, file_treno, &linea_prova, &treno_prova, &p->record};
    } else {
        p->c.modello.origine_celle.clear();
        p->c.modello.origine_voci = {};
    }
    p->oggetti = oggetti_del_modello(p->c.modello);
    return p;
}

std::string titolo_di_marca(const prova_titoli& p, tipo_marca t, int quale = 0) {
    for (const marca_vista& x : p.oggetti.marche) {
        if (x.tipo == t && quale-- == 0) return titolo_marca(p.c.modello, x, p.fonti);
    }
    return "(no such mark)";
}

// The hover of the run of a panel that begins in the cell.
std::string titolo_di_tratto(const prova_titoli& p, valore_cella v, std::int32_t prima) {
    const std::vector<tratto>& t = v == valore_cella::pendenza   ? p.oggetti.pendenze
                                   : v == valore_cella::velocita ? p.oggetti.velocita
                                                                 : p.oggetti.aderenze;
    for (const tratto& x : t) {
        if (x.prima == prima) return titolo_tratto(v, x, metro_cella(x.prima), metro_cella(x.ultima + 1), p.fonti);
    }
    return "(no such run)";
}

struct caso_titolo {
    const char* cosa;
    std::string (*titolo)(const prova_titoli&);
    const char* da_sorgenti;
    const char* da_binari;
};

const caso_titolo casi_titolo[] = {
    {"signal", [](const prova_titoli& p) { return titolo_di_marca(p, tipo_marca::segnale); },
     "Signal at 1200 m (line 6 of P_1-.txt: \u201Csegnale\u201D)\n"
     "sx 2, s1 4, s2 1, s3 0, rapp 0, dx 2, d1 2, d2 1, d3 0, tempo 50\n"
     "Built: the signal in cell 25 (metres 1250 to 1299, km 1.250), the cell after the own cell of 1200 m (cell 24)\n"
     "values 42 (s1 4, d1 2), 11 (s2 1, d2 1), 0 (s3 0, d3 0), 8 (rapp 0, sx \u00d7 3 + dx 8); time 101 (a time of "
     "1 to 100 is kept as 101)\n"
     "approach markers in cells 23, 21, 19, 17",
     "Signal: the record that made it is not known (the page was made from the binary files)\n"
     "Built: the signal in cell 25 (metres 1250 to 1299, km 1.250), the cell after the position's own (a position of about 1200 m)\n"
     "values 42 (s1 4, d1 2), 11 (s2 1, d2 1), 0 (s3 0, d3 0), 8 (rapp 0, sx \u00d7 3 + dx 8); time 101\n"
     "approach markers in cells 23, 21, 19, 17"},
    {"signal halfway between two cells", [](const prova_titoli& p) { return titolo_di_marca(p, tipo_marca::segnale, 1); },
     "Signal at 11225 m (line 11 of P_1-.txt: \u201Csegnale\u201D)\n"
     "sx 2, s1 4, s2 1, s3 0, rapp 0, dx 2, d1 2, d2 1, d3 0, tempo 0\n"
     "Built: the signal in cell 226 (metres 11300 to 11349, km 11.300), the cell after the position's own: 11225 m / "
     "50 + 1 = 225.5, rounded half to even\n"
     "values 42 (s1 4, d1 2), 11 (s2 1, d2 1), 0 (s3 0, d3 0), 8 (rapp 0, sx \u00d7 3 + dx 8); time 0\n"
     "approach markers in cells 224, 222, 220, 218",
     "Signal: the record that made it is not known (the page was made from the binary files)\n"
     "Built: the signal in cell 226 (metres 11300 to 11349, km 11.300), the cell after the position's own (a position "
     "of about 11250 m)\n"
     "values 42 (s1 4, d1 2), 11 (s2 1, d2 1), 0 (s3 0, d3 0), 8 (rapp 0, sx \u00d7 3 + dx 8); time 0\n"
     "approach markers in cells 224, 222, 220, 218"},
    {"slowdown start", [](const prova_titoli& p) { return titolo_di_marca(p, tipo_marca::inizio_rallentamento); },
     "Slowdown at 8100 m (line 7 of P_1-.txt: \u201Crallentamento\u201D)\n"
     "v 30 km/h, l 600 m, f_tt 7, f_ta 1, d_v 3\n"
     "Built: the slowdown's start in cell 163 (metres 8150 to 8199, km 8.150), the cell after the own cell of x "
     "(8100 m)\n"
     "speed 30 km/h, d_v 3, f_tt 7",
     "Slowdown start: the record that made it is not known (the page was made from the binary files)\n"
     "Built: the slowdown's start in cell 163 (metres 8150 to 8199, km 8.150), the cell after x's own\n"
     "speed 30 km/h, d_v 3, f_tt 7"},
    {"slowdown end", [](const prova_titoli& p) { return titolo_di_marca(p, tipo_marca::fine_rallentamento); },
     "Slowdown at 8100 m (line 7 of P_1-.txt: \u201Crallentamento\u201D)\n"
     "v 30 km/h, l 600 m, f_tt 7, f_ta 1, d_v 3\n"
     "Built: the slowdown's end in cell 175 (metres 8750 to 8799, km 8.750), the cell after the own cell of x + l "
     "(8700 m)\n"
     "speed 30 km/h, d_v 3, f_tt 7",
     "Slowdown end: the record that made it is not known (the page was made from the binary files)\n"
     "Built: the slowdown's end in cell 175 (metres 8750 to 8799, km 8.750), the cell after the own cell of x + l\n"
     "speed 30 km/h, d_v 3, f_tt 7"},
    {"warning board", [](const prova_titoli& p) { return titolo_di_marca(p, tipo_marca::avviso); },
     "Slowdown at 8100 m (line 7 of P_1-.txt: \u201Crallentamento\u201D)\n"
     "v 30 km/h, l 600 m, f_tt 7, f_ta 1, d_v 3\n"
     "Built: the slowdown's warning board in cell 139 (metres 6950 to 6999, km 6.950), 1200 m before the start: the "
     "cell after the own cell of x \u2212 1200 (6900 m)\n"
     "speed 30 km/h, d_v 3",
     "Slowdown warning board: the record that made it is not known (the page was made from the binary files)\n"
     "Built: the slowdown's warning board in cell 139 (metres 6950 to 6999, km 6.950), 1200 m before the start\n"
     "speed 30 km/h, d_v 3"},
    {"lead-in cell", [](const prova_titoli& p) { return titolo_di_marca(p, tipo_marca::preavviso); },
     "Slowdown at 8100 m (line 7 of P_1-.txt: \u201Crallentamento\u201D)\n"
     "v 30 km/h, l 600 m, f_tt 7, f_ta 1, d_v 3\n"
     "Built: lead-in cell 4 of 4 before the slowdown's warning board (1 next to it), cell 135 (metres 6750 to 6799, "
     "km 6.750); asked for by f_ta",
     "Lead-in cell of a slowdown warning board: the record that made it is not known (the page was made from the "
     "binary files)\n"
     "Built: lead-in cell 4 of 4 before the slowdown's warning board (1 next to it), cell 135 (metres 6750 to 6799, "
     "km 6.750); asked for by f_ta"},
    {"indicator pair", [](const prova_titoli& p) { return titolo_di_marca(p, tipo_marca::indicatori); },
     "Maximum-speed indicator pair at 6000 m (line 6 of P_linea.txt: \u201Cindicatori_v\u201D)\n"
     "a s 1, b s 2, c s 3, s stripes 1, a d 30, b d 30, c d 30, d stripes 2\n"
     "Built: the pair in cell 121 (metres 6050 to 6099, km 6.050), the cell after the own cell of 6000 m (cell 120)\n"
     "category a 26, b 46, c 66 (s \u00d7 20 + d / 5, rounded), stripes 12 (s stripes \u00d7 10 + d stripes)",
     "Maximum-speed indicator pair: the record that made it is not known (the page was made from the binary files)\n"
     "Built: the pair in cell 121 (metres 6050 to 6099, km 6.050), the cell after the position's own (a position of about 6000 m)\n"
     "category a 26, b 46, c 66 (s \u00d7 20 + d / 5, rounded), stripes 12 (s stripes \u00d7 10 + d stripes)"},
    {"sign", [](const prova_titoli& p) { return titolo_di_marca(p, tipo_marca::cartello); },
     "Indication sign at 2000 m (line 7 of P_linea.txt: \u201Ccartello_indicatore\u201D)\n"
     "text \u201C( PASSAGGIO A)\u201D\n"
     "Built: the sign in cell 41 (metres 2050 to 2099, km 2.050), the cell after the own cell of 2000 m (cell 40)\n"
     "its text in table entry 80: \u201C( PASSAGGIO A)\u201D",
     "Indication sign: the record that made it is not known (the page was made from the binary files)\n"
     "Built: the sign in cell 41 (metres 2050 to 2099, km 2.050), the cell after the position's own (a position of about 2000 m)\n"
     "its text in table entry 80: \u201C( PASSAGGIO A)\u201D"},
    {"board with a value", [](const prova_titoli& p) { return titolo_di_marca(p, tipo_marca::abbattimento, 0); },
     "Abbattimento board at 10000 m (line 8 of P_1-.txt: \u201Cabbattimento\u201D)\n"
     "value 60\n"
     "Built: a board with the value 60 in cell 200 (metres 10000 to 10049, km 10.000), the own cell of 10000 m",
     "Abbattimento board: the record that made it is not known (the page was made from the binary files)\n"
     "Built: a board with the value 60 in cell 200 (metres 10000 to 10049, km 10.000), the position's own cell (a position of about 10000 m)"},
    {"board without a value", [](const prova_titoli& p) { return titolo_di_marca(p, tipo_marca::abbattimento, 1); },
     "Abbattimento board at 10500 m (line 9 of P_1-.txt: \u201Cabbattimento\u201D)\n"
     "value 0\n"
     "Built: a board without a value (the value is 0 or less) in cell 210 (metres 10500 to 10549, km 10.500), the "
     "own cell of 10500 m",
     "Abbattimento board: the record that made it is not known (the page was made from the binary files)\n"
     "Built: a board without a value (the value is 0 or less) in cell 210 (metres 10500 to 10549, km 10.500), the "
     "position's own cell (a position of about 10500 m)"},
    {"finishing board", [](const prova_titoli& p) { return titolo_di_marca(p, tipo_marca::tabella_180); },
     "Board of value 180, placed by the build's finishing pass (no record of its own), for:\n"
     "Slowdown at 8100 m (line 7 of P_1-.txt: \u201Crallentamento\u201D)\n"
     "v 30 km/h, l 600 m, f_tt 7, f_ta 1, d_v 3\n"
     "Built: a board with the value 180 in cell 145 (metres 7250 to 7299, km 7.250)",
     "Board of value 180, the value of the boards the build's finishing pass places\n"
     "Built: a board with the value 180 in cell 145 (metres 7250 to 7299, km 7.250)"},
    {"station", [](const prova_titoli& p) { return titolo_stazione(p.c.modello, p.oggetti.stazioni[0], p.fonti); },
     "Station PRIMA at 1000 m (line 4 of P_1-.txt: \u201Cstazione\u201D)\n"
     "kind 12, length 400 m, marca 0, opz4 3, opz3 0, par1 0, par2 0, opz1 0, par3 0, par4 0, par5 0, opz2 0, "
     "hours 20, minutes 5, seconds 0, name \u201CPRIMA\u201D\n"
     "Built: entry 1 of the table, position 1000 m (km 1.000), kind 12\n"
     "extent 800 to 1200 m (km 0.800\u20131.200), centred on the position\n"
     "time 20:05:00; station marker in cell 23 (metres 1150 to 1199, km 1.150)\n"
     "opz4 kept as 0 (a length below 600 m, or the first station)",
     "Station PRIMA: the record that made it is not known (the page was made from the binary files)\n"
     "Built: entry 1 of the table, position 1000 m (km 1.000), kind 12\n"
     "extent 800 to 1200 m (km 0.800\u20131.200), centred on the position\n"
     "time 20:05:00; station marker in cell 23 (metres 1150 to 1199, km 1.150)\n"
     "kept: marca 0, opz4 0, opz3 0, par1 0, par2 0, opz1 0, par3 0, par4 0, par5 0, opz2 0"},
    {"station of kind 5", [](const prova_titoli& p) { return titolo_stazione(p.c.modello, p.oggetti.stazioni[1], p.fonti); },
     "Station SECONDA at 9000 m (line 5 of P_1-.txt: \u201Cstazione\u201D)\n"
     "kind 5, length 600 m, marca 0, opz4 0, opz3 1, par1 0, par2 0, opz1 0, par3 0, par4 0, par5 0, opz2 0, "
     "hours 0, minutes 0, seconds 0, name \u201CSECONDA\u201D\n"
     "Built: entry 2 of the table, position 9000 m (km 9.000), kind 5\n"
     "extent 8400 to 9150 m (km 8.400\u20139.150), from the position less the length to the position plus 150 m "
     "(kinds 5 and 6)\n"
     "time none; station marker in cell 182 (metres 9100 to 9149, km 9.100)\n"
     "opz3 kept as 0 (kinds 5 to 8, or the first station)",
     "Station SECONDA: the record that made it is not known (the page was made from the binary files)\n"
     "Built: entry 2 of the table, position 9000 m (km 9.000), kind 5\n"
     "extent 8400 to 9150 m (km 8.400\u20139.150), from the position less the length to the position plus 150 m "
     "(kinds 5 and 6)\n"
     "time none; station marker in cell 182 (metres 9100 to 9149, km 9.100)\n"
     "kept: marca 0, opz4 0, opz3 0, par1 0, par2 0, opz1 0, par3 0, par4 0, par5 0, opz2 0"},
    {"mountain span", [](const prova_titoli& p) { return titolo_montagna(p.c.modello, p.oggetti.montagne[0], p.fonti); },
     "Mountain span (line 5 of P_linea.txt: \u201Cmontagna\u201D)\n"
     "start 4000 m, end 4200 m, kind 12\n"
     "Built: cells 80 to 83 (metres 4000 to 4199, km 4.000\u20134.200), kind 2\n"
     "marks in every fourth cell: the kind written less 10",
     "Mountain span: the record that made it is not known (the page was made from the binary files)\n"
     "Built: cells 80 to 83 (metres 4000 to 4199, km 4.000\u20134.200), kind 2"},
    {"slowdown band",
     [](const prova_titoli& p) { return titolo_rallentamento(p.c.modello, p.oggetti.rallentamenti[0], p.fonti); },
     "Slowdown at 8100 m (line 7 of P_1-.txt: \u201Crallentamento\u201D)\n"
     "v 30 km/h, l 600 m, f_tt 7, f_ta 1, d_v 3\n"
     "Built: start in cell 163, end in cell 175 (km 8.150\u20138.800)\n"
     "speed 30 km/h, d_v 3, f_tt 7",
     "Slowdown: the record that made it is not known (the page was made from the binary files)\n"
     "Built: start in cell 163, end in cell 175 (km 8.150\u20138.800)\n"
     "speed 30 km/h, d_v 3, f_tt 7"},
    {"gradient", [](const prova_titoli& p) { return titolo_di_tratto(p, valore_cella::pendenza, 20); },
     "Gradient at 1000 m (line 8 of P_linea.txt: \u201Cpendenza\u201D)\n"
     "gradient 200\n"
     "Built: km 1.000\u201318.900, cells 20 to 377: gradient -56 (kept in one byte)",
     "Gradient: the record that set it is not known (the page was made from the binary files)\n"
     "Built: km 1.000\u201318.900, cells 20 to 377: gradient -56"},
    {"cells before the first gradient", [](const prova_titoli& p) { return titolo_di_tratto(p, valore_cella::pendenza, 0); },
     "Gradient: no record sets these cells, which keep 0\n"
     "Built: km 0.000\u20131.000, cells 0 to 19: gradient 0",
     "Gradient: the record that set it is not known (the page was made from the binary files)\n"
     "Built: km 0.000\u20131.000, cells 0 to 19: gradient 0"},
    {"speed limit", [](const prova_titoli& p) { return titolo_di_tratto(p, valore_cella::velocita, 100); },
     "Speed limit at 5000 m (line 10 of P_1-.txt: \u201Cvelocita\u201D)\n"
     "speed 62 km/h\n"
     "Built: km 5.000\u201318.900, cells 100 to 377: speed limit 60 km/h (kept in steps of 5 km/h)",
     "Speed limit: the record that set it is not known (the page was made from the binary files)\n"
     "Built: km 5.000\u201318.900, cells 100 to 377: speed limit 60 km/h"},
    {"adhesion", [](const prova_titoli& p) { return titolo_di_tratto(p, valore_cella::aderenza, 0); },
     "Adhesion at 0 m (line 3 of P_1-.txt: \u201Caderenza\u201D)\n"
     "value 100\n"
     "Built: km 0.000\u201318.900, cells 0 to 377: adhesion 100",
     "Adhesion: the record that set it is not known (the page was made from the binary files)\n"
     "Built: km 0.000\u201318.900, cells 0 to 377: adhesion 100"},
    {"end of the line", [](const prova_titoli& p) { return titolo_fine_linea(p.c.modello, p.fonti); },
     "End of the line (line 2 of P_linea.txt: \u201Clunghezza percorso\u201D)\n"
     "length 12000 m\n"
     "Built: declared length 12000 m (km 12.000); the track goes on to cell 380 (metres 19000 to 19049, km 19.000)",
     "End of the line: the record that made it is not known (the page was made from the binary files)\n"
     "Built: declared length 12000 m (km 12.000); the track goes on to cell 380 (metres 19000 to 19049, km 19.000)"},
};

TEST(TitoliVista, EachKindTellsTheRecordAsWrittenThenWhatTheBuildMadeOfIt) {
    const auto p = prova(true);
    ASSERT_EQ(p->c.modello.codice_errore, 0);
    for (const caso_titolo& c : casi_titolo) EXPECT_EQ(c.titolo(*p), c.da_sorgenti) << c.cosa;
}

TEST(TitoliVista, FromTheBinaryFilesTheSameWordsAndNoRecord) {
    const auto p = prova(false);
    for (const caso_titolo& c : casi_titolo) EXPECT_EQ(c.titolo(*p), c.da_binari) << c.cosa;
}

// Cells of a span that a later record wrote (a slowdown inside a tunnel)
// still give the span its own record.
TEST(TitoliVista, AMountainSpanKeepsItsRecordUnderOtherObjects) {
    const std::string linea = righe_crlf("[generale]", "lunghezza percorso,    12000", "[curve]",
                                         "montagna,   7000,  8000,  12", "[fine]");
    const std::string treno = righe_crlf("[generale]", "velocita,   0,    80", "aderenza,   0,    100",
                                         "rallentamento, 7050, 30, 100, 0, 0, 0", "[fine]");
    costruzione_in_memoria c;
    costruisci_in_memoria(c, {"P", "1"}, &linea, &treno, true);
    ASSERT_EQ(c.modello.codice_errore, 0);
    const record_fonti r = leggi_record_fonti(&linea, &treno, c.modello);
    const fonti_vista f{file_linea, file_treno, &linea, &treno, &r};
    const oggetti_vista o = oggetti_del_modello(c.modello);
    ASSERT_EQ(o.montagne.size(), 1u);
    EXPECT_EQ(titolo_montagna(c.modello, o.montagne[0], f),
              "Mountain span (line 4 of P_linea.txt: \u201Cmontagna\u201D)\n"
              "start 7000 m, end 8000 m, kind 12\n"
              "Built: cells 140 to 159 (metres 7000 to 7999, km 7.000\u20138.000), kind 2\n"
              "marks in every fourth cell: the kind written less 10");
}

// ---- no internal name in the page's text ----

// The text a reader sees: the page without its style and script, its tags and
// the attributes in them, with the entities decoded; and without the texts
// in quotation marks, which are the author's own (keywords, names, sign texts).
std::string testo_visibile(const std::string& p) {
    std::string t;
    for (std::size_t i = 0; i < p.size();) {
        if (p.compare(i, 6, "<style") == 0 || p.compare(i, 7, "<script") == 0) {
            const std::string fine = p.compare(i, 6, "<style") == 0 ? "</style>" : "</script>";
            const std::size_t f = p.find(fine, i);
            i = f == std::string::npos ? p.size() : f + fine.size();
        } else if (p[i] == '<') {
            const std::size_t f = p.find('>', i);
            i = f == std::string::npos ? p.size() : f + 1;
            t += ' ';
        } else {
            t += p[i++];
        }
    }
    for (const auto& [entita, carattere] :
         {std::pair{"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&#39;", "'"}, {"&amp;", "&"}}) {
        for (std::size_t q = t.find(entita); q != std::string::npos; q = t.find(entita, q + 1)) {
            t.replace(q, std::string_view(entita).size(), carattere);
        }
    }
    const std::string apre = "\u201C", chiude = "\u201D";
    for (std::size_t q = t.find(apre); q != std::string::npos; q = t.find(apre, q)) {
        const std::size_t f = t.find(chiude, q);
        if (f == std::string::npos) break;
        t.replace(q, f + chiude.size() - q, " ");
    }
    return t;
}

bool di_parola(char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_'; }

// Names of the model that the author's guide has words for.
const char* const nomi_interni[] = {
    "valore1", "valore2", "valore3", "valore4", "tempo_segnale", "vel_limite", "pendenza", "aderenza", "montagna",
    "avviso", "tipo", "cella", "voce", "numero_celle", "lunghezza_totale", "codice_errore", "posizione_errore",
    "marca_stazione", "marca_montagna", "tabella_con_valore", "tabella_senza_valore", "inizio_rallentamento",
    "fine_rallentamento", "avviso_rallentamento", "preavviso_rallentamento", "indicatori_v_max", "tracciato",
    "planimetria", "origine_celle", "stazione", "segnale", "rallentamento",
};

void senza_nomi_interni(const std::string& pagina) {
    const std::string t = testo_visibile(pagina);
    ASSERT_GT(t.size(), 1000u);
    for (const std::string nome : nomi_interni) {
        for (std::size_t p = t.find(nome); p != std::string::npos; p = t.find(nome, p + 1)) {
            const bool inizio = p == 0 || !di_parola(t[p - 1]);
            const bool fine = p + nome.size() == t.size() || !di_parola(t[p + nome.size()]);
            if (!inizio || !fine) continue;
            ADD_FAILURE() << nome << " in: ..." << t.substr(p < 60 ? 0 : p - 60, 140) << "...";
            break;
        }
    }
}

TEST(TitoliVista, NoInternalNameInThePagesTextFromSourcesOrBinaries) {
    const std::string fl = "Tava Aeroporto-Rovea_linea.txt", ft = "Tava Aeroporto-Rovea_30742-.txt";
    const std::string linea = dati(fl), treno = dati(ft);
    costruzione_in_memoria c;
    costruisci_in_memoria(c, {"Tava Aeroporto-Rovea", "30742"}, &linea, &treno, true);
    ingresso_vista i;
    i.modello = &c.modello;
    i.fonti = {fl, ft, &linea, &treno, nullptr};
    i.file = {fl, ft};
    i.da_sorgenti = true;
    const std::string da_sorgenti = pagina_vista(i);
    // The records are in it, their keywords quoted.
    EXPECT_NE(da_sorgenti.find("Signal at 1650 m (line "), std::string::npos);
    senza_nomi_interni(da_sorgenti);
    // The small fixture's page, with a slowdown, boards and a mountain of its own.
    const auto p = prova(true);
    ingresso_vista j;
    j.modello = &p->c.modello;
    j.fonti = p->fonti;
    senza_nomi_interni(pagina_vista(j));

    modello_scenario m;
    m.scenario = leggi_scenario(dati("Tava Aeroporto-Rovea_30742.sim"));
    m.tracciato = leggi_tracciato(dati("Tava Aeroporto-Rovea_30742.dat"));
    m.planimetria = leggi_planimetria(dati("Tava Aeroporto-Rovea_linea.dat"));
    ingresso_vista b;
    b.modello = &m;
    b.file = {"Tava Aeroporto-Rovea_30742.sim", "Tava Aeroporto-Rovea_30742.dat"};
    const std::string da_binari = pagina_vista(b);
    EXPECT_NE(da_binari.find("Signal: the record that made it is not known"), std::string::npos);
    senza_nomi_interni(da_binari);
    // The table of stations gives each record's line in the train file, when it is known.
    EXPECT_NE(da_sorgenti.find("<tr><td>18</td><td>7</td><td class=\"nome\">ROVEA</td>"), std::string::npos);
    EXPECT_NE(da_binari.find("<tr><td></td><td>7</td><td class=\"nome\">ROVEA</td>"), std::string::npos);
}

// The words the test looks for are found where they stand.
TEST(TitoliVista, TheTestOfInternalNamesFindsThem) {
    EXPECT_EQ(testo_visibile("<p class=\"pendenza\">a &amp; \u201Cpendenza\u201D</p><style>.valore1{}</style>"),
              " a &   ");
    EXPECT_NONFATAL_FAILURE(senza_nomi_interni("<p>" + std::string(1000, 'x') + " gradient (pendenza - 100)</p>"),
                            "pendenza");
    EXPECT_NONFATAL_FAILURE(senza_nomi_interni("<title>" + std::string(1000, 'x') + "\nvalore1 42</title>"), "valore1");
}

}  // namespace

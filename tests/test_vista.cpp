// scenario-tool view: the page of a scenario model, its texts and numbers,
// its marks tied to the model, its labels apart, and the command.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <filesystem>
#include <limits>
#include <memory>
#include <random>
#include <set>
#include <sstream>

#include "processo.h"
#include "supporto.h"
#include "tools/costruzione/compila_strumento.h"
#include "tools/vista/chilometri_vista.h"
#include "tools/vista/curve_vista.h"
#include "tools/vista/etichette.h"
#include "tools/vista/oggetti_vista.h"
#include "tools/vista/script_vista.h"
#include "tools/vista/testo_html.h"
#include "tools/vista/vista.h"
#include "tools/vista/vista_strumento.h"
#include "track/lettura_binaria.h"
#include "track/scrittura_binaria.h"

namespace {

const std::string linea_tava = "Tava Aeroporto-Rovea";
const std::string file_linea_tava = "Tava Aeroporto-Rovea_linea.txt";
const std::string file_treno_tava = "Tava Aeroporto-Rovea_30742-.txt";

std::string dati(const std::string& nome) { return leggi_tutto(std::string(CARTELLA_TEST_DATI) + "/" + nome); }

std::unique_ptr<costruzione_in_memoria> costruisci(const std::string& linea, const std::string& treno,
                                                   bool con_planimetria = true,
                                                   const nomi_scenario& nomi = {linea_tava, "30742"}) {
    auto c = std::make_unique<costruzione_in_memoria>();
    costruisci_in_memoria(*c, nomi, &linea, &treno, con_planimetria);
    return c;
}

std::unique_ptr<costruzione_in_memoria> tava(bool con_planimetria = true) {
    return costruisci(dati(file_linea_tava), dati(file_treno_tava), con_planimetria);
}

std::string pagina_di(const modello_scenario& m, const fonti_vista& f = {file_linea_tava, file_treno_tava}) {
    ingresso_vista i;
    i.modello = &m;
    i.fonti = f;
    i.file = {f.file_linea, f.file_treno};
    i.da_sorgenti = true;
    return pagina_vista(i);
}

// The text of the <svg> element of the class, empty when there is none.
std::string svg_di(const std::string& pagina, const std::string& classe) {
    const std::size_t a = pagina.find("<svg class=\"" + classe + "\"");
    if (a == std::string::npos) return "";
    return pagina.substr(a, pagina.find("</svg>", a) + 6 - a);
}

// The whole numbers that follow each occurrence of `prima`.
std::vector<int> numeri_dopo(const std::string& testo, const std::string& prima) {
    std::vector<int> r;
    for (std::size_t p = testo.find(prima); p != std::string::npos; p = testo.find(prima, p + 1)) {
        r.push_back(std::stoi(testo.substr(p + prima.size())));
    }
    return r;
}

std::size_t quante(const std::string& testo, const std::string& parte) {
    std::size_t n = 0;
    for (std::size_t p = testo.find(parte); p != std::string::npos; p = testo.find(parte, p + 1)) ++n;
    return n;
}

double attributo(const std::string& elemento, const std::string& nome) {
    const std::size_t p = elemento.find(" " + nome + "=\"");
    return std::stod(elemento.substr(p + nome.size() + 3));
}

// Every element that begins with `inizio`, up to its '>'.
std::vector<std::string> elementi(const std::string& testo, const std::string& inizio) {
    std::vector<std::string> r;
    for (std::size_t p = testo.find(inizio); p != std::string::npos; p = testo.find(inizio, p + 1)) {
        r.push_back(testo.substr(p, testo.find('>', p) - p));
    }
    return r;
}

std::vector<int> celle_di_tipo(const modello_scenario& m, std::uint8_t tipo) {
    std::vector<int> r;
    for (std::size_t i = 0; i < m.tracciato.size(); ++i) {
        if (m.tracciato[i].tipo == tipo) r.push_back(static_cast<int>(i));
    }
    return r;
}

std::vector<int> ordinati(std::vector<int> v) {
    std::sort(v.begin(), v.end());
    return v;
}

// The line of the source text (from 1) that holds `parte`.
int riga_con(const std::string& testo, const std::string& parte) {
    const std::size_t p = testo.find(parte);
    return p == std::string::npos
               ? 0
               : static_cast<int>(std::count(testo.begin(), testo.begin() + static_cast<long>(p), '\n')) + 1;
}

// The page without its one script, the zoom's own, which stands inline at the
// end of the body; a page without it fails.
std::string senza_script(const std::string& pagina) {
    const std::string script = "<script>" + std::string(testo_script_zoom()) + "</script>\n</body>";
    const std::size_t p = pagina.find(script);
    EXPECT_NE(p, std::string::npos) << "the page does not end with the zoom's script";
    if (p == std::string::npos) return pagina;
    return pagina.substr(0, p) + pagina.substr(p + script.size() - 7);
}

// Nothing on the page loads or names anything outside it: the script of the
// zoom neither.
void nessun_riferimento_esterno(const std::string& pagina_intera) {
    const std::string_view script = testo_script_zoom();
    for (const char* parola : {"//", "http", "src", "import", "fetch", "XMLHttpRequest", "eval", "</", "url(\"", "url('"}) {
        EXPECT_EQ(script.find(parola), std::string::npos) << parola;
    }
    const std::string pagina = senza_script(pagina_intera);
    EXPECT_EQ(pagina.find("http"), std::string::npos);
    EXPECT_EQ(pagina.find("src="), std::string::npos);
    EXPECT_EQ(pagina.find("@import"), std::string::npos);
    EXPECT_EQ(pagina.find("<script"), std::string::npos);
    EXPECT_EQ(pagina.find("<link"), std::string::npos);
    EXPECT_EQ(pagina.find("<img"), std::string::npos);
    EXPECT_EQ(pagina.find("//"), std::string::npos);
    for (std::size_t p = pagina.find("url("); p != std::string::npos; p = pagina.find("url(", p + 1)) {
        EXPECT_EQ(pagina.compare(p, 5, "url(#"), 0) << pagina.substr(p, 40);
    }
}

// ---- texts and numbers ----

TEST(TestoPagina, EscapesAndWindows1252) {
    EXPECT_EQ(escape_html("a<b & \"c\" 'd'>"), "a&lt;b &amp; &quot;c&quot; &#39;d&#39;&gt;");
    EXPECT_EQ(utf8_per_pagina("caff\xE8 \x80 \x9C"), "caff\xC3\xA8 \xE2\x82\xAC \xC5\x93");
    // Control characters, DEL and the undefined bytes cannot stand in a page.
    EXPECT_EQ(utf8_per_pagina(std::string("a\x01\x7F\x81\x9D", 5) + "b"),
              "a\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"
              "b");
    EXPECT_EQ(nome_html("<\xE8>"), "&lt;\xC3\xA8&gt;");
}

TEST(TestoPagina, NumbersWithoutLocale) {
    EXPECT_EQ(decimale(3.14159, 2), "3.14");
    EXPECT_EQ(decimale(-0.0001, 1), "0.0");
    EXPECT_EQ(decimale(-2.25, 1), "-2.2");
    EXPECT_EQ(decimale(1234567.5, 0), "1234568");
    EXPECT_EQ(coord(2.0), "2");
    EXPECT_EQ(coord(-0.04), "0");
    EXPECT_EQ(coord(12.349), "12.3");
    EXPECT_EQ(km(4250), "4.250");
    EXPECT_EQ(km(22000), "22.000");
    EXPECT_EQ(km(-50), "-0.050");
    EXPECT_EQ(km(7), "0.007");
    EXPECT_EQ(orario(72540), "20:09:00");
    EXPECT_EQ(orario(5), "0:00:05");
    EXPECT_EQ(intero(-32768), "-32768");
}

// ---- what the page takes from the model ----

TEST(OggettiVista, KindsOfCellsAndRuns) {
    modello_scenario m;
    m.tracciato.resize(30);
    auto metti = [&](int i, std::uint8_t tipo, std::int16_t v1 = 0) {
        m.tracciato[static_cast<std::size_t>(i)].tipo = tipo;
        m.tracciato[static_cast<std::size_t>(i)].valore1 = v1;
    };
    metti(2, tipo_cella::segnale);
    metti(3, tipo_cella::marca_montagna);
    metti(4, tipo_cella::tabella_con_valore, 180);
    metti(5, tipo_cella::tabella_con_valore, 120);
    metti(6, tipo_cella::tabella_senza_valore);
    metti(7, tipo_cella::inizio_rallentamento, 60);
    metti(9, tipo_cella::fine_rallentamento, 60);
    metti(12, tipo_cella::inizio_rallentamento, 30);  // no end after it: the slowdown is its start cell
    metti(14, tipo_cella::cartello, 80);
    metti(15, tipo_cella::indicatori_v_max);
    metti(16, 9);  // a kind the build never writes
    for (int i = 20; i <= 22; ++i) m.tracciato[static_cast<std::size_t>(i)].montagna = 2;
    m.tracciato[23].montagna = 3;
    m.scenario[voce::primo_cartello].nome = "SIGN";
    const oggetti_vista o = oggetti_del_modello(m);
    const conteggi_vista n = conta_oggetti(o);
    EXPECT_EQ(n.segnali, 1);
    EXPECT_EQ(n.tabelle_finitura, 1);
    EXPECT_EQ(n.abbattimenti, 2);
    EXPECT_EQ(n.rallentamenti, 2);
    EXPECT_EQ(n.cartelli, 1);
    EXPECT_EQ(n.indicatori, 1);
    EXPECT_EQ(n.montagne, 2);  // a change of kind starts another span
    ASSERT_EQ(o.rallentamenti.size(), 2u);
    EXPECT_EQ(o.rallentamenti[0].fine, 9);
    EXPECT_TRUE(o.rallentamenti[0].con_fine);
    EXPECT_EQ(o.rallentamenti[1].fine, 12);
    EXPECT_FALSE(o.rallentamenti[1].con_fine);
    ASSERT_EQ(o.montagne.size(), 2u);
    EXPECT_EQ(o.montagne[0].prima, 20);
    EXPECT_EQ(o.montagne[0].ultima, 22);
    std::set<tipo_marca> tipi;
    for (const marca_vista& x : o.marche) tipi.insert(x.tipo);
    EXPECT_TRUE(tipi.count(tipo_marca::sconosciuto));
    EXPECT_FALSE(std::any_of(o.marche.begin(), o.marche.end(), [](const marca_vista& x) { return x.cella == 3; }));
    // Every cell has a gradient, a speed and an adhesion: runs cover the track.
    ASSERT_EQ(o.pendenze.size(), 1u);
    EXPECT_EQ(o.pendenze[0].valore, -100);
    EXPECT_EQ(o.pendenze[0].ultima, 29);
}

TEST(OggettiVista, StationsAreTheEntriesFromOneUpToAGapOrASignText) {
    modello_scenario m;
    m.tracciato.resize(40);
    const int prima = voce::prima_stazione;
    m.scenario[prima].nome = "A";
    m.scenario[prima + 1].valore3 = 500;  // a station without a name is still a station
    m.scenario[prima + 2].nome = "SIGN TEXT";
    m.tracciato[20].tipo = tipo_cella::cartello;
    m.tracciato[20].valore1 = prima + 2;
    m.tracciato[11].tipo = tipo_cella::marca_stazione;
    m.tracciato[11].valore1 = prima + 1;
    m.scenario[prima + 4].nome = "AFTER A GAP";
    const std::vector<stazione_vista> s = stazioni_del_modello(m);
    ASSERT_EQ(s.size(), 2u);
    EXPECT_EQ(s[0].voce, prima);
    EXPECT_EQ(s[0].cella, -1);
    EXPECT_EQ(s[1].voce, prima + 1);
    EXPECT_EQ(s[1].cella, 11);
}

// ---- the page of the embedded scenario ----

TEST(PaginaVista, OneMarkPerStationAndSignalOfTheModelInBothDrawings) {
    const auto c = tava();
    const modello_scenario& m = c->modello;
    ASSERT_EQ(m.codice_errore, 0);
    const std::string p = pagina_di(m);
    const std::string pianta = svg_di(p, "pianta");
    const std::string profilo = svg_di(p, "profilo");
    ASSERT_FALSE(pianta.empty());
    ASSERT_FALSE(profilo.empty());
    const std::vector<int> segnali = celle_di_tipo(m, tipo_cella::segnale);
    ASSERT_EQ(segnali.size(), 9u);
    EXPECT_EQ(ordinati(numeri_dopo(pianta, "<circle class=\"segnale\" data-cella=\"")), segnali);
    EXPECT_EQ(ordinati(numeri_dopo(profilo, "<g class=\"segnale\" data-cella=\"")), segnali);
    EXPECT_EQ(quante(pianta, "class=\"segnale\""), segnali.size());
    EXPECT_EQ(quante(profilo, "class=\"segnale\""), segnali.size());
    const std::vector<int> voci = {1, 2, 3, 4, 5, 6, 7};
    EXPECT_EQ(numeri_dopo(pianta, "<circle class=\"stazione\" data-voce=\""), voci);
    EXPECT_EQ(numeri_dopo(profilo, "<g class=\"stazione\" data-voce=\""), voci);
    EXPECT_EQ(quante(pianta, "class=\"stazione\""), voci.size());
    EXPECT_EQ(quante(profilo, "class=\"stazione\""), voci.size());
    // The one indication sign, in both drawings, at its cell.
    const std::vector<int> cartelli = celle_di_tipo(m, tipo_cella::cartello);
    EXPECT_EQ(numeri_dopo(pianta, "<circle class=\"cartello\" data-cella=\""), cartelli);
    EXPECT_EQ(numeri_dopo(profilo, "<g class=\"cartello\" data-cella=\""), cartelli);
    for (int v : voci) {
        const std::string nome = nome_html(m.scenario[static_cast<std::size_t>(v)].nome);
        EXPECT_NE(pianta.find(">" + nome + "</text>"), std::string::npos) << nome;
        EXPECT_NE(profilo.find(">" + nome + "</text>"), std::string::npos) << nome;
        EXPECT_NE(p.find("<td class=\"nome\">" + nome + "</td>"), std::string::npos) << nome;
    }
}

TEST(PaginaVista, NamesLengthAndCountsAtTheTop) {
    const auto c = tava();
    const std::string p = pagina_di(c->modello);
    EXPECT_NE(p.find("<h1>Tava Aeroporto-Rovea <span class=\"treno\">\xE2\x80\x93 train 30742</span></h1>"),
              std::string::npos);
    EXPECT_NE(p.find("declared length <b>22000 m</b>"), std::string::npos);
    for (const char* conteggio :
         {"<b>7</b> stations", "<b>9</b> signals", "<b>0</b> slowdowns", "<b>1</b> indication sign<",
          "<b>1</b> mountain span<", "<b>0</b> abbattimento boards", "<b>0</b> finishing boards"}) {
        EXPECT_NE(p.find(conteggio), std::string::npos) << conteggio;
    }
    EXPECT_NE(p.find("Tava Aeroporto-Rovea_linea.txt"), std::string::npos);
    EXPECT_EQ(p.find("class=\"stato\""), std::string::npos);
}

TEST(PaginaVista, SelfContainedWithOnlyItsOwnScript) {
    const auto c = tava();
    const std::string p = pagina_di(c->modello);
    EXPECT_EQ(p.compare(0, 15, "<!DOCTYPE html>"), 0);
    EXPECT_NE(p.find("<meta charset=\"utf-8\">"), std::string::npos);
    nessun_riferimento_esterno(p);
    // The drawings scale with the page.
    EXPECT_NE(p.find("<svg class=\"pianta\" viewBox=\"0 0 1300 "), std::string::npos);
    EXPECT_NE(p.find("<svg class=\"profilo\" viewBox=\"0 0 1300 "), std::string::npos);
}

// The embedded scenario's names and texts, as `view` gives them from the sources.
fonti_vista fonti_tava() {
    static const std::string linea = dati(file_linea_tava);
    static const std::string treno = dati(file_treno_tava);
    return {file_linea_tava, file_treno_tava, &linea, &treno, nullptr};
}

TEST(PaginaVista, HoverTextsNameTheRecordThatMadeTheObject) {
    const auto c = tava();
    const modello_scenario& m = c->modello;
    const std::string p = pagina_di(m, fonti_tava());
    const std::string treno = dati(file_treno_tava);
    // The signal at 1650 m stands in cell 34, the cell after its position's own.
    const int riga = riga_con(treno, "segnale,    1650");
    ASSERT_GT(riga, 0);
    const std::string profilo = svg_di(p, "profilo");
    const std::size_t segnale = profilo.find("<g class=\"segnale\" data-cella=\"34\">");
    ASSERT_NE(segnale, std::string::npos);
    const std::string titolo = profilo.substr(segnale, profilo.find("</title>", segnale) - segnale);
    EXPECT_NE(titolo.find("<title>Signal at 1650 m (line " + std::to_string(riga) + " of " + file_treno_tava +
                          ": \u201Csegnale\u201D)\nsx 2, s1 4, s2 1, s3 0, rapp 0, dx 2, d1 2, d2 1, d3 0, tempo 0\n"
                          "Built: the signal in cell 34 (metres 1700 to 1749, km 1.700), the cell after the own cell "
                          "of 1650 m (cell 33)\nvalues 42 (s1 4, d1 2), 11 (s2 1, d2 1), 0 (s3 0, d3 0), 8 (rapp 0, "
                          "sx \u00d7 3 + dx 8); time 0\napproach markers in cells 32, 30, 28, 26"),
              std::string::npos)
        << titolo;
    // The plan's hover of the same signal says the same.
    const std::string testo = titolo.substr(titolo.find("<title>"));
    EXPECT_EQ(quante(svg_di(p, "pianta"), testo + "</title>"), 1u);
    EXPECT_EQ(quante(profilo, testo + "</title>"), 1u);
    // A station: its record line in the train file, its name as written.
    const int riga_rovea = riga_con(treno, "ROVEA");
    const std::size_t rovea = profilo.find("<g class=\"stazione\" data-voce=\"7\">");
    ASSERT_NE(rovea, std::string::npos);
    const std::string t = profilo.substr(rovea, profilo.find("</title>", rovea) - rovea);
    EXPECT_NE(t.find("<title>Station ROVEA at 22000 m (line " + std::to_string(riga_rovea) + " of " + file_treno_tava +
                     ": \u201Cstazione\u201D)\nkind 12, length 500 m, "),
              std::string::npos)
        << t;
    EXPECT_NE(t.find("hours 20, minutes 50, seconds 0, name \u201CROVEA\u201D\nBuilt: entry 7 of the table, "
                     "position 22000 m (km 22.000), kind 12\nextent 21750 to 22250 m (km 21.750\u201322.250), centred "
                     "on the position\ntime 20:50:00; station marker in cell"),
              std::string::npos)
        << t;
    // The sign, from the line file.
    const int riga_cartello = riga_con(dati(file_linea_tava), "cartello_indicatore");
    EXPECT_NE(p.find("Indication sign at 500 m (line " + std::to_string(riga_cartello) + " of " + file_linea_tava +
                     ": \u201Ccartello_indicatore\u201D)\ntext \u201C( PASSAGGIO A)(  LIVELLO   )\u201D\nBuilt: the "
                     "sign in cell 11 (metres 550 to 599, km 0.550), the cell after the own cell of 500 m (cell 10)"),
              std::string::npos);
}

TEST(PaginaVista, DecodedModelsGiveNoRecordPlaces) {
    auto c = tava();
    modello_scenario& m = c->modello;
    m.origine_celle.clear();
    m.origine_voci = {};
    m.curve_lette.clear();
    const std::string p = pagina_di(m, {});
    EXPECT_EQ(p.find(" (line "), std::string::npos);
    EXPECT_NE(p.find("<title>Signal: the record that made it is not known (the page was made from the binary files)\n"
                     "Built: the signal in cell 34 "),
              std::string::npos);
}

// Built from the sources, a page made without their texts names each record's
// line and says that its values cannot be read.
TEST(PaginaVista, WithoutTheTextsTheRecordsLineStays) {
    const auto c = tava();
    const std::string p = pagina_di(c->modello);
    const int riga = riga_con(dati(file_treno_tava), "segnale,    1650");
    EXPECT_NE(p.find("<title>Signal (line " + std::to_string(riga) + " of " + file_treno_tava +
                     "; its values cannot be read there again)\nBuilt: the signal in cell 34 "),
              std::string::npos);
}

TEST(PaginaVista, WithoutAPlanTheProfileStaysAndThePageSaysSo) {
    const auto c = tava(false);
    const std::string p = pagina_di(c->modello);
    EXPECT_TRUE(svg_di(p, "pianta").empty());
    EXPECT_NE(p.find("No plan: the scenario was built without one (--no-plan)."), std::string::npos);
    const std::string profilo = svg_di(p, "profilo");
    EXPECT_EQ(quante(profilo, "<g class=\"segnale\""), 9u);
    EXPECT_EQ(quante(profilo, "<g class=\"stazione\""), 7u);
}

TEST(PaginaVista, TheSameModelGivesTheSameBytes) {
    const auto a = tava();
    const auto b = tava();
    EXPECT_EQ(pagina_di(a->modello), pagina_di(b->modello));
}

// A model whose plan has metres 0 to `metri` - 1 at the points `punto` gives
// (and two more without a value), on a track that reaches past them.
template <typename F>
modello_scenario modello_con_piano(std::int32_t metri, F punto) {
    modello_scenario m;
    m.scenario[voce::dati_generali].valore2 = metri - 1;
    m.scenario[voce::dati_linea].nome = "P";
    m.scenario[voce::dati_treno].nome = "1";
    m.tracciato.resize(static_cast<std::size_t>(metri / 50 + 2));
    planimetria_linea& p = m.planimetria;
    p.ultimo_metro = metri + 1;
    const std::size_t n = static_cast<std::size_t>(metri) + 2;
    p.tipi.assign(2 * n, tipo_valore::vuoto);
    p.valori.assign(2 * n, 0.0);
    for (std::int32_t i = 0; i < metri; ++i) {
        double x, y;
        punto(i, x, y);
        p.tipi[elemento_planimetria(p, i, 0)] = p.tipi[elemento_planimetria(p, i, 1)] = tipo_valore::doppio;
        p.valori[elemento_planimetria(p, i, 0)] = x;
        p.valori[elemento_planimetria(p, i, 1)] = y;
    }
    return m;
}

// The points of the polyline of the class.
std::vector<std::pair<double, double>> punti_linea(const std::string& svg, const std::string& classe) {
    const std::string inizio = "<polyline class=\"" + classe + "\" points=\"";
    const std::size_t a = svg.find(inizio);
    std::vector<std::pair<double, double>> r;
    if (a == std::string::npos) return r;
    std::string testo = svg.substr(a + inizio.size(), svg.find('"', a + inizio.size()) - a - inizio.size());
    std::replace(testo.begin(), testo.end(), ',', ' ');
    std::istringstream in(testo);
    double x, y;
    while (in >> x >> y) r.push_back({x, y});
    return r;
}

TEST(PiantaVista, OneScaleOnBothAxesAndFewPointsForStraightLines) {
    // An L: 3000 m east, then 1500 m north.
    const modello_scenario m = modello_con_piano(4501, [](std::int32_t i, double& x, double& y) {
        x = i <= 3000 ? i : 3000;
        y = i <= 3000 ? 0 : i - 3000;
    });
    const std::string pianta = svg_di(pagina_di(m, {}), "pianta");
    const auto p = punti_linea(pianta, "linea");
    ASSERT_EQ(p.size(), 3u);  // the two ends and the corner
    EXPECT_DOUBLE_EQ(p[0].second, p[1].second);
    EXPECT_DOUBLE_EQ(p[1].first, p[2].first);
    const double l = p[1].first - p[0].first, a = p[1].second - p[2].second;  // y grows upward
    EXPECT_GT(l, 500);
    EXPECT_NEAR(l / a, 2.0, 0.01);
    EXPECT_EQ(pianta.find("nan"), std::string::npos);
}

TEST(PiantaVista, CurvesKeepTheirShapeWithinAFractionOfAUnit) {
    const auto c = tava();
    const std::string pianta = svg_di(pagina_di(c->modello), "pianta");
    const auto p = punti_linea(pianta, "linea");
    EXPECT_GT(p.size(), 20u);
    EXPECT_LT(p.size(), 1500u);  // from 22000 metres
    // No two drawn points are far apart on a curve: consecutive points never
    // jump across more than the drawing.
    for (std::size_t i = 1; i < p.size(); ++i) {
        EXPECT_LT(std::fabs(p[i].first - p[i - 1].first) + std::fabs(p[i].second - p[i - 1].second), 800);
    }
}

TEST(PiantaVista, APlanThatCannotBeDrawnIsShownAsAbsent) {
    const modello_scenario m = modello_con_piano(100, [](std::int32_t i, double& x, double& y) {
        x = i == 50 ? 1.7e308 : -1.7e308;
        y = 0;
    });
    const std::string p = pagina_di(m, {});
    EXPECT_TRUE(svg_di(p, "pianta").empty());
    EXPECT_EQ(p.find("nan"), std::string::npos);
    // A plan of one metre, or none, likewise.
    const modello_scenario uno = modello_con_piano(1, [](std::int32_t, double& x, double& y) { x = y = 0; });
    EXPECT_TRUE(svg_di(pagina_di(uno, {}), "pianta").empty());
}

// ---- names from files are escaped ----

std::string linea_semplice(const std::string& corpo = "") {
    return righe_crlf("[generale]", "lunghezza percorso,    12000", "[curve]", "curvad3,  3000,  2000",
                      "curvas4,  7000,  1500", "pendenza,  0,   -3", "pendenza,  5000,   12") +
           corpo + righe_crlf("[fine]");
}

std::string treno_semplice(const std::string& corpo) {
    return righe_crlf("[generale]", "velocita,   0,    80", "aderenza,   0,    100") + corpo + righe_crlf("[fine]");
}

TEST(PaginaVista, NamesAndTextsFromFilesAreEscaped) {
    const std::string cattivo = "A<b>&\"c\" 'd' \xE8";
    const std::string linea = linea_semplice(righe_crlf("cartello_indicatore,  2000,   <script>x</script>"));
    const std::string treno =
        treno_semplice(righe_crlf("stazione, 1000, 12, 400, 0,0,0, 0,0,0, 0,0,0, 0,0,0, 0, " + cattivo));
    const auto c = costruisci(linea, treno, true, {"L<&>\"", "7&8"});
    const modello_scenario& m = c->modello;
    ASSERT_EQ(m.codice_errore, 0);
    const std::string p = pagina_di(m, {"L<&>\"_linea.txt", "L<&>\"_7&8-.txt", &linea, &treno, nullptr});
    const std::string sicuro = "A&lt;b&gt;&amp;&quot;c&quot; &#39;d&#39; \xC3\xA8";
    EXPECT_EQ(p.find(cattivo), std::string::npos);
    EXPECT_EQ(quante(p, "<script"), 1u);
    EXPECT_NE(p.find("&lt;script&gt;x&lt;/script&gt;"), std::string::npos);
    EXPECT_EQ(quante(svg_di(p, "pianta"), ">" + sicuro + "</text>"), 1u);
    EXPECT_EQ(quante(svg_di(p, "profilo"), ">" + sicuro + "</text>"), 1u);
    EXPECT_NE(p.find("<title>Station " + sicuro + " at 1000 m (line 4 of L&lt;&amp;&gt;&quot;_7&amp;8-.txt: "
                     "\u201Cstazione\u201D)\n"),
              std::string::npos);
    EXPECT_NE(p.find("name \u201C" + sicuro + "\u201D\nBuilt: "), std::string::npos);
    EXPECT_NE(p.find("<h1>L&lt;&amp;&gt;&quot; <span class=\"treno\">\xE2\x80\x93 train 7&amp;8</span></h1>"),
              std::string::npos);
    EXPECT_NE(p.find("<title>L&lt;&amp;&gt;&quot; \xE2\x80\x93 train 7&amp;8</title>"), std::string::npos);
    nessun_riferimento_esterno(p);
}

TEST(PaginaVista, TheBuildsWarningsAreListedEscaped) {
    const std::string linea = linea_semplice(righe_crlf("pendensa<&>,  6000,   1"));
    const auto c = costruisci(linea, treno_semplice(""), true, {"L", "1"});
    ASSERT_FALSE(c->modello.avvisi.empty());
    const std::string p = pagina_di(c->modello, {"L_linea.txt", "L_1-.txt"});
    EXPECT_NE(p.find("<details class=\"avvisi\"><summary>The build gave 1 warning</summary>"), std::string::npos);
    EXPECT_NE(p.find("<li>L_linea.txt, line " + std::to_string(riga_con(linea, "pendensa")) +
                     ", column 1: &#39;pendensa&lt;&amp;&gt;&#39; matches no record"),
              std::string::npos);
    EXPECT_EQ(p.find("pendensa<"), std::string::npos);
    auto t = tava();
    t->modello.avvisi.clear();
    EXPECT_EQ(pagina_di(t->modello).find("<details"), std::string::npos);
}

// ---- labels ----

// Twenty stations 500 m apart with long names, signals, a slowdown, boards.
std::unique_ptr<costruzione_in_memoria> affollata() {
    std::string stazioni;
    for (int i = 0; i < 20; ++i) {
        stazioni += "stazione, " + std::to_string(1000 + 500 * i) +
                    ", 12, 100, 0,0,0, 0,0,0, 0,0,0, 0,0,0, 0, STAZIONE " + "NUMERO " + std::to_string(i + 1) +
                    " DI PROVA\r\n";
    }
    const std::string altro = righe_crlf(
        "segnale,    1250,   2, 4, 1,  0, 0,    2,  2,1,0, 0", "segnale,    6250,   2, 4, 1,  0, 0,    2,  2,1,0, 0",
        "rallentamento, 8100, 30, 600, 0, 1, 0", "abbattimento, 11800, 60", "abbattimento, 11900, 0");
    return costruisci(
        linea_semplice(righe_crlf("montagna,   4000,  5000,  12", "indicatori_v, 10100, 1, 2, 3, 1, 30, 30, 30, 2")),
        treno_semplice(stazioni + altro));
}

rettangolo scatola_testo(const std::string& e) {
    const double l = attributo(e, "textLength");
    return {attributo(e, "x"), attributo(e, "y") - 12, l, 14};
}

void senza_sovrapposizioni(const std::vector<rettangolo>& r) {
    for (std::size_t i = 0; i < r.size(); ++i) {
        for (std::size_t j = i + 1; j < r.size(); ++j) {
            EXPECT_FALSE(si_sovrappongono(r[i], r[j])) << "labels " << i << " and " << j;
        }
    }
}

TEST(EtichetteVista, CrowdedStationsGetLabelsThatDoNotOverlap) {
    const auto c = affollata();
    const modello_scenario& m = c->modello;
    ASSERT_EQ(m.codice_errore, 0) << m.codice_errore;
    const std::string p = pagina_di(m);
    const std::string pianta = svg_di(p, "pianta");
    std::vector<rettangolo> fondi;
    for (const std::string& e : elementi(pianta, "<rect class=\"fondo-etichetta\"")) {
        fondi.push_back({attributo(e, "x"), attributo(e, "y"), attributo(e, "width"), attributo(e, "height")});
    }
    EXPECT_EQ(fondi.size(), 20u + 2 + 5);  // stations, start and end, km posts every 2 km
    senza_sovrapposizioni(fondi);
    std::vector<rettangolo> nomi;
    for (const std::string& e : elementi(svg_di(p, "profilo"), "<text class=\"nome-stazione\"")) {
        nomi.push_back(scatola_testo(e));
    }
    EXPECT_EQ(nomi.size(), 20u);
    senza_sovrapposizioni(nomi);
    const conteggi_vista n = conta_oggetti(oggetti_del_modello(m));
    EXPECT_EQ(n.stazioni, 20);
    EXPECT_EQ(n.rallentamenti, 1);
    EXPECT_EQ(n.abbattimenti, 2);
    EXPECT_EQ(n.indicatori, 1);
    EXPECT_GT(n.tabelle_finitura, 0);
    const std::vector<std::string> conteggi = {"<b>20</b> stations", "<b>1</b> slowdown<",
                                               "<b>2</b> abbattimento boards", "<b>1</b> speed-indicator pair<",
                                               "<b>" + std::to_string(n.tabelle_finitura) + "</b> finishing boards"};
    for (const std::string& s : conteggi) {
        EXPECT_NE(p.find(s), std::string::npos) << s;
    }
    EXPECT_EQ(quante(svg_di(p, "profilo"), "<rect class=\"banda-rallentamento\""), 1u);
    EXPECT_EQ(quante(svg_di(p, "profilo"), "<rect class=\"banda-montagna\""), 1u);
}

TEST(EtichetteVista, ALabelAvoidsLinesLabelsAndTheEdges) {
    const rettangolo area{0, 0, 400, 300};
    // A horizontal line through the point: the label goes above or below it.
    const std::vector<segmento> linee = {{0, 150, 400, 150}};
    const auto a = disponi_etichette({{200, 150, 80, 16, 0, -1}, {205, 150, 80, 16, 0, -1}}, linee, {}, area);
    ASSERT_EQ(a.size(), 2u);
    EXPECT_FALSE(si_sovrappongono(a[0].r, a[1].r));
    for (const etichetta_posta& e : a) {
        EXPECT_FALSE(segmento_tocca(linee[0], e.r));
        EXPECT_GE(e.r.x, 0);
        EXPECT_LE(e.r.y + e.r.a, 300);
    }
    EXPECT_LT(a[0].r.y + a[0].r.a, 150);  // its preferred side
    // At the edge the label turns inside.
    const auto b = disponi_etichette({{395, 5, 60, 14, 1, 0}}, {}, {}, area);
    EXPECT_GE(b[0].r.x, 0);
    EXPECT_LE(b[0].r.x + b[0].r.l, 400);
    EXPECT_TRUE(b[0].guida || b[0].r.x < 395);
}

// The placement the labels must get, found the plain way: every candidate
// place tested against every segment, obstacle and label placed before.
std::vector<rettangolo> posti_di_riferimento(const std::vector<richiesta_etichetta>& richieste,
                                             const std::vector<segmento>& linee,
                                             const std::vector<rettangolo>& ostacoli, const rettangolo& area) {
    const double distanze[] = {8, 14, 20, 30, 44, 60, 80, 105, 135, 170, 210, 260};
    std::vector<rettangolo> poste;
    for (const richiesta_etichetta& q : richieste) {
        std::vector<int> ordine(16);
        std::vector<std::array<double, 2>> direzioni(16);
        for (int i = 0; i < 16; ++i) {
            ordine[static_cast<std::size_t>(i)] = i;
            const double a = i * 0.39269908169872414;  // 22.5 degrees, counter-clockwise with y down
            direzioni[static_cast<std::size_t>(i)] = {std::round(std::cos(a) * 1e8) / 1e8, -std::round(std::sin(a) * 1e8) / 1e8};
        }
        const auto vicinanza = [&](int i) {
            return direzioni[static_cast<std::size_t>(i)][0] * q.dx + direzioni[static_cast<std::size_t>(i)][1] * q.dy;
        };
        std::stable_sort(ordine.begin(), ordine.end(), [&](int a, int b) { return vicinanza(a) > vicinanza(b); });
        const auto candidato = [&](int d, double r) {
            const auto& v = direzioni[static_cast<std::size_t>(d)];
            const double cx = q.px + v[0] * (r + q.l / 2), cy = q.py + v[1] * (r + q.a / 2);
            return rettangolo{cx - q.l / 2, cy - q.a / 2, q.l, q.a};
        };
        rettangolo migliore = candidato(0, distanze[0]);
        double minimo = std::numeric_limits<double>::max();
        bool trovata = false;
        for (const double r : distanze) {
            for (const int d : ordine) {
                const rettangolo x = candidato(d, r);
                double n = std::numeric_limits<double>::max();
                if (x.x >= area.x && x.y >= area.y && x.x + x.l <= area.x + area.l && x.y + x.a <= area.y + area.a) {
                    const rettangolo largo{x.x - 3, x.y - 3, x.l + 6, x.a + 6};
                    const segmento guida{q.px, q.py, std::clamp(q.px, x.x, x.x + x.l), std::clamp(q.py, x.y, x.y + x.a)};
                    n = 0;
                    for (const rettangolo& p : poste) {
                        n += si_sovrappongono(largo, p) ? 1000 : (segmento_tocca(guida, p) ? 500 : 0);
                    }
                    for (const rettangolo& o : ostacoli) n += si_sovrappongono(largo, o) ? 100 : 0;
                    for (const segmento& s : linee) n += segmento_tocca(s, largo) ? 1 : 0;
                }
                if (n == 0 && !trovata) {
                    migliore = x;
                    trovata = true;
                }
                if (!trovata && n < minimo) {
                    minimo = n;
                    migliore = x;
                }
            }
        }
        poste.push_back(migliore);
    }
    return poste;
}

// The places do not depend on how the collisions are found: crowded, long,
// tiny, grid-aligned and non-finite segments and obstacles give the places the
// plain search gives, bit for bit.
TEST(EtichetteVista, PlacesAreThoseOfTestingEverySegment) {
    const rettangolo area{4, 4, 1292, 600};
    std::mt19937_64 caso(24);
    const auto u = [&](double a, double b) { return std::uniform_real_distribution<double>(a, b)(caso); };
    const double inf = std::numeric_limits<double>::infinity(), nan = std::numeric_limits<double>::quiet_NaN();
    struct prova {
        const char* nome;
        int segmenti;
        double lunghezza;  // largest step between the ends of a segment
        int ostacoli;
    };
    const prova prove[] = {
        {"random long segments", 3000, 2000, 50},
        {"a dense polyline", 6000, 12, 400},
        {"short segments and many obstacles", 2000, 3, 3000},
        {"no segment", 0, 0, 20},
    };
    for (const prova& p : prove) {
        std::vector<segmento> linee;
        double x = u(0, 1300), y = u(0, 610);
        for (int i = 0; i < p.segmenti; ++i) {
            const double x2 = std::clamp(x + u(-p.lunghezza, p.lunghezza), -50.0, 1350.0);
            const double y2 = std::clamp(y + u(-p.lunghezza, p.lunghezza), -50.0, 660.0);
            linee.push_back({x, y, x2, y2});
            x = x2;
            y = y2;
        }
        // On the edges of the grid's squares and of the area, a point, and
        // segments that are no numbers or reach to infinity.
        for (double k = 0; k < 30; ++k) {
            linee.push_back({4 - 3 + 24 * k, 1, 4 - 3 + 24 * k, 700});
            linee.push_back({-10, 4 - 3 + 24 * k, 1400, 4 - 3 + 24 * k + 1e-9});
        }
        linee.push_back({300, 300, 300, 300});
        linee.push_back({nan, 10, 500, 500});
        linee.push_back({-inf, 200, inf, 200});
        linee.push_back({600, -inf, 600, 250});
        linee.push_back({1e300, -1e300, -1e300, 1e300});
        std::vector<rettangolo> ostacoli;
        for (int i = 0; i < p.ostacoli; ++i) ostacoli.push_back({u(0, 1300), u(0, 610), u(1, 12), u(1, 12)});
        ostacoli.push_back({nan, 100, 10, 10});
        ostacoli.push_back({500, 100, inf, 10});
        std::vector<richiesta_etichetta> richieste;
        for (int i = 0; i < 60; ++i) {
            const double a = u(0, 6.283185307179586);
            richieste.push_back({u(0, 1300), u(0, 610), u(20, 160), u(12, 18), std::cos(a), std::sin(a)});
        }
        const std::vector<etichetta_posta> poste = disponi_etichette(richieste, linee, ostacoli, area);
        const std::vector<rettangolo> attese = posti_di_riferimento(richieste, linee, ostacoli, area);
        ASSERT_EQ(poste.size(), attese.size()) << p.nome;
        for (std::size_t i = 0; i < poste.size(); ++i) {
            EXPECT_EQ(std::bit_cast<std::uint64_t>(poste[i].r.x), std::bit_cast<std::uint64_t>(attese[i].x))
                << p.nome << ", label " << i;
            EXPECT_EQ(std::bit_cast<std::uint64_t>(poste[i].r.y), std::bit_cast<std::uint64_t>(attese[i].y))
                << p.nome << ", label " << i;
        }
    }
}

// ---- curves, heights and kilometres, read from the page's data ----

// A line of 6000 m that counts from km 42.5 at its start, and from km 60.1
// at 3500 m (60000, and 100 for the flag); a right curve of grade 3 and a
// left one of grade 5; gradients of 10, -5 and 0 per mille.
std::string linea_con_progressive() {
    return righe_crlf("[generale]", "lunghezza percorso,    6000", "progressiva chilometrica uno,    0,    42500,    0",
                      "progressiva chilometrica due,    3500,    60000,    1", "[curve]", "curvad3,  1000,  800",
                      "curvas5,  3000,  500", "[pendenze]", "pendenza,  0,   10", "pendenza,  2000,   -5",
                      "pendenza,  4000,   0", "[fine]");
}

std::unique_ptr<costruzione_in_memoria> con_progressive() {
    return costruisci(linea_con_progressive(), treno_semplice(""), true, {"L", "1"});
}

const fonti_vista fonti_l = {"L_linea.txt", "L_1-.txt"};

// The text of an attribute of an element.
std::string testo_attributo(const std::string& elemento, const std::string& nome) {
    const std::size_t p = elemento.find(" " + nome + "=\"");
    if (p == std::string::npos) return "";
    const std::size_t a = p + nome.size() + 3;
    return elemento.substr(a, elemento.find('"', a) - a);
}

// The listed attributes of every element that begins with `inizio`, one row
// of texts per element.
std::vector<std::vector<std::string>> dati_di(const std::string& testo, const std::string& inizio,
                                              const std::vector<std::string>& nomi) {
    std::vector<std::vector<std::string>> r;
    for (const std::string& e : elementi(testo, inizio)) {
        std::vector<std::string> riga;
        for (const std::string& n : nomi) riga.push_back(testo_attributo(e, n));
        r.push_back(riga);
    }
    return r;
}

using righe_dati = std::vector<std::vector<std::string>>;

const std::vector<std::string> dati_curve = {"data-inizio", "data-fine", "data-grado", "data-lato", "data-raggio"};
const righe_dati curve_attese = {{"1000", "1800", "3", "destra", "2500"}, {"3000", "3500", "5", "sinistra", "500"}};

// The hover text inside the element that begins with `inizio`.
std::string titolo_dopo(const std::string& testo, const std::string& inizio) {
    const std::size_t a = testo.find(inizio);
    if (a == std::string::npos) return "";
    const std::size_t t = testo.find("<title>", a) + 7;
    return testo.substr(t, testo.find("</title>", t) - t);
}

TEST(DatiVista, CurvesHeightsAndPostsStandWhereTheSourcesPutThem) {
    const auto c = con_progressive();
    const modello_scenario& m = c->modello;
    ASSERT_EQ(m.codice_errore, 0);
    const std::string linea = linea_con_progressive(), treno = treno_semplice("");
    const std::string p = pagina_di(m, {"L_linea.txt", "L_1-.txt", &linea, &treno});
    const std::string pianta = svg_di(p, "pianta"), profilo = svg_di(p, "profilo");
    // Each curve an arc of the plan and a bar of the profile's lane.
    EXPECT_EQ(dati_di(pianta, "<polyline class=\"curva-", dati_curve), curve_attese);
    EXPECT_EQ(dati_di(profilo, "<g class=\"curva-", dati_curve), curve_attese);
    const std::string curva = titolo_dopo(pianta, "<polyline class=\"curva-destra\"");
    EXPECT_EQ(curva, "Curve to the right, grade 3 at 1000 m (line " + std::to_string(riga_con(linea, "curvad3")) +
                         " of L_linea.txt: \xE2\x80\x9C" "curvad3\xE2\x80\x9D)\nstart 1000 m, length 800 m\nBuilt: the plan "
                         "bends from metre 1000 to 1800 (km 43.5\xE2\x80\x93" "44.3), 800 m, turning 0.0004 per metre: "
                         "radius 2500 m");
    EXPECT_EQ(titolo_dopo(profilo, "<g class=\"curva-destra\""), curva);
    EXPECT_NE(profilo.find(">L5</text>"), std::string::npos);
    // Posts of the plan where the count reaches a whole km, and where the
    // second progressive begins; the start and the end with their readings.
    const std::vector<std::string> dati_km = {"data-metro", "data-km"};
    EXPECT_EQ(dati_di(pianta, "<g class=\"cippo\"", dati_km),
              (righe_dati{{"500", "43.000"},
                          {"1500", "44.000"},
                          {"2500", "45.000"},
                          {"3500", "60.100"},
                          {"4400", "61.000"},
                          {"5400", "62.000"}}));
    EXPECT_EQ(dati_di(pianta, "<circle class=\"inizio\"", dati_km), (righe_dati{{"0", "42.500"}}));
    EXPECT_EQ(dati_di(pianta, "<rect class=\"fine\"", dati_km), (righe_dati{{"6000", "62.600"}}));
    EXPECT_NE(pianta.find(">km 60.1</text>"), std::string::npos);
    EXPECT_NE(pianta.find(">start, km 42.5</text>"), std::string::npos);
    EXPECT_EQ(titolo_dopo(pianta, "<g class=\"cippo\" data-metro=\"3500\""),
              "Kilometre count from here: km 60.1, at metre 3500\nKilometric progressive at 3500 m (line " +
                  std::to_string(riga_con(linea, "progressiva chilometrica due")) +
                  " of L_linea.txt)\nstart 3500 m, value 60000, flag 1\nBuilt: entry 81 of the table (start 3500, "
                  "value 60100, 100 added by the flag): from metre 3500 the line counts on from km 60.1");
    EXPECT_EQ(titolo_dopo(pianta, "<g class=\"cippo\" data-metro=\"500\""),
              "Kilometre post: km 43, at metre 500\nKilometric progressive at 0 m (line " +
                  std::to_string(riga_con(linea, "progressiva chilometrica uno")) +
                  " of L_linea.txt)\nstart 0 m, value 42500, flag 0\nBuilt: entry 82 of the table (start 0, value "
                  "42500): from metre 0 the line counts on from km 42.5");
    // The profile's axis every 500 m of reading, and at the change.
    righe_dati asse;
    for (const int metro : {0, 500, 1000, 1500, 2000, 2500, 3000}) {
        asse.push_back({std::to_string(metro), km(42500 + metro)});
    }
    for (const int metro : {3500, 3900, 4400, 4900, 5400, 5900, 6400}) {
        asse.push_back({std::to_string(metro), km(60100 + metro - 3500)});
    }
    EXPECT_EQ(dati_di(profilo, "<g class=\"tacca-km\"", dati_km), asse);
    // The height climbs 20 m at 10 per mille over 2000 m, falls 10 m at -5,
    // then stays; the gradients in per mille over the same runs.
    righe_dati quote;
    for (const auto& r : dati_di(profilo, "<rect class=\"zona\" data-inizio",
                                 {"data-inizio", "data-fine", "data-quota-inizio", "data-quota-fine"})) {
        if (!r[2].empty()) quote.push_back(r);
    }
    const righe_dati quote_attese = {{"0", "2000", "0.00", "20.00"}, {"2000", "4000", "20.00", "10.00"}};
    ASSERT_EQ(quote.size(), 3u);
    EXPECT_EQ(righe_dati(quote.begin(), quote.begin() + 2), quote_attese);
    EXPECT_EQ(quote[2][0], "4000");
    EXPECT_EQ(quote[2][3], "10.00");
    const righe_dati pendenze =
        dati_di(profilo, "<rect class=\"zona\" data-inizio", {"data-inizio", "data-fine", "data-pendenza"});
    std::vector<std::string> date;
    for (const auto& r : pendenze) {
        if (!r[2].empty()) date.push_back(r[0] + ":" + r[2]);
    }
    EXPECT_EQ(date, (std::vector<std::string>{"0:10", "2000:-5", "4000:0"}));
    // The author's units on the axes.
    EXPECT_NE(profilo.find(">Gradient, \xE2\x80\xB0 (per mille), as written</text>"), std::string::npos);
    EXPECT_NE(profilo.find(">Speed limit, km/h</text>"), std::string::npos);
    EXPECT_NE(profilo.find(">Height, m: from 0 at the start, climbing by the gradients (\xE2\x80\xB0); drawn "),
              std::string::npos);
    // The run's hover begins with the record that set it.
    EXPECT_EQ(titolo_dopo(profilo, "<rect class=\"zona\" data-inizio=\"2000\" data-fine=\"4000\" data-pendenza")
                  .rfind("Gradient at 2000 m (line " + std::to_string(riga_con(linea, "pendenza,  2000")), 0),
              0u);
}

// The model decoded from the binary files the build wrote.
modello_scenario decodificato(const costruzione_in_memoria& c, bool con_planimetria = true) {
    modello_scenario m;
    for (const auto& [nome, byte] : c.file) {
        if (nome.ends_with(".sim")) m.scenario = leggi_scenario(byte);
        if (nome.ends_with("_linea.dat")) {
            if (con_planimetria) m.planimetria = leggi_planimetria(byte);
        } else if (nome.ends_with(".dat")) {
            m.tracciato = leggi_tracciato(byte);
        }
    }
    return m;
}

TEST(DatiVista, TheBinaryFilesGiveTheSameCurvesHeightsAndPosts) {
    const auto c = con_progressive();
    const std::string sorgenti = pagina_di(c->modello, fonti_l);
    const modello_scenario m = decodificato(*c);
    ASSERT_EQ(m.tracciato.size(), c->modello.tracciato.size());
    const std::string binari = pagina_di(m, {});
    for (const char* classe : {"pianta", "profilo"}) {
        const std::string a = svg_di(sorgenti, classe), b = svg_di(binari, classe);
        ASSERT_FALSE(b.empty()) << classe;
        for (const char* inizio : {"<polyline class=\"curva-", "<g class=\"curva-"}) {
            EXPECT_EQ(dati_di(b, inizio, dati_curve), dati_di(a, inizio, dati_curve)) << classe << inizio;
        }
        for (const char* inizio : {"<g class=\"cippo\"", "<g class=\"tacca-km\"", "<circle class=\"inizio\""}) {
            EXPECT_EQ(dati_di(b, inizio, {"data-metro", "data-km"}), dati_di(a, inizio, {"data-metro", "data-km"}));
        }
        const std::vector<std::string> zone = {"data-inizio", "data-fine", "data-pendenza", "data-quota-inizio",
                                               "data-quota-fine"};
        EXPECT_EQ(dati_di(b, "<rect class=\"zona\"", zone), dati_di(a, "<rect class=\"zona\"", zone));
    }
    EXPECT_EQ(dati_di(svg_di(binari, "pianta"), "<polyline class=\"curva-", dati_curve), curve_attese);
    // Recovered, the curve names the record that would make it.
    EXPECT_EQ(titolo_dopo(svg_di(binari, "pianta"), "<polyline class=\"curva-sinistra\""),
              "Curve to the left, grade 5: the record that made it is not known (the page was made from the binary "
              "files)\nBuilt: the plan bends from metre 3000 to 3500 (km 45.5\xE2\x80\x93" "60.1), 500 m, turning 0.002 per "
              "metre: radius 500 m\nas a record: curvas5, 3000, 500");
    EXPECT_EQ(titolo_dopo(svg_di(binari, "pianta"), "<g class=\"cippo\" data-metro=\"500\""),
              "Kilometre post: km 43, at metre 500\nKilometric progressive: the record that made it is not known (the "
              "page was made from the binary files)\nBuilt: entry 82 of the table (start 0, value 42500): from metre 0 "
              "the line counts on from km 42.5");
    // Without the plan file: no curve, the rest as before.
    const std::string senza = pagina_di(decodificato(*c, false), {});
    EXPECT_EQ(svg_di(senza, "profilo").find("<g class=\"curva-"), std::string::npos);
    EXPECT_EQ(dati_di(svg_di(senza, "profilo"), "<g class=\"tacca-km\"", {"data-metro", "data-km"}),
              dati_di(svg_di(sorgenti, "profilo"), "<g class=\"tacca-km\"", {"data-metro", "data-km"}));
}

TEST(DatiVista, ADamagedPlanGivesNoMoreCurvesThanASoundOne) {
    const auto c = con_progressive();
    modello_scenario m = decodificato(*c);
    std::mt19937_64 caso(23);
    planimetria_linea& p = m.planimetria;
    for (std::int32_t i = 2; i + 2 < p.ultimo_metro; i += 7) {
        p.valori[elemento_planimetria(p, i, 0)] += std::uniform_real_distribution<double>(-3, 3)(caso);
    }
    const std::vector<curva_vista> curve = curve_del_modello(m);
    EXPECT_LE(curve.size(), 2u);
    const std::string pianta = svg_di(pagina_di(m, {}), "pianta");
    EXPECT_FALSE(pianta.empty());
    EXPECT_LE(quante(pianta, "<polyline class=\"curva-"), 2u);
    EXPECT_EQ(pianta.find("nan"), std::string::npos);
}

// A table whose progressives hold any values (a damaged or hand-made file)
// gives a page with a few posts all the same.
TEST(DatiVista, AnyProgressivesGiveAFewPosts) {
    const auto c = con_progressive();
    constexpr std::int32_t minimo = std::numeric_limits<std::int32_t>::min();
    constexpr std::int32_t massimo = std::numeric_limits<std::int32_t>::max();
    const std::array<std::array<std::int32_t, 3>, 3> casi[] = {
        {{{massimo, minimo, 1}, {minimo, massimo, 0}, {0, 0, 0}}},
        {{{-50, -7, 1}, {-100, 3, 1}, {minimo, minimo, 1}}},
        {{{5999, massimo, 0}, {3, minimo, 0}, {1, 1, 1}}},
    };
    for (const auto& voci : casi) {
        modello_scenario m = decodificato(*c);
        for (std::size_t i = 0; i < 3; ++i) {
            voce_scenario& v = m.scenario[static_cast<std::size_t>(voce::progressiva_maggiore) + i];
            v.valore1 = voci[i][0];
            v.valore2 = voci[i][1];
            v.valore3 = voci[i][2];
        }
        const std::string p = pagina_di(m, {});
        EXPECT_LE(quante(svg_di(p, "pianta"), "<g class=\"cippo\""), 12u);
        EXPECT_LE(quante(svg_di(p, "profilo"), "<g class=\"tacca-km\""), 20u);
        EXPECT_EQ(p.find("nan"), std::string::npos);
    }
}

// Readings of the kilometric progressives, as the build orders them into
// entries 81 to 83: (start, value with the flag's 100, flag).
TEST(DatiVista, TheLineCountsItsKilometresFromItsProgressives) {
    struct caso {
        const char* nome;
        std::array<std::array<std::int32_t, 3>, 3> voci;  // entries 81, 82, 83
        std::vector<std::pair<std::int64_t, std::int64_t>> letture;  // metre, reading
        bool propri;
    };
    const caso casi[] = {
        {"none", {}, {{0, 0}, {1250, 1250}, {22000, 22000}}, false},
        {"one at the start", {{{0, 42500, 0}, {0, 0, 0}, {0, 0, 0}}}, {{0, 42500}, {500, 43000}}, true},
        {"one further on", {{{1000, 5000, 0}, {0, 0, 0}, {0, 0, 0}}}, {{999, 999}, {1000, 5000}, {1500, 5500}}, true},
        {"two, the flag counted",
         {{{3500, 60100, 1}, {0, 42500, 0}, {0, 0, 0}}},
         {{3499, 45999}, {3500, 60100}, {4000, 60600}},
         true},
        {"a count that runs backward from its value", {{{2000, 0, 0}, {0, 0, 0}, {0, 0, 0}}}, {{2500, 500}}, true},
        {"one that counts as the metres", {{{1000, 1000, 0}, {0, 0, 0}, {0, 0, 0}}}, {{3000, 3000}}, false},
    };
    for (const caso& x : casi) {
        modello_scenario m;
        for (std::size_t i = 0; i < 3; ++i) {
            voce_scenario& v = m.scenario[static_cast<std::size_t>(voce::progressiva_maggiore) + i];
            v.valore1 = x.voci[i][0];
            v.valore2 = x.voci[i][1];
            v.valore3 = x.voci[i][2];
        }
        const chilometri_vista k = chilometri_del_modello(m);
        EXPECT_EQ(k.propri, x.propri) << x.nome;
        for (const auto& [metro, attesa] : x.letture) EXPECT_EQ(lettura(k, metro), attesa) << x.nome << " " << metro;
    }
    // Posts: the first metre, every round reading, and a change of count
    // with the reading it brings.
    chilometri_vista k;
    k.progressive[0] = {voce::progressiva_maggiore, 1000, 5250, 0};
    std::vector<std::string> cippi;
    for (const cippo_vista& c : cippi_tra(k, 0, 3000, 1000)) {
        cippi.push_back(std::to_string(c.metro) + "=" + std::to_string(c.lettura) + (c.cambio ? "*" : ""));
    }
    EXPECT_EQ(cippi, (std::vector<std::string>{"0=0", "1000=5250*", "1750=6000", "2750=7000"}));
    EXPECT_TRUE(cippi_tra(k, 10, 5, 1000).empty());
    EXPECT_EQ(km_breve(42500), "42.5");
    EXPECT_EQ(km_breve(43000), "43");
    EXPECT_EQ(km_breve(-50), "-0.05");
    EXPECT_EQ(km_breve(0), "0");
}

// Progressives that begin close together keep every post of the axis, and
// write each reading only where it stands clear of the others.
TEST(DatiVista, ReadingsOfTheAxisNeverOverlap) {
    const std::vector<std::vector<std::string>> casi = {
        {"progressiva chilometrica uno,    0,    42500,    0", "progressiva chilometrica due,    3500,    60000,    1",
         "progressiva chilometrica tre,    3550,    70000,    0"},
        {"progressiva chilometrica uno,    1000,    999000,    0", "progressiva chilometrica due,    1050,    5000,    0",
         "progressiva chilometrica tre,    1100,    123450,    0"},
    };
    for (const auto& progressive : casi) {
        std::string linea = righe_crlf("[generale]", "lunghezza percorso,    6000");
        for (const std::string& r : progressive) linea += righe_crlf(r);
        linea += righe_crlf("[curve]", "pendenza,  0,   1", "[fine]");
        const auto c = costruisci(linea, treno_semplice(""), true, {"L", "1"});
        ASSERT_EQ(c->modello.codice_errore, 0);
        const std::string profilo = svg_di(pagina_di(c->modello, fonti_l), "profilo");
        std::vector<std::string> metri;
        for (const auto& r : dati_di(profilo, "<g class=\"tacca-km\"", {"data-metro"})) metri.push_back(r[0]);
        for (const std::string& r : progressive) {
            const std::string inizio = std::to_string(std::stoi(r.substr(r.find(',') + 1)));
            EXPECT_EQ(std::count(metri.begin(), metri.end(), inizio), 1) << inizio;
        }
        // The readings written under the posts, as wide as the page draws them.
        std::vector<rettangolo> letture;
        for (std::size_t p = profilo.find("<g class=\"tacca-km\""); p != std::string::npos;
             p = profilo.find("<g class=\"tacca-km\"", p + 1)) {
            const std::size_t fine = profilo.find("</g>", p);
            const std::size_t t = profilo.find("<text", p);
            if (t > fine) continue;
            const std::size_t a = profilo.find('>', t) + 1;
            const std::string e = profilo.substr(t, a - t);
            const double l = larghezza_testo(profilo.substr(a, profilo.find("</text>", a) - a), 11) * 1.1;
            letture.push_back({attributo(e, "x") - l / 2, attributo(e, "y") - 10, l, 12});
        }
        EXPECT_GE(letture.size(), 5u);
        senza_sovrapposizioni(letture);
    }
}

TEST(DatiVista, WithoutProgressivesThePostsCountTheMetres) {
    const auto c = tava();
    const std::string p = pagina_di(c->modello);
    EXPECT_EQ(dati_di(svg_di(p, "pianta"), "<g class=\"cippo\"", {"data-metro", "data-km"}),
              (righe_dati{{"5000", "5.000"}, {"10000", "10.000"}, {"15000", "15.000"}, {"20000", "20.000"}}));
    EXPECT_NE(svg_di(p, "pianta").find(">start</text>"), std::string::npos);
    EXPECT_NE(svg_di(p, "profilo").find(">km along the line</text>"), std::string::npos);
    // The five curves of the embedded line, as its records give them.
    EXPECT_EQ(dati_di(svg_di(p, "pianta"), "<polyline class=\"curva-", {"data-inizio", "data-fine", "data-lato"}),
              (righe_dati{{"2000", "3500", "destra"},
                          {"5000", "8800", "sinistra"},
                          {"11000", "12000", "destra"},
                          {"14000", "18550", "sinistra"},
                          {"20000", "22000", "destra"}}));
}

// ---- the command ----

esecuzione vista(const cartella_temporanea& da, const std::vector<std::string>& argomenti) {
    std::vector<std::string> a = {"view"};
    a.insert(a.end(), argomenti.begin(), argomenti.end());
    return esegui_programma(PERCORSO_SCENARIO_TOOL, da.str(), a);
}

void copia_tava(const cartella_temporanea& dir) {
    scrivi_tutto(dir.file(file_linea_tava), dati(file_linea_tava));
    scrivi_tutto(dir.file(file_treno_tava), dati(file_treno_tava));
}

TEST(ComandoVista, FromTheTextSourcesWritesThePageAndNothingElse) {
    cartella_temporanea dir;
    copia_tava(dir);
    const esecuzione e = vista(dir, {file_linea_tava, file_treno_tava, "-o", "pagina.html"});
    EXPECT_EQ(e.stato, 0) << e.errori;
    EXPECT_EQ(e.uscita, "wrote pagina.html\n");
    EXPECT_EQ(e.errori, "");
    EXPECT_EQ(nomi_in(dir.str()), (std::vector<std::string>{file_treno_tava, file_linea_tava, "pagina.html"}));
    const auto c = tava();
    EXPECT_EQ(leggi_tutto(dir.file("pagina.html")), pagina_di(c->modello, fonti_tava()));
    EXPECT_EQ(leggi_tutto(dir.file(file_linea_tava)), dati(file_linea_tava));
    // An older page is replaced whole.
    scrivi_tutto(dir.file("vecchia.html"), std::string(100000, 'x'));
    const esecuzione f = vista(dir, {file_linea_tava, file_treno_tava, "--output=vecchia.html", "--no-plan"});
    EXPECT_EQ(f.stato, 0) << f.errori;
    const std::string p = leggi_tutto(dir.file("vecchia.html"));
    EXPECT_EQ(p.find('x' + std::string(50, 'x')), std::string::npos);
    EXPECT_NE(p.find("No plan"), std::string::npos);
    EXPECT_EQ(p.substr(p.size() - 8), "</html>\n");
}

const std::string file_piano_tava = "Tava Aeroporto-Rovea_linea.dat";
const std::string file_tabella_tava = "Tava Aeroporto-Rovea_30742.sim";
const std::string file_tracciato_tava = "Tava Aeroporto-Rovea_30742.dat";

void copia_binari_tava(const cartella_temporanea& dir) {
    for (const std::string& n : {file_piano_tava, file_tabella_tava, file_tracciato_tava}) {
        scrivi_tutto(dir.file(n), dati(n));
    }
}

// The page the binary files must give: the model built from the sources,
// without what only a build knows (record places, warnings).
std::string pagina_attesa_da_binari(const std::vector<std::string>& file, bool con_planimetria) {
    auto c = tava(con_planimetria);
    modello_scenario& m = c->modello;
    m.origine_celle.clear();
    m.origine_voci = {};
    m.avvisi.clear();
    m.curve_lette.clear();
    ingresso_vista i;
    i.modello = &m;
    i.file = file;
    return pagina_vista(i);
}

TEST(ComandoVista, FromTheBinaryFilesTheSamePageAsTheBuildsModel) {
    cartella_temporanea dir;
    copia_binari_tava(dir);
    // Any order of the files.
    const std::vector<std::string> file = {file_tracciato_tava, file_piano_tava, file_tabella_tava};
    std::vector<std::string> a = file;
    a.insert(a.end(), {"-o", "binari.html"});
    const esecuzione e = vista(dir, a);
    ASSERT_EQ(e.stato, 0) << e.errori;
    EXPECT_EQ(e.uscita, "wrote binari.html\n");
    const std::string p = leggi_tutto(dir.file("binari.html"));
    EXPECT_EQ(p, pagina_attesa_da_binari(file, true));
    EXPECT_NE(p.find("Decoded from the binary files"), std::string::npos);
    EXPECT_EQ(p.find(" (line "), std::string::npos);
    EXPECT_NE(p.find("the record that made it is not known"), std::string::npos);
    EXPECT_EQ(quante(svg_di(p, "pianta"), "class=\"stazione\""), 7u);
    // Without the plan: the profile only.
    const esecuzione f = vista(dir, {file_tabella_tava, file_tracciato_tava, "-o", "senza.html"});
    ASSERT_EQ(f.stato, 0) << f.errori;
    const std::string q = leggi_tutto(dir.file("senza.html"));
    EXPECT_EQ(q, pagina_attesa_da_binari({file_tabella_tava, file_tracciato_tava}, false));
    EXPECT_NE(q.find("No plan: the line plan file was not given"), std::string::npos);
    EXPECT_EQ(quante(svg_di(q, "profilo"), "<g class=\"segnale\""), 9u);
}

// A page far larger than its files (a sign text of 65,535 '&', each written
// "&amp;", in the hover text of 300 sign cells: about 100 MB) is written as
// it is made: the process never holds it whole.
TEST(ComandoVista, APageFarLargerThanItsFilesIsWrittenAsItIsMade) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizers keep freed memory aside, so the peak says nothing here";
#else
    cartella_temporanea dir;
    auto tabella = leggi_scenario(dati(file_tabella_tava));
    tabella[voce::primo_cartello].nome = std::string(65535, '&');
    auto tracciato = leggi_tracciato(dati(file_tracciato_tava));
    for (std::size_t i = 100; i < 400; ++i) {
        tracciato[i] = cella{};
        tracciato[i].tipo = tipo_cella::cartello;
        tracciato[i].valore1 = static_cast<std::int16_t>(voce::primo_cartello);
    }
    scrivi_tutto(dir.file(file_tabella_tava), bytes_scenario(tabella, ""));
    scrivi_tutto(dir.file(file_tracciato_tava), bytes_tracciato(tracciato));
    const picco_processo e =
        esegui_con_picco(PERCORSO_SCENARIO_TOOL, dir.str(), {"view", file_tabella_tava, file_tracciato_tava, "-o", "grande.html"});
    ASSERT_EQ(e.stato, 0);
    const auto pagina = static_cast<long>(std::filesystem::file_size(dir.file("grande.html")));
    EXPECT_GT(pagina, 90L << 20);
    if (!misurabile(e, pagina / 4)) GTEST_SKIP() << "this test process is already larger than the bound; run the test alone";
    EXPECT_LT(e.byte, pagina / 4) << "peak " << e.byte << " bytes for a page of " << pagina;
#endif
}

TEST(ComandoVista, ABinaryFileThatDoesNotDecodeGivesNoPage) {
    cartella_temporanea dir;
    copia_binari_tava(dir);
    const std::string tracciato = dati(file_tracciato_tava);
    scrivi_tutto(dir.file("Corto_1.dat"), tracciato.substr(0, tracciato.size() - 7));
    const esecuzione e = vista(dir, {file_tabella_tava, "Corto_1.dat", "-o", "p.html"});
    EXPECT_EQ(e.stato, 3);
    EXPECT_NE(e.errori.find("no page: Corto_1.dat: not a track file: at byte "), std::string::npos) << e.errori;
    const esecuzione f = vista(dir, {file_tabella_tava, "Manca_1.dat", "-o", "p.html"});
    EXPECT_EQ(f.stato, 3);
    EXPECT_NE(f.errori.find("no page: Manca_1.dat: cannot read"), std::string::npos) << f.errori;
    EXPECT_FALSE(std::filesystem::exists(dir.file("p.html")));
    // Kinds from the names: each once, the table and the track required.
    for (const std::vector<std::string>& a :
         std::vector<std::vector<std::string>>{{file_tabella_tava, file_tabella_tava, "-o", "p.html"},
                                               {file_piano_tava, file_tracciato_tava, "-o", "p.html"},
                                               {file_tabella_tava, "traccia.bin", "-o", "p.html"}}) {
        const esecuzione g = vista(dir, a);
        EXPECT_EQ(g.stato, 2) << a[1];
        EXPECT_NE(g.errori.find("usage: scenario-tool view"), std::string::npos) << g.errori;
    }
    EXPECT_FALSE(std::filesystem::exists(dir.file("p.html")));
}

TEST(ComandoVista, ARecordedStatusIsOnThePageAndGivesOne) {
    cartella_temporanea dir;
    scrivi_tutto(dir.file("L_linea.txt"), linea_semplice());
    // The second signal's cell is the first one's: status 16.
    scrivi_tutto(dir.file("L_9-.txt"), treno_semplice(righe_crlf("segnale, 2000, 2,4,1,0,0, 2,2,1,0, 0",
                                                                 "segnale, 2000, 2,4,1,0,0, 2,2,1,0, 0")));
    const esecuzione e = vista(dir, {"L_linea.txt", "L_9-.txt", "-o", "p.html"});
    EXPECT_EQ(e.stato, 1);
    // On standard error as compile prints it: where it was raised, then what
    // took the cell.
    EXPECT_EQ(e.errori.find("L_9-.txt:5:10: error: the cell of this signal is not free"), 0u) << e.errori;
    EXPECT_NE(e.errori.find("L_9-.txt:4:1: note: a signal placed in cell 41 by this record"), std::string::npos)
        << e.errori;
    const std::string p = leggi_tutto(dir.file("p.html"));
    EXPECT_NE(p.find("<div class=\"stato\">"), std::string::npos);
    EXPECT_NE(p.find("status 16 at 2000 m: the cell of a signal is not free (line 5, column 10 of L_9-.txt)"),
              std::string::npos);
    EXPECT_EQ(quante(svg_di(p, "pianta"), "class=\"segnale\""), 1u);
}

TEST(ComandoVista, UsageErrorsGiveTwoAndWriteNothing) {
    cartella_temporanea dir;
    copia_tava(dir);
    const std::vector<std::vector<std::string>> casi = {
        {file_linea_tava, file_treno_tava},                             // no page
        {file_linea_tava, "-o", "p.html"},                              // one file
        {file_linea_tava, file_treno_tava, "x.txt", "-o", "p.html"},    // three sources
        {"a.sim", "b.dat", "c.dat", "d_linea.dat", "-o", "p.html"},     // four binary files
        {file_linea_tava, "T.sim", "-o", "p.html"},                     // sources and binary files mixed
        {"a.sim", "b.dat", "--no-plan", "-o", "p.html"},                // an option of the sources
        {file_linea_tava, file_treno_tava, "-o", "p.html", "--bogus"},  //
        {file_linea_tava, file_treno_tava, "-o", "p.html", "-o", "q.html"},
        {file_linea_tava, file_treno_tava, "-o"},
        {file_linea_tava, file_treno_tava, "-o", file_treno_tava},  // the page would replace an input
        {file_linea_tava, file_treno_tava, "-o", "sotto/"},         // a directory, no file name
        {"linea.txt", "treno.txt", "-o", "p.html"},                 // no names from the file names
    };
    for (const auto& a : casi) {
        const esecuzione e = vista(dir, a);
        EXPECT_EQ(e.stato, 2) << a.back();
        EXPECT_NE(e.errori.find("usage: scenario-tool view"), std::string::npos) << e.errori;
    }
    EXPECT_EQ(nomi_in(dir.str()), (std::vector<std::string>{file_treno_tava, file_linea_tava}));
    EXPECT_EQ(leggi_tutto(dir.file(file_treno_tava)), dati(file_treno_tava));
    const esecuzione aiuto = vista(dir, {"--help"});
    EXPECT_EQ(aiuto.stato, 0);
    EXPECT_NE(aiuto.uscita.find("Exit status"), std::string::npos);
}

TEST(ComandoVista, NoPageWhenTheBuildLeavesNoScenarioOrThePageCannotBeWritten) {
    cartella_temporanea dir;
    copia_tava(dir);
    scrivi_tutto(dir.file("Vuota_linea.txt"), "nothing here\r\n");
    scrivi_tutto(dir.file("Vuota_1-.txt"), "[generale]\r\n");
    const esecuzione e = vista(dir, {"Vuota_linea.txt", "Vuota_1-.txt", "-o", "p.html"});
    EXPECT_EQ(e.stato, 3);
    EXPECT_NE(e.errori.find("no page"), std::string::npos) << e.errori;
    EXPECT_FALSE(std::filesystem::exists(dir.file("p.html")));
    // Into a directory that does not exist, and over a directory.
    const esecuzione f = vista(dir, {file_linea_tava, file_treno_tava, "-o", "manca/p.html"});
    EXPECT_EQ(f.stato, 3);
    std::filesystem::create_directory(dir.file("cartella.html"));
    const esecuzione g = vista(dir, {file_linea_tava, file_treno_tava, "-o", "cartella.html"});
    EXPECT_EQ(g.stato, 3);
    EXPECT_NE(g.errori.find("no page written"), std::string::npos) << g.errori;
    // No temporary file is left behind.
    EXPECT_EQ(nomi_in(dir.str()), (std::vector<std::string>{file_treno_tava, file_linea_tava, "Vuota_1-.txt",
                                                            "Vuota_linea.txt", "cartella.html"}));
    EXPECT_TRUE(nomi_in(dir.file("cartella.html")).empty());
}

}  // namespace

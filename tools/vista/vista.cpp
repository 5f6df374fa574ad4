#include "tools/vista/vista.h"

#include <algorithm>

#include "tools/vista/script_vista.h"
#include "tools/vista/svg_vista.h"
#include "tools/vista/testo_html.h"
#include "tools/vista/vista_pianta.h"
#include "tools/vista/vista_profilo.h"

using namespace std::string_literals;

namespace {

const char* const stile = R"(
:root { color-scheme: light; }
body { font: 14px/1.4 "DejaVu Sans", Verdana, Arial, sans-serif; color: #1d1d1d; background: #f4f4f1;
  max-width: 1320px; margin: 0 auto; padding: 0 10px 24px; }
h1 { font-size: 22px; margin: 14px 0 2px; }
h1 .treno { font-weight: normal; color: #555; }
h2 { font-size: 16px; margin: 18px 0 6px; }
p { margin: 4px 0; }
.fonte { color: #555; font-size: 13px; overflow-wrap: anywhere; }
.stato { background: #fff1d6; border: 1px solid #d99a1e; padding: 6px 10px; margin: 8px 0; }
.stato p { margin: 2px 0; }
.avvisi { margin: 6px 0; font-size: 13px; }
.avvisi summary { cursor: pointer; color: #7a4b00; }
.avvisi ul { margin: 4px 0; padding-left: 22px; overflow-wrap: anywhere; }
.conteggi { display: flex; flex-wrap: wrap; gap: 6px; list-style: none; padding: 0; margin: 10px 0 0; }
.conteggi li { background: #fff; border: 1px solid #d6d6d0; border-radius: 4px; padding: 3px 9px; }
.conteggi b { font-size: 15px; }
svg.pianta, svg.profilo { display: block; width: 100%; height: auto; border: 1px solid #d6d6d0; }
.assente { background: #fff; border: 1px dashed #999; padding: 14px; color: #555; }
.legenda { display: grid; grid-template-columns: repeat(auto-fill, minmax(250px, 1fr)); gap: 4px 14px;
  list-style: none; padding: 0; margin: 0; }
.legenda li { display: flex; align-items: center; gap: 8px; }
.legenda svg { width: 36px; height: 18px; flex: none; }
table { border-collapse: collapse; background: #fff; font-size: 13px; }
th, td { border: 1px solid #d6d6d0; padding: 3px 8px; text-align: right; }
th { background: #ecece6; }
td.nome, th.nome { text-align: left; }
footer { margin-top: 18px; color: #666; font-size: 12px; }
.sfondo { fill: #fff; }
text { font-family: "DejaVu Sans", Verdana, Arial, sans-serif; font-size: 11px; fill: #333; }
.linea { fill: none; stroke: #303030; stroke-width: 2.5; stroke-linejoin: round; }
.oltre { fill: none; stroke: #9a9a9a; stroke-width: 1.6; stroke-dasharray: 6 4; }
.estensione { fill: none; stroke: #1f5fbf; stroke-width: 8; stroke-opacity: 0.45; }
.montagna-pianta { fill: none; stroke: #8c6d46; stroke-width: 13; stroke-opacity: 0.35; }
.rallentamento-pianta { fill: none; stroke: #ff7f0e; stroke-width: 9; stroke-opacity: 0.6; }
circle.stazione { fill: #fff; stroke: #1f5fbf; stroke-width: 2.5; }
circle.segnale, .segnale circle { fill: #d62728; stroke: #fff; stroke-width: 1; }
.segnale line { stroke: #555; stroke-width: 1.2; }
circle.cartello, .cartello rect { fill: #f2c200; stroke: #5a4a00; stroke-width: 1; }
.inizio { fill: #2ca02c; stroke: #fff; stroke-width: 1.5; }
.fine { fill: #111; stroke: #fff; stroke-width: 1.5; }
.nome-stazione { font-size: 12.5px; fill: #12376e; }
.profilo .nome-stazione { font-size: 12px; }
.cippo { stroke: #303030; stroke-width: 1.5; }
.nome-cippo { font-size: 10px; fill: #666; }
.estremo { font-style: italic; fill: #333; font-size: 11.5px; }
.fondo-etichetta { fill: #fff; fill-opacity: 0.85; }
.etichette { pointer-events: none; }
.guida { stroke: #7a8aa8; stroke-width: 0.8; }
.barra-nera { fill: #222; stroke: #222; }
.barra-bianca { fill: #fff; stroke: #222; }
.cornice { fill: none; stroke: #c8c8c2; }
.griglia, .griglia-x { stroke: #ececea; }
.zero { stroke: #9a9a94; }
.tacca { stroke: #666; }
.asse { fill: #444; }
.titolo-pannello { font-size: 12px; font-weight: bold; fill: #333; }
.nome-corsia { font-size: 10.5px; fill: #555; }
.corsia { fill: #f6f6f3; }
.zona { fill: #000; fill-opacity: 0; }
.pendenza { fill: none; stroke: #8a6a2f; stroke-width: 1.5; }
.pendenza-area { fill: #d9bf8c; fill-opacity: 0.55; }
.velocita { fill: none; stroke: #1f77b4; stroke-width: 2; }
.aderenza { fill: none; stroke: #2ca02c; stroke-width: 1.8; }
.banda-montagna { fill: #8c6d46; fill-opacity: 0.14; }
.banda-montagna-corsia { fill: #8c6d46; fill-opacity: 0.6; }
.banda-rallentamento { fill: #ff7f0e; fill-opacity: 0.16; }
.banda-rallentamento-corsia { fill: #ff7f0e; fill-opacity: 0.75; }
.oltre-fine { fill: #000; fill-opacity: 0.045; }
.fine-linea { stroke: #111; stroke-width: 1.2; stroke-dasharray: 4 3; }
.riferimento-stazione { stroke: #1f5fbf; stroke-opacity: 0.35; stroke-dasharray: 2 3; }
g.stazione rect { fill: #1f5fbf; fill-opacity: 0.45; }
g.stazione line { stroke: #12376e; stroke-width: 2; }
.avviso path { fill: #ff7f0e; stroke: #7a3b00; stroke-width: 0.8; }
.preavviso rect { fill: #ff7f0e; }
.indicatori path { fill: #9467bd; stroke: #3b2252; stroke-width: 0.8; }
.abbattimento rect { fill: #8c564b; stroke: #3d241f; stroke-width: 0.8; }
.tabella-180 rect { fill: #bdbdbd; stroke: #555; stroke-width: 0.8; }
.sconosciuto rect { fill: #fff; stroke: #e377c2; stroke-width: 1.5; }
polyline.curva-destra, polyline.curva-sinistra { fill: none; stroke-width: 7; stroke-opacity: 0.5; }
polyline.curva-destra { stroke: #7b3294; }
polyline.curva-sinistra { stroke: #1a9850; }
g.curva-destra rect { fill: #7b3294; fill-opacity: 0.6; stroke: none; }
g.curva-sinistra rect { fill: #1a9850; fill-opacity: 0.6; stroke: none; }
.grado-curva { font-size: 9.5px; font-weight: bold; fill: #fff; }
.quota { fill: none; stroke: #5b4a2f; stroke-width: 2; stroke-linejoin: round; }
.cambio-km { font-weight: bold; }
)";

void li_conteggio(uscita_pagina& u, std::int64_t n, const char* singolare, const char* plurale) {
    u << "<li><b>" << intero(n) << "</b> " << (n == 1 ? singolare : plurale) << "</li>";
}

void conteggi(uscita_pagina& u, const oggetti_vista& o) {
    const conteggi_vista n = conta_oggetti(o);
    u << "<ul class=\"conteggi\">";
    u << "<li>declared length <b>" << intero(o.lunghezza) << " m</b> (km " << km(o.lunghezza) << ")</li>";
    li_conteggio(u, n.stazioni, "station", "stations");
    li_conteggio(u, n.segnali, "signal", "signals");
    li_conteggio(u, n.rallentamenti, "slowdown", "slowdowns");
    li_conteggio(u, n.cartelli, "indication sign", "indication signs");
    li_conteggio(u, n.indicatori, "speed-indicator pair", "speed-indicator pairs");
    li_conteggio(u, n.montagne, "mountain span", "mountain spans");
    li_conteggio(u, n.abbattimenti, "abbattimento board", "abbattimento boards");
    li_conteggio(u, n.tabelle_finitura, "finishing board (value 180)", "finishing boards (value 180)");
    u << "</ul>\n";
}

void elenco_file(uscita_pagina& u, const std::vector<std::string>& file) {
    for (std::size_t i = 0; i < file.size(); ++i) {
        if (i > 0) u << (i + 1 == file.size() ? " and " : ", ");
        u << "<code>" << escape_html(file[i]) << "</code>";
    }
}

// The warnings of the build, folded (a <details> element opens without script).
void avvisi(uscita_pagina& u, const modello_scenario& m, const fonti_vista& f) {
    if (m.avvisi.empty()) return;
    u << "<details class=\"avvisi\"><summary>The build gave " << intero(static_cast<std::int64_t>(m.avvisi.size()))
      << (m.avvisi.size() == 1 ? " warning" : " warnings") << "</summary><ul>\n";
    for (const avviso_sorgente& a : m.avvisi) {
        const bool linea = a.dove.file == sorgente::linea;
        std::string dove = a.dove.file == sorgente::nessuna ? "" : (linea ? f.file_linea : f.file_treno);
        if (dove.empty() && a.dove.file != sorgente::nessuna) dove = linea ? "the line file" : "the train file";
        if (a.dove.riga > 0) dove += ", line "s + intero(a.dove.riga) + ", column " + intero(a.dove.colonna);
        u << "<li>";
        if (!dove.empty()) u << escape_html(dove) << ": ";
        u << nome_html(a.messaggio) << " [" << escape_html(a.nome) << "]</li>\n";
    }
    u << "</ul></details>\n";
}

void intestazione(uscita_pagina& u, const ingresso_vista& i, const oggetti_vista& o) {
    const modello_scenario& m = *i.modello;
    u << "<header>\n<h1>" << nome_html(m.scenario[voce::dati_linea].nome) << " <span class=\"treno\">\u2013 train "
      << nome_html(m.scenario[voce::dati_treno].nome) << "</span></h1>\n";
    if (!i.file.empty()) {
        u << "<p class=\"fonte\">"
          << (i.da_sorgenti ? "Built in memory from the text sources " : "Decoded from the binary files ");
        elenco_file(u, i.file);
        u << ".</p>\n";
    }
    if (!i.stati.empty()) {
        u << "<div class=\"stato\"><p><b>The build recorded a status.</b> The simulator would load what it wrote; "
             "this page shows the same model.</p>";
        for (const std::string& t : i.stati) u << "<p>" << escape_html(t) << "</p>";
        u << "</div>\n";
    }
    avvisi(u, m, i.fonti);
    conteggi(u, o);
    u << "</header>\n";
}

// The legend: a small drawing of each thing the page shows, and its words.
struct voce_legenda {
    const char* disegno;  // SVG inside a 36 x 18 box
    const char* testo;
};

// The legend's words for a mark drawn for one kind of cell.
constexpr const char* legenda_di(std::uint8_t tipo) { return descrizione_tipo(tipo)->parola_legenda; }

constexpr voce_legenda voci_legenda[] = {
    {"<line class=\"linea\" x1=\"2\" y1=\"9\" x2=\"34\" y2=\"9\"/>", "the line (plan)"},
    {"<line class=\"oltre\" x1=\"2\" y1=\"9\" x2=\"34\" y2=\"9\"/>", "track beyond the end of the line"},
    {"<circle class=\"inizio\" cx=\"18\" cy=\"9\" r=\"6\"/>", "start of the line (metre 0)"},
    {"<rect class=\"fine\" x=\"12.5\" y=\"3.5\" width=\"11\" height=\"11\"/>", "end of the line (declared length)"},
    {"<line class=\"estensione\" x1=\"2\" y1=\"9\" x2=\"34\" y2=\"9\"/><circle class=\"stazione\" "
     "cx=\"18\" cy=\"9\" r=\"5\"/>",
     "station: its position and extent"},
    {"<g class=\"stazione\"><rect x=\"4\" y=\"4\" width=\"28\" height=\"10\"/><line x1=\"18\" "
     "y1=\"2\" x2=\"18\" y2=\"16\"/></g>",
     "station in the profile: extent, position"},
    {"<circle class=\"segnale\" cx=\"10\" cy=\"9\" r=\"3.5\"/><g class=\"segnale\"><line x1=\"26\" "
     "y1=\"17\" x2=\"26\" y2=\"6\"/><circle cx=\"26\" cy=\"6\" r=\"3.5\"/></g>",
     legenda_di(tipo_cella::segnale)},
    {"<circle class=\"cartello\" cx=\"10\" cy=\"9\" r=\"3\"/><g class=\"cartello\"><rect x=\"21\" "
     "y=\"5\" width=\"10\" height=\"8\"/></g>",
     legenda_di(tipo_cella::cartello)},
    {"<line class=\"rallentamento-pianta\" x1=\"2\" y1=\"5\" x2=\"34\" y2=\"5\"/><rect "
     "class=\"banda-rallentamento-corsia\" x=\"2\" y=\"11\" width=\"32\" height=\"6\"/>",
     legenda_di(tipo_cella::inizio_rallentamento)},
    {"<line class=\"montagna-pianta\" x1=\"2\" y1=\"5\" x2=\"34\" y2=\"5\"/><rect "
     "class=\"banda-montagna-corsia\" x=\"2\" y=\"11\" width=\"32\" height=\"6\"/>",
     "mountain span"},
    {"<g class=\"avviso\"><path d=\"M18 3 L23 13 L13 13 Z\"/></g>", legenda_di(tipo_cella::avviso_rallentamento)},
    {"<g class=\"preavviso\"><rect x=\"17\" y=\"6\" width=\"2\" height=\"6\"/></g>", legenda_di(tipo_cella::preavviso_rallentamento)},
    {"<g class=\"abbattimento\"><rect x=\"14.5\" y=\"5.5\" width=\"7\" height=\"7\"/></g>", legenda_di(tipo_cella::tabella_senza_valore)},
    {"<g class=\"tabella-180\"><rect x=\"14.5\" y=\"5.5\" width=\"7\" height=\"7\"/></g>",
     "board of value 180 (finishing pass)"},
    {"<g class=\"indicatori\"><path d=\"M18 3 L23 9 L18 15 L13 9 Z\"/></g>", legenda_di(tipo_cella::indicatori_v_max)},
    {"<g class=\"sconosciuto\"><rect x=\"14.5\" y=\"5.5\" width=\"7\" height=\"7\"/></g>", "cell of another kind"},
    {"<polyline class=\"curva-destra\" points=\"2,14 14,12 24,8 34,2\"/><g class=\"curva-destra\"><rect x=\"4\" "
     "y=\"15\" width=\"28\" height=\"3\"/></g>",
     "curve to the right: over the line in the plan, a bar in the profile's lane (R and its grade)"},
    {"<polyline class=\"curva-sinistra\" points=\"2,2 14,4 24,8 34,14\"/><g class=\"curva-sinistra\"><rect "
     "x=\"4\" y=\"15\" width=\"28\" height=\"3\"/></g>",
     "curve to the left (L and its grade in the profile)"},
    {"<line class=\"linea\" x1=\"2\" y1=\"9\" x2=\"34\" y2=\"9\"/><line class=\"cippo\" x1=\"18\" y1=\"3\" "
     "x2=\"18\" y2=\"15\"/>",
     "kilometre post, in the line's own kilometres (its kilometric progressives)"},
    {"<path class=\"quota\" d=\"M2 14 L14 10 L22 10 L34 4\"/>", "height of the line, m, from its gradients"},
    {"<path class=\"pendenza-area\" d=\"M2 14 V6 H18 V10 H34 V14 Z\"/><path class=\"pendenza\" "
     "d=\"M2 6 H18 V10 H34\"/>",
     "gradient of each cell, as written"},
    {"<path class=\"velocita\" d=\"M2 13 H18 V5 H34\"/>", "speed limit, km/h, as kept (in steps of 5 km/h)"},
    {"<path class=\"aderenza\" d=\"M2 6 H34\"/>", "adhesion, as written"},
};

void legenda(uscita_pagina& u) {
    u << "<ul class=\"legenda\">\n";
    for (const voce_legenda& v : voci_legenda) {
        u << "<li><svg viewBox=\"0 0 36 18\" aria-hidden=\"true\">" << v.disegno << "</svg><span>" << v.testo
          << "</span></li>\n";
    }
    u << "</ul>\n<p>Point at an object to see the record that made it as you wrote it (the file, the line, each "
         "value by its name) and then what the build made of it (the cell, the values kept). A page made from the "
         "binary files knows no record: it shows what the files hold.</p>\n";
}

// The table of stations: each record's line in the train file (when the page
// is made from it), then what the build made of it.
void tabella_stazioni(uscita_pagina& u, const modello_scenario& m, const oggetti_vista& o) {
    if (o.stazioni.empty()) {
        u << "<p>No stations.</p>\n";
        return;
    }
    u << "<table>\n<tr><th>train file line</th><th>entry</th><th class=\"nome\">name</th><th>position, m</th>"
         "<th>extent, m</th><th>kind</th><th>time</th><th>marker cell</th></tr>\n";
    for (const stazione_vista& x : o.stazioni) {
        const voce_scenario& v = m.scenario[static_cast<std::size_t>(x.voce)];
        const luogo& origine = m.origine_voci[static_cast<std::size_t>(x.voce)];
        u << "<tr><td>" << (noto(origine) ? intero(origine.riga) : "") << "</td><td>" << intero(x.voce)
          << "</td><td class=\"nome\">" << escape_html(nome_stazione(m, x)) << "</td><td>" << intero(v.valore3)
          << "</td><td>" << intero(v.valore1) << "\u2013" << intero(v.valore2) << "</td><td>" << intero(v.tipo)
          << "</td><td>" << (v.valore4 == 0 ? "" : orario(v.valore4)) << "</td><td>"
          << (x.cella >= 0 ? intero(x.cella) : "none") << "</td></tr>\n";
    }
    u << "</table>\n";
}

void sezione_pianta(uscita_pagina& u, const ingresso_vista& i, const oggetti_vista& o, std::int64_t fine) {
    u << "<section>\n<h2>Plan</h2>\n";
    if (svg_pianta(u, *i.modello, o, fine, i.fonti)) {
        u << "</section>\n";
        return;
    }
    u << "<p class=\"assente\">No plan: "
      << (i.da_sorgenti ? "the scenario was built without one (--no-plan)."
                        : "the line plan file was not given, or holds no points that can be drawn.")
      << " The profile below shows the line along its length.</p>\n</section>\n";
}

}  // namespace

std::int64_t fine_vista(const modello_scenario& m, const oggetti_vista& o) {
    const std::int64_t binario = metro_cella(o.ultima_cella + 1);
    std::int64_t lontano = o.lunghezza;
    for (const stazione_vista& s : o.stazioni) {
        const voce_scenario& v = m.scenario[static_cast<std::size_t>(s.voce)];
        lontano = std::max<std::int64_t>({lontano, v.valore1, v.valore2, v.valore3});
    }
    for (const marca_vista& x : o.marche) lontano = std::max(lontano, metro_cella(x.cella + 1));
    for (const tratto& t : o.montagne) lontano = std::max(lontano, metro_cella(t.ultima + 1));
    const std::int64_t fine = lontano + std::max<std::int64_t>(500, lontano / 40);
    return std::max<std::int64_t>(1, std::min(fine, binario));
}

void scrivi_pagina_vista(uscita_pagina& u, const ingresso_vista& in) {
    const modello_scenario& m = *in.modello;
    // The records of the texts, read once for every hover of the page.
    const bool con_testi = in.fonti.testo_linea != nullptr || in.fonti.testo_treno != nullptr;
    const record_fonti record =
        con_testi ? leggi_record_fonti(in.fonti.testo_linea, in.fonti.testo_treno, m) : record_fonti{};
    ingresso_vista i = in;
    if (con_testi) i.fonti.record = &record;
    const oggetti_vista o = oggetti_del_modello(m);
    const std::int64_t fine = fine_vista(m, o);
    u << "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
         "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n<title>"
      << nome_html(m.scenario[voce::dati_linea].nome) << " \u2013 train " << nome_html(m.scenario[voce::dati_treno].nome)
      << "</title>\n<style>" << stile << "</style>\n</head>\n<body>\n";
    intestazione(u, i, o);
    sezione_pianta(u, i, o, fine);
    u << "<section>\n<h2>Profile</h2>\n";
    svg_profilo(u, m, o, fine, i.fonti);
    u << "</section>\n<section>\n<h2>Legend</h2>\n";
    legenda(u);
    u << "</section>\n<section>\n<h2>Stations</h2>\n";
    tabella_stazioni(u, m, o);
    u << "</section>\n<footer>Made by scenario-tool view from the scenario model; lengths in metres, km along the "
         "line from metre 0.</footer>\n";
    script_zoom(u);
    u << "</body>\n</html>\n";
    u.svuota();
}

std::string pagina_vista(const ingresso_vista& i) {
    std::string s;
    uscita_pagina u([&s](std::string_view pezzo) { s += pezzo; });
    scrivi_pagina_vista(u, i);
    return s;
}

#include "tools/vista/titoli_vista.h"

#include "tools/vista/testo_html.h"

using namespace std::string_literals;

namespace {

std::string cella_km(std::int32_t c) { return "cell "s + intero(c) + " (km " + km(metro_cella(c)) + ")"; }

std::string valori(const cella& c) {
    return "valore1 "s + intero(c.valore1) + ", valore2 " + intero(c.valore2) + ", valore3 " + intero(c.valore3) +
           ", valore4 " + intero(c.valore4);
}

std::string riga_origine(const modello_scenario& m, std::int32_t cella, const fonti_vista& f) {
    if (m.origine_celle.size() != m.tracciato.size() || cella < 0 ||
        static_cast<std::size_t>(cella) >= m.origine_celle.size()) {
        return "";
    }
    const std::string o = testo_origine(m.origine_celle[static_cast<std::size_t>(cella)], f);
    return o.empty() ? "" : "\n"s + o;
}

std::string nome_voce(const modello_scenario& m, int v) {
    if (v < 0 || v >= voci_scenario) return "";
    return utf8_per_pagina(m.scenario[static_cast<std::size_t>(v)].nome);
}

// The first line of a mark's text, by its kind.
std::string descrizione(const cella& c, tipo_marca t, const modello_scenario& m) {
    switch (t) {
        case tipo_marca::segnale:
            return "Signal\n"s + valori(c) + ", tempo_segnale " + intero(c.tempo_segnale);
        case tipo_marca::inizio_rallentamento:
            return "Slowdown start: "s + intero(c.valore1) + " km/h\nvalore2 " + intero(c.valore2) + ", valore3 " +
                   intero(c.valore3);
        case tipo_marca::fine_rallentamento:
            return "Slowdown end: "s + intero(c.valore1) + " km/h\nvalore2 " + intero(c.valore2) + ", valore3 " +
                   intero(c.valore3);
        case tipo_marca::avviso:
            return "Slowdown warning board: "s + intero(c.valore1) + " km/h\nvalore2 " + intero(c.valore2);
        case tipo_marca::preavviso:
            return "Lead-in cell "s + intero(c.valore1) + " before a slowdown warning board\nvalore2 " +
                   intero(c.valore2);
        case tipo_marca::indicatori:
            return "Maximum-speed indicator pair\n"s + valori(c);
        case tipo_marca::marca_stazione:
            return "Station marker of entry "s + intero(c.valore1) + ": " + nome_voce(m, c.valore1);
        case tipo_marca::abbattimento:
            return c.tipo == tipo_cella::tabella_senza_valore ? "Abbattimento board without a value"
                                                              : "Abbattimento board, value "s + intero(c.valore1);
        case tipo_marca::tabella_180:
            return "Board, value 180 (the value of the finishing pass's boards)";
        case tipo_marca::cartello:
            return "Indication sign (entry "s + intero(c.valore1) + "): " + nome_voce(m, c.valore1);
        case tipo_marca::sconosciuto:
            break;
    }
    return "Cell of kind "s + intero(c.tipo) + "\n" + valori(c);
}

}  // namespace

std::string testo_origine(const luogo& l, const fonti_vista& f) {
    if (!noto(l)) return "";
    const bool linea = l.file == sorgente::linea;
    std::string file = linea ? f.file_linea : f.file_treno;
    if (file.empty()) file = linea ? "the line file" : "the train file";
    return "record at line "s + intero(l.riga) + ", column " + intero(l.colonna) + " of " + file;
}

std::string nome_stazione(const modello_scenario& m, const stazione_vista& s) {
    const std::string n = nome_voce(m, s.voce);
    return n.empty() ? "(no name)" : n;
}

std::string tratto_km(std::int64_t da, std::int64_t a) { return "km "s + km(da) + "\u2013" + km(a); }

std::string titolo_stazione(const modello_scenario& m, const stazione_vista& s, const fonti_vista& f) {
    const voce_scenario& v = m.scenario[static_cast<std::size_t>(s.voce)];
    std::string t = "Station "s + intero(s.voce) + ": " + nome_stazione(m, s) + "\nposition " + intero(v.valore3) +
                    " m (km " + km(v.valore3) + "), extent " + intero(v.valore1) + "\u2013" + intero(v.valore2) +
                    " m\nkind " + intero(v.tipo) + ", time " + (v.valore4 == 0 ? "none" : orario(v.valore4)) + "\n";
    t += s.cella >= 0 ? "marker in "s + cella_km(s.cella) : "no marker on the track";
    const std::string o = testo_origine(m.origine_voci[static_cast<std::size_t>(s.voce)], f);
    return o.empty() ? t : t + "\n" + o;
}

std::string titolo_marca(const modello_scenario& m, const marca_vista& x, const fonti_vista& f) {
    const cella& c = m.tracciato[static_cast<std::size_t>(x.cella)];
    std::string t = descrizione(c, x.tipo, m) + "\n" + cella_km(x.cella);
    return t + riga_origine(m, x.cella, f);
}

std::string titolo_rallentamento(const modello_scenario& m, const rallentamento_vista& r, const fonti_vista& f) {
    const cella& c = m.tracciato[static_cast<std::size_t>(r.inizio)];
    std::string t = "Slowdown, "s + intero(c.valore1) + " km/h\ncells " + intero(r.inizio) + "\u2013" + intero(r.fine) +
                    " (" + tratto_km(metro_cella(r.inizio), metro_cella(r.fine)) + ")";
    if (!r.con_fine) t += "\nno end cell after its start";
    return t + riga_origine(m, r.inizio, f);
}

std::string titolo_montagna(const modello_scenario& m, const tratto& x, const fonti_vista& f) {
    return "Mountain span, kind "s + intero(x.valore) + "\ncells " + intero(x.prima) + "\u2013" + intero(x.ultima) +
           " (" + tratto_km(metro_cella(x.prima), metro_cella(x.ultima + 1)) + ")" + riga_origine(m, x.prima, f);
}

#include "tools/vista/titoli_vista.h"

#include <string_view>

#include "tools/vista/testo_html.h"

using namespace std::string_literals;

namespace {

// ---- the record as written ---------------------------------------------------

// The noun of each record, by the words its keyword holds.
struct nome_record {
    const char* parola;
    const char* nome;
};

constexpr nome_record nomi_record[] = {
    {"segnale", "Signal"},
    {"rallentamento", "Slowdown"},
    {"stazione", "Station"},
    {"abbattimento", "Abbattimento board"},
    {"cartello", "Indication sign"},
    {"indicatori_v", "Maximum-speed indicator pair"},
    {"montagna", "Mountain span"},
    {"pendenza", "Gradient"},
    {"velocit", "Speed limit"},
    {"aderenza", "Adhesion"},
    {"lunghezza", "End of the line"},
};

std::string nome_del_record(const record_scritto& r) {
    if (r.regola != nullptr) {
        for (const nome_record& n : nomi_record) {
            if (std::string_view(n.parola) == r.regola->parola) return n.nome;
        }
    }
    return "Record";
}

bool e_record(const record_scritto* r, std::string_view parola) {
    return r != nullptr && r->regola != nullptr && parola == r->regola->parola;
}

std::string senza_blank_finali(std::string_view s) {
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return std::string(s);
}

std::string tra_virgolette(std::string_view testo) {
    return "\u201C"s + utf8_per_pagina(senza_blank_finali(testo)) + "\u201D";
}

std::string nome_file(sorgente s, const fonti_vista& f) {
    const std::string& n = s == sorgente::linea ? f.file_linea : f.file_treno;
    return n.empty() ? "the "s + nome_sorgente(s) : n;
}

// "sx 2" or "length 700 m" or "name “ROVEA”": one value by its name and unit.
std::string valore_con_nome(const campo_record& c, const valore_scritto& v) {
    if (!v.numero) return c.nome + " "s + tra_virgolette(v.testo);
    std::string t = c.nome + " "s + intero(*v.numero);
    // Hours, minutes and seconds say their unit by their name.
    const std::string_view u = c.unita;
    if (!u.empty() && u != "h" && u != "min" && u != "s") t += " "s + c.unita;
    return t;
}

// The record's first value is where the object stands.
bool con_posizione(const record_scritto& r) {
    if (r.regola == nullptr || r.regola->campi.empty() || !numero_di(r, 0)) return false;
    const std::string_view n = r.regola->campi[0].nome;
    return n == "position" || n == "x";
}

// "Signal at 1200 m (line 14 of F: “segnale”)", then the values by name (the
// position aside, which the first line gives).
std::string come_scritto(const std::string& oggetto, const record_scritto& r, const fonti_vista& f) {
    const bool p = con_posizione(r);
    std::string t = oggetto;
    if (p) t += " at "s + intero(*numero_di(r, 0)) + " m";
    t += " (line "s + intero(r.dove.riga) + " of " + nome_file(r.dove.file, f) + ": " + tra_virgolette(r.parola) + ")";
    if (r.regola == nullptr) return t;
    std::string valori;
    for (std::size_t i = p ? 1 : 0; i < r.regola->campi.size(); ++i) {
        if (!valori.empty()) valori += ", ";
        valori += i < r.valori.size() ? valore_con_nome(r.regola->campi[i], r.valori[i])
                                      : r.regola->campi[i].nome + " (the file ends before it)"s;
    }
    return valori.empty() ? t : t + "\n" + valori;
}

const record_scritto* record_di_luogo(const luogo& l, const fonti_vista& f) {
    return f.record == nullptr ? nullptr : record_a(*f.record, l);
}

const luogo& origine_cella(const modello_scenario& m, std::int64_t c) {
    static const luogo nessuno{};
    if (m.origine_celle.size() != m.tracciato.size() || c < 0 || static_cast<std::size_t>(c) >= m.origine_celle.size()) {
        return nessuno;
    }
    return m.origine_celle[static_cast<std::size_t>(c)];
}

// The first part of a hover: the record as written, or why it cannot be told.
std::string parte_scritta(const std::string& oggetto, const luogo& origine, const record_scritto* r,
                          const fonti_vista& f) {
    if (r != nullptr) return come_scritto(oggetto, *r, f);
    if (noto(origine)) {
        return oggetto + " (line "s + intero(origine.riga) + " of " + nome_file(origine.file, f) +
               "; its values cannot be read there again)";
    }
    if (f.record == nullptr) {
        return oggetto + ": the record that made it is not known (the page was made from the binary files)";
    }
    return oggetto + ": the build noted no record for it";
}

// ---- what the build made of it -----------------------------------------------

// "cell 25 (metres 1250 to 1299, km 1.250)"
std::string cella_metri(std::int64_t c) {
    return "cell "s + intero(c) + " (metres " + intero(primo_metro(c)) + " to " + intero(ultimo_metro(c)) + ", km " +
           km(primo_metro(c)) + ")";
}

// How a record's position gave the cell: its own cell, or the one after it.
std::string dalla_posizione(const record_scritto* r, std::int64_t c, double scarto) {
    const std::optional<std::int32_t> p = r != nullptr && con_posizione(*r) ? numero_di(*r, 0) : std::nullopt;
    const char* dove = scarto == 0 ? "the position's own cell" : "the cell after the position's own";
    if (!p) {
        const double circa = (static_cast<double>(c) - scarto) * metri_cella;
        return ", "s + dove + " (a position of about " + intero(static_cast<std::int64_t>(circa)) + " m)";
    }
    const std::int64_t propria = cella_della_posizione(*p);
    if (cella_della_posizione(*p, scarto) != c) return "";
    if (scarto == 0) return ", the own cell of "s + intero(*p) + " m";
    if (propria + 1 == c) return ", the cell after the own cell of "s + intero(*p) + " m (cell " + intero(propria) + ")";
    // Halfway between two cells the rounding goes to the even one, on each side.
    return ", the cell after the position's own: "s + intero(*p) + " m / 50 + 1 = " + decimale(cella_reale(*p, scarto), 1) +
           ", rounded half to even";
}

// "42 (s1 4, d1 2)": a value packed as tens and units.
std::string decine_unita(int v, const char* decine, const char* unita) {
    std::string t = intero(v);
    if (v >= 0 && v <= 99) t += " ("s + decine + " " + intero(v / 10) + ", " + unita + " " + intero(v % 10) + ")";
    return t;
}

std::string tempo_segnale(const cella& c, const record_scritto* r) {
    std::string t = "; time "s + intero(c.tempo_segnale);
    const std::optional<std::int32_t> sx = r != nullptr ? numero_di(*r, 1) : std::nullopt;
    const std::optional<std::int32_t> tempo = r != nullptr ? numero_di(*r, 10) : std::nullopt;
    if (!sx || !tempo) return t;
    if (*sx != 2 && *tempo != 0) return t + " (the time is kept only when sx is 2)";
    if (*tempo >= 1 && *tempo <= 100) return t + " (a time of 1 to 100 is kept as 101)";
    if (*tempo != c.tempo_segnale) return t + " (kept in one byte)";
    return t;
}

std::string costruito_segnale(const modello_scenario& m, std::int32_t i, const record_scritto* r) {
    const cella& c = m.tracciato[static_cast<std::size_t>(i)];
    std::string t = "Built: the signal in "s + cella_metri(i) + dalla_posizione(r, i, 1) + "\nvalues " +
                    decine_unita(c.valore1, "s1", "d1") + ", " + decine_unita(c.valore2, "s2", "d2") + ", " +
                    decine_unita(c.valore3, "s3", "d3") + ", " + decine_unita(c.valore4, "rapp", "sx \u00d7 3 + dx") +
                    tempo_segnale(c, r);
    std::string avvisi;
    for (int k = 1; k <= 4 && i - 2 * k >= 0; ++k) avvisi += (k == 1 ? "" : ", ") + intero(i - 2 * k);
    if (!avvisi.empty()) t += "\napproach markers in cells "s + avvisi;
    return t;
}

std::string valori_rallentamento(const cella& c, bool con_f_tt) {
    std::string t = "speed "s + intero(c.valore1) + " km/h, d_v " + intero(c.valore2);
    return con_f_tt ? t + ", f_tt " + intero(c.valore3) : t;
}

// The metre a slowdown's piece is placed from: x, x + l or x - 1200.
std::string da_metro(const record_scritto* r, int quale) {
    const std::optional<std::int32_t> x = r != nullptr ? numero_di(*r, 0) : std::nullopt;
    const std::optional<std::int32_t> l = r != nullptr ? numero_di(*r, 2) : std::nullopt;
    if (quale == 0) return x ? ", the cell after the own cell of x ("s + intero(*x) + " m)" : ", the cell after x's own";
    if (quale == 1) {
        return x && l ? ", the cell after the own cell of x + l ("s + intero(std::int64_t{*x} + *l) + " m)"
                      : ", the cell after the own cell of x + l";
    }
    return x ? ", 1200 m before the start: the cell after the own cell of x \u2212 1200 ("s +
                   intero(std::int64_t{*x} - distanza_avviso) + " m)"
             : ", 1200 m before the start";
}

std::string costruito_rallentamento(const cella& c, std::int32_t i, tipo_marca t, const record_scritto* r) {
    switch (t) {
        case tipo_marca::inizio_rallentamento:
            return "Built: the slowdown's start in "s + cella_metri(i) + da_metro(r, 0) + "\n" +
                   valori_rallentamento(c, true);
        case tipo_marca::fine_rallentamento:
            return "Built: the slowdown's end in "s + cella_metri(i) + da_metro(r, 1) + "\n" +
                   valori_rallentamento(c, true);
        case tipo_marca::avviso:
            return "Built: the slowdown's warning board in "s + cella_metri(i) + da_metro(r, 2) + "\n" +
                   valori_rallentamento(c, false);
        default:
            break;
    }
    return "Built: lead-in cell "s + intero(c.valore1) + " of 4 before the slowdown's warning board (1 next to it), " +
           cella_metri(i) + "; asked for by f_ta";
}

std::string costruito_indicatori(const cella& c, std::int32_t i, const record_scritto* r) {
    return "Built: the pair in "s + cella_metri(i) + dalla_posizione(r, i, 1) + "\ncategory a " + intero(c.valore1) +
           ", b " + intero(c.valore2) + ", c " + intero(c.valore3) + " (s \u00d7 20 + d / 5, rounded), stripes " +
           intero(c.valore4) + " (s stripes \u00d7 10 + d stripes)";
}

std::string nome_voce(const modello_scenario& m, int v) {
    if (v < 0 || v >= voci_scenario) return "";
    return utf8_per_pagina(m.scenario[static_cast<std::size_t>(v)].nome);
}

std::string costruito_cartello(const modello_scenario& m, const cella& c, std::int32_t i, const record_scritto* r) {
    return "Built: the sign in "s + cella_metri(i) + dalla_posizione(r, i, 1) + "\nits text in table entry " +
           intero(c.valore1) + ": \u201C" + nome_voce(m, c.valore1) + "\u201D";
}

// A board of the finishing pass stands where the pass found room, not at a position.
std::string costruito_tabella(const cella& c, std::int32_t i, const record_scritto* r, bool finitura) {
    if (c.tipo == tipo_cella::tabella_senza_valore) {
        return "Built: a board without a value (the value is 0 or less) in "s + cella_metri(i) + dalla_posizione(r, i, 0);
    }
    const std::string t = "Built: a board with the value "s + intero(c.valore1) + " in " + cella_metri(i);
    return finitura ? t : t + dalla_posizione(r, i, 0);
}

std::string costruito_marca_stazione(const modello_scenario& m, const cella& c, std::int32_t i) {
    std::string t = "Built: the station marker of entry "s + intero(c.valore1) + " (" + nome_voce(m, c.valore1) +
                    ") in " + cella_metri(i);
    if (c.valore1 >= voce::prima_stazione && c.valore1 < voce::primo_cartello) {
        const std::int32_t fine = m.scenario[static_cast<std::size_t>(c.valore1)].valore2;
        t += ", the cell before the own cell of the extent's end ("s + intero(fine) + " m)";
    }
    return t;
}

std::string costruito_ignoto(const cella& c, std::int32_t i) {
    return "Built: "s + cella_metri(i) + " holds a cell of kind " + intero(c.tipo) + ", which no record makes\nvalues " +
           intero(c.valore1) + ", " + intero(c.valore2) + ", " + intero(c.valore3) + ", " + intero(c.valore4) +
           "; time " + intero(c.tempo_segnale);
}

// What a mark is called when no record tells it.
struct nome_di_marca {
    tipo_marca tipo;
    const char* nome;
};

constexpr nome_di_marca nomi_marche[] = {
    {tipo_marca::segnale, "Signal"},
    {tipo_marca::inizio_rallentamento, "Slowdown start"},
    {tipo_marca::fine_rallentamento, "Slowdown end"},
    {tipo_marca::avviso, "Slowdown warning board"},
    {tipo_marca::preavviso, "Lead-in cell of a slowdown warning board"},
    {tipo_marca::indicatori, "Maximum-speed indicator pair"},
    {tipo_marca::marca_stazione, "Station marker"},
    {tipo_marca::abbattimento, "Abbattimento board"},
    {tipo_marca::tabella_180, "Board of value 180"},
    {tipo_marca::cartello, "Indication sign"},
};

const char* nome_marca(tipo_marca t) {
    for (const nome_di_marca& n : nomi_marche) {
        if (n.tipo == t) return n.nome;
    }
    return "Cell of another kind";
}

std::string costruito_marca(const modello_scenario& m, tipo_marca t, std::int32_t i, const record_scritto* r) {
    const cella& c = m.tracciato[static_cast<std::size_t>(i)];
    switch (t) {
        case tipo_marca::segnale:
            return costruito_segnale(m, i, r);
        case tipo_marca::inizio_rallentamento:
        case tipo_marca::fine_rallentamento:
        case tipo_marca::avviso:
        case tipo_marca::preavviso:
            return costruito_rallentamento(c, i, t, r);
        case tipo_marca::indicatori:
            return costruito_indicatori(c, i, r);
        case tipo_marca::marca_stazione:
            return costruito_marca_stazione(m, c, i);
        case tipo_marca::abbattimento:
        case tipo_marca::tabella_180:
            return costruito_tabella(c, i, r, t == tipo_marca::tabella_180);
        case tipo_marca::cartello:
            return costruito_cartello(m, c, i, r);
        case tipo_marca::sconosciuto:
            break;
    }
    return costruito_ignoto(c, i);
}

// ---- stations ------------------------------------------------------------------

std::string estensione(const voce_scenario& v) {
    if (v.tipo >= tipo_stazione::estesa_avanti_prima && v.tipo <= tipo_stazione::estesa_avanti_ultima) {
        return "from the position less the length to the position plus 150 m (kinds 5 and 6)";
    }
    if (v.tipo >= tipo_stazione::simmetrica_prima && v.tipo <= tipo_stazione::simmetrica_ultima) {
        return "from the position less the length to the position plus the length (kinds 7 and 8)";
    }
    if (std::int64_t{v.valore2} - v.valore3 != std::int64_t{v.valore3} - v.valore1) {
        return "centred on the position, 50 m longer at its far end (opz3 not 0)";
    }
    return "centred on the position";
}

// What the build cleared of the values written.
std::string azzerati(const voce_scenario& v, const record_scritto* r) {
    std::string t;
    const std::optional<std::int32_t> opz4 = r != nullptr ? numero_di(*r, 4) : std::nullopt;
    const std::optional<std::int32_t> opz3 = r != nullptr ? numero_di(*r, 5) : std::nullopt;
    if (opz4 && *opz4 != 0 && v.opz4 == 0) t += "\nopz4 kept as 0 (a length below 600 m, or the first station)";
    if (opz3 && *opz3 != 0 && v.opz3 == 0) t += "\nopz3 kept as 0 (kinds 5 to 8, or the first station)";
    return t;
}

std::string costruito_stazione(const modello_scenario& m, const stazione_vista& s, const record_scritto* r) {
    const voce_scenario& v = m.scenario[static_cast<std::size_t>(s.voce)];
    std::string t = "Built: entry "s + intero(s.voce) + " of the table, position " + intero(v.valore3) + " m (km " +
                    km(v.valore3) + "), kind " + intero(v.tipo) + "\nextent " + intero(v.valore1) + " to " +
                    intero(v.valore2) + " m (" + tratto_km(v.valore1, v.valore2) + "), " + estensione(v) + "\ntime " +
                    (v.valore4 == 0 ? "none"s : orario(v.valore4));
    if (s.cella >= 0) {
        t += "; station marker in "s + cella_metri(s.cella);
    } else {
        t += v.tipo >= tipo_stazione::senza_marche ? "; no mark on the track (kind 25 or above)"
                                                   : "; no station marker on the track";
    }
    if (r == nullptr) {
        t += "\nkept: marca "s + intero(v.marca) + ", opz4 " + intero(v.opz4) + ", opz3 " + intero(v.opz3) + ", par1 " +
             intero(v.par1) + ", par2 " + intero(v.par2) + ", opz1 " + intero(v.opz1) + ", par3 " + intero(v.par3) +
             ", par4 " + intero(v.par4) + ", par5 " + intero(v.par5) + ", opz2 " + intero(v.opz2);
    }
    return t + azzerati(v, r);
}

// ---- mountain spans --------------------------------------------------------------

// The record of a span: the one the build noted in one of its mountain marks,
// else the mountain record of the line file whose start falls in the span's
// first cell. (Other cells of the span may hold what a later record wrote.)
const record_scritto* record_montagna(const modello_scenario& m, const tratto& x, const fonti_vista& f) {
    if (f.record == nullptr) return nullptr;
    for (std::int32_t c = x.prima; c <= x.ultima; ++c) {
        const record_scritto* r = record_di_luogo(origine_cella(m, c), f);
        if (e_record(r, "montagna")) return r;
    }
    for (const record_scritto& r : f.record->linea) {
        const std::optional<std::int32_t> inizio = numero_di(r, 0);
        if (e_record(&r, "montagna") && inizio && cella_della_posizione(*inizio) == x.prima) return &r;
    }
    return nullptr;
}

std::string costruito_montagna(const tratto& x, const record_scritto* r) {
    std::string t = "Built: cells "s + intero(x.prima) + " to " + intero(x.ultima) + " (metres " +
                    intero(primo_metro(x.prima)) + " to " + intero(ultimo_metro(x.ultima)) + ", " +
                    tratto_km(primo_metro(x.prima), primo_metro(x.ultima + 1)) + "), kind " + intero(x.valore);
    const std::optional<std::int32_t> tipo = r != nullptr ? numero_di(*r, 2) : std::nullopt;
    if (!tipo) return t;
    if (*tipo > 10) t += "\nmarks in every fourth cell: the kind written less 10";
    const std::int32_t senza_marche = *tipo > 10 ? *tipo - 10 : *tipo;
    if (x.valore == 3 && senza_marche != 3) t += "\nkind 3: it begins within 150 m of the previous span's end, and joins it";
    return t;
}

// ---- runs of gradient, speed limit and adhesion ---------------------------------

struct regola_tratto {
    valore_cella quale;
    sorgente file;
    const char* parola;  // the record's words
    const char* nome;    // the value, as the panels name it
    const char* oggetto;  // the same, heading a hover
    const char* unita;
};

constexpr regola_tratto regole_tratti[] = {
    {valore_cella::pendenza, sorgente::linea, "pendenza", "gradient", "Gradient", ""},
    {valore_cella::velocita, sorgente::treno, "velocit", "speed limit", "Speed limit", " km/h"},
    {valore_cella::aderenza, sorgente::treno, "aderenza", "adhesion", "Adhesion", ""},
};

const regola_tratto& regola_di(valore_cella v) {
    for (const regola_tratto& r : regole_tratti) {
        if (r.quale == v) return r;
    }
    return regole_tratti[0];
}

// The last record of the kind whose position's own cell is the run's first:
// each of them fills the cells from its own on.
const record_scritto* record_tratto(const regola_tratto& g, const tratto& t, const fonti_vista& f) {
    if (f.record == nullptr) return nullptr;
    const record_scritto* trovato = nullptr;
    for (const record_scritto& r : g.file == sorgente::linea ? f.record->linea : f.record->treno) {
        const std::optional<std::int32_t> p = numero_di(r, 0);
        if (e_record(&r, g.parola) && p && cella_della_posizione(*p) == t.prima) trovato = &r;
    }
    return trovato;
}

// What the cells keep when it is not what was written.
std::string come_tenuto(const regola_tratto& g, const tratto& t, const record_scritto* r) {
    const std::optional<std::int32_t> scritto = r != nullptr ? numero_di(*r, 1) : std::nullopt;
    if (!scritto || *scritto == t.valore) return "";
    if (g.quale == valore_cella::velocita) return " (kept in steps of 5 km/h)";
    return " (kept in one byte)";
}

}  // namespace

std::string titolo_tratto(valore_cella v, const tratto& t, std::int64_t da, std::int64_t a, const fonti_vista& f) {
    const regola_tratto& g = regola_di(v);
    const record_scritto* r = record_tratto(g, t, f);
    std::string testa;
    if (r != nullptr) {
        testa = come_scritto(nome_del_record(*r), *r, f);
    } else if (f.record == nullptr) {
        testa = g.oggetto + ": the record that set it is not known (the page was made from the binary files)"s;
    } else {
        testa = g.oggetto + ": no record sets these cells, which keep 0"s;
    }
    return testa + "\nBuilt: " + tratto_km(da, a) + ", cells " + intero(t.prima) + " to " + intero(t.ultima) + ": " +
           g.nome + " " + intero(t.valore) + g.unita + come_tenuto(g, t, r);
}

std::string titolo_fine_linea(const modello_scenario& m, const fonti_vista& f) {
    // A length given twice: the last one read holds.
    const record_scritto* r = nullptr;
    if (f.record != nullptr) {
        for (const record_scritto& x : f.record->linea) {
            if (e_record(&x, "lunghezza")) r = &x;
        }
    }
    const std::int32_t lunghezza = m.scenario[voce::dati_generali].valore2;
    const auto celle = static_cast<std::int64_t>(m.tracciato.size());
    std::string t = parte_scritta("End of the line", r != nullptr ? r->dove : luogo{}, r, f) + "\nBuilt: declared length " +
                    intero(lunghezza) + " m (km " + km(lunghezza) + ")";
    if (celle > 0) t += "; the track goes on to "s + cella_metri(celle - 1);
    return t;
}

std::string nome_stazione(const modello_scenario& m, const stazione_vista& s) {
    const std::string n = nome_voce(m, s.voce);
    return n.empty() ? "(no name)" : n;
}

std::string tratto_km(std::int64_t da, std::int64_t a) { return "km "s + km(da) + "\u2013" + km(a); }

std::string titolo_stazione(const modello_scenario& m, const stazione_vista& s, const fonti_vista& f) {
    const luogo& origine = m.origine_voci[static_cast<std::size_t>(s.voce)];
    const record_scritto* r = record_di_luogo(origine, f);
    const std::string oggetto = "Station "s + nome_stazione(m, s);
    return parte_scritta(oggetto, origine, r, f) + "\n" + costruito_stazione(m, s, r);
}

std::string titolo_marca(const modello_scenario& m, const marca_vista& x, const fonti_vista& f) {
    const luogo& origine = origine_cella(m, x.cella);
    const record_scritto* r = record_di_luogo(origine, f);
    tipo_marca t = x.tipo;
    // A board of value 180 that an abbattimento record wrote is the author's own.
    if (t == tipo_marca::tabella_180 && e_record(r, "abbattimento")) t = tipo_marca::abbattimento;
    if (t == tipo_marca::marca_stazione) {
        const std::int16_t voce = m.tracciato[static_cast<std::size_t>(x.cella)].valore1;
        const std::string oggetto = "Station marker of \u201C"s + nome_voce(m, voce) + "\u201D";
        return parte_scritta(oggetto, origine, r, f) + "\n" + costruito_marca(m, t, x.cella, r);
    }
    if (t == tipo_marca::tabella_180) {
        const std::string testo =
            r != nullptr ? "Board of value 180, placed by the build's finishing pass (no record of its own), for:\n"s +
                               come_scritto(nome_del_record(*r), *r, f)
                         : "Board of value 180, the value of the boards the build's finishing pass places"s;
        return testo + "\n" + costruito_marca(m, t, x.cella, r);
    }
    const std::string oggetto = r != nullptr ? nome_del_record(*r) : nome_marca(t);
    return parte_scritta(oggetto, origine, r, f) + "\n" + costruito_marca(m, t, x.cella, r);
}

std::string titolo_rallentamento(const modello_scenario& m, const rallentamento_vista& x, const fonti_vista& f) {
    const luogo& origine = origine_cella(m, x.inizio);
    const record_scritto* r = record_di_luogo(origine, f);
    const cella& c = m.tracciato[static_cast<std::size_t>(x.inizio)];
    std::string t = parte_scritta("Slowdown", origine, r, f) + "\nBuilt: start in cell " + intero(x.inizio) +
                    ", end in cell " + intero(x.fine) + " (" + tratto_km(primo_metro(x.inizio), primo_metro(x.fine + 1)) +
                    ")\n" + valori_rallentamento(c, true);
    if (!x.con_fine) t += "\nno end cell after its start";
    return t;
}

std::string titolo_montagna(const modello_scenario& m, const tratto& x, const fonti_vista& f) {
    const record_scritto* r = record_montagna(m, x, f);
    return parte_scritta("Mountain span", r != nullptr ? r->dove : luogo{}, r, f) + "\n" + costruito_montagna(x, r);
}

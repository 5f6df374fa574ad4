#include "tools/decompila_testi.h"

#include <algorithm>
#include <initializer_list>

namespace {

// How a value is padded: right-aligned in `larghezza` characters, with at
// least `minimo` blanks before it.
struct colonna {
    std::size_t larghezza;
    std::size_t minimo;
};

// Blanks before the value, as many as the embedded records use.
constexpr colonna dopo(std::size_t blank) { return {0, blank}; }

std::string allineato(std::int64_t v, colonna c) {
    const std::string cifre = std::to_string(v);
    const std::size_t blank = std::max(c.minimo, c.larghezza > cifre.size() ? c.larghezza - cifre.size() : 0);
    return std::string(blank, ' ') + cifre;
}

struct campo {
    std::int64_t valore;
    colonna c;
};

// ",value" for each value.
std::string valori(std::initializer_list<campo> v) {
    std::string r;
    for (const campo& x : v) {
        r += ',';
        r += allineato(x.valore, x.c);
    }
    return r;
}

struct testo_crlf {
    std::string t;
    void riga(const std::string& r) {
        t += r;
        t += "\r\n";
    }
};

const char* const numeri[] = {"uno", "due", "tre"};

// Columns of the embedded records.
constexpr colonna generale = dopo(4);

void generale_linea(testo_crlf& f, const sorgente_linea& l) {
    f.riga("[generale]");
    f.riga("lunghezza percorso" + valori({{l.lunghezza, generale}}));
    for (std::size_t i = 0; i < 3; ++i) {
        const progressiva_rec& p = l.progressive[i];
        f.riga(std::string("progressiva chilometrica ") + numeri[i] +
               valori({{p.inizio, generale}, {p.valore, generale}, {p.flag, generale}}));
    }
    for (std::size_t i = 0; i < 3; ++i) f.riga(std::string("sfondo ") + numeri[i] + valori({{l.sfondi[i], generale}}));
    f.riga("ripetizione segnali " + std::to_string(l.codici_ripetizione) + " codici" +
           valori({{l.inizio_ripetizione, generale}, {l.fine_ripetizione, generale}}));
}

void corpo_linea(testo_crlf& f, const sorgente_linea& l) {
    f.riga("[curve]");
    for (const curva_rec& c : l.curve) {
        f.riga(std::string("curva") + (c.sinistra ? "s" : "d") + std::to_string(c.grado) +
               valori({{c.inizio, dopo(2)}, {c.lunghezza, dopo(2)}}));
    }
    f.riga("[pendenze]");
    for (const punto_rec& p : l.pendenze) f.riga("pendenza" + valori({{p.posizione, dopo(2)}, {p.valore, dopo(3)}}));
    f.riga("[montagne]");
    for (const montagna_rec& m : l.montagne) {
        f.riga("montagna" + valori({{m.inizio, dopo(3)}, {m.fine, dopo(2)}, {m.tipo, dopo(2)}}));
    }
    f.riga("[cartelli]");
    for (const indicatori_rec& i : l.indicatori) {
        std::string r = "indicatori_v_max" + valori({{i.posizione, dopo(2)}});
        for (const std::int32_t v : i.valori) r += valori({{v, dopo(2)}});
        f.riga(r);
    }
    f.riga("[indicazioni]");
    for (const cartello_rec& c : l.cartelli) {
        f.riga("cartello_indicatore" + valori({{c.posizione, dopo(2)}}) + ",   " + c.testo);
    }
}

void generale_treno(testo_crlf& f, const sorgente_treno& t) {
    f.riga("[generale]");
    f.riga("numero vetture" + valori({{t.vetture, generale}}));
    f.riga("percentuale massa frenata" + valori({{t.massa_frenata, generale}}));
    f.riga("sabbia" + valori({{t.sabbia, generale}}));
    // The clock's three values in columns, separated by blanks only.
    f.riga("orologio," + allineato(t.orologio[0], {6, 1}) + allineato(t.orologio[1], {15, 1}) +
           allineato(t.orologio[2], {15, 1}) + " ");
}

void stazione(testo_crlf& f, const stazione_rec& s) {
    const auto& v = s.valori;
    f.riga("stazione" + valori({{s.posizione, {8, 0}},
                                 {s.tipo, {3, 0}},
                                 {s.lunghezza, {5, 0}},
                                 {v[0], {3, 0}},
                                 {v[1], {2, 0}},
                                 {v[2], {2, 0}},
                                 {v[3], {3, 0}},
                                 {v[4], {1, 0}},
                                 {v[5], {1, 0}},
                                 {v[6], {3, 0}},
                                 {v[7], {1, 0}},
                                 {v[8], {1, 0}},
                                 {v[9], {5, 0}},
                                 {s.ora[0], {4, 0}},
                                 {s.ora[1], {2, 0}},
                                 {s.ora[2], {2, 0}}}) +
           ", " + s.nome);
}

void segnale(testo_crlf& f, const segnale_rec& s) {
    const auto& v = s.valori;
    f.riga("segnale" + valori({{s.posizione, {8, 0}},
                                {v[0], {4, 0}},
                                {v[1], {2, 0}},
                                {v[2], {2, 0}},
                                {v[3], {3, 0}},
                                {v[4], {2, 0}},
                                {v[5], {5, 0}},
                                {v[6], {3, 0}},
                                {v[7], {1, 0}},
                                {v[8], {1, 0}},
                                {v[9], {2, 1}}}));
}

// The stations, each after the signals that must come before it.
void stazioni(testo_crlf& f, const sorgente_treno& t) {
    f.riga("[stazioni]");
    for (std::size_t i = 0; i < t.stazioni.size(); ++i) {
        for (const segnale_rec& s : t.segnali) {
            if (s.stazioni_prima == i) segnale(f, s);
        }
        stazione(f, t.stazioni[i]);
    }
}

}  // namespace

std::string testo_linea(const sorgente_linea& l) {
    testo_crlf f;
    generale_linea(f, l);
    corpo_linea(f, l);
    f.riga("[fine]");
    return f.t;
}

std::string testo_treno(const sorgente_treno& t) {
    testo_crlf f;
    generale_treno(f, t);
    f.riga("[aderenze]");
    for (const punto_rec& a : t.aderenze) f.riga("aderenza" + valori({{a.posizione, dopo(3)}, {a.valore, dopo(4)}}));
    f.riga("[vel_limite]");
    for (const punto_rec& v : t.velocita) f.riga("velocita" + valori({{v.posizione, dopo(3)}, {v.valore, {6, 1}}}));
    stazioni(f, t);
    f.riga("[rallentamenti]");
    for (const rallentamento_rec& r : t.rallentamenti) {
        f.riga("rallentamento" + valori({{r.x, {8, 1}}, {r.v, {5, 1}}, {r.l, {6, 1}}, {r.f_tt, {3, 1}},
                                          {r.f_ta, {2, 1}}, {r.d_v, {3, 1}}}));
    }
    f.riga("[segnali]");
    for (const segnale_rec& s : t.segnali) {
        if (s.stazioni_prima >= t.stazioni.size()) segnale(f, s);
    }
    f.riga("[codici]");
    for (const punto_rec& a : t.abbattimenti) {
        f.riga("abbattimento" + valori({{a.posizione, {8, 1}}, {a.valore, {5, 1}}}));
    }
    f.riga("[fine]");
    return f.t;
}

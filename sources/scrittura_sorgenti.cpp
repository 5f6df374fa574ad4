#include "sources/scrittura_sorgenti.h"

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
        const record_progressiva& p = l.progressive[i];
        f.riga(std::string("progressiva chilometrica ") + numeri[i] +
               valori({{p.inizio, generale}, {p.valore, generale}, {p.flag, generale}}));
    }
    for (std::size_t i = 0; i < 3; ++i) f.riga(std::string("sfondo ") + numeri[i] + valori({{l.sfondi[i], generale}}));
    f.riga("ripetizione segnali " + std::to_string(l.codici_ripetizione) + " codici" +
           valori({{l.inizio_ripetizione, generale}, {l.fine_ripetizione, generale}}));
}

void corpo_linea(testo_crlf& f, const sorgente_linea& l) {
    f.riga("[curve]");
    for (const record_curva& c : l.curve) {
        f.riga(std::string("curva") + (c.sinistra ? "s" : "d") + std::to_string(c.grado) +
               valori({{c.inizio, dopo(2)}, {c.lunghezza, dopo(2)}}));
    }
    f.riga("[pendenze]");
    for (const record_punto& p : l.pendenze) f.riga("pendenza" + valori({{p.posizione, dopo(2)}, {p.valore, dopo(3)}}));
    f.riga("[montagne]");
    for (const record_montagna& m : l.montagne) {
        f.riga("montagna" + valori({{m.inizio, dopo(3)}, {m.fine, dopo(2)}, {m.tipo, dopo(2)}}));
    }
    f.riga("[cartelli]");
    for (const record_indicatori& i : l.indicatori) {
        f.riga("indicatori_v_max" + valori({{i.posizione, dopo(2)}, {i.vas, dopo(2)}, {i.vbs, dopo(2)},
                                             {i.vcs, dopo(2)}, {i.strisces, dopo(2)}, {i.vad, dopo(2)},
                                             {i.vbd, dopo(2)}, {i.vcd, dopo(2)}, {i.strisced, dopo(2)}}));
    }
    f.riga("[indicazioni]");
    for (const record_cartello& c : l.cartelli) {
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

void stazione(testo_crlf& f, const record_stazione& s) {
    f.riga("stazione" + valori({{s.posizione, {8, 0}},
                                 {s.tipo, {3, 0}},
                                 {s.lunghezza, {5, 0}},
                                 {s.marca, {3, 0}},
                                 {s.opz4, {2, 0}},
                                 {s.opz3, {2, 0}},
                                 {s.par1, {3, 0}},
                                 {s.par2, {1, 0}},
                                 {s.opz1, {1, 0}},
                                 {s.par3, {3, 0}},
                                 {s.par4, {1, 0}},
                                 {s.par5, {1, 0}},
                                 {s.opz2, {5, 0}},
                                 {s.ore, {4, 0}},
                                 {s.minuti, {2, 0}},
                                 {s.secondi, {2, 0}}}) +
           ", " + s.nome);
}

void segnale(testo_crlf& f, const record_segnale& s) {
    f.riga("segnale" + valori({{s.posizione, {8, 0}},
                                {s.sx, {4, 0}},
                                {s.s1, {2, 0}},
                                {s.s2, {2, 0}},
                                {s.s3, {3, 0}},
                                {s.rapp, {2, 0}},
                                {s.dx, {5, 0}},
                                {s.d1, {3, 0}},
                                {s.d2, {1, 0}},
                                {s.d3, {1, 0}},
                                {s.tempo, {2, 1}}}));
}

void rallentamento(testo_crlf& f, const record_rallentamento& r) {
    f.riga("rallentamento" + valori({{r.x, {8, 1}}, {r.v, {5, 1}}, {r.l, {6, 1}}, {r.f_tt, {3, 1}}, {r.f_ta, {2, 1}},
                                      {r.d_v, {3, 1}}}));
}

// The stations, each after the slowdowns and signals that must come before it.
void stazioni(testo_crlf& f, const sorgente_treno& t) {
    f.riga("[stazioni]");
    for (std::size_t i = 0; i < t.stazioni.size(); ++i) {
        for (const record_rallentamento& r : t.rallentamenti) {
            if (r.stazioni_prima == i) rallentamento(f, r);
        }
        for (const record_segnale& s : t.segnali) {
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
    for (const record_punto& a : t.aderenze) f.riga("aderenza" + valori({{a.posizione, dopo(3)}, {a.valore, dopo(4)}}));
    f.riga("[vel_limite]");
    for (const record_punto& v : t.velocita) f.riga("velocita" + valori({{v.posizione, dopo(3)}, {v.valore, {6, 1}}}));
    stazioni(f, t);
    f.riga("[rallentamenti]");
    for (const record_rallentamento& r : t.rallentamenti) {
        if (r.stazioni_prima >= t.stazioni.size()) rallentamento(f, r);
    }
    f.riga("[segnali]");
    for (const record_segnale& s : t.segnali) {
        if (s.stazioni_prima >= t.stazioni.size()) segnale(f, s);
    }
    f.riga("[codici]");
    for (const record_punto& a : t.abbattimenti) {
        f.riga("abbattimento" + valori({{a.posizione, {8, 1}}, {a.valore, {5, 1}}}));
    }
    f.riga("[fine]");
    return f.t;
}

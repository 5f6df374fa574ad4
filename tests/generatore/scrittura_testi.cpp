// The two texts of a generated scenario, laid out like the embedded
// scenario's sources: "[generale]" first, the sections in the same order with
// their headers, one record per line, values padded with blanks after the
// commas, CR LF line ends, "[fine]" last. Plain ASCII.
#include <string>

#include "tests/generatore/record.h"

namespace {

// A value right-aligned in `larghezza` characters, with at least one blank in
// front of it.
std::string allineato(std::int64_t v, std::size_t larghezza) {
    std::string cifre = std::to_string(v);
    const std::size_t blank = cifre.size() < larghezza ? larghezza - cifre.size() : 1;
    return std::string(blank, ' ') + cifre;
}

// ",value" for each value, each right-aligned in its width.
std::string valori(std::initializer_list<std::pair<std::int64_t, std::size_t>> v) {
    std::string r;
    for (const auto& [valore, larghezza] : v) r += "," + allineato(valore, larghezza);
    return r;
}

struct testo_crlf {
    std::string t;
    void riga(const std::string& r) { t += r + "\r\n"; }
};

const char* nomi_numeri[] = {"uno", "due", "tre"};

void generale_linea(testo_crlf& f, const linea_gen& l) {
    f.riga("[generale]");
    f.riga("lunghezza percorso" + valori({{l.lunghezza, 9}}));
    for (int i = 0; i < 3; ++i) {
        const progressiva_gen& p = l.progressive[static_cast<std::size_t>(i)];
        f.riga(std::string("progressiva chilometrica ") + nomi_numeri[i] +
               valori({{p.inizio, 5}, {p.valore, 5}, {p.flag, 5}}));
    }
    for (int i = 0; i < 3; ++i) {
        f.riga(std::string("sfondo ") + nomi_numeri[i] + valori({{l.sfondi[static_cast<std::size_t>(i)], 5}}));
    }
    f.riga("ripetizione segnali " + std::to_string(l.codici_ripetizione) + " codici" +
           valori({{l.inizio_ripetizione, 5}, {l.fine_ripetizione, 9}}));
}

void corpo_linea(testo_crlf& f, const linea_gen& l) {
    f.riga("[curve]");
    for (const curva_gen& c : l.curve) {
        f.riga(std::string("curva") + (c.sinistra ? "s" : "d") + std::to_string(c.grado) +
               valori({{c.inizio, 6}, {c.lunghezza, 6}}));
    }
    f.riga("[pendenze]");
    for (const pendenza_gen& p : l.pendenze) f.riga("pendenza" + valori({{p.posizione, 6}, {p.valore, 4}}));
    f.riga("[montagne]");
    for (const montagna_gen& m : l.montagne) {
        f.riga("montagna" + valori({{m.inizio, 8}, {m.fine, 7}, {m.tipo, 3}}));
    }
    f.riga("[cartelli]");
    for (const indicatori_gen& i : l.indicatori) {
        std::string r = "indicatori_v_max" + valori({{i.posizione, 7}});
        for (const std::int32_t v : i.valori) r += valori({{v, 4}});
        f.riga(r);
    }
    f.riga("[indicazioni]");
    for (const cartello_gen& c : l.cartelli) f.riga("cartello_indicatore" + valori({{c.posizione, 5}}) + ",   " + c.testo);
}

void generale_treno(testo_crlf& f, const treno_gen& t) {
    f.riga("[generale]");
    f.riga("numero vetture" + valori({{t.vetture, 5}}));
    f.riga("percentuale massa frenata" + valori({{t.massa_frenata, 7}}));
    f.riga("sabbia" + valori({{t.sabbia, 7}}));
    // The clock's three values are separated by blanks only, as in the
    // embedded file.
    f.riga("orologio," + allineato(t.orologio[0], 6) + allineato(t.orologio[1], 15) + allineato(t.orologio[2], 15) +
           " ");
}

void stazione(testo_crlf& f, const stazione_gen& s) {
    const auto& v = s.valori;
    f.riga("stazione" + valori({{s.posizione, 8}, {s.tipo, 3}, {s.lunghezza, 5}, {v[0], 3}, {v[1], 2}, {v[2], 2},
                                  {v[3], 3}, {v[4], 1}, {v[5], 1}, {v[6], 3}, {v[7], 1}, {v[8], 1}, {v[9], 5},
                                  {s.ora[0], 4}, {s.ora[1], 3}, {s.ora[2], 3}}) +
           ", " + s.nome);
}

void segnale(testo_crlf& f, const segnale_gen& s) {
    const auto& v = s.valori;
    f.riga("segnale" + valori({{s.posizione, 8}, {v[0], 4}, {v[1], 2}, {v[2], 2}, {v[3], 3}, {v[4], 2},
                                 {v[5], 5}, {v[6], 3}, {v[7], 1}, {v[8], 1}, {v[9], 2}}));
}

}  // namespace

std::string testo_linea(const linea_gen& l) {
    testo_crlf f;
    generale_linea(f, l);
    corpo_linea(f, l);
    f.riga("[fine]");
    return f.t;
}

std::string testo_treno(const treno_gen& t) {
    testo_crlf f;
    generale_treno(f, t);
    f.riga("[aderenze]");
    for (const punto_gen& a : t.aderenze) f.riga("aderenza" + valori({{a.posizione, 4}, {a.valore, 7}}));
    f.riga("[vel_limite]");
    for (const punto_gen& v : t.velocita) f.riga("velocita" + valori({{v.posizione, 4}, {v.valore, 7}}));
    f.riga("[stazioni]");
    for (const stazione_gen& s : t.stazioni) stazione(f, s);
    f.riga("[rallentamenti]");
    for (const rallentamento_gen& r : t.rallentamenti) {
        f.riga("rallentamento" + valori({{r.x, 8}, {r.v, 5}, {r.l, 6}, {r.f_tt, 3}, {r.f_ta, 2}, {r.d_v, 3}}));
    }
    f.riga("[segnali]");
    for (const segnale_gen& s : t.segnali) segnale(f, s);
    f.riga("[codici]");
    for (const abbattimento_gen& a : t.abbattimenti) f.riga("abbattimento" + valori({{a.posizione, 8}, {a.valore, 5}}));
    f.riga("[fine]");
    return f.t;
}

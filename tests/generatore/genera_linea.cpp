// The line description: general records, curves, gradients, mountain spans,
// speed indicators and indication signs.
#include <algorithm>
#include <array>
#include <string>

#include "tests/generatore/contesto.h"

namespace {

// The last metre a curve may reach: the plan ends 7000 m after the line, and
// no curve may take the plan to metre 1,000,000.
constexpr std::int64_t ultimo_metro_curva = 999999;

// The three progressives: all zero as in the embedded line, one value at
// start 0, or three starts, with flags (1 adds 100 once they are ordered).
// Starts and values are multiples of 50.
void genera_progressive(contesto_generazione& g, sorgente_linea& l) {
    sorgente_casuale& c = g.caso;
    if (g.sovrapposizioni && probabile(c, 1, 3)) {
        progressive_pari(c, g.lunghezza, l);
        return;
    }
    const std::int64_t modo = intero(c, 0, 3);
    if (modo == 0) return;
    if (modo == 1) {
        record_progressiva& p = l.progressive[static_cast<std::size_t>(intero(c, 0, 2))];
        p.valore = static_cast<std::int32_t>(multiplo(c, 50, 200000, 50));
        p.flag = static_cast<std::int32_t>(intero(c, 0, 2));
        return;
    }
    for (record_progressiva& p : l.progressive) {
        p.inizio = static_cast<std::int32_t>(multiplo(c, 0, g.lunghezza, 50));
        p.valore = static_cast<std::int32_t>(multiplo(c, 0, 300000, 50));
        p.flag = static_cast<std::int32_t>(intero(c, 0, 2));
    }
    // Sometimes two share the largest start: the ordering then leaves all zero.
    if (modo == 3) l.progressive[1].inizio = l.progressive[2].inizio = std::max(l.progressive[1].inizio, l.progressive[2].inizio);
}

void genera_curve(contesto_generazione& g, std::int32_t quante, sorgente_linea& l) {
    sorgente_casuale& c = g.caso;
    const std::int64_t fine_massima = std::min<std::int64_t>(g.limite, ultimo_metro_curva);
    const std::int64_t passo_medio = std::max<std::int64_t>(200, fine_massima / std::max(1, quante));
    std::int64_t inizio_minimo = 0;
    for (std::int32_t i = 0; i < quante; ++i) {
        record_curva k;
        // Now and then a curve starts before the previous one ends: its points
        // from the plan's cursor on bend at once.
        const bool sovrapposta = g.casi_limite && !l.curve.empty() && probabile(c, 1, 10);
        const std::int64_t inizio = sovrapposta
                                        ? intero(c, l.curve.back().inizio + 1,
                                                 l.curve.back().inizio + l.curve.back().lunghezza)
                                        : posizione_casuale(c, inizio_minimo, inizio_minimo + passo_medio);
        const std::int64_t lunghezza =
            intero(c, 1, 10) == 1 ? intero(c, 1, 99) : posizione_casuale(c, 100, std::clamp<std::int64_t>(passo_medio, 100, 3000));
        if (inizio + lunghezza > fine_massima) break;
        k.inizio = static_cast<std::int32_t>(inizio);
        k.lunghezza = static_cast<std::int32_t>(lunghezza);
        k.grado = static_cast<std::int32_t>(i % 6 + 1);
        k.sinistra = probabile(c, 1, 2);
        l.curve.push_back(k);
        inizio_minimo = std::max<std::int64_t>(inizio_minimo, inizio + lunghezza + 1);
    }
    // The grades in a random order, not always 1 to 6 along the line.
    for (std::size_t i = l.curve.size(); i > 1; --i) {
        std::swap(l.curve[i - 1].grado, l.curve[static_cast<std::size_t>(intero(c, 0, static_cast<std::int64_t>(i) - 1))].grado);
    }
}

void genera_pendenze(contesto_generazione& g, std::int32_t quante, sorgente_linea& l) {
    sorgente_casuale& c = g.caso;
    for (const std::int32_t p : posizioni_crescenti(c, quante, 0, g.limite, probabile(c, 1, 2))) {
        const std::int32_t valore = probabile(c, 17, 20) ? static_cast<std::int32_t>(intero(c, -30, 30))
                                                         : static_cast<std::int32_t>(intero(c, -100, 155));
        l.pendenze.push_back({p, valore});
    }
}

// Spans along the line in file order. A span that begins at most 150 m after
// the previous one's end joins it (the compiler gives it kind 3); a kind plus
// 10 asks for marks on every fourth cell; a span of 25 m covers one cell or none.
void genera_montagne(contesto_generazione& g, std::int32_t quante, sorgente_linea& l) {
    sorgente_casuale& c = g.caso;
    const std::int64_t passo_medio = std::max<std::int64_t>(300, g.limite / std::max(1, quante));
    std::int64_t fine_precedente = -1;
    for (std::int32_t i = 0; i < quante; ++i) {
        const std::int64_t inizio = fine_precedente < 0 ? posizione_casuale(c, 0, passo_medio)
                                    : probabile(c, 1, 4) ? fine_precedente + intero(c, 0, 150)
                                                         : posizione_casuale(c, fine_precedente + 151,
                                                                             fine_precedente + passo_medio);
        const std::int64_t lunghezza =
            probabile(c, 1, 20) ? 25 : posizione_casuale(c, 50, std::clamp<std::int64_t>(passo_medio / 2, 50, 4000));
        if (inizio + lunghezza > g.limite) break;
        record_montagna m;
        m.inizio = static_cast<std::int32_t>(inizio);
        m.fine = static_cast<std::int32_t>(inizio + lunghezza);
        m.tipo = static_cast<std::int32_t>(intero(c, 1, 5) + (probabile(c, 2, 5) ? 10 : 0));
        l.montagne.push_back(m);
        fine_precedente = m.fine;
    }
}

// Indicators and signs stand in the cell after their position's own cell.
void genera_indicatori(contesto_generazione& g, std::int32_t quanti, sorgente_linea& l) {
    sorgente_casuale& c = g.caso;
    for (std::int32_t i = 0; i < quanti; ++i) {
        for (int t = 0; t < tentativi_posto; ++t) {
            const std::int32_t p = posizione_casuale(c, 50, g.limite);
            if (p > g.limite || !prendi(g.celle, {{cella_dopo(p), 6}})) continue;
            record_indicatori k;
            k.posizione = p;
            // Drawn in the record's order.
            for (std::int32_t* v : {&k.vas, &k.vbs, &k.vcs}) *v = static_cast<std::int32_t>(multiplo(c, 30, 200, 5));
            k.strisces = static_cast<std::int32_t>(intero(c, 0, 3));
            for (std::int32_t* v : {&k.vad, &k.vbd, &k.vcd}) *v = static_cast<std::int32_t>(intero(c, 0, 200));
            k.strisced = static_cast<std::int32_t>(intero(c, 0, 3));
            l.indicatori.push_back(k);
            break;
        }
    }
}

// A row of at most twelve characters, placed within twelve.
std::string riga_cartello(sorgente_casuale& c) {
    static constexpr std::array<const char*, 22> righe{
        "PASSAGGIO A", "LIVELLO",  "GALLERIA", "PONTE",      "FERMATA",  "BIVIO",      "SCALO MERCI", "ZONA LAVORI",
        "FISCHIARE",   "DEVIATOIO", "CANTIERE", "ATTENZIONE", "RACCORDO", "SOTTOPASSO", "VIADOTTO",    "STAZIONE",
        "INIZIO",      "FINE",     "LINEA",    "BINARIO",    "TRONCO",   "KM 12"};
    const std::string testo = uno_di(c, std::span<const char* const>(righe));
    const std::size_t prima = static_cast<std::size_t>(intero(c, 0, static_cast<std::int64_t>(12 - testo.size())));
    return std::string(prima, ' ') + testo + std::string(12 - prima - testo.size(), ' ');
}

void genera_cartelli(contesto_generazione& g, std::int32_t quanti, sorgente_linea& l) {
    sorgente_casuale& c = g.caso;
    for (std::int32_t i = 0; i < quanti; ++i) {
        for (int t = 0; t < tentativi_posto; ++t) {
            const std::int32_t p = posizione_casuale(c, 50, g.limite);
            // Without edge cases the position decompile gives back from the
            // sign's cell stays within the line too.
            const bool oltre = p > g.limite || (!g.casi_limite && (cella_dopo(p) - 1) * 50 > g.limite);
            if (oltre || !prendi(g.celle, {{cella_dopo(p), 14}})) continue;
            l.cartelli.push_back({p, "(" + riga_cartello(c) + ")(" + riga_cartello(c) + ")"});
            break;
        }
    }
}

}  // namespace

// Ties of the ordering, in records placed at random among uno, due and tre:
// - the two smaller starts alike ("uno" before "due" before "tre");
// - starts that add up to 0 (all 0, or one the other's negative), ordered by
//   value, some values alike;
// - no strictly largest start (two or three alike): all three entries 0, and
//   the values, which no entry keeps, need not be multiples of 50.
void progressive_pari(sorgente_casuale& c, std::int32_t lunghezza, sorgente_linea& l) {
    auto inizio = [&] { return static_cast<std::int32_t>(multiplo(c, 50, std::max(50, lunghezza), 50)); };
    auto valore = [&](bool multiplo_50) {
        return static_cast<std::int32_t>(multiplo_50 ? multiplo(c, 0, 300000, 50) : intero(c, 1, 300000));
    };
    std::array<record_progressiva, 3> p{};
    const std::int64_t modo = intero(c, 0, 3);
    const std::int32_t a = inizio();
    const std::int32_t b = inizio();
    for (record_progressiva& x : p) x.flag = static_cast<std::int32_t>(intero(c, 0, 2));
    if (modo == 0) {
        p = {record_progressiva{std::max(a, b) + 50, valore(true), p[0].flag},
             record_progressiva{std::min(a, b), valore(true), p[1].flag}, record_progressiva{std::min(a, b), valore(true), p[2].flag}};
    } else if (modo == 1 || modo == 2) {
        const std::int32_t v = valore(true);
        p[0].inizio = modo == 1 ? 0 : -a;
        p[1].inizio = modo == 1 ? 0 : a;
        for (record_progressiva& x : p) x.valore = probabile(c, 1, 2) ? v : valore(true);
    } else {
        for (record_progressiva& x : p) {
            x.inizio = a;
            x.valore = valore(false);
        }
        if (probabile(c, 1, 2)) p[2].inizio = std::min(a, b) - 50;
    }
    // Which record gets which: each arrangement of the three.
    for (std::size_t i = p.size(); i > 1; --i) std::swap(p[i - 1], p[static_cast<std::size_t>(intero(c, 0, static_cast<std::int64_t>(i) - 1))]);
    l.progressive = p;
}

void genera_generale_linea(contesto_generazione& g, sorgente_linea& l) {
    sorgente_casuale& c = g.caso;
    l.lunghezza = g.lunghezza;
    genera_progressive(g, l);
    for (std::int32_t& s : l.sfondi) s = static_cast<std::int32_t>(intero(c, 0, 3));
    l.codici_ripetizione = probabile(c, 2, 3) ? 4 : 9;
    l.inizio_ripetizione = static_cast<std::int32_t>(multiplo(c, 0, g.lunghezza / 2, 50));
    // An end of 0 means no repetition at all; an end beyond the line is allowed.
    l.fine_ripetizione = probabile(c, 1, 5) ? 0
                                            : static_cast<std::int32_t>(multiplo(c, l.inizio_ripetizione,
                                                                                 g.lunghezza + 5000, 50));
}

void genera_corpo_linea(contesto_generazione& g, const conteggi_record& voluti, std::int32_t stazioni, sorgente_linea& l) {
    genera_curve(g, voluti.curve, l);
    genera_pendenze(g, voluti.pendenze, l);
    genera_montagne(g, voluti.montagne, l);
    genera_indicatori(g, voluti.indicatori, l);
    // Stations and sign texts share the table's entries 1 to 80.
    genera_cartelli(g, std::min(voluti.cartelli, 78 - stazioni), l);
}

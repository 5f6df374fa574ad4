#include "tools/decompila/decompila_segnali.h"

#include <algorithm>
#include <map>
#include <optional>
#include <utility>

#include "tools/decompila/decompila_stazioni.h"

namespace {

// A signal keeps its time when its s group is of this kind; a time from 1 to
// 100 becomes 101.
constexpr std::int32_t tipo_con_tempo = 2;
constexpr std::int32_t tempo_minimo = 101;

struct segnale_trovato {
    std::int32_t cella = 0;
    record_segnale r;
    std::int32_t coppia = 0;  // sx × 3 + dx
    // The station whose marker overwrote the signal's cell: the signal is
    // read before it.
    std::size_t sotto_stazione = nella_sezione_segnali;
};

// Who writes approach markers: stations 0..K-1, then signals K..K+M-1.
struct scrittura {
    std::size_t chi;
    std::uint8_t valore;
};

std::uint8_t marcatore_segnale(std::int32_t coppia, std::int32_t k) {
    return static_cast<std::uint8_t>((static_cast<std::int64_t>(coppia) * 10 + k) & 0xFF);
}

// The kind pair that the markers show and the fourth value allows: the one
// whose markers the most of the four cells hold.
std::int32_t coppia_di(const quadro_scenario& q, std::int32_t c) {
    const std::int32_t v4 = q.tracciato[static_cast<std::size_t>(c)].valore4;
    std::int32_t migliore = ((v4 % 10) + 10) % 10;
    int punti_migliori = -1;
    for (std::int32_t coppia = 0; coppia <= 25; ++coppia) {
        if ((v4 - coppia) % 10 != 0) continue;
        int punti = 0;
        for (std::int32_t k = 1; k <= 4; ++k) {
            punti += q.tracciato[static_cast<std::size_t>(c - 2 * k)].avviso == marcatore_segnale(coppia, k) ? 1 : 0;
        }
        if (punti > punti_migliori) {
            punti_migliori = punti;
            migliore = coppia;
        }
    }
    return migliore;
}

// The time that gives the cell's byte: 101 for 101; a byte from 1 to 100
// needs a time 256 higher (a time from 1 to 100 would count as 101).
std::int32_t tempo_di(std::uint8_t t) {
    if (t >= 1 && t < tempo_minimo) return t + 256;
    return t;
}

segnale_trovato segnale(const quadro_scenario& q, std::int32_t c) {
    const cella& x = q.tracciato[static_cast<std::size_t>(c)];
    segnale_trovato s;
    s.cella = c;
    s.coppia = coppia_di(q, c);
    std::int32_t sx = s.coppia / 3;
    std::int32_t dx = s.coppia % 3;
    if (x.tempo_segnale != 0) {
        sx = tipo_con_tempo;
        dx = s.coppia - 3 * tipo_con_tempo;
    }
    const std::int32_t rapp = (x.valore4 - s.coppia) / 10;
    s.r.posizione = (c - 1) * metri_cella;
    s.r.sx = sx;
    s.r.s1 = x.valore1 / 10;
    s.r.s2 = x.valore2 / 10;
    s.r.s3 = x.valore3 / 10;
    s.r.rapp = rapp;
    s.r.dx = dx;
    s.r.d1 = x.valore1 % 10;
    s.r.d2 = x.valore2 % 10;
    s.r.d3 = x.valore3 % 10;
    s.r.tempo = tempo_di(x.tempo_segnale);
    return s;
}

// A station marker writes only the kind and valore1 of its cell: one that
// keeps a fourth value or a time stands over a signal read before the
// station (whose first value is lost; any gives the same files). The station
// whose marker it is, if so.
std::optional<std::size_t> segnale_sotto_marca(const quadro_scenario& q, const sorgente_treno& t, std::size_t c) {
    const cella& x = q.tracciato[c];
    if (x.tipo != tipo_cella::marca_stazione || (x.valore4 == 0 && x.tempo_segnale == 0)) return std::nullopt;
    for (std::size_t i = 0; i < t.stazioni.size(); ++i) {
        if (marche_di(t.stazioni[i]).marca == static_cast<std::int64_t>(c)) return i;
    }
    return std::nullopt;
}

std::vector<segnale_trovato> segnali(const quadro_scenario& q, const sorgente_treno& t, note_decompilazione& n) {
    std::vector<segnale_trovato> r;
    for (std::size_t i = 0; i < q.tracciato.size(); ++i) {
        const std::optional<std::size_t> sotto = segnale_sotto_marca(q, t, i);
        if (q.tracciato[i].tipo != tipo_cella::segnale && !sotto) continue;
        const auto c = static_cast<std::int32_t>(i);
        if (c < 8) {
            annota(n, parte_scenario::tracciato, c, "a signal before cell 8: its approach markers would fall off the track");
        } else if (c > q.numero_celle - 1) {
            annota(n, parte_scenario::tracciato, c, "a signal in the last cell, which no record reaches");
        } else {
            r.push_back(segnale(q, c));
            if (sotto) {
                r.back().sotto_stazione = *sotto;
                r.back().r.s1 = 0;
                r.back().r.d1 = 0;
            }
        }
    }
    return r;
}

// Every approach marker written, cell by cell.
std::map<std::int32_t, std::vector<scrittura>> scritture(const sorgente_treno& t,
                                                          const std::vector<segnale_trovato>& s) {
    std::map<std::int32_t, std::vector<scrittura>> w;
    for (std::size_t i = 0; i < t.stazioni.size(); ++i) {
        const marche_stazione m = marche_di(t.stazioni[i]);
        for (std::size_t k = 0; k < 4; ++k) {
            const std::int64_t c = m.avvicinamento[k];
            if (c >= 0) w[static_cast<std::int32_t>(c)].push_back({i, static_cast<std::uint8_t>(81 + k)});
        }
    }
    for (std::size_t j = 0; j < s.size(); ++j) {
        for (std::int32_t k = 1; k <= 4; ++k) {
            w[s[j].cella - 2 * k].push_back({t.stazioni.size() + j, marcatore_segnale(s[j].coppia, k)});
        }
    }
    return w;
}

std::string testo_marcatore(std::uint8_t a) { return "approach marker " + std::to_string(a); }

// The cells each writer writes, with whether it writes the marker the cell
// holds. A cell whose marker none of its writers makes is noted and left out:
// no order gives it.
std::vector<std::vector<std::pair<std::int32_t, bool>>> celle_scritte(
    const quadro_scenario& q, const std::map<std::int32_t, std::vector<scrittura>>& w, std::size_t nodi,
    note_decompilazione& n) {
    std::vector<std::vector<std::pair<std::int32_t, bool>>> celle(nodi);
    for (std::size_t i = 0; i < q.tracciato.size(); ++i) {
        const auto c = static_cast<std::int32_t>(i);
        const std::uint8_t a = q.tracciato[i].avviso;
        const auto trovate = w.find(c);
        if (trovate == w.end()) {
            if (a != 0) annota(n, parte_scenario::tracciato, c, "an " + testo_marcatore(a) + " that no signal or station makes");
            continue;
        }
        const std::vector<scrittura>& chi = trovate->second;
        const bool fatto = std::any_of(chi.begin(), chi.end(), [&](const scrittura& s) { return s.valore == a; });
        if (!fatto) {
            annota(n, parte_scenario::tracciato, c,
                   a == 0 ? std::string("no approach marker, where a signal or a station places one")
                          : "the " + testo_marcatore(a) + ", which none of the signals and stations whose markers fall "
                                                          "here makes");
            continue;
        }
        for (const scrittura& x : chi) celle[x.chi].push_back({c, x.valore == a});
    }
    return celle;
}

// The reading order of stations 0..K-1 and signals K.. that leaves in each
// cell the marker it holds: the one read last among the cell's writers makes
// it. Built from the end: a writer may be read last among those left when it
// makes the marker of every cell whose last writer is not chosen yet, when it
// is a station, every later station is chosen, and when it is a signal that
// a station marker overwrote (`prima_di`), that station is chosen. Taking
// any such writer keeps every order that was possible possible, so the order
// is found whenever one exists. Signals are read as late as they can, in
// their order along the line; when no writer may come last (no order gives
// every marker), the latest one is taken anyway.
std::vector<std::size_t> ordina(const std::vector<std::vector<std::pair<std::int32_t, bool>>>& celle,
                                const std::vector<std::size_t>& prima_di, std::size_t stazioni,
                                std::size_t numero_celle) {
    const std::size_t nodi = celle.size();
    std::vector<bool> preso(nodi, false);
    std::vector<bool> decisa(numero_celle, false);
    std::size_t stazioni_rimaste = stazioni;
    auto puo = [&](std::size_t x) {
        if (preso[x]) return false;
        if (x < stazioni && x + 1 != stazioni_rimaste) return false;
        if (x >= stazioni && prima_di[x - stazioni] < stazioni && !preso[prima_di[x - stazioni]]) return false;
        return std::all_of(celle[x].begin(), celle[x].end(), [&](const std::pair<std::int32_t, bool>& c) {
            return c.second || decisa[static_cast<std::size_t>(c.first)];
        });
    };
    std::vector<std::size_t> ordine;
    while (ordine.size() < nodi) {
        std::size_t scelto = nodi;
        for (std::size_t x = nodi; x-- > stazioni && scelto == nodi;) {
            if (puo(x)) scelto = x;
        }
        if (scelto == nodi && stazioni_rimaste > 0 && puo(stazioni_rimaste - 1)) scelto = stazioni_rimaste - 1;
        for (std::size_t x = nodi; x-- > 0 && scelto == nodi;) {
            if (!preso[x] && (x >= stazioni || x + 1 == stazioni_rimaste)) scelto = x;
        }
        preso[scelto] = true;
        if (scelto < stazioni) --stazioni_rimaste;
        for (const auto& c : celle[scelto]) decisa[static_cast<std::size_t>(c.first)] = true;
        ordine.push_back(scelto);
    }
    std::reverse(ordine.begin(), ordine.end());
    return ordine;
}

}  // namespace

void recupera_segnali(const quadro_scenario& q, sorgente_treno& t, note_decompilazione& n) {
    const std::vector<segnale_trovato> s = segnali(q, t, n);
    const std::size_t k = t.stazioni.size();
    const auto w = scritture(t, s);
    std::vector<std::size_t> prima_di;
    for (const segnale_trovato& x : s) prima_di.push_back(x.sotto_stazione);
    const std::vector<std::size_t> ordine = ordina(celle_scritte(q, w, k + s.size(), n), prima_di, k, q.tracciato.size());
    std::size_t stazioni_scritte = 0;
    for (const std::size_t nodo : ordine) {
        if (nodo < k) {
            ++stazioni_scritte;
            continue;
        }
        record_segnale r = s[nodo - k].r;
        r.stazioni_prima = stazioni_scritte;
        t.segnali.push_back(r);
    }
}

#include "tools/decompila_segnali.h"

#include <algorithm>
#include <map>
#include <set>

#include "tools/decompila_stazioni.h"

namespace {

// A signal keeps its time when its s group is of this kind; a time from 1 to
// 100 becomes 101.
constexpr std::int32_t tipo_con_tempo = 2;
constexpr std::int32_t tempo_minimo = 101;

struct segnale_trovato {
    std::int32_t cella = 0;
    record_segnale r;
    std::int32_t coppia = 0;  // sx × 3 + dx
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

std::vector<segnale_trovato> segnali(const quadro_scenario& q, note_decompilazione& n) {
    std::vector<segnale_trovato> r;
    for (std::size_t i = 0; i < q.tracciato.size(); ++i) {
        if (q.tracciato[i].tipo != tipo_cella::segnale) continue;
        const auto c = static_cast<std::int32_t>(i);
        if (c < 8) {
            annota(n, parte_scenario::tracciato, c, "a signal before cell 8: its approach markers would fall off the track");
        } else if (c > q.numero_celle - 1) {
            annota(n, parte_scenario::tracciato, c, "a signal in the last cell, which no record reaches");
        } else {
            r.push_back(segnale(q, c));
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

// Edges "a before b": in each cell, every writer of another marker before
// every writer of the marker the cell holds.
std::vector<std::set<std::size_t>> vincoli(const quadro_scenario& q, const std::map<std::int32_t, std::vector<scrittura>>& w,
                                           std::size_t nodi, note_decompilazione& n) {
    std::vector<std::set<std::size_t>> dopo(nodi);
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
        for (const scrittura& prima : chi) {
            if (prima.valore == a) continue;
            for (const scrittura& ultima : chi) {
                if (ultima.valore == a) dopo[prima.chi].insert(ultima.chi);
            }
        }
    }
    return dopo;
}

// The nodes not taken yet from which `nodo` can be reached.
std::vector<bool> antenati(const std::vector<std::set<std::size_t>>& dopo, const std::vector<bool>& preso,
                           std::size_t nodo) {
    std::vector<std::vector<std::size_t>> prima_di(dopo.size());
    for (std::size_t a = 0; a < dopo.size(); ++a) {
        for (const std::size_t b : dopo[a]) prima_di[b].push_back(a);
    }
    std::vector<bool> visto(dopo.size(), false);
    std::vector<std::size_t> da_vedere{nodo};
    while (!da_vedere.empty()) {
        const std::size_t x = da_vedere.back();
        da_vedere.pop_back();
        for (const std::size_t a : prima_di[x]) {
            if (preso[a] || visto[a]) continue;
            visto[a] = true;
            da_vedere.push_back(a);
        }
    }
    return visto;
}

// Stations in table order, each as soon as the markers allow, the signals
// that must come before it just before it; then the other signals along the
// line. A node whose turn cannot come (a cycle) is taken anyway.
std::vector<std::size_t> ordina(std::vector<std::set<std::size_t>> dopo, std::size_t stazioni) {
    const std::size_t nodi = dopo.size();
    for (std::size_t i = 0; i + 1 < stazioni; ++i) dopo[i].insert(i + 1);
    std::vector<int> prima(nodi, 0);
    for (const auto& d : dopo) {
        for (const std::size_t b : d) ++prima[b];
    }
    std::vector<bool> preso(nodi, false);
    std::vector<std::size_t> ordine;
    std::size_t prossima = 0;  // the next station
    auto prendi = [&](std::size_t x) {
        preso[x] = true;
        ordine.push_back(x);
        for (const std::size_t b : dopo[x]) --prima[b];
        while (prossima < stazioni && preso[prossima]) ++prossima;
    };
    while (ordine.size() < nodi) {
        std::size_t scelto = nodi;
        if (prossima < stazioni) {
            scelto = prossima;
            if (prima[prossima] != 0) {
                const std::vector<bool> serve = antenati(dopo, preso, prossima);
                for (std::size_t i = 0; i < nodi; ++i) {
                    if (serve[i] && prima[i] == 0) {
                        scelto = i;
                        break;
                    }
                }
            }
        } else {
            for (std::size_t i = 0; i < nodi && scelto == nodi; ++i) {
                if (!preso[i] && prima[i] == 0) scelto = i;
            }
            for (std::size_t i = 0; i < nodi && scelto == nodi; ++i) {
                if (!preso[i]) scelto = i;
            }
        }
        prendi(scelto);
    }
    return ordine;
}

}  // namespace

void recupera_segnali(const quadro_scenario& q, sorgente_treno& t, note_decompilazione& n) {
    const std::vector<segnale_trovato> s = segnali(q, n);
    const std::size_t k = t.stazioni.size();
    const auto w = scritture(t, s);
    const std::vector<std::size_t> ordine = ordina(vincoli(q, w, k + s.size(), n), k);
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

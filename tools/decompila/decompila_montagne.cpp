#include "tools/decompila/decompila_montagne.h"

#include <algorithm>
#include <optional>

namespace {

// Spans that begin this close after the previous span's end take kind 3.
constexpr std::int32_t tipo_unione = 3;
// A kind above this asks for marks.
constexpr std::int32_t soglia_marche = 10;
// At most this many mountain records fit the lists of the build.
constexpr std::size_t massimo_montagne = 80;

struct tratto {
    std::int32_t primo = 0;   // first cell of the record's span
    std::int32_t ultimo = 0;  // last cell
    std::uint8_t genere = 0;  // the montagna byte it writes
    bool marche = false;
    bool precede = false;  // its span goes on under the next run: it must come before it
    bool spostato = false;
};

// An element of the file order: a run, or (-1) a record that covers no cell.
constexpr int nessun_tratto = -1;

// The cells of the span that its marks fall on: the 4th, 8th, ... from `primo`.
bool su_reticolo(std::int32_t primo, std::int32_t c) { return c - primo >= 3 && (c - primo) % 4 == 3; }

bool vuota(const std::vector<cella>& t, std::int64_t c) { return t[static_cast<std::size_t>(c)].tipo == tipo_cella::libero; }
bool segno(const std::vector<cella>& t, std::int64_t c) {
    return t[static_cast<std::size_t>(c)].tipo == tipo_cella::marca_montagna;
}

// A run of cells of one kind: [primo, ultimo].
struct corsa {
    std::int32_t primo;
    std::int32_t ultimo;
    std::uint8_t genere;
};

std::vector<corsa> corse_di(const std::vector<cella>& t) {
    std::vector<corsa> r;
    for (std::size_t i = 0; i < t.size(); ++i) {
        const std::uint8_t m = t[i].montagna;
        const auto c = static_cast<std::int32_t>(i);
        if (m == 0) continue;
        if (!r.empty() && r.back().genere == m && r.back().ultimo == c - 1) {
            r.back().ultimo = c;
        } else {
            r.push_back({c, c, m});
        }
    }
    return r;
}

// Marks of one span: every fourth cell from its first, up to its last. A
// chain of marks 4 cells apart (or 8, 12, ... with cells that hold something
// else between them) can come from one span; plain track on its lattice
// cannot (a mark would stand there).
struct catena {
    std::int32_t primo_segno;
    std::int32_t ultimo_segno;
};

std::vector<catena> catene(const std::vector<cella>& t, const corsa& r, const std::vector<bool>& spiegata) {
    std::vector<catena> c;
    for (std::int32_t resto = 0; resto < 4; ++resto) {
        std::optional<catena> aperta;
        for (std::int32_t x = r.primo; x <= r.ultimo; ++x) {
            if (x % 4 != resto) continue;
            if (vuota(t, x) && aperta) {
                c.push_back(*aperta);
                aperta.reset();
            }
            if (!segno(t, x) || spiegata[static_cast<std::size_t>(x)]) continue;
            if (aperta) {
                aperta->ultimo_segno = x;
            } else {
                aperta = catena{x, x};
            }
        }
        if (aperta) c.push_back(*aperta);
    }
    std::sort(c.begin(), c.end(), [](const catena& a, const catena& b) { return a.primo_segno < b.primo_segno; });
    return c;
}

// The last cell a span whose lattice holds `ultimo_segno` may reach within
// `limite`: up to the cell before the next plain-track lattice cell.
std::int32_t fine_possibile(const std::vector<cella>& t, std::int32_t ultimo_segno, std::int32_t limite) {
    std::int32_t c = ultimo_segno + 4;
    while (c <= limite && !vuota(t, c)) c += 4;
    return std::min(limite, c - 1);
}

void spiega(std::vector<bool>& spiegata, const tratto& x) {
    for (std::int32_t c = x.primo + 3; c <= x.ultimo; c += 4) spiegata[static_cast<std::size_t>(c)] = true;
}

// The span of the run right before this one, with its marks on the chain's
// lattice, goes on under this run (which writes its own kind over it) up to
// the chain's last mark or further. False when there is none.
bool estendi_precedente(const std::vector<cella>& t, std::vector<tratto>& fatti, const corsa& r, const catena& k,
                        std::vector<bool>& spiegata) {
    for (tratto& x : fatti) {
        if (x.ultimo != r.primo - 1 || !x.marche || !su_reticolo(x.primo, k.primo_segno)) continue;
        bool libero = true;
        for (std::int32_t c = k.primo_segno - 4; c > x.ultimo && libero; c -= 4) libero = !vuota(t, c);
        if (!libero) continue;
        x.ultimo = fine_possibile(t, k.ultimo_segno, r.ultimo);
        x.precede = true;
        spiega(spiegata, x);
        return true;
    }
    return false;
}

// The spans of one run: a span with marks for each chain (as long as its
// lattice allows), spans without marks for the cells between them.
void spezza(const std::vector<cella>& t, const corsa& r, std::vector<tratto>& fatti, std::vector<bool>& spiegata) {
    const std::size_t primo_del_giro = fatti.size();
    for (catena k : catene(t, r, spiegata)) {
        if (spiegata[static_cast<std::size_t>(k.primo_segno)]) continue;
        // The span before going on under this run costs no record.
        if (estendi_precedente(t, fatti, r, k, spiegata)) continue;
        while (k.primo_segno - 3 < r.primo) {
            // The first mark cannot be this run's: the next one may.
            std::int32_t prossimo = k.primo_segno + 4;
            while (prossimo <= k.ultimo_segno && !segno(t, prossimo)) prossimo += 4;
            if (prossimo > k.ultimo_segno) break;
            k.primo_segno = prossimo;
        }
        if (k.primo_segno - 3 < r.primo || spiegata[static_cast<std::size_t>(k.primo_segno)]) continue;
        std::int32_t inizio = k.primo_segno - 3;
        while (inizio - 4 >= r.primo && !vuota(t, inizio - 1)) inizio -= 4;
        tratto x{inizio, fine_possibile(t, k.ultimo_segno, r.ultimo), r.genere, true};
        spiega(spiegata, x);
        fatti.push_back(x);
    }
    // Cells no span with marks covers.
    std::vector<bool> coperta(static_cast<std::size_t>(r.ultimo - r.primo + 1), false);
    for (std::size_t i = primo_del_giro; i < fatti.size(); ++i) {
        for (std::int32_t c = fatti[i].primo; c <= fatti[i].ultimo; ++c) coperta[static_cast<std::size_t>(c - r.primo)] = true;
    }
    std::vector<tratto> lacune;
    for (std::int32_t c = r.primo; c <= r.ultimo; ++c) {
        if (coperta[static_cast<std::size_t>(c - r.primo)]) continue;
        if (!lacune.empty() && lacune.back().ultimo == c - 1) {
            ++lacune.back().ultimo;
        } else {
            lacune.push_back({c, c, r.genere, false});
        }
    }
    fatti.insert(fatti.end(), lacune.begin(), lacune.end());
    std::sort(fatti.begin() + static_cast<std::ptrdiff_t>(primo_del_giro), fatti.end(),
              [](const tratto& a, const tratto& b) { return a.primo < b.primo; });
}

// A mark no run explains: a four-cell span ending on it, of the kind its
// cells already have.
std::vector<tratto> toppe(const quadro_scenario& q, const std::vector<bool>& spiegata, note_decompilazione& n) {
    std::vector<tratto> r;
    const std::vector<cella>& t = q.tracciato;
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (t[i].tipo != tipo_cella::marca_montagna || spiegata[i]) continue;
        const auto x = static_cast<std::int32_t>(i);
        bool possibile = x >= 3 && x - 3 <= q.numero_celle - 2;
        for (std::int32_t c = x - 3; possibile && c < x; ++c) {
            possibile = t[static_cast<std::size_t>(c)].montagna == t[i].montagna;
        }
        if (!possibile) {
            annota(n, parte_scenario::tracciato, x, "a mountain mark that no mountain span can make");
            continue;
        }
        r.push_back({x - 3, x, t[i].montagna, true});
    }
    return r;
}

// Far enough for the next span to keep its own kind: at least three cells
// between them (with three, the ends are chosen within their cells).
bool lontano(const std::vector<tratto>& r, int prima, const tratto& dopo) {
    if (prima == nessun_tratto) return true;
    return dopo.primo - r[static_cast<std::size_t>(prima)].ultimo - 1 >= 3;
}

// A run of kind 3 already in the file, far enough before `dopo`, that may be
// moved to stand right before it.
std::optional<std::size_t> separatore(const std::vector<tratto>& r, const std::vector<int>& ordine, const tratto& dopo) {
    for (std::size_t k = ordine.size() - 1; k-- > 0;) {
        const int e = ordine[k];
        if (e == nessun_tratto) continue;
        const tratto& s = r[static_cast<std::size_t>(e)];
        if (s.genere == tipo_unione && !s.precede && !s.spostato && lontano(r, e, dopo)) return k;
    }
    return std::nullopt;
}

// Appends run `i`, with what must stand before it so that it keeps its kind.
void accoda(std::vector<tratto>& r, std::vector<int>& ordine, int i) {
    const tratto& x = r[static_cast<std::size_t>(i)];
    if (!ordine.empty() && x.genere != tipo_unione && !lontano(r, ordine.back(), x)) {
        const std::optional<std::size_t> k = separatore(r, ordine, x);
        if (k) {
            const int s = ordine[*k];
            ordine.erase(ordine.begin() + static_cast<std::ptrdiff_t>(*k));
            r[static_cast<std::size_t>(s)].spostato = true;
            ordine.push_back(s);
        } else {
            ordine.push_back(nessun_tratto);
        }
    }
    ordine.push_back(i);
}

// The record's kind value: kind + 10 asks for marks; a kind above 10 without
// marks, or 0 with marks, is written with the same low byte, 256 away.
std::int32_t tipo_record(const tratto& x) {
    if (x.marche) return x.genere == 0 ? 256 + soglia_marche : x.genere + soglia_marche;
    return x.genere <= soglia_marche ? x.genere : x.genere - 256;
}

// The first metre whose cell is `primo`, and the last metre whose cell
// before it is `ultimo` (halves round to even).
std::int32_t inizio_tardo(std::int32_t primo) { return primo * metri_cella + (primo % 2 == 0 ? 25 : 24); }
std::int32_t fine_presto(std::int32_t ultimo) { return ultimo * metri_cella + (ultimo % 2 == 0 ? 25 : 26); }

void scrivi(const std::vector<tratto>& r, const std::vector<int>& ordine, const quadro_scenario& q, sorgente_linea& l,
            note_decompilazione& n) {
    const std::size_t primo_record = l.montagne.size();
    for (std::size_t k = 0; k < ordine.size(); ++k) {
        const int e = ordine[k];
        if (e == nessun_tratto) {
            l.montagne.push_back({0, -1000, 0});
            continue;
        }
        const tratto& x = r[static_cast<std::size_t>(e)];
        record_montagna m{x.primo * metri_cella, (x.ultimo + 1) * metri_cella, tipo_record(x)};
        const int prima = k == 0 ? nessun_tratto : ordine[k - 1];
        if (prima != nessun_tratto && x.genere != tipo_unione &&
            x.primo - r[static_cast<std::size_t>(prima)].ultimo - 1 == 3) {
            m.inizio = inizio_tardo(x.primo);
            l.montagne[primo_record + k - 1].fine = fine_presto(r[static_cast<std::size_t>(prima)].ultimo);
        }
        if (!entro_il_tracciato(m.inizio, margine_record, q.numero_celle)) {
            annota(n, parte_scenario::tracciato, x.primo,
                   "a mountain span starts here, beyond the last metre a mountain record may start at");
        }
        l.montagne.push_back(m);
    }
}

}  // namespace

void recupera_montagne(const quadro_scenario& q, sorgente_linea& l, note_decompilazione& n) {
    const std::vector<cella>& t = q.tracciato;
    std::vector<tratto> r;
    std::vector<bool> spiegata(t.size(), false);
    for (const corsa& c : corse_di(t)) spezza(t, c, r, spiegata);
    // Four-cell spans come after every run, so that no run follows one.
    for (tratto& x : toppe(q, spiegata, n)) r.push_back(x);
    std::vector<int> ordine;
    for (std::size_t i = 0; i < r.size(); ++i) accoda(r, ordine, static_cast<int>(i));
    if (ordine.size() > massimo_montagne) {
        for (std::size_t k = massimo_montagne; k < ordine.size(); ++k) {
            if (ordine[k] == nessun_tratto) continue;
            const tratto& x = r[static_cast<std::size_t>(ordine[k])];
            annota(n, parte_scenario::tracciato, x.primo,
                   "a mountain span that would need more than the " + std::to_string(massimo_montagne) +
                       " mountain records the build takes");
        }
        ordine.resize(massimo_montagne);
    }
    scrivi(r, ordine, q, l, n);
}

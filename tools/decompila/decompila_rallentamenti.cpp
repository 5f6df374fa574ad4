#include "tools/decompila/decompila_rallentamenti.h"

#include <algorithm>
#include <optional>

#include "tools/decompila/decompila_stazioni.h"

namespace {

// The warning board stands 24 cells before the start (1200 m), the lead-in
// cells in the four cells before the board; a slowdown that begins within
// 1500 m of the start of the line has neither.
constexpr std::int32_t celle_avviso = 24;
constexpr std::int32_t inizio_con_avviso = 1500;

bool di_tipo(const quadro_scenario& q, std::int64_t c, std::uint8_t tipo) {
    return c >= 0 && c < static_cast<std::int64_t>(q.tracciato.size()) && q.tracciato[static_cast<std::size_t>(c)].tipo == tipo;
}

const cella& in(const quadro_scenario& q, std::int64_t c) { return q.tracciato[static_cast<std::size_t>(c)]; }

// One slowdown being recovered: the cells it takes, and the first station
// whose marker overwrites one of them (the record must then be read before
// that station).
struct ricerca {
    const quadro_scenario& q;
    const sorgente_treno& t;
    std::vector<bool>& usata;
    std::size_t stazioni_prima = nella_propria_sezione;
};

// The station whose marker stands in cell c, if any.
std::optional<std::size_t> stazione_in(const sorgente_treno& t, std::int64_t c) {
    for (std::size_t i = 0; i < t.stazioni.size(); ++i) {
        if (marche_di(t.stazioni[i]).marca == c) return i;
    }
    return std::nullopt;
}

// A station marker writes only the kind and valore1 of its cell, whatever the
// cell held: a piece of a slowdown read before the station shows in the
// other values. True when cell c is such a marker with these values left.
bool sotto_marca(const ricerca& r, std::int64_t c, std::int16_t valore2, std::int16_t valore3) {
    if (!di_tipo(r.q, c, tipo_cella::marca_stazione) || r.usata[static_cast<std::size_t>(c)]) return false;
    const cella& x = in(r.q, c);
    return x.valore2 == valore2 && x.valore3 == valore3 && x.valore4 == 0 && x.tempo_segnale == 0 &&
           stazione_in(r.t, c).has_value();
}

// Cell c, under a station marker, belongs to the slowdown.
void coperta(ricerca& r, std::int64_t c) {
    r.usata[static_cast<std::size_t>(c)] = true;
    if (const auto k = stazione_in(r.t, c)) r.stazioni_prima = std::min(r.stazioni_prima, *k);
}

// The end of the slowdown that starts in cell s: the first end cell before
// the next start, with the same values; else a station marker before the
// next start that hides an end with values left (start and end keep
// valore3, and valore2 when d_v is not 0); none: the end fell into the
// start's own cell (length 0), or under a marker that left nothing, which
// builds the same.
std::int32_t fine_di(ricerca& r, std::int32_t s, const cella& inizio) {
    const bool lascia_valori = inizio.valore2 != 0 || inizio.valore3 != 0;
    std::int64_t nascosta = -1;
    for (std::int64_t c = s + 1; c < static_cast<std::int64_t>(r.q.tracciato.size()); ++c) {
        const cella& x = in(r.q, c);
        if (x.tipo == tipo_cella::inizio_rallentamento) break;
        if (nascosta < 0 && lascia_valori && sotto_marca(r, c, inizio.valore2, inizio.valore3)) nascosta = c;
        if (x.tipo != tipo_cella::fine_rallentamento || r.usata[static_cast<std::size_t>(c)]) continue;
        if (x.valore1 != inizio.valore1 || x.valore2 != inizio.valore2 || x.valore3 != inizio.valore3) break;
        r.usata[static_cast<std::size_t>(c)] = true;
        return static_cast<std::int32_t>(c);
    }
    if (nascosta < 0) return s;
    coperta(r, nascosta);
    return static_cast<std::int32_t>(nascosta);
}

// The warning board in cell s - 24, with the slowdown's speed and d_v, or a
// station marker over it that left d_v.
bool con_tabella(ricerca& r, std::int32_t s, const cella& inizio) {
    const std::int32_t w = s - celle_avviso;
    if (sotto_marca(r, w, inizio.valore2, 0)) {
        coperta(r, w);
        return true;
    }
    if (!di_tipo(r.q, w, tipo_cella::avviso_rallentamento)) return false;
    const cella& b = in(r.q, w);
    return b.valore1 == inizio.valore1 && b.valore2 == inizio.valore2;
}

// The four lead-in cells before the board (from the cell `primo` back),
// numbered 1 (nearest the board) to 4; once one is found, a station marker
// over another that left its d_v number counts too.
int preavvisi(ricerca& r, std::int32_t primo, std::int16_t d_v) {
    int trovati = 0;
    std::vector<std::int64_t> nascosti;
    for (std::int32_t i = 1; i <= 4; ++i) {
        const std::int64_t c = primo + 1 - i;
        const auto numero = static_cast<std::int16_t>(d_v != 0 ? i : 0);
        if (sotto_marca(r, c, numero, 0)) nascosti.push_back(c);
        if (!di_tipo(r.q, c, tipo_cella::preavviso_rallentamento)) continue;
        const cella& x = in(r.q, c);
        if (x.valore1 == i && x.valore2 == numero) ++trovati;
    }
    if (trovati == 0) return 0;
    for (const std::int64_t c : nascosti) coperta(r, c);
    return trovati + static_cast<int>(nascosti.size());
}

void segna(std::vector<bool>& usata, std::int64_t c) {
    if (c >= 0 && c < static_cast<std::int64_t>(usata.size())) usata[static_cast<std::size_t>(c)] = true;
}

// The slowdown whose start cell s holds (or held, under a station marker)
// the values of `inizio`, and whose end is cell e.
std::optional<record_rallentamento> rallentamento(ricerca& ric, std::int32_t s, const cella& inizio, std::int32_t e,
                                               note_decompilazione& n) {
    const quadro_scenario& q = ric.q;
    record_rallentamento r{(s - 1) * metri_cella, inizio.valore1, (e - s) * metri_cella, inizio.valore3, 0,
                        inizio.valore2};
    // From the cell after the one 1500 m stands in, a slowdown has its board;
    // in that cell only when it starts just beyond 1500 m.
    const bool tabella = r.x + metri_cella / 2 > inizio_con_avviso && con_tabella(ric, s, inizio);
    if (r.x <= inizio_con_avviso && tabella && r.x + metri_cella / 2 > inizio_con_avviso) r.x = inizio_con_avviso + 1;
    if (r.x > inizio_con_avviso) {
        const std::int32_t w = s - celle_avviso;
        if (!tabella) {
            annota(n, parte_scenario::tracciato, w,
                   "the slowdown starting in " + nome_cella(s) + " has no warning board here, which every slowdown "
                   "starting beyond 1500 m gets");
        }
        segna(ric.usata, w);
        // The lead-in cells end in the cell of the metre 1200 m before the
        // start: the cell before the board, or, for a start 25 m past a
        // multiple of 50 (rounded to an even cell), the cell before that.
        std::int32_t primo = w - 1;
        int p = preavvisi(ric, primo, inizio.valore2);
        if (p == 0 && (p = preavvisi(ric, w - 2, inizio.valore2)) > 0) {
            primo = w - 2;
            r.x = s * metri_cella - 75;
            r.l += metri_cella / 2;
        }
        r.f_ta = p > 0 ? 1 : 0;
        if (p > 0 && p < 4) {
            annota(n, parte_scenario::tracciato, primo,
                   "the slowdown starting in " + nome_cella(s) + " has " + std::to_string(p) +
                       " of the four lead-in cells before its warning board");
        }
        for (std::int32_t i = 0; i < 4 && p > 0; ++i) segna(ric.usata, primo - i);
    }
    segna(ric.usata, s);
    if (s > q.numero_celle - 1) {
        annota(n, parte_scenario::tracciato, s, "a slowdown starts in the last cell, which no record reaches");
        return std::nullopt;
    }
    r.stazioni_prima = ric.stazioni_prima;
    return r;
}

// A start under a station marker, for the end in cell e that no start
// claimed: a marker before it, with no other slowdown cell between, that left
// the end's valore2 and valore3. The nearest whose warning board fits (a
// board with the slowdown's values 24 cells before it, or none for a start
// within 1500 m; `punti` 2), else the nearest whose board lies under another
// marker (1), else the nearest (0).
struct inizio_coperto {
    std::optional<std::int32_t> cella;
    int punti = -1;
};

inizio_coperto inizio_nascosto(ricerca& r, std::int32_t e) {
    const cella& fine = in(r.q, e);
    std::optional<std::int32_t> scelto;
    int punti_scelto = -1;
    for (std::int32_t c = e - 1; c > 1 && punti_scelto < 2; --c) {
        const std::uint8_t tipo = in(r.q, c).tipo;
        if (tipo == tipo_cella::inizio_rallentamento || tipo == tipo_cella::fine_rallentamento) break;
        if (!sotto_marca(r, c, fine.valore2, fine.valore3)) continue;
        const std::int32_t w = c - celle_avviso;
        const bool tabella = di_tipo(r.q, w, tipo_cella::avviso_rallentamento) && in(r.q, w).valore1 == fine.valore1 &&
                             in(r.q, w).valore2 == fine.valore2;
        const bool con_avviso = (c - 1) * metri_cella > inizio_con_avviso;
        const int punti = tabella == con_avviso ? 2 : con_avviso && sotto_marca(r, w, fine.valore2, 0) ? 1 : 0;
        if (punti > punti_scelto) {
            scelto = c;
            punti_scelto = punti;
        }
    }
    return {scelto, punti_scelto};
}

// A slowdown recovered from its start, whose end may still be found.
struct inizio_trovato {
    std::int32_t cella = 0;
    std::size_t record = 0;  // its record in sorgente_treno::rallentamenti
    bool con_fine = false;    // its end found, or under a marker
};

// A start before the end in cell e, with the end's values, that found no end
// of its own: a slowdown that starts inside another one's span stops the
// search of the outer start (which ends at the next start) before its end.
// The nearest such start; which of them takes which end leaves the same cells.
inizio_trovato* inizio_senza_fine(const quadro_scenario& q, std::vector<inizio_trovato>& inizi, std::int32_t e) {
    const cella& fine = in(q, e);
    for (auto i = inizi.rbegin(); i != inizi.rend(); ++i) {
        if (i->con_fine || i->cella >= e) continue;
        const cella& x = in(q, i->cella);
        if (x.valore1 == fine.valore1 && x.valore2 == fine.valore2 && x.valore3 == fine.valore3) return &*i;
    }
    return nullptr;
}

}  // namespace

record_punto abbattimento(std::int32_t c, std::int16_t valore1) {
    const std::int32_t v = valore1 > 0 ? valore1 : std::int32_t{valore1} + 65536;
    return {c * metri_cella, v};
}

bool abbattimento_possibile(const quadro_scenario& q, std::int32_t c) { return c <= q.numero_celle - 2; }

void recupera_rallentamenti(const quadro_scenario& q, sorgente_treno& t, note_decompilazione& n) {
    std::vector<bool> usata(q.tracciato.size(), false);
    std::vector<inizio_trovato> inizi;
    for (std::size_t i = 0; i < q.tracciato.size(); ++i) {
        if (q.tracciato[i].tipo != tipo_cella::inizio_rallentamento) continue;
        ricerca r{q, t, usata};
        const auto s = static_cast<std::int32_t>(i);
        const std::int32_t e = fine_di(r, s, q.tracciato[i]);
        if (const auto x = rallentamento(r, s, q.tracciato[i], e, n)) {
            inizi.push_back({s, t.rallentamenti.size(), e != s});
            t.rallentamenti.push_back(*x);
        }
    }
    // Ends that no start claimed: the end of a slowdown with another one
    // starting inside its span, or one whose start a station marker
    // overwrote (the start had the end's values). A marker whose warning
    // board fits is the start; else a start with no end of its own; else
    // the marker that fits best.
    for (std::size_t i = 0; i < q.tracciato.size(); ++i) {
        if (q.tracciato[i].tipo != tipo_cella::fine_rallentamento || usata[i]) continue;
        ricerca r{q, t, usata};
        const auto e = static_cast<std::int32_t>(i);
        const inizio_coperto s = inizio_nascosto(r, e);
        inizio_trovato* aperto = s.punti == 2 ? nullptr : inizio_senza_fine(q, inizi, e);
        if (aperto != nullptr) {
            usata[i] = true;
            aperto->con_fine = true;
            record_rallentamento& x = t.rallentamenti[aperto->record];
            x.l = (e - 1) * metri_cella - x.x;  // the end cell e is the cell after metre x + l
            continue;
        }
        if (!s.cella) continue;
        coperta(r, *s.cella);
        usata[i] = true;
        if (const auto x = rallentamento(r, *s.cella, q.tracciato[i], e, n)) t.rallentamenti.push_back(*x);
    }
    for (std::size_t i = 0; i < q.tracciato.size(); ++i) {
        const descrizione_tipo_cella* d = descrizione_tipo(q.tracciato[i].tipo);
        if (usata[i] || d == nullptr || d->pezzo_rallentamento == nullptr) continue;
        annota(n, parte_scenario::tracciato, static_cast<std::int64_t>(i),
               std::string(d->pezzo_rallentamento) + " that belongs to no slowdown start");
    }
}

void recupera_abbattimenti(const quadro_scenario& q, sorgente_treno& t, note_decompilazione& n) {
    for (std::size_t i = 0; i < q.tracciato.size(); ++i) {
        const cella& x = q.tracciato[i];
        const auto c = static_cast<std::int32_t>(i);
        const bool senza = x.tipo == tipo_cella::tabella_senza_valore;
        const bool con = x.tipo == tipo_cella::tabella_con_valore && x.valore1 != valore_tabella_finale;
        if (!senza && !con) continue;
        if (!abbattimento_possibile(q, c)) {
            annota(n, parte_scenario::tracciato, c, "a board in one of the last two cells, which no record reaches");
            continue;
        }
        t.abbattimenti.push_back(senza ? record_punto{c * metri_cella, 0} : abbattimento(c, x.valore1));
    }
}

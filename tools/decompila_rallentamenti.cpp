#include "tools/decompila_rallentamenti.h"

#include <optional>

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

// The end of the slowdown that starts in cell s: the first end cell before
// the next start, with the same values; none: the end fell into the start's
// own cell (length 0).
std::int32_t fine_di(const quadro_scenario& q, std::int32_t s, std::vector<bool>& usata) {
    const cella& inizio = in(q, s);
    for (std::int64_t c = s + 1; c < static_cast<std::int64_t>(q.tracciato.size()); ++c) {
        const cella& x = in(q, c);
        if (x.tipo == tipo_cella::inizio_rallentamento) break;
        if (x.tipo != tipo_cella::fine_rallentamento || usata[static_cast<std::size_t>(c)]) continue;
        if (x.valore1 != inizio.valore1 || x.valore2 != inizio.valore2 || x.valore3 != inizio.valore3) break;
        usata[static_cast<std::size_t>(c)] = true;
        return static_cast<std::int32_t>(c);
    }
    return s;
}

// The warning board in cell s - 24, with the slowdown's speed and d_v.
bool con_tabella(const quadro_scenario& q, std::int32_t s) {
    const std::int32_t w = s - celle_avviso;
    if (!di_tipo(q, w, tipo_cella::avviso_rallentamento)) return false;
    const cella& b = in(q, w);
    return b.valore1 == in(q, s).valore1 && b.valore2 == in(q, s).valore2;
}

// The four lead-in cells before the board (from the cell `primo` back),
// numbered 1 (nearest the board) to 4.
int preavvisi(const quadro_scenario& q, std::int32_t primo, std::int16_t d_v) {
    int trovati = 0;
    for (std::int32_t i = 1; i <= 4; ++i) {
        if (!di_tipo(q, primo + 1 - i, tipo_cella::preavviso_rallentamento)) continue;
        const cella& x = in(q, primo + 1 - i);
        if (x.valore1 == i && x.valore2 == (d_v != 0 ? i : 0)) ++trovati;
    }
    return trovati;
}

void segna(std::vector<bool>& usata, std::int64_t c) {
    if (c >= 0 && c < static_cast<std::int64_t>(usata.size())) usata[static_cast<std::size_t>(c)] = true;
}

std::optional<record_rallentamento> rallentamento(const quadro_scenario& q, std::int32_t s, std::vector<bool>& usata,
                                               note_decompilazione& n) {
    const cella& inizio = in(q, s);
    const std::int32_t e = fine_di(q, s, usata);
    record_rallentamento r{(s - 1) * metri_cella, inizio.valore1, (e - s) * metri_cella, inizio.valore3, 0,
                        inizio.valore2};
    // From the cell after the one 1500 m stands in, a slowdown has its board;
    // in that cell only when it starts just beyond 1500 m.
    const bool tabella = con_tabella(q, s);
    if (r.x <= inizio_con_avviso && tabella && r.x + metri_cella / 2 > inizio_con_avviso) r.x = inizio_con_avviso + 1;
    if (r.x > inizio_con_avviso) {
        const std::int32_t w = s - celle_avviso;
        if (!tabella) {
            annota(n, parte_scenario::tracciato, w,
                   "the slowdown starting in " + nome_cella(s) + " has no warning board here, which every slowdown "
                   "starting beyond 1500 m gets");
        }
        segna(usata, w);
        // The lead-in cells end in the cell of the metre 1200 m before the
        // start: the cell before the board, or, for a start 25 m past a
        // multiple of 50 (rounded to an even cell), the cell before that.
        std::int32_t primo = w - 1;
        int p = preavvisi(q, primo, inizio.valore2);
        if (p == 0 && preavvisi(q, w - 2, inizio.valore2) > 0) {
            primo = w - 2;
            p = preavvisi(q, primo, inizio.valore2);
            r.x = s * metri_cella - 75;
            r.l += metri_cella / 2;
        }
        r.f_ta = p > 0 ? 1 : 0;
        if (p > 0 && p < 4) {
            annota(n, parte_scenario::tracciato, primo,
                   "the slowdown starting in " + nome_cella(s) + " has " + std::to_string(p) +
                       " of the four lead-in cells before its warning board");
        }
        for (std::int32_t i = 0; i < 4 && p > 0; ++i) segna(usata, primo - i);
    }
    segna(usata, s);
    if (s > q.numero_celle - 1) {
        annota(n, parte_scenario::tracciato, s, "a slowdown starts in the last cell, which no record reaches");
        return std::nullopt;
    }
    return r;
}

}  // namespace

record_punto abbattimento(std::int32_t c, std::int16_t valore1) {
    const std::int32_t v = valore1 > 0 ? valore1 : std::int32_t{valore1} + 65536;
    return {c * metri_cella, v};
}

bool abbattimento_possibile(const quadro_scenario& q, std::int32_t c) { return c <= q.numero_celle - 2; }

void recupera_rallentamenti(const quadro_scenario& q, sorgente_treno& t, note_decompilazione& n) {
    std::vector<bool> usata(q.tracciato.size(), false);
    for (std::size_t i = 0; i < q.tracciato.size(); ++i) {
        if (q.tracciato[i].tipo != tipo_cella::inizio_rallentamento) continue;
        if (const auto r = rallentamento(q, static_cast<std::int32_t>(i), usata, n)) t.rallentamenti.push_back(*r);
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

#include "tools/decompila/decompila_cartelli.h"

#include <map>

#include "tools/binari/dump_testo.h"

namespace {

// The entries that hold sign texts, counting down from this one.
constexpr int prima_voce_cartello = voce::primo_cartello;

// Only a name: every number field 0.
bool solo_nome(const voce_scenario& v) {
    return v.tipo == 0 && v.valore1 == 0 && v.valore2 == 0 && v.valore3 == 0 && v.marca == 0 && v.par1 == 0 &&
           v.par2 == 0 && v.par3 == 0 && v.par4 == 0 && v.par5 == 0 && v.opz1 == 0 && v.opz2 == 0 && v.opz3 == 0 &&
           v.opz4 == 0 && v.valore4 == 0;
}

// The position of a record whose object stands in the cell after its
// position's own cell (signs, indicators).
std::int32_t posizione_dopo(std::int32_t c) { return (c - 1) * metri_cella; }

// The text of entry e as a sign record can carry it.
std::string testo_cartello(const quadro_scenario& q, int e, note_decompilazione& n) {
    const std::string& testo = q.scenario[static_cast<std::size_t>(e)].nome;
    std::string scrivibile;
    if (!testo_scrivibile(testo, scrivibile)) {
        annota(n, parte_scenario::scenario, e,
               "the sign text " + testo_tra_virgolette(testo) +
                   " holds a comma or a line end, or begins with a blank, which a sign record cannot carry");
    }
    if (!solo_nome(q.scenario[static_cast<std::size_t>(e)])) {
        annota(n, parte_scenario::scenario, e, "an entry of sign texts holds numbers, which a sign record never writes");
    }
    return scrivibile;
}

// The last cell of plain track that no sign takes, for a sign that must
// stand somewhere.
std::int32_t cella_libera_da(const quadro_scenario& q, const std::multimap<int, std::int32_t>& celle) {
    for (std::int32_t c = q.numero_celle - 1; c > 1; --c) {
        if (q.tracciato[static_cast<std::size_t>(c)].tipo != tipo_cella::libero) continue;
        bool presa = false;
        for (const auto& [voce_presa, cella_presa] : celle) presa = presa || cella_presa == c;
        if (!presa) return c;
    }
    return q.numero_celle - 1;
}

}  // namespace

bool testo_scrivibile(const std::string& testo, std::string& scrivibile) {
    const std::size_t fine = testo.find_first_of(",\r\n");
    scrivibile = testo.substr(0, fine);
    const std::size_t inizio = scrivibile.find_first_not_of(' ');
    scrivibile.erase(0, inizio == std::string::npos ? scrivibile.size() : inizio);
    return scrivibile == testo;
}

void recupera_indicatori(const quadro_scenario& q, sorgente_linea& l, note_decompilazione& n) {
    for (std::size_t i = 0; i < q.tracciato.size(); ++i) {
        const cella& c = q.tracciato[i];
        if (c.tipo != tipo_cella::indicatori_v_max) continue;
        const auto ci = static_cast<std::int32_t>(i);
        if (ci > q.numero_celle - 1) {
            annota(n, parte_scenario::tracciato, ci, "speed indicators in the last cell, which no record reaches");
            continue;
        }
        // Each value is a × 20 + b / 5: a the twentieths, b five times the rest.
        record_indicatori r;
        r.posizione = posizione_dopo(ci);
        r.vas = c.valore1 / 20;
        r.vbs = c.valore2 / 20;
        r.vcs = c.valore3 / 20;
        r.strisces = c.valore4 / 10;
        r.vad = c.valore1 % 20 * 5;
        r.vbd = c.valore2 % 20 * 5;
        r.vcd = c.valore3 % 20 * 5;
        r.strisced = c.valore4 % 10;
        l.indicatori.push_back(r);
    }
}

int recupera_cartelli(const quadro_scenario& q, sorgente_linea& l, note_decompilazione& n) {
    std::multimap<int, std::int32_t> celle;  // entry -> cells that show it
    int prima = prima_voce_cartello + 1;
    for (std::size_t i = 0; i < q.tracciato.size(); ++i) {
        const cella& c = q.tracciato[i];
        if (c.tipo != tipo_cella::cartello) continue;
        const auto ci = static_cast<std::int32_t>(i);
        if (c.valore1 < 1 || c.valore1 > prima_voce_cartello) {
            annota(n, parte_scenario::tracciato, ci,
                   "a sign whose text entry " + std::to_string(c.valore1) + " is not one of the entries 1 to 80");
            continue;
        }
        celle.emplace(c.valore1, ci);
        prima = std::min(prima, static_cast<int>(c.valore1));
    }
    // Texts below the lowest sign shown whose signs no cell shows.
    while (prima > 1 && solo_nome(q.scenario[static_cast<std::size_t>(prima - 1)]) &&
           !q.scenario[static_cast<std::size_t>(prima - 1)].nome.empty()) {
        --prima;
    }
    std::vector<std::int32_t> nascondigli;  // station markers' cells, for signs no cell shows
    for (std::size_t i = q.tracciato.size(); i-- > 0;) {
        if (q.tracciato[i].tipo == tipo_cella::marca_stazione) nascondigli.push_back(static_cast<std::int32_t>(i));
    }
    for (int e = prima_voce_cartello; e >= prima; --e) {
        const auto [da, a] = celle.equal_range(e);
        std::int32_t c = -1;
        if (da != a) {
            c = da->second;
            for (auto k = std::next(da); k != a; ++k) {
                annota(n, parte_scenario::tracciato, k->second,
                       "a second sign of the text entry " + std::to_string(e) + ", which one sign record fills");
            }
        } else if (!nascondigli.empty()) {
            c = nascondigli.back();
            nascondigli.pop_back();
        } else {
            // No cell to hide it in: the sign shows in a cell of plain track.
            annota(n, parte_scenario::scenario, e, "a sign text whose sign no cell shows");
            c = cella_libera_da(q, celle);
            celle.emplace(e, c);
        }
        if (c > q.numero_celle - 1) {
            annota(n, parte_scenario::tracciato, c, "a sign in the last cell, which no record reaches");
        }
        l.cartelli.push_back({posizione_dopo(c), testo_cartello(q, e, n)});
    }
    return prima;
}

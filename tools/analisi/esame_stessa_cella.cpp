// Speed-limit or adhesion records at positions in one cell: each record
// takes effect from its position's cell on, so of two in one cell only the
// last counts. When every position of the kind would fit the line as
// kilometres, the author has likely written kilometres: positions are metres.
#include <algorithm>
#include <optional>

#include "compiler/geometria.h"
#include "tools/analisi/esami.h"

namespace {

struct genere_cella {
    const char* forma;
    const char* che_cosa;  // "speed limit"
};

constexpr genere_cella generi[] = {{"velocita", "speed limit"}, {"aderenza", "adhesion"}};

std::optional<std::int32_t> posizione(const record_scritto& r) { return numero_di(r, 0); }

// The largest position of the kind, when every position lies within the
// track's length read as kilometres.
std::optional<std::int32_t> sembrano_chilometri(const std::vector<const record_scritto*>& lista,
                                                std::int32_t lunghezza) {
    std::int32_t massima = 0;
    for (const record_scritto* r : lista) {
        const std::optional<std::int32_t> p = posizione(*r);
        if (!p || *p < 0) return std::nullopt;
        massima = std::max(massima, *p);
    }
    if (massima <= 0 || massima > lunghezza / 1000) return std::nullopt;
    return massima;
}

}  // namespace

void esame_stessa_cella(const dati_esame& d, std::vector<rilievo>& r) {
    // The track's length (the line's and its tail): kilometres that fit it.
    const std::int32_t lunghezza = d.m.lunghezza_totale;
    for (const genere_cella& g : generi) {
        const std::vector<const record_scritto*> lista = record_di_forma(d.record.treno, g.forma);
        const std::optional<std::int32_t> chilometri = sembrano_chilometri(lista, lunghezza);
        for (std::size_t i = 0; i + 1 < lista.size(); ++i) {
            const std::optional<std::int32_t> a = posizione(*lista[i]);
            const std::optional<std::int32_t> b = posizione(*lista[i + 1]);
            if (!a || !b) continue;
            const std::int64_t cella = cella_della_posizione(*a);
            if (cella != cella_della_posizione(*b)) continue;
            rilievo x;
            x.nome = esame::stessa_cella;
            x.dove = lista[i]->valori[0].dove;
            x.messaggio = std::string("this ") + g.che_cosa + " never takes effect: the '" + g.forma + "' at " +
                          riga_di_record(lista[i + 1]->dove) + " is in the same cell (cell " + std::to_string(cella) +
                          ", metres " + std::to_string(primo_metro(cella)) + " to " +
                          std::to_string(ultimo_metro(cella)) + "), and only the last of a cell counts";
            if (chilometri) {
                const std::string k = std::to_string(*chilometri);
                x.messaggio += "; positions are metres: " + k + " is " + k + " m, not km " + k;
            }
            x.note.push_back({lista[i + 1]->dove, std::string("the '") + g.forma + "' that counts in that cell"});
            r.push_back(std::move(x));
        }
    }
}

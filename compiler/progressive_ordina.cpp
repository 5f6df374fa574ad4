// Ordering of the three kilometric progressives: entry 81 gets the one with
// the largest start, 83 the one with the smallest; a flag of 1 adds 100 to
// the value.
#include <array>
#include <cstdint>

#include "compiler/compilazione.h"

namespace {

struct progressiva {
    std::int32_t inizio = 0;
    std::int32_t valore = 0;
    std::int32_t flag = 0;
    luogo origine;  // the record it was read from; not written to the entry
};

using ordine = std::array<progressiva, 3>;  // entries 81, 82, 83

progressiva da_voce(const voce_scenario& v, const luogo& origine) { return {v.valore1, v.valore2, v.valore3, origine}; }

void in_voce(voce_scenario& v, const progressiva& p) {
    v.valore1 = p.inizio;
    v.valore2 = p.valore;
    v.valore3 = p.flag;
}

std::int32_t somma_32(std::int32_t a, std::int32_t b) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}

// The strictly largest start first, then the larger of the other two; of two
// equal smaller starts "uno" comes before "due" and "due" before "tre". No
// strictly largest start: all zero.
ordine per_inizio(const progressiva& t, const progressiva& d, const progressiva& u) {
    if (t.inizio > d.inizio && t.inizio > u.inizio) return d.inizio > u.inizio ? ordine{t, d, u} : ordine{t, u, d};
    if (d.inizio > t.inizio && d.inizio > u.inizio) return t.inizio > u.inizio ? ordine{d, t, u} : ordine{d, u, t};
    if (u.inizio > t.inizio && u.inizio > d.inizio) return t.inizio > d.inizio ? ordine{u, t, d} : ordine{u, d, t};
    return ordine{};
}

// Starts that add up to 0: the last progressive with a positive value leads.
ordine per_valore(const progressiva& t, const progressiva& d, const progressiva& u) {
    ordine r{};
    if (t.valore >= 1) r = ordine{t, d, u};
    if (d.valore > 0) r = ordine{d, t, u};
    if (u.valore > 0) r = ordine{u, d, t};
    return r;
}

}  // namespace

void progressive_ordina(modello_scenario& m, std::array<luogo, 3>& luoghi) {
    auto& sc = m.scenario;
    const progressiva t = da_voce(sc[voce::progressiva_maggiore], luoghi[0]);
    const progressiva d = da_voce(sc[voce::progressiva_media], luoghi[1]);
    const progressiva u = da_voce(sc[voce::progressiva_minore], luoghi[2]);
    const std::int32_t somma = somma_32(somma_32(t.inizio, d.inizio), u.inizio);
    const ordine r = somma != 0 ? per_inizio(t, d, u) : per_valore(t, d, u);
    for (int i = 0; i < 3; ++i) {
        progressiva p = r[static_cast<std::size_t>(i)];
        if (p.flag == 1) p.valore = somma_32(p.valore, 100);
        in_voce(sc[static_cast<std::size_t>(voce::progressiva_maggiore + i)], p);
        luoghi[static_cast<std::size_t>(i)] = p.origine;
    }
}

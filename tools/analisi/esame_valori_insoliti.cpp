// Train and line values beyond what any railway has. The ranges, and why,
// are in the check's explanation.
#include <limits>
#include <string>

#include "tools/analisi/esami.h"

namespace {

// The highest speed any line in service allows (350 km/h, the fastest
// high-speed lines); the highest braked-mass percentage of any train (about
// 250 %, high-speed units with magnetic track brakes).
constexpr std::int32_t velocita_massima = 350;
constexpr std::int32_t massa_frenata_massima = 250;

struct regola_insolita {
    const char* forma;
    std::size_t indice;
    std::int32_t minimo;
    std::int32_t massimo;
    const char* prima;  // the message: these words, the value, then `dopo`
    const char* dopo;
};

constexpr regola_insolita regole[] = {
    {"percentuale massa frenata", 0, 1, massa_frenata_massima, "a braked-mass percentage of ",
     " %: no train has it; trains brake 1 to 250 % of their mass, a freight train about 50 to 100, a passenger "
     "train 100 to 200"},
    {"numero vetture", 0, 1, std::numeric_limits<std::int32_t>::max(), "a train of ", " coaches"},
    {"velocita", 1, 0, velocita_massima, "a speed limit of ",
     " km/h: above any line's; the fastest lines allow 350 km/h"},
};

}  // namespace

void esame_valori_insoliti(const dati_esame& d, std::vector<rilievo>& r) {
    for (const record_scritto& x : d.record.treno) {
        if (x.regola == nullptr) continue;
        for (const regola_insolita& g : regole) {
            if (std::string_view(g.forma) != x.regola->forma) continue;
            const std::optional<std::int32_t> v = numero_di(x, g.indice);
            if (!v || (*v >= g.minimo && *v <= g.massimo)) continue;
            r.push_back({esame::valore_insolito, x.valori[g.indice].dove, g.prima + std::to_string(*v) + g.dopo, {}});
        }
    }
}

#include "tests/generatore/occupazione.h"

#include <cmath>
#include <cstddef>

std::int32_t arrotonda_pari(double x) { return static_cast<std::int32_t>(std::nearbyint(x)); }

std::int32_t cella_di(std::int64_t posizione) { return arrotonda_pari(static_cast<double>(posizione) / 50.0); }

std::int32_t cella_dopo(std::int64_t posizione) { return arrotonda_pari(static_cast<double>(posizione) / 50.0 + 1.0); }

std::int32_t celle_tracciato(std::int32_t lunghezza) { return arrotonda_pari((lunghezza + 7000) / 50.0); }

occupazione occupazione_vuota(std::int32_t numero_celle) {
    occupazione o;
    o.numero_celle = numero_celle;
    o.contenuto.assign(static_cast<std::size_t>(numero_celle) + 1, atteso::libera);
    o.presa.assign(static_cast<std::size_t>(numero_celle) + 1, false);
    return o;
}

namespace {

bool disponibile(const occupazione& o, std::int64_t c) {
    return c >= o.prima_usabile && c <= o.numero_celle - 3 && !o.presa[static_cast<std::size_t>(c)];
}

template <typename Celle>
bool prendi_tutte(occupazione& o, const Celle& celle) {
    for (auto a = celle.begin(); a != celle.end(); ++a) {
        if (!disponibile(o, a->cella)) return false;
        for (auto b = celle.begin(); b != a; ++b) {
            if (b->cella == a->cella) return false;
        }
    }
    for (const richiesta_cella& r : celle) {
        o.presa[static_cast<std::size_t>(r.cella)] = true;
        o.contenuto[static_cast<std::size_t>(r.cella)] = r.contenuto;
    }
    return true;
}

}  // namespace

bool prendi(occupazione& o, const std::vector<richiesta_cella>& celle) { return prendi_tutte(o, celle); }

bool prendi(occupazione& o, std::initializer_list<richiesta_cella> celle) { return prendi_tutte(o, celle); }

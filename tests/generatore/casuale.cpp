#include "tests/generatore/casuale.h"

#include <limits>

std::int64_t intero(sorgente_casuale& c, std::int64_t minimo, std::int64_t massimo) {
    const std::uint64_t ampiezza = static_cast<std::uint64_t>(massimo) - static_cast<std::uint64_t>(minimo);
    if (ampiezza == std::numeric_limits<std::uint64_t>::max()) return static_cast<std::int64_t>(c.motore());
    const std::uint64_t valori = ampiezza + 1;
    // The largest multiple of `valori` that the engine's range holds: draws at
    // or above it would favour the smaller values, so they are drawn again.
    const std::uint64_t limite = std::numeric_limits<std::uint64_t>::max() - std::numeric_limits<std::uint64_t>::max() % valori;
    std::uint64_t x = c.motore();
    while (x >= limite) x = c.motore();
    return static_cast<std::int64_t>(static_cast<std::uint64_t>(minimo) + x % valori);
}

bool probabile(sorgente_casuale& c, std::int64_t su, std::int64_t di) { return intero(c, 0, di - 1) < su; }

std::int64_t multiplo(sorgente_casuale& c, std::int64_t minimo, std::int64_t massimo, std::int64_t passo) {
    // Multiples of passo in [minimo, massimo]: from ceil(minimo / passo) to floor(massimo / passo).
    auto giu = [passo](std::int64_t x) { return x >= 0 ? x / passo : -((-x + passo - 1) / passo); };
    const std::int64_t primo = -giu(-minimo);
    const std::int64_t ultimo = giu(massimo);
    if (primo > ultimo) return minimo;
    return intero(c, primo, ultimo) * passo;
}

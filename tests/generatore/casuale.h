// The generator's random source: a 64-bit Mersenne twister, whose output the
// C++ library fixes for a given seed, with distributions of our own (the
// library's distributions differ from one standard library to another), so
// that a seed gives the same scenario everywhere.
#pragma once

#include <cstdint>
#include <random>
#include <span>

struct sorgente_casuale {
    std::mt19937_64 motore;
    explicit sorgente_casuale(std::uint64_t seme) : motore(seme) {}
};

// A whole number from `minimo` to `massimo`, both included, every value equally
// likely (rejection sampling). `minimo` must not be above `massimo`.
std::int64_t intero(sorgente_casuale& c, std::int64_t minimo, std::int64_t massimo);

// True `su` times out of `di`.
bool probabile(sorgente_casuale& c, std::int64_t su, std::int64_t di);

// A multiple of `passo` from the first multiple not below `minimo` to the last
// not above `massimo`; `minimo` itself when there is none between them.
std::int64_t multiplo(sorgente_casuale& c, std::int64_t minimo, std::int64_t massimo, std::int64_t passo);

// One element of a non-empty list, equally likely.
template <typename T>
const T& uno_di(sorgente_casuale& c, std::span<const T> scelte) {
    return scelte[static_cast<std::size_t>(intero(c, 0, static_cast<std::int64_t>(scelte.size()) - 1))];
}

// Damage done to a generated scenario's two texts so that statuses and
// warnings occur, the same for the same seed on every platform.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <random>
#include <string>

// Damage that makes statuses and warnings occur: bytes changed in either
// text, a text cut short, a station moved, no "[generale]", a curve without
// its grade.
inline void danneggia(std::string& linea, std::string& treno, std::uint32_t seme) {
    std::mt19937 g(seme);
    const auto a_caso = [&](std::size_t n) { return static_cast<std::size_t>(g() % std::max<std::size_t>(n, 1)); };
    const std::string sostituti = "x9-, .;0\r5[";
    std::string& t = seme % 2 == 0 ? linea : treno;
    switch (seme % 6) {
        case 0:
        case 1:
            for (int i = 0; i < 3 && !t.empty(); ++i) t[a_caso(t.size())] = sostituti[a_caso(sostituti.size())];
            break;
        case 2: t.resize(a_caso(t.size())); break;
        case 3: {
            const std::size_t p = treno.find("stazione,");
            if (p != std::string::npos) treno.insert(treno.find_first_of("0123456789", p), "2");
            break;
        }
        case 4: {
            const std::size_t p = linea.find("[generale]");
            if (p != std::string::npos) linea[p + 8] = 'x';
            break;
        }
        case 5: {
            const std::size_t p = linea.find("curva");
            if (p != std::string::npos && p + 6 < linea.size()) linea[p + 6] = ' ';
            break;
        }
    }
}

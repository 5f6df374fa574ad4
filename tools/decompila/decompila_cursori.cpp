#include "tools/decompila/decompila_cursori.h"

#include <algorithm>

#include "tools/decompila/decompila_sorgenti.h"

std::vector<punto_cursore> punti_cursore(const std::vector<std::uint8_t>& celle, std::int32_t numero_celle,
                                         std::uint8_t iniziale) {
    std::vector<punto_cursore> punti;
    const auto n = static_cast<std::int32_t>(celle.size()) - 1;
    // A track too short for a record's position has nothing a record can fill.
    if (n < 0 || numero_celle < 3) return punti;
    // The closing fill writes at least up to the cell before the last three;
    // a byte other than 0 further on means the fill started there.
    std::int32_t ultima = std::max(0, numero_celle - 3);
    for (std::int32_t i = n; i > ultima; --i) {
        if (celle[static_cast<std::size_t>(i)] != 0) {
            ultima = i;
            break;
        }
    }
    ultima = std::min(ultima, n);
    // The last cell a record's position may name: the first of the last three.
    const std::int32_t ultima_posizione = numero_celle - 2;
    std::uint8_t corrente = iniziale;
    std::int32_t cursore = 0;
    for (std::int32_t i = 0; i <= std::min(ultima, ultima_posizione); ++i) {
        const std::uint8_t b = celle[static_cast<std::size_t>(i)];
        if (b == corrente) continue;
        punti.push_back({i * metri_cella, b});
        corrente = b;
        cursore = i;
    }
    if (ultima < ultima_posizione) return punti;
    // The fill must start in cell `ultima`: the cursor is brought to the
    // last cell a position reaches, then pushed one cell at a time.
    if (cursore != ultima_posizione) {
        punti.push_back({ultima_posizione * metri_cella, celle[static_cast<std::size_t>(ultima_posizione)]});
    }
    for (std::int32_t i = ultima_posizione + 1; i <= ultima; ++i) {
        punti.push_back({metri_cella, celle[static_cast<std::size_t>(i)]});
    }
    return punti;
}

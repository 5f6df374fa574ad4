#include "compiler/distanza_modifica.h"

#include <algorithm>
#include <array>

// Three rows of a fixed size (the texts compared are keywords and headers),
// and of each row only the band of columns within `massimo` of the diagonal:
// a cell outside it is farther than `massimo`, and so is every cell reached
// through it, so the cells that count come out exact.
std::size_t distanza_modifica(std::string_view a, std::string_view b, std::size_t massimo) {
    constexpr std::size_t lunghezza_massima = 48;
    const std::size_t oltre = massimo + 1;
    if (a.size() > lunghezza_massima || b.size() > lunghezza_massima) return oltre;
    if ((a.size() > b.size() ? a.size() - b.size() : b.size() - a.size()) > massimo) return oltre;
    std::array<std::size_t, lunghezza_massima + 2> due_prima{}, prima{}, ora{};
    for (std::size_t j = 0; j <= b.size(); ++j) prima[j] = std::min(j, oltre);
    for (std::size_t i = 1; i <= a.size(); ++i) {
        const std::size_t da = i > massimo ? i - massimo : 1;
        const std::size_t a_fine = std::min(b.size(), i + massimo);
        ora[da - 1] = da == 1 ? std::min(i, oltre) : oltre;
        ora[a_fine + 1] = oltre;  // the first cell beyond the band, read by the next row
        std::size_t minimo_riga = ora[da - 1];
        for (std::size_t j = da; j <= a_fine; ++j) {
            const std::size_t costo = a[i - 1] == b[j - 1] ? 0 : 1;
            std::size_t d = std::min(std::min(prima[j] + 1, ora[j - 1] + 1), prima[j - 1] + costo);
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) d = std::min(d, due_prima[j - 2] + 1);
            ora[j] = std::min(d, oltre);
            minimo_riga = std::min(minimo_riga, ora[j]);
        }
        if (minimo_riga > massimo) return oltre;
        due_prima = prima;
        prima = ora;
    }
    return std::min(prima[b.size()], oltre);
}

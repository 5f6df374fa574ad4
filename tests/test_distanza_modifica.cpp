// The edit distance of the suggestions against the whole table, on short
// texts of a small alphabet (where near misses are common).
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "compiler/distanza_modifica.h"

namespace {

// Optimal string alignment over the whole table.
std::size_t tabella_intera(const std::string& a, const std::string& b) {
    std::vector<std::vector<std::size_t>> d(a.size() + 1, std::vector<std::size_t>(b.size() + 1));
    for (std::size_t i = 0; i <= a.size(); ++i) d[i][0] = i;
    for (std::size_t j = 0; j <= b.size(); ++j) d[0][j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        for (std::size_t j = 1; j <= b.size(); ++j) {
            d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + (a[i - 1] == b[j - 1] ? 0 : 1)});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) {
                d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
            }
        }
    }
    return d[a.size()][b.size()];
}

TEST(DistanzaModifica, KnownPairs) {
    struct caso {
        std::string a, b;
        std::size_t massimo, atteso;
    };
    const caso casi[] = {
        {"stazione", "stazione", 2, 0}, {"stazone", "stazione", 2, 1},   {"satzione", "stazione", 2, 1},
        {"segnalle", "segnale", 2, 1},  {"pendnza", "pendenza", 1, 1},   {"abc", "xyz", 2, 3},
        {"", "ab", 2, 2},               {"", "abc", 2, 3},               {"curva", "curve", 0, 1},
    };
    for (const caso& c : casi) EXPECT_EQ(distanza_modifica(c.a, c.b, c.massimo), c.atteso) << c.a << " " << c.b;
    EXPECT_EQ(distanza_modifica(std::string(49, 'a'), std::string(49, 'a'), 2), 3u);  // longer than any keyword
}

TEST(DistanzaModifica, AgreesWithTheWholeTableWithinTheLimit) {
    std::mt19937 g(12345);
    const auto testo = [&] {
        std::string s(g() % 12, ' ');
        for (char& c : s) c = static_cast<char>('a' + g() % 3);
        return s;
    };
    for (int k = 0; k < 20000; ++k) {
        const std::string a = testo(), b = testo();
        const std::size_t massimo = g() % 4;
        const std::size_t intera = tabella_intera(a, b);
        EXPECT_EQ(distanza_modifica(a, b, massimo), std::min(intera, massimo + 1)) << a << " " << b << " " << massimo;
    }
}

}  // namespace

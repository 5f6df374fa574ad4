// The table of cell kinds against what the build writes: every kind a built
// track holds has its row, and a cell holds values only in the fields its
// row names, each of which some record does write.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "compiler/tipi_cella.h"
#include "tests/generatore/compila_testi.h"
#include "tests/generatore/generatore.h"

namespace {

std::int32_t valore_di(const cella& c, campo_valore k) {
    switch (k) {
        case campo_valore::valore1: return c.valore1;
        case campo_valore::valore2: return c.valore2;
        case campo_valore::valore3: return c.valore3;
        case campo_valore::valore4: return c.valore4;
        case campo_valore::tempo_segnale: return c.tempo_segnale;
    }
    return 0;
}

}  // namespace

TEST(TipiCella, OneRowPerKindInIncreasingOrder) {
    std::set<std::string> nomi;
    int prima = -1;
    for (const descrizione_tipo_cella& d : tipi_celle) {
        EXPECT_GT(int{d.tipo}, prima) << d.nome;
        prima = d.tipo;
        EXPECT_TRUE(nomi.insert(d.nome).second) << d.nome;
        EXPECT_EQ(descrizione_tipo(d.tipo), &d) << d.nome;
        ASSERT_NE(d.parola_dump, nullptr) << d.nome;
    }
    EXPECT_EQ(descrizione_tipo(7), nullptr);
    EXPECT_EQ(descrizione_tipo(255), nullptr);
}

// Generated scenarios hold every kind of object; the cells they build are
// checked field by field against their rows. Cell 1 carries the format stamp
// and a check code, whatever its kind.
TEST(TipiCella, TheBuildWritesOnlyTheFieldsEachKindNames) {
    std::set<std::pair<int, int>> scritti;  // (kind, field) seen with a value other than 0
    std::set<int> tipi_visti;
    for (std::uint64_t seme = 1; seme <= 12; ++seme) {
        parametri_generatore p;
        p.seme = seme;
        p.lunghezza = 30000;
        p.densita = 8.0;
        p.casi_limite = seme % 2 == 0;
        const scenario_generato s = genera_scenario(p);
        const testi_compilati c = compila_testi(s.linea, s.treno);
        ASSERT_EQ(c.fatale, "") << seme;
        const std::vector<cella>& t = c.modello->tracciato;
        for (std::size_t i = 2; i < t.size(); ++i) {
            const descrizione_tipo_cella* d = descrizione_tipo(t[i].tipo);
            ASSERT_NE(d, nullptr) << "seed " << seme << ", cell " << i << ", kind " << int{t[i].tipo};
            tipi_visti.insert(t[i].tipo);
            for (std::size_t k = 0; k < campi_valore; ++k) {
                const auto campo = static_cast<campo_valore>(k);
                if (valore_di(t[i], campo) == 0) continue;
                EXPECT_TRUE(campo_usato(*d, campo))
                    << "seed " << seme << ", cell " << i << ": " << nomi_campi_valore[k] << " in a cell of kind "
                    << d->nome;
                scritti.insert({t[i].tipo, static_cast<int>(k)});
            }
        }
    }
    for (const descrizione_tipo_cella& d : tipi_celle) {
        EXPECT_TRUE(tipi_visti.count(d.tipo)) << d.nome;
        for (std::size_t k = 0; k < campi_valore; ++k) {
            if (!campo_usato(d, static_cast<campo_valore>(k))) continue;
            EXPECT_TRUE(scritti.count({d.tipo, static_cast<int>(k)}))
                << nomi_campi_valore[k] << " of " << d.nome << " is never written";
        }
    }
}

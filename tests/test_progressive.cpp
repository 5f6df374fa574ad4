#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <limits>

#include "compiler/compilazione.h"

namespace {

struct terna {
    std::int32_t inizio;
    std::int32_t valore;
    std::int32_t flag;
};

bool operator==(const terna& a, const terna& b) {
    return a.inizio == b.inizio && a.valore == b.valore && a.flag == b.flag;
}

std::ostream& operator<<(std::ostream& o, const terna& t) {
    return o << '(' << t.inizio << ", " << t.valore << ", " << t.flag << ')';
}

void poni(modello_scenario& m, int voce, const terna& t) {
    m.scenario[voce].valore1 = t.inizio;
    m.scenario[voce].valore2 = t.valore;
    m.scenario[voce].valore3 = t.flag;
}

terna di(const modello_scenario& m, int voce) {
    return {m.scenario[voce].valore1, m.scenario[voce].valore2, m.scenario[voce].valore3};
}

constexpr std::int32_t massimo = std::numeric_limits<std::int32_t>::max();

TEST(ProgressiveOrdina, OrdersByStartOrByValueAndAppliesTheFlagLast) {
    struct caso {
        const char* nome;
        terna uno, due, tre;
        std::array<terna, 3> attese;  // entries 81, 82, 83
    };
    const terna zero{0, 0, 0};
    const caso casi[] = {
        {"all absent", zero, zero, zero, {zero, zero, zero}},
        {"only due has a value", zero, {0, 2000, 0}, zero, {terna{0, 2000, 0}, zero, zero}},
        {"tre largest, flag 1", zero, {5000, 3000, 0}, {12000, 7000, 1},
         {terna{12000, 7100, 1}, terna{5000, 3000, 0}, zero}},
        {"two share the largest start", {3000, 0, 0}, {3000, 500, 0}, {1000, 0, 0}, {zero, zero, zero}},
        {"three share the largest start", {3000, 1, 0}, {3000, 2, 0}, {3000, 3, 0}, {zero, zero, zero}},
        {"tre largest, equal smaller starts: uno before due", {1000, 0, 0}, {1000, 0, 0}, {4000, 0, 1},
         {terna{4000, 100, 1}, terna{1000, 0, 0}, terna{1000, 0, 0}}},
        {"tre largest, due above uno", {100, 1, 0}, {200, 2, 0}, {300, 3, 0},
         {terna{300, 3, 0}, terna{200, 2, 0}, terna{100, 1, 0}}},
        {"tre largest, uno above due", {200, 1, 0}, {100, 2, 0}, {300, 3, 0},
         {terna{300, 3, 0}, terna{200, 1, 0}, terna{100, 2, 0}}},
        {"due largest, tre above uno", {100, 1, 0}, {300, 2, 0}, {200, 3, 0},
         {terna{300, 2, 0}, terna{200, 3, 0}, terna{100, 1, 0}}},
        {"due largest, equal smaller starts: uno before tre", {100, 1, 0}, {300, 2, 0}, {100, 3, 0},
         {terna{300, 2, 0}, terna{100, 1, 0}, terna{100, 3, 0}}},
        {"uno largest, tre above due", {300, 1, 0}, {100, 2, 0}, {200, 3, 0},
         {terna{300, 1, 0}, terna{200, 3, 0}, terna{100, 2, 0}}},
        {"uno largest, equal smaller starts: due before tre", {300, 1, 0}, {100, 2, 0}, {100, 3, 0},
         {terna{300, 1, 0}, terna{100, 2, 0}, terna{100, 3, 0}}},
        {"negative starts cancel out: by value", {-500, 0, 0}, {500, 0, 0}, {0, 7, 0},
         {terna{0, 7, 0}, terna{500, 0, 0}, terna{-500, 0, 0}}},
        {"starts that wrap to 0 take the value path", {2, 0, 0}, {massimo, 0, 0}, {massimo, 9, 0},
         {terna{massimo, 9, 0}, terna{massimo, 0, 0}, terna{2, 0, 0}}},
        {"later value rule replaces earlier ones", {0, 1, 0}, {0, 3, 0}, {0, 5, 0},
         {terna{0, 1, 0}, terna{0, 3, 0}, terna{0, 5, 0}}},
        {"due over tre by value", zero, {0, 3, 0}, {0, 5, 1}, {terna{0, 3, 0}, terna{0, 105, 1}, zero}},
        {"no positive value: all zero, flags dropped", {0, -1, 1}, {0, 0, 1}, {0, -5, 1}, {zero, zero, zero}},
        {"a flag other than 1 changes nothing", {0, 0, 0}, {5000, 3000, 2}, {12000, 7000, 1},
         {terna{12000, 7100, 1}, terna{5000, 3000, 2}, zero}},
        {"every moved progressive gets its flag", {100, 10, 1}, {200, 20, 1}, {300, 30, 1},
         {terna{300, 130, 1}, terna{200, 120, 1}, terna{100, 110, 1}}},
    };
    for (const caso& c : casi) {
        modello_scenario m;
        poni(m, voce::progressiva_minore, c.uno);
        poni(m, voce::progressiva_media, c.due);
        poni(m, voce::progressiva_maggiore, c.tre);
        std::array<luogo, 3> luoghi{};
        progressive_ordina(m, luoghi);
        EXPECT_EQ(di(m, voce::progressiva_maggiore), c.attese[0]) << c.nome;
        EXPECT_EQ(di(m, voce::progressiva_media), c.attese[1]) << c.nome;
        EXPECT_EQ(di(m, voce::progressiva_minore), c.attese[2]) << c.nome;
    }
}

TEST(ProgressiveOrdina, TouchesOnlyTheThreeFieldsOfEntries81To83) {
    modello_scenario m;
    for (int v = 80; v <= 84; ++v) {
        m.scenario[v].nome = "voce " + std::to_string(v);
        m.scenario[v].valore4 = v;
        m.scenario[v].par1 = static_cast<std::int16_t>(v);
        m.scenario[v].valore1 = v;
    }
    m.scenario[voce::primo_cartello].valore2 = 5;
    m.scenario[voce::dati_generali].valore2 = 6;
    std::array<luogo, 3> luoghi{};
    progressive_ordina(m, luoghi);
    EXPECT_EQ(di(m, voce::progressiva_maggiore), (terna{83, 0, 0}));
    EXPECT_EQ(di(m, voce::progressiva_media), (terna{82, 0, 0}));
    EXPECT_EQ(di(m, voce::progressiva_minore), (terna{81, 0, 0}));
    for (int v = 80; v <= 84; ++v) {
        EXPECT_EQ(m.scenario[v].nome, "voce " + std::to_string(v));
        EXPECT_EQ(m.scenario[v].valore4, v);
        EXPECT_EQ(m.scenario[v].par1, v);
    }
    EXPECT_EQ(m.scenario[voce::primo_cartello].valore1, 80);
    EXPECT_EQ(m.scenario[voce::primo_cartello].valore2, 5);
    EXPECT_EQ(m.scenario[voce::dati_generali].valore2, 6);
}

// The places of the records move with them: entry 81 names the record of
// the progressive it holds.
TEST(ProgressiveOrdina, ThePlacesOfTheRecordsMoveWithThem) {
    modello_scenario m;
    poni(m, voce::progressiva_minore, {1000, 0, 0});
    poni(m, voce::progressiva_media, {3000, 0, 0});
    poni(m, voce::progressiva_maggiore, {2000, 0, 0});
    std::array<luogo, 3> luoghi{luogo{sorgente::linea, 5, 1}, luogo{sorgente::linea, 4, 1}, luogo{sorgente::linea, 3, 1}};
    progressive_ordina(m, luoghi);
    EXPECT_EQ(luoghi[0].riga, 4);  // "due", the largest start
    EXPECT_EQ(luoghi[1].riga, 5);  // "tre"
    EXPECT_EQ(luoghi[2].riga, 3);  // "uno"
}

TEST(ProgressiveOrdina, AValueNearTheTopWrapsInsteadOfFailing) {
    modello_scenario m;
    poni(m, voce::progressiva_maggiore, {100, massimo, 1});
    std::array<luogo, 3> luoghi{};
    progressive_ordina(m, luoghi);
    EXPECT_EQ(di(m, voce::progressiva_maggiore), (terna{100, std::numeric_limits<std::int32_t>::min() + 99, 1}));
}

}  // namespace

// Decoders of the binary scenario files: the golden files round-trip byte for
// byte; every malformed file gives the offset where decoding stopped.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <functional>
#include <limits>
#include <random>

#include "supporto.h"
#include "compiler/linea.h"
#include "track/lettura_binaria.h"
#include "track/scrittura_binaria.h"

namespace {

std::string dato(const std::string& nome) { return leggi_tutto(std::string(CARTELLA_TEST_DATI) + "/" + nome); }

const std::string piano_dat = "Tava Aeroporto-Rovea_linea.dat";
const std::string scenario_sim = "Tava Aeroporto-Rovea_30742.sim";
const std::string tracciato_dat = "Tava Aeroporto-Rovea_30742.dat";

TEST(LetturaBinaria, TheGoldenFilesRoundTrip) {
    const std::string piano = dato(piano_dat);
    const planimetria_linea p = leggi_planimetria(piano);
    EXPECT_EQ(p.ultimo_metro, 29000);
    EXPECT_EQ(p.tipi.size(), 58002u);
    EXPECT_EQ(p.tipi[0], tipo_valore::intero);
    EXPECT_EQ(p.tipi[2], tipo_valore::doppio);
    EXPECT_EQ(p.tipi[29000], tipo_valore::vuoto);
    EXPECT_EQ(p.valori[29001 + 1], 1.0);  // y of metre 1
    EXPECT_TRUE(bytes_planimetria(p, "") == piano);

    const std::string sim = dato(scenario_sim);
    const auto scenario = leggi_scenario(sim);
    EXPECT_EQ(scenario[85].nome, "Tava Aeroporto-Rovea");
    EXPECT_EQ(scenario[85].par1, 610);
    EXPECT_EQ(scenario[85].valore4, 32487);
    EXPECT_EQ(scenario[86].nome, "30742");
    EXPECT_EQ(scenario[1].valore1, -300);
    EXPECT_TRUE(bytes_scenario(scenario, "") == sim);

    const std::string dat = dato(tracciato_dat);
    const std::vector<cella> tracciato = leggi_tracciato(dat);
    ASSERT_EQ(tracciato.size(), 581u);
    EXPECT_EQ(tracciato[1].valore1, 5121);
    EXPECT_EQ(tracciato[1].valore2, 2289);
    EXPECT_EQ(tracciato[34].tipo, 1);
    EXPECT_EQ(tracciato[34].valore1, 42);
    EXPECT_TRUE(bytes_tracciato(tracciato) == dat);
}

TEST(LetturaBinaria, EveryValueRoundTripsWithItsSignAndBits) {
    planimetria_linea p;
    p.tipi = {tipo_valore::intero, tipo_valore::doppio, tipo_valore::vuoto,
              tipo_valore::intero, tipo_valore::doppio, tipo_valore::doppio};
    p.valori = {-32768, -0.0, 0, 32767, std::numeric_limits<double>::denorm_min(), 1e300};
    const std::string b = bytes_planimetria(p, "");
    const planimetria_linea q = leggi_planimetria(b);
    EXPECT_EQ(q.ultimo_metro, 2);
    EXPECT_EQ(q.tipi, p.tipi);
    for (std::size_t e = 0; e < p.valori.size(); ++e) {
        EXPECT_EQ(std::bit_cast<std::uint64_t>(q.valori[e]), std::bit_cast<std::uint64_t>(p.valori[e])) << e;
    }
    EXPECT_TRUE(bytes_planimetria(q, "") == b);

    std::vector<cella> t(2);
    t[0] = {255, -1, -32768, 32767, -2, 255, 254, 253, 252, 251, 250};
    const std::vector<cella> u = leggi_tracciato(bytes_tracciato(t));
    ASSERT_EQ(u.size(), 2u);
    EXPECT_EQ(u[0].valore1, -1);
    EXPECT_EQ(u[0].valore2, -32768);
    EXPECT_EQ(u[0].aderenza, 250);
    EXPECT_TRUE(bytes_tracciato(u) == bytes_tracciato(t));

    std::array<voce_scenario, voci_scenario> s{};
    s[3].valore1 = -2147483647 - 1;
    s[3].par5 = -7;
    s[3].nome = std::string("\xE8\x00\x80", 3);
    s[86].nome = std::string(300, 'x');
    const auto r = leggi_scenario(bytes_scenario(s, ""));
    EXPECT_EQ(r[3].valore1, s[3].valore1);
    EXPECT_EQ(r[3].par5, -7);
    EXPECT_EQ(r[3].nome, s[3].nome);
    EXPECT_TRUE(bytes_scenario(r, "") == bytes_scenario(s, ""));

    EXPECT_TRUE(leggi_planimetria("").tipi.empty());
    EXPECT_TRUE(leggi_tracciato("").empty());
}

enum class tipo { piano, tabella, tracciato };

void decodifica(tipo t, const std::string& b) {
    switch (t) {
        case tipo::piano: leggi_planimetria(b); break;
        case tipo::tabella: leggi_scenario(b); break;
        case tipo::tracciato: leggi_tracciato(b); break;
    }
}

struct caso_malformato {
    const char* nome;
    tipo t;
    std::string byte;
    std::size_t posizione;
    std::string parole;
};

std::string con_u16(std::string b, std::size_t da, std::uint16_t x) {
    b[da] = static_cast<char>(x & 0xFF);
    b[da + 1] = static_cast<char>(x >> 8);
    return b;
}

// The cell's layout on disk, field by field: where each field stands and how
// wide it is. Each field alone gets a value whose bytes all differ from zero;
// the writer must put exactly those bytes, little-endian, at that offset and
// nothing elsewhere, and the reader must give that field back and no other.
// (A round trip alone would pass a writer and a reader that swap two fields
// alike.)
struct campo_cella {
    const char* nome;
    std::size_t inizio;
    std::size_t larghezza;
    std::int16_t cella::*i16;
    std::uint8_t cella::*u8;
};

TEST(LetturaBinaria, TheCellsFieldsStandAtTheirOffsetsInWriterAndReader) {
    const std::vector<campo_cella> campi = {
        {"tipo", 0, 1, nullptr, &cella::tipo},
        {"valore1", 1, 2, &cella::valore1, nullptr},
        {"valore2", 3, 2, &cella::valore2, nullptr},
        {"valore3", 5, 2, &cella::valore3, nullptr},
        {"valore4", 7, 2, &cella::valore4, nullptr},
        {"tempo_segnale", 9, 1, nullptr, &cella::tempo_segnale},
        {"avviso", 10, 1, nullptr, &cella::avviso},
        {"montagna", 11, 1, nullptr, &cella::montagna},
        {"vel_limite", 12, 1, nullptr, &cella::vel_limite},
        {"pendenza", 13, 1, nullptr, &cella::pendenza},
        {"aderenza", 14, 1, nullptr, &cella::aderenza},
    };
    std::size_t coperti = 0;
    for (const campo_cella& f : campi) {
        SCOPED_TRACE(f.nome);
        cella c;
        std::string atteso(byte_cella, '\0');
        if (f.i16) {
            c.*f.i16 = static_cast<std::int16_t>(-0x5EA1);  // bytes 0x5F 0xA1
            atteso[f.inizio] = static_cast<char>(0x5F);
            atteso[f.inizio + 1] = static_cast<char>(0xA1);
        } else {
            c.*f.u8 = 0xC3;
            atteso[f.inizio] = static_cast<char>(0xC3);
        }
        const std::string b = bytes_tracciato({c});
        EXPECT_TRUE(b == atteso);
        const std::vector<cella> letto = leggi_tracciato(b);
        ASSERT_EQ(letto.size(), 1u);
        if (f.i16) {
            EXPECT_EQ(letto[0].*f.i16, c.*f.i16);
        } else {
            EXPECT_EQ(letto[0].*f.u8, c.*f.u8);
        }
        cella resto = letto[0];
        if (f.i16) {
            resto.*f.i16 = 0;
        } else {
            resto.*f.u8 = 0;
        }
        EXPECT_TRUE(bytes_tracciato({resto}) == std::string(byte_cella, '\0'));
        coperti += f.larghezza;
    }
    EXPECT_EQ(coperti, byte_cella);
}

TEST(LetturaBinaria, AMalformedFileNamesTheOffsetAndWhatWasExpected) {
    const std::string sim = dato(scenario_sim);
    const std::string dat = dato(tracciato_dat);
    const std::string piano = dato(piano_dat);
    // Entry 85 starts where entry 86 (39 bytes) and entry 85 (54 bytes) end.
    const std::size_t e85 = sim.size() - 39 - 54;
    const std::vector<caso_malformato> casi = {
        {"unknown tag", tipo::piano, std::string("\x03\x00", 2), 0, "plan element 0: unknown type tag 3"},
        {"unknown tag later", tipo::piano, std::string("\x02\x00\x01\x00\x07\x01", 6), 4,
         "plan element 1: unknown type tag 263"},
        {"tag cut short", tipo::piano, std::string("\x00", 1), 0, "plan element 0, type tag cut short: 2 bytes expected, 1 left"},
        {"Integer cut short", tipo::piano, std::string("\x02\x00\x01", 3), 2, "plan element 0, Integer value cut short"},
        {"Double cut short", tipo::piano, std::string("\x05\x00\x01\x02\x03\x04\x05\x06\x07", 9), 2,
         "plan element 0, Double value cut short: 8 bytes expected, 7 left"},
        {"odd number of elements", tipo::piano, std::string("\x00\x00\x00\x00\x00\x00", 6), 6,
         "an odd number of plan elements (3)"},
        {"golden plan less its last element", tipo::piano, piano.substr(0, piano.size() - 2), piano.size() - 2,
         "odd number of plan elements (58001)"},
        {"golden plan cut inside a Double", tipo::piano, piano.substr(0, 33), 30,
         "plan element 4, Double value cut short: 8 bytes expected, 3 left"},
        {"empty table", tipo::tabella, "", 0, "entry 0, tipo cut short: 1 bytes expected, 0 left"},
        {"table without its last byte", tipo::tabella, sim.substr(0, sim.size() - 1), sim.size() - 4,
         "entry 86, valore4 cut short: 4 bytes expected, 3 left"},
        {"table with a byte more", tipo::tabella, sim + "x", sim.size(), "1 bytes after the last entry (86)"},
        {"table cut inside entry 85's name", tipo::tabella, sim.substr(0, e85 + 20), e85 + 16,
         "entry 85, nome cut short: 20 bytes expected, 4 left"},
        {"entry 85's name length garbled", tipo::tabella, con_u16(sim, e85 + 14, 0xFFFF), e85 + 16,
         "entry 85, nome cut short: 65535 bytes expected"},
        {"entry 0's name length garbled", tipo::tabella, con_u16(sim, 14, 3), 0, ""},
        {"track of 14 bytes", tipo::tracciato, std::string(14, '\0'), 0,
         "the file size 14 is no whole number of 15-byte cells: the last cell has only 14 bytes"},
        {"track with a byte more", tipo::tracciato, dat + "x", dat.size(), "the last cell has only 1 bytes"},
        {"track without its last byte", tipo::tracciato, dat.substr(0, dat.size() - 1), dat.size() - 15,
         "the last cell has only 14 bytes"},
    };
    for (const caso_malformato& c : casi) {
        try {
            decodifica(c.t, c.byte);
            ADD_FAILURE() << c.nome << ": decoded";
        } catch (const errore_lettura& e) {
            if (c.parole.empty()) continue;  // only that it fails
            EXPECT_EQ(e.posizione, c.posizione) << c.nome << ": " << e.what();
            EXPECT_NE(e.descrizione.find(c.parole), std::string::npos) << c.nome << ": " << e.what();
            EXPECT_EQ(std::string(e.what()), "at byte " + std::to_string(c.posizione) + ": " + e.descrizione);
        }
    }
}

// Any input either decodes or fails with an offset inside it; never more.
void tollera(tipo t, const std::string& b) {
    try {
        decodifica(t, b);
    } catch (const errore_lettura& e) {
        EXPECT_LE(e.posizione, b.size());
    }
}

TEST(LetturaBinaria, EveryPrefixAndRandomBytesFailCleanly) {
    const std::string sim = dato(scenario_sim);
    for (std::size_t n = 0; n < sim.size(); ++n) {
        EXPECT_THROW(leggi_scenario(std::string_view(sim).substr(0, n)), errore_lettura) << n;
    }
    const std::string dat = dato(tracciato_dat);
    for (std::size_t n = 0; n <= dat.size(); ++n) tollera(tipo::tracciato, dat.substr(0, n));
    const std::string piano = dato(piano_dat);
    for (std::size_t n = 0; n < 400; ++n) tollera(tipo::piano, piano.substr(0, n));

    std::mt19937 caso(12345);
    for (int prova = 0; prova < 2000; ++prova) {
        std::string b(caso() % 200, '\0');
        for (char& x : b) x = static_cast<char>(caso() % 7 == 0 ? caso() % 6 : caso());
        tollera(tipo::piano, b);
        tollera(tipo::tabella, b);
        tollera(tipo::tracciato, b);
        // The golden table with one byte changed.
        std::string t = sim;
        t[caso() % t.size()] = static_cast<char>(caso());
        tollera(tipo::tabella, t);
    }
}

}  // namespace

// The bounds are those of the longest line the compiler takes; a file one
// byte over them is refused at once, one at them is decoded.
TEST(LetturaBinaria, NoFileIsLargerThanTheLongestLineMakes) {
    EXPECT_EQ(celle_massime, static_cast<std::size_t>((lunghezza_massima + coda_tracciato) / metri_cella + 1));
    EXPECT_EQ(metri_massimi_planimetria, static_cast<std::size_t>(lunghezza_massima + coda_tracciato + 1));
    EXPECT_EQ(byte_massimi_tracciato, 302115u);
    EXPECT_EQ(byte_massimi_planimetria, 20140020u);
    EXPECT_EQ(byte_massimi_scenario, 5704503u);

    const std::string tracciato(byte_massimi_tracciato, '\0');
    EXPECT_EQ(leggi_tracciato(tracciato).size(), celle_massime);
    struct caso {
        std::size_t massimo;
        std::function<void(std::string_view)> leggi;
        const char* parola;
    };
    for (const caso& c : {caso{byte_massimi_tracciato, [](std::string_view b) { leggi_tracciato(b); }, "track"},
                          caso{byte_massimi_planimetria, [](std::string_view b) { leggi_planimetria(b); }, "plan"},
                          caso{byte_massimi_scenario, [](std::string_view b) { leggi_scenario(b); }, "table"}}) {
        const std::string troppo(c.massimo + 1, '\x05');
        try {
            c.leggi(troppo);
            ADD_FAILURE() << c.parola << " accepted";
        } catch (const errore_lettura& e) {
            EXPECT_EQ(e.posizione, c.massimo);
            EXPECT_EQ(e.descrizione, "the file is " + std::to_string(c.massimo + 1) + " bytes, more than any " +
                                         c.parola + " of a valid line (" + std::to_string(c.massimo) +
                                         " bytes, for the longest line of 1000000 m)");
        }
    }
}

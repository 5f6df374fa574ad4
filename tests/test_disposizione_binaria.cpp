// The byte layout of a cell and of a table entry: the rows hold the format,
// and the writer, the reader, dump and decompile's comparison follow the rows.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "tools/binari/dump_json.h"
#include "tools/binari/dump_testo.h"
#include "track/disposizione_binaria.h"
#include "track/lettura_binaria.h"
#include "track/scrittura_binaria.h"

namespace {

struct riga_attesa {
    const char* nome;
    std::size_t inizio;
    std::size_t larghezza;
    bool con_segno;
    bool testo;
};

template <typename R, std::size_t N>
void confronta_righe(const std::array<campo_binario<R>, N>& campi, const std::vector<riga_attesa>& attese) {
    ASSERT_EQ(campi.size(), attese.size());
    for (std::size_t k = 0; k < attese.size(); ++k) {
        SCOPED_TRACE(attese[k].nome);
        EXPECT_EQ(campi[k].nome, attese[k].nome);
        EXPECT_EQ(campi[k].inizio, attese[k].inizio);
        EXPECT_EQ(campi[k].larghezza, attese[k].larghezza);
        EXPECT_EQ(campi[k].con_segno, attese[k].con_segno);
        EXPECT_EQ(campi[k].testo != nullptr, attese[k].testo);
        EXPECT_EQ(campi[k].valore == nullptr, attese[k].testo);
    }
}

TEST(DisposizioneBinaria, TheRowsAreTheFileFormat) {
    confronta_righe(campi_cella, {
                                     {"tipo", 0, 1, false, false},
                                     {"valore1", 1, 2, true, false},
                                     {"valore2", 3, 2, true, false},
                                     {"valore3", 5, 2, true, false},
                                     {"valore4", 7, 2, true, false},
                                     {"tempo_segnale", 9, 1, false, false},
                                     {"avviso", 10, 1, false, false},
                                     {"montagna", 11, 1, false, false},
                                     {"vel_limite", 12, 1, false, false},
                                     {"pendenza", 13, 1, false, false},
                                     {"aderenza", 14, 1, false, false},
                                 });
    // The fields after the name stand its length further on.
    confronta_righe(campi_voce, {
                                    {"tipo", 0, 1, false, false},
                                    {"valore1", 1, 4, true, false},
                                    {"valore2", 5, 4, true, false},
                                    {"valore3", 9, 4, true, false},
                                    {"marca", 13, 1, false, false},
                                    {"nome", 14, 2, false, true},
                                    {"par1", 16, 2, true, false},
                                    {"par2", 18, 2, true, false},
                                    {"par3", 20, 2, true, false},
                                    {"par4", 22, 2, true, false},
                                    {"par5", 24, 2, true, false},
                                    {"opz1", 26, 1, false, false},
                                    {"opz2", 27, 1, false, false},
                                    {"opz3", 28, 1, false, false},
                                    {"opz4", 29, 1, false, false},
                                    {"valore4", 30, 4, true, false},
                                });
    EXPECT_EQ(byte_cella, 15u);
    EXPECT_EQ(byte_voce_senza_nome, 34u);
}

// Field k of a record gets the bytes 0xK1, 0xK2, ... (k from 1): no byte is
// zero and no two fields share one, so a field written at another offset, or
// read from one, shows. The value is those bytes little-endian, with the
// field's sign.
std::string byte_del_campo(std::size_t k, std::size_t larghezza) {
    std::string b;
    for (std::size_t j = 0; j < larghezza; ++j) b.push_back(static_cast<char>(0x10 * (k + 1) + j + 1));
    return b;
}

std::int64_t valore_dei_byte(const std::string& b, bool con_segno) {
    std::uint64_t x = 0;
    for (std::size_t j = b.size(); j-- > 0;) x = (x << 8) | static_cast<unsigned char>(b[j]);
    if (con_segno && (static_cast<unsigned char>(b.back()) & 0x80) != 0) x |= ~std::uint64_t{0} << (8 * b.size());
    return static_cast<std::int64_t>(x);
}

// Each number field of `r` set from its bytes; the text fields to `testo`.
template <typename R, std::size_t N>
R record_distinto(const std::array<campo_binario<R>, N>& campi, const std::string& testo) {
    R r{};
    for (std::size_t k = 0; k < campi.size(); ++k) {
        const campo_binario<R>& f = campi[k];
        if (f.testo != nullptr) {
            f.assegna_testo(r, testo);
        } else {
            f.assegna(r, valore_dei_byte(byte_del_campo(k, f.larghezza), f.con_segno));
        }
    }
    return r;
}

// The bytes of a record as its rows place them: every field at its offset
// (after a text, moved on by the text's length), little-endian.
template <typename R, std::size_t N>
void controlla_byte(const std::array<campo_binario<R>, N>& campi, const std::string& b, const std::string& testo) {
    std::size_t dopo_testo = 0;
    std::size_t coperti = 0;
    for (std::size_t k = 0; k < campi.size(); ++k) {
        const campo_binario<R>& f = campi[k];
        SCOPED_TRACE(std::string(f.nome));
        const std::size_t inizio = f.inizio + dopo_testo;
        ASSERT_LE(inizio + f.larghezza, b.size());
        if (f.testo != nullptr) {
            EXPECT_EQ(valore_dei_byte(b.substr(inizio, f.larghezza), false), static_cast<std::int64_t>(testo.size()));
            EXPECT_EQ(b.substr(inizio + f.larghezza, testo.size()), testo);
            dopo_testo = testo.size();
        } else {
            EXPECT_EQ(b.substr(inizio, f.larghezza), byte_del_campo(k, f.larghezza));
        }
        coperti += f.larghezza;
    }
    EXPECT_EQ(b.size(), coperti + testo.size());
}

template <typename R, std::size_t N>
void controlla_valori(const std::array<campo_binario<R>, N>& campi, const R& letto, const R& scritto) {
    for (const campo_binario<R>& f : campi) {
        SCOPED_TRACE(std::string(f.nome));
        if (f.testo != nullptr) {
            EXPECT_EQ(f.testo(letto), f.testo(scritto));
        } else {
            EXPECT_EQ(f.valore(letto), f.valore(scritto));
        }
    }
}

TEST(DisposizioneBinaria, TheWriterPlacesEveryCellFieldWhereItsRowSaysAndTheReaderTakesItBack) {
    const cella c = record_distinto(campi_cella, "");
    EXPECT_EQ(c.valore1, static_cast<std::int16_t>(0x2221));
    EXPECT_EQ(c.aderenza, 0xB1);
    const std::string b = bytes_tracciato({c});
    controlla_byte(campi_cella, b, "");
    const std::vector<cella> letto = leggi_tracciato(b);
    ASSERT_EQ(letto.size(), 1u);
    controlla_valori(campi_cella, letto[0], c);
}

TEST(DisposizioneBinaria, TheWriterPlacesEveryEntryFieldWhereItsRowSaysAndTheReaderTakesItBack) {
    for (const std::string& nome : {std::string(), std::string("Citt\xE0 di Rovea")}) {
        SCOPED_TRACE(nome);
        const voce_scenario v = record_distinto(campi_voce, nome);
        std::string b;
        aggiungi_voce(b, v, "x.sim");
        controlla_byte(campi_voce, b, nome);

        std::array<voce_scenario, voci_scenario> s{};
        s[voce::dati_treno] = v;
        const auto letto = leggi_scenario(bytes_scenario(s, "x.sim"));
        controlla_valori(campi_voce, letto[voce::dati_treno], v);
        controlla_valori(campi_voce, letto[0], voce_scenario{});
    }
}

// A field whose top bit is set reads back negative when it is signed and
// positive when it is not.
TEST(DisposizioneBinaria, TheSignOfEachRowIsKeptOnTheWayBack) {
    for (const campo_binario<cella>& f : campi_cella) {
        SCOPED_TRACE(std::string(f.nome));
        cella c;
        f.assegna(c, -1);
        const std::vector<cella> letto = leggi_tracciato(bytes_tracciato({c}));
        const std::int64_t atteso = f.con_segno ? -1 : (std::int64_t{1} << (8 * f.larghezza)) - 1;
        EXPECT_EQ(f.valore(letto[0]), atteso);
    }
}

std::vector<std::string> parole(const std::string& riga) {
    std::istringstream in(riga);
    std::vector<std::string> r;
    for (std::string p; in >> p;) r.push_back(p);
    return r;
}

std::vector<std::string> chiavi(const nlohmann::ordered_json& j) {
    std::vector<std::string> r;
    for (auto k = j.begin(); k != j.end(); ++k) r.push_back(k.key());
    return r;
}

template <typename R, std::size_t N>
std::vector<std::string> nomi(const std::array<campo_binario<R>, N>& campi) {
    std::vector<std::string> r;
    for (const campo_binario<R>& f : campi) r.emplace_back(f.nome);
    return r;
}

// dump's columns and keys are the rows, in their order.
TEST(DisposizioneBinaria, DumpShowsTheFieldsInTheOrderOfTheRows) {
    std::vector<std::string> celle = {"cell", "metre"};
    for (const auto& f : campi_cella) {
        celle.emplace_back(f.nome);
        if (f.nome == "tipo") celle.emplace_back("kind");
    }
    std::ostringstream t;
    testo_tracciato(t, {cella{}}, true);
    const std::string testo_celle = t.str();
    const std::size_t riga = testo_celle.find('\n') + 1;  // after "1 cells (...)"
    EXPECT_EQ(parole(testo_celle.substr(riga, testo_celle.find('\n', riga) - riga)), celle);

    std::vector<std::string> voci = {"entry", "role"};
    for (const auto& f : campi_voce) {
        if (f.testo == nullptr) voci.emplace_back(f.nome);
    }
    voci.emplace_back("nome");
    std::ostringstream s;
    testo_scenario(s, {});
    const std::string testo_voci = s.str();
    const std::size_t inizio = testo_voci.find('\n') + 1;
    EXPECT_EQ(parole(testo_voci.substr(inizio, testo_voci.find('\n', inizio) - inizio)), voci);

    EXPECT_EQ(chiavi(json_cella(cella{})), nomi(campi_cella));
    EXPECT_EQ(chiavi(json_voce(voce_scenario{})), nomi(campi_voce));
}

}  // namespace

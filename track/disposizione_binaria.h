// The byte layout of a track cell and of a scenario table entry on disk: one
// row per field, in the order of the bytes, each holding its name, its
// offset, its width, whether it is signed, and how to reach it in the model's
// struct. The writer, the reader, dump (text and JSON) and decompile's
// comparison walk these rows and nothing else, so the order of the rows is
// the order of the fields everywhere.
//
// A row is made from the member it stands for: the width and the sign are
// those of the member's type (the model's types are the file's), and each
// field begins where the one before it ends.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

#include "compiler/modello.h"

// One field of a record R. A number is `larghezza` bytes, little-endian, two's
// complement when `con_segno`; `valore` reads it from the struct (with its
// sign) and `assegna` stores a value into it (keeping the low bits).
// A text (`testo` set: the name of an entry) is its length in `larghezza`
// bytes, unsigned, then its bytes: `larghezza` counts the length alone, so a
// field after a text begins at `inizio` plus the text's length; `testo` reads
// it from the struct and `assegna_testo` stores it.
template <typename R>
struct campo_binario {
    std::string_view nome;
    std::size_t inizio = 0;
    std::size_t larghezza = 0;
    bool con_segno = false;
    bool e_testo = false;  // a text: `testo` and `assegna_testo` are set, not `valore` and `assegna`
    std::int64_t (*valore)(const R&) = nullptr;
    void (*assegna)(R&, std::int64_t) = nullptr;
    const std::string& (*testo)(const R&) = nullptr;
    void (*assegna_testo)(R&, std::string) = nullptr;
};

namespace disposizione {

template <typename M>
struct membro;
template <typename R, typename T>
struct membro<T R::*> {
    using record = R;
    using tipo = T;
};

// The row of a number member: as wide and signed as the member's type.
template <auto m>
constexpr auto numero(std::string_view nome) {
    using R = typename membro<decltype(m)>::record;
    using T = typename membro<decltype(m)>::tipo;
    static_assert(std::is_integral_v<T> && (sizeof(T) == 1 || sizeof(T) == 2 || sizeof(T) == 4));
    campo_binario<R> c;
    c.nome = nome;
    c.larghezza = sizeof(T);
    c.con_segno = std::is_signed_v<T>;
    c.valore = [](const R& r) -> std::int64_t { return r.*m; };
    c.assegna = [](R& r, std::int64_t x) { r.*m = static_cast<T>(x); };
    return c;
}

// The row of a text member: a 16-bit length, then the bytes.
template <auto m>
constexpr auto testo(std::string_view nome) {
    using R = typename membro<decltype(m)>::record;
    static_assert(std::is_same_v<typename membro<decltype(m)>::tipo, std::string>);
    campo_binario<R> c;
    c.nome = nome;
    c.larghezza = sizeof(std::uint16_t);
    c.e_testo = true;
    c.testo = [](const R& r) -> const std::string& { return r.*m; };
    c.assegna_testo = [](R& r, std::string t) { r.*m = std::move(t); };
    return c;
}

// The rows with their offsets: each field begins where the one before it ends.
template <typename R, std::size_t N>
constexpr std::array<campo_binario<R>, N> in_fila(std::array<campo_binario<R>, N> campi) {
    std::size_t inizio = 0;
    for (campo_binario<R>& c : campi) {
        c.inizio = inizio;
        inizio += c.larghezza;
    }
    return campi;
}

// The bytes of a record whose texts are empty.
template <typename R, std::size_t N>
constexpr std::size_t byte_record(const std::array<campo_binario<R>, N>& campi) {
    return campi.back().inizio + campi.back().larghezza;
}

}  // namespace disposizione

// A track cell: 15 bytes.
inline constexpr auto campi_cella = disposizione::in_fila(std::array{
    disposizione::numero<&cella::tipo>("tipo"),
    disposizione::numero<&cella::valore1>("valore1"),
    disposizione::numero<&cella::valore2>("valore2"),
    disposizione::numero<&cella::valore3>("valore3"),
    disposizione::numero<&cella::valore4>("valore4"),
    disposizione::numero<&cella::tempo_segnale>("tempo_segnale"),
    disposizione::numero<&cella::avviso>("avviso"),
    disposizione::numero<&cella::montagna>("montagna"),
    disposizione::numero<&cella::vel_limite>("vel_limite"),
    disposizione::numero<&cella::pendenza>("pendenza"),
    disposizione::numero<&cella::aderenza>("aderenza"),
});

// A scenario table entry: 34 bytes plus the length of its name.
inline constexpr auto campi_voce = disposizione::in_fila(std::array{
    disposizione::numero<&voce_scenario::tipo>("tipo"),
    disposizione::numero<&voce_scenario::valore1>("valore1"),
    disposizione::numero<&voce_scenario::valore2>("valore2"),
    disposizione::numero<&voce_scenario::valore3>("valore3"),
    disposizione::numero<&voce_scenario::marca>("marca"),
    disposizione::testo<&voce_scenario::nome>("nome"),
    disposizione::numero<&voce_scenario::par1>("par1"),
    disposizione::numero<&voce_scenario::par2>("par2"),
    disposizione::numero<&voce_scenario::par3>("par3"),
    disposizione::numero<&voce_scenario::par4>("par4"),
    disposizione::numero<&voce_scenario::par5>("par5"),
    disposizione::numero<&voce_scenario::opz1>("opz1"),
    disposizione::numero<&voce_scenario::opz2>("opz2"),
    disposizione::numero<&voce_scenario::opz3>("opz3"),
    disposizione::numero<&voce_scenario::opz4>("opz4"),
    disposizione::numero<&voce_scenario::valore4>("valore4"),
});

// Size in bytes of one track cell on disk.
inline constexpr std::size_t byte_cella = disposizione::byte_record(campi_cella);

// Size in bytes of one table entry before its name's bytes.
inline constexpr std::size_t byte_voce_senza_nome = disposizione::byte_record(campi_voce);

#include "track/scrittura_binaria.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <utility>

#include "sources/errore_esecuzione.h"

namespace {

// Little-endian values written byte by byte at a cursor into a buffer sized
// beforehand (no append per byte: the plan alone has millions of elements).
// The shifts are fixed, so that the compiler makes one store of each value on
// a little-endian machine.
void metti_u16(char*& p, std::uint16_t x) {
    p[0] = static_cast<char>(x & 0xFF);
    p[1] = static_cast<char>(x >> 8);
    p += 2;
}

void metti_i16(char*& p, std::int16_t x) { metti_u16(p, static_cast<std::uint16_t>(x)); }

// The eight bytes are put in order in a small array first and copied out in
// one go: one store on a little-endian machine, and one check under the
// address sanitizer instead of eight.
void metti_f64(char*& p, double x) {
    const auto bit = std::bit_cast<std::uint64_t>(x);
    const std::array<char, 8> b{static_cast<char>(bit & 0xFF),         static_cast<char>((bit >> 8) & 0xFF),
                                static_cast<char>((bit >> 16) & 0xFF), static_cast<char>((bit >> 24) & 0xFF),
                                static_cast<char>((bit >> 32) & 0xFF), static_cast<char>((bit >> 40) & 0xFF),
                                static_cast<char>((bit >> 48) & 0xFF), static_cast<char>((bit >> 56) & 0xFF)};
    std::memcpy(p, b.data(), b.size());
    p += 8;
}

void metti_testo(char*& p, const std::string& t) {
    for (const char c : t) *p++ = c;
}

// The low `larghezza` bytes of a number, little-endian.
template <std::size_t larghezza>
void metti_numero(char*& p, std::int64_t x) {
    const auto u = static_cast<std::uint64_t>(x);
    for (std::size_t k = 0; k < larghezza; ++k) p[k] = static_cast<char>((u >> (8 * k)) & 0xFF);
    p += larghezza;
}

// Bytes of one plan element: the tag, then its value.
std::size_t dimensione_elemento(tipo_valore t) {
    return t == tipo_valore::doppio ? 10 : t == tipo_valore::intero ? 4 : 2;
}

// Field `i` of a record's layout. Each field is made for its row, with its
// width known, so that a record costs what packing it by hand would.
template <const auto& campi, std::size_t i, typename R>
void metti_campo(char*& q, const R& r) {
    constexpr const auto& f = campi[i];
    if constexpr (!f.e_testo) {
        metti_numero<f.larghezza>(q, f.valore(r));
    } else {
        const std::string& t = f.testo(r);
        metti_numero<f.larghezza>(q, static_cast<std::int64_t>(t.size()));
        metti_testo(q, t);
    }
}

// A record, field by field in the order of its layout.
template <const auto& campi, typename R>
void metti_record(char*& q, const R& r) {
    [&]<std::size_t... i>(std::index_sequence<i...>) {
        (metti_campo<campi, i>(q, r), ...);
    }(std::make_index_sequence<campi.size()>{});
}

void metti_voce(char*& q, const voce_scenario& v) { metti_record<campi_voce>(q, v); }

void metti_cella(char*& q, const cella& c) { metti_record<campi_cella>(q, c); }

void verifica_nome(const voce_scenario& v, const std::string& percorso) {
    if (v.nome.size() > std::numeric_limits<std::uint16_t>::max()) {
        throw errore_esecuzione("write scenario table", percorso, 0,
                                "a name of " + std::to_string(v.nome.size()) +
                                    " bytes does not fit the 16-bit length of its record");
    }
}

// An Integer element of the plan holds a whole number that fits 16 bits.
std::int16_t intero_planimetria(double v, const std::string& percorso) {
    if (!(v >= std::numeric_limits<std::int16_t>::min() && v <= std::numeric_limits<std::int16_t>::max()) ||
        v != static_cast<double>(static_cast<std::int32_t>(v))) {
        throw errore_esecuzione("write line plan", percorso, 0,
                                "an Integer point of the plan does not hold a 16-bit whole number");
    }
    return static_cast<std::int16_t>(v);
}

}  // namespace

namespace {

// Bytes of the packed plan handed on at a time: small enough to stay in the
// cache, large enough for few writes.
constexpr std::size_t byte_per_pezzo = std::size_t{1} << 20;

// Packs elements from `e` on into the piece until it is full; returns the
// next element.
std::size_t riempi_pezzo(const planimetria_linea& p, std::size_t e, std::string& pezzo, std::size_t& usati) {
    // Local pointers: the bytes written are chars, which could alias the
    // vectors themselves, and the loop must not reload them at every byte.
    const tipo_valore* const tipi = p.tipi.data();
    const double* const valori = p.valori.data();
    const std::size_t elementi = p.tipi.size();
    char* const inizio = pezzo.data();
    char* q = inizio + usati;
    char* const limite = inizio + pezzo.size() - 10;  // room for one more element
    for (; e < elementi && q <= limite; ++e) {
        const tipo_valore tipo = tipi[e];
        metti_u16(q, static_cast<std::uint16_t>(tipo));
        if (tipo == tipo_valore::doppio) {
            metti_f64(q, valori[e]);
        } else if (tipo == tipo_valore::intero) {
            metti_i16(q, static_cast<std::int16_t>(valori[e]));
        }
    }
    usati = static_cast<std::size_t>(q - inizio);
    return e;
}

}  // namespace

contenuto_file contenuto_planimetria(const planimetria_linea& p, const std::string& percorso) {
    if (p.valori.size() < p.tipi.size()) {
        throw errore_esecuzione("write line plan", percorso, 0, "the plan has fewer values than type tags");
    }
    // The size, and every Integer element checked, before a byte is handed on.
    std::uintmax_t dimensione = 0;
    for (std::size_t e = 0; e < p.tipi.size(); ++e) {
        dimensione += dimensione_elemento(p.tipi[e]);
        if (p.tipi[e] == tipo_valore::intero) intero_planimetria(p.valori[e], percorso);
    }
    return {dimensione, [&p, dimensione](const contenuto_file::destinazione& scrivi) {
                // A short plan needs no more than its own size (and room for
                // the element that ends the piece).
                std::string pezzo(static_cast<std::size_t>(std::min<std::uintmax_t>(byte_per_pezzo, dimensione + 10)),
                                  '\0');
                std::size_t e = 0;
                while (e < p.tipi.size()) {
                    std::size_t usati = 0;
                    e = riempi_pezzo(p, e, pezzo, usati);
                    scrivi(std::string_view(pezzo.data(), usati));
                }
            }};
}

std::string bytes_planimetria(const planimetria_linea& p, const std::string& percorso) {
    return in_un_testo(contenuto_planimetria(p, percorso));
}

void aggiungi_voce(std::string& b, const voce_scenario& v, const std::string& percorso) {
    verifica_nome(v, percorso);
    const std::size_t inizio = b.size();
    b.resize(inizio + byte_voce_senza_nome + v.nome.size());
    char* q = b.data() + inizio;
    metti_voce(q, v);
}

std::string bytes_scenario(const std::array<voce_scenario, voci_scenario>& scenario, const std::string& percorso) {
    std::size_t dimensione = 0;
    for (const voce_scenario& v : scenario) {
        verifica_nome(v, percorso);
        dimensione += byte_voce_senza_nome + v.nome.size();
    }
    std::string b(dimensione, '\0');
    char* q = b.data();
    for (const voce_scenario& v : scenario) metti_voce(q, v);
    return b;
}

void aggiungi_cella(std::string& b, const cella& c) {
    const std::size_t inizio = b.size();
    b.resize(inizio + byte_cella);
    char* q = b.data() + inizio;
    metti_cella(q, c);
}

std::string bytes_tracciato(const std::vector<cella>& tracciato) {
    std::string b(tracciato.size() * byte_cella, '\0');
    char* q = b.data();
    for (const cella& c : tracciato) metti_cella(q, c);
    return b;
}

void scrivi_planimetria(const cartella& dir, const std::string& nome, const planimetria_linea& p) {
    dir.sostituisci(nome, contenuto_planimetria(p, percorso_in(dir, nome)));
}

void scrivi_scenario(const cartella& dir, const std::string& nome, const std::array<voce_scenario, voci_scenario>& scenario) {
    dir.sostituisci(nome, bytes_scenario(scenario, percorso_in(dir, nome)));
}

void scrivi_tracciato(const cartella& dir, const std::string& nome, const std::vector<cella>& tracciato) {
    dir.sostituisci(nome, bytes_tracciato(tracciato));
}

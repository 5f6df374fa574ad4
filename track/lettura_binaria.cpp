#include "track/lettura_binaria.h"

#include <bit>
#include <cstdint>
#include <limits>
#include <utility>

namespace {

// A cursor over the bytes of one file, and the record it is in (for the
// messages: "entry 12, par3 cut short").
struct lettore {
    std::string_view b;
    std::size_t p = 0;
    const char* oggetto = "";  // "plan element", "entry", "cell"
    std::size_t indice = 0;

    std::size_t rimasti() const { return b.size() - p; }
};

[[noreturn]] void corto(const lettore& l, std::size_t n, std::string_view campo) {
    throw errore_lettura(l.p, std::string(l.oggetto) + " " + std::to_string(l.indice) + ", " + std::string(campo) +
                                  " cut short: " + std::to_string(n) + " bytes expected, " +
                                  std::to_string(l.rimasti()) + " left");
}

// `n` bytes (n <= 8) at the cursor, little-endian.
std::uint64_t prendi(lettore& l, std::size_t n, std::string_view campo) {
    if (l.rimasti() < n) corto(l, n, campo);
    std::uint64_t x = 0;
    for (std::size_t k = n; k-- > 0;) x = (x << 8) | static_cast<unsigned char>(l.b[l.p + k]);
    l.p += n;
    return x;
}

std::uint16_t u16(lettore& l, const char* campo) { return static_cast<std::uint16_t>(prendi(l, 2, campo)); }

std::int16_t i16(lettore& l, const char* campo) { return static_cast<std::int16_t>(u16(l, campo)); }

double f64(lettore& l, const char* campo) { return std::bit_cast<double>(prendi(l, 8, campo)); }

// One plan element (number l.indice): its tag and, after it, its value.
elemento_letto leggi_elemento(lettore& l) {
    const std::size_t inizio = l.p;
    const std::uint16_t tag = u16(l, "type tag");
    switch (tag) {
        case static_cast<std::uint16_t>(tipo_valore::vuoto): return {tipo_valore::vuoto, 0.0};
        case static_cast<std::uint16_t>(tipo_valore::intero):
            return {tipo_valore::intero, static_cast<double>(i16(l, "Integer value"))};
        case static_cast<std::uint16_t>(tipo_valore::doppio): return {tipo_valore::doppio, f64(l, "Double value")};
        default:
            throw errore_lettura(inizio, "plan element " + std::to_string(l.indice) + ": unknown type tag " +
                                             std::to_string(tag) +
                                             " (expected 0 for no value, 2 for an Integer, 5 for a Double)");
    }
}

// A number of `larghezza` bytes at the cursor, with its sign when it has one.
template <std::size_t larghezza, bool con_segno>
std::int64_t numero(lettore& l, std::string_view campo) {
    const std::uint64_t x = prendi(l, larghezza, campo);
    if constexpr (!con_segno) return static_cast<std::int64_t>(x);
    constexpr std::uint64_t segno = std::uint64_t{1} << (8 * larghezza - 1);
    return static_cast<std::int64_t>((x ^ segno) - segno);
}

// A text: its length, then as many bytes.
template <std::size_t larghezza>
std::string testo(lettore& l, std::string_view campo) {
    const auto lunghezza = static_cast<std::size_t>(prendi(l, larghezza, std::string("length of ").append(campo)));
    if (l.rimasti() < lunghezza) corto(l, lunghezza, campo);
    std::string t(l.b.substr(l.p, lunghezza));
    l.p += lunghezza;
    return t;
}

// Field `i` of a record's layout, read for its row with its width known.
template <const auto& campi, std::size_t i, typename R>
void leggi_campo(lettore& l, R& r) {
    constexpr const auto& f = campi[i];
    if constexpr (!f.e_testo) {
        f.assegna(r, numero<f.larghezza, f.con_segno>(l, f.nome));
    } else {
        f.assegna_testo(r, testo<f.larghezza>(l, f.nome));
    }
}

// A record, field by field in the order of its layout.
template <const auto& campi, typename R>
void leggi_record(lettore& l, R& r) {
    [&]<std::size_t... i>(std::index_sequence<i...>) {
        (leggi_campo<campi, i>(l, r), ...);
    }(std::make_index_sequence<campi.size()>{});
}

void leggi_voce(lettore& l, voce_scenario& v) { leggi_record<campi_voce>(l, v); }

cella leggi_cella(lettore& l) {
    cella x;
    leggi_record<campi_cella>(l, x);
    return x;
}

}  // namespace

errore_lettura::errore_lettura(std::size_t posizione_, const std::string& descrizione_)
    : std::runtime_error("at byte " + std::to_string(posizione_) + ": " + descrizione_),
      posizione(posizione_),
      descrizione(descrizione_) {}

namespace {

// A file larger than any valid line makes is refused before a byte is decoded.
void verifica_dimensione(std::string_view b, std::size_t massimo, const char* che_cosa) {
    if (b.size() <= massimo) return;
    throw errore_lettura(massimo, "the file is " + std::to_string(b.size()) + " bytes, more than any " + che_cosa +
                                      " of a valid line (" + std::to_string(massimo) +
                                      " bytes, for the longest line of 1000000 m)");
}

}  // namespace

namespace {

// The bytes of the element whose tag begins at the cursor, when the tag is
// known and the value is whole; 0 otherwise.
std::size_t byte_elemento(const lettore& l) {
    if (l.rimasti() < 2) return 0;
    const auto tag = static_cast<std::uint16_t>(static_cast<unsigned char>(l.b[l.p]) |
                                                static_cast<unsigned char>(l.b[l.p + 1]) << 8);
    const std::size_t n = tag == static_cast<std::uint16_t>(tipo_valore::vuoto)     ? 2
                          : tag == static_cast<std::uint16_t>(tipo_valore::intero) ? 4
                          : tag == static_cast<std::uint16_t>(tipo_valore::doppio) ? 10
                                                                                    : 0;
    return n <= l.rimasti() ? n : 0;
}

// The number of plan elements, every one checked: the first that is not a
// whole element throws, as decoding it would.
std::size_t conta_elementi(std::string_view b) {
    verifica_dimensione(b, byte_massimi_planimetria, "plan");
    lettore l{b, 0, "plan element", 0};
    for (; l.rimasti() > 0; ++l.indice) {
        const std::size_t n = byte_elemento(l);
        if (n == 0) leggi_elemento(l);  // throws
        l.p += n;
    }
    const std::size_t n = l.indice;
    if (n % 2 != 0) {
        throw errore_lettura(b.size(), "an odd number of plan elements (" + std::to_string(n) +
                                           "): every metre needs an x and a y element");
    }
    if (n / 2 > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
        throw errore_lettura(b.size(), "more plan points than a Long can count");
    }
    return n;
}

}  // namespace

lettore_planimetria apri_planimetria(std::string_view b) {
    lettore_planimetria r{b, conta_elementi(b), 0};
    lettore l{b, 0, "plan element", 0};
    for (; l.indice < r.elementi / 2; ++l.indice) l.p += byte_elemento(l);
    r.inizio_y = l.p;
    return r;
}

elemento_letto elemento_da(const lettore_planimetria& f, std::size_t& posizione) {
    lettore l{f.byte, posizione, "plan element", 0};
    const elemento_letto e = leggi_elemento(l);
    posizione = l.p;
    return e;
}

planimetria_linea leggi_planimetria(std::string_view b) {
    const std::size_t n = conta_elementi(b);
    planimetria_linea p;
    p.tipi.reserve(n);
    p.valori.reserve(n);
    lettore l{b, 0, "plan element", 0};
    for (; l.indice < n; ++l.indice) {
        const elemento_letto e = leggi_elemento(l);
        p.tipi.push_back(e.tipo);
        p.valori.push_back(e.valore);
    }
    p.ultimo_metro = static_cast<std::int32_t>(n / 2) - 1;
    return p;
}

std::array<voce_scenario, voci_scenario> leggi_scenario(std::string_view b) {
    verifica_dimensione(b, byte_massimi_scenario, "table");
    std::array<voce_scenario, voci_scenario> scenario{};
    lettore l{b, 0, "entry", 0};
    for (l.indice = 0; l.indice < scenario.size(); ++l.indice) leggi_voce(l, scenario[l.indice]);
    if (l.rimasti() > 0) {
        throw errore_lettura(l.p, std::to_string(l.rimasti()) + " bytes after the last entry (" +
                                      std::to_string(voci_scenario - 1) + "); a table has " +
                                      std::to_string(voci_scenario) + " entries and nothing after them");
    }
    return scenario;
}

std::vector<cella> leggi_tracciato(std::string_view b) {
    verifica_dimensione(b, byte_massimi_tracciato, "track");
    const std::size_t resto = b.size() % byte_cella;
    if (resto != 0) {
        throw errore_lettura(b.size() - resto, "the file size " + std::to_string(b.size()) +
                                                   " is no whole number of " + std::to_string(byte_cella) +
                                                   "-byte cells: the last cell has only " +
                                                   std::to_string(resto) + " bytes");
    }
    std::vector<cella> tracciato;
    tracciato.reserve(b.size() / byte_cella);
    lettore l{b, 0, "cell", 0};
    for (; l.rimasti() > 0; ++l.indice) tracciato.push_back(leggi_cella(l));
    return tracciato;
}

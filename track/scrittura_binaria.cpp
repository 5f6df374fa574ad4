#include "track/scrittura_binaria.h"

#include <bit>
#include <cstddef>
#include <cstdint>
#include <limits>

#include "sources/errore_esecuzione.h"

namespace {

void u8(std::string& b, std::uint8_t x) { b.push_back(static_cast<char>(x)); }

void u16(std::string& b, std::uint16_t x) {
    u8(b, static_cast<std::uint8_t>(x & 0xFF));
    u8(b, static_cast<std::uint8_t>(x >> 8));
}

void i16(std::string& b, std::int16_t x) { u16(b, static_cast<std::uint16_t>(x)); }

void u32(std::string& b, std::uint32_t x) {
    for (int k = 0; k < 4; ++k) u8(b, static_cast<std::uint8_t>((x >> (8 * k)) & 0xFF));
}

void i32(std::string& b, std::int32_t x) { u32(b, static_cast<std::uint32_t>(x)); }

// The same, into a buffer sized beforehand: the plan has millions of elements.
void metti_u16(char*& p, std::uint16_t x) {
    *p++ = static_cast<char>(x & 0xFF);
    *p++ = static_cast<char>(x >> 8);
}

void metti_f64(char*& p, double x) {
    const auto bit = std::bit_cast<std::uint64_t>(x);
    for (int k = 0; k < 8; ++k) *p++ = static_cast<char>((bit >> (8 * k)) & 0xFF);
}

// Bytes of one plan element: the tag, then its value.
std::size_t dimensione_elemento(tipo_valore t) {
    return t == tipo_valore::doppio ? 10 : t == tipo_valore::intero ? 4 : 2;
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

std::string bytes_planimetria(const planimetria_linea& p, const std::string& percorso) {
    if (p.valori.size() < p.tipi.size()) {
        throw errore_esecuzione("write line plan", percorso, 0, "the plan has fewer values than type tags");
    }
    std::size_t dimensione = 0;
    for (const tipo_valore t : p.tipi) dimensione += dimensione_elemento(t);
    std::string b(dimensione, '\0');
    char* q = b.data();
    for (std::size_t e = 0; e < p.tipi.size(); ++e) {
        const tipo_valore tipo = p.tipi[e];
        metti_u16(q, static_cast<std::uint16_t>(tipo));
        if (tipo == tipo_valore::intero) {
            metti_u16(q, static_cast<std::uint16_t>(intero_planimetria(p.valori[e], percorso)));
        } else if (tipo == tipo_valore::doppio) {
            metti_f64(q, p.valori[e]);
        }
    }
    return b;
}

void aggiungi_voce(std::string& b, const voce_scenario& v, const std::string& percorso) {
    if (v.nome.size() > std::numeric_limits<std::uint16_t>::max()) {
        throw errore_esecuzione("write scenario table", percorso, 0,
                                "a name of " + std::to_string(v.nome.size()) +
                                    " bytes does not fit the 16-bit length of its record");
    }
    u8(b, v.tipo);
    i32(b, v.valore1);
    i32(b, v.valore2);
    i32(b, v.valore3);
    u8(b, v.marca);
    u16(b, static_cast<std::uint16_t>(v.nome.size()));
    b += v.nome;
    i16(b, v.par1);
    i16(b, v.par2);
    i16(b, v.par3);
    i16(b, v.par4);
    i16(b, v.par5);
    u8(b, v.opz1);
    u8(b, v.opz2);
    u8(b, v.opz3);
    u8(b, v.opz4);
    i32(b, v.valore4);
}

std::string bytes_scenario(const std::array<voce_scenario, voci_scenario>& scenario, const std::string& percorso) {
    std::string b;
    for (const voce_scenario& v : scenario) aggiungi_voce(b, v, percorso);
    return b;
}

void aggiungi_cella(std::string& b, const cella& c) {
    u8(b, c.tipo);
    i16(b, c.valore1);
    i16(b, c.valore2);
    i16(b, c.valore3);
    i16(b, c.valore4);
    u8(b, c.tempo_segnale);
    u8(b, c.avviso);
    u8(b, c.montagna);
    u8(b, c.vel_limite);
    u8(b, c.pendenza);
    u8(b, c.aderenza);
}

std::string bytes_tracciato(const std::vector<cella>& tracciato) {
    std::string b;
    b.reserve(tracciato.size() * 15);
    for (const cella& c : tracciato) aggiungi_cella(b, c);
    return b;
}

void scrivi_planimetria(const cartella& dir, const std::string& nome, const planimetria_linea& p) {
    dir.sostituisci(nome, bytes_planimetria(p, percorso_in(dir, nome)));
}

void scrivi_scenario(const cartella& dir, const std::string& nome, const std::array<voce_scenario, voci_scenario>& scenario) {
    dir.sostituisci(nome, bytes_scenario(scenario, percorso_in(dir, nome)));
}

void scrivi_tracciato(const cartella& dir, const std::string& nome, const std::vector<cella>& tracciato) {
    dir.sostituisci(nome, bytes_tracciato(tracciato));
}

#include "tools/comune/windows1252.h"

#include <cstdint>
#include <cstdio>

#include "tools/comune/errore_uso.h"
#include "tools/comune/testo_1252.h"

namespace {

// The byte of a character in Windows-1252; -1 when it has none.
int byte_di(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<int>(c);
    for (int b = 0x80; b < 0xA0; ++b) {
        if (unicode_1252(static_cast<unsigned char>(b)) == c) return b;
    }
    return -1;
}

std::string u_piu(char32_t c) {
    char testo[16];
    std::snprintf(testo, sizeof testo, "U+%04X", static_cast<unsigned>(c));
    return testo;
}

// Decodes the character that begins at `i`, moving `i` past it; false for a
// byte sequence that is not UTF-8 (overlong forms and surrogates included).
bool decodifica(const std::string& s, std::size_t& i, char32_t& c) {
    // The lead byte's form: its marker bits, how many bytes follow it and the
    // smallest character that needs that many.
    struct forma {
        unsigned maschera, marca;
        int seguono;
        char32_t minimo;
    };
    static constexpr forma forme[] = {{0x80, 0x00, 0, 0}, {0xE0, 0xC0, 1, 0x80}, {0xF0, 0xE0, 2, 0x800},
                                      {0xF8, 0xF0, 3, 0x10000}};
    const unsigned b = static_cast<unsigned char>(s[i]);
    const forma* f = nullptr;
    for (const forma& x : forme) {
        if ((b & x.maschera) == x.marca) {
            f = &x;
            break;
        }
    }
    if (f == nullptr) return false;
    const int seguono = f->seguono;
    const char32_t minimo = f->minimo;
    c = b & ~f->maschera & 0xFFu;
    if (s.size() - i - 1 < static_cast<std::size_t>(seguono)) return false;
    for (int k = 1; k <= seguono; ++k) {
        const auto x = static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]);
        if ((x & 0xC0) != 0x80) return false;
        c = (c << 6) | (x & 0x3Fu);
    }
    if (c < minimo || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return false;
    i += static_cast<std::size_t>(seguono) + 1;
    return true;
}

}  // namespace

std::string utf8_in_windows1252(const std::string& testo, const std::string& che_cosa) {
    std::string risultato;
    for (std::size_t i = 0; i < testo.size();) {
        const std::size_t inizio = i;
        char32_t c = 0;
        if (!decodifica(testo, i, c)) {
            char byte[8];
            std::snprintf(byte, sizeof byte, "%02X", static_cast<unsigned>(static_cast<unsigned char>(testo[inizio])));
            throw errore_uso{"the " + che_cosa + " \"" + testo + "\" is not valid UTF-8 text (byte " + byte +
                             " at offset " + std::to_string(inizio) + ")"};
        }
        const int b = byte_di(c);
        if (b < 0) {
            throw errore_uso{"the " + che_cosa + " \"" + testo + "\" holds the character \"" +
                             testo.substr(inizio, i - inizio) + "\" (" + u_piu(c) +
                             "), which the scenario files cannot hold: they hold Windows-1252 text"};
        }
        risultato += static_cast<char>(b);
    }
    return risultato;
}

int byte_windows1252(char32_t c) { return byte_di(c); }

bool carattere_utf8(const std::string& testo, std::size_t& i, char32_t& c) { return decodifica(testo, i, c); }

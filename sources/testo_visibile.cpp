#include "sources/testo_visibile.h"

void aggiungi_esadecimale(std::string& s, unsigned char c) {
    static const char* const esadecimali = "0123456789abcdef";
    s += "\\x";
    s += esadecimali[c >> 4];
    s += esadecimali[c & 0xF];
}

std::size_t lunghezza_utf8_stampabile(std::string_view t, std::size_t i) {
    const auto b = [&](std::size_t k) { return static_cast<unsigned char>(t[k]); };
    const unsigned char c = b(i);
    std::size_t n = 0;
    unsigned char minimo = 0x80, massimo = 0xBF;
    if (c >= 0xC2 && c <= 0xDF) {
        n = 2;
        // U+0080 to U+009F are the C1 controls.
        if (c == 0xC2) minimo = 0xA0;
    } else if (c >= 0xE0 && c <= 0xEF) {
        n = 3;
        if (c == 0xE0) minimo = 0xA0;
        if (c == 0xED) massimo = 0x9F;
    } else if (c >= 0xF0 && c <= 0xF4) {
        n = 4;
        if (c == 0xF0) minimo = 0x90;
        if (c == 0xF4) massimo = 0x8F;
    } else {
        return 0;
    }
    if (i + n > t.size()) return 0;
    if (b(i + 1) < minimo || b(i + 1) > massimo) return 0;
    for (std::size_t k = 2; k < n; ++k) {
        if ((b(i + k) & 0xC0) != 0x80) return 0;
    }
    return n;
}

std::string visibile_percorso(std::string_view percorso) {
    std::string s;
    s.reserve(percorso.size());
    for (std::size_t i = 0; i < percorso.size();) {
        const auto c = static_cast<unsigned char>(percorso[i]);
        if (c >= 0x20 && c < 0x7F) {
            s += static_cast<char>(c);
            ++i;
        } else if (const std::size_t n = lunghezza_utf8_stampabile(percorso, i); n > 0) {
            s += percorso.substr(i, n);
            i += n;
        } else {
            aggiungi_esadecimale(s, c);
            ++i;
        }
    }
    return s;
}

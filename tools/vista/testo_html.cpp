#include "tools/vista/testo_html.h"

#include <charconv>

#include "tools/comune/testo_1252.h"

namespace {

void aggiungi_utf8(std::string& s, std::uint32_t u) {
    if (u < 0x80) {
        s += static_cast<char>(u);
    } else if (u < 0x800) {
        s += static_cast<char>(0xC0 | (u >> 6));
        s += static_cast<char>(0x80 | (u & 0x3F));
    } else {
        s += static_cast<char>(0xE0 | (u >> 12));
        s += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (u & 0x3F));
    }
}

bool di_controllo(std::uint32_t u) { return u < 0x20 || (u >= 0x7F && u < 0xA0); }

}  // namespace

std::string utf8_per_pagina(std::string_view testo) {
    std::string s;
    s.reserve(testo.size());
    for (const char c : testo) {
        const std::uint32_t u = unicode_1252(static_cast<unsigned char>(c));
        aggiungi_utf8(s, di_controllo(u) ? 0xFFFD : u);
    }
    return s;
}

std::string escape_html(std::string_view testo) {
    std::string s;
    s.reserve(testo.size());
    for (const char c : testo) {
        switch (c) {
            case '&':
                s += "&amp;";
                break;
            case '<':
                s += "&lt;";
                break;
            case '>':
                s += "&gt;";
                break;
            case '"':
                s += "&quot;";
                break;
            case '\'':
                s += "&#39;";
                break;
            default:
                s += c;
        }
    }
    return s;
}

std::string intero(std::int64_t n) {
    char b[24];
    const auto r = std::to_chars(b, b + sizeof b, n);
    return std::string(b, r.ptr);
}

std::string decimale(double x, int cifre) {
    char b[64];
    const auto r = std::to_chars(b, b + sizeof b, x, std::chars_format::fixed, cifre);
    if (r.ec != std::errc()) return "0";
    std::string s(b, r.ptr);
    if (s[0] == '-' && s.find_first_not_of("-0.") == std::string::npos) s.erase(0, 1);
    return s;
}

std::string coord(double x) {
    std::string s = decimale(x, 1);
    if (s.size() > 2 && s.compare(s.size() - 2, 2, ".0") == 0) s.resize(s.size() - 2);
    return s;
}

// Built by appending: GCC 12 warns falsely (-Wrestrict) of a literal put in
// front of a temporary string.
std::string km(std::int64_t metri) {
    const std::int64_t a = metri < 0 ? -metri : metri;
    const std::string frazione = intero(a % 1000);
    std::string s = metri < 0 ? "-" : "";
    s += intero(a / 1000);
    s += '.';
    s.append(3 - frazione.size(), '0');
    s += frazione;
    return s;
}

std::string orario(std::int64_t secondi) {
    const std::int64_t a = secondi < 0 ? -secondi : secondi;
    std::string s = secondi < 0 ? "-" : "";
    s += intero(a / 3600);
    for (const std::int64_t n : {a / 60 % 60, a % 60}) {
        s += n < 10 ? ":0" : ":";
        s += intero(n);
    }
    return s;
}

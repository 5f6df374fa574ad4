#include "tools/comune/testo_1252.h"

namespace {

constexpr std::uint16_t da_80_a_9f[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

void aggiungi_utf8(std::string& s, std::uint16_t u) {
    if (u < 0x80) {
        s.push_back(static_cast<char>(u));
    } else if (u < 0x800) {
        s.push_back(static_cast<char>(0xC0 | (u >> 6)));
        s.push_back(static_cast<char>(0x80 | (u & 0x3F)));
    } else {
        s.push_back(static_cast<char>(0xE0 | (u >> 12)));
        s.push_back(static_cast<char>(0x80 | ((u >> 6) & 0x3F)));
        s.push_back(static_cast<char>(0x80 | (u & 0x3F)));
    }
}

}  // namespace

std::uint16_t unicode_1252(unsigned char c) {
    if (c >= 0x80 && c <= 0x9F) return da_80_a_9f[c - 0x80];
    return c;
}

std::string utf8_da_1252(std::string_view testo) {
    std::string s;
    s.reserve(testo.size());
    for (const char c : testo) aggiungi_utf8(s, unicode_1252(static_cast<unsigned char>(c)));
    return s;
}

bool utf8_valido(std::string_view testo) {
    std::size_t i = 0;
    while (i < testo.size()) {
        const auto c = static_cast<unsigned char>(testo[i]);
        std::size_t seguito = 0;
        std::uint32_t minimo = 0;
        if (c < 0x80) {
            ++i;
            continue;
        }
        if (c >= 0xC2 && c <= 0xDF) {
            seguito = 1;
            minimo = 0x80;
        } else if (c >= 0xE0 && c <= 0xEF) {
            seguito = 2;
            minimo = 0x800;
        } else if (c >= 0xF0 && c <= 0xF4) {
            seguito = 3;
            minimo = 0x10000;
        } else {
            return false;
        }
        if (seguito > testo.size() - 1 - i) return false;  // cut short by the end
        std::uint32_t u = c & (0x3F >> seguito);
        for (std::size_t k = 1; k <= seguito; ++k) {
            const auto b = static_cast<unsigned char>(testo[i + k]);
            if ((b & 0xC0) != 0x80) return false;
            u = (u << 6) | (b & 0x3F);
        }
        if (u < minimo || u > 0x10FFFF || (u >= 0xD800 && u <= 0xDFFF)) return false;
        i += seguito + 1;
    }
    return true;
}

std::string utf8_da_nome(std::string_view testo) {
    return utf8_valido(testo) ? std::string(testo) : utf8_da_1252(testo);
}

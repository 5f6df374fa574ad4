#include "tools/testo_1252.h"

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

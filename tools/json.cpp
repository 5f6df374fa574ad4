#include "tools/json.h"

#include <cstdio>

namespace {

constexpr std::uint16_t da_80_a_9f[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

std::string escape_u(std::uint16_t u) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "\\u%04x", static_cast<unsigned>(u));
    return buffer;
}

}  // namespace

std::uint16_t unicode_1252(unsigned char c) {
    if (c >= 0x80 && c <= 0x9F) return da_80_a_9f[c - 0x80];
    return c;
}

std::string stringa_json(std::string_view testo) {
    std::string j = "\"";
    for (const char x : testo) {
        const auto c = static_cast<unsigned char>(x);
        switch (c) {
            case '"': j += "\\\""; break;
            case '\\': j += "\\\\"; break;
            case '\b': j += "\\b"; break;
            case '\f': j += "\\f"; break;
            case '\n': j += "\\n"; break;
            case '\r': j += "\\r"; break;
            case '\t': j += "\\t"; break;
            default:
                if (c < 0x20 || c >= 0x7F) {
                    j += escape_u(unicode_1252(c));
                } else {
                    j += x;
                }
        }
    }
    return j + "\"";
}

std::string lista_json(const std::vector<std::string>& voci) {
    std::string j = "[";
    for (std::size_t i = 0; i < voci.size(); ++i) {
        if (i > 0) j += ", ";
        j += stringa_json(voci[i]);
    }
    return j + "]";
}

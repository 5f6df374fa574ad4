#include "tools/lsp/testo_editor.h"

#include <algorithm>

#include "tools/comune/windows1252.h"

namespace {

// The end of line `i` (from 0), its line end left out.
std::size_t fine_riga(std::string_view t, const std::vector<std::size_t>& inizi, std::size_t i) {
    std::size_t f = i + 1 < inizi.size() ? inizi[i + 1] : t.size();
    while (f > inizi[i] && (t[f - 1] == '\n' || t[f - 1] == '\r')) --f;
    return f;
}

// The length of the UTF-8 character at `i` (1 for a stray byte) and its
// UTF-16 units.
std::size_t passo(std::string_view t, std::size_t i, std::int32_t& unita) {
    const std::string s(t.substr(i, std::min<std::size_t>(4, t.size() - i)));
    std::size_t k = 0;
    char32_t c = 0;
    if (!carattere_utf8(s, k, c)) {
        unita = 1;
        return 1;
    }
    unita = c > 0xFFFF ? 2 : 1;
    return k;
}

}  // namespace

testo_1252 in_1252(const std::string& utf8) {
    testo_1252 r;
    r.byte.reserve(utf8.size());
    std::int32_t riga = 1;
    std::int32_t colonna = 1;
    for (std::size_t i = 0; i < utf8.size();) {
        const std::size_t inizio = i;
        char32_t c = 0;
        if (!carattere_utf8(utf8, i, c)) {
            c = static_cast<unsigned char>(utf8[i]);
            ++i;
            r.byte += static_cast<char>(c);
        } else {
            const int b = byte_windows1252(c);
            if (b < 0) {
                r.estranei.push_back({riga, colonna, c, utf8.substr(inizio, i - inizio)});
                r.byte += '?';
            } else {
                r.byte += static_cast<char>(b);
            }
        }
        const bool a_capo = c == '\n' || (c == '\r' && (i >= utf8.size() || utf8[i] != '\n'));
        if (a_capo) {
            ++riga;
            colonna = 1;
        } else if (c != '\r') {
            ++colonna;
        }
    }
    return r;
}

std::size_t lunghezza_1252(const std::string& utf8) {
    std::size_t n = 0;
    for (std::size_t i = 0; i < utf8.size(); ++n) {
        char32_t c = 0;
        if (!carattere_utf8(utf8, i, c)) ++i;
    }
    return n;
}

std::vector<std::size_t> inizi_righe(std::string_view testo) {
    std::vector<std::size_t> inizi{0};
    for (std::size_t i = 0; i < testo.size(); ++i) {
        if (testo[i] == '\n' || (testo[i] == '\r' && (i + 1 >= testo.size() || testo[i + 1] != '\n'))) {
            inizi.push_back(i + 1);
        }
    }
    return inizi;
}

posizione_editor in_editor(std::string_view utf8, const std::vector<std::size_t>& inizi, std::int32_t riga,
                           std::int32_t colonna) {
    posizione_editor p;
    if (riga < 1 || inizi.empty()) return p;
    const auto i = std::min(static_cast<std::size_t>(riga - 1), inizi.size() - 1);
    p.riga = static_cast<std::int32_t>(i);
    const std::size_t fine = fine_riga(utf8, inizi, i);
    std::size_t k = inizi[i];
    for (std::int32_t n = 1; n < colonna && k < fine; ++n) {
        std::int32_t unita = 0;
        k += passo(utf8, k, unita);
        p.carattere += unita;
    }
    return p;
}

std::size_t byte_a(std::string_view utf8, const std::vector<std::size_t>& inizi, posizione_editor p) {
    if (p.riga < 0) return 0;
    if (static_cast<std::size_t>(p.riga) >= inizi.size()) return utf8.size();
    const auto i = static_cast<std::size_t>(p.riga);
    const std::size_t fine = fine_riga(utf8, inizi, i);
    std::size_t k = inizi[i];
    for (std::int32_t u = 0; u < p.carattere && k < fine;) {
        std::int32_t unita = 0;
        k += passo(utf8, k, unita);
        u += unita;
    }
    return k;
}

std::int32_t colonna_a(std::string_view utf8, const std::vector<std::size_t>& inizi, posizione_editor p) {
    if (p.riga < 0 || static_cast<std::size_t>(p.riga) >= inizi.size()) return 1;
    const std::size_t fine = byte_a(utf8, inizi, p);
    std::int32_t colonna = 1;
    for (std::size_t k = inizi[static_cast<std::size_t>(p.riga)]; k < fine;) {
        std::int32_t unita = 0;
        k += passo(utf8, k, unita);
        ++colonna;
    }
    return colonna;
}

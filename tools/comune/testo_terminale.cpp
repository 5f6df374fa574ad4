#include "tools/comune/testo_terminale.h"

#include <algorithm>

#include "tools/comune/testo_1252.h"

namespace {

// Shown columns of a source line beyond which it is cut around the caret.
constexpr std::size_t larghezza_riga = 150;

// The bytes of Windows-1252 that the code page leaves undefined: shown as
// escapes, since their Unicode mapping is a C1 control.
bool indefinito_1252(unsigned char c) { return c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D; }

void aggiungi_1252(std::string& s, unsigned char c) {
    if (c == '\t') {
        s += "\\t";
    } else if (c == 0) {
        s += "\\0";
    } else if (c < 0x20 || c == 0x7F || indefinito_1252(c)) {
        aggiungi_esadecimale(s, c);
    } else if (c < 0x80) {
        s += static_cast<char>(c);
    } else {
        s += utf8_da_1252(std::string_view(reinterpret_cast<const char*>(&c), 1));
    }
}

// Widths of the bytes of a line as visibile_1252 shows them.
std::size_t larghezza(std::string_view t, std::size_t da, std::size_t a) {
    std::size_t w = 0;
    for (std::size_t i = da; i < a; ++i) w += larghezza_1252(static_cast<unsigned char>(t[i]));
    return w;
}

std::string margine(std::int32_t numero_riga) {
    std::string n = std::to_string(numero_riga);
    if (n.size() < 5) n.insert(0, 5 - n.size(), ' ');
    return n;
}

}  // namespace

std::size_t larghezza_1252(unsigned char c) {
    if (c == '\t' || c == 0) return 2;
    if (c < 0x20 || c == 0x7F || indefinito_1252(c)) return 4;
    return 1;
}

std::string visibile_1252(std::string_view testo, std::size_t larghezza_massima) {
    std::string s;
    s.reserve(testo.size());
    std::size_t w = 0;
    for (const char c : testo) {
        const auto u = static_cast<unsigned char>(c);
        w += larghezza_1252(u);
        if (larghezza_massima != std::string::npos && w > larghezza_massima) {
            s += "...";
            return s;
        }
        aggiungi_1252(s, u);
    }
    return s;
}

std::string visibile_misto(std::string_view testo) {
    std::string s;
    s.reserve(testo.size());
    for (std::size_t i = 0; i < testo.size();) {
        if (const std::size_t n = lunghezza_utf8_stampabile(testo, i); n > 0) {
            s += testo.substr(i, n);
            i += n;
        } else {
            aggiungi_1252(s, static_cast<unsigned char>(testo[i]));
            ++i;
        }
    }
    return s;
}

std::string_view riga_sorgente(std::string_view testo, std::int32_t numero) {
    std::int32_t riga = 1;
    std::size_t inizio = 0;
    for (std::size_t i = 0; i < testo.size(); ++i) {
        const char c = testo[i];
        if (c != '\r' && c != '\n') continue;
        if (riga == numero) return testo.substr(inizio, i - inizio);
        if (c == '\r' && i + 1 < testo.size() && testo[i + 1] == '\n') ++i;
        ++riga;
        inizio = i + 1;
    }
    if (riga == numero) return testo.substr(inizio);
    return {};
}

std::string_view campo_in_riga(std::string_view riga, std::int32_t colonna, bool valore) {
    if (colonna < 1 || static_cast<std::size_t>(colonna) > riga.size()) return {};
    const std::size_t da = static_cast<std::size_t>(colonna) - 1;
    std::size_t a = riga.find(',', da);
    if (a == std::string_view::npos) a = riga.size();
    if (valore) a = std::min(a, std::min(riga.find(' ', da), riga.size()));
    while (a > da && riga[a - 1] == ' ') --a;
    return riga.substr(da, a - da);
}

std::string_view testo_del_campo(std::string_view riga, const luogo& l) {
    if (l.colonna < 1 || l.fine < l.colonna || static_cast<std::size_t>(l.colonna) > riga.size() + 1) return {};
    const std::size_t da = static_cast<std::size_t>(l.colonna) - 1;
    return riga.substr(da, static_cast<std::size_t>(l.fine - l.colonna));
}

std::string riga_con_cursore(std::string_view riga, std::int32_t numero_riga, std::int32_t colonna, bool valore,
                             bool continua_prima, bool continua_dopo) {
    const std::size_t k = std::min(static_cast<std::size_t>(std::max(colonna, 1) - 1), riga.size());
    const std::size_t fine_campo = k + std::max<std::size_t>(campo_in_riga(riga, colonna, valore).size(), 1);

    // The window of bytes [da, a) shown: the whole line when it fits,
    // otherwise a stretch that begins up to a third of the width before the caret.
    std::size_t da = 0, a = riga.size();
    if (larghezza(riga, 0, riga.size()) > larghezza_riga) {
        std::size_t w = 0;
        da = k;
        while (da > 0 && w + larghezza_1252(static_cast<unsigned char>(riga[da - 1])) <= larghezza_riga / 3) {
            w += larghezza_1252(static_cast<unsigned char>(riga[--da]));
        }
        a = da;
        w = 0;
        while (a < riga.size() && w + larghezza_1252(static_cast<unsigned char>(riga[a])) <= larghezza_riga) {
            w += larghezza_1252(static_cast<unsigned char>(riga[a++]));
        }
    }
    const std::string prima = da > 0 || continua_prima ? "..." : "";
    std::string testo = margine(numero_riga) + " | " + prima + visibile_1252(riga.substr(da, a - da));
    if (a < riga.size() || continua_dopo) testo += "...";
    testo += "\n";

    std::string cursore = "      | " + std::string(prima.size() + larghezza(riga, da, k), ' ') + "^";
    const std::size_t coda = std::min(fine_campo, a);
    if (coda > k) cursore += std::string(larghezza(riga, k, coda) - 1, '~');
    return testo + cursore + "\n";
}

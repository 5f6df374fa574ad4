#include "tools/lsp/cornice.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <optional>

namespace {

// A header line without its line end; nothing at the end of the stream. A
// line longer than `massima_intestazione` is read to its end and marked.
std::optional<std::string> riga_intestazione(std::istream& in, bool& troppo_lunga) {
    std::string riga;
    troppo_lunga = false;
    int c = 0;
    bool letto = false;
    while ((c = in.get()) != std::char_traits<char>::eof()) {
        letto = true;
        if (c == '\n') break;
        if (riga.size() < massima_intestazione) {
            riga += static_cast<char>(c);
        } else {
            troppo_lunga = true;
        }
    }
    if (!letto) return std::nullopt;
    if (!riga.empty() && riga.back() == '\r') riga.pop_back();
    return riga;
}

std::string in_minuscolo(std::string t) {
    std::transform(t.begin(), t.end(), t.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return t;
}

// The value of a "Content-Length" line: decimal digits, blanks around them.
std::optional<std::size_t> lunghezza(const std::string& valore) {
    const std::size_t a = valore.find_first_not_of(" \t");
    const std::size_t b = valore.find_last_not_of(" \t");
    if (a == std::string::npos) return std::nullopt;
    const std::string cifre = valore.substr(a, b - a + 1);
    if (cifre.size() > 12 || cifre.find_first_not_of("0123456789") != std::string::npos) return std::nullopt;
    return static_cast<std::size_t>(std::stoull(cifre));
}

// Skips `n` bytes of the stream; false when it ends first.
bool salta(std::istream& in, std::size_t n) {
    std::array<char, 65536> blocco{};
    while (n > 0) {
        const auto k = static_cast<std::streamsize>(std::min(n, blocco.size()));
        in.read(blocco.data(), k);
        if (in.gcount() != k) return false;
        n -= static_cast<std::size_t>(k);
    }
    return true;
}

}  // namespace

cornice_letta leggi_cornice(std::istream& in, std::size_t massimo) {
    cornice_letta r;
    std::optional<std::size_t> n;
    std::string guasto;
    bool qualcosa = false;
    for (;;) {
        bool troppo_lunga = false;
        const std::optional<std::string> riga = riga_intestazione(in, troppo_lunga);
        if (!riga) {
            if (!qualcosa) return r;
            r.esito = esito_cornice::guasta;
            r.errore = "the stream ended inside a header block";
            return r;
        }
        if (riga->empty() && !troppo_lunga) {
            if (qualcosa) break;
            continue;  // blank lines between messages
        }
        qualcosa = true;
        const std::size_t due_punti = riga->find(':');
        if (troppo_lunga || due_punti == std::string::npos) {
            if (guasto.empty()) guasto = "a header line that is not \"Name: value\"";
            continue;
        }
        if (in_minuscolo(riga->substr(0, due_punti)) != "content-length") continue;
        const std::optional<std::size_t> valore = lunghezza(riga->substr(due_punti + 1));
        if (valore) n = valore;
        if (!valore && guasto.empty()) guasto = "a Content-Length that is not a number";
    }
    r.esito = esito_cornice::guasta;
    if (!n) {
        r.errore = guasto.empty() ? "a header block without Content-Length" : guasto;
        return r;
    }
    if (*n > massimo) {
        r.errore = "a message of " + std::to_string(*n) + " bytes, more than the " + std::to_string(massimo) +
                   " taken: skipped";
        if (!salta(in, *n)) r.errore += "; the stream ended inside it";
        return r;
    }
    r.corpo.resize(*n);
    in.read(r.corpo.data(), static_cast<std::streamsize>(*n));
    if (static_cast<std::size_t>(in.gcount()) != *n) {
        r.errore = "the stream ended inside a message";
        r.corpo.clear();
        return r;
    }
    r.esito = esito_cornice::messaggio;
    r.errore = guasto;  // lines of garbage before the length, passed over
    return r;
}

std::string incornicia(const std::string& corpo) {
    return "Content-Length: " + std::to_string(corpo.size()) + "\r\n\r\n" + corpo;
}

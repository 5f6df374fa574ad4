#include "tools/lsp/modifiche_testo.h"

#include <algorithm>

namespace {

// A line begins at `p`: the text's start, or after an LF, or after a CR that
// no LF follows (the rule of inizi_righe).
bool inizio_riga(std::string_view t, std::size_t p) {
    if (p == 0) return true;
    const char prima = t[p - 1];
    return prima == '\n' || (prima == '\r' && (p >= t.size() || t[p] != '\n'));
}

}  // namespace

void sostituisci_tutto(testo_indicizzato& t, std::string nuovo) {
    t.testo = std::move(nuovo);
    t.inizi.clear();
}

void sostituisci_tra(testo_indicizzato& t, posizione_editor da, posizione_editor a, std::string_view nuovo) {
    if (t.inizi.empty()) t.inizi = inizi_righe(t.testo);
    const std::size_t x = byte_a(t.testo, t.inizi, da);
    const std::size_t y = std::max(x, byte_a(t.testo, t.inizi, a));
    t.testo.replace(x, y - x, nuovo);
    // Whether a line begins at p depends on the bytes at p - 1 and p: the
    // starts before x stand, those after y move by the change of length, and
    // those from x to the end of the new text are found again.
    const auto primo = std::lower_bound(t.inizi.begin(), t.inizi.end(), x);
    const auto dopo = std::upper_bound(primo, t.inizi.end(), y);
    const std::size_t fine = x + nuovo.size();
    for (auto k = dopo; k != t.inizi.end(); ++k) *k = *k - y + fine;
    std::vector<std::size_t> trovati;
    for (std::size_t p = x; p <= fine; ++p) {
        if (inizio_riga(t.testo, p)) trovati.push_back(p);
    }
    const auto dove = t.inizi.erase(primo, dopo);
    t.inizi.insert(dove, trovati.begin(), trovati.end());
}

// Two stations with one name (blanks at the ends and letter case aside): the
// train's display and the timetable cannot tell them apart.
#include <algorithm>
#include <cctype>
#include <map>

#include "tools/analisi/esami.h"

namespace {

constexpr std::size_t nome_stazione = 16;

std::string chiave_nome(std::string_view nome) {
    const std::size_t da = nome.find_first_not_of(' ');
    if (da == std::string_view::npos) return "";
    const std::size_t a = nome.find_last_not_of(' ');
    std::string k(nome.substr(da, a + 1 - da));
    std::transform(k.begin(), k.end(), k.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return k;
}

}  // namespace

void esame_stazioni_omonime(const dati_esame& d, std::vector<rilievo>& r) {
    std::map<std::string, const record_scritto*> visti;
    for (const record_scritto* x : record_di_forma(d.record.treno, "stazione")) {
        if (x->valori.size() <= nome_stazione) continue;
        const std::string k = chiave_nome(x->valori[nome_stazione].testo);
        if (k.empty()) continue;  // a station without a name is impossible-value's
        const auto [p, nuovo] = visti.try_emplace(k, x);
        if (nuovo) continue;
        r.push_back({esame::stazioni_omonime, x->valori[nome_stazione].dove,
                     "a second station named '" + x->valori[nome_stazione].testo + "': the one at " +
                         riga_di_record(p->second->dove) + " has that name",
                     {{p->second->valori[nome_stazione].dove, "the first station of that name"}}});
    }
}

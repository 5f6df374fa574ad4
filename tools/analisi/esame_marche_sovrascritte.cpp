// A record whose marks a later record writes over: a signal's or a station's
// approach markers under another's, or an object under a station marker. One
// diagnostic for each pair of records, at the record that writes over, naming
// the one whose marks are lost. Mountain marks under other objects are the
// format's own and are not noted by the build.
#include <algorithm>
#include <map>
#include <tuple>

#include "compiler/geometria.h"
#include "compiler/tipi_cella.h"
#include "tools/analisi/esami.h"

namespace {

using chiave_luogo = std::tuple<int, std::int32_t, std::int32_t>;

chiave_luogo chiave_di(const luogo& l) { return {static_cast<int>(l.file), l.riga, l.colonna}; }

struct coppia {
    const marca_sovrascritta* prima_cella;
    std::int64_t ultima_cella;
    int celle;
};

std::string celle_di(const coppia& c) {
    const std::int64_t da = std::min(c.prima_cella->cella, c.ultima_cella);
    const std::int64_t a = std::max(c.prima_cella->cella, c.ultima_cella);
    if (c.celle == 1) {
        return "cell " + std::to_string(da) + ", metres " + std::to_string(primo_metro(da)) + " to " +
               std::to_string(ultimo_metro(da));
    }
    return std::to_string(c.celle) + " cells from cell " + std::to_string(da) + " to " + std::to_string(a) +
           ", metres " + std::to_string(primo_metro(da)) + " to " + std::to_string(ultimo_metro(a));
}

std::string nome_tipo(std::uint8_t tipo) {
    const descrizione_tipo_cella* t = descrizione_tipo(tipo);
    return t != nullptr ? t->parola_dump : "object";
}

rilievo rilievo_di(const dati_esame& d, const coppia& c) {
    const marca_sovrascritta& x = *c.prima_cella;
    const std::string dopo = forma_record(d.record, x.dopo);
    const std::string prima = forma_record(d.record, x.prima);
    rilievo r;
    r.nome = esame::marche_sovrascritte;
    r.dove = x.dopo;
    if (x.avvicinamento) {
        r.messaggio = "this '" + dopo + "' writes its approach markers over those of the '" + prima + "' at " +
                      riga_di_record(x.prima) + " (" + celle_di(c) + "): the '" + prima + "' loses them";
    } else {
        r.messaggio = "this '" + dopo + "' puts its station marker over the " + nome_tipo(x.tipo_prima) +
                      " of the '" + prima + "' at " + riga_di_record(x.prima) + " (" + celle_di(c) +
                      "): the '" + prima + "' is lost";
    }
    r.note.push_back({x.prima, "the '" + prima + "' whose marks are lost"});
    return r;
}

}  // namespace

void esame_marche_sovrascritte(const dati_esame& d, std::vector<rilievo>& r) {
    std::map<std::tuple<chiave_luogo, chiave_luogo, bool>, coppia> coppie;
    std::vector<std::tuple<chiave_luogo, chiave_luogo, bool>> ordine;
    for (const marca_sovrascritta& x : d.m.marche_sovrascritte) {
        const auto k = std::tuple(chiave_di(x.dopo), chiave_di(x.prima), x.avvicinamento);
        const auto [p, nuova] = coppie.try_emplace(k, coppia{&x, x.cella, 0});
        if (nuova) ordine.push_back(k);
        p->second.ultima_cella = x.cella;
        ++p->second.celle;
    }
    for (const auto& k : ordine) r.push_back(rilievo_di(d, coppie.at(k)));
}

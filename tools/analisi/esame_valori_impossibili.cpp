// Values no railway means, in one table: for a record kind and one of its
// values, the test and what the build makes of it.
#include <string>

#include "tools/analisi/esami.h"

namespace {

struct regola_valore {
    const char* forma;   // the record, as the table of records writes its keyword
    std::size_t indice;  // the value tested
    bool (*sbagliato)(std::int32_t);
    const char* prima;   // the message: these words, the value, then `dopo`
    const char* dopo;
};

bool zero(std::int32_t v) { return v == 0; }
bool ore(std::int32_t v) { return v < 0 || v > 23; }
bool sessantesimi(std::int32_t v) { return v < 0 || v > 59; }

constexpr regola_valore regole[] = {
    // A negative length is -Wswapped-range's.
    {"rallentamento", 2, zero, "a slowdown of length ",
     " m: its end falls in its start's cell and is lost, so the slowdown never ends and the finishing pass lays "
     "its boards to the end of the track"},
    {"velocita", 1, zero, "a speed limit of ", " km/h: no train may run from here on"},
    {"aderenza", 1, zero, "an adhesion of ", ": the wheels hold no grip from here on"},
    {"orologio", 0, ore, "the clock's hours are ", "; they run from 0 to 23"},
    {"orologio", 1, sessantesimi, "the clock's minutes are ", "; they run from 0 to 59"},
    {"orologio", 2, sessantesimi, "the clock's seconds are ", "; they run from 0 to 59"},
    {"stazione", 13, ore, "the station time's hours are ", "; they run from 0 to 23"},
    {"stazione", 14, sessantesimi, "the station time's minutes are ", "; they run from 0 to 59"},
    {"stazione", 15, sessantesimi, "the station time's seconds are ", "; they run from 0 to 59"},
};

// The position of a station's name among its values.
constexpr std::size_t nome_stazione = 16;

void esamina(const regola_valore& g, const record_scritto& x, std::vector<rilievo>& r) {
    const std::optional<std::int32_t> v = numero_di(x, g.indice);
    if (!v || !g.sbagliato(*v)) return;
    r.push_back({esame::valore_impossibile, x.valori[g.indice].dove, g.prima + std::to_string(*v) + g.dopo, {}});
}

void esamina_nome(const record_scritto& x, std::vector<rilievo>& r) {
    if (x.valori.size() <= nome_stazione) return;
    const valore_scritto& nome = x.valori[nome_stazione];
    if (nome.testo.find_first_not_of(' ') != std::string::npos) return;
    r.push_back({esame::valore_impossibile, noto(nome.dove) && !nome.testo.empty() ? nome.dove : x.dove,
                 "a station without a name: the train's display and the crew's documents show it blank", {}});
}

}  // namespace

void esame_valori_impossibili(const dati_esame& d, std::vector<rilievo>& r) {
    for (const record_scritto& x : d.record.treno) {
        if (x.regola == nullptr) continue;
        for (const regola_valore& g : regole) {
            if (std::string_view(g.forma) == x.regola->forma) esamina(g, x, r);
        }
        if (std::string_view(x.regola->forma) == "stazione") esamina_nome(x, r);
    }
}

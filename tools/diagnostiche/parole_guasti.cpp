#include "tools/diagnostiche/parole_guasti.h"

#include <array>
#include <span>

namespace {

using std::to_string;

struct parole_di_genere {
    genere_guasto genere;
    const char* operazione;
    std::string (*che_cosa)(const dati_guasto& d);
};

std::string tra_virgolette(const std::string& s) { return "\"" + s + "\""; }

// One entry per kind that is no file operation, in the order of the kinds.
constexpr std::array<parole_di_genere, 14> parole{{
    {genere_guasto::fine_file, "read field", [](const dati_guasto&) -> std::string {
         return "read past the end of the file";
     }},
    {genere_guasto::non_numero, "read value",
     [](const dati_guasto& d) { return "not a number: " + tra_virgolette(d.campo); }},
    {genere_guasto::valore_enorme, "read value",
     [](const dati_guasto& d) { return "value too large: " + tra_virgolette(d.campo); }},
    {genere_guasto::fuori_campo, "read value",
     [](const dati_guasto& d) {
         return "value " + d.campo + " does not fit its field (" + to_string(d.numeri[0]) + " to " +
                to_string(d.numeri[1]) + ")";
     }},
    {genere_guasto::conversione, "convert",
     [](const dati_guasto& d) { return "value " + to_string(d.reale) + " does not fit its field"; }},
    {genere_guasto::calcolo, "compute",
     [](const dati_guasto& d) { return "value " + to_string(d.numeri[0]) + " does not fit a 32-bit field"; }},
    {genere_guasto::cella_fuori, "track cell",
     [](const dati_guasto& d) {
         return "cell " + to_string(d.numeri[0]) + " outside the track (0 to " + to_string(d.numeri[1]) + ")";
     }},
    {genere_guasto::voce_fuori, "scenario entry",
     [](const dati_guasto& d) { return "entry " + to_string(d.numeri[0]) + " outside the table (0 to 86)"; }},
    {genere_guasto::punto_fuori, "plan point",
     [](const dati_guasto& d) {
         return "point " + to_string(d.numeri[0]) + " outside the plan (0 to " + to_string(d.numeri[1]) + ")";
     }},
    {genere_guasto::montagna_fuori, "mountain list",
     [](const dati_guasto& d) { return "span " + to_string(d.numeri[0]) + " beyond the last entry (80)"; }},
    {genere_guasto::velocita_fuori, "speed limit",
     [](const dati_guasto& d) {
         return "speed " + to_string(d.numeri[0]) +
                " km/h does not fit a cell, which holds its fifth in one byte (0 to 1277 km/h)";
     }},
    {genere_guasto::senza_celle, "track",
     [](const dati_guasto& d) { return "a track of " + to_string(d.numeri[0]) + " m has no cells"; }},
    {genere_guasto::senza_punti, "plan",
     [](const dati_guasto& d) { return "a track of " + to_string(d.numeri[0]) + " m has no plan points"; }},
    {genere_guasto::senza_lunghezza, "line file", [](const dati_guasto&) -> std::string {
         return "no length record (\"lunghezza percorso\") in the general section";
     }},
}};

const parole_di_genere* cerca(genere_guasto g) {
    for (const parole_di_genere& p : parole) {
        if (p.genere == g) return &p;
    }
    return nullptr;
}

std::string parole_file(const guasto_sollevato& g) { return parole_operazione(g.operazione, g.percorso, g.sistema); }

}  // namespace

std::string parole_operazione(const std::string& operazione, const std::string& percorso, const std::string& che_cosa) {
    std::string t = operazione;
    if (!percorso.empty()) t += " " + tra_virgolette(percorso);
    return t + ": " + che_cosa;
}

std::string testo_esecuzione(const errore_esecuzione& e) { return parole_operazione(e.operazione, e.percorso, e.what()); }

std::string parole_guasto(const guasto_sollevato& g) {
    const parole_di_genere* p = cerca(g.dati.genere);
    if (p == nullptr) return parole_file(g);
    return std::string(p->operazione) + ": " + p->che_cosa(g.dati);
}

std::string che_cosa_guasto(const guasto_sollevato& g) {
    const parole_di_genere* p = cerca(g.dati.genere);
    return p == nullptr ? parole_file(g) : p->che_cosa(g.dati);
}

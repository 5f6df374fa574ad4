#include "tools/comune/tabella_record.h"

#include <algorithm>
#include <cctype>

namespace {

using p = parte_file;

const std::vector<voce_record>& tabella() {
    static const std::vector<voce_record> t = {
        {p::generale_linea, "lunghezza", "percorso", "lunghezza percorso", {{"length", "m", false}}, false,
         "The line's declared length in metres, at most 1,000,000; required. It sizes the track (the length plus "
         "7000 m, a cell per 50 m) and the plan (a point per metre)."},
        {p::generale_linea, "progressiva", "", "progressiva chilometrica uno",
         {{"start", "m", true}, {"value", "m", false}, {"flag", "", false}}, false,
         "A kilometric progressive (uno, due or tre): start and value multiples of 50; a flag of 1 adds 100 to the "
         "value. Lower case only."},
        {p::generale_linea, "sfondo", "", "sfondo uno", {{"setting", "", false}}, false,
         "A background setting (uno, due or tre), kept as it is in entry 85; what it shows is the simulator's. "
         "Lower case only."},
        {p::generale_linea, "ripetizione", "segnali", "ripetizione segnali 4 codici",
         {{"start", "m", true}, {"end", "m", true}}, false,
         "The stretch equipped with signal repetition; the keyword holds 4 or 9, the number of codes. Both ends "
         "multiples of 50; an end of 0: no repetition. Lower case only."},
        {p::corpo_linea, "curva", "", "curvad1", {{"start", "m", true}, {"length", "m", false}}, false,
         "A curve of the line's plan: an s in the keyword turns left, otherwise right; the first digit 1 to 6 is "
         "its grade. In increasing order of start."},
        {p::corpo_linea, "pendenza", "", "pendenza", {{"position", "m", true}, {"gradient", "", false}}, false,
         "From this position on, the gradient is this value (-100 to 155), until the next gradient record; each "
         "cell keeps it plus 100 in one byte."},
        {p::corpo_linea, "montagna", "", "montagna", {{"start", "m", true}, {"end", "m", true}, {"kind", "", false}},
         false, "A mountain span from the start metre to the end metre; each cell of the span keeps the kind."},
        {p::corpo_linea, "cartello", "indicat", "cartello_indicatore", {{"position", "m", true}, {"text", "", false}},
         true,
         "An indication sign with its text (to the end of the line, no comma), in the cell after the position's "
         "own; the text goes into a table entry. The cell must be free (status 6)."},
        {p::corpo_linea, "indicatori_v", "", "indicatori_v",
         {{"position", "m", true}, {"a s", "", false}, {"b s", "", false}, {"c s", "", false}, {"s stripes", "", false},
          {"a d", "", false}, {"b d", "", false}, {"c d", "", false}, {"d stripes", "", false}},
         false,
         "A pair of maximum-speed indicator boards in the cell after the position's own (cell kind 6). The cell "
         "must be free (status 21)."},
        {p::treno, "vetture", "", "numero vetture", {{"count", "", false}}, false,
         "The number of coaches, kept in entry 84."},
        {p::treno, "frenata", "massa", "percentuale massa frenata", {{"percentage", "%", false}}, false,
         "The braked-mass percentage, kept in entry 84."},
        {p::treno, "sabbia", "", "sabbia", {{"sand", "", false}}, false,
         "The train's sand, a 16-bit value kept in entry 86."},
        {p::treno, "orologio", "", "orologio", {{"hours", "h", false}, {"minutes", "min", false}, {"seconds", "s", false}},
         false, "The clock at the start, separated by blanks or commas; kept in entry 86."},
        {p::treno, "aderenza", "", "aderenza", {{"position", "m", true}, {"value", "", false}}, false,
         "From this position on, the adhesion is this value (0 to 255), until the next record."},
        {p::treno, "velocit", "", "velocita", {{"position", "m", true}, {"speed", "km/h", false}}, false,
         "From this position on, the line speed limit is this speed, until the next record; each cell keeps it "
         "divided by 5 and rounded, in steps of 5 km/h."},
        {p::treno, "stazione", "", "stazione",
         {{"position", "m", true}, {"kind", "", false}, {"length", "m", false}, {"marca", "", false},
          {"opz4", "", false}, {"opz3", "", false}, {"par1", "", false}, {"par2", "", false}, {"opz1", "", false},
          {"par3", "", false}, {"par4", "", false}, {"par5", "", false}, {"opz2", "", false}, {"hours", "h", false},
          {"minutes", "min", false}, {"seconds", "s", false}, {"name", "", false}},
         true,
         "A station: the next entry of the table, from entry 1 up, and its marks on the track. The position a "
         "multiple of 50 (status 8), the length a multiple of 100 (status 9); the name runs to the end of the "
         "line."},
        {p::treno, "segnale", "", "segnale",
         {{"position", "m", true}, {"sx", "", false}, {"s1", "", false}, {"s2", "", false}, {"s3", "", false},
          {"rapp", "", false}, {"dx", "", false}, {"d1", "", false}, {"d2", "", false}, {"d3", "", false},
          {"tempo", "", false}},
         false,
         "A signal in the cell after the position's own (cell kind 1), its values packed into the cell and four "
         "approach markers before it. The cell must be free (status 16)."},
        {p::treno, "rallentamento", "", "rallentamento",
         {{"x", "m", true}, {"v", "km/h", false}, {"l", "m", false}, {"f_tt", "", false}, {"f_ta", "", false},
          {"d_v", "", false}},
         false,
         "A slowdown from x for l metres at speed v: its start in the cell after the position's own, a warning "
         "board 1200 m before it when it begins after 1500 m."},
        {p::treno, "abbattimento", "", "abbattimento", {{"position", "m", true}, {"value", "", false}}, false,
         "A board in the position's own cell: with a value above 0 a board with a value (cell kind 12), otherwise "
         "one without (cell kind 13). The cell must be free (status 7)."},
    };
    return t;
}

constexpr const char* intestazioni_linea[] = {"[generale]", "[curve]",       "[pendenze]", "[montagne]",
                                              "[cartelli]", "[indicazioni]", "[fine]"};
constexpr const char* intestazioni_treno[] = {"[generale]", "[aderenze]", "[vel_limite]", "[stazioni]",
                                              "[rallentamenti]", "[segnali]", "[codici]", "[fine]"};

}  // namespace

std::span<const voce_record> tabella_record() { return tabella(); }

const voce_record* record_di(std::string_view campo, parte_file parte) {
    std::string minuscolo(campo);
    std::transform(minuscolo.begin(), minuscolo.end(), minuscolo.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (minuscolo.find('-') != std::string::npos) return nullptr;  // a comment
    for (const voce_record& r : tabella()) {
        if (r.parte != parte || minuscolo.find(r.parola) == std::string::npos) continue;
        if (*r.seconda_parola != '\0' && minuscolo.find(r.seconda_parola) == std::string::npos) continue;
        return &r;
    }
    return nullptr;
}

std::span<const char* const> intestazioni(bool linea) {
    if (linea) return intestazioni_linea;
    return intestazioni_treno;
}

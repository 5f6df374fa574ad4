// What the fields that matched no record tell: misspelled and case-changed
// keywords, records of another section, unknown section headers, values
// beyond a record's count, decimal commas.
#include "compiler/campi_ignorati.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <optional>
#include <vector>

#include "compiler/distanza_modifica.h"
#include "compiler/esame_testo.h"
#include "compiler/parole_chiave.h"
#include "compiler/suggerimenti.h"
#include "sources/lettore_campi.h"

namespace {

// Fields that match no record compared with the keywords, per file: a file
// that is not a scenario source at all would otherwise give a warning for
// each of its words. A last warning counts the rest.
constexpr std::size_t campi_esaminati = 100;

// A field's text between single quotes.
std::string citato(std::string_view s) {
    std::string r;
    r.reserve(s.size() + 2);
    r += '\'';
    r += s;
    r += '\'';
    return r;
}


std::string_view senza_blank_finali(std::string_view s) {
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
}

constexpr std::array<std::string_view, 7> intestazioni_linea{"[generale]", "[curve]", "[pendenze]", "[montagne]",
                                                             "[cartelli]", "[indicazioni]", "[fine]"};
constexpr std::array<std::string_view, 8> intestazioni_treno{"[generale]", "[aderenze]", "[vel_limite]", "[stazioni]",
                                                             "[rallentamenti]", "[segnali]", "[codici]", "[fine]"};


void intestazione_ignota(modello_scenario& m, const campo_ignorato& c, sorgente file) {
    const std::string t = in_minuscole(senza_blank_finali(c.testo));
    const std::span<const std::string_view> note =
        file == sorgente::linea ? std::span<const std::string_view>(intestazioni_linea)
                                : std::span<const std::string_view>(intestazioni_treno);
    if (std::find(note.begin(), note.end(), t) != note.end()) return;
    std::string_view vicina;
    std::size_t migliore = 3;
    for (const std::string_view h : note) {
        if ((t.size() > h.size() ? t.size() - h.size() : h.size() - t.size()) >= migliore) continue;
        const std::size_t d = distanza_modifica(t, h, migliore - 1);
        if (d < migliore) {
            migliore = d;
            vicina = h;
        }
    }
    std::string msg = citato(senza_blank_finali(c.testo)) + " is not a section header of the " +
                      nome_sorgente(file) + "; it is ignored";
    if (!vicina.empty()) msg += "; did you mean '" + std::string(vicina) + "'?";
    avvisa(m, avviso::sezione_ignota, c.dove, msg);
}

// The line of the source that holds byte i.
std::string_view riga_di(std::string_view testo, std::size_t i) {
    const std::size_t inizio = testo.find_last_of("\r\n", i == 0 ? 0 : i - 1);
    const std::size_t da = inizio == std::string_view::npos || i == 0 ? 0 : inizio + 1;
    const std::size_t fine = testo.find_first_of("\r\n", da);
    return testo.substr(da, fine == std::string_view::npos ? std::string_view::npos : fine - da);
}

// The records whose layout joins some values with a comma and no blank, as
// the embedded sources write them: those joins are the layout, not a
// decimal comma.
struct disposizione_record {
    std::string_view parola;  // the record's keyword, as record_prima holds it
    std::string_view riga;    // a line of the record as the embedded sources write it
};
constexpr std::array<disposizione_record, 2> disposizioni{{
    {"segnale", "segnale,    1650,   2, 4, 1,  0, 0,    2,  2,1,0, 0"},
    {"stazione", "stazione,    4000,  4,  700,  1, 0, 0,  4,1,2,  2,1,1,   60,  20,11, 0, TAVA CENTRALE"},
}};

bool cifra(std::string_view riga, std::size_t k) {
    return k < riga.size() && std::isdigit(static_cast<unsigned char>(riga[k])) != 0;
}

// The commas of a line that join two digits, by the number of the field
// they end (0: the keyword field, 1: the first value).
std::vector<std::size_t> giunture(std::string_view riga) {
    std::vector<std::size_t> r;
    std::size_t campo = 0;
    for (std::size_t k = 0; k < riga.size(); ++k) {
        if (riga[k] != ',') continue;
        if (k > 0 && cifra(riga, k - 1) && cifra(riga, k + 1)) r.push_back(campo);
        ++campo;
    }
    return r;
}

// The comma that ends field `campo` of a line of this record joins two values
// the record's own layout writes joined.
bool giuntura_della_disposizione(std::string_view record, std::size_t campo) {
    for (const disposizione_record& d : disposizioni) {
        if (d.parola != record) continue;
        const std::vector<std::size_t> g = giunture(d.riga);
        return std::find(g.begin(), g.end(), campo) != g.end();
    }
    return false;
}

// The first comma of the line that joins two digits where the record's
// layout has none: a decimal comma ("2,5") or a thousands separator
// ("15,000"), whose digits are read as two values. The digits around it, a
// sign in front included, as [da, a) with the comma at k.
struct virgola_sospetta {
    std::size_t da, k, a;
};
std::optional<virgola_sospetta> virgola_decimale(std::string_view riga, std::string_view record) {
    std::size_t campo = 0;
    for (std::size_t k = 0; k < riga.size(); ++k) {
        if (riga[k] != ',') continue;
        const std::size_t questo = campo++;
        if (k == 0 || !cifra(riga, k - 1) || !cifra(riga, k + 1)) continue;
        if (giuntura_della_disposizione(record, questo)) continue;
        std::size_t da = k - 1, a = k + 1;
        while (da > 0 && cifra(riga, da - 1)) --da;
        if (da > 0 && (riga[da - 1] == '-' || riga[da - 1] == '+')) --da;
        while (cifra(riga, a)) ++a;
        return virgola_sospetta{da, k, a};
    }
    return std::nullopt;
}

// Surplus values on a line that holds a record: one warning for the line, on
// a decimal comma ("2,5") when the line has one where the record's layout
// joins no values, otherwise on the first value beyond the record's count.
void valori_in_piu(modello_scenario& m, const campo_ignorato& primo, std::size_t quanti, std::string_view testo) {
    const std::string_view riga = riga_di(testo, primo.inizio);
    if (const auto v = virgola_decimale(riga, primo.record_prima)) {
        const luogo dove{primo.dove.file, primo.dove.riga, static_cast<std::int32_t>(v->da) + 1,
                         static_cast<std::int32_t>(v->a) + 1};
        avvisa(m, avviso::virgola_decimale, dove,
               citato(riga.substr(v->da, v->a - v->da)) + " is read as two values, " +
                   std::string(riga.substr(v->da, v->k - v->da)) + " and " +
                   std::string(riga.substr(v->k + 1, v->a - v->k - 1)) +
                   ": a comma ends a field, and values are whole numbers");
        return;
    }
    std::string msg = citato(senza_blank_finali(primo.testo));
    if (quanti > 1) msg += " and " + std::to_string(quanti - 1) + " more";
    msg += std::string(quanti > 1 ? " are read as keyword fields" : " is read as a keyword field") +
           " and ignored: the record '" +
           primo.record_prima + "' on this line takes " + std::to_string(primo.valori_record_prima) +
           (primo.valori_record_prima == 1 ? " value" : " values");
    avvisa(m, avviso::valori_in_piu, primo.dove, msg);
}

const char* parte_di(parte_sorgente p) {
    switch (p) {
        case parte_sorgente::generale: return "the general section";
        case parte_sorgente::corpo: return "the line body";
        default: return "the train file";
    }
}

}  // namespace

void esamina_ignorati(modello_scenario& m, const osservazioni& o, std::string_view testo, sorgente file) {
    // UTF-16 text has been told as such; its fields say nothing more.
    if (testo_utf16(testo)) return;
    // Surplus values are told once per line, when the line holds a record
    // that was read (the values of a keyword that is no record are told by
    // the keyword's own warning).
    const campo_ignorato* primo_in_piu = nullptr;
    std::size_t in_piu = 0;
    std::size_t esaminati = 0;
    const auto chiudi_riga = [&] {
        if (primo_in_piu != nullptr) valori_in_piu(m, *primo_in_piu, in_piu, testo);
        primo_in_piu = nullptr;
        in_piu = 0;
    };
    for (const campo_ignorato& c : o.ignorati) {
        if (primo_in_piu != nullptr && c.dove.riga != primo_in_piu->dove.riga) chiudi_riga();
        if (c.dove.file != file) continue;
        const std::string_view t = senza_blank_finali(c.testo);
        if (t.empty() || e_commento(t)) continue;
        if (e_intestazione(t)) {
            // The field that opens the general section: the reader finds
            // "[generale]" anywhere in it (after a byte-order mark, say).
            if (c.parte == parte_sorgente::prima_del_generale && in_minuscole(t).find("[generale]") != std::string::npos) {
                continue;
            }
            intestazione_ignota(m, c, file);
            continue;
        }
        if (c.parte == parte_sorgente::prima_del_generale) continue;
        if (e_numero(t)) {
            if (c.record_prima.empty()) continue;
            // A build without the line plan reads no curve: its values are passed over by design.
            if (c.record_prima.rfind("curva", 0) == 0 && c.valori_record_prima == 0) continue;
            if (primo_in_piu == nullptr) primo_in_piu = &c;
            ++in_piu;
            continue;
        }
        // The rest of a name cut at a comma is told by its own warning.
        if (c.record_prima == "stazione" || c.record_prima == "cartello_indicatore") continue;
        if (++esaminati > campi_esaminati) continue;
        const auto s = suggerisci(t, c.parte);
        if (!s) continue;
        const std::string campo = citato(t);
        if (s->solo_maiuscole) {
            avvisa(m, avviso::maiuscole, c.dove,
                   campo + " is not read: this keyword minds the letter case; write '" + s->parola + "'");
        } else if (s->altra_parte) {
            avvisa(m, avviso::record_fuori_posto, c.dove,
                   campo + " is a record that " + parte_di(c.parte) + " does not read; it is ignored here");
        } else {
            avvisa(m, avviso::parola_sbagliata, c.dove,
                   campo + " matches no record and is ignored; did you mean '" + s->parola + "'?");
        }
        m.avvisi.back().parola = s->parola;
    }
    chiudi_riga();
    if (esaminati > campi_esaminati) {
        avvisa(m, avviso::parola_sbagliata, {file, 0, 0},
               std::to_string(esaminati - campi_esaminati) + " more fields of the " + nome_sorgente(file) +
                   " match no record; they were not compared with the keywords");
    }
}

// What the fields that matched no record tell: misspelled and case-changed
// keywords, records of another section, unknown section headers, values
// beyond a record's count, decimal commas.
#include "compiler/campi_ignorati.h"

#include <algorithm>
#include <array>
#include <cctype>

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

// Surplus values on a line that holds a record: one warning for the line, on
// a decimal comma ("2,5") when the line has one, otherwise on the first value
// beyond the record's count.
void valori_in_piu(modello_scenario& m, const campo_ignorato& primo, std::size_t quanti, std::string_view testo) {
    const std::string_view riga = riga_di(testo, primo.inizio);
    for (std::size_t k = 1; k + 1 < riga.size(); ++k) {
        const auto cifra = [&](std::size_t x) { return std::isdigit(static_cast<unsigned char>(riga[x])) != 0; };
        if (riga[k] != ',' || !cifra(k - 1) || !cifra(k + 1)) continue;
        std::size_t a = k - 1, b = k + 1;
        while (a > 0 && cifra(a - 1)) --a;
        while (b + 1 < riga.size() && cifra(b + 1)) ++b;
        const luogo dove{primo.dove.file, primo.dove.riga, static_cast<std::int32_t>(a) + 1};
        avvisa(m, avviso::virgola_decimale, dove,
               citato(riga.substr(a, b - a + 1)) + " is read as two values, " +
                   std::string(riga.substr(a, k - a)) + " and " + std::string(riga.substr(k + 1, b - k)) +
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

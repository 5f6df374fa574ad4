// A word that is no keyword, followed on its line by exactly the values of a
// record of its file: the author most likely named the record otherwise
// ("semaforo" for "segnale"), and the build passes over the word and its
// values. Fields the build already warns of are left to that warning.
#include <algorithm>
#include <array>
#include <set>
#include <tuple>

#include "compiler/distanza_modifica.h"
#include "compiler/parole_chiave.h"
#include "sources/errore_esecuzione.h"
#include "sources/lettore_campi.h"
#include "tools/analisi/esami.h"

namespace {

// What the message calls a record's values ("a signal's").
struct nome_record {
    const char* forma;
    const char* di_chi;
};

constexpr nome_record nomi[] = {
    {"lunghezza percorso", "a line length's"},
    {"progressiva chilometrica uno", "a kilometric progressive's"},
    {"sfondo uno", "a background's"},
    {"ripetizione segnali 4 codici", "a signal repetition's"},
    {"curvad1", "a curve's"},
    {"pendenza", "a gradient's"},
    {"montagna", "a mountain span's"},
    {"cartello_indicatore", "an indication sign's"},
    {"indicatori_v", "a pair of speed indicators'"},
    {"numero vetture", "a coach count's"},
    {"percentuale massa frenata", "a braked-mass percentage's"},
    {"sabbia", "a sand value's"},
    {"orologio", "a clock's"},
    {"aderenza", "an adhesion's"},
    {"velocita", "a speed limit's"},
    {"stazione", "a station's"},
    {"segnale", "a signal's"},
    {"rallentamento", "a slowdown's"},
    {"abbattimento", "a board's"},
};

constexpr std::array<const char*, 21> numeri = {"no",    "one",    "two",     "three",    "four",     "five",    "six",
                                                "seven", "eight",  "nine",    "ten",      "eleven",   "twelve",  "thirteen",
                                                "fourteen", "fifteen", "sixteen", "seventeen", "eighteen", "nineteen", "twenty"};

std::string in_parole(std::size_t n) { return n < numeri.size() ? numeri[n] : std::to_string(n); }

std::string di_chi(const voce_record& v) {
    for (const nome_record& n : nomi) {
        if (std::string_view(n.forma) == v.forma) return n.di_chi;
    }
    return std::string("a '") + v.forma + "' record's";
}

// One field as read: its text, its place, whether it reads as a number.
struct campo_letto {
    std::string testo;
    luogo dove;
    bool numero;
};

std::vector<std::vector<campo_letto>> righe_di(const std::string& testo, sorgente file) {
    std::vector<std::vector<campo_letto>> righe;
    lettore_campi l = apri_lettore(testo, file);
    bool generale = false;  // the fields before "[generale]" are not read
    std::int32_t riga = 0;
    try {
        while (!a_fine(l)) {
            std::string campo = leggi_testo(l);
            if (!generale) {
                generale = in_minuscole(campo).find("[generale]") != std::string::npos;
                continue;
            }
            if (l.campo.riga != riga || righe.empty()) righe.emplace_back();
            riga = l.campo.riga;
            const bool numero = e_numero(campo);
            righe.back().push_back({std::move(campo), l.campo, numero});
        }
    } catch (const errore_esecuzione&) {
        // A field at the very end of the file: nothing more to read.
    }
    return righe;
}

bool e_record(std::string_view campo, sorgente file) {
    if (file == sorgente::treno) return record_di(campo, parte_file::treno) != nullptr;
    return record_di(campo, parte_file::corpo_linea) != nullptr || record_di(campo, parte_file::generale_linea) != nullptr;
}

bool parte_del_file(const voce_record& v, sorgente file) {
    return file == sorgente::treno ? v.parte == parte_file::treno : v.parte != parte_file::treno;
}

// The values after the word match the record: as many, numbers where it takes
// numbers, a text where it ends with one.
bool valori_di(const voce_record& v, const std::vector<campo_letto>& riga) {
    if (riga.size() != v.campi.size() + 1) return false;
    for (std::size_t i = 1; i < riga.size(); ++i) {
        const bool testo = v.testo_finale && i == v.campi.size();
        if (!testo && !riga[i].numero) return false;
    }
    return true;
}

// A word worth a look: letters, no keyword, no header, no comment.
bool parola_ignota(const campo_letto& c, sorgente file) {
    if (c.numero || c.testo.find('-') != std::string::npos || e_intestazione(c.testo)) return false;
    if (std::none_of(c.testo.begin(), c.testo.end(), [](unsigned char x) { return std::isalpha(x) != 0; })) return false;
    return !e_record(c.testo, file);
}

using chiave_luogo = std::tuple<int, std::int32_t, std::int32_t>;

void esamina_testo(const std::string& testo, sorgente file, const std::set<chiave_luogo>& avvisati,
                   std::vector<rilievo>& r) {
    for (const std::vector<campo_letto>& riga : righe_di(testo, file)) {
        if (riga.size() < 2 || !parola_ignota(riga[0], file)) continue;
        if (avvisati.count({static_cast<int>(file), riga[0].dove.riga, riga[0].dove.colonna}) > 0) continue;
        const std::string parola = in_minuscole(riga[0].testo);
        std::vector<const voce_record*> candidati;
        for (const voce_record& v : tabella_record()) {
            if (parte_del_file(v, file) && valori_di(v, riga)) candidati.push_back(&v);
        }
        if (candidati.empty()) continue;
        std::stable_sort(candidati.begin(), candidati.end(), [&](const voce_record* a, const voce_record* b) {
            return distanza_modifica(parola, a->forma, 64) < distanza_modifica(parola, b->forma, 64);
        });
        // The nearest in spelling; all of them when several are as near.
        std::string proposta = std::string("'").append(candidati[0]->forma).append("'");
        std::string di_chi_sono = di_chi(*candidati[0]);
        const std::size_t migliore = distanza_modifica(parola, candidati[0]->forma, 64);
        for (std::size_t i = 1; i < candidati.size(); ++i) {
            if (distanza_modifica(parola, candidati[i]->forma, 64) != migliore) continue;
            proposta += std::string(" or '") + candidati[i]->forma + "'";
            di_chi_sono += " or " + di_chi(*candidati[i]);
        }
        r.push_back({esame::record_ignoto, riga[0].dove,
                     "'" + riga[0].testo + "' is followed by " + di_chi_sono + " " + in_parole(riga.size() - 1) +
                         (riga.size() == 2 ? " value" : " values") + "; did you mean " + proposta + "?",
                     {}});
    }
}

}  // namespace

void esame_record_ignoti(const dati_esame& d, std::vector<rilievo>& r) {
    std::set<chiave_luogo> avvisati;
    for (const avviso_sorgente& a : d.m.avvisi) avvisati.insert({static_cast<int>(a.dove.file), a.dove.riga, a.dove.colonna});
    if (d.testo_linea != nullptr) esamina_testo(*d.testo_linea, sorgente::linea, avvisati, r);
    if (d.testo_treno != nullptr) esamina_testo(*d.testo_treno, sorgente::treno, avvisati, r);
}

// Warnings: the names, the scan of a source's bytes, and what the fields that
// matched no record tell.
#include "compiler/avvisi.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "compiler/compilazione.h"
#include "compiler/distanza_modifica.h"
#include "compiler/parole_chiave.h"

namespace {

constexpr descrizione_avviso avvisi[] = {
    {avviso::parola_sbagliata, "a field that is no keyword but lies close to one: the record is not read"},
    {avviso::maiuscole, "a keyword written with other capitals where the letter case matters: the record is not read"},
    {avviso::record_fuori_posto, "a record in a part of the file that does not read it (a body record in the general section, or the other way round)"},
    {avviso::sezione_ignota, "a section header that is not one of the file's own"},
    {avviso::nessun_record, "a file that yields no record"},
    {avviso::valori_in_piu, "a value beyond the number a record takes: it is read as a keyword field and ignored"},
    {avviso::virgola_decimale, "digits cut by a decimal separator: values are whole numbers, and a comma ends a field"},
    {avviso::valore_troncato, "a value kept in fewer bits than written, so that it reads back as another value"},
    {avviso::nome_troncato, "a station name or sign text cut at a comma: the rest of the line is read as fields of its own"},
    {avviso::fuori_ordine, "positions out of the order a section expects"},
    {avviso::oltre_lunghezza, "a position beyond the declared length of the line that the build still accepts"},
    {avviso::tabulazione, "a tab where a blank was meant: only spaces are blanks, a tab belongs to the field"},
    {avviso::codifica, "text that is not Windows-1252: UTF-8 sequences, a byte-order mark, NUL bytes"},
};

// Warnings of the same kind about one file stop after this many lines; a last
// one counts the rest.
constexpr int righe_per_avviso = 10;

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

// Edits allowed between a field and a keyword of this length.
std::size_t tolleranza(std::size_t lunghezza) { return lunghezza >= 7 ? 2 : lunghezza >= 5 ? 1 : 0; }

// The words of a field: runs of letters, lower-cased.
std::vector<std::string> parole_di(std::string_view campo) {
    std::vector<std::string> parole;
    std::string p;
    for (const char c : campo) {
        if (std::isalpha(static_cast<unsigned char>(c))) {
            p += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        } else if (!p.empty()) {
            parole.push_back(p);
            p.clear();
        }
    }
    if (!p.empty()) parole.push_back(p);
    return parole;
}

std::vector<std::string_view> forme(std::string_view forma) {
    std::vector<std::string_view> r;
    std::size_t inizio = 0;
    for (;;) {
        const std::size_t bar = forma.find('|', inizio);
        r.push_back(forma.substr(inizio, bar == std::string_view::npos ? std::string_view::npos : bar - inizio));
        if (bar == std::string_view::npos) return r;
        inizio = bar + 1;
    }
}

// Letters and blanks of a field, lower-cased: digits and signs dropped, as in
// "curvad1" or "ripetizione segnali 4 codici".
std::string scheletro(std::string_view campo) {
    std::string r;
    for (const char c : campo) {
        const auto u = static_cast<unsigned char>(c);
        if (std::isalpha(u) || c == ' ' || c == '_') r += static_cast<char>(std::tolower(u));
    }
    while (!r.empty() && r.back() == ' ') r.pop_back();
    return r;
}

// A field as the suggestions measure it: its letters and blanks, and its
// words of four letters or more (lower-cased).
struct campo_misurato {
    std::string scheletro;
    std::vector<std::string> parole;
};

campo_misurato misura(std::string_view campo) {
    campo_misurato c{scheletro(campo), {}};
    for (std::string& p : parole_di(campo)) {
        if (p.size() >= 4) c.parole.push_back(std::move(p));
    }
    return c;
}

// A record's keyword as the suggestions measure it: the letters and blanks
// of each of its forms, and the first form, which a suggestion names.
struct regola_misurata {
    std::vector<std::string> scheletri;
    std::string_view prima;
};

std::vector<regola_misurata> misura_regole(std::span<const regola_record> regole) {
    std::vector<regola_misurata> r;
    r.reserve(regole.size());
    for (const regola_record& x : regole) {
        regola_misurata m;
        for (const std::string_view f : forme(x.forma)) m.scheletri.push_back(scheletro(f));
        m.prima = forme(x.forma).front();
        r.push_back(std::move(m));
    }
    return r;
}

// How close a field lies to a record's keyword; nothing when beyond the
// tolerance.
std::optional<std::size_t> vicinanza(const campo_misurato& campo, const regola_record& r, const regola_misurata& rm) {
    std::optional<std::size_t> migliore;
    const auto prendi = [&](std::size_t d) {
        if (!migliore || d < *migliore) migliore = d;
    };
    for (const std::string& fs : rm.scheletri) {
        const std::size_t d = distanza_modifica(campo.scheletro, fs, tolleranza(fs.size()));
        if (d <= tolleranza(fs.size())) prendi(d);
    }
    for (const std::string& p : campo.parole) {
        for (const std::string_view w : {r.parola, r.seconda_parola}) {
            if (w.size() < 5) continue;
            const std::size_t d = distanza_modifica(p, w, tolleranza(w.size()));
            if (d > 0 && d <= tolleranza(w.size())) prendi(d);
        }
    }
    return migliore;
}

std::span<const regola_record> regole_di(parte_sorgente p) {
    switch (p) {
        case parte_sorgente::generale: return regole_generale();
        case parte_sorgente::corpo: return regole_corpo_linea();
        default: return regole_treno();
    }
}

// The rules of a part as regole_di gives them, measured once.
const std::vector<regola_misurata>& regole_misurate(parte_sorgente p) {
    static const std::vector<regola_misurata> generale = misura_regole(regole_generale());
    static const std::vector<regola_misurata> corpo = misura_regole(regole_corpo_linea());
    static const std::vector<regola_misurata> treno = misura_regole(regole_treno());
    switch (p) {
        case parte_sorgente::generale: return generale;
        case parte_sorgente::corpo: return corpo;
        default: return treno;
    }
}

bool e_numero(std::string_view s) {
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) ++i;
    if (i == s.size()) return false;
    for (; i < s.size(); ++i) {
        if (s[i] < '0' || s[i] > '9') return false;
    }
    return true;
}

bool e_intestazione(std::string_view s) {
    return contiene(s, "[") && contiene(s, "]") && !s.empty() && s.front() != '-';
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

std::span<const descrizione_avviso> tabella_avvisi() { return avvisi; }

bool e_avviso(std::string_view nome) {
    return std::any_of(std::begin(avvisi), std::end(avvisi), [&](const descrizione_avviso& a) { return nome == a.nome; });
}

void avvisa(modello_scenario& m, const char* nome, const luogo& dove, std::string messaggio) {
    m.avvisi.push_back({nome, dove, std::move(messaggio), {}});
}

std::optional<suggerimento> suggerisci(std::string_view campo, parte_sorgente parte) {
    const campo_misurato misurato = misura(campo);
    std::optional<suggerimento> migliore;
    std::size_t distanza_migliore = 100;
    const parte_sorgente parti[] = {parte_sorgente::generale, parte_sorgente::corpo};
    const bool in_linea = parte != parte_sorgente::treno;
    for (const parte_sorgente p : in_linea ? std::span<const parte_sorgente>(parti)
                                           : std::span<const parte_sorgente>(&parte, 1)) {
        const std::span<const regola_record> regole = regole_di(p);
        const std::vector<regola_misurata>& misurate = regole_misurate(p);
        for (std::size_t k = 0; k < regole.size(); ++k) {
            const regola_record& r = regole[k];
            const std::string_view prima = misurate[k].prima;
            const bool altra = p != parte;
            if (!r.ogni_caso) {
                // The same letters in another case, where the case matters.
                regola_record ogni = r;
                ogni.ogni_caso = true;
                if (corrisponde(ogni, campo)) return suggerimento{std::string(prima), true, altra};
            }
            if (corrisponde(r, campo)) {
                if (altra) return suggerimento{std::string(prima), false, true};
                continue;  // the record itself: nothing to suggest
            }
            const auto d = vicinanza(misurato, r, misurate[k]);
            if (d && *d < distanza_migliore) {
                distanza_migliore = *d;
                migliore = suggerimento{std::string(prima), false, altra};
            }
        }
    }
    return migliore;
}

void esamina_ignorati(modello_scenario& m, const osservazioni& o, std::string_view testo, sorgente file) {
    // UTF-16 text has been told as such; its fields say nothing more.
    if (testo.size() >= 2 && ((testo[0] == '\xFF' && testo[1] == '\xFE') || (testo[0] == '\xFE' && testo[1] == '\xFF'))) {
        return;
    }
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

void esamina_testo(modello_scenario& m, sorgente file, std::string_view testo) {
    const std::string chi = nome_sorgente(file);
    if (testo.size() >= 2 && ((testo[0] == '\xFF' && testo[1] == '\xFE') || (testo[0] == '\xFE' && testo[1] == '\xFF'))) {
        avvisa(m, avviso::codifica, {file, 0, 0},
               "the " + chi + " is UTF-16 text (it begins with a UTF-16 byte-order mark); save it as Windows-1252 text");
        return;
    }
    if (testo.substr(0, 3) == "\xEF\xBB\xBF") {
        avvisa(m, avviso::codifica, {file, 1, 1},
               "the " + chi + " begins with a UTF-8 byte-order mark, which becomes part of the first field; "
                              "save it as Windows-1252 text");
    }
    std::int32_t riga = 1, colonna = 1;
    int righe_tab = 0, righe_utf8 = 0;
    std::int32_t riga_tab = 0, riga_utf8 = 0;
    std::size_t nul = 0;
    luogo primo_nul;
    for (std::size_t i = 0; i < testo.size(); ++i) {
        const auto c = static_cast<unsigned char>(testo[i]);
        if (c == '\n' || (c == '\r' && (i + 1 >= testo.size() || testo[i + 1] != '\n'))) {
            ++riga;
            colonna = 1;
            continue;
        }
        if (c == '\t' && riga_tab != riga) {
            riga_tab = riga;
            if (++righe_tab <= righe_per_avviso) {
                avvisa(m, avviso::tabulazione, {file, riga, colonna},
                       "a tab: only spaces are blanks, so the tab belongs to the field it stands in");
            }
        }
        if (c == 0 && nul++ == 0) primo_nul = {file, riga, colonna};
        // A UTF-8 sequence: a lead byte and its continuation bytes.
        const int seguito = c >= 0xC2 && c <= 0xDF ? 1 : c >= 0xE0 && c <= 0xEF ? 2 : c >= 0xF0 && c <= 0xF4 ? 3 : 0;
        if (seguito > 0 && i + static_cast<std::size_t>(seguito) < testo.size()) {
            bool valida = true;
            for (int k = 1; k <= seguito; ++k) {
                valida = valida && (static_cast<unsigned char>(testo[i + static_cast<std::size_t>(k)]) & 0xC0) == 0x80;
            }
            if (valida && riga_utf8 != riga) {
                riga_utf8 = riga;
                if (++righe_utf8 <= righe_per_avviso) {
                    avvisa(m, avviso::codifica, {file, riga, colonna},
                           "UTF-8 text: each accented letter here is read as " + std::to_string(seguito + 1) +
                               " Windows-1252 characters; save the file as Windows-1252 text");
                }
            }
        }
        if (c != '\r') ++colonna;
    }
    if (nul > 0) {
        avvisa(m, avviso::codifica, primo_nul,
               "the " + chi + " holds " + std::to_string(nul) + " NUL byte" + (nul == 1 ? "" : "s") +
                   " (UTF-16 text, or not text at all)");
    }
    if (righe_tab > righe_per_avviso) {
        avvisa(m, avviso::tabulazione, {file, 0, 0},
               std::to_string(righe_tab - righe_per_avviso) + " more lines of the " + chi + " hold tabs");
    }
    if (righe_utf8 > righe_per_avviso) {
        avvisa(m, avviso::codifica, {file, 0, 0},
               std::to_string(righe_utf8 - righe_per_avviso) + " more lines of the " + chi + " hold UTF-8 text");
    }
}

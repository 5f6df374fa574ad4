// The keyword a field that matched no record lies closest to.
#include "compiler/suggerimenti.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include "compiler/distanza_modifica.h"
#include "compiler/regole_record.h"

namespace {

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
// of each of its forms, the forms as written, and the first form, which
// names the record where no form lies closer.
struct regola_misurata {
    std::vector<std::string> scheletri;
    std::vector<std::string_view> forme;
    std::string_view prima;
};

std::vector<regola_misurata> misura_regole(std::span<const regola_record> regole) {
    std::vector<regola_misurata> r;
    r.reserve(regole.size());
    for (const regola_record& x : regole) {
        regola_misurata m;
        m.forme = forme(x.forma);
        for (const std::string_view f : m.forme) m.scheletri.push_back(scheletro(f));
        m.prima = m.forme.front();
        r.push_back(std::move(m));
    }
    return r;
}

// How close a field lies to one of a record's keywords, and which form of
// the keyword it lies closest to.
struct vicina {
    std::size_t distanza;
    std::string_view forma;
};

// How close a field lies to a record's keyword; nothing when beyond the
// tolerance. The keyword's forms are measured whole, so that "cruvas4" lies
// one transposition from "curvas" and two edits from "curvad".
std::optional<vicina> vicinanza(const campo_misurato& campo, const regola_record& r, const regola_misurata& rm) {
    std::optional<vicina> migliore;
    const auto prendi = [&](std::size_t d, std::string_view forma) {
        if (!migliore || d < migliore->distanza) migliore = vicina{d, forma};
    };
    for (std::size_t k = 0; k < rm.scheletri.size(); ++k) {
        const std::string& fs = rm.scheletri[k];
        const std::size_t d = distanza_modifica(campo.scheletro, fs, tolleranza(fs.size()));
        if (d <= tolleranza(fs.size())) prendi(d, rm.forme[k]);
    }
    for (const std::string& p : campo.parole) {
        for (const std::string_view w : {r.parola, r.seconda_parola}) {
            if (w.size() < 5) continue;
            const std::size_t d = distanza_modifica(p, w, tolleranza(w.size()));
            if (d > 0 && d <= tolleranza(w.size())) prendi(d, rm.prima);
        }
    }
    return migliore;
}

// Records that read digits from their keyword (a curve's grade): a
// suggestion keeps the digits the author wrote.
constexpr std::string_view parole_con_cifre[] = {"curva"};

// The keyword as the author would write it: the form, followed by the digits
// the field ends with when the record reads them ("cruvas4" gives "curvas4").
std::string da_scrivere(const regola_record& r, std::string_view forma, std::string_view campo) {
    if (std::find(std::begin(parole_con_cifre), std::end(parole_con_cifre), r.parola) == std::end(parole_con_cifre)) {
        return std::string(forma);
    }
    std::size_t cifre_campo = campo.size();
    while (cifre_campo > 0 && std::isdigit(static_cast<unsigned char>(campo[cifre_campo - 1]))) --cifre_campo;
    if (cifre_campo == campo.size() || cifre_campo == 0 ||
        !std::isalpha(static_cast<unsigned char>(campo[cifre_campo - 1]))) {
        return std::string(forma);
    }
    return std::string(forma) + std::string(campo.substr(cifre_campo));
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

}  // namespace

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
            const auto v = vicinanza(misurato, r, misurate[k]);
            if (v && v->distanza < distanza_migliore) {
                distanza_migliore = v->distanza;
                migliore = suggerimento{da_scrivere(r, v->forma, campo), false, altra};
            }
        }
    }
    return migliore;
}

#include "tools/binari/dump_testo.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <iomanip>
#include <string_view>
#include <utility>
#include <vector>
#include <nlohmann/json.hpp>

#include "compiler/geometria.h"
#include "track/disposizione_binaria.h"
#include "tools/comune/testo_1252.h"

namespace {

struct ruolo_fisso {
    int voce;
    const char* ruolo;
};

constexpr ruolo_fisso ruoli_fissi[] = {
    {0, "unused"},
    {voce::progressiva_maggiore, "progressive, largest start"},
    {voce::progressiva_media, "progressive, middle start"},
    {voce::progressiva_minore, "progressive, smallest start"},
    {voce::dati_generali, "general"},
    {voce::dati_linea, "line"},
    {voce::dati_treno, "train"},
};

bool numeri_a_zero(const voce_scenario& v) {
    return std::all_of(campi_voce.begin(), campi_voce.end(), [&](const campo_binario<voce_scenario>& f) {
        return f.testo != nullptr || f.valore(v) == 0;
    });
}

bool con_valori(const cella& c) {
    return c.valore1 != 0 || c.valore2 != 0 || c.valore3 != 0 || c.valore4 != 0 || c.tempo_segnale != 0 ||
           c.avviso != 0;
}

bool profilo_cambia(const cella& c, const cella& prima) {
    return c.montagna != prima.montagna || c.vel_limite != prima.vel_limite || c.pendenza != prima.pendenza ||
           c.aderenza != prima.aderenza;
}

bool cella_da_mostrare(const std::vector<cella>& t, std::size_t i) {
    if (i == 0) return true;
    return t[i].tipo != tipo_cella::libero || con_valori(t[i]) || profilo_cambia(t[i], t[i - 1]);
}

// A column of the tables: its header, right-aligned values under it.
struct colonna {
    std::string_view titolo;
    int larghezza;
    bool a_sinistra = false;  // text, aligned left
};

void intestazione(std::ostream& o, const std::vector<colonna>& colonne) {
    for (std::size_t k = 0; k < colonne.size(); ++k) {
        if (k > 0) o << ' ';
        o << (colonne[k].a_sinistra ? std::left : std::right) << std::setw(colonne[k].larghezza)
          << colonne[k].titolo;
    }
    o << std::right;
    o << '\n';
}

// Room for the values a field of so many bytes shows (a Long's most
// negative value takes one more).
struct cifre_campo {
    std::size_t byte;
    int cifre;
};

constexpr cifre_campo cifre_per_larghezza[] = {{1, 3}, {2, 6}, {4, 10}};

// The column of a field: as wide as its name or its values, whichever is wider.
template <typename R>
int larghezza_colonna(const campo_binario<R>& f) {
    int cifre = 0;
    for (const cifre_campo& c : cifre_per_larghezza) {
        if (c.byte == f.larghezza && f.testo == nullptr) cifre = c.cifre;
    }
    return std::max(static_cast<int>(f.nome.size()), cifre);
}

// The kind's word stands right after the field that holds the kind.
bool campo_del_tipo(const campo_binario<cella>& f) { return f.nome == "tipo"; }

constexpr colonna colonna_cella{"cell", 6};
constexpr colonna colonna_metro{"metre", 8};
constexpr colonna colonna_tipo{"kind", 17, true};
constexpr colonna colonna_voce{"entry", 5};
constexpr colonna colonna_ruolo{"role", 27, true};

// cell, metre, then the fields of a cell in the order of its layout.
std::vector<colonna> colonne_tracciato() {
    std::vector<colonna> c = {colonna_cella, colonna_metro};
    for (const campo_binario<cella>& f : campi_cella) {
        c.push_back({f.nome, larghezza_colonna(f)});
        if (campo_del_tipo(f)) c.push_back(colonna_tipo);
    }
    return c;
}

void riga_cella(std::ostream& o, std::size_t i, const cella& c) {
    o << std::setw(colonna_cella.larghezza) << i << ' ' << std::setw(colonna_metro.larghezza)
      << primo_metro(static_cast<std::int64_t>(i));
    for (const campo_binario<cella>& f : campi_cella) {
        o << ' ' << std::setw(larghezza_colonna(f)) << f.valore(c);
        if (campo_del_tipo(f)) {
            o << ' ' << std::left << std::setw(colonna_tipo.larghezza) << nome_tipo_cella(c.tipo) << std::right;
        }
    }
    o << '\n';
}

// entry, role, the numbers of an entry in the order of its layout, then its
// name, which is as long as it is.
std::vector<colonna> colonne_scenario() {
    std::vector<colonna> c = {colonna_voce, colonna_ruolo};
    for (const campo_binario<voce_scenario>& f : campi_voce) {
        if (f.testo == nullptr) c.push_back({f.nome, larghezza_colonna(f)});
    }
    for (const campo_binario<voce_scenario>& f : campi_voce) {
        if (f.testo != nullptr) c.push_back({f.nome, larghezza_colonna(f)});
    }
    return c;
}

void riga_voce(std::ostream& o, int i, const voce_scenario& v) {
    o << std::setw(colonna_voce.larghezza) << i << ' ' << std::left << std::setw(colonna_ruolo.larghezza)
      << ruolo_voce(i, v) << std::right;
    for (const campo_binario<voce_scenario>& f : campi_voce) {
        if (f.testo == nullptr) o << ' ' << std::setw(larghezza_colonna(f)) << f.valore(v);
    }
    for (const campo_binario<voce_scenario>& f : campi_voce) {
        if (f.testo != nullptr && !f.testo(v).empty()) o << ' ' << testo_tra_virgolette(f.testo(v));
    }
    o << '\n';
}

// The kinds of the x and y elements of a metre.
std::string tipi_punto(tipo_valore x, tipo_valore y) {
    const auto parola = [](tipo_valore t) {
        switch (t) {
            case tipo_valore::intero: return "Integer";
            case tipo_valore::doppio: return "Double";
            case tipo_valore::vuoto: break;
        }
        return "no value";
    };
    if (x == y) return parola(x);
    return std::string("x ") + parola(x) + ", y " + parola(y);
}

// The points of a plan file in order, each its x and its y element.
struct punti_in_ordine {
    const lettore_planimetria& f;
    std::size_t x = 0;  // byte of the next x element
    std::size_t y = 0;  // byte of the next y element

    explicit punti_in_ordine(const lettore_planimetria& f_) : f(f_), y(f_.inizio_y) {}
    std::pair<elemento_letto, elemento_letto> prossimo() {
        const elemento_letto ex = elemento_da(f, x);
        return {ex, elemento_da(f, y)};
    }
};

// Runs of metres whose x and y elements have the same kinds.
void tratti_per_tipo(std::ostream& o, const lettore_planimetria& f) {
    const std::size_t punti = f.elementi / 2;
    constexpr int massimo_tratti = 12;
    int tratti = 0;
    std::size_t inizio = 0;
    punti_in_ordine c(f);
    const auto tipi = [](const std::pair<elemento_letto, elemento_letto>& p) {
        return std::pair{p.first.tipo, p.second.tipo};
    };
    std::pair<tipo_valore, tipo_valore> del_tratto = tipi(c.prossimo());
    for (std::size_t m = 1; m <= punti; ++m) {
        std::pair<tipo_valore, tipo_valore> qui{};
        if (m < punti) {
            qui = tipi(c.prossimo());
            if (qui == del_tratto) continue;
        }
        if (tratti == massimo_tratti) {
            o << "  ... and more changes of kind up to metre " << punti - 1 << "\n";
            return;
        }
        o << "  metres " << inizio << " to " << m - 1 << ": " << tipi_punto(del_tratto.first, del_tratto.second)
          << "\n";
        ++tratti;
        inizio = m;
        del_tratto = qui;
    }
}

void estensione(std::ostream& o, const lettore_planimetria& f) {
    const std::size_t punti = f.elementi / 2;
    for (std::size_t coordinata = 0; coordinata < 2; ++coordinata) {
        bool trovato = false;
        double minimo = 0;
        double massimo = 0;
        std::size_t posizione = coordinata == 0 ? 0 : f.inizio_y;
        for (std::size_t m = 0; m < punti; ++m) {
            const elemento_letto e = elemento_da(f, posizione);
            const double v = e.valore;
            if (e.tipo == tipo_valore::vuoto || !std::isfinite(v)) continue;
            minimo = trovato ? std::min(minimo, v) : v;
            massimo = trovato ? std::max(massimo, v) : v;
            trovato = true;
        }
        o << "  " << (coordinata == 0 ? "x" : "y") << ": ";
        if (trovato) {
            o << "from " << nlohmann::json(minimo).dump() << " to " << nlohmann::json(massimo).dump() << " m\n";
        } else {
            o << "no value\n";
        }
    }
}

void punto(std::ostream& o, std::size_t m, const std::pair<elemento_letto, elemento_letto>& p) {
    o << std::setw(8) << m << ' ' << std::setw(24) << testo_elemento(p.first) << ' ' << std::setw(24)
      << testo_elemento(p.second) << '\n';
}

// The last metre whose x and y both have a value, with its elements.
struct ultimo_punto {
    std::size_t metro = 0;
    std::pair<elemento_letto, elemento_letto> elementi;
};

std::optional<ultimo_punto> ultimo_con_valore(const lettore_planimetria& f) {
    std::optional<ultimo_punto> u;
    punti_in_ordine c(f);
    for (std::size_t m = 0; m < f.elementi / 2; ++m) {
        const auto p = c.prossimo();
        if (p.first.tipo != tipo_valore::vuoto && p.second.tipo != tipo_valore::vuoto) u = ultimo_punto{m, p};
    }
    return u;
}

}  // namespace

std::optional<intervallo_metri> leggi_intervallo(const std::string& testo) {
    const std::size_t due_punti = testo.find(':');
    if (due_punti == std::string::npos) return std::nullopt;
    intervallo_metri r;
    const auto numero = [](const std::string& s, std::int64_t& x) {
        const auto [fine, errore] = std::from_chars(s.data(), s.data() + s.size(), x);
        return !s.empty() && errore == std::errc() && fine == s.data() + s.size() && x >= 0;
    };
    if (!numero(testo.substr(0, due_punti), r.da) || !numero(testo.substr(due_punti + 1), r.a) || r.da > r.a) {
        return std::nullopt;
    }
    return r;
}

const char* nome_tipo_cella(std::uint8_t tipo) {
    const descrizione_tipo_cella* d = descrizione_tipo(tipo);
    return d != nullptr ? d->parola_dump : "?";
}

std::string ruolo_voce(int i, const voce_scenario& v) {
    for (const ruolo_fisso& r : ruoli_fissi) {
        if (r.voce == i) return r.ruolo;
    }
    if (!numeri_a_zero(v)) return "station";
    return v.nome.empty() ? "free" : "sign text";
}

std::string testo_tra_virgolette(const std::string& testo) {
    std::string t = "\"";
    for (const char x : testo) {
        const auto c = static_cast<unsigned char>(x);
        const std::uint16_t u = unicode_1252(c);
        if (u < 0x20 || (u >= 0x7F && u < 0xA0)) {
            char esc[8];
            std::snprintf(esc, sizeof esc, "\\x%02X", static_cast<unsigned>(c));
            t += esc;
        } else if (c == '"' || c == '\\') {
            t += '\\';
            t += x;
        } else {
            t += utf8_da_1252(std::string_view(&x, 1));
        }
    }
    return t + "\"";
}

std::string testo_elemento(const elemento_letto& e) {
    switch (e.tipo) {
        case tipo_valore::intero: return std::to_string(static_cast<std::int64_t>(e.valore));
        case tipo_valore::doppio:
            if (!std::isfinite(e.valore)) return std::isnan(e.valore) ? "nan" : e.valore > 0 ? "inf" : "-inf";
            return nlohmann::json(e.valore).dump();
        case tipo_valore::vuoto: break;
    }
    return "-";
}

std::string testo_elemento(const planimetria_linea& p, std::size_t e) { return testo_elemento({p.tipi[e], p.valori[e]}); }

void testo_tracciato(std::ostream& o, const std::vector<cella>& tracciato, bool tutte) {
    o << tracciato.size() << " cells";
    if (!tracciato.empty()) {
        o << " (cells 0 to " << tracciato.size() - 1 << ", metres 0 to "
          << primo_metro(static_cast<std::int64_t>(tracciato.size() - 1)) << ")";
    }
    o << "\n";
    if (tracciato.empty()) return;
    if (!tutte) {
        o << "Rows: cells whose tipo is not 0 or that hold a value (valore1 to valore4, tempo_segnale, avviso),\n"
             "and cells where montagna, vel_limite, pendenza or aderenza change (--all for every cell).\n";
    }
    intestazione(o, colonne_tracciato());
    for (std::size_t i = 0; i < tracciato.size() && o; ++i) {
        if (tutte || cella_da_mostrare(tracciato, i)) riga_cella(o, i, tracciato[i]);
    }
}

void testo_scenario(std::ostream& o, const std::array<voce_scenario, voci_scenario>& scenario) {
    o << scenario.size() << " entries\n";
    intestazione(o, colonne_scenario());
    for (std::size_t i = 0; i < scenario.size(); ++i) riga_voce(o, static_cast<int>(i), scenario[i]);
}

void testo_planimetria(std::ostream& o, const lettore_planimetria& f, const std::optional<intervallo_metri>& punti) {
    const std::size_t n = f.elementi / 2;
    o << n << " points";
    if (n == 0) {
        o << "\n";
        return;
    }
    o << " (metres 0 to " << n - 1 << "), " << f.elementi << " elements\n";
    o << "Kinds of the elements:\n";
    tratti_per_tipo(o, f);
    o << "Extent of the values:\n";
    estensione(o, f);
    const auto primo = punti_in_ordine(f).prossimo();
    o << "First point: metre 0 (" << testo_elemento(primo.first) << ", " << testo_elemento(primo.second) << ")\n";
    if (const auto ultimo = ultimo_con_valore(f)) {
        o << "Last point with both values: metre " << ultimo->metro << " (" << testo_elemento(ultimo->elementi.first)
          << ", " << testo_elemento(ultimo->elementi.second) << ")\n";
    }
    if (!punti) {
        o << "(--points A:B lists the points of metres A to B)\n";
        return;
    }
    if (punti->da >= static_cast<std::int64_t>(n)) {
        o << "No point in metres " << punti->da << " to " << punti->a << ": the last metre is " << n - 1 << "\n";
        return;
    }
    o << std::setw(8) << "metre" << ' ' << std::setw(24) << "x" << ' ' << std::setw(24) << "y" << '\n';
    const auto ultimo = std::min<std::int64_t>(punti->a, static_cast<std::int64_t>(n) - 1);
    // A long range stops early once `o` has failed (a closed pipe, a full disk).
    punti_in_ordine c(f);
    for (std::int64_t m = 0; m <= ultimo && o; ++m) {
        const auto p = c.prossimo();
        if (m >= punti->da) punto(o, static_cast<std::size_t>(m), p);
    }
}

#include "track/finitura.h"

#include <cstddef>
#include <initializer_list>

#include "compiler/geometria.h"

namespace {

std::int32_t ultima_cella(const modello_scenario& m) { return static_cast<std::int32_t>(m.tracciato.size()) - 1; }

bool dentro(const modello_scenario& m, std::int64_t c) { return c >= 0 && c <= ultima_cella(m); }

cella& in(modello_scenario& m, std::int64_t c) { return m.tracciato[static_cast<std::size_t>(c)]; }

// Outside the track a cell is neither free nor of any kind.
bool libera(modello_scenario& m, std::int64_t c) { return dentro(m, c) && cella_libera(in(m, c)); }

bool di_tipo(modello_scenario& m, std::int64_t c, std::uint8_t tipo) { return dentro(m, c) && in(m, c).tipo == tipo; }

// The record that wrote cell c, when the build noted it.
luogo origine_di(const modello_scenario& m, std::int64_t c) {
    if (m.origine_celle.size() != m.tracciato.size() || !dentro(m, c)) return {};
    return m.origine_celle[static_cast<std::size_t>(c)];
}

// A board in cell c, owed to the object in cell `causa`.
void marca(modello_scenario& m, std::int64_t c, std::int64_t causa) {
    cella& x = in(m, c);
    x.tipo = tipo_cella::tabella_con_valore;
    x.valore1 = valore_tabella_finitura;
    if (m.origine_celle.size() == m.tracciato.size()) m.origine_celle[static_cast<std::size_t>(c)] = origine_di(m, causa);
}

// Marks the first free cell of the list; false when none is free.
bool marca_prima_libera(modello_scenario& m, std::initializer_list<std::int64_t> celle, std::int64_t causa) {
    for (const std::int64_t c : celle) {
        if (libera(m, c)) {
            marca(m, c, causa);
            return true;
        }
    }
    return false;
}

// A board that found no cell: the status with the position of `cella_errore`,
// blamed on the record that placed the object in cell `causa`.
void fallisci_finitura(modello_scenario& m, stato codice, std::int64_t cella_errore, std::int64_t causa) {
    m.codice_errore = numero(codice);
    m.posizione_errore = static_cast<std::int32_t>(primo_metro(cella_errore));
    stato_sollevato v;
    v.codice = m.codice_errore;
    v.posizione = m.posizione_errore;
    v.con_posizione = true;
    v.fase = fase_stato::finitura;
    v.record = origine_di(m, causa);
    v.campo = v.record;
    v.cella = cella_errore;
    v.occupante = origine_di(m, cella_errore);
    m.stati_sollevati.push_back(std::move(v));
}

// Lowers an existing board to at most 180.
void abbassa(modello_scenario& m, std::int64_t c) {
    cella& x = in(m, c);
    x.valore1 = static_cast<std::int16_t>(minimo(valore_tabella_finitura, x.valore1));
}

// The board in front of the signal in cell s, owed to the warning board in cell i.
void tabella_prima_del_segnale(modello_scenario& m, std::int32_t s, std::int32_t i) {
    if (marca_prima_libera(m, {s - 1, s - 2}, i)) return;
    if (di_tipo(m, s - 1, tipo_cella::tabella_con_valore)) {
        abbassa(m, s - 1);
    } else if (di_tipo(m, s - 2, tipo_cella::tabella_con_valore)) {
        abbassa(m, s - 2);
    } else {
        fallisci_finitura(m, stato::tabella_segnale_impossibile, s, i);
    }
}

}  // namespace

std::int32_t minimo(std::int32_t x, std::int32_t y) { return x > y ? y : x; }

void regola_a(modello_scenario& m, std::int32_t i) {
    if (!di_tipo(m, i, tipo_cella::avviso_rallentamento)) return;
    for (std::int32_t d = 1; d <= 20; ++d) {
        const std::int32_t s = i - d;
        if (s < 3) break;
        if (di_tipo(m, s, tipo_cella::segnale)) tabella_prima_del_segnale(m, s, i);
    }
}

void approccio_b1(modello_scenario& m, std::int32_t i) {
    struct finestra {
        std::int32_t oltre;  // the window is tried when i is above this
        std::int32_t primo;  // first look-back distance; the next two follow
    };
    static constexpr finestra finestre[] = {{7, 5}, {13, 11}, {20, 18}};
    for (const finestra& f : finestre) {
        if (i <= f.oltre) continue;
        if (!marca_prima_libera(m, {i - f.primo, i - f.primo - 1, i - f.primo - 2}, i)) {
            fallisci_finitura(m, stato::tabella_approccio_impossibile, i, i);
        }
    }
}

std::int32_t ripetizione_b2(modello_scenario& m, std::int32_t i) {
    const std::int32_t ultima = ultima_cella(m);
    std::int32_t c = 0;
    std::int32_t w = i;
    for (;;) {
        ++w;
        ++c;
        if (c == 8) {
            if (libera(m, w)) {
                marca(m, w, i);
                c = 0;
            } else if (libera(m, w - 1)) {
                marca(m, w - 1, i);
                c = 1;
            } else if (libera(m, w + 1)) {
                marca(m, w + 1, i);
                c = -1;
            } else {
                fallisci_finitura(m, stato::tabella_ripetizione_impossibile, w, i);
            }
        }
        if (di_tipo(m, w, tipo_cella::fine_rallentamento)) return w;
        if (w >= ultima) return -1;
    }
}

void segnale_dopo_b3(modello_scenario& m, std::int32_t w) {
    const std::int32_t ultima = ultima_cella(m);
    for (std::int32_t k = w; k <= w + 12 && k <= ultima; ++k) {
        if (!di_tipo(m, k, tipo_cella::segnale)) continue;
        const std::int32_t t = k - 1;
        // The end cell w belongs to the same slowdown record as its start.
        if (!marca_prima_libera(m, {t, t - 1}, w)) fallisci_finitura(m, stato::tabella_ripetizione_impossibile, w, w);
        return;
    }
}

void regola_b(modello_scenario& m, std::int32_t i) {
    if (!di_tipo(m, i, tipo_cella::inizio_rallentamento)) return;
    approccio_b1(m, i);
    if (in(m, i).valore1 >= velocita_tabelle_ripetizione) return;
    const std::int32_t fine = ripetizione_b2(m, i);
    if (fine >= 0) segnale_dopo_b3(m, fine);
}

void finitura_tracciato(modello_scenario& m) {
    const std::int32_t n = ultima_cella(m);
    for (std::int32_t i = 1; i <= n - 2; ++i) {
        regola_a(m, i);
        regola_b(m, i);
    }
}

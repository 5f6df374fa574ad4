#include "tools/analisi/record_scritto.h"

#include <algorithm>
#include <tuple>

#include "compiler/parole_chiave.h"
#include "sources/errore_esecuzione.h"
#include "sources/lettore_campi.h"

namespace {

const voce_record* regola_di(std::string_view campo, sorgente file) {
    if (file == sorgente::treno) return record_di(campo, parte_file::treno);
    const voce_record* r = record_di(campo, parte_file::corpo_linea);
    return r != nullptr ? r : record_di(campo, parte_file::generale_linea);
}

std::string senza_blank_finali(std::string s) {
    while (!s.empty() && s.back() == ' ') s.pop_back();
    return s;
}

// One value of a record; false when the file ends before it.
bool leggi_valore(lettore_campi& l, bool testo, record_scritto& r) {
    if (a_fine(l)) return false;
    if (testo) {
        std::string t = senza_blank_finali(leggi_testo(l));
        r.valori.push_back({std::move(t), std::nullopt, l.campo});
        return true;
    }
    try {
        const std::int32_t n = leggi_long(l);
        r.valori.push_back({std::string(testo_campo(l)), n, l.campo});
    } catch (const errore_esecuzione&) {
        // Not a whole number, or one that does not fit: the field is read all the same.
        r.valori.push_back({std::string(testo_campo(l)), std::nullopt, l.campo});
    }
    return true;
}

// The record whose keyword field the reader has just read.
record_scritto leggi_valori(lettore_campi& l, const voce_record* regola, std::string parola) {
    record_scritto r;
    r.dove = l.campo;
    r.parola = std::move(parola);
    r.regola = regola;
    if (regola == nullptr) return r;
    for (std::size_t i = 0; i < regola->campi.size(); ++i) {
        const bool testo = regola->testo_finale && i + 1 == regola->campi.size();
        if (!leggi_valore(l, testo, r)) break;
    }
    return r;
}

bool prima(const luogo& a, const luogo& b) { return std::tie(a.riga, a.colonna) < std::tie(b.riga, b.colonna); }

// For a search in a list of records in file order.
bool record_prima(const record_scritto& r, const luogo& x) { return prima(r.dove, x); }

bool stesso_posto(const luogo& a, const luogo& b) {
    return a.file == b.file && a.riga == b.riga && a.colonna == b.colonna;
}

// The byte where each line of the text begins, as the reader counts lines.
std::vector<std::size_t> inizi_righe(const std::string& testo) {
    std::vector<std::size_t> r{0};
    std::int32_t riga = 1, colonna = 1;
    for (std::size_t i = 0; i < testo.size(); ++i) {
        if (conta_byte(testo, i, riga, colonna)) r.push_back(i + 1);
    }
    return r;
}

// The record whose keyword field stands at the place, read there; nothing
// when the place lies outside the text.
std::optional<record_scritto> leggi_a(lettore_campi& l, const std::vector<std::size_t>& righe, const luogo& dove) {
    if (dove.riga < 1 || static_cast<std::size_t>(dove.riga) > righe.size() || dove.colonna < 1) return std::nullopt;
    const std::size_t pos = righe[static_cast<std::size_t>(dove.riga) - 1] + static_cast<std::size_t>(dove.colonna) - 1;
    if (pos >= l.testo.size()) return std::nullopt;
    l.pos = pos;
    l.riga = dove.riga;
    l.colonna = dove.colonna;
    try {
        const std::string parola = leggi_testo(l);
        return leggi_valori(l, regola_di(parola, l.file), parola);
    } catch (const errore_esecuzione&) {
        return std::nullopt;
    }
}

// Adds, read at its place, the record of every place the model keeps in this
// source that the list does not hold.
void aggiungi_mancanti(std::vector<record_scritto>& lista, const std::string& testo, sorgente file,
                       const modello_scenario& m) {
    std::vector<luogo> luoghi;
    for (const luogo& l : m.origine_celle) {
        if (l.file == file && noto(l)) luoghi.push_back(l);
    }
    for (const luogo& l : m.origine_voci) {
        if (l.file == file && noto(l)) luoghi.push_back(l);
    }
    std::sort(luoghi.begin(), luoghi.end(), prima);
    luoghi.erase(std::unique(luoghi.begin(), luoghi.end(), stesso_posto), luoghi.end());
    std::vector<std::size_t> righe;
    lettore_campi l;
    for (const luogo& dove : luoghi) {
        const auto p = std::lower_bound(lista.begin(), lista.end(), dove, record_prima);
        if (p != lista.end() && stesso_posto(p->dove, dove)) continue;
        if (righe.empty()) {
            righe = inizi_righe(testo);
            l = apri_lettore(testo, file);
        }
        if (std::optional<record_scritto> r = leggi_a(l, righe, dove)) {
            r->dove = {file, dove.riga, dove.colonna, r->dove.fine};
            lista.insert(std::lower_bound(lista.begin(), lista.end(), dove, record_prima), std::move(*r));
        }
    }
}

}  // namespace

std::vector<record_scritto> record_del_testo(const std::string& testo, sorgente file) {
    std::vector<record_scritto> r;
    lettore_campi l = apri_lettore(testo, file);
    bool generale = false;  // the fields before "[generale]" are not read
    try {
        while (!a_fine(l)) {
            const std::string campo = leggi_testo(l);
            if (!generale) {
                generale = in_minuscole(campo).find("[generale]") != std::string::npos;
                continue;
            }
            const voce_record* regola = regola_di(campo, file);
            if (regola != nullptr) r.push_back(leggi_valori(l, regola, campo));
        }
    } catch (const errore_esecuzione&) {
        // A field at the very end of the file: nothing more to read.
    }
    return r;
}

record_fonti leggi_record_fonti(const std::string* testo_linea, const std::string* testo_treno,
                                const modello_scenario& m) {
    record_fonti r;
    if (testo_linea != nullptr) {
        r.linea = record_del_testo(*testo_linea, sorgente::linea);
        aggiungi_mancanti(r.linea, *testo_linea, sorgente::linea, m);
    }
    if (testo_treno != nullptr) {
        r.treno = record_del_testo(*testo_treno, sorgente::treno);
        aggiungi_mancanti(r.treno, *testo_treno, sorgente::treno, m);
    }
    return r;
}

const record_scritto* record_a(const record_fonti& r, const luogo& l) {
    if (!noto(l)) return nullptr;
    const std::vector<record_scritto>& lista = l.file == sorgente::linea ? r.linea : r.treno;
    const auto p = std::lower_bound(lista.begin(), lista.end(), l, record_prima);
    return p != lista.end() && stesso_posto(p->dove, l) ? &*p : nullptr;
}

std::optional<std::int32_t> numero_di(const record_scritto& r, std::size_t i) {
    return i < r.valori.size() ? r.valori[i].numero : std::nullopt;
}

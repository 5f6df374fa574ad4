#include "tools/decompila/decompila_confronto.h"

#include <algorithm>
#include <bit>
#include <map>

#include "compiler/avvisi.h"
#include "sources/nomi_file.h"
#include "tools/binari/dump_testo.h"
#include "track/disposizione_binaria.h"
#include "track/lettura_binaria.h"

namespace {

using chiave_nota = std::pair<parte_scenario, std::int64_t>;
using note_per_luogo = std::map<chiave_nota, std::vector<std::string>>;

const std::string* file_scritto(const costruzione_in_memoria& c, const std::string& nome) {
    const auto f = c.file.find(nome);
    return f == c.file.end() ? nullptr : &f->second;
}

// One place that differs: its name and the fields that differ.
struct luogo_diverso {
    std::int64_t indice;
    std::string nome;
    std::vector<std::string> campi;
};

// The fields of two records that differ, in the order of their layout: each
// as "NAME FILE -> BUILD".
template <typename R, std::size_t N>
std::vector<std::string> campi_diversi(const R& file, const R& build, const std::array<campo_binario<R>, N>& campi) {
    std::vector<std::string> r;
    for (const campo_binario<R>& f : campi) {
        const std::string nome(f.nome);
        if (f.testo != nullptr) {
            if (f.testo(file) != f.testo(build)) {
                r.push_back(nome + " " + testo_tra_virgolette(f.testo(file)) + " -> " +
                            testo_tra_virgolette(f.testo(build)));
            }
        } else if (f.valore(file) != f.valore(build)) {
            r.push_back(nome + " " + std::to_string(f.valore(file)) + " -> " + std::to_string(f.valore(build)));
        }
    }
    return r;
}

std::string elemento(const planimetria_linea& p, std::int32_t m, int c) {
    if (m > p.ultimo_metro) return "absent";
    const std::size_t e = elemento_planimetria(p, m, c);
    return p.tipi[e] == tipo_valore::vuoto ? "empty" : testo_elemento(p, e);
}

// The first `massimo` points that differ; `altri` counts the rest, whose
// notes are taken out (they are not listed, as for cells and entries).
std::vector<luogo_diverso> punti_diversi(const planimetria_linea& a, const planimetria_linea& b, std::size_t massimo,
                                         std::size_t& altri, note_per_luogo& note) {
    std::vector<luogo_diverso> r;
    const std::int32_t ultimo = std::max(a.ultimo_metro, b.ultimo_metro);
    for (std::int32_t m = 0; m <= ultimo; ++m) {
        luogo_diverso d{m, "", {}};
        for (int c = 0; c < 2; ++c) {
            const bool stesso = m <= a.ultimo_metro && m <= b.ultimo_metro &&
                                a.tipi[elemento_planimetria(a, m, c)] == b.tipi[elemento_planimetria(b, m, c)] &&
                                std::bit_cast<std::uint64_t>(a.valori[elemento_planimetria(a, m, c)]) ==
                                    std::bit_cast<std::uint64_t>(b.valori[elemento_planimetria(b, m, c)]);
            if (stesso) continue;
            if (r.size() >= massimo) {
                d.campi.emplace_back();
                continue;
            }
            d.campi.push_back(std::string(c == 0 ? "x " : "y ") + elemento(a, m, c) + " -> " + elemento(b, m, c));
        }
        if (d.campi.empty()) continue;
        if (r.size() < massimo) {
            d.nome = "plan point " + std::to_string(m);
            r.push_back(std::move(d));
        } else {
            ++altri;
            note.erase({parte_scenario::planimetria, m});
        }
    }
    return r;
}

std::vector<luogo_diverso> voci_diverse(const std::array<voce_scenario, voci_scenario>& a,
                                        const std::array<voce_scenario, voci_scenario>& b) {
    std::vector<luogo_diverso> r;
    for (std::size_t i = 0; i < a.size(); ++i) {
        std::vector<std::string> c = campi_diversi(a[i], b[i], campi_voce);
        if (!c.empty()) r.push_back({static_cast<std::int64_t>(i), "entry " + std::to_string(i), std::move(c)});
    }
    return r;
}

std::vector<luogo_diverso> celle_diverse(const std::vector<cella>& a, const std::vector<cella>& b) {
    std::vector<luogo_diverso> r;
    const std::size_t n = std::max(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const auto c = static_cast<std::int64_t>(i);
        if (i >= a.size()) {
            r.push_back({c, nome_cella(c), {"not in the file, made by the build"}});
        } else if (i >= b.size()) {
            r.push_back({c, nome_cella(c), {"in the file, beyond the track the build makes"}});
        } else if (std::vector<std::string> campi = campi_diversi(a[i], b[i], campi_cella); !campi.empty()) {
            r.push_back({c, nome_cella(c), std::move(campi)});
        }
    }
    return r;
}

std::string unisci(const std::vector<std::string>& v, const char* tra) {
    std::string r;
    for (const std::string& s : v) {
        if (!r.empty()) r += tra;
        r += s;
    }
    return r;
}

// The lines of one file's places, with their notes; notes used are taken out.
void elenca(std::vector<std::string>& righe, const std::vector<luogo_diverso>& diversi, std::size_t altri,
            parte_scenario parte, note_per_luogo& note, std::size_t massimo, const char* plurale) {
    for (std::size_t k = 0; k < diversi.size(); ++k) {
        const luogo_diverso& d = diversi[k];
        const chiave_nota chiave{parte, d.indice};
        const auto n = note.find(chiave);
        if (k < massimo) {
            std::string riga = d.nome + ": " + unisci(d.campi, ", ");
            if (n != note.end()) riga += " (" + unisci(n->second, "; ") + ")";
            righe.push_back(riga);
        }
        if (n != note.end()) note.erase(n);
    }
    const std::size_t oltre = altri + (diversi.size() > massimo ? diversi.size() - massimo : 0);
    if (oltre > 0) righe.push_back("... and " + std::to_string(oltre) + " more " + plurale);
}

std::string nome_parte(parte_scenario p, std::int64_t i) {
    switch (p) {
        case parte_scenario::planimetria: return i == intero_file ? "the plan" : "plan point " + std::to_string(i);
        case parte_scenario::scenario: return i == intero_file ? "the table" : "entry " + std::to_string(i);
        case parte_scenario::tracciato: return i == intero_file ? "the track" : nome_cella(i);
    }
    return "";
}

}  // namespace

void compila_sorgenti(costruzione_in_memoria& c, const nomi_scenario& nomi, const std::string& linea,
                      const std::string& treno, bool con_planimetria) {
    costruisci_in_memoria(c, nomi, &linea, &treno, con_planimetria);
}

std::vector<std::string> errori_predefiniti(const modello_scenario& m) {
    std::vector<std::string> r;
    if (m.codice_errore != 0) r.push_back("status " + std::to_string(m.codice_errore));
    for (const avviso_sorgente& a : m.avvisi) {
        if (e_errore_predefinito(a.nome) && std::find(r.begin(), r.end(), a.nome) == r.end()) r.push_back(a.nome);
    }
    return r;
}

bool stessi_file(const costruzione_in_memoria& c, const nomi_scenario& nomi, const file_binari& f) {
    if (c.fatale != esito_fatale::nessuno) return false;
    const std::string* sim = file_scritto(c, nome_file_scenario(nomi.linea, nomi.treno));
    const std::string* dat = file_scritto(c, nome_file_tracciato(nomi.linea, nomi.treno));
    if (sim == nullptr || dat == nullptr || *sim != f.scenario || *dat != f.tracciato) return false;
    if (!f.planimetria) return true;
    const std::string* piano = file_scritto(c, nome_file_planimetria(nomi.linea));
    return piano != nullptr && *piano == *f.planimetria;
}

std::vector<std::string> differenze(const costruzione_in_memoria& c, const file_binari& f,
                                    const std::optional<planimetria_linea>& piano, const note_decompilazione& note,
                                    std::size_t massimo) {
    note_per_luogo per_luogo;
    for (const nota_decompilazione& n : note) per_luogo[{n.parte, n.indice}].push_back(n.motivo);
    std::vector<std::string> luoghi;
    if (c.fatale != esito_fatale::nessuno) {
        luoghi.push_back("the build of the sources writes no scenario file: " + c.testo_fatale);
    } else {
        const modello_scenario& m = c.modello;
        if (piano && m.scrivi_linea) {
            std::size_t altri = 0;
            const std::vector<luogo_diverso> punti = punti_diversi(*piano, m.planimetria, massimo, altri, per_luogo);
            elenca(luoghi, punti, altri, parte_scenario::planimetria, per_luogo, massimo, "plan points");
        }
        elenca(luoghi, voci_diverse(leggi_scenario(f.scenario), m.scenario), 0, parte_scenario::scenario, per_luogo,
               massimo, "entries");
        elenca(luoghi, celle_diverse(leggi_tracciato(f.tracciato), m.tracciato), 0, parte_scenario::tracciato,
               per_luogo, massimo, "cells");
    }
    std::vector<std::string> righe;
    for (const auto& [chiave, motivi] : per_luogo) {
        for (const std::string& motivo : motivi) righe.push_back(nome_parte(chiave.first, chiave.second) + ": " + motivo);
    }
    righe.insert(righe.end(), luoghi.begin(), luoghi.end());
    return righe;
}

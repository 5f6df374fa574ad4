#include "tests/decompilazione/giro.h"

#include <memory>

#include "sources/nomi_file.h"
#include "tools/costruzione/compila_strumento.h"
#include "tools/decompila/decompila.h"

namespace {

// The files of a build, by kind; false when the build wrote none.
bool file_di(const costruzione_in_memoria& c, const nomi_scenario& n, bool con_planimetria, file_binari& f) {
    if (c.fatale != esito_fatale::nessuno) return false;
    const auto sim = c.file.find(nome_file_scenario(n.linea, n.treno));
    const auto dat = c.file.find(nome_file_tracciato(n.linea, n.treno));
    if (sim == c.file.end() || dat == c.file.end()) return false;
    f.scenario = sim->second;
    f.tracciato = dat->second;
    if (!con_planimetria) return true;
    const auto piano = c.file.find(nome_file_planimetria(n.linea));
    if (piano == c.file.end()) return false;
    f.planimetria = piano->second;
    return true;
}

std::string unite(const std::vector<std::string>& righe) {
    std::string t;
    for (const std::string& r : righe) t += "\n  " + r;
    return t;
}

}  // namespace

esito_giro giro_testi(const std::string& linea, const std::string& treno, const nomi_scenario& nomi,
                      bool con_planimetria) {
    esito_giro e;
    auto prima = std::make_unique<costruzione_in_memoria>();
    costruisci_in_memoria(*prima, nomi, &linea, &treno, con_planimetria);
    e.stato_originale = prima->modello.codice_errore;
    file_binari f;
    if (!file_di(*prima, nomi, con_planimetria, f)) {
        e.descrizione = "the texts do not build: " + prima->testo_fatale;
        return e;
    }
    const esito_decompilazione d = decompila(f, nomi);
    e.giri = d.giri;
    if (!d.esatto) {
        e.descrizione = "decompile finds differences:" + unite(d.differenze);
        return e;
    }
    auto seconda = std::make_unique<costruzione_in_memoria>();
    costruisci_in_memoria(*seconda, nomi, &d.linea, &d.treno, con_planimetria);
    e.stato = seconda->modello.codice_errore;
    for (const avviso_sorgente& a : seconda->modello.avvisi) e.avvisi.push_back(a.nome + ": " + a.messaggio);
    file_binari g;
    if (!file_di(*seconda, nomi, con_planimetria, g)) {
        e.descrizione = "the decompiled texts do not build: " + seconda->testo_fatale;
        return e;
    }
    for (const auto& [nome, a, b] : {std::tuple{"plan", f.planimetria.value_or(""), g.planimetria.value_or("")},
                                     std::tuple{"table", f.scenario, g.scenario},
                                     std::tuple{"track", f.tracciato, g.tracciato}}) {
        if (a != b) e.descrizione += std::string(e.descrizione.empty() ? "" : ", ") + "the " + nome + " differs";
    }
    e.riuscito = e.descrizione.empty();
    return e;
}

caso_giro caso_del_seme(std::uint64_t seme, bool sovrapposizioni) {
    static const nomi_scenario nomi[] = {
        {"Linea Generata", "10001"}, {"Tava Aeroporto-Rovea", "30742"}, {"A", "1"}, {"Valle_Alta", "R 2245"}};
    caso_giro c;
    parametri_generatore& p = c.parametri;
    p.seme = seme;
    const std::uint64_t h = seme * 2654435761u;
    if (seme % 10 == 9) {
        p.lunghezza = static_cast<std::int32_t>(100000 + h % 300000);
    } else if (seme % 4 == 3) {
        p.lunghezza = static_cast<std::int32_t>(25000 + h % 50000);
    } else {
        p.lunghezza = static_cast<std::int32_t>(500 + h % 24500);
    }
    p.densita = 1.0 + static_cast<double>(seme % 8);
    if (seme % 10 == 9) p.densita = 1.5;
    p.casi_limite = seme % 4 != 1;
    c.con_planimetria = seme % 5 != 2;
    c.nomi = nomi[seme % 4];
    if (sovrapposizioni) {
        p.sovrapposizioni = true;
        c.con_planimetria = seme % 3 != 1;
    }
    return c;
}

std::string descrizione_caso(const caso_giro& c) {
    return "seed " + std::to_string(c.parametri.seme) + ", " + std::to_string(c.parametri.lunghezza) + " m, " +
           std::to_string(c.parametri.densita) + " records/km" + (c.parametri.casi_limite ? "" : ", no edge cases") +
           (c.con_planimetria ? "" : ", no plan") +
           (c.parametri.sovrapposizioni ? ", overlaps" : "") + ", line \"" + c.nomi.linea + "\", train \"" + c.nomi.treno + "\"";
}

esito_giro giro_generato(const caso_giro& c) {
    const scenario_generato s = genera_scenario(c.parametri);
    return giro_testi(s.linea, s.treno, c.nomi, c.con_planimetria);
}

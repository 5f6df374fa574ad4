#include "tools/binari/verifica_scenario.h"

#include <cmath>

#include "compiler/geometria.h"
#include "sources/errore_esecuzione.h"
#include "tools/binari/dump_testo.h"
#include "tools/binari/file_binario.h"
#include "tools/comune/nomi.h"
#include "tools/comune/tipo_file.h"
#include "track/codici_gara.h"
#include "track/lettura_binaria.h"
#include "track/memorizza_percorso.h"

namespace {

using problemi = std::vector<std::string>;

// "NAME_NUM" from a name that ends in `coda`.
std::optional<std::string> radice(const std::string& percorso, const std::string& coda) {
    const std::string base = nome_base(percorso);
    if (!finisce_con_senza_maiuscole(base, coda) || base.size() == coda.size()) return std::nullopt;
    return base.substr(0, base.size() - coda.size());
}

}  // namespace

nomi_file nomi_da_file(const file_scenario& f, std::vector<std::string>& p) {
    nomi_file n;
    const auto sim = radice(f.scenario, ".sim");
    const auto dat = radice(f.tracciato, ".dat");
    if (!sim) p.push_back(f.scenario + ": a scenario table is named NAME_NUM.sim");
    if (!dat) p.push_back(f.tracciato + ": a track is named NAME_NUM.dat");
    if (sim && dat && *sim != *dat) {
        p.push_back(f.tracciato + ": named for \"" + *dat + "\", the table \"" + nome_base(f.scenario) +
                    "\" for \"" + *sim + "\": they are not the same scenario");
    }
    if (f.planimetria) {
        n.linea = radice(*f.planimetria, "_linea.dat");
        if (!n.linea) p.push_back(*f.planimetria + ": a line plan is named NAME_linea.dat");
    }
    if (!sim) return n;
    if (n.linea) {
        const std::string testa = *n.linea + "_";
        if (sim->size() > testa.size() && sim->compare(0, testa.size(), testa) == 0) {
            n.treno = sim->substr(testa.size());
        } else {
            p.push_back(f.scenario + ": its name does not begin with the plan's line name \"" + *n.linea +
                        "\" and \"_\": it is not that line's scenario");
        }
        return n;
    }
    if (f.planimetria) return n;
    const std::size_t ultimo = sim->find_last_of('_');
    if (ultimo == std::string::npos || ultimo == 0 || ultimo + 1 == sim->size()) {
        p.push_back(f.scenario + ": the line name and train number cannot be taken from the name (NAME_NUM.sim)");
        return n;
    }
    n.linea = sim->substr(0, ultimo);
    n.treno = sim->substr(ultimo + 1);
    return n;
}

namespace {

// The file's bytes; nothing (and a problem) when it cannot be read.
std::optional<std::string> leggi_file(const std::string& percorso, tipo_file genere, problemi& p) {
    try {
        return leggi_file_binario(percorso, genere);
    } catch (const errore_esecuzione& e) {
        p.push_back(percorso + ": cannot read: " + e.what());
    }
    return std::nullopt;
}

// The file's bytes decoded by `decodifica`; nothing (and a problem) when
// they were not read or do not decode.
template <typename F>
auto decodifica_file(const std::string& percorso, const std::optional<std::string>& byte, const char* tipo,
                     F decodifica, problemi& p) -> std::optional<decltype(decodifica(std::string_view()))> {
    if (!byte) return std::nullopt;
    try {
        return decodifica(*byte);
    } catch (const errore_lettura& e) {
        p.push_back(percorso + ": not a " + std::string(tipo) + " file: " + e.what());
    }
    return std::nullopt;
}

void verifica_timbri(const file_scenario& f, const voce_scenario& linea, const cella& prima, problemi& p) {
    if (linea.par1 != timbro_scenario) {
        p.push_back(f.scenario + ": par1 of entry 85 is " + std::to_string(linea.par1) + ", not the format stamp " +
                    std::to_string(timbro_scenario));
    }
    if (prima.valore1 != timbro_tracciato) {
        p.push_back(f.tracciato + ": valore1 of cell 1 is " + std::to_string(prima.valore1) +
                    ", not the format stamp " + std::to_string(timbro_tracciato));
    }
}

std::string virgolette(const std::string& s) { return testo_tra_virgolette(s); }

void verifica_codici(const file_scenario& f, const nomi_file& n, const std::array<voce_scenario, voci_scenario>& s,
                     const cella& prima, problemi& p) {
    const codici_scenario attesi = codici_di(*n.linea, *n.treno);
    const std::int32_t st = s[voce::dati_linea].valore4;
    const std::int16_t og = prima.valore2;
    if (st == attesi.st && og == static_cast<std::int16_t>(attesi.og)) return;
    std::string t = f.scenario + ", " + nome_base(f.tracciato) + ": the check codes do not match the names of the files";
    t += " (line " + virgolette(*n.linea) + ", train " + virgolette(*n.treno) + "): codice_gara_st in valore4 of entry 85 is " +
         std::to_string(st) + ", expected " + std::to_string(attesi.st) + "; codice_gara_og in valore2 of cell 1 is " +
         std::to_string(og) + ", expected " + std::to_string(attesi.og);
    const std::string& linea_dentro = s[voce::dati_linea].nome;
    const std::string& treno_dentro = s[voce::dati_treno].nome;
    const codici_scenario dentro = codici_di(linea_dentro, treno_dentro);
    if (dentro.st == st && static_cast<std::int16_t>(dentro.og) == og) {
        t += "; they are the codes of line " + virgolette(linea_dentro) + ", train " + virgolette(treno_dentro) +
             " named inside the files: the scenario was renamed";
    }
    p.push_back(t);
}

void verifica_nomi(const file_scenario& f, const nomi_file& n, const std::array<voce_scenario, voci_scenario>& s,
                   problemi& p) {
    if (s[voce::dati_linea].nome != *n.linea) {
        p.push_back(f.scenario + ": nome of entry 85 (the line name) is " + virgolette(s[voce::dati_linea].nome) +
                    ", the file names give " + virgolette(*n.linea));
    }
    if (s[voce::dati_treno].nome != *n.treno) {
        p.push_back(f.scenario + ": nome of entry 86 (the train number) is " + virgolette(s[voce::dati_treno].nome) +
                    ", the file names give " + virgolette(*n.treno));
    }
}

void verifica_lunghezze(const file_scenario& f, const std::array<voce_scenario, voci_scenario>& s,
                        const std::vector<cella>& t, const std::optional<lettore_planimetria>& piano, problemi& p) {
    const std::int64_t dichiarata = s[voce::dati_generali].valore2;
    const std::int64_t lunghezza_totale = dichiarata + 7000;
    const auto numero_celle = cella_della_posizione(lunghezza_totale);
    const std::string origine = "the declared length " + std::to_string(dichiarata) +
                                " m (valore2 of entry 84) gives lunghezza_totale " + std::to_string(lunghezza_totale);
    if (static_cast<std::int64_t>(t.size()) != numero_celle + 1) {
        p.push_back(f.tracciato + ": the track has " + std::to_string(t.size()) + " cells; " + origine +
                    " and numero_celle " + std::to_string(numero_celle) + ", so " + std::to_string(numero_celle + 1) +
                    " cells");
    }
    const auto punti = piano ? static_cast<std::int64_t>(piano->elementi / 2) : 0;
    if (piano && punti - 1 != lunghezza_totale) {
        p.push_back(*f.planimetria + ": the plan has " + std::to_string(punti) +
                    " points; " + origine + ", so " + std::to_string(lunghezza_totale + 1) + " points (metres 0 to " +
                    std::to_string(lunghezza_totale) + ")");
    }
}

// The names the files' names give, as the model holds them (on Windows
// their Windows-1252 bytes); absent when the model cannot hold one.
nomi_file nomi_come_nel_modello(const file_scenario& f, const nomi_file& n, problemi& p) {
    if (!n.linea || !n.treno) return n;
    try {
        const nomi_scenario m = nomi_nel_modello(nomi_scenario{*n.linea, *n.treno});
        return {m.linea, m.treno};
    } catch (const errore_uso& e) {
        p.push_back(f.scenario + ": " + e.messaggio + ": no scenario holds such a name");
        return {};
    }
}

}  // namespace

codici_scenario codici_di(const std::string& linea, const std::string& treno) {
    return {codice_gara_st(treno, linea), codice_gara_og(treno, linea)};
}

std::vector<std::string> verifica_scenario(const file_scenario& f) {
    problemi p;
    const nomi_file da_nomi = nomi_da_file(f, p);
    contenuti_scenario c;
    if (f.planimetria) c.planimetria = leggi_file(*f.planimetria, tipo_file::planimetria, p);
    c.scenario = leggi_file(f.scenario, tipo_file::scenario, p);
    c.tracciato = leggi_file(f.tracciato, tipo_file::tracciato, p);
    verifica_contenuti(f, da_nomi, c, p);
    return p;
}

void verifica_contenuti(const file_scenario& f, const nomi_file& da_nomi, const contenuti_scenario& c,
                        std::vector<std::string>& p) {
    // The plan is checked and its points counted, not decoded: only its
    // length is compared.
    std::optional<lettore_planimetria> piano;
    if (f.planimetria) piano = decodifica_file(*f.planimetria, c.planimetria, "line plan", apri_planimetria, p);
    const auto scenario = decodifica_file(f.scenario, c.scenario, "scenario table", leggi_scenario, p);
    const auto tracciato = decodifica_file(f.tracciato, c.tracciato, "track", leggi_tracciato, p);
    if (tracciato && tracciato->size() < 2) {
        p.push_back(f.tracciato + ": the track has " + std::to_string(tracciato->size()) +
                    " cells; the format stamp and a check code go into cell 1");
    }
    if (!scenario || !tracciato) return;
    const nomi_file n = nomi_come_nel_modello(f, da_nomi, p);
    if (tracciato->size() >= 2) {
        const cella& prima = (*tracciato)[1];
        verifica_timbri(f, (*scenario)[voce::dati_linea], prima, p);
        if (n.linea && n.treno) verifica_codici(f, n, *scenario, prima, p);
    }
    if (n.linea && n.treno) verifica_nomi(f, n, *scenario, p);
    verifica_lunghezze(f, *scenario, *tracciato, piano, p);
}

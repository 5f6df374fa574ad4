#include "tools/analisi/rapporto_marcia.h"

#include <algorithm>
#include <cmath>
#include <sstream>

#include "tools/analisi/orari.h"
#include "tools/comune/testo_1252.h"
#include "tools/comune/testo_terminale.h"

namespace {

std::int64_t secondi(double s) { return static_cast<std::int64_t>(std::llround(s)); }

// Slack rounded down, arrivals rounded up: the table never flatters the run.
std::int64_t per_eccesso(double s) { return static_cast<std::int64_t>(std::ceil(s - 1e-6)); }

// A stop without a station is the line's start (no station at all) or its end.
std::string nome_fermata(const fermata_marcia& f, bool primo) {
    if (f.stazione != nullptr) return visibile_1252(f.stazione->nome);
    return primo ? "(start of the line)" : "(end of the line)";
}

struct riga_tabella {
    std::vector<std::string> celle;
    bool in_ritardo = false;
};

std::vector<riga_tabella> righe(const risultato_marcia& r, const lettura_km& km) {
    std::vector<riga_tabella> t;
    t.push_back({{"station", "km", "scheduled", "earliest", "estimated", "slack"}});
    for (std::size_t i = 0; i < r.fermate.size(); ++i) {
        const fermata_marcia& f = r.fermate[i];
        riga_tabella g;
        const std::int64_t arrivo = i == 0 ? secondi(f.arrivo) : per_eccesso(f.arrivo);
        g.celle = {nome_fermata(f, i == 0), km(f.posizione), f.orario ? testo_orario(*f.orario) : "-",
                   f.minimo ? testo_orario(per_eccesso(*f.minimo)) : "-", testo_orario(arrivo), "-"};
        if (i > 0 && f.orario) {
            const std::int64_t margine = *f.orario - arrivo;
            g.celle[5] = testo_durata(margine);
            g.in_ritardo = margine < 0;
        }
        t.push_back(g);
    }
    return t;
}

std::string riempi(const std::string& s, std::size_t larghezza) {
    return s + std::string(larghezza > s.size() ? larghezza - s.size() : 0, ' ');
}

std::string riga_totale(const ingresso_marcia& in, const risultato_marcia& r, const opzioni_marcia& o) {
    const fermata_marcia& primo = r.fermate.front();
    const fermata_marcia& ultimo = r.fermate.back();
    double limite = 0;
    for (const fermata_marcia& f : r.fermate) limite += f.limite.value_or(0.0);
    std::string t = "total: " + testo_metri(r.fine - r.inizio) + " from " + nome_fermata(primo, true) + " to " +
                    nome_fermata(ultimo, r.fermate.size() == 1) + ", leaving at " + testo_orario(secondi(primo.partenza)) + "; running " +
                    testo_durata(per_eccesso(ultimo.arrivo - primo.partenza)) + " (at the limits alone " +
                    testo_durata(per_eccesso(limite)) + ")";
    if (ultimo.orario) t += ", slack at the end " + testo_durata(*ultimo.orario - per_eccesso(ultimo.arrivo));
    std::ostringstream treno;
    treno << "train: " << in.treno.vetture << " coaches (" << r.lunghezza_treno << " m), braked mass "
          << in.treno.massa_frenata << " %; accelerating at " << o.accelerazione << " m/s2, braking at "
          << std::round(decelerazione_frenatura(in.treno.massa_frenata, 0, o.frenatura) * 100) / 100
          << " m/s2 on the level, dwell " << o.sosta << " s";
    if (r.bloccata) treno << "\nthe run ends at metre " << *r.bloccata << ": the permitted speed there is 0 km/h";
    return t + "\n" + treno.str() + "\n";
}

double kmh(double ms) { return std::round(chilometri_orari(ms) * 100) / 100; }

}  // namespace

std::string tabella_marcia(const ingresso_marcia& in, const risultato_marcia& r, const opzioni_marcia& o,
                           const lettura_km& km, bool colori) {
    const std::vector<riga_tabella> t = righe(r, km);
    std::vector<std::size_t> larghezze(t.front().celle.size(), 0);
    for (const riga_tabella& g : t) {
        for (std::size_t c = 0; c < g.celle.size(); ++c) larghezze[c] = std::max(larghezze[c], g.celle[c].size());
    }
    std::string s;
    for (const riga_tabella& g : t) {
        std::string riga;
        for (std::size_t c = 0; c + 1 < g.celle.size(); ++c) riga += riempi(g.celle[c], larghezze[c] + 2);
        const std::string ultima = g.celle.back();
        riga += colori && g.in_ritardo ? "\033[31m" + ultima + "\033[0m" : ultima;
        s += riga + "\n";
    }
    return s + riga_totale(in, r, o);
}

std::vector<std::size_t> punti_profilo(const ingresso_marcia& in, const risultato_marcia& r) {
    const std::size_t n = r.velocita.size();
    auto moto = [&](std::size_t k) {
        const double d = r.velocita[k + 1] - r.velocita[k];
        return d > 1e-9 ? 1 : d < -1e-9 ? -1 : 0;
    };
    std::vector<std::size_t> p;
    for (std::size_t k = 0; k < n; ++k) {
        const std::int64_t metro = r.inizio + static_cast<std::int64_t>(k);
        const bool estremo = k == 0 || k + 1 == n;
        const bool cambio = !estremo && (moto(k - 1) != moto(k) || r.ammessa[k - 1] != r.ammessa[k] ||
                                         pendenza_a(in, metro - 1) != pendenza_a(in, metro) || r.velocita[k] == 0);
        if (estremo || cambio) p.push_back(k);
    }
    return p;
}

nlohmann::ordered_json json_marcia(const ingresso_marcia& in, const risultato_marcia& r, const opzioni_marcia& o,
                                   const lettura_km& km, const std::vector<rilievo_marcia>& rilievi) {
    using json = nlohmann::ordered_json;
    json j;
    j["train"] = {{"coaches", in.treno.vetture},
                  {"length_m", r.lunghezza_treno},
                  {"braked_mass_percent", in.treno.massa_frenata},
                  {"braking_level_ms2", decelerazione_frenatura(in.treno.massa_frenata, 0, o.frenatura)}};
    j["options"] = {{"coach_length_m", o.lunghezza_vettura},
                    {"acceleration_ms2", o.accelerazione},
                    {"dwell_s", o.sosta},
                    {"brake_coefficient", o.frenatura.coefficiente}};
    json fermate = json::array();
    for (const fermata_marcia& f : r.fermate) {
        fermate.push_back({{"station", f.stazione ? json(utf8_da_1252(f.stazione->nome)) : json(nullptr)},
                           {"metre", f.posizione},
                           {"km", km(f.posizione)},
                           {"scheduled", f.orario ? json(*f.orario) : json(nullptr)},
                           {"earliest", f.minimo ? json(*f.minimo) : json(nullptr)},
                           {"arrival", f.arrivo},
                           {"departure", f.partenza},
                           {"running_s", f.corsa},
                           {"least_running_s", f.limite ? json(*f.limite) : json(nullptr)},
                           {"slack_s", f.orario && f.stazione != r.fermate.front().stazione
                                           ? json(static_cast<double>(*f.orario) - f.arrivo)
                                           : json(nullptr)}});
    }
    j["stops"] = fermate;
    j["blocked"] = r.bloccata ? json(*r.bloccata) : json(nullptr);
    json profilo = json::array();
    for (const std::size_t k : punti_profilo(in, r)) {
        profilo.push_back({{"metre", r.inizio + static_cast<std::int64_t>(k)},
                           {"speed_kmh", kmh(r.velocita[k])},
                           {"permitted_kmh", k < r.ammessa.size() ? json(kmh(r.ammessa[k])) : json(nullptr)},
                           {"time", r.tempo[k]}});
    }
    j["profile"] = profilo;
    json trovati = json::array();
    for (const rilievo_marcia& x : rilievi) {
        trovati.push_back({{"name", x.nome},
                           {"file", x.dove.file == sorgente::nessuna ? json(nullptr) : json(nome_sorgente(x.dove.file))},
                           {"line", x.dove.riga > 0 ? json(x.dove.riga) : json(nullptr)},
                           {"column", x.dove.colonna > 0 ? json(x.dove.colonna) : json(nullptr)},
                           {"message", utf8_da_1252(x.messaggio)}});
    }
    j["findings"] = trovati;
    return j;
}

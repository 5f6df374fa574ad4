#include "tests/generatore/generatore.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "sources/scrittura_sorgenti.h"
#include "tests/generatore/contesto.h"

namespace {

constexpr std::int32_t lunghezza_massima = 1000000;
constexpr std::int32_t montagne_massime = 80;
constexpr std::int32_t stazioni_e_cartelli_massimi = 78;
constexpr std::int32_t stazioni_massime = 60;

void verifica_parametri(const parametri_generatore& p) {
    if (p.lunghezza < 0 || p.lunghezza > lunghezza_massima) {
        throw std::invalid_argument("the line length must be from 0 to 1,000,000 m");
    }
    if (!std::isfinite(p.densita) || p.densita < 0) throw std::invalid_argument("the density must be 0 or more");
    if (!p.conteggi) return;
    const conteggi_record& c = *p.conteggi;
    for (const std::int32_t n : {c.curve, c.pendenze, c.montagne, c.indicatori, c.cartelli, c.aderenze, c.velocita,
                                 c.stazioni, c.rallentamenti, c.segnali, c.abbattimenti}) {
        if (n < 0) throw std::invalid_argument("a record count must be 0 or more");
    }
}

// The limits of the format, whatever was asked for.
conteggi_record nei_limiti(conteggi_record c) {
    c.montagne = std::min(c.montagne, montagne_massime);
    c.stazioni = std::min(c.stazioni, stazioni_e_cartelli_massimi);
    c.cartelli = std::min(c.cartelli, stazioni_e_cartelli_massimi - c.stazioni);
    return c;
}

conteggi_record contati(const sorgente_linea& l, const sorgente_treno& t) {
    conteggi_record c;
    auto n = [](const auto& v) { return static_cast<std::int32_t>(v.size()); };
    c.curve = n(l.curve);
    c.pendenze = n(l.pendenze);
    c.montagne = n(l.montagne);
    c.indicatori = n(l.indicatori);
    c.cartelli = n(l.cartelli);
    c.aderenze = n(t.aderenze);
    c.velocita = n(t.velocita);
    c.stazioni = n(t.stazioni);
    c.rallentamenti = n(t.rallentamenti);
    c.segnali = n(t.segnali);
    c.abbattimenti = n(t.abbattimenti);
    return c;
}

}  // namespace

std::int32_t totale(const conteggi_record& c) {
    return c.curve + c.pendenze + c.montagne + c.indicatori + c.cartelli + c.aderenze + c.velocita + c.stazioni +
           c.rallentamenti + c.segnali + c.abbattimenti;
}

conteggi_record conteggi_da_densita(std::int32_t lunghezza, double densita) {
    const double tutti = densita * lunghezza / 1000.0;
    auto quota = [tutti](double parte) {
        return static_cast<std::int32_t>(std::max<long long>(1, std::llround(tutti * parte)));
    };
    conteggi_record c;
    c.segnali = quota(0.20);
    c.curve = quota(0.13);
    c.pendenze = quota(0.12);
    c.stazioni = std::min(quota(0.10), stazioni_massime);
    c.rallentamenti = quota(0.08);
    c.velocita = quota(0.08);
    c.abbattimenti = quota(0.06);
    c.indicatori = quota(0.06);
    c.montagne = quota(0.06);
    c.cartelli = quota(0.06);
    c.aderenze = quota(0.05);
    return nei_limiti(c);
}

std::int32_t posizione_casuale(sorgente_casuale& c, std::int64_t da, std::int64_t a) {
    if (a < da) return static_cast<std::int32_t>(da);
    const std::int64_t modo = intero(c, 0, 9);
    if (modo < 6) return static_cast<std::int32_t>(multiplo(c, da, a, 50));
    if (modo < 8) return static_cast<std::int32_t>(intero(c, da, a));
    return static_cast<std::int32_t>(multiplo(c, da - 25, a - 25, 50) + 25);
}

std::vector<std::int32_t> posizioni_crescenti(sorgente_casuale& c, std::int32_t quante, std::int64_t da,
                                              std::int64_t a, bool da_zero) {
    // Draws in [da, a - 150 (quante - 1)], sorts, then spreads the i-th by
    // 150 i: neighbours are at least 150 m apart, and still 101 m apart once a
    // position is moved down to a multiple of 50.
    constexpr std::int64_t scarto = 150;
    if (quante <= 0 || a < da) return {};
    quante = static_cast<std::int32_t>(std::min<std::int64_t>(quante, (a - da) / scarto + 1));
    const std::int64_t ultimo_estratto = a - scarto * (quante - 1);
    std::vector<std::int64_t> base(static_cast<std::size_t>(quante));
    for (std::int64_t& b : base) b = intero(c, da, ultimo_estratto);
    std::sort(base.begin(), base.end());
    if (da_zero) base.front() = da;
    const bool a_multipli = probabile(c, 7, 10);
    std::vector<std::int32_t> posizioni;
    for (std::size_t i = 0; i < base.size(); ++i) {
        std::int64_t p = base[i] + scarto * static_cast<std::int64_t>(i);
        if (a_multipli && p - p % 50 >= da) p -= p % 50;
        posizioni.push_back(static_cast<std::int32_t>(p));
    }
    return posizioni;
}

scenario_generato genera_scenario(const parametri_generatore& p) {
    verifica_parametri(p);
    const conteggi_record voluti =
        nei_limiti(p.conteggi ? *p.conteggi : conteggi_da_densita(p.lunghezza, p.densita));

    contesto_generazione g{sorgente_casuale(p.seme), p.lunghezza,
                           p.lunghezza + (p.casi_limite ? std::min(5000, p.lunghezza / 10) : 0), p.casi_limite,
                           occupazione_vuota(celle_tracciato(p.lunghezza)), {},
                           std::vector<bool>(static_cast<std::size_t>(celle_tracciato(p.lunghezza)) + 1, false),
                           p.sovrapposizioni};
    sorgente_linea linea;
    sorgente_treno treno;
    genera_generale_linea(g, linea);
    genera_generale_treno(g, treno);
    // Objects with the widest needs first: stations (spacing and extent),
    // slowdowns (warning board, lead-in cells, finishing boards), signals.
    genera_stazioni(g, voluti.stazioni, treno);
    if (p.sovrapposizioni) genera_sovrapposizioni(g, treno);
    genera_rallentamenti(g, voluti.rallentamenti, treno);
    genera_segnali(g, voluti.segnali, treno);
    genera_corpo_linea(g, voluti, static_cast<std::int32_t>(treno.stazioni.size()), linea);
    genera_abbattimenti(g, voluti.abbattimenti, treno);
    genera_velocita_aderenze(g, voluti, treno);
    if (p.sovrapposizioni) mescola_ordine(g, treno);

    scenario_generato s;
    s.linea = testo_linea(linea);
    s.treno = testo_treno(treno);
    s.conteggi = contati(linea, treno);
    s.celle_attese = std::move(g.celle.contenuto);
    return s;
}

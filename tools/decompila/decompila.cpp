#include "tools/decompila/decompila.h"

#include <algorithm>
#include <memory>

#include "sources/scrittura_sorgenti.h"
#include "tools/decompila/decompila_cartelli.h"
#include "tools/decompila/decompila_celle.h"
#include "tools/decompila/decompila_confronto.h"
#include "tools/decompila/decompila_curve.h"
#include "tools/decompila/decompila_cursori.h"
#include "tools/decompila/decompila_generale.h"
#include "tools/decompila/decompila_montagne.h"
#include "tools/decompila/decompila_rallentamenti.h"
#include "tools/decompila/decompila_segnali.h"
#include "tools/decompila/decompila_stazioni.h"

namespace {

// Gradients: the byte is the gradient + 100, and 100 before the first record.
// Speed limits: the byte is the speed's fifth; adhesion: the byte itself.
constexpr std::uint8_t pendenza_zero = 100;

template <typename F>
std::vector<record_punto> punti(const quadro_scenario& q, std::uint8_t cella::*campo, std::uint8_t iniziale, F valore) {
    std::vector<std::uint8_t> b(q.tracciato.size());
    for (std::size_t i = 0; i < b.size(); ++i) b[i] = q.tracciato[i].*campo;
    std::vector<record_punto> r;
    for (const punto_cursore& p : punti_cursore(b, q.numero_celle, iniziale)) r.push_back({p.posizione, valore(p.byte)});
    return r;
}

// A speed-limit or adhesion list begins at 0 m: where the cells before its
// first change hold 0, a record of 0 at 0 m, which writes no cell (the value
// in force before any record is 0), so that no cell is left to no record.
std::vector<record_punto> da_zero(std::vector<record_punto> r) {
    if (r.empty() || r.front().posizione != 0) r.insert(r.begin(), record_punto{0, 0});
    return r;
}

// The boards of value 180 in the files that the build of the sources did not
// place: abbattimento points of value 180 from now on. False when there is none.
bool aggiungi_tabelle(const quadro_scenario& q, const std::vector<cella>& costruito, sorgente_treno& t) {
    bool aggiunte = false;
    for (std::size_t i = 0; i < q.tracciato.size(); ++i) {
        const cella& a = q.tracciato[i];
        if (a.tipo != tipo_cella::tabella_con_valore || a.valore1 != valore_tabella_finale) continue;
        const bool fatta = i < costruito.size() && costruito[i].tipo == a.tipo && costruito[i].valore1 == a.valore1;
        const auto c = static_cast<std::int32_t>(i);
        if (fatta || !abbattimento_possibile(q, c)) continue;
        const record_punto p = abbattimento(c, a.valore1);
        const auto dove = std::lower_bound(t.abbattimenti.begin(), t.abbattimenti.end(), p,
                                           [](const record_punto& x, const record_punto& y) { return x.posizione < y.posizione; });
        if (dove != t.abbattimenti.end() && dove->posizione == p.posizione) continue;
        t.abbattimenti.insert(dove, p);
        aggiunte = true;
    }
    return aggiunte;
}

}  // namespace

sorgenti_recuperate recupera_sorgenti(const quadro_scenario& q, note_decompilazione& n) {
    sorgenti_recuperate s;
    recupera_generale(q, s, n);
    recupera_curve(q, s.linea, n);
    s.linea.pendenze = punti(q, &cella::pendenza, pendenza_zero, [](std::uint8_t b) { return b - pendenza_zero; });
    recupera_montagne(q, s.linea, n);
    recupera_indicatori(q, s.linea, n);
    const int prima_voce_cartelli = recupera_cartelli(q, s.linea, n);
    recupera_stazioni(q, prima_voce_cartelli, s.treno, n);
    s.treno.aderenze = da_zero(punti(q, &cella::aderenza, 0, [](std::uint8_t b) { return std::int32_t{b}; }));
    s.treno.velocita = da_zero(punti(q, &cella::vel_limite, 0, [](std::uint8_t b) { return std::int32_t{b} * 5; }));
    recupera_rallentamenti(q, s.treno, n);
    recupera_segnali(q, s.treno, n);
    recupera_abbattimenti(q, s.treno, n);
    controlla_celle(q, s.treno, n);
    return s;
}

esito_decompilazione decompila(const file_binari& f, const nomi_scenario& nomi) {
    note_decompilazione note;
    const quadro_scenario q = leggi_quadro(f, nomi, note);
    sorgenti_recuperate s = recupera_sorgenti(q, note);
    esito_decompilazione e;
    e.linea = testo_linea(s.linea);
    // The boards: builds without the plan, which the boards do not touch.
    for (e.giri = 1; e.giri <= giri_massimi; ++e.giri) {
        e.treno = testo_treno(s.treno);
        auto c = std::make_unique<costruzione_in_memoria>();
        compila_sorgenti(*c, nomi, e.linea, e.treno, false);
        if (c->fatale != esito_fatale::nessuno || !aggiungi_tabelle(q, c->modello.tracciato, s.treno)) break;
    }
    e.giri = std::min(e.giri, giri_massimi);
    e.treno = testo_treno(s.treno);
    auto c = std::make_unique<costruzione_in_memoria>();
    compila_sorgenti(*c, nomi, e.linea, e.treno, f.planimetria.has_value());
    e.esatto = stessi_file(*c, nomi, f);
    e.errori_predefiniti = errori_predefiniti(c->modello);
    if (!e.esatto) e.differenze = differenze(*c, f, q.planimetria, note);
    return e;
}

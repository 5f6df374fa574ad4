#include "tools/decompila/decompila_celle.h"

#include <string>
#include <vector>

#include "tools/decompila/decompila_stazioni.h"

namespace {

void controlla_valori(const cella& x, std::int32_t c, const descrizione_tipo_cella& d, note_decompilazione& n) {
    const std::int16_t v[4] = {x.valore1, x.valore2, x.valore3, x.valore4};
    for (std::size_t k = 0; k < 4; ++k) {
        if (v[k] == 0 || campo_usato(d, static_cast<campo_valore>(k))) continue;
        annota(n, parte_scenario::tracciato, c,
               std::string(nomi_campi_valore[k]) + " is " + std::to_string(v[k]) + "; no record writes it in a cell of kind " +
                   std::to_string(x.tipo));
    }
    if (x.tempo_segnale != 0 && !campo_usato(d, campo_valore::tempo_segnale)) {
        annota(n, parte_scenario::tracciato, c,
               "tempo_segnale is " + std::to_string(x.tempo_segnale) + "; only a signal has a time");
    }
}

// The entry of the station marker each cell gets from the stations.
std::vector<std::int32_t> marche_stazioni(const quadro_scenario& q, const sorgente_treno& t) {
    std::vector<std::int32_t> voce_in(q.tracciato.size(), 0);
    for (std::size_t i = 0; i < t.stazioni.size(); ++i) {
        const std::int64_t c = marche_di(t.stazioni[i]).marca;
        if (c >= 0 && c < static_cast<std::int64_t>(voce_in.size())) voce_in[static_cast<std::size_t>(c)] = static_cast<std::int32_t>(i + 1);
    }
    return voce_in;
}

// The cells where a slowdown or a signal read before a station lies under
// the station's marker, which keeps their values but the first.
std::vector<bool> sotto_le_marche(const quadro_scenario& q, const sorgente_treno& t) {
    std::vector<bool> sotto(q.tracciato.size(), false);
    auto segna = [&](std::int64_t c) {
        if (c >= 0 && c < static_cast<std::int64_t>(sotto.size())) sotto[static_cast<std::size_t>(c)] = true;
    };
    const std::size_t stazioni = t.stazioni.size();
    for (const record_rallentamento& r : t.rallentamenti) {
        if (r.stazioni_prima >= stazioni) continue;
        segna(cella_della_posizione(r.x, 1));
        segna(cella_della_posizione(std::int64_t{r.x} + r.l, 1));
        segna(cella_della_posizione(r.x, scarto_avviso));
        for (std::int64_t i = 1; i <= 4; ++i) segna(cella_della_posizione(r.x, scarto_avviso - 1) + 1 - i);
    }
    for (const record_segnale& s : t.segnali) {
        if (s.stazioni_prima < stazioni) segna(cella_della_posizione(s.posizione, 1));
    }
    return sotto;
}

}  // namespace

void controlla_celle(const quadro_scenario& q, const sorgente_treno& t, note_decompilazione& n) {
    const std::vector<std::int32_t> voce_in = marche_stazioni(q, t);
    const std::vector<bool> sotto = sotto_le_marche(q, t);
    for (std::size_t i = 0; i < q.tracciato.size(); ++i) {
        const cella& x = q.tracciato[i];
        const auto c = static_cast<std::int32_t>(i);
        const descrizione_tipo_cella* d = descrizione_tipo(x.tipo);
        if (d == nullptr) {
            annota(n, parte_scenario::tracciato, c, "no record makes a cell of kind " + std::to_string(x.tipo));
            continue;
        }
        if (x.tipo != tipo_cella::marca_stazione || !sotto[i]) controlla_valori(x, c, *d, n);
        if (x.tipo == tipo_cella::marca_stazione && (voce_in[i] == 0 || voce_in[i] != x.valore1)) {
            annota(n, parte_scenario::tracciato, c,
                   "a station marker of entry " + std::to_string(x.valore1) + ", which no station places here");
        }
    }
}

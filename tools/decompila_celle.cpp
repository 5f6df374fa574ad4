#include "tools/decompila_celle.h"

#include <string>

#include "tools/decompila_stazioni.h"

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

}  // namespace

void controlla_celle(const quadro_scenario& q, const sorgente_treno& t, note_decompilazione& n) {
    const std::vector<std::int32_t> voce_in = marche_stazioni(q, t);
    for (std::size_t i = 0; i < q.tracciato.size(); ++i) {
        const cella& x = q.tracciato[i];
        const auto c = static_cast<std::int32_t>(i);
        const descrizione_tipo_cella* d = descrizione_tipo(x.tipo);
        if (d == nullptr) {
            annota(n, parte_scenario::tracciato, c, "no record makes a cell of kind " + std::to_string(x.tipo));
            continue;
        }
        controlla_valori(x, c, *d, n);
        if (x.tipo == tipo_cella::marca_stazione && (voce_in[i] == 0 || voce_in[i] != x.valore1)) {
            annota(n, parte_scenario::tracciato, c,
                   "a station marker of entry " + std::to_string(x.valore1) + ", which no station places here");
        }
    }
}

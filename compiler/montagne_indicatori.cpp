// Mountain spans and maximum-speed indicator boards on the track cells.
#include <string>

#include "compiler/compilazione.h"
#include "compiler/conversioni.h"
#include "compiler/record.h"

namespace {

// Spans that begin this close after the previous span's end join it (kind 3).
constexpr std::int32_t distanza_unione = 150;
constexpr std::int32_t tipo_unione = 3;

// A kind above this asks for marks along the span; the kind is what is above it.
constexpr std::int32_t soglia_marche = 10;

// Entry i of a mountain list; entries 1 to 80 hold spans, 0 stays unused.
std::int32_t& voce_montagna(std::array<std::int32_t, voci_montagne>& lista, std::int64_t i) {
    if (i < 0 || i >= voci_montagne) {
        fallisci("mountain list", "span " + std::to_string(i) + " beyond the last entry (80)", {},
                 {genere_guasto::montagna_fuori, {i, 0}, 0, ""});
    }
    return lista[static_cast<std::size_t>(i)];
}

// The kind written into each cell of a span, and every fourth cell marked
// when it holds nothing.
void stendi_montagna(modello_scenario& m, std::int32_t primo, std::int32_t ultimo, std::int32_t tipo, bool marche,
                     const luogo& origine) {
    std::int64_t k = 0;
    for (std::int64_t i = primo; i <= ultimo; ++i) {
        cella& c = cella_tracciato(m, i);
        ++k;
        c.montagna = bassi_8(tipo);
        if (marche && k % 4 == 0 && c.tipo == tipo_cella::libero) {
            cella_scritta(m, origine, i).tipo = tipo_cella::marca_montagna;
        }
    }
}

// a × 20 + b / 5, rounded to a 16-bit value.
std::int16_t codifica_velocita(std::int32_t a, std::int32_t b) {
    const std::int32_t venti_a = long_controllato(static_cast<std::int64_t>(a) * 20);
    return converti_arrotondato<std::int16_t>(venti_a + b / 5.0);
}

}  // namespace

void memo_montagna(modello_scenario& m, const record_montagna& r, const luogo& origine) {
    std::int32_t tipo = r.tipo;
    const bool marche = tipo > soglia_marche;
    if (marche) tipo -= soglia_marche;
    m.numero_montagne = long_controllato(static_cast<std::int64_t>(m.numero_montagne) + 1);
    voce_montagna(m.montagne_inizio, m.numero_montagne) = r.inizio;
    voce_montagna(m.montagne_fine, m.numero_montagne) = r.fine;
    if (m.numero_montagne > 1) {
        const std::int32_t fine_precedente = voce_montagna(m.montagne_fine, m.numero_montagne - 1);
        if (long_controllato(static_cast<std::int64_t>(r.inizio) - fine_precedente) <= distanza_unione) {
            tipo = tipo_unione;
        }
    }
    const std::int32_t primo = cella_di(r.inizio);
    const std::int32_t ultimo = cella_di(r.fine, -1);
    if (primo > ultimo) return;
    stendi_montagna(m, primo, ultimo, tipo, marche, origine);
}

posa memo_indicatori_v_max(modello_scenario& m, const record_indicatori& r, const luogo& origine) {
    const std::int32_t i = cella_di(r.posizione, 1);
    if (!cella_libera(cella_tracciato(m, i))) return {stato::indicatori_occupati, i};
    cella& c = cella_scritta(m, origine, i);
    c.tipo = tipo_cella::indicatori_v_max;
    c.valore1 = codifica_velocita(r.vas, r.vad);
    c.valore2 = codifica_velocita(r.vbs, r.vbd);
    c.valore3 = codifica_velocita(r.vcs, r.vcd);
    const std::int32_t dieci_s = long_controllato(static_cast<std::int64_t>(r.strisces) * 10);
    c.valore4 = bassi_16(long_controllato(static_cast<std::int64_t>(dieci_s) + r.strisced));
    return {};
}

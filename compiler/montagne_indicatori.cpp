// Mountain spans and maximum-speed indicator boards on the track cells.
#include <string>

#include "compilazione.h"
#include "conversioni.h"

namespace {

// Spans that begin this close after the previous span's end join it (kind 3).
constexpr std::int32_t distanza_unione = 150;
constexpr std::int32_t tipo_unione = 3;

// Entry i of a mountain list; entries 1 to 80 hold spans, 0 stays unused.
std::int32_t& voce_montagna(std::array<std::int32_t, voci_montagne>& lista, std::int64_t i) {
    if (i < 0 || i >= voci_montagne) {
        fallisci("mountain list", "span " + std::to_string(i) + " beyond the last entry (80)");
    }
    return lista[static_cast<std::size_t>(i)];
}

// The kind written into each cell of a span, and every fourth cell marked
// when it holds nothing.
void stendi_montagna(modello_scenario& m, std::int32_t primo, std::int32_t ultimo, std::int32_t tipo) {
    std::int64_t k = 0;
    for (std::int64_t i = primo; i <= ultimo; ++i) {
        m.indice = static_cast<std::int32_t>(i);
        cella& c = cella_tracciato(m, i);
        ++k;
        c.montagna = bassi_8(tipo);
        if (m.passo == 1 && k % 4 == 0 && c.tipo == tipo_cella::libero) c.tipo = tipo_cella::marca_montagna;
    }
}

// a × 20 + b / 5, rounded to a 16-bit value.
std::int16_t codifica_velocita(std::int32_t a, std::int32_t b) {
    const std::int32_t venti_a = long_controllato(static_cast<std::int64_t>(a) * 20);
    return converti_arrotondato<std::int16_t>(venti_a + b / 5.0);
}

}  // namespace

void memo_montagna(modello_scenario& m, std::int32_t& inizio, std::int32_t& fine, std::int32_t& tipo) {
    m.passo = 0;
    if (tipo > 10) {
        m.passo = 1;
        tipo -= 10;
    }
    m.numero_montagne = long_controllato(static_cast<std::int64_t>(m.numero_montagne) + 1);
    voce_montagna(m.montagne_inizio, m.numero_montagne) = inizio;
    voce_montagna(m.montagne_fine, m.numero_montagne) = fine;
    if (m.numero_montagne > 1) {
        const std::int32_t fine_precedente = voce_montagna(m.montagne_fine, m.numero_montagne - 1);
        if (long_controllato(static_cast<std::int64_t>(inizio) - fine_precedente) <= distanza_unione) {
            tipo = tipo_unione;
        }
    }
    const std::int32_t primo = arrotonda_long(inizio / 50.0);
    const std::int32_t ultimo = arrotonda_long(fine / 50.0 - 1);
    if (primo > ultimo) return;
    stendi_montagna(m, primo, ultimo, tipo);
}

void memo_indicatori_v_max(modello_scenario& m, std::int32_t posizione, std::int32_t& vas, std::int32_t& vbs,
                           std::int32_t& vcs, std::int32_t& strisces, std::int32_t& vad, std::int32_t& vbd,
                           std::int32_t& vcd, std::int32_t& strisced) {
    cella& c = cella_tracciato(m, arrotonda_long(posizione / 50.0 + 1));
    if (!cella_libera(c)) {
        m.codice_errore = 21;
        return;
    }
    c.tipo = tipo_cella::indicatori_v_max;
    c.valore1 = codifica_velocita(vas, vad);
    c.valore2 = codifica_velocita(vbs, vbd);
    c.valore3 = codifica_velocita(vcs, vcd);
    const std::int32_t dieci_s = long_controllato(static_cast<std::int64_t>(strisces) * 10);
    c.valore4 = bassi_16(long_controllato(static_cast<std::int64_t>(dieci_s) + strisced));
}

// A slowdown whose speed is not below the speed limit in force at its start
// cell: the train need not slow down for it.
#include "compiler/geometria.h"
#include "tools/analisi/esami.h"

namespace {

// A cell keeps its speed limit divided by 5.
constexpr std::int32_t passo_velocita = 5;

}  // namespace

void esame_rallentamenti_inutili(const dati_esame& d, std::vector<rilievo>& r) {
    for (const record_scritto* x : record_di_forma(d.record.treno, "rallentamento")) {
        const std::optional<std::int32_t> inizio = numero_di(*x, 0);
        const std::optional<std::int32_t> v = numero_di(*x, 1);
        if (!inizio || !v) continue;
        const std::int64_t c = cella_della_posizione(*inizio, 1);
        if (c < 0 || c >= static_cast<std::int64_t>(d.m.tracciato.size())) continue;
        const std::int32_t limite = d.m.tracciato[static_cast<std::size_t>(c)].vel_limite * passo_velocita;
        if (limite == 0 || *v < limite) continue;
        r.push_back({esame::rallentamento_inutile, x->valori[1].dove,
                     "a slowdown at " + std::to_string(*v) + " km/h where the speed limit is " +
                         std::to_string(limite) + " km/h: it slows nothing",
                     {}});
    }
}

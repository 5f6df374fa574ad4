#include "tools/analisi/controlli_marcia.h"

#include <array>

#include "tools/analisi/controllo_frenata_rallentamento.h"
#include "tools/analisi/controllo_orario_impossibile.h"
#include "tools/analisi/controllo_orario_indietro.h"
#include "tools/analisi/controllo_orario_stretto.h"
#include "tools/analisi/controllo_prima_avvio.h"

namespace {

const std::array<const scheda_controllo*, 5> schede{
    &controllo_orario_indietro, &controllo_prima_avvio,           &controllo_orario_impossibile,
    &controllo_orario_stretto,  &controllo_frenata_rallentamento,
};

}  // namespace

std::span<const scheda_controllo* const> schede_controlli_marcia() { return schede; }

std::vector<rilievo_marcia> rilievi_marcia(const ingresso_marcia& in, const opzioni_marcia& o) {
    return rilievi_marcia(in, o, calcola_marcia(in, o));
}

std::vector<rilievo_marcia> rilievi_marcia(const ingresso_marcia& in, const opzioni_marcia& o, const risultato_marcia& marcia) {
    const contesto_controlli c{in, o, marcia};
    std::vector<rilievo_marcia> r;
    for (const scheda_controllo* s : schede) {
        std::vector<rilievo_marcia> trovati = s->controlla(c);
        r.insert(r.end(), trovati.begin(), trovati.end());
    }
    return r;
}

std::vector<rilievo_marcia> rilievi_marcia(const modello_scenario& m, const opzioni_marcia& o) {
    if (m.tracciato.empty()) return {};
    return rilievi_marcia(ingresso_dal_modello(m), o);
}

#include "tools/analisi/controllo_orario_stretto.h"

#include <cmath>

#include "tools/analisi/orari.h"

namespace {

std::int64_t per_eccesso(double s) { return static_cast<std::int64_t>(std::ceil(s - 1e-6)); }

std::vector<rilievo_marcia> controlla(const contesto_controlli& c) {
    std::vector<rilievo_marcia> r;
    const std::vector<fermata_marcia>& f = c.marcia.fermate;
    for (std::size_t i = 1; i < f.size(); ++i) {
        const fermata_marcia& s = f[i];
        const fermata_marcia& prima = f[i - 1];
        if (s.stazione == nullptr || !s.orario || !s.limite) continue;
        const double dato = static_cast<double>(*s.orario) - prima.riferimento;
        if (dato < *s.limite - 1e-6) continue;  // impossible at the limits alone: timetable-impossible
        const std::int64_t arrivo = per_eccesso(prima.riferimento + s.corsa);
        if (arrivo <= *s.orario) continue;
        const std::string da = prima.stazione != nullptr && prima.stazione->orario
                                   ? "leaving '" + prima.stazione->nome + "' at " + testo_orario(per_eccesso(prima.riferimento))
                                   : "leaving at the start clock " + testo_orario(per_eccesso(prima.riferimento));
        r.push_back({"timetable-tight", gravita::avviso, s.stazione->dove,
                     da + ", the fastest run reaches '" + s.stazione->nome + "' at " + testo_orario(arrivo) + ", " +
                         testo_durata(arrivo - *s.orario) + " after its time " + testo_orario(*s.orario) +
                         " (it runs " + testo_metri(s.posizione - prima.posizione) + " in " +
                         testo_durata(per_eccesso(s.corsa)) + "; the limits alone allow " +
                         testo_durata(per_eccesso(*s.limite)) + ")"});
    }
    return r;
}

}  // namespace

const scheda_controllo controllo_orario_stretto{
    "timetable-tight",
    gravita::avviso,
    "leaving the timed station before it at its time, the fastest run of the train (accelerating and braking at "
    "the model's rates, see 'scenario-tool run') gets to a timed station after its time",
    "velocita,   0,   100\n"
    "stazione,     0, 22, 600, 0,0,0, 0,0,0, 4,1,1, 1, 20,9, 0, TAVA AEROPORTO\n"
    "stazione,  2000, 4, 700, 1,0,0, 4,1,2, 2,1,1, 60, 20,10, 15, TAVA CENTRALE",
    "velocita,   0,   100\n"
    "stazione,     0, 22, 600, 0,0,0, 0,0,0, 4,1,1, 1, 20,9, 0, TAVA AEROPORTO\n"
    "stazione,  2000, 4, 700, 1,0,0, 4,1,2, 2,1,1, 60, 20,12, 0, TAVA CENTRALE",
    controlla,
};

#include "tools/analisi/controllo_orario_impossibile.h"

#include <cmath>

#include "tools/analisi/limite_orario.h"
#include "tools/analisi/orari.h"

namespace {

// Seconds rounded up, a hair's breadth of rounding forgiven.
std::int64_t secondi_per_eccesso(double s) { return static_cast<std::int64_t>(std::ceil(s - 1e-6)); }

std::vector<rilievo_marcia> controlla(const contesto_controlli& c) {
    std::vector<rilievo_marcia> r;
    const std::vector<const stazione_marcia*> s = stazioni_con_orario(c.ingresso);
    for (std::size_t i = 1; i < s.size(); ++i) {
        const std::int64_t distanza = s[i]->posizione - s[i - 1]->posizione;
        const std::int64_t dato = orario_dopo(*s[i - 1]->orario, *s[i]->orario) - *s[i - 1]->orario;
        if (distanza <= 0 || dato < 0) continue;
        const std::optional<double> minimo = tempo_minimo(c.ingresso, s[i - 1]->posizione, s[i]->posizione);
        if (!minimo || static_cast<double>(dato) >= *minimo - 1e-6) continue;
        r.push_back({"timetable-impossible", gravita::avviso, s[i]->dove,
                     "the timetable gives " + testo_durata(dato) + " for " + testo_metri(distanza) +
                         "; at the line's limits it takes at least " + testo_durata(secondi_per_eccesso(*minimo))});
    }
    return r;
}

}  // namespace

const scheda_controllo controllo_orario_impossibile{
    "timetable-impossible",
    gravita::avviso,
    "between two timed stations the timetable gives less time than running every metre at its speed limit or "
    "slowdown takes, with no acceleration and no braking: no train can keep it",
    "velocita,   0,    30\nvelocita,    1000,   100\n"
    "stazione,     0, 22, 600, 0,0,0, 0,0,0, 4,1,1, 1, 20,9, 0, TAVA AEROPORTO\n"
    "stazione,  4000, 4, 700, 1,0,0, 4,1,2, 2,1,1, 60, 20,11, 0, TAVA CENTRALE",
    "velocita,   0,    30\nvelocita,    1000,   100\n"
    "stazione,     0, 22, 600, 0,0,0, 0,0,0, 4,1,1, 1, 20,9, 0, TAVA AEROPORTO\n"
    "stazione,  4000, 4, 700, 1,0,0, 4,1,2, 2,1,1, 60, 20,14, 0, TAVA CENTRALE",
    controlla,
};

#include "tools/analisi/controllo_orario_indietro.h"

#include "tools/analisi/orari.h"

namespace {

std::vector<rilievo_marcia> controlla(const contesto_controlli& c) {
    std::vector<rilievo_marcia> r;
    const std::vector<const stazione_marcia*> s = stazioni_con_orario(c.ingresso);
    for (std::size_t i = 1; i < s.size(); ++i) {
        const std::int32_t prima = *s[i - 1]->orario;
        const std::int32_t dopo = *s[i]->orario;
        if (orario_dopo(prima, dopo) >= prima) continue;
        r.push_back({"timetable-backwards", gravita::avviso, s[i]->dove,
                     "'" + s[i]->nome + "' leaves at " + testo_orario(dopo) + ", before '" + s[i - 1]->nome +
                         "' at " + testo_orario(prima) + ", the timed station before it"});
    }
    return r;
}

}  // namespace

const scheda_controllo controllo_orario_indietro{
    "timetable-backwards",
    gravita::avviso,
    "a timed station's time lies before the time of the timed station before it; a time more than 12 hours "
    "earlier is read as the next day's (a run past midnight), one less than 12 hours earlier as a step back",
    "stazione,  4000, 4, 700, 1,0,0, 4,1,2, 2,1,1, 60, 20,11, 0, TAVA CENTRALE\n"
    "stazione,  9000, 12, 500, 0,0,0, 1,1,0, 3,3,1, 0, 20,5, 0, SAN MERIDANO TERME",
    "stazione,  4000, 4, 700, 1,0,0, 4,1,2, 2,1,1, 60, 20,11, 0, TAVA CENTRALE\n"
    "stazione,  9000, 12, 500, 0,0,0, 1,1,0, 3,3,1, 0, 20,25, 0, SAN MERIDANO TERME",
    controlla,
};

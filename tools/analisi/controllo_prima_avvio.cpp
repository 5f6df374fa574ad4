#include "tools/analisi/controllo_prima_avvio.h"

#include "tools/analisi/orari.h"

namespace {

std::vector<rilievo_marcia> controlla(const contesto_controlli& c) {
    const std::vector<const stazione_marcia*> s = stazioni_con_orario(c.ingresso);
    if (s.empty()) return {};
    const std::int32_t orologio = c.ingresso.orologio;
    const std::int32_t prima = *s.front()->orario;
    if (orario_dopo(orologio, prima) >= orologio) return {};
    return {{"timetable-before-start", gravita::avviso, s.front()->dove,
             "'" + s.front()->nome + "', the first timed station, leaves at " + testo_orario(prima) +
                 ", before the start clock " + testo_orario(orologio)}};
}

}  // namespace

const scheda_controllo controllo_prima_avvio{
    "timetable-before-start",
    gravita::avviso,
    "the first timed station's time lies before the clock the run starts at ('orologio'); a time more than 12 "
    "hours earlier is read as the next day's",
    "orologio,    20  8  30\n"
    "stazione,  0, 22, 600, 0,0,0, 0,0,0, 4,1,1, 1, 20,5, 0, TAVA AEROPORTO",
    "orologio,    20  8  30\n"
    "stazione,  0, 22, 600, 0,0,0, 0,0,0, 4,1,1, 1, 20,9, 0, TAVA AEROPORTO",
    controlla,
};

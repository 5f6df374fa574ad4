#include "tools/analisi/limite_orario.h"

#include "tools/analisi/frenatura.h"

std::optional<double> tempo_minimo(const ingresso_marcia& in, std::int64_t da, std::int64_t a) {
    double t = 0;
    for (const tratto_limite& s : velocita_ammessa(in, da, a)) {
        if (s.velocita <= 0) return std::nullopt;
        t += static_cast<double>(s.a - s.da) / metri_al_secondo(s.velocita);
    }
    return t;
}

#include "tools/analisi/controllo_frenata_rallentamento.h"

#include "compiler/geometria.h"
#include "tools/analisi/frenatura.h"
#include "tools/analisi/orari.h"

namespace {

// A slowdown's board is placed only beyond this start.
constexpr std::int64_t inizio_con_avviso = 1500;

std::string kmh(std::int32_t v) { return std::to_string(v) + " km/h"; }

std::vector<rilievo_marcia> controlla(const contesto_controlli& c) {
    std::vector<rilievo_marcia> r;
    const ingresso_marcia& in = c.ingresso;
    for (const rallentamento_marcia& s : in.rallentamenti) {
        if (s.inizio <= inizio_con_avviso) continue;
        const std::int64_t tabella = s.inizio - distanza_avviso;
        const std::vector<tratto_limite> al_cartello = velocita_ammessa(in, tabella, tabella + 1);
        const std::int32_t v = al_cartello.empty() ? 0 : al_cartello.front().velocita;
        if (v <= s.velocita) continue;
        const std::optional<std::int64_t> metri =
            metri_per_frenare(in, c.opzioni.frenatura, v, std::max(0, s.velocita), s.inizio, 20 * distanza_avviso);
        if (metri && *metri <= distanza_avviso) continue;
        const std::string frena = "to the slowdown's " + kmh(s.velocita);
        const std::string serve = metri ? "needs " + testo_metri(*metri) + " to brake " + frena
                                        : "cannot brake " + frena + " within " + testo_metri(20 * distanza_avviso);
        r.push_back({"slowdown-braking", gravita::avviso, s.dove,
                     "a train at " + kmh(v) + " at the warning board " + serve + " (braked mass " +
                         std::to_string(in.treno.massa_frenata) + " %); the board stands " +
                         testo_metri(distanza_avviso) + " before the slowdown"});
    }
    return r;
}

}  // namespace

std::optional<std::int64_t> metri_per_frenare(const ingresso_marcia& in, const parametri_frenatura& p, double da,
                                              double a, std::int64_t fine, std::int64_t massimo) {
    const double obiettivo = metri_al_secondo(da);
    double v2 = metri_al_secondo(a) * metri_al_secondo(a);
    for (std::int64_t m = 1; m <= massimo && fine - m >= 0; ++m) {
        const double b = decelerazione_frenatura(in.treno.massa_frenata, pendenza_a(in, fine - m), p);
        v2 = std::max(0.0, v2 + 2 * b);
        if (v2 >= obiettivo * obiettivo - 1e-9) return m;
    }
    return std::nullopt;
}

const scheda_controllo controllo_frenata_rallentamento{
    "slowdown-braking",
    gravita::avviso,
    "a train passing a slowdown's warning board (1,200 m before its start) at the speed permitted there cannot "
    "brake to the slowdown's speed by its start, at the deceleration its braked-mass percentage gives on the "
    "gradients there (the braking model of the guide)",
    "percentuale massa frenata,    60\nvelocita,   0,   200\nrallentamento,   9000,   30,   500, 0, 0, 0",
    "percentuale massa frenata,    140\nvelocita,   0,   120\nrallentamento,   9000,   30,   500, 0, 0, 0",
    controlla,
};

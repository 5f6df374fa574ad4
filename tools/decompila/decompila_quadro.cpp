#include "tools/decompila/decompila_quadro.h"

#include <cmath>

#include "tools/binari/dump_testo.h"
#include "track/codici_gara.h"
#include "track/lettura_binaria.h"
#include "track/memorizza_percorso.h"

namespace {

// Metres of track beyond the declared end, and the longest line the build takes.
constexpr std::int64_t coda = 7000;
constexpr std::int64_t lunghezza_massima = 1000000;

template <typename T, typename F>
T decodifica(tipo_file tipo, const std::string& b, F f) {
    try {
        return f(b);
    } catch (const errore_lettura& e) {
        throw errore_decodifica(tipo, std::string("not a ") + nome_tipo(tipo) + " file: " + e.what());
    }
}

// The stamps and check codes of cell 1 and entry 85 are the build's own:
// each is noted when it is not what the build writes, then cleared.
void togli_timbri(quadro_scenario& q, note_decompilazione& n) {
    voce_scenario& linea = q.scenario[voce::dati_linea];
    const std::int32_t st = codice_gara_st(q.nomi.treno, q.nomi.linea);
    const auto og = static_cast<std::int16_t>(codice_gara_og(q.nomi.treno, q.nomi.linea));
    if (linea.par1 != timbro_scenario) {
        annota(n, parte_scenario::scenario, voce::dati_linea,
               "par1 is " + std::to_string(linea.par1) + ", where the build writes its format stamp " +
                   std::to_string(timbro_scenario));
    }
    if (linea.valore4 != st) {
        annota(n, parte_scenario::scenario, voce::dati_linea,
               "valore4 is " + std::to_string(linea.valore4) + ", where the build writes the check code " +
                   std::to_string(st) + " of the line name and train number taken from the file names");
    }
    linea.par1 = 0;
    linea.valore4 = 0;
    if (q.tracciato.size() < 2) return;
    cella& prima = q.tracciato[1];
    if (prima.valore1 != timbro_tracciato) {
        annota(n, parte_scenario::tracciato, 1,
               "valore1 is " + std::to_string(prima.valore1) + ", where the build writes its format stamp " +
                   std::to_string(timbro_tracciato));
    }
    if (prima.valore2 != og) {
        annota(n, parte_scenario::tracciato, 1,
               "valore2 is " + std::to_string(prima.valore2) + ", where the build writes the check code " +
                   std::to_string(og) + " of the line name and train number taken from the file names");
    }
    prima.valore1 = 0;
    prima.valore2 = 0;
}

void controlla_nomi(const quadro_scenario& q, note_decompilazione& n) {
    const std::string& linea = q.scenario[voce::dati_linea].nome;
    const std::string& treno = q.scenario[voce::dati_treno].nome;
    if (linea != q.nomi.linea) {
        annota(n, parte_scenario::scenario, voce::dati_linea,
               "the line name is " + testo_tra_virgolette(linea) + "; the build writes the name taken from the file names, " +
                   testo_tra_virgolette(q.nomi.linea));
    }
    if (treno != q.nomi.treno) {
        annota(n, parte_scenario::scenario, voce::dati_treno,
               "the train number is " + testo_tra_virgolette(treno) + "; the build writes the number taken from the file names, " +
                   testo_tra_virgolette(q.nomi.treno));
    }
}

// The track the declared length gives; the plan's size against it.
void dimensiona(quadro_scenario& q, note_decompilazione& n) {
    const std::int64_t lunghezza = q.scenario[voce::dati_generali].valore2;
    const std::int64_t totale = lunghezza + coda;
    const auto celle = static_cast<std::int64_t>(std::nearbyint(static_cast<double>(totale) / metri_cella));
    const auto presenti = static_cast<std::int64_t>(q.tracciato.size());
    if (lunghezza > lunghezza_massima || celle < 3) {
        annota(n, parte_scenario::scenario, voce::dati_generali,
               "the declared length " + std::to_string(lunghezza) + " m (valore2) is not one the build takes (0 to " +
                   std::to_string(lunghezza_massima) + " m)");
        q.lunghezza_totale = static_cast<std::int32_t>(std::max<std::int64_t>(presenti - 1, 0) * metri_cella);
        q.numero_celle = static_cast<std::int32_t>(std::max<std::int64_t>(presenti - 1, 0));
        return;
    }
    q.lunghezza_totale = static_cast<std::int32_t>(totale);
    q.numero_celle = static_cast<std::int32_t>(celle);
    if (presenti != celle + 1) {
        annota(n, parte_scenario::tracciato, intero_file,
               "the track has " + std::to_string(presenti) + " cells; the declared length " + std::to_string(lunghezza) +
                   " m gives " + std::to_string(celle + 1));
        q.tracciato.resize(static_cast<std::size_t>(celle + 1));
    }
    if (q.planimetria && q.planimetria->ultimo_metro != totale) {
        annota(n, parte_scenario::planimetria, intero_file,
               "the plan has " + std::to_string(std::int64_t{q.planimetria->ultimo_metro} + 1) +
                   " points; the declared length " + std::to_string(lunghezza) + " m gives " +
                   std::to_string(totale + 1));
    }
}

}  // namespace

std::string nome_cella(std::int64_t i) {
    return "cell " + std::to_string(i) + " (" + std::to_string(i * metri_cella) + " m)";
}

quadro_scenario leggi_quadro(const file_binari& f, const nomi_scenario& nomi, note_decompilazione& note) {
    quadro_scenario q;
    q.nomi = nomi_nel_modello(nomi);
    if (f.planimetria) {
        q.planimetria = decodifica<planimetria_linea>(tipo_file::planimetria, *f.planimetria, leggi_planimetria);
    }
    q.scenario = decodifica<std::array<voce_scenario, voci_scenario>>(tipo_file::scenario, f.scenario, leggi_scenario);
    q.tracciato = decodifica<std::vector<cella>>(tipo_file::tracciato, f.tracciato, leggi_tracciato);
    togli_timbri(q, note);
    controlla_nomi(q, note);
    dimensiona(q, note);
    return q;
}

#include "tools/servizio/ricostruzione.h"

#include <chrono>

#include "tools/comune/testo_terminale.h"
#include "tools/vista/vista.h"

esito_ricostruzione ricostruisci(const richiesta_vista& r) {
    const auto inizio = std::chrono::steady_clock::now();
    const vista_sorgenti v = costruisci_vista_sorgenti(r);
    esito_ricostruzione e;
    e.illeggibile = v.costruzione->fatale.illeggibile != sorgente::nessuna;
    e.diagnostiche = v.costruzione->diagnostiche;
    if (v.ingresso) {
        e.pagina = pagina_vista(*v.ingresso);
    } else {
        const std::string& testo = v.costruzione->fatale.testo;
        e.fatale = e.illeggibile ? visibile_percorso(testo) : visibile_misto(testo);
    }
    e.millisecondi =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - inizio).count();
    return e;
}

#include "tools/controllo.h"

#include <memory>

#include "sources/errore_esecuzione.h"
#include "tools/diagnostiche.h"
#include "tools/sorgenti_autore.h"

namespace {

void unisci(std::string& messaggio, const std::string& parte) {
    if (parte.empty()) return;
    if (!messaggio.empty()) messaggio += "; ";
    messaggio += parte;
}

}  // namespace

risultato_compilazione controlla_sorgenti(const richiesta_compilazione& r, const nomi_scenario& nomi) {
    risultato_compilazione ris;
    auto c = std::make_unique<costruzione_in_memoria>();
    std::optional<std::string> linea, treno;
    fatale_costruzione f;
    try {
        linea = leggi_sorgente_autore(r.file_linea, sorgente::linea);
        treno = leggi_sorgente_autore(r.file_treno, sorgente::treno);
        costruisci_in_memoria(*c, nomi, linea ? &*linea : nullptr, treno ? &*treno : nullptr, !r.senza_planimetria);
        ris.fatale = c->fatale;
        ris.testo_fatale = c->testo_fatale;
        // A file of the build in memory has no path: name it alone.
        for (std::size_t p = ris.testo_fatale.find("\"(memory)/"); p != std::string::npos;
             p = ris.testo_fatale.find("\"(memory)/")) {
            ris.testo_fatale.erase(p + 1, 9);
        }
    } catch (const errore_esecuzione& e) {
        ris.fatale = esito_fatale::io;
        ris.testo_fatale = e.operazione + " \"" + e.percorso + "\": " + e.what();
        f.illeggibile = e.dove.file;
        f.perche = e.what();
    }
    ris.stato = c->modello.codice_errore;
    ris.posizione = c->modello.posizione_errore;
    ris.testo_stato = testo_stato(c->modello, r);
    ris.stati_sollevati = c->modello.stati_sollevati;
    unisci(ris.messaggio, ris.testo_stato);
    unisci(ris.messaggio, ris.testo_fatale);
    if (ris.messaggio.empty()) ris.messaggio = testo_stato(0);

    f.esito = ris.fatale;
    f.testo = ris.testo_fatale;
    const sorgenti_autore s{r.file_linea, r.file_treno, linea ? &*linea : nullptr, treno ? &*treno : nullptr};
    ris.diagnostiche = diagnostiche_costruzione(c->modello, s, f);
    return ris;
}

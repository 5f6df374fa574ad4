#include "tools/controllo.h"

#include <memory>

#include "sources/errore_esecuzione.h"
#include "tools/diagnostiche.h"
#include "tools/sorgenti_autore.h"

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
    completa_risultato(ris, c->modello, r, linea, treno, f);
    return ris;
}

// scenario-builder: builds the embedded scenario in the executable's own
// directory. No arguments, no configuration. One builder at a time per
// directory: a second one started while the first runs reports it and ends
// with status 2 before it touches a file.
#include <exception>
#include <memory>
#include <string>

#include "app/sequenza.h"
#include "platform/blocco_cartella.h"
#include "platform/cartella_disco.h"
#include "platform/piattaforma.h"
#include "sources/errore_esecuzione.h"
#include "track/errore.h"

int main() {
    try {
        // The model is large (a long line's plan has millions of points); it
        // lives on the heap for the whole run.
        auto m = std::make_unique<modello_scenario>();
        imposta_identita(*m);
        const std::string percorso = piattaforma::cartella_eseguibile();
        // Held until the process ends.
        const piattaforma::blocco_cartella blocco = piattaforma::blocca_cartella(percorso);
        piattaforma::mostra_attesa();
        cartella dir = piattaforma::cartella_su_disco(percorso);
        esegui_costruzione(*m, dir);
    } catch (const errore_segnalato& e) {
        piattaforma::mostra_messaggio(e.messaggio);
        piattaforma::termina(1);
    } catch (const errore_esecuzione& e) {
        piattaforma::segnala_errore_non_gestito(e.operazione, e.percorso, e.numero, e.what());
    } catch (const std::exception& e) {
        // An allocation failure, or any other failure of the runtime.
        piattaforma::segnala_errore_non_gestito("run", "", 0, e.what());
    }
    piattaforma::termina(0);
}

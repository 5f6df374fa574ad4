// scenario-builder: builds the embedded scenario in the executable's own
// directory. No arguments, no configuration.
#include <memory>

#include "../platform/piattaforma.h"
#include "../sources/errore_esecuzione.h"
#include "../track/errore.h"
#include "sequenza.h"

int main() {
    // The model is large (a long line's plan has millions of points); it lives
    // on the heap for the whole run.
    auto m = std::make_unique<modello_scenario>();
    imposta_identita(*m);
    piattaforma::mostra_attesa();
    try {
        esegui_costruzione(*m, piattaforma::cartella_eseguibile());
    } catch (const errore_segnalato& e) {
        piattaforma::mostra_messaggio(e.messaggio);
        piattaforma::termina(1);
    } catch (const errore_esecuzione& e) {
        piattaforma::segnala_errore_non_gestito(e.operazione, e.percorso, e.numero, e.what());
    }
    piattaforma::termina(0);
}

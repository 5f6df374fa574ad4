// scenario-builder: builds the embedded scenario in the executable's own
// directory. No arguments, no configuration.
#include <exception>
#include <memory>

#include "app/sequenza.h"
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
        piattaforma::mostra_attesa();
        cartella dir = piattaforma::cartella_su_disco(piattaforma::cartella_eseguibile());
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

#include "tools/costruzione/controllo.h"

#include "tools/costruzione/costruzione_autore.h"

risultato_compilazione controlla_sorgenti(const richiesta_compilazione& r, const nomi_scenario& nomi) {
    // Nothing reads the outputs of a check: the plan is validated, not kept.
    risultato_costruzione c = costruisci_autore({r.file_linea, r.file_treno, nomi, !r.senza_planimetria, true, true});
    return risultato_di(c, r);
}

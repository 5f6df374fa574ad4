#include "tools/costruzione/controllo.h"

#include "tools/costruzione/costruzione_autore.h"

risultato_compilazione controlla_sorgenti(const richiesta_compilazione& r, const nomi_scenario& nomi) {
    risultato_costruzione c = costruisci_autore({r.file_linea, r.file_treno, nomi, !r.senza_planimetria, true});
    return risultato_di(c, r);
}

#include "tests/generatore/compila_testi.h"

#include <cstdint>

#include "sources/errore_esecuzione.h"
#include "sources/percorso.h"
#include "tests/supporto.h"
#include "track/errore.h"
#include "track/memorizza_percorso.h"

testi_compilati compila_testi(const std::string& linea, const std::string& treno, const std::string& nome_linea,
                              const std::string& numero_treno) {
    testi_compilati r;
    r.modello = std::make_unique<modello_scenario>();
    r.modello->nome_linea = nome_linea;
    r.modello->numero_treno = numero_treno;
    cartella_temporanea cartella;
    scrivi_tutto(cartella.file(nome_file_linea(nome_linea)), linea);
    scrivi_tutto(cartella.file(nome_file_treno(nome_linea, numero_treno)), treno);
    std::int32_t j = 1;
    try {
        memorizza_percorso(*r.modello, j, cartella.str());
    } catch (const errore_segnalato& e) {
        r.fatale = e.messaggio;
    } catch (const errore_esecuzione& e) {
        r.fatale = e.operazione + ": " + e.what();
    }
    return r;
}

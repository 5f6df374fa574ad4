#include "tests/generatore/compila_testi.h"

#include "sources/cartella.h"
#include "sources/errore_esecuzione.h"
#include "sources/nomi_file.h"
#include "track/errore.h"
#include "track/memorizza_percorso.h"

testi_compilati compila_testi(const std::string& linea, const std::string& treno, const std::string& nome_linea,
                              const std::string& numero_treno) {
    testi_compilati r;
    r.modello = std::make_unique<modello_scenario>();
    r.modello->nome_linea = nome_linea;
    r.modello->numero_treno = numero_treno;
    r.file[nome_file_linea(nome_linea)] = linea;
    r.file[nome_file_treno(nome_linea, numero_treno)] = treno;
    try {
        memorizza_percorso(*r.modello, true, cartella_in_memoria(r.file));
    } catch (const errore_segnalato& e) {
        r.fatale = e.messaggio;
    } catch (const errore_esecuzione& e) {
        r.fatale = e.operazione + ": " + e.what();
    }
    return r;
}

#include "tools/comune/sorgenti_autore.h"

#include "platform/cartella_disco.h"
#include "sources/cartella.h"
#include "sources/errore_esecuzione.h"
#include "tools/comune/percorsi.h"

namespace {

const std::string nessun_percorso;

[[noreturn]] void illeggibile(const std::string& percorso, sorgente quale, int numero, const std::string& perche) {
    throw errore_esecuzione(std::string("read the ") + nome_sorgente(quale), percorso, numero, perche,
                            luogo{quale, 0, 0});
}

}  // namespace

const std::string& percorso_di(const sorgenti_autore& s, sorgente file) {
    if (file == sorgente::linea) return s.percorso_linea;
    if (file == sorgente::treno) return s.percorso_treno;
    return nessun_percorso;
}

const std::string* testo_di(const sorgenti_autore& s, sorgente file) {
    if (file == sorgente::linea) return s.testo_linea;
    if (file == sorgente::treno) return s.testo_treno;
    return nullptr;
}

std::optional<std::string> leggi_sorgente_autore(const std::string& percorso, sorgente quale) {
    const auto [cartella_padre, nome] = separa_percorso(percorso);
    const cartella dir = piattaforma::cartella_su_disco(cartella_padre);
    if (nome.empty()) illeggibile(percorso, quale, 0, "the path names a directory, not a file");
    switch (dir.genere(nome)) {
        case genere_file::assente: return std::nullopt;
        case genere_file::cartella: illeggibile(percorso, quale, 0, "it is a directory, not a file");
        default: break;
    }
    try {
        return dir.leggi(nome, limite_sorgente);
    } catch (const errore_esecuzione& e) {
        illeggibile(percorso, quale, e.numero, e.what());
    }
}

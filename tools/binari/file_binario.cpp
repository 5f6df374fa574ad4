#include "tools/binari/file_binario.h"

#include <cerrno>

#include "platform/cartella_disco.h"
#include "sources/errore_esecuzione.h"
#include "tools/comune/percorsi.h"
#include "track/lettura_binaria.h"

std::size_t limite_binario(tipo_file tipo) {
    switch (tipo) {
        case tipo_file::planimetria: return byte_massimi_planimetria;
        case tipo_file::scenario: return byte_massimi_scenario;
        case tipo_file::tracciato: break;
    }
    return byte_massimi_tracciato;
}

std::string leggi_file_binario(const std::string& percorso, tipo_file tipo) {
    const auto [dove, nome] = separa_percorso(percorso);
    try {
        return piattaforma::cartella_su_disco(dove).leggi(nome, limite_binario(tipo));
    } catch (const errore_esecuzione& e) {
        if (e.numero != EFBIG) throw;
        throw errore_esecuzione(e.operazione, e.percorso, e.numero,
                                std::string(e.what()) + ": no " + nome_tipo(tipo) +
                                    " of a valid line is larger (the longest line is 1000000 m)");
    }
}

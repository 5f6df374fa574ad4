#include "tools/file_binario.h"

#include "platform/cartella_disco.h"
#include "tools/percorsi.h"

std::string leggi_file_binario(const std::string& percorso) {
    const auto [dove, nome] = separa_percorso(percorso);
    return piattaforma::cartella_su_disco(dove).leggi(nome, limite_binario);
}

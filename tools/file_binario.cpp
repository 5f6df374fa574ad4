#include "tools/file_binario.h"

#include "platform/cartella_disco.h"

std::string leggi_file_binario(const std::string& percorso) {
    const std::size_t ultimo = percorso.find_last_of("/\\");
    std::string dove = ".";
    std::string nome = percorso;
    if (ultimo != std::string::npos) {
        dove = ultimo == 0 ? percorso.substr(0, 1) : percorso.substr(0, ultimo);
        nome = percorso.substr(ultimo + 1);
    }
    return piattaforma::cartella_su_disco(dove).leggi(nome, limite_binario);
}

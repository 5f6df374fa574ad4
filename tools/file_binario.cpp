#include "tools/file_binario.h"

#include "platform/cartella_disco.h"
#include "tools/tipo_file.h"

std::string leggi_file_binario(const std::string& percorso) {
    const std::size_t ultimo = ultimo_separatore(percorso);
    std::string dove = ".";
    std::string nome = percorso;
    if (ultimo != std::string::npos) {
        // A root ("/x.sim", "C:\\x.sim") keeps its separator: "C:" alone is
        // the current directory of drive C.
        const bool radice = ultimo == 0 || percorso[ultimo - 1] == ':';
        dove = percorso.substr(0, radice ? ultimo + 1 : ultimo);
        nome = percorso.substr(ultimo + 1);
    }
    return piattaforma::cartella_su_disco(dove).leggi(nome, limite_binario);
}

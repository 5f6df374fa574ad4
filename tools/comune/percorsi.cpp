#include "tools/comune/percorsi.h"

std::size_t ultimo_separatore(const std::string& percorso) {
#ifdef _WIN32
    return percorso.find_last_of("/\\");
#else
    return percorso.find_last_of('/');
#endif
}

std::string nome_base(const std::string& percorso) {
    const std::size_t ultimo = ultimo_separatore(percorso);
    return ultimo == std::string::npos ? percorso : percorso.substr(ultimo + 1);
}

std::pair<std::string, std::string> separa_percorso(const std::string& percorso) {
    const std::size_t ultimo = ultimo_separatore(percorso);
    if (ultimo == std::string::npos) return {".", percorso};
#ifdef _WIN32
    const bool radice = ultimo == 0 || percorso[ultimo - 1] == ':';
#else
    const bool radice = ultimo == 0;
#endif
    return {percorso.substr(0, radice ? ultimo + 1 : ultimo), percorso.substr(ultimo + 1)};
}

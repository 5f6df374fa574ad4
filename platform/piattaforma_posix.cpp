// POSIX implementation: the wait sign and the messages go to standard error.
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/piattaforma.h"
#include "sources/testo_visibile.h"

namespace piattaforma {

std::string cartella_eseguibile() {
    char percorso[PATH_MAX + 1];
    const ssize_t n = ::readlink("/proc/self/exe", percorso, PATH_MAX);
    if (n <= 0) segnala_errore_non_gestito("locate executable", "/proc/self/exe", 0, "cannot read the executable's path");
    std::string cartella(percorso, static_cast<std::size_t>(n));
    const std::size_t ultimo = cartella.find_last_of('/');
    if (ultimo == 0) return "/";
    return cartella.substr(0, ultimo);
}

void mostra_attesa() {
    std::fputs("Attendere\n", stderr);
    std::fflush(stderr);
}

void mostra_messaggio(const std::string& testo) {
    std::fprintf(stderr, "%s\n", testo.c_str());
    std::fflush(stderr);
}

void segnala_errore_non_gestito(const std::string& operazione, const std::string& percorso, int numero,
                                const std::string& descrizione) {
    std::string testo = "Unhandled failure: " + operazione;
    if (!percorso.empty()) testo += " \"" + percorso + "\"";
    testo += ": ";
    if (numero != 0) testo += "error " + std::to_string(numero) + ", ";
    testo += descrizione;
    mostra_messaggio(visibile_percorso(testo));
    termina(2);
}

void termina(int stato) {
    std::fflush(nullptr);
    std::_Exit(stato);
}

}  // namespace piattaforma

// The directory lock on POSIX: flock on a descriptor of the directory itself.
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/blocco_cartella.h"
#include "sources/errore_esecuzione.h"

namespace piattaforma {

blocco_cartella::~blocco_cartella() {
    if (maniglia_ >= 0) ::close(static_cast<int>(maniglia_));
}

blocco_cartella blocca_cartella(const std::string& percorso) {
    const int fd = ::open(percorso.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        const int numero = errno;
        throw errore_esecuzione("lock", percorso, numero, std::strerror(numero));
    }
    blocco_cartella blocco(fd);
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int numero = errno;
        if (numero == EINTR) continue;
        if (numero == EWOULDBLOCK) {
            throw errore_esecuzione("lock", percorso, numero,
                                    "another scenario-builder is running in this directory; nothing was written");
        }
        throw errore_esecuzione("lock", percorso, numero, std::strerror(numero));
    }
    return blocco;
}

}  // namespace piattaforma

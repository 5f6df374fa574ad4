// The directory on disk, on POSIX systems.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/cartella_disco.h"
#include "sources/errore_esecuzione.h"

namespace piattaforma {

namespace {

struct descrittore {
    int fd = -1;
    ~descrittore() {
        if (fd >= 0) ::close(fd);
    }
};

[[noreturn]] void fallisci_sistema(const char* operazione, const std::string& percorso, int numero) {
    throw errore_esecuzione(operazione, percorso, numero, std::strerror(numero));
}

genere_file genere_di(const std::string& percorso) {
    struct stat st {};
    if (::lstat(percorso.c_str(), &st) != 0) {
        if (errno == ENOENT || errno == ENOTDIR) return genere_file::assente;
        fallisci_sistema("inspect", percorso, errno);
    }
    if (S_ISREG(st.st_mode)) return genere_file::regolare;
    if (S_ISDIR(st.st_mode)) return genere_file::cartella;
    if (S_ISLNK(st.st_mode)) return genere_file::collegamento;
    return genere_file::speciale;
}

const char* perche_rifiutato(genere_file g) {
    switch (g) {
        case genere_file::cartella: return "a directory stands at this name";
        case genere_file::collegamento: return "a symbolic link stands at this name; it is not followed";
        case genere_file::speciale: return "a FIFO, device or socket stands at this name";
        default: return nullptr;
    }
}

// Only a regular file, or nothing, may stand where a file is written.
void verifica_scrivibile(const std::string& percorso) {
    const genere_file g = genere_di(percorso);
    if (const char* perche = perche_rifiutato(g)) {
        throw errore_esecuzione("replace", percorso, g == genere_file::cartella ? EISDIR : 0,
                                std::string(perche) + "; refusing to write it");
    }
}

void scrivi_tutto(int fd, const std::string& contenuto, const std::string& percorso) {
    std::size_t scritti = 0;
    while (scritti < contenuto.size()) {
        const ssize_t n = ::write(fd, contenuto.data() + scritti, contenuto.size() - scritti);
        if (n < 0) {
            if (errno == EINTR) continue;
            fallisci_sistema("write", percorso, errno);
        }
        scritti += static_cast<std::size_t>(n);
    }
}

void chiudi(descrittore& d, const std::string& percorso) {
    const int fd = d.fd;
    d.fd = -1;
    if (::close(fd) != 0) fallisci_sistema("close", percorso, errno);
}

std::string leggi(const std::string& percorso, const std::string& nome, const cartella& c, std::size_t limite) {
    descrittore d{::open(percorso.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)};
    if (d.fd < 0) fallisci_sistema("open for input", percorso, errno);
    struct stat st {};
    if (::fstat(d.fd, &st) != 0) fallisci_sistema("open for input", percorso, errno);
    if (S_ISDIR(st.st_mode)) fallisci_sistema("open for input", percorso, EISDIR);
    if (!S_ISREG(st.st_mode)) {
        throw errore_esecuzione("open for input", percorso, 0, "not a regular file (a FIFO, device or socket)");
    }
    if (static_cast<std::uintmax_t>(st.st_size) > limite) {
        rifiuta_troppo_grande(c, nome, static_cast<std::uintmax_t>(st.st_size), limite);
    }
    std::string contenuto;
    contenuto.resize(static_cast<std::size_t>(st.st_size));
    std::size_t letti = 0;
    for (;;) {
        if (letti == contenuto.size()) {
            // The file may have grown since it was measured.
            if (contenuto.size() >= limite) break;
            contenuto.resize(std::min(limite, contenuto.size() + 65536));
        }
        const ssize_t n = ::read(d.fd, contenuto.data() + letti, contenuto.size() - letti);
        if (n < 0) {
            if (errno == EINTR) continue;
            fallisci_sistema("read", percorso, errno);
        }
        if (n == 0) break;
        letti += static_cast<std::size_t>(n);
    }
    contenuto.resize(letti);
    return contenuto;
}

void sostituisci(const std::string& percorso, const std::string& contenuto) {
    verifica_scrivibile(percorso);
    {
        descrittore d{::open(percorso.c_str(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666)};
        if (d.fd < 0) fallisci_sistema("open", percorso, errno);
        chiudi(d, percorso);
    }
    if (::unlink(percorso.c_str()) != 0) fallisci_sistema("delete", percorso, errno);
    descrittore d{::open(percorso.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666)};
    if (d.fd < 0) fallisci_sistema("create", percorso, errno);
    scrivi_tutto(d.fd, contenuto, percorso);
    chiudi(d, percorso);
}

void crea_nuovo(const std::string& percorso, const std::string& contenuto) {
    descrittore d{::open(percorso.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666)};
    if (d.fd < 0) fallisci_sistema("create", percorso, errno);
    try {
        scrivi_tutto(d.fd, contenuto, percorso);
        chiudi(d, percorso);
    } catch (...) {
        ::unlink(percorso.c_str());
        throw;
    }
}

}  // namespace

cartella cartella_su_disco(const std::string& percorso) {
    cartella c;
    c.descrizione = percorso;
    const cartella nomi{percorso, {}, {}, {}, {}, {}, {}};
    c.genere = [nomi](const std::string& nome) { return genere_di(percorso_in(nomi, nome)); };
    c.leggi = [nomi](const std::string& nome, std::size_t limite) {
        return leggi(percorso_in(nomi, nome), nome, nomi, limite);
    };
    c.sostituisci = [nomi](const std::string& nome, std::string contenuto) {
        sostituisci(percorso_in(nomi, nome), contenuto);
    };
    c.elimina = [nomi](const std::string& nome) {
        const std::string p = percorso_in(nomi, nome);
        if (::unlink(p.c_str()) != 0) fallisci_sistema("delete", p, errno);
    };
    c.crea_nuovo = [nomi](const std::string& nome, std::string contenuto) {
        crea_nuovo(percorso_in(nomi, nome), contenuto);
    };
    c.rinomina = [nomi](const std::string& da, const std::string& a) {
        const std::string p = percorso_in(nomi, da);
        if (::rename(p.c_str(), percorso_in(nomi, a).c_str()) != 0) fallisci_sistema("rename", p, errno);
    };
    return c;
}

}  // namespace piattaforma

// The directory on disk, on POSIX systems.
#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "platform/cartella_disco.h"
#include "sources/errore_esecuzione.h"

namespace piattaforma {

namespace {

struct descrittore {
    int fd = -1;
    explicit descrittore(int fd_) : fd(fd_) {}
    descrittore(const descrittore&) = delete;
    descrittore& operator=(const descrittore&) = delete;
    ~descrittore() {
        if (fd >= 0) ::close(fd);
    }
};

[[noreturn]] void fallisci_sistema(const char* operazione, const std::string& percorso, int numero) {
    throw errore_esecuzione(operazione, percorso, numero, std::strerror(numero));
}

genere_file genere_da_modo(mode_t modo) {
    if (S_ISREG(modo)) return genere_file::regolare;
    if (S_ISDIR(modo)) return genere_file::cartella;
    if (S_ISLNK(modo)) return genere_file::collegamento;
    return genere_file::speciale;
}

genere_file genere_di(const std::string& percorso) {
    struct stat st {};
    if (::lstat(percorso.c_str(), &st) != 0) {
        if (errno == ENOENT || errno == ENOTDIR) return genere_file::assente;
        fallisci_sistema("inspect", percorso, errno);
    }
    return genere_da_modo(st.st_mode);
}

[[noreturn]] void rifiuta(const char* operazione, const std::string& percorso, genere_file g) {
    rifiuta_genere(operazione, percorso, g, "write");
}

// Only a regular file, or nothing, may stand where a file is written.
void verifica_scrivibile(const std::string& percorso) {
    const genere_file g = genere_di(percorso);
    if (perche_rifiutato(g) != nullptr) rifiuta("replace", percorso, g);
}

void scrivi_pezzo(int fd, std::string_view contenuto, const std::string& percorso) {
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

// The content, a piece at a time as it is produced.
void scrivi_contenuto(int fd, const contenuto_file& contenuto, const std::string& percorso) {
    contenuto.produci([&](std::string_view pezzo) { scrivi_pezzo(fd, pezzo, percorso); });
}

void chiudi(descrittore& d, const std::string& percorso) {
    const int fd = d.fd;
    d.fd = -1;
    if (::close(fd) != 0) fallisci_sistema("close", percorso, errno);
}

// Reads into `contenuto` from `letti` on until the end of the file or until
// the buffer is full; returns the bytes read in all.
std::size_t leggi_fino(int fd, std::string& contenuto, std::size_t letti, const std::string& percorso) {
    while (letti < contenuto.size()) {
        const ssize_t n = ::read(fd, contenuto.data() + letti, contenuto.size() - letti);
        if (n < 0) {
            if (errno == EINTR) continue;
            fallisci_sistema("read", percorso, errno);
        }
        if (n == 0) break;
        letti += static_cast<std::size_t>(n);
    }
    return letti;
}

std::string leggi(const std::string& percorso, const std::string& nome, const std::string& c, std::size_t limite) {
    // Non-blocking: opening a FIFO for reading returns at once, and fstat
    // then refuses it.
    descrittore d{::open(percorso.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)};
    if (d.fd < 0) fallisci_sistema("open for input", percorso, errno);
    struct stat st {};
    if (::fstat(d.fd, &st) != 0) fallisci_sistema("open for input", percorso, errno);
    if (S_ISDIR(st.st_mode)) fallisci_sistema("open for input", percorso, EISDIR);
    if (!S_ISREG(st.st_mode)) {
        throw errore_esecuzione("open for input", percorso, 0, "not a regular file (a FIFO, device or socket)");
    }
    const auto dimensione = static_cast<std::uintmax_t>(st.st_size);
    if (dimensione > limite) rifiuta_troppo_grande(c, nome, dimensione, limite);
    std::string contenuto(static_cast<std::size_t>(dimensione), '\0');
    std::size_t letti = leggi_fino(d.fd, contenuto, 0, percorso);
    // The file may have grown since it was measured: go on reading, up to one
    // byte past the limit.
    while (letti == contenuto.size() && contenuto.size() <= limite) {
        contenuto.resize(std::min(limite + 1, contenuto.size() + 65536));
        const std::size_t prima = letti;
        letti = leggi_fino(d.fd, contenuto, letti, percorso);
        if (letti == prima) break;
    }
    if (letti > limite) rifiuta_troppo_grande(c, nome, letti, limite);
    contenuto.resize(letti);
    return contenuto;
}

void sostituisci(const std::string& percorso, const contenuto_file& contenuto) {
    verifica_scrivibile(percorso);
    {
        // Non-blocking and not through a link: a FIFO or link put there since
        // the check makes the open fail instead of hanging or following it.
        descrittore d{::open(percorso.c_str(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666)};
        if (d.fd < 0) fallisci_sistema("open", percorso, errno);
        struct stat st {};
        if (::fstat(d.fd, &st) != 0) fallisci_sistema("open", percorso, errno);
        if (!S_ISREG(st.st_mode)) rifiuta("open", percorso, genere_da_modo(st.st_mode));
        chiudi(d, percorso);
    }
    if (::unlink(percorso.c_str()) != 0) fallisci_sistema("delete", percorso, errno);
    // Exclusive: whatever appeared at the name since the delete (a link
    // above all) makes the create fail; nothing is followed.
    descrittore d{::open(percorso.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666)};
    if (d.fd < 0) fallisci_sistema("create", percorso, errno);
    scrivi_contenuto(d.fd, contenuto, percorso);
    chiudi(d, percorso);
}

// Writes the content into a new file at `percorso`, created exclusively.
void crea_con_nome(const std::string& percorso, const contenuto_file& contenuto) {
    descrittore d{::open(percorso.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666)};
    if (d.fd < 0) fallisci_sistema("create", percorso, errno);
    try {
        scrivi_contenuto(d.fd, contenuto, percorso);
        chiudi(d, percorso);
    } catch (...) {
        ::unlink(percorso.c_str());
        throw;
    }
}

#ifdef O_TMPFILE
// Where the system allows it, the content is written into a file without a
// name, which gets its name only once it is whole: a process killed while it
// writes leaves nothing behind. False when the directory's file system (or
// the missing /proc) does not allow it; the caller then creates the file by
// name. A failure of the write itself throws.
bool crea_senza_nome(const std::string& cartella, const std::string& percorso, const contenuto_file& contenuto) {
    descrittore d{::open(cartella.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666)};
    if (d.fd < 0) return false;
    scrivi_contenuto(d.fd, contenuto, percorso);
    const std::string proc = "/proc/self/fd/" + std::to_string(d.fd);
    // linkat never replaces: anything at the name (a link above all) makes it
    // fail with EEXIST, as an exclusive create does.
    if (::linkat(AT_FDCWD, proc.c_str(), AT_FDCWD, percorso.c_str(), AT_SYMLINK_FOLLOW) != 0) {
        const int numero = errno;
        if (numero == ENOENT && ::access("/proc/self/fd", F_OK) != 0) return false;
        fallisci_sistema("create", percorso, numero);
    }
    try {
        chiudi(d, percorso);
    } catch (...) {
        ::unlink(percorso.c_str());
        throw;
    }
    return true;
}
#endif

void crea_nuovo(const std::string& cartella, const std::string& percorso, const contenuto_file& contenuto) {
#ifdef O_TMPFILE
    if (crea_senza_nome(cartella, percorso, contenuto)) return;
#else
    (void)cartella;
#endif
    crea_con_nome(percorso, contenuto);
}

#ifdef RENAME_EXCHANGE
// Over an existing file, Linux swaps the two names in one step and the old
// content, now under the temporary's name, is deleted. A plain rename over an
// existing file makes ext4 write the new file's data out at once (its guard
// for programs that replace files without syncing): 15-20 ms for a 20 MB plan,
// against under 2 ms for the swap. The name holds the old or the new content
// at every moment either way.
bool scambia(const std::string& da, const std::string& a) {
    // Only with a regular file: anything else at the new name keeps the
    // plain rename's answer (refused over a directory, a link replaced).
    struct stat st {};
    if (::lstat(a.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
    if (::renameat2(AT_FDCWD, da.c_str(), AT_FDCWD, a.c_str(), RENAME_EXCHANGE) != 0) return false;
    if (::unlink(da.c_str()) != 0) {
        const int numero = errno;
        throw errore_esecuzione("delete", da, numero,
                                std::string(std::strerror(numero)) + " (the old content of \"" + a + "\")");
    }
    return true;
}
#else
bool scambia(const std::string&, const std::string&) { return false; }
#endif

void rinomina(const std::string& da, const std::string& a) {
    // Nothing to swap with (no file at the new name), or a file system that
    // cannot swap: the plain rename.
    if (scambia(da, a)) return;
    if (::rename(da.c_str(), a.c_str()) != 0) {
        const int numero = errno;
        throw errore_esecuzione("rename", da, numero, std::string(std::strerror(numero)) + " (renaming it to \"" + a + "\")");
    }
}

}  // namespace

cartella cartella_su_disco(const std::string& percorso) {
    cartella c;
    c.descrizione = percorso;
    const std::string dove = percorso;
    c.genere = [dove](const std::string& nome) { return genere_di(percorso_in(dove, nome)); };
    c.leggi = [dove](const std::string& nome, std::size_t limite) {
        return leggi(percorso_in(dove, nome), nome, dove, limite);
    };
    c.sostituisci = [dove](const std::string& nome, const contenuto_file& contenuto) {
        sostituisci(percorso_in(dove, nome), contenuto);
    };
    c.elimina = [dove](const std::string& nome) {
        const std::string p = percorso_in(dove, nome);
        if (::unlink(p.c_str()) != 0) fallisci_sistema("delete", p, errno);
    };
    c.crea_nuovo = [dove](const std::string& nome, const contenuto_file& contenuto) {
        crea_nuovo(dove, percorso_in(dove, nome), contenuto);
    };
    c.rinomina = [dove](const std::string& da, const std::string& a) {
        rinomina(percorso_in(dove, da), percorso_in(dove, a));
    };
    c.elenca = [dove] {
        std::vector<std::string> n;
        DIR* d = ::opendir(dove.c_str());
        if (d == nullptr) fallisci_sistema("list", dove, errno);
        while (const dirent* voce = ::readdir(d)) {
            const std::string nome = voce->d_name;
            if (nome != "." && nome != "..") n.push_back(nome);
        }
        ::closedir(d);
        return n;
    };
    return c;
}

bool stesso_file(const std::string& a, const std::string& b) {
    struct stat sa {};
    struct stat sb {};
    if (::stat(a.c_str(), &sa) != 0 || ::stat(b.c_str(), &sb) != 0) return false;
    return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

void crea_cartelle(const std::string& percorso) {
    std::error_code e;
    std::filesystem::create_directories(std::filesystem::path(percorso), e);
    if (e) throw errore_esecuzione("make directory", percorso, e.value(), e.message());
}

}  // namespace piattaforma

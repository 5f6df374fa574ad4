// The directory on disk, on Windows: paths are UTF-8 inside the program and
// reach the system through its wide-character calls, so that a folder or file
// name in any script works. Errors carry the C runtime's error number and text.
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "platform/cartella_disco.h"
#include "platform/testo_windows.h"
#include "sources/errore_esecuzione.h"

namespace piattaforma {

namespace {

struct descrittore {
    int fd = -1;
    ~descrittore() {
        if (fd >= 0) _close(fd);
    }
};

[[noreturn]] void fallisci_sistema(const char* operazione, const std::string& percorso, int numero) {
    throw errore_esecuzione(operazione, percorso, numero, std::strerror(numero));
}

// The C runtime's error number for a failing Windows call, as the runtime's
// own file functions would set it.
int errno_di_windows(DWORD errore) {
    switch (errore) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_NAME: return ENOENT;
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION: return EACCES;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL: return ENOSPC;
        case ERROR_FILE_EXISTS:
        case ERROR_ALREADY_EXISTS: return EEXIST;
        case ERROR_NOT_SAME_DEVICE: return EXDEV;
        default: return EIO;
    }
}

genere_file genere_di(const std::string& percorso) {
    const DWORD attributi = GetFileAttributesW(in_utf16(percorso).c_str());
    if (attributi == INVALID_FILE_ATTRIBUTES) {
        const DWORD errore = GetLastError();
        if (errore == ERROR_FILE_NOT_FOUND || errore == ERROR_PATH_NOT_FOUND) return genere_file::assente;
        fallisci_sistema("inspect", percorso, errno_di_windows(errore));
    }
    if ((attributi & FILE_ATTRIBUTE_REPARSE_POINT) != 0) return genere_file::collegamento;
    if ((attributi & FILE_ATTRIBUTE_DIRECTORY) != 0) return genere_file::cartella;
    if ((attributi & FILE_ATTRIBUTE_DEVICE) != 0) return genere_file::speciale;
    return genere_file::regolare;
}

void verifica_scrivibile(const std::string& percorso) {
    const genere_file g = genere_di(percorso);
    if (perche_rifiutato(g) != nullptr) rifiuta_genere("replace", percorso, g, "write");
}

void scrivi_pezzo(int fd, std::string_view contenuto, const std::string& percorso) {
    std::size_t scritti = 0;
    while (scritti < contenuto.size()) {
        const std::size_t blocco = std::min<std::size_t>(contenuto.size() - scritti, 1u << 30);
        const int n = _write(fd, contenuto.data() + scritti, static_cast<unsigned>(blocco));
        if (n < 0) fallisci_sistema("write", percorso, errno);
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
    if (_close(fd) != 0) fallisci_sistema("close", percorso, errno);
}

int apri(const std::string& percorso, int modo) {
    return _wopen(in_utf16(percorso).c_str(), modo | _O_BINARY | _O_NOINHERIT, _S_IREAD | _S_IWRITE);
}

std::string leggi(const std::string& percorso, const std::string& nome, const std::string& c, std::size_t limite) {
    if (genere_di(percorso) == genere_file::cartella) fallisci_sistema("open for input", percorso, EISDIR);
    descrittore d{apri(percorso, _O_RDONLY)};
    if (d.fd < 0) fallisci_sistema("open for input", percorso, errno);
    const __int64 dimensione = _filelengthi64(d.fd);
    if (dimensione < 0) fallisci_sistema("read", percorso, errno);
    if (static_cast<std::uintmax_t>(dimensione) > limite) {
        rifiuta_troppo_grande(c, nome, static_cast<std::uintmax_t>(dimensione), limite);
    }
    std::string contenuto(static_cast<std::size_t>(dimensione), '\0');
    std::size_t letti = 0;
    while (letti < contenuto.size()) {
        const int n = _read(d.fd, contenuto.data() + letti, static_cast<unsigned>(contenuto.size() - letti));
        if (n < 0) fallisci_sistema("read", percorso, errno);
        if (n == 0) break;
        letti += static_cast<std::size_t>(n);
    }
    contenuto.resize(letti);
    return contenuto;
}

void sostituisci(const std::string& percorso, const contenuto_file& contenuto) {
    verifica_scrivibile(percorso);
    {
        descrittore d{apri(percorso, _O_WRONLY | _O_CREAT)};
        if (d.fd < 0) fallisci_sistema("open", percorso, errno);
        chiudi(d, percorso);
    }
    if (_wremove(in_utf16(percorso).c_str()) != 0) fallisci_sistema("delete", percorso, errno);
    descrittore d{apri(percorso, _O_WRONLY | _O_CREAT | _O_EXCL)};
    if (d.fd < 0) fallisci_sistema("create", percorso, errno);
    scrivi_contenuto(d.fd, contenuto, percorso);
    chiudi(d, percorso);
}

void crea_nuovo(const std::string& percorso, const contenuto_file& contenuto) {
    descrittore d{apri(percorso, _O_WRONLY | _O_CREAT | _O_EXCL)};
    if (d.fd < 0) fallisci_sistema("create", percorso, errno);
    try {
        scrivi_contenuto(d.fd, contenuto, percorso);
        chiudi(d, percorso);
    } catch (...) {
        _wremove(in_utf16(percorso).c_str());
        throw;
    }
}

// The identity of an existing file or directory (links followed).
bool informazioni(const std::string& percorso, BY_HANDLE_FILE_INFORMATION& info) {
    HANDLE h = CreateFileW(in_utf16(percorso).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    const bool ok = GetFileInformationByHandle(h, &info) != 0;
    CloseHandle(h);
    return ok;
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
        if (_wremove(in_utf16(p).c_str()) != 0) fallisci_sistema("delete", p, errno);
    };
    c.crea_nuovo = [dove](const std::string& nome, const contenuto_file& contenuto) {
        crea_nuovo(percorso_in(dove, nome), contenuto);
    };
    c.elenca = [dove] {
        std::vector<std::string> n;
        WIN32_FIND_DATAW voce;
        HANDLE h = FindFirstFileW(in_utf16(percorso_in(dove, "*")).c_str(), &voce);
        if (h == INVALID_HANDLE_VALUE) {
            if (GetLastError() == ERROR_FILE_NOT_FOUND) return n;
            fallisci_sistema("list", dove, errno_di_windows(GetLastError()));
        }
        do {
            const std::string nome = in_utf8(voce.cFileName);
            if (nome != "." && nome != "..") n.push_back(nome);
        } while (FindNextFileW(h, &voce));
        FindClose(h);
        return n;
    };
    c.rinomina = [dove](const std::string& da, const std::string& a) {
        const std::string p = percorso_in(dove, da);
        const std::string q = percorso_in(dove, a);
        if (!MoveFileExW(in_utf16(p).c_str(), in_utf16(q).c_str(), MOVEFILE_REPLACE_EXISTING)) {
            const int numero = errno_di_windows(GetLastError());
            throw errore_esecuzione("rename", p, numero,
                                    std::string(std::strerror(numero)) + " (renaming it to \"" + q + "\")");
        }
    };
    return c;
}

bool stesso_file(const std::string& a, const std::string& b) {
    BY_HANDLE_FILE_INFORMATION ia{};
    BY_HANDLE_FILE_INFORMATION ib{};
    if (!informazioni(a, ia) || !informazioni(b, ib)) return false;
    return ia.dwVolumeSerialNumber == ib.dwVolumeSerialNumber && ia.nFileIndexHigh == ib.nFileIndexHigh &&
           ia.nFileIndexLow == ib.nFileIndexLow;
}

void crea_cartelle(const std::string& percorso) {
    std::error_code e;
    std::filesystem::create_directories(std::filesystem::path(in_utf16(percorso)), e);
    if (e) throw errore_esecuzione("make directory", percorso, e.value(), e.message());
}

}  // namespace piattaforma

#include "file_disco.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "errore_esecuzione.h"

namespace {

[[noreturn]] void fallisci_sistema(const char* operazione, const std::string& percorso, int numero) {
    throw errore_esecuzione(operazione, percorso, numero, std::strerror(numero));
}

struct file_chiuso_alla_fine {
    std::FILE* f;
    ~file_chiuso_alla_fine() {
        if (f != nullptr) std::fclose(f);
    }
};

}  // namespace

bool esiste_file(const std::string& percorso) {
    std::error_code errore;
    const auto stato = std::filesystem::status(std::filesystem::path(percorso), errore);
    return !errore && std::filesystem::exists(stato) && !std::filesystem::is_directory(stato);
}

void elimina_file(const std::string& percorso) {
    if (std::remove(percorso.c_str()) != 0) fallisci_sistema("delete", percorso, errno);
}

void elimina_se_esiste(const std::string& percorso) {
    if (esiste_file(percorso)) elimina_file(percorso);
}

std::string leggi_file(const std::string& percorso) {
    file_chiuso_alla_fine file{std::fopen(percorso.c_str(), "rb")};
    if (file.f == nullptr) fallisci_sistema("open for input", percorso, errno);
    std::string contenuto;
    char blocco[65536];
    std::size_t letti = 0;
    while ((letti = std::fread(blocco, 1, sizeof blocco, file.f)) > 0) contenuto.append(blocco, letti);
    if (std::ferror(file.f)) fallisci_sistema("read", percorso, errno);
    return contenuto;
}

void sostituisci_file(const std::string& percorso, std::string_view contenuto) {
    {
        file_chiuso_alla_fine file{std::fopen(percorso.c_str(), "ab")};
        if (file.f == nullptr) fallisci_sistema("open", percorso, errno);
    }
    elimina_file(percorso);
    std::FILE* f = std::fopen(percorso.c_str(), "wb");
    if (f == nullptr) fallisci_sistema("create", percorso, errno);
    const bool scritto = std::fwrite(contenuto.data(), 1, contenuto.size(), f) == contenuto.size();
    const int errore_scrittura = errno;
    const bool chiuso = std::fclose(f) == 0;
    if (!scritto) fallisci_sistema("write", percorso, errore_scrittura);
    if (!chiuso) fallisci_sistema("close", percorso, errno);
}

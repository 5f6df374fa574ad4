// Helpers of the storage seam, and the directory in memory: a map from names
// to contents.
#include <cerrno>
#include <memory>
#include <cstring>
#include <utility>

#include "sources/cartella.h"
#include "sources/errore_esecuzione.h"

namespace {

[[noreturn]] void fallisci_file(const std::string& c, const char* operazione, const std::string& nome, int numero) {
    throw errore_esecuzione(operazione, percorso_in(c, nome), numero, std::strerror(numero));
}

}  // namespace

contenuto_file::contenuto_file(std::string testo) {
    auto t = std::make_shared<const std::string>(std::move(testo));
    dimensione = t->size();
    produci = [t](const destinazione& scrivi) { scrivi(*t); };
}

contenuto_file::contenuto_file(const char* testo) : contenuto_file(std::string(testo)) {}

std::string in_un_testo(const contenuto_file& c) {
    std::string t;
    t.reserve(static_cast<std::size_t>(c.dimensione));
    c.produci([&t](std::string_view pezzo) { t += pezzo; });
    return t;
}

std::string percorso_in(const std::string& cartella, const std::string& nome) {
#ifdef _WIN32
    constexpr char separatore = '\\';
#else
    constexpr char separatore = '/';
#endif
    if (cartella.empty()) return nome;
    return cartella + separatore + nome;
}

std::string percorso_in(const cartella& c, const std::string& nome) {
    return percorso_in(c.descrizione, nome);
}

void rifiuta_troppo_grande(const std::string& c, const std::string& nome, std::uintmax_t dimensione,
                           std::size_t limite) {
    throw errore_esecuzione("read", percorso_in(c, nome), EFBIG,
                            "the file is " + std::to_string(dimensione) + " bytes, more than the " +
                                std::to_string(limite) + " bytes a read may take");
}

[[noreturn]] void rifiuta_genere(const char* operazione, const std::string& percorso, genere_file g,
                                const char* verbo) {
    throw errore_esecuzione(operazione, percorso, g == genere_file::cartella ? EISDIR : 0,
                            std::string(perche_rifiutato(g)) + "; refusing to " + verbo + " it");
}

const char* perche_rifiutato(genere_file g) {
    switch (g) {
        case genere_file::cartella: return "a directory stands at this name";
        case genere_file::collegamento: return "a symbolic link stands at this name; it is not followed";
        case genere_file::speciale: return "a FIFO, device or socket stands at this name";
        case genere_file::assente:
        case genere_file::regolare: break;
    }
    return nullptr;
}

bool esiste_file(const cartella& c, const std::string& nome) { return c.genere(nome) == genere_file::regolare; }

void elimina_se_esiste(const cartella& c, const std::string& nome) {
    if (esiste_file(c, nome)) c.elimina(nome);
}

cartella cartella_in_memoria(std::map<std::string, std::string>& file, std::string descrizione) {
    cartella c;
    c.descrizione = std::move(descrizione);
    // The operations name files through a copy of the directory's description only.
    const std::string dove = c.descrizione;
    c.genere = [&file](const std::string& nome) {
        return file.count(nome) != 0 ? genere_file::regolare : genere_file::assente;
    };
    c.leggi = [&file, dove](const std::string& nome, std::size_t limite) {
        const auto f = file.find(nome);
        if (f == file.end()) fallisci_file(dove, "open for input", nome, ENOENT);
        if (f->second.size() > limite) rifiuta_troppo_grande(dove, nome, f->second.size(), limite);
        return f->second;
    };
    c.sostituisci = [&file](const std::string& nome, const contenuto_file& contenuto) {
        file[nome] = in_un_testo(contenuto);
    };
    c.elimina = [&file, dove](const std::string& nome) {
        if (file.erase(nome) == 0) fallisci_file(dove, "delete", nome, ENOENT);
    };
    c.crea_nuovo = [&file, dove](const std::string& nome, const contenuto_file& contenuto) {
        if (file.count(nome) != 0) fallisci_file(dove, "create", nome, EEXIST);
        file[nome] = in_un_testo(contenuto);
    };
    c.rinomina = [&file, dove](const std::string& da, const std::string& a) {
        auto f = file.find(da);
        if (f == file.end()) fallisci_file(dove, "rename", da, ENOENT);
        std::string contenuto = std::move(f->second);
        file.erase(f);
        file[a] = std::move(contenuto);
    };
    c.elenca = [&file] {
        std::vector<std::string> n;
        for (const auto& voce : file) n.push_back(voce.first);
        return n;
    };
    return c;
}

#include "tools/pubblica.h"

#include <cerrno>
#include <chrono>
#include <random>

#include "tools/errore_uso.h"

namespace {

#ifdef _WIN32
constexpr bool nomi_senza_maiuscole = true;
#else
constexpr bool nomi_senza_maiuscole = false;
#endif

// Random names tried for a temporary file before the last one is used as it is.
constexpr int tentativi_temporaneo = 100;

// The part of a name kept in its temporary name: short enough that the
// temporary name stays within every file system's 255-byte limit, and never
// cut inside a UTF-8 character.
std::string radice_temporanea(const std::string& nome) {
    constexpr std::size_t massimo = 200;
    if (nome.size() <= massimo) return nome;
    std::size_t fine = massimo;
    while (fine > 0 && (static_cast<unsigned char>(nome[fine]) & 0xC0) == 0x80) --fine;
    return nome.substr(0, fine);
}

std::string suffisso_casuale() {
    static const char cifre[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    static thread_local std::mt19937_64 generatore{
        std::random_device{}() ^
        static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count())};
    std::uniform_int_distribution<std::size_t> cifra(0, sizeof cifre - 2);
    std::string s(6, '0');
    for (char& c : s) c = cifre[cifra(generatore)];
    return s;
}

char minuscola(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

const char* perche_rifiutato(genere_file g) {
    switch (g) {
        case genere_file::cartella: return "a directory stands at this name";
        case genere_file::collegamento: return "a symbolic link stands at this name; it is not followed";
        case genere_file::speciale: return "a FIFO, device or socket stands at this name";
        default: return nullptr;
    }
}

// Only a regular file, or nothing, may stand where an output goes.
void verifica_uscita(const cartella& dir, const std::string& nome) {
    const genere_file g = dir.genere(nome);
    if (const char* perche = perche_rifiutato(g)) {
        throw errore_esecuzione("replace", percorso_in(dir, nome), g == genere_file::cartella ? EISDIR : 0,
                                std::string(perche) + "; refusing to replace it");
    }
}

void verifica_distinti(const cartella& dir, const std::vector<file_uscita>& file) {
    for (std::size_t i = 0; i < file.size(); ++i) {
        for (std::size_t j = 0; j < i; ++j) {
            if (stesso_nome(file[i].nome, file[j].nome, nomi_senza_maiuscole)) {
                throw errore_esecuzione("replace", percorso_in(dir, file[i].nome), 0,
                                        "two outputs would be written to this one file");
            }
        }
    }
}

// A temporary file name for `nome` that no file takes yet.
std::string temporaneo_libero(const cartella& dir, const std::string& nome) {
    for (int tentativo = 1;; ++tentativo) {
        std::string temporaneo = nome_temporaneo(nome, suffisso_casuale());
        if (dir.genere(temporaneo) == genere_file::assente || tentativo >= tentativi_temporaneo) return temporaneo;
    }
}

// The temporary files not (yet) renamed into place; those left when it goes
// out of scope are removed.
struct temporanei_in_sospeso {
    const cartella& dir;
    std::vector<std::string> nomi;
    std::size_t rinominati = 0;

    explicit temporanei_in_sospeso(const cartella& d) : dir(d) {}
    temporanei_in_sospeso(const temporanei_in_sospeso&) = delete;
    temporanei_in_sospeso& operator=(const temporanei_in_sospeso&) = delete;
    ~temporanei_in_sospeso() {
        for (std::size_t i = rinominati; i < nomi.size(); ++i) {
            try {
                dir.elimina(nomi[i]);
            } catch (...) {
                // Nothing more can be done for it; the first failure is the one reported.
            }
        }
    }
};

}  // namespace

bool stesso_nome(const std::string& a, const std::string& b, bool senza_maiuscole) {
    if (!senza_maiuscole) return a == b;
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (minuscola(a[i]) != minuscola(b[i])) return false;
    }
    return true;
}

std::string nome_temporaneo(const std::string& nome, const std::string& suffisso) {
    std::string t = ".";
    t += radice_temporanea(nome);
    t += ".tmp-";
    t += suffisso;
    return t;
}

void verifica_nomi_distinti(const std::vector<std::string>& nomi) {
    for (std::size_t i = 0; i < nomi.size(); ++i) {
        for (std::size_t j = 0; j < i; ++j) {
            if (nomi[i] == nomi[j]) throw errore_uso{"two output files would be the same file \"" + nomi[i] + "\""};
            if (stesso_nome(nomi[i], nomi[j], nomi_senza_maiuscole)) {
                throw errore_uso{"two output files would be the same file: \"" + nomi[j] + "\" and \"" + nomi[i] +
                                 "\" differ only in case"};
            }
        }
    }
}

esito_pubblicazione pubblica_file(const cartella& dir, std::vector<file_uscita> file) {
    esito_pubblicazione esito;
    temporanei_in_sospeso temporanei(dir);
    try {
        verifica_distinti(dir, file);
        for (const file_uscita& f : file) verifica_uscita(dir, f.nome);
        for (file_uscita& f : file) {
            // Exclusive: a file that took the name since it was found free
            // makes this fail rather than be overwritten.
            const std::string temporaneo = temporaneo_libero(dir, f.nome);
            dir.crea_nuovo(temporaneo, std::move(f.contenuto));
            temporanei.nomi.push_back(temporaneo);
        }
        for (const file_uscita& f : file) {
            dir.rinomina(temporanei.nomi[temporanei.rinominati], f.nome);
            ++temporanei.rinominati;
            esito.pubblicati.push_back(f.nome);
        }
    } catch (const errore_esecuzione& e) {
        esito.errore = e;
    }
    return esito;
}

#include "sources/pubblica.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <random>

namespace {

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

// Only a regular file, or nothing, may stand where an output goes.
void verifica_uscita(const cartella& dir, const std::string& nome) {
    const genere_file g = dir.genere(nome);
    if (perche_rifiutato(g) != nullptr) rifiuta_genere("replace", percorso_in(dir, nome), g, "replace");
}

void verifica_distinti(const cartella& dir, const std::vector<std::string>& nomi) {
    for (std::size_t i = 0; i < nomi.size(); ++i) {
        for (std::size_t j = 0; j < i; ++j) {
            if (stesso_nome(nomi[i], nomi[j], nomi_senza_maiuscole)) {
                throw errore_esecuzione("replace", percorso_in(dir, nomi[i]), 0,
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

void verifica_uscite(const cartella& dir, const std::vector<std::string>& nomi) {
    verifica_distinti(dir, nomi);
    for (const std::string& n : nomi) verifica_uscita(dir, n);
}

pubblicazione::~pubblicazione() {
    for (std::size_t i = rinominati; i < temporanei.size(); ++i) {
        try {
            dir.elimina(temporanei[i].second);
        } catch (...) {
            // Nothing more can be done for it; the first failure is the one reported.
        }
    }
}

void scrivi_temporaneo(pubblicazione& p, const std::string& nome, const contenuto_file& contenuto) {
    if (!p.verificata) {
        verifica_uscite(p.dir, p.nomi);
        p.verificata = true;
    }
    // Exclusive: a file that took the name since it was found free makes this
    // fail rather than be overwritten.
    const std::string temporaneo = temporaneo_libero(p.dir, nome);
    p.dir.crea_nuovo(temporaneo, contenuto);
    p.temporanei.emplace_back(nome, temporaneo);
}

esito_pubblicazione conferma(pubblicazione& p) {
    esito_pubblicazione esito;
    try {
        for (const std::string& nome : p.nomi) {
            for (const auto& [uscita, temporaneo] : p.temporanei) {
                if (uscita != nome) continue;
                p.dir.rinomina(temporaneo, nome);
                ++p.rinominati;
                esito.pubblicati.push_back(nome);
            }
        }
    } catch (const errore_esecuzione& e) {
        esito.errore = e;
    }
    return esito;
}

namespace {

bool suffisso_temporaneo(std::string_view s) {
    if (s.size() != 6) return false;
    for (const char c : s) {
        if (!((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))) return false;
    }
    return true;
}

// `file` is a temporary file of `nome`.
bool temporaneo_di(const std::string& file, const std::string& nome) {
    const std::string testa = nome_temporaneo(nome, "");
    return file.size() == testa.size() + 6 && file.compare(0, testa.size(), testa) == 0 &&
           suffisso_temporaneo(std::string_view(file).substr(testa.size()));
}

}  // namespace

std::vector<std::string> rimuovi_temporanei_scaduti(const cartella& dir, const std::vector<std::string>& nomi) {
    std::vector<std::string> rimossi;
    try {
        for (const std::string& file : dir.elenca()) {
            const bool nostro =
                std::any_of(nomi.begin(), nomi.end(), [&](const std::string& n) { return temporaneo_di(file, n); });
            if (!nostro || dir.genere(file) != genere_file::regolare) continue;
            try {
                dir.elimina(file);
                rimossi.push_back(file);
            } catch (const errore_esecuzione&) {
            }
        }
    } catch (const errore_esecuzione&) {
    }
    return rimossi;
}

esito_pubblicazione pubblica_file(const cartella& dir, std::vector<file_uscita> file) {
    std::vector<std::string> nomi;
    for (const file_uscita& f : file) nomi.push_back(f.nome);
    pubblicazione p(dir, std::move(nomi));
    try {
        if (file.empty()) {
            verifica_distinti(dir, p.nomi);
        }
        for (const file_uscita& f : file) scrivi_temporaneo(p, f.nome, f.contenuto);
    } catch (const errore_esecuzione& e) {
        esito_pubblicazione esito;
        esito.errore = e;
        return esito;
    }
    return conferma(p);
}

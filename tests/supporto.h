// Test support: a private temporary directory and whole-file helpers.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <algorithm>
#include <string>
#include <map>
#include <vector>

#include "platform/cartella_disco.h"
#include "sources/cartella.h"

struct cartella_temporanea {
    std::filesystem::path percorso;

    cartella_temporanea() {
        std::random_device caso;
        for (;;) {
            percorso = std::filesystem::temp_directory_path() / ("scenario-test-" + std::to_string(caso()));
            if (std::filesystem::create_directory(percorso)) break;
        }
    }
    ~cartella_temporanea() {
        std::error_code ignora;
        std::filesystem::permissions(percorso, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignora);
        std::filesystem::remove_all(percorso, ignora);
    }
    cartella_temporanea(const cartella_temporanea&) = delete;
    cartella_temporanea& operator=(const cartella_temporanea&) = delete;

    std::string str() const { return percorso.string(); }
    // The directory on disk, behind the storage seam.
    cartella disco() const { return piattaforma::cartella_su_disco(str()); }
    std::string file(const std::string& nome) const { return (percorso / nome).string(); }
};

inline std::string leggi_tutto(const std::string& percorso) {
    std::ifstream f(percorso, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

inline void scrivi_tutto(const std::string& percorso, const std::string& contenuto) {
    std::ofstream f(percorso, std::ios::binary | std::ios::trunc);
    f << contenuto;
}

// Joins lines, each followed by CR LF.
template <typename... T>
std::string righe_crlf(const T&... righe) {
    std::string testo;
    ((testo += std::string(righe) + "\r\n"), ...);
    return testo;
}

// The names in a directory, sorted.
inline std::vector<std::string> nomi_in(const std::string& cartella) {
    std::vector<std::string> nomi;
    for (const auto& voce : std::filesystem::directory_iterator(cartella)) nomi.push_back(voce.path().filename().string());
    std::sort(nomi.begin(), nomi.end());
    return nomi;
}

// A directory in memory for the core, and the names it holds.
struct cartella_prova {
    std::map<std::string, std::string> file;
    cartella dir = cartella_in_memoria(file);

    cartella_prova() = default;
    cartella_prova(const cartella_prova&) = delete;
    cartella_prova& operator=(const cartella_prova&) = delete;

    std::vector<std::string> nomi() const {
        std::vector<std::string> n;
        for (const auto& voce : file) n.push_back(voce.first);
        return n;
    }
};

// Paths of the build's files: the directory, the separator, the name.
#pragma once

#include <string>

#ifdef _WIN32
inline constexpr char separatore_percorso = '\\';
#else
inline constexpr char separatore_percorso = '/';
#endif

// The separator is always inserted, even when the directory already ends
// with one; names are joined as they are, blanks and hyphens included.
inline std::string percorso_file(const std::string& cartella, const std::string& nome) {
    return cartella + separatore_percorso + nome;
}

// File names of one build, from the line name and the train number.
inline std::string nome_file_linea(const std::string& linea) { return linea + "_linea.txt"; }
inline std::string nome_file_treno(const std::string& linea, const std::string& treno) {
    return linea + "_" + treno + "-.txt";
}
inline std::string nome_file_note(const std::string& linea, const std::string& treno) {
    return linea + "_" + treno + "_note.txt";
}
inline std::string nome_file_rallentamenti(const std::string& linea, const std::string& treno) {
    return linea + "_" + treno + "_rallentamenti.txt";
}
inline std::string nome_file_scheda(const std::string& linea, const std::string& treno) {
    return linea + "_" + treno + "_scheda_treno.txt";
}
inline std::string nome_file_planimetria(const std::string& linea) { return linea + "_linea.dat"; }
inline std::string nome_file_scenario(const std::string& linea, const std::string& treno) {
    return linea + "_" + treno + ".sim";
}
inline std::string nome_file_tracciato(const std::string& linea, const std::string& treno) {
    return linea + "_" + treno + ".dat";
}

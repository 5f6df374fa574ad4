// The names of one build's files, from the line name and the train number,
// joined as they are (blanks and hyphens included).
#pragma once

#include <string>

// The two text sources.
inline std::string nome_file_linea(const std::string& linea) { return linea + "_linea.txt"; }
inline std::string nome_file_treno(const std::string& linea, const std::string& treno) {
    return linea + "_" + treno + "-.txt";
}

// The three crew documents.
inline std::string nome_file_note(const std::string& linea, const std::string& treno) {
    return linea + "_" + treno + "_note.txt";
}
inline std::string nome_file_rallentamenti(const std::string& linea, const std::string& treno) {
    return linea + "_" + treno + "_rallentamenti.txt";
}
inline std::string nome_file_scheda(const std::string& linea, const std::string& treno) {
    return linea + "_" + treno + "_scheda_treno.txt";
}

// The three binary files: the line plan, the scenario table, the track.
inline std::string nome_file_planimetria(const std::string& linea) { return linea + "_linea.dat"; }
inline std::string nome_file_scenario(const std::string& linea, const std::string& treno) {
    return linea + "_" + treno + ".sim";
}
inline std::string nome_file_tracciato(const std::string& linea, const std::string& treno) {
    return linea + "_" + treno + ".dat";
}

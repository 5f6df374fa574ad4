// The files of a scenario as the editor names them: URIs and paths, and the
// pair a file belongs to. A line file "NAME_linea.txt" and the train files
// "NAME_NUM-.txt" in the same folder make scenarios.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The path of a "file:" URI, its %XX escapes decoded ("file:///C:/x" gives
// "C:/x"); nothing for another scheme, and nothing for a path that holds a
// NUL byte (written "%00" or as it is), which no file's name may hold.
std::optional<std::string> percorso_da_uri(const std::string& uri);

// A "file:" URI whose path holds a NUL byte, and the words that refuse it.
bool uri_con_nul(const std::string& uri);
std::string testo_uri_con_nul();

// A "file:" URI for a path, escaping what a URI may not hold as it is.
std::string uri_da_percorso(const std::string& percorso);

enum class ruolo_file : std::uint8_t { linea, treno, nessuno };

struct nome_in_coppia {
    ruolo_file ruolo = ruolo_file::nessuno;
    std::string linea;  // NAME
    std::string treno;  // NUM, for a train file
};

// What a file is by its name alone.
nome_in_coppia classifica(const std::string& percorso);

// The folder of a path ("" for none) and the path of a file in it.
std::string cartella_di(const std::string& percorso);
std::string nel_cartella(const std::string& cartella, const std::string& nome);

// The line file of a line name in a folder.
std::string file_linea_di(const std::string& cartella, const std::string& linea);

// The train files of the line `linea` that stand in the folder on disk, by
// name in byte order; none when the folder cannot be read.
std::vector<std::string> treni_su_disco(const std::string& cartella, const std::string& linea);

// The words for a file that fits no name rule, with the name it should have
// when one mend makes it fit.
std::string testo_senza_coppia(const std::string& percorso);

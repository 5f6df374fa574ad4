// The line name and train number of a compile: from the options, or from the
// names of the two files ("NAME_linea.txt" and "NAME_NUM-.txt").
#pragma once

#include <optional>
#include <string>

#include "tools/comune/errore_uso.h"
#include "tools/comune/richiesta_compilazione.h"

struct nomi_scenario {
    std::string linea;
    std::string treno;
};

// A line name or train number becomes part of file names: it must not be
// empty and must not hold a path separator ('/' or '\'). Throws errore_uso
// naming `che_cosa`.
void verifica_nome(const std::string& nome, const std::string& che_cosa);

// NAME from a file named "NAME_linea.txt" (any directory), when NAME is a valid name.
std::optional<std::string> linea_da_file(const std::string& percorso);

// NUM from a file named "NAME_NUM-.txt": what lies between `linea` + "_" and
// "-.txt" when the name begins with them, otherwise what follows the last "_".
// Nothing when the name does not end in "-.txt" or NUM would be empty or invalid.
std::optional<std::string> treno_da_file(const std::string& percorso, const std::string& linea);

// The name a line file almost named "NAME_linea.txt" should have, when one
// mend makes it fit: ".txt" in other letter case or missing, "linea" in
// other letter case, a hyphen or a blank before "linea", or "_linea" left
// out ("Tava.txt" gives "Tava_linea.txt"). Nothing for a name that fits
// already, or that looks like a train file's.
std::optional<std::string> nome_linea_suggerito(const std::string& percorso);

// The name a train file almost named "NAME_NUM-.txt" should have, for the
// line name `linea`: ".txt" in other letter case or missing, the hyphen
// before ".txt" left out ("NAME_2101.txt" gives "NAME_2101-.txt"), a hyphen
// or a blank after the line name in place of "_", or the number alone
// ("2101-.txt" gives "NAME_2101-.txt"). Nothing for a name that fits
// already or that no such mend makes fit.
std::optional<std::string> nome_treno_suggerito(const std::string& percorso, const std::string& linea);

// The line file is named like a train file ("..._NUM-.txt") and the train
// file like a line file ("..._linea.txt", any letter case).
bool file_scambiati(const std::string& file_linea, const std::string& file_treno);

// The options win; otherwise the defaults; otherwise a usage error (errore_uso)
// that names the file, and how to name it when it almost fits. Two files that
// look swapped are a usage error whatever the options. On Windows a name that
// Windows-1252 cannot hold is a usage error too.
nomi_scenario nomi_compilazione(const richiesta_compilazione& r);

// The name as the scenario model holds it (in the ".sim" file and the check
// codes). On POSIX the name's bytes as they are; on Windows, where names
// arrive as UTF-8, its Windows-1252 bytes (errore_uso naming `che_cosa` when a
// character does not fit). File names are always formed from the names as
// given, so on Windows "Città" names the file "Città_linea.dat" and the
// model holds the byte E0 for "à".
std::string nome_nel_modello(const std::string& nome, const std::string& che_cosa);

// Both names as the model holds them.
nomi_scenario nomi_nel_modello(const nomi_scenario& nomi);

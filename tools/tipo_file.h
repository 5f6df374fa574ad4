// The three kinds of binary scenario file and how a file's name tells its kind.
#pragma once

#include <optional>
#include <string>

#include "tools/percorsi.h"

enum class tipo_file { planimetria, scenario, tracciato };

// "plan", "table", "track".
const char* nome_tipo(tipo_file t);

// The kind named by "plan", "table" or "track".
std::optional<tipo_file> tipo_da_parola(const std::string& parola);

// The kind from the file's name, its letter case aside: "..._linea.dat" a
// plan, "....sim" a table, any other "....dat" a track.
std::optional<tipo_file> tipo_da_nome_file(const std::string& percorso);

// Whether `s` ends with `coda`, letter case (ASCII) aside.
bool finisce_con_senza_maiuscole(const std::string& s, const std::string& coda);

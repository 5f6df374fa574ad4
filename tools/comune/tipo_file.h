// The three kinds of binary scenario file and how a file's name tells its kind.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "tools/comune/percorsi.h"

enum class tipo_file { planimetria, scenario, tracciato };

// The paths of one scenario's binary files (the plan may be absent).
struct file_scenario {
    std::optional<std::string> planimetria;
    std::string scenario;
    std::string tracciato;
};

// "plan", "table", "track".
const char* nome_tipo(tipo_file t);

// The kind named by "plan", "table" or "track".
std::optional<tipo_file> tipo_da_parola(const std::string& parola);

// The kind from the file's name, its letter case aside: "..._linea.dat" a
// plan, "....sim" a table, any other "....dat" a track.
std::optional<tipo_file> tipo_da_nome_file(const std::string& percorso);

// Whether `s` ends with `coda`, letter case (ASCII) aside.
bool finisce_con_senza_maiuscole(const std::string& s, const std::string& coda);

// The binary files of one scenario as a command line names them: two or
// three files, in any order when every name tells a different kind and the
// table and the track are among them; otherwise in the order PLAN TABLE
// TRACK (or TABLE TRACK), where a name that does not fit its place is then a
// problem of its own. Throws errore_uso for another count of files,
// `comando` naming the command.
file_scenario file_per_tipo(const std::vector<std::string>& file, const std::string& comando);

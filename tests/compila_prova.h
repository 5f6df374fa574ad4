// The compiler run on two texts in memory, under the line name "L" and the
// train number "1": the model it leaves, for tests of what it read and noted.
#pragma once

#include <string>

#include "compiler/compilatore.h"
#include "compiler/modello.h"
#include "sources/nomi_file.h"
#include "supporto.h"

inline modello_scenario compila_in_memoria(const std::string& linea, const std::string& treno) {
    cartella_prova dir;
    modello_scenario m;
    m.nome_linea = "L";
    m.numero_treno = "1";
    m.scrivi_linea = true;
    dir.file[nome_file_linea("L")] = linea;
    dir.file[nome_file_treno("L", "1")] = treno;
    memorizza_dati(m, dir.dir);
    return m;
}

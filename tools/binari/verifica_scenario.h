// `scenario-tool verify`: do a line plan, a scenario table and a track belong
// together, and will they load?
//
// The line name and train number come from the file names: NAME from the plan
// "NAME_linea.dat"; NUM from the table "NAME_NUM.sim" (what follows NAME and
// "_"; without a plan, NAME and NUM are split at the last "_" of "NAME_NUM").
// The table and the track must have the same "NAME_NUM". Then:
// - each file decodes (structure and sizes; the track reaches cell 1);
// - the format stamps: par1 of entry 85 is 610, valore1 of cell 1 is 5121;
// - the check codes computed from the names of the files: codice_gara_st in
//   valore4 of entry 85, codice_gara_og in valore2 of cell 1;
// - the names in entries 85 (line) and 86 (train) are those of the files;
// - the lengths: lunghezza_totale = valore2 of entry 84 + 7000, the track has
//   numero_celle + 1 cells (numero_celle = lunghezza_totale / 50, a half
//   rounded to even), the plan has lunghezza_totale + 1 points.
// The plan may be left out (a scenario built without it); its checks are then
// skipped.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "compiler/modello.h"
#include "tools/comune/tipo_file.h"

// The line name and train number the files' names give (see above): each
// is absent when the names do not give it, with the problems appended to
// `problemi`.
struct nomi_file {
    std::optional<std::string> linea;
    std::optional<std::string> treno;
};
nomi_file nomi_da_file(const file_scenario& f, std::vector<std::string>& problemi);

// Every problem found, one line each, in the order above; empty when all holds.
std::vector<std::string> verifica_scenario(const file_scenario& f);

// The files' bytes, as read; a file absent here could not be read.
struct contenuti_scenario {
    std::optional<std::string> planimetria;
    std::optional<std::string> scenario;
    std::optional<std::string> tracciato;
};

// The checks after the reading: the files named `f` hold `c`, and their
// names give `da_nomi`. Appends every problem found to `problemi`.
void verifica_contenuti(const file_scenario& f, const nomi_file& da_nomi, const contenuti_scenario& c,
                        std::vector<std::string>& problemi);

// The two check codes of a line name and a train number: codice_gara_st, codice_gara_og.
struct codici_scenario {
    std::int32_t st = 0;
    std::int32_t og = 0;
};
codici_scenario codici_di(const std::string& linea, const std::string& treno);

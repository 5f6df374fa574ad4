// The check of decompile: the two texts compiled in memory as
// `scenario-tool compile` would compile them, and the files the build writes
// compared byte for byte with the files decompiled.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "tools/costruzione/compila_strumento.h"
#include "tools/decompila/decompila_quadro.h"

// The build of the two texts (with the plan when `con_planimetria`).
void compila_sorgenti(costruzione_in_memoria& c, const nomi_scenario& nomi, const std::string& linea,
                      const std::string& treno, bool con_planimetria);

// True when the build wrote exactly the files `f` (the plan only when `f`
// has one).
bool stessi_file(const costruzione_in_memoria& c, const nomi_scenario& nomi, const file_binari& f);

// What `scenario-tool compile` without --as-builder refuses in a build, so
// that it writes no file: the status the build records ("status N") and
// each warning that is an error by default (its name, once), in the order
// the build gave them.
std::vector<std::string> errori_predefiniti(const modello_scenario& m);

// What will come out differently, one line each: first the notes that name
// no place that differs (causes elsewhere), then every plan point, table
// entry and track cell that differs, field by field (the file's value ->
// the build's), with the notes on that place; at most `massimo` places of
// each file, then how many more.
// `piano` is the plan of `f` as decoded (none without the plan), so that a
// plan is never held decoded twice.
std::vector<std::string> differenze(const costruzione_in_memoria& c, const file_binari& f,
                                    const std::optional<planimetria_linea>& piano, const note_decompilazione& note,
                                    std::size_t massimo = 40);

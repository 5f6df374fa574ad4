// The curves of the line, for the page of `view`: each one the run of plan
// points it bent. Built from the text sources, they are the curve records as
// the build read them (the model keeps each with its place and the points it
// bent); decoded from the binary files, they are recovered from the plan as
// decompile recovers them: each run of points turned by one curvature is a
// curve. A well-formed line gives the same curves either way.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "compiler/modello.h"
#include "tools/vista/chilometri_vista.h"

struct curva_vista {
    std::int32_t inizio = 0;  // the metre before its first bent point: where it leaves the straight
    std::int32_t fine = 0;    // its last bent point
    int grado = 1;            // 1 to 6
    bool sinistra = false;
    const curva_letta* record = nullptr;  // as the line file gives it; null when recovered from the plan
};

// The curves from the model's records when it has them, else from its plan
// (the metres that hold a value).
std::vector<curva_vista> curve_del_modello(const modello_scenario& m);

// Curvature per metre and radius of a grade (1 to 6).
double curvatura_grado(int grado);
std::int64_t raggio_grado(int grado);

// "left" or "right".
const char* lato_curva(const curva_vista& c);

// The hover text: what the curve is, the record as written (its file and
// line, when the page was made from the text sources), then what the build
// made of it.
std::string titolo_curva(const curva_vista& c, const chilometri_vista& k, const std::string& file_linea);

// Decoders of the three binary scenario files: the bytes back into the model's
// members, field by field, as the writers of scrittura_binaria.h pack them.
//
// Pure functions of the bytes: any input is accepted and nothing is read
// outside it. Input that is not such a file (a record cut short, an unknown
// plan type tag, bytes left over, a size that is no whole number of cells, an
// odd number of plan elements) throws errore_lettura with the byte offset
// where decoding stopped and what was expected there.
#pragma once

#include <array>
#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "compiler/modello.h"

struct errore_lettura : std::runtime_error {
    std::size_t posizione;    // byte offset from the start of the file
    std::string descrizione;  // what was expected there

    // what(): "at byte POSIZIONE: DESCRIZIONE".
    errore_lettura(std::size_t posizione_, const std::string& descrizione_);
};

// The line plan: elements (16-bit tag, then a 16-bit Integer, a binary64
// Double or nothing) up to the end of the file; the first half of them are the
// x coordinates, the second half the y coordinates. An empty file gives a plan
// without points.
planimetria_linea leggi_planimetria(std::string_view b);

// The scenario table: exactly 87 entries and nothing after them.
std::array<voce_scenario, voci_scenario> leggi_scenario(std::string_view b);

// The track: the file's cells, 15 bytes each.
std::vector<cella> leggi_tracciato(std::string_view b);

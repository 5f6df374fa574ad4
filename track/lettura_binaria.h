// Decoders of the three binary scenario files: the bytes back into the model's
// members, field by field, as the writers of scrittura_binaria.h pack them
// (cells and entries in the layout of disposizione_binaria.h).
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

#include "compiler/geometria.h"
#include "compiler/modello.h"
#include "track/disposizione_binaria.h"

struct errore_lettura : std::runtime_error {
    std::size_t posizione;    // byte offset from the start of the file
    std::string descrizione;  // what was expected there

    // what(): "at byte POSIZIONE: DESCRIZIONE".
    errore_lettura(std::size_t posizione_, const std::string& descrizione_);
};

// The largest file of each kind that a valid line can make, from the format's
// own limits: a line of at most 1,000,000 m, with 7,000 m of track beyond
// its end, has at most 1,007,001 metres of plan and 20,141 cells of 50 m.
// - a track: 20,141 cells of 15 bytes, 302,115 bytes;
// - a plan: an x and a y element for each of 1,007,001 metres, none longer
//   than a Double's 10 bytes, 20,140,020 bytes;
// - a table: 87 entries, none longer than 34 bytes and a 65,535-byte name,
//   5,704,503 bytes.
// A larger file is refused before it is decoded (and before it is read, by
// the tools), so that no input costs more than the largest valid one.
inline constexpr std::size_t metri_massimi_planimetria = 1000000 + 7000 + 1;
inline constexpr std::size_t celle_massime = (1000000 + 7000) / metri_cella + 1;
inline constexpr std::size_t byte_massimi_tracciato = celle_massime * byte_cella;
inline constexpr std::size_t byte_massimi_planimetria = 2 * metri_massimi_planimetria * 10;
inline constexpr std::size_t byte_massimi_scenario = std::size_t{voci_scenario} * (byte_voce_senza_nome + 65535);

// The line plan: elements (16-bit tag, then a 16-bit Integer, a binary64
// Double or nothing) up to the end of the file; the first half of them are the
// x coordinates, the second half the y coordinates. An empty file gives a plan
// without points.
planimetria_linea leggi_planimetria(std::string_view b);

// A plan file checked whole but not decoded into a plan: what a listing that
// walks its elements once needs, in the memory of the file alone, however
// many elements it holds.
struct lettore_planimetria {
    std::string_view byte;      // the file, which must outlive this
    std::size_t elementi = 0;   // x of every metre, then y of every metre
    std::size_t inizio_y = 0;   // the byte where the first y element begins
};

// Checks the file as leggi_planimetria does (the same errore_lettura, at the
// same byte) and counts its elements.
lettore_planimetria apri_planimetria(std::string_view b);

// One plan element as the file holds it.
struct elemento_letto {
    tipo_valore tipo = tipo_valore::vuoto;
    double valore = 0;
};

// The element that begins at byte `posizione` of a file that
// apri_planimetria accepted; `posizione` moves on to the next one.
elemento_letto elemento_da(const lettore_planimetria& f, std::size_t& posizione);

// The scenario table: exactly 87 entries and nothing after them.
std::array<voce_scenario, voci_scenario> leggi_scenario(std::string_view b);

// The track: the file's cells, 15 bytes each.
std::vector<cella> leggi_tracciato(std::string_view b);

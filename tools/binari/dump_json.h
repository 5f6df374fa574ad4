// The decoded scenario files as JSON, with the model's own field names.
//
//   track: {"kind": "track", "cells": [{"tipo", "valore1", ..., "aderenza"}, ...]}
//   table: {"kind": "table", "entries": [{"tipo", "valore1", ..., "valore4"}, ...]}
//   plan:  {"kind": "plan", "x": [...], "y": [...]}
//
// Fields in the on-disk order; signed fields signed; `nome` decoded from
// Windows-1252. A plan element is a JSON integer (Integer), a number with a
// decimal point or an exponent that reads back to the same double (Double),
// or null (no value). A Double that is not finite, which a JSON number cannot
// hold, is a string that gives it back bit for bit: "Infinity", "-Infinity",
// "NaN" for the quiet NaN 0x7ff8000000000000, and "NaN:0xHHHHHHHHHHHHHHHH"
// (its 64 bits in hexadecimal) for any other NaN. Written on one line, pure
// ASCII.
#pragma once

#include <array>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <optional>
#include <ostream>
#include <vector>

#include "compiler/modello.h"
#include "track/lettura_binaria.h"

nlohmann::ordered_json json_cella(const cella& c);
nlohmann::ordered_json json_voce(const voce_scenario& v);

// The track and table objects, written cell by cell and entry by entry: the
// whole object is never held as a JSON tree or a text. Each stops early once
// `o` has failed (a closed pipe, a full disk).
void scrivi_json_tracciato(std::ostream& o, const std::vector<cella>& tracciato);
void scrivi_json_scenario(std::ostream& o, const std::array<voce_scenario, voci_scenario>& scenario);

// The bits of the quiet NaN that "NaN" stands for.
inline constexpr std::uint64_t nan_canonico = 0x7ff8000000000000;

// A Double: a number when finite, otherwise its string.
nlohmann::json json_doppio(double d);

// The Double that json_doppio wrote, bit for bit; nullopt for anything else.
std::optional<double> doppio_da_json(const nlohmann::json& j);

// A plan element; element `e` of a plan (storage order: all x, then all y).
nlohmann::json json_elemento(const elemento_letto& e);
nlohmann::json json_elemento(const planimetria_linea& p, std::size_t e);

// The plan object, written element by element from the file: a plan of ten
// million elements is never held as a JSON tree nor decoded whole. It stops
// early once `o` has failed.
void scrivi_json_planimetria(std::ostream& o, const lettore_planimetria& f);

// One object on one line, pure ASCII.
std::string testo_json(const nlohmann::ordered_json& j);

// The decoded scenario files as JSON, with the model's own field names.
//
//   track: {"kind": "track", "cells": [{"tipo", "valore1", ..., "aderenza"}, ...]}
//   table: {"kind": "table", "entries": [{"tipo", "valore1", ..., "valore4"}, ...]}
//   plan:  {"kind": "plan", "x": [...], "y": [...]}
//
// Fields in the on-disk order; signed fields signed; `nome` decoded from
// Windows-1252. A plan element is a JSON integer (Integer), a number with a
// decimal point or an exponent that reads back to the same double (Double),
// or null (no value, and also a Double that is not finite, which JSON cannot
// hold). Written on one line, pure ASCII.
#pragma once

#include <array>
#include <nlohmann/json.hpp>
#include <ostream>
#include <vector>

#include "compiler/modello.h"

nlohmann::ordered_json json_cella(const cella& c);
nlohmann::ordered_json json_voce(const voce_scenario& v);
nlohmann::ordered_json json_tracciato(const std::vector<cella>& tracciato);
nlohmann::ordered_json json_scenario(const std::array<voce_scenario, voci_scenario>& scenario);

// Plan element `e` (storage order: all x, then all y).
nlohmann::json json_elemento(const planimetria_linea& p, std::size_t e);

// The plan object, written element by element: a plan of two million
// elements is never held as a JSON tree.
void scrivi_json_planimetria(std::ostream& o, const planimetria_linea& p);

// One object on one line, pure ASCII.
std::string testo_json(const nlohmann::ordered_json& j);

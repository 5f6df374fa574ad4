// The decoded scenario files as readable tables.
//
// - track: one row per cell worth a look: a cell whose tipo is not 0, a cell
//   with a value set (valore1 to valore4, tempo_segnale, avviso: cell 1
//   carries the format stamp and a check code), and a cell where montagna,
//   vel_limite, pendenza or aderenza differ from the cell before (cell 0
//   always), so that the profile shows where it changes; or every cell.
//   Each row has the cell's metre (cell x 50).
// - table: the 87 entries, each with its role.
// - plan: a summary (points, element kinds by metre, extent, first and last
//   points), and the points of a range of metres when one is asked for.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "compiler/modello.h"
#include "track/lettura_binaria.h"

struct intervallo_metri {
    std::int64_t da = 0;
    std::int64_t a = 0;
};

// Reads "A:B" (whole metres, A <= B); nothing when the text is not of that form.
std::optional<intervallo_metri> leggi_intervallo(const std::string& testo);

// Words for a cell's tipo ("signal", "slowdown start", ...; "?" for a code the
// build never writes).
const char* nome_tipo_cella(std::uint8_t tipo);

// The role of a table entry: fixed for 0 and 81 to 86; for 1 to 80 from what
// the entry holds ("station", "sign text" or "free").
std::string ruolo_voce(int i, const voce_scenario& v);

// Windows-1252 text for the terminal: UTF-8, with control characters shown
// as \xNN and '"' and '\' escaped, between double quotes.
std::string testo_tra_virgolette(const std::string& testo);

void testo_tracciato(std::ostream& o, const std::vector<cella>& tracciato, bool tutte);
void testo_scenario(std::ostream& o, const std::array<voce_scenario, voci_scenario>& scenario);
// The plan as the file holds it, walked element by element: a plan of ten
// million elements costs no more memory than its file.
void testo_planimetria(std::ostream& o, const lettore_planimetria& f, const std::optional<intervallo_metri>& punti);

// A plan element's value as text: the Integer, the Double as the shortest text
// that reads back to it, "-" for no value.
std::string testo_elemento(const elemento_letto& e);
std::string testo_elemento(const planimetria_linea& p, std::size_t e);

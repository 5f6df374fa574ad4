// What a runtime failure of the core is, as facts: its kind and the numbers
// that tell it. The words for it belong to whoever shows it.
#pragma once

#include <array>
#include <cstdint>
#include <string>

// What a runtime failure is, and the numbers that tell it: the kind and its
// facts, so that whoever words it needs no sentence of the core.
enum class genere_guasto : std::uint8_t {
    file,               // a file operation failed: the operation, the file, the system's words
    fine_file,          // a field read past the end of the text
    non_numero,         // a value field that is no whole number: campo
    valore_enorme,      // a value field beyond 2^32: campo
    fuori_campo,        // a value outside its field: campo, numeri {lowest, highest}
    conversione,        // a computed value that fits no whole-number field: reale
    calcolo,            // a whole-number result beyond 32 bits: numeri {the result}
    cella_fuori,        // a cell index outside the track: numeri {index, last cell}
    voce_fuori,         // an entry index outside the scenario table: numeri {index}
    punto_fuori,        // a metre outside the plan: numeri {metre, last metre}
    montagna_fuori,     // a mountain span beyond the last entry of its list: numeri {span}
    velocita_fuori,     // a speed limit whose fifth fits no byte: numeri {km/h}
    senza_celle,        // a track length that gives no cells: numeri {metres}
    senza_punti,        // a track length that gives no plan points: numeri {metres}
    senza_lunghezza,    // the line's general section gave no length record
};

struct dati_guasto {
    genere_guasto genere = genere_guasto::file;
    std::array<std::int64_t, 2> numeri{};
    double reale = 0;
    std::string campo;  // the field's bytes as written, for the kinds about a value field
};

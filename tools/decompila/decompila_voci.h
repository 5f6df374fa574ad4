// The fields of a table entry by name, for the checks of decompile: a field
// that no record writes must be 0.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string_view>

#include "tools/decompila/decompila_sorgenti.h"

// The number fields of voce_scenario, in on-disk order.
enum class campo_voce : std::uint8_t {
    tipo, valore1, valore2, valore3, marca, par1, par2, par3, par4, par5, opz1, opz2, opz3, opz4, valore4
};

std::int64_t valore_campo(const voce_scenario& v, campo_voce c);
std::string_view nome_campo(campo_voce c);

// Notes every number field of entry `numero` outside `scritti` that is not 0,
// and a name that is not empty when `con_nome` is false: `chi` says what the
// entry is ("the general data"), for the note.
void campi_non_scritti(const voce_scenario& v, int numero, std::initializer_list<campo_voce> scritti, bool con_nome,
                       const char* chi, note_decompilazione& n);

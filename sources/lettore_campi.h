// Reader of the text sources: a stream of comma- or line-delimited fields.
//
// - A blank is the space character only; blanks in front of a field are skipped.
// - A line ends at CR LF, at a lone CR or at a lone LF.
// - A text field (keyword, sign text, station name) runs to the next comma or
//   line end; its trailing blanks are kept.
// - A value field also ends at a blank: the blanks after it are skipped, then
//   one comma or one line end, if it comes next, is consumed too.
// - Each field consumes the one comma or line end that closes it.
// - The reader is at end when no byte of the file remains; any remaining byte
//   begins a field (an empty line is one empty field), while a comma that is
//   the file's very last byte opens no further field.
// - Reading a field at end, a value field that is not an optional sign
//   followed by decimal digits, or a value that does not fit its type throws
//   errore_esecuzione carrying the place of the field.
//
// Every field knows its place: after each read, `campo` is where the field
// began (after its leading blanks). Line and column counters stop at their
// largest value instead of overflowing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

#include "sources/luogo.h"

// What closed the last field read.
enum class chiusura_campo : std::uint8_t { fine_file, virgola, fine_riga, blank };

struct lettore_campi {
    std::string testo;
    std::size_t pos = 0;
    sorgente file = sorgente::nessuna;
    // Line and column (from 1) of the next unread byte.
    std::int32_t riga = 1;
    std::int32_t colonna = 1;
    // The last field read: where it began, its bytes in `testo`, what closed it.
    luogo campo;
    std::size_t inizio_campo = 0;
    std::size_t fine_campo = 0;
    chiusura_campo chiusura = chiusura_campo::fine_file;
};

lettore_campi apri_lettore(std::string testo, sorgente file = sorgente::nessuna);

inline bool a_fine(const lettore_campi& l) { return l.pos >= l.testo.size(); }

// The bytes of the last field read.
inline std::string_view testo_campo(const lettore_campi& l) {
    return std::string_view(l.testo).substr(l.inizio_campo, l.fine_campo - l.inizio_campo);
}

// The column after the last field's last byte, the blanks after it left out.
std::int32_t colonna_dopo_campo(const lettore_campi& l);

// A counter that stops at its largest value instead of overflowing.
inline void conta(std::int32_t& contatore) {
    if (contatore < std::numeric_limits<std::int32_t>::max()) ++contatore;
}

// Moves a line and column past byte i of the text, as the reader counts them:
// CR LF, a lone CR and a lone LF each end one line (the CR of a CR LF moves
// nothing, its LF ends the line); any other byte takes one column. True when
// the byte ends a line.
inline bool conta_byte(std::string_view testo, std::size_t i, std::int32_t& riga, std::int32_t& colonna) {
    const char c = testo[i];
    if (c == '\n' || (c == '\r' && (i + 1 >= testo.size() || testo[i + 1] != '\n'))) {
        conta(riga);
        colonna = 1;
        return true;
    }
    if (c != '\r') conta(colonna);
    return false;
}

// A value field's form: an optional sign, then one or more decimal digits.
bool e_numero(std::string_view campo);

std::string leggi_testo(lettore_campi& l);
std::int32_t leggi_long(lettore_campi& l);
std::int16_t leggi_integer(lettore_campi& l);
std::uint8_t leggi_byte(lettore_campi& l);

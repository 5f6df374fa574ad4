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
//   errore_esecuzione.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

struct lettore_campi {
    std::string testo;
    std::size_t pos = 0;
    // Line and column (from 1) of the next unread byte.
    std::int32_t riga = 1;
    std::int32_t colonna = 1;
    // Where the last field asked for began (after its leading blanks).
    std::int32_t riga_campo = 0;
    std::int32_t colonna_campo = 0;
};

lettore_campi apri_lettore(std::string testo);

inline bool a_fine(const lettore_campi& l) { return l.pos >= l.testo.size(); }

std::string leggi_testo(lettore_campi& l);
std::int32_t leggi_long(lettore_campi& l);
std::int16_t leggi_integer(lettore_campi& l);
std::uint8_t leggi_byte(lettore_campi& l);

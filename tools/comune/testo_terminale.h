// Text made safe for the author's terminal. Nothing read from a source file
// or given as a path reaches the screen raw: a file must not be able to move
// the cursor, change colours or cut a message short.
//
// - Text of a source is Windows-1252: printable ASCII stays, a tab is shown
//   as \t, NUL as \0, every other control byte (ESC included) and DEL as
//   \xNN, and the bytes above 127 as their Windows-1252 characters in UTF-8
//   (the five bytes that code page leaves undefined, which would be C1
//   controls, as \xNN).
// - A path is shown as the system gave it (UTF-8 expected): printable ASCII
//   and valid UTF-8 characters stay; control bytes, C1 controls and bytes
//   that are not UTF-8 become \xNN.
// - Mixed text (a message that quotes source bytes and names a path) keeps
//   valid UTF-8 characters and reads every other byte as Windows-1252.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "sources/luogo.h"
#include "sources/testo_visibile.h"

// Source text for the terminal. Beyond `larghezza_massima` shown columns
// the text is cut and "..." ends it.
std::string visibile_1252(std::string_view testo, std::size_t larghezza_massima = std::string::npos);

// The columns one source byte takes when shown by visibile_1252.
std::size_t larghezza_1252(unsigned char c);

// Mixed text for the terminal.
std::string visibile_misto(std::string_view testo);

// A line of a source with a caret under one of its bytes, as compilers show
// it:
//
//        27 | cartello_indicatore,  30000,   ( PASSAGGIO A)(  LIVELLO   )
//           |                       ^~~~~
//
// `colonna` counts bytes from 1; the caret's tail runs over the rest of the
// field (to the next comma, or also to the next blank when `valore`),
// without its trailing blanks. A long line is shown as a window around the
// caret, with "..." where it is cut (and where `continua_prima` or
// `continua_dopo` tell that `riga` is only a stretch of the line). A column
// beyond the line puts the caret just after its end. Both lines end with a
// line end.
std::string riga_con_cursore(std::string_view riga, std::int32_t numero_riga, std::int32_t colonna, bool valore,
                             bool continua_prima = false, bool continua_dopo = false);

// Line `numero` (from 1) of a source, as the field reader counts lines (a
// line ends at CR LF, at a lone CR or at a lone LF); empty when the source
// has no such line.
std::string_view riga_sorgente(std::string_view testo, std::int32_t numero);

// The field that begins at `colonna` (bytes from 1) of a line: up to the
// next comma or the line's end (for a value, also up to the next blank),
// without trailing blanks.
std::string_view campo_in_riga(std::string_view riga, std::int32_t colonna, bool valore);

// The bytes of the field at `l` (its column to the column after it) in its
// line; empty when the place names no stretch of the line.
std::string_view testo_del_campo(std::string_view riga, const luogo& l);

// The text of an editor's buffer (UTF-8, positions in UTF-16 code units) and
// the Windows-1252 bytes the build reads from it (positions in bytes): one
// byte for every character, so a line and a character's index on it are the
// same in both.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// A character of the buffer that Windows-1252 cannot hold: the build reads
// '?' in its place.
struct carattere_estraneo {
    std::int32_t riga = 0;     // from 1
    std::int32_t colonna = 0;  // from 1, in characters (the byte of the build)
    char32_t codice = 0;
    std::string utf8;          // the character as the buffer holds it
};

struct testo_1252 {
    std::string byte;
    std::vector<carattere_estraneo> estranei;
};

// The buffer's UTF-8 text as Windows-1252 bytes. A byte that is not UTF-8 is
// taken as it is (JSON never brings one).
testo_1252 in_1252(const std::string& utf8);

// The length of in_1252's bytes for a UTF-8 text: one byte for each
// character, and for each byte that is not UTF-8.
std::size_t lunghezza_1252(const std::string& utf8);

// Where each line of a text begins: lines end at LF, CR LF or a lone CR, as
// the build counts them.
std::vector<std::size_t> inizi_righe(std::string_view testo);

// A position of the editor (line from 0, UTF-16 units from 0) from a place of
// the build (line from 1, column in characters from 1) on a UTF-8 text; a
// column beyond the line's end gives the end.
struct posizione_editor {
    std::int32_t riga = 0;
    std::int32_t carattere = 0;
};
posizione_editor in_editor(std::string_view utf8, const std::vector<std::size_t>& inizi, std::int32_t riga,
                           std::int32_t colonna);

// The byte of a UTF-8 text at an editor's position (the line's end for a
// column beyond it; the text's end for a line beyond it).
std::size_t byte_a(std::string_view utf8, const std::vector<std::size_t>& inizi, posizione_editor p);

// The character column (from 1) of that position on its line.
std::int32_t colonna_a(std::string_view utf8, const std::vector<std::size_t>& inizi, posizione_editor p);

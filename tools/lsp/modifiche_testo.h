// The edits of textDocument/didChange on a buffer's text: a whole new text, or
// a range replaced. A range's ends are found through an index of the lines
// that each edit keeps up to date, so that many edits of a long buffer cost
// the lines they touch, not a scan of the whole text each.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "tools/lsp/testo_editor.h"

struct testo_indicizzato {
    std::string testo;               // UTF-8, as the editor holds it
    std::vector<std::size_t> inizi;  // where each line begins, as inizi_righe gives them; empty until a range asks
};

// The text replaced whole; the index is made again when a range asks for it.
void sostituisci_tutto(testo_indicizzato& t, std::string nuovo);

// The text between two positions of the editor (line from 0, UTF-16 units)
// replaced by `nuovo`. Each end is taken as byte_a takes it (a column beyond
// its line is the line's end, a line beyond the text the text's end); an end
// before the start replaces nothing and inserts at the start.
void sostituisci_tra(testo_indicizzato& t, posizione_editor da, posizione_editor a, std::string_view nuovo);

// The language server on two streams: a reader that takes the frames off the
// input as they come, and the handling of each message in order. The pairs
// due are checked when no message waits; a message that changes a file of
// the pair being checked makes that check's result obsolete. A request that
// $/cancelRequest names while it still waits is answered RequestCancelled
// (-32800) and not handled.
#pragma once

#include <istream>
#include <ostream>

#include "tools/lsp/server.h"

// Runs until a valid exit notification (e_uscita) or the input's end. The exit status: 0 after shutdown
// and exit, 1 otherwise (the input ended, or exit came without shutdown).
int esegui_server(stato_server& s, std::istream& ingresso, std::ostream& uscita);

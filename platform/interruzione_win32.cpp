#include "platform/interruzione.h"

#include <windows.h>

#include <atomic>

namespace {

// The console calls the handler on a thread of its own. Closing the console
// window ends the process whatever the handler says, so only Ctrl-C and
// Ctrl-Break are taken.
std::atomic<bool> interrotto{false};

BOOL WINAPI nota_interruzione(DWORD evento) {
    switch (evento) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
        interrotto = true;
        return TRUE;
    default:
        return FALSE;
    }
}

}  // namespace

namespace piattaforma {

void prendi_interruzione() { SetConsoleCtrlHandler(nota_interruzione, TRUE); }

bool interruzione_chiesta() { return interrotto; }

}  // namespace piattaforma

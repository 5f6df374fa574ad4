#include "platform/interruzione.h"

#include <signal.h>

namespace {

// Written by the signal handler, read by the program: a lock-free flag.
volatile sig_atomic_t interrotto = 0;

extern "C" void nota_interruzione(int) { interrotto = 1; }

}  // namespace

namespace piattaforma {

void prendi_interruzione() {
    struct sigaction azione {};
    azione.sa_handler = nota_interruzione;
    sigemptyset(&azione.sa_mask);
    azione.sa_flags = SA_RESTART;
    sigaction(SIGINT, &azione, nullptr);
    sigaction(SIGTERM, &azione, nullptr);
}

bool interruzione_chiesta() { return interrotto != 0; }

}  // namespace piattaforma

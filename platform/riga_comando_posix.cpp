#include "platform/riga_comando.h"

#include <signal.h>
#include <unistd.h>

namespace piattaforma {

std::vector<std::string> argomenti_utf8(int argc, char** argv) {
    if (argc < 1) return {};
    return std::vector<std::string>(argv + 1, argv + argc);
}

void scrittura_su_tubo_chiuso_fallisce() { ::signal(SIGPIPE, SIG_IGN); }

void flussi_binari() {}

bool uscita_su_terminale() { return isatty(STDOUT_FILENO) != 0; }

}  // namespace piattaforma

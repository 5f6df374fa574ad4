#include "platform/riga_comando.h"

namespace piattaforma {

std::vector<std::string> argomenti_utf8(int argc, char** argv) {
    if (argc < 1) return {};
    return std::vector<std::string>(argv + 1, argv + argc);
}

}  // namespace piattaforma

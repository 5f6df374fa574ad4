#include <windows.h>
#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <cstdio>

#include "platform/riga_comando.h"
#include "platform/testo_windows.h"

namespace piattaforma {

std::vector<std::string> argomenti_utf8(int argc, char** argv) {
    int n = 0;
    wchar_t** larghi = CommandLineToArgvW(GetCommandLineW(), &n);
    if (larghi == nullptr) {
        // Nothing better to go by than the narrow arguments.
        if (argc < 1) return {};
        return std::vector<std::string>(argv + 1, argv + argc);
    }
    std::vector<std::string> argomenti;
    for (int i = 1; i < n; ++i) argomenti.push_back(in_utf8(larghi[i]));
    LocalFree(larghi);
    return argomenti;
}

// A write to a pipe whose reader is gone already fails on Windows.
void scrittura_su_tubo_chiuso_fallisce() {}

void flussi_binari() {
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
}

bool uscita_su_terminale() { return _isatty(_fileno(stdout)) != 0; }

}  // namespace piattaforma

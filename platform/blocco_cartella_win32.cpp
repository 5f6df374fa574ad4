// The directory lock on Windows: a hidden file in the directory, opened with
// no sharing at all and deleted by the system when its last handle closes
// (at the end of the process, a crash included).
#include <windows.h>

#include "platform/blocco_cartella.h"
#include "platform/testo_windows.h"
#include "sources/cartella.h"
#include "sources/errore_esecuzione.h"

namespace piattaforma {

blocco_cartella::~blocco_cartella() {
    if (maniglia_ != -1) CloseHandle(reinterpret_cast<HANDLE>(maniglia_));
}

blocco_cartella blocca_cartella(const std::string& percorso) {
    const std::string file = percorso_in(percorso, nome_file_blocco);
    // OPEN_ALWAYS: a lock file left by a power loss is taken over.
    HANDLE h = CreateFileW(in_utf16(file).c_str(), GENERIC_READ | GENERIC_WRITE | DELETE, 0, nullptr, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        const DWORD numero = GetLastError();
        std::string testo = testo_errore_windows(numero);
        // A file in use, or one whose deletion is pending as its holder ends.
        if (numero == ERROR_SHARING_VIOLATION || numero == ERROR_LOCK_VIOLATION) {
            testo = "another scenario-builder is running in this directory; nothing was written (" + testo + ")";
        }
        throw errore_esecuzione("lock", file, static_cast<int>(numero), testo);
    }
    return blocco_cartella(reinterpret_cast<std::intptr_t>(h));
}

}  // namespace piattaforma

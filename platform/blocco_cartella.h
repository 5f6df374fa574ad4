// One builder per directory: an exclusive lock on the directory that a run
// writes into, held for the whole run and released when the process ends,
// however it ends. Taking it leaves no file behind: on POSIX it is a lock on
// the directory itself; on Windows it is a hidden file opened for this
// process alone, which the system deletes when its handle closes.
#pragma once

#include <cstdint>
#include <string>

namespace piattaforma {

// The name of the lock file on Windows, in the locked directory while a run
// holds it.
inline constexpr const char* nome_file_blocco = "scenario-builder.lock";

class blocco_cartella {
public:
    explicit blocco_cartella(std::intptr_t maniglia) : maniglia_(maniglia) {}
    blocco_cartella(blocco_cartella&& altro) noexcept : maniglia_(altro.maniglia_) { altro.maniglia_ = -1; }
    blocco_cartella(const blocco_cartella&) = delete;
    blocco_cartella& operator=(const blocco_cartella&) = delete;
    blocco_cartella& operator=(blocco_cartella&&) = delete;
    // Releases the lock.
    ~blocco_cartella();

private:
    std::intptr_t maniglia_;  // the descriptor or handle that holds it; -1 for none
};

// Takes the lock on the directory at `percorso` without waiting. When another
// process holds it, throws errore_esecuzione ("lock", the directory, and the
// words "another scenario-builder is running in this directory"); any other
// failure to take it throws too. Touches no file of the directory.
blocco_cartella blocca_cartella(const std::string& percorso);

}  // namespace piattaforma

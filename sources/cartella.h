// The storage seam: the only way the core reaches files. A directory is a
// small table of operations on the files it holds, each named by its plain
// file name. The builder gives the core its own directory on disk; the tools
// and the tests give it a directory in memory, or one that fails on purpose.
//
// Every operation that fails throws errore_esecuzione naming the operation,
// the file's path (as percorso_in gives it) and the system's error text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

// What stands at a name in a directory.
enum class genere_file : std::uint8_t {
    assente,
    regolare,
    cartella,
    collegamento,  // a symbolic link, dangling or not; never followed
    speciale,      // a FIFO, a device, a socket
};

// The content of a file to write: its size, and a function that hands its
// bytes to a sink in order, a piece at a time. A long line plan is packed a
// piece at a time and never held whole; a text converts to one piece.
struct contenuto_file {
    using destinazione = std::function<void(std::string_view pezzo)>;

    std::uintmax_t dimensione = 0;
    std::function<void(const destinazione& scrivi)> produci;

    contenuto_file() = default;
    contenuto_file(std::uintmax_t dimensione_, std::function<void(const destinazione&)> produci_)
        : dimensione(dimensione_), produci(std::move(produci_)) {}
    contenuto_file(std::string testo);  // NOLINT: a text is a content
    contenuto_file(const char* testo);  // NOLINT
};

// The whole content as one text.
std::string in_un_testo(const contenuto_file& c);

struct cartella {
    // How messages name the directory: its path, or a label for one in memory.
    std::string descrizione;

    std::function<genere_file(const std::string& nome)> genere;
    // The whole content of a regular file; a file larger than `limite` bytes
    // is refused before it is read.
    std::function<std::string(const std::string& nome, std::size_t limite)> leggi;
    // Replaces the file with the content: whatever an older file held is
    // gone. Refuses a name where anything but a regular file stands.
    std::function<void(const std::string& nome, const contenuto_file& contenuto)> sostituisci;
    // Deletes the file; a missing file is a failure.
    std::function<void(const std::string& nome)> elimina;
    // Creates a file that must not exist yet (never through a link), with the
    // content, and closes it: the first step of replacing files atomically.
    std::function<void(const std::string& nome, const contenuto_file& contenuto)> crea_nuovo;
    // Renames a file over another of the same directory in one step.
    std::function<void(const std::string& da, const std::string& a)> rinomina;
    // The names of everything the directory holds, in no order.
    std::function<std::vector<std::string>()> elenca;
};

// Largest text source the compiler reads: a valid source of the longest line
// needs well under a megabyte.
inline constexpr std::size_t limite_sorgente = std::size_t{16} << 20;

// The path of a file in a directory: the directory's path, the separator, the
// name; the name alone for a directory without a path.
std::string percorso_in(const std::string& cartella, const std::string& nome);
// The path by which messages name a file of the directory.
std::string percorso_in(const cartella& c, const std::string& nome);

// A regular file stands at the name.
bool esiste_file(const cartella& c, const std::string& nome);

// The failure of a file of the directory at path `c` larger than a read may take.
[[noreturn]] void rifiuta_troppo_grande(const std::string& c, const std::string& nome, std::uintmax_t dimensione,
                                        std::size_t limite);

// Why nothing may be written at a name where this stands; nullptr for a
// regular file or no file at all.
const char* perche_rifiutato(genere_file g);

// The failure of `operazione` on a path where something other than a regular
// file stands: why, then "refusing to VERBO it".
[[noreturn]] void rifiuta_genere(const char* operazione, const std::string& percorso, genere_file g,
                                const char* verbo);

// Deletes the file when a regular file stands at the name.
void elimina_se_esiste(const cartella& c, const std::string& nome);

// A directory held in memory: the map from file names to contents, owned by
// the caller, is the whole directory. Names are plain file names.
cartella cartella_in_memoria(std::map<std::string, std::string>& file, std::string descrizione = "(memory)");

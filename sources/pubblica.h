// Writing a set of output files into a directory so that nothing is lost:
// the one way the builder and every command of scenario-tool that writes
// files put them in place.
//
// 1. Every output name is checked first: a directory, a symbolic link, a FIFO,
//    a device or a socket standing at it is refused (nothing is followed or
//    opened there, so nothing hangs) before anything is written.
// 2. Each output is written whole into a new temporary file of the same
//    directory, ".NAME.tmp-XXXXXX", created exclusively and never through a
//    link. All of them are written before the first rename.
// 3. Each temporary file is renamed over its output name, in order. A rename
//    is atomic: a process killed at any moment leaves at each name either the
//    old file or the complete new one.
//
// Any failure before the renames removes every temporary file and leaves
// every old file as it was. A failing rename (rare: it needs no space) leaves
// the outputs renamed so far in place and removes the other temporary files.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "sources/cartella.h"
#include "sources/errore_esecuzione.h"

struct file_uscita {
    std::string nome;  // a plain file name in the directory
    contenuto_file contenuto;
};

struct esito_pubblicazione {
    std::vector<std::string> pubblicati;      // the names renamed into place, in order
    std::optional<errore_esecuzione> errore;  // the failure that stopped it, if any
};

// Checks every output name before anything is written: the names must be
// distinct, and only a regular file, or nothing, may stand at each.
// Throws errore_esecuzione naming the first refused one.
void verifica_uscite(const cartella& dir, const std::vector<std::string>& nomi);

// The names must be distinct (checked again here: coinciding names are
// refused as a failure before anything is written).
esito_pubblicazione pubblica_file(const cartella& dir, std::vector<file_uscita> file);

// The same in steps, for outputs produced one after the other (a build that
// streams its files): the names are checked when the first temporary file is
// written, each output goes to its temporary file as it comes, and conferma()
// renames them into place. Temporary files not renamed when the publication
// ends are removed.
struct pubblicazione {
    const cartella& dir;
    std::vector<std::string> nomi;  // every output that may come, in the order of renaming
    std::vector<std::pair<std::string, std::string>> temporanei;  // output, its temporary file
    std::size_t rinominati = 0;
    bool verificata = false;

    pubblicazione(const cartella& d, std::vector<std::string> n) : dir(d), nomi(std::move(n)) {}
    pubblicazione(const pubblicazione&) = delete;
    pubblicazione& operator=(const pubblicazione&) = delete;
    ~pubblicazione();
};

// Writes one output (one of the names) to its temporary file; throws
// errore_esecuzione.
void scrivi_temporaneo(pubblicazione& p, const std::string& nome, const contenuto_file& contenuto);

// Renames the temporary files written, in the order of the names.
esito_pubblicazione conferma(pubblicazione& p);

// Removes what publications of `nomi` killed before their renames left
// behind: the regular files named ".NAME.tmp-XXXXXX" (six lower-case letters
// or digits) for a NAME of `nomi`, nothing else. The caller proves them
// stale: it holds the directory's lock (blocco_cartella.h), which every
// publication into a directory holds while its temporary files exist (the
// builder for its whole run, compile for its writing and renaming), so no
// living process owns them. A failure to remove one is not reported: it is
// tried again by the next run. Gives the names removed.
std::vector<std::string> rimuovi_temporanei_scaduti(const cartella& dir, const std::vector<std::string>& nomi);

// The temporary file name for an output and a six-character suffix. It begins
// with "." and ends in ".tmp-" and the suffix, so no output name can take it.
std::string nome_temporaneo(const std::string& nome, const std::string& suffisso);

// Names that differ only in the case of ASCII letters name one file here.
#ifdef _WIN32
inline constexpr bool nomi_senza_maiuscole = true;
#else
inline constexpr bool nomi_senza_maiuscole = false;
#endif

// The same name on this system (ASCII case ignored on Windows).
bool stesso_nome(const std::string& a, const std::string& b, bool senza_maiuscole);

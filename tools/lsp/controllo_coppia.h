// The check of a pair of files (a line file and one of its train files) as
// the editor holds them: the build of `check` on their texts, and its
// diagnostics as the editor takes them, for each of the two files.
#pragma once

#include <exception>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "sources/luogo.h"

// One file of a pair: the editor's buffer (UTF-8) or the file on disk
// (Windows-1252 bytes), or nothing when neither is there.
struct file_coppia {
    std::string percorso;
    std::string uri;
    std::optional<std::string> testo;
    bool dal_editor = false;  // `testo` is the buffer's UTF-8, not the file's bytes
    // A file that stands on disk but cannot be read (a directory, a FIFO, a
    // file over the size limit): the errore_esecuzione reading it threw. The
    // pair is then told as check tells it: that file cannot be read.
    std::exception_ptr illeggibile;
};

struct coppia_file {
    file_coppia linea;
    file_coppia treno;
    std::string nome_linea;  // NAME
    std::string numero_treno;  // NUM; empty when no train file was found
    sorgente fuoco = sorgente::linea;  // the file whose change set the check off
};

// A quick fix: the edit that mends one diagnostic.
struct correzione {
    nlohmann::json intervallo;  // the diagnostic's range
    std::string codice;         // its code, as text
    std::string titolo;
    nlohmann::json modifiche;   // TextEdits
};

struct esito_file {
    std::string uri;
    nlohmann::json diagnostiche = nlohmann::json::array();
    std::vector<correzione> correzioni;
};

struct esito_coppia {
    esito_file linea;
    esito_file treno;
};

// The build of the pair, its diagnostics in the order check tells them. A
// diagnostic of no file goes to the file in focus; one in a file that is not
// there goes to the other file (a missing or unreadable line file, an
// unreadable train file), except that without a train file at all the line
// file is checked alone and what the missing train file makes the build say
// is left out.
// A character of a buffer that Windows-1252 cannot hold is an error of its
// own (code "not-windows-1252").
esito_coppia controlla_coppia(const coppia_file& c);

// The code of a diagnostic that tells a character the build cannot hold.
inline constexpr const char* codice_estraneo = "not-windows-1252";

// Command line of scenario-tool:
//
//   scenario-tool --help
//   scenario-tool compile LINE_FILE TRAIN_FILE [--out DIR] [--line-name NAME]
//                         [--train-number NUM] [--no-plan] [--json]
//   scenario-tool compile --help
//
// Value options take their value as the next argument or after "=" (--out=DIR).
// "--" ends the options: every later argument is a file. A value option given
// twice, an unknown option, a missing value or a wrong number of files is a
// usage error.
#pragma once

#include <optional>
#include <string>
#include <vector>

struct errore_uso {
    std::string messaggio;
};

struct richiesta_compilazione {
    std::string file_linea;
    std::string file_treno;
    std::string cartella_uscita = ".";
    std::optional<std::string> nome_linea;
    std::optional<std::string> numero_treno;
    bool senza_planimetria = false;
    bool json = false;
};

enum class azione_strumento { aiuto, aiuto_compila, compila };

struct comando_strumento {
    azione_strumento azione = azione_strumento::aiuto;
    richiesta_compilazione richiesta;
};

// The arguments after the program name. Throws errore_uso.
comando_strumento analizza_argomenti(const std::vector<std::string>& argomenti);

// A line name or train number becomes part of file names: it must not be
// empty and must not hold a path separator ('/' or '\'). Throws errore_uso
// naming `che_cosa`.
void verifica_nome(const std::string& nome, const std::string& che_cosa);

extern const char* const testo_aiuto;
extern const char* const testo_aiuto_compila;
extern const char* const testo_uso;

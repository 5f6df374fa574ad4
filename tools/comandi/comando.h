// The frame of scenario-tool's commands.
//
// Every command lives in its own file, tools/comando_NAME.cpp, with one function
//
//     void registra_NAME(CLI::App& strumento, contesto_comandi& c);
//
// that adds the subcommand with nuovo_comando(), binds its options, and sets a
// callback that runs the command: it prints to c.uscita and c.errori and sets
// c.stato to the exit status. A usage error that the options alone cannot
// catch (a name that cannot be taken from a file name, ...) is thrown from the
// callback as errore_uso. main.cpp calls every registra_NAME, then
// esegui_strumento().
#pragma once

#include <CLI/CLI.hpp>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "tools/comune/errore_uso.h"

struct contesto_comandi {
    std::ostream& uscita;
    std::ostream& errori;
    int stato = 0;
    // Each command's name and usage (its arguments after "scenario-tool "),
    // shown with a usage error.
    std::vector<std::pair<std::string, std::string>> usi;
};

// The version printed by --version.
const char* versione_strumento();

// The top of the command line: name, description, help layout, --version,
// one command required.
void prepara_strumento(CLI::App& strumento);

// Adds the command `nome` with its one-line description and its usage (the
// arguments after "scenario-tool", e.g. "verify PLAN TABLE TRACK"; a "\n"
// continues it on the next line).
CLI::App* nuovo_comando(CLI::App& strumento, contesto_comandi& c, const std::string& nome,
                        const std::string& descrizione, const std::string& uso);

// A validator that refuses an empty value, naming `che_cosa`.
CLI::Validator non_vuoto(const std::string& che_cosa);

// A validator of a line name or train number given as an option (it becomes
// part of file names: not empty, no path separator), naming `che_cosa`.
CLI::Validator nome_valido(const std::string& che_cosa);

// Parses the arguments (without the program name) and runs the command given.
// --help and --version print to c.uscita and give 0; a usage error prints
// "scenario-tool: MESSAGE" and the usage to c.errori (and, when --json is
// among the arguments, {"fatal": "usage", "message": MESSAGE} as one line
// on c.uscita) and gives 2; otherwise
// the command's own exit status. Both streams are flushed first: when the
// standard output (or error) could not be written, the status is 3 and one
// line on c.errori says so.
int esegui_strumento(CLI::App& strumento, contesto_comandi& c, const std::vector<std::string>& argomenti);

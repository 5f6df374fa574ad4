#include "tools/comandi/comando_lsp.h"

#include <iostream>

#include "platform/riga_comando.h"
#include "tools/lsp/ciclo_server.h"

namespace {

const char* const descrizione = "the language server for editors: diagnostics, hover, completion, outline, quick fixes";

const char* const piede =
    "Speaks the Language Server Protocol on standard input and output\n"
    "(JSON-RPC with Content-Length frames), as an editor starts it. It never\n"
    "writes a file: it checks the text of the editor's buffers, saved or not.\n"
    "\n"
    "A line file NAME_linea.txt and a train file NAME_NUM-.txt in the same\n"
    "folder make a scenario: a change to either checks both, the other one read\n"
    "from its buffer when it is open, else from disk, and the diagnostics of both\n"
    "are published: every error and warning that 'scenario-tool check' gives,\n"
    "with the status number or the warning's name as its code.\n"
    "\n"
    "The docs' page \"Using your editor\" tells how to set up Neovim, Emacs,\n"
    "Helix and Kate. --stdio is taken and changes nothing.\n"
    "\n"
    "Exit status: 0 after the editor's shutdown and exit, 1 when the input\n"
    "ends first or exit comes without shutdown.\n";

}  // namespace

void registra_lsp(CLI::App& strumento, contesto_comandi& c, std::istream& ingresso) {
    CLI::App* comando = nuovo_comando(strumento, c, "lsp", descrizione, "lsp [--stdio]");
    comando->footer(piede);
    comando->add_flag("--stdio")->description("talk on standard input and output (always so)");
    comando->callback([&c, &ingresso] {
        piattaforma::flussi_binari();
        stato_server s = nuovo_stato();
        c.stato = esegui_server(s, ingresso, c.uscita);
    });
}

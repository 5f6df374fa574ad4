// scenario-tool: tools for scenario authors. One command per file
// (tools/comando_NAME.cpp), each added here by its registra_NAME.
#include <CLI/CLI.hpp>
#include <iostream>
#include <string>
#include <vector>

#include "platform/riga_comando.h"
#include "tools/comandi/comando.h"
#include "tools/comandi/comando_check.h"
#include "tools/comandi/comando_compila.h"
#include "tools/comandi/comando_decompile.h"
#include "tools/comandi/comando_dump.h"
#include "tools/comandi/comando_example.h"
#include "tools/comandi/comando_explain.h"
#include "tools/comandi/comando_lsp.h"
#include "tools/comandi/comando_run.h"
#include "tools/comandi/comando_verify.h"
#include "tools/comandi/comando_vista.h"

int main(int argc, char** argv) {
    piattaforma::scrittura_su_tubo_chiuso_fallisce();
    CLI::App strumento;
    prepara_strumento(strumento);
    contesto_comandi c{std::cout, std::cerr, 0, {}};
    registra_compila(strumento, c);
    registra_check(strumento, c);
    registra_decompile(strumento, c);
    registra_dump(strumento, c);
    registra_explain(strumento, c);
    registra_example(strumento, c);
    registra_lsp(strumento, c, std::cin);
    registra_run(strumento, c);
    registra_verify(strumento, c);
    registra_vista(strumento, c);
    return esegui_strumento(strumento, c, piattaforma::argomenti_utf8(argc, argv));
}

// scenario-tool: the builder's track build on a scenario author's own files.
#include <iostream>
#include <string>
#include <vector>

#include "tools/argomenti.h"
#include "tools/argomenti_vista.h"
#include "tools/compila_strumento.h"
#include "tools/nomi.h"
#include "tools/rapporto.h"

namespace {

int errore_di_uso(const errore_uso& e) {
    std::cerr << "scenario-tool: " << e.messaggio << "\n\n" << testo_uso;
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> argomenti(argv + 1, argv + argc);
    if (!argomenti.empty() && argomenti[0] == "view") {
        const int stato = comando_vista({argomenti.begin() + 1, argomenti.end()}, std::cout, std::cerr);
        std::cout.flush();
        return stato;
    }
    comando_strumento c;
    nomi_scenario nomi;
    try {
        c = analizza_argomenti(argomenti);
        if (c.azione == azione_strumento::aiuto) {
            std::cout << testo_aiuto << testo_uso;
            return 0;
        }
        if (c.azione == azione_strumento::aiuto_compila) {
            std::cout << testo_aiuto_compila;
            return 0;
        }
        nomi = nomi_compilazione(c.richiesta);
        verifica_ingressi_protetti(c.richiesta, nomi);
    } catch (const errore_uso& e) {
        return errore_di_uso(e);
    }
    const risultato_compilazione r = compila_scenario(c.richiesta, nomi);
    if (c.richiesta.json) {
        std::cout << oggetto_json(r) << "\n";
    } else {
        std::string uscita;
        std::string errori;
        rapporto_testo(r, c.richiesta.cartella_uscita, uscita, errori);
        std::cout << uscita;
        std::cerr << errori;
    }
    std::cout.flush();
    return stato_uscita(r);
}

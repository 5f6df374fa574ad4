#include "tools/comandi/comando_example.h"

#include <filesystem>
#include <map>
#include <memory>
#include <vector>

#include "platform/cartella_disco.h"
#include "sources/errore_esecuzione.h"
#include "sources/nomi_file.h"
#include "sources/scrittori_testo.h"
#include "tools/comune/pubblica.h"
#include "tools/comune/testo_terminale.h"

namespace {

const char* const descrizione = "write the embedded scenario's line and train files, as a template to start from";

const char* const piede =
    "Writes, into DIR (made when missing; default: the current directory):\n"
    "  NAME_linea.txt    the line file of the embedded line\n"
    "  NAME_NUM-.txt     its train file\n"
    "byte for byte as the builder writes them (Windows-1252 text, CR LF line\n"
    "ends). NAME and NUM default to the embedded scenario's, \"Tava\n"
    "Aeroporto-Rovea\" and \"30742\"; give your own to start a scenario of your\n"
    "own. The author's guide (docs/guide.md) walks through both files.\n"
    "\n"
    "A file that already exists at either name is not replaced, and nothing is\n"
    "written, unless --force is given. Both files are written whole into\n"
    "temporary files first, then renamed into place: nothing is left half\n"
    "written.\n"
    "\n"
    "Exit status:\n"
    "  0  both files written\n"
    "  1  a file already exists (nothing written), or a file could not be written\n"
    "  2  usage error\n";

std::string percorso(const std::string& cartella, const std::string& nome) {
    return (std::filesystem::path(cartella) / nome).string();
}

// The shell word of a path for the hint: in double quotes when it holds a blank.
std::string parola(const std::string& p) { return p.find(' ') == std::string::npos ? p : "\"" + p + "\""; }

}  // namespace

int esegui_example(const richiesta_esempio& r, std::ostream& uscita, std::ostream& errori) {
    // The two texts, as the builder's writers make them.
    std::map<std::string, std::string> testi;
    const cartella memoria = cartella_in_memoria(testi);
    dati_linea(memoria, r.nome_linea);
    dati_treno(memoria, r.nome_linea, r.numero_treno);
    const std::vector<std::string> nomi = {nome_file_linea(r.nome_linea), nome_file_treno(r.nome_linea, r.numero_treno)};
    try {
        piattaforma::crea_cartelle(r.cartella);
        const cartella dir = piattaforma::cartella_su_disco(r.cartella);
        if (!r.forza) {
            bool esiste = false;
            for (const std::string& nome : nomi) {
                if (dir.genere(nome) == genere_file::assente) continue;
                errori << "scenario-tool: " << visibile_percorso(percorso(r.cartella, nome))
                       << " already exists; nothing written (--force replaces it)\n";
                esiste = true;
            }
            if (esiste) return 1;
        }
        // Both written whole, then renamed into place together.
        std::vector<file_uscita> file;
        for (const std::string& nome : nomi) file.push_back({nome, testi.at(nome)});
        esito_pubblicazione p = pubblica_file(dir, std::move(file));
        for (const std::string& nome : p.pubblicati) {
            uscita << "wrote " << visibile_percorso(percorso(r.cartella, nome)) << "\n";
        }
        if (p.errore) throw *p.errore;
    } catch (const errore_esecuzione& e) {
        errori << "scenario-tool: " << visibile_misto(e.operazione) << " \"" << visibile_percorso(e.percorso)
               << "\": " << visibile_misto(e.what()) << "\n";
        return 1;
    }
    uscita << "Check them with:\n  scenario-tool check " << visibile_percorso(parola(percorso(r.cartella, nomi[0])))
           << " " << visibile_percorso(parola(percorso(r.cartella, nomi[1]))) << "\n";
    return 0;
}

void registra_example(CLI::App& strumento, contesto_comandi& c) {
    CLI::App* comando = nuovo_comando(strumento, c, "example", descrizione,
                                      "example [--out DIR] [--line-name NAME] [--train-number NUM] [--force]");
    comando->footer(piede);
    auto r = std::make_shared<richiesta_esempio>();
    comando->add_option("--out", r->cartella, "where the two files go (default: the current directory)")
        ->type_name("DIR")
        ->check(non_vuoto("output directory"));
    comando->add_option("--line-name", r->nome_linea, "the line name in the file names")
        ->type_name("NAME")
        ->check(nome_valido("line name"));
    comando->add_option("--train-number", r->numero_treno, "the train number in the train file's name")
        ->type_name("NUM")
        ->check(nome_valido("train number"));
    comando->add_flag("--force", r->forza, "replace files of the same names")->disable_flag_override();
    comando->callback([r, &c] { c.stato = esegui_example(*r, c.uscita, c.errori); });
}

#include "tools/comandi/comando_compila.h"

#include <memory>

#include "platform/cartella_disco.h"
#include "sources/errore_esecuzione.h"
#include "tools/costruzione/compila_strumento.h"
#include "tools/comune/nomi.h"
#include "tools/comandi/opzioni_sorgenti.h"
#include "tools/costruzione/rapporto.h"
#include "tools/diagnostiche/stampa_diagnostiche.h"

namespace {

const char* const descrizione =
    "build the binary scenario files from a line file and a train file, as the builder does";

const char* const piede =
    "Writes, into DIR (made when missing, with the directories above it):\n"
    "  NAME_linea.dat    the line plan (not with --no-plan)\n"
    "  NAME_NUM.sim      the scenario table\n"
    "  NAME_NUM.dat      the track\n"
    "replacing files of the same names, all or nothing: each is written whole\n"
    "into a hidden temporary file in DIR, then all are renamed over the old\n"
    "files. A failure before the renames (a full disk, say) leaves the old\n"
    "files as they were and no temporary file behind; a run killed at any\n"
    "moment leaves each file either old or whole and new. A directory, link,\n"
    "FIFO or device at an output name is refused before anything is written.\n"
    "Your input files are only read (at most 16 MiB each); the build runs in\n"
    "memory. A missing input file is reported as the build reports it\n"
    "(status 101 for the line file, 25 for the train file). An output file\n"
    "that would be one of the input files, or two outputs that would be one\n"
    "file (train number \"linea\"), is a usage error.\n"
    "\n"
    "Names: NAME is the line name and NUM the train number. They default from\n"
    "the file names: LINE_FILE named \"NAME_linea.txt\" gives NAME; TRAIN_FILE\n"
    "named \"NAME_NUM-.txt\" gives NUM (when the file name does not begin with\n"
    "NAME and \"_\", NUM is what follows its last \"_\"). When a file name does\n"
    "not have that form, the matching option is required. Names are used as\n"
    "bytes (the scenario files hold Windows-1252 text; on Windows a name is\n"
    "converted to it, and one that Windows-1252 cannot hold is refused) and\n"
    "may not be empty or hold '/' or '\\'. \"--\" ends the options: the\n"
    "arguments after it are files.\n"
    "\n"
    "Report: on standard error, as compilers print theirs, first every status\n"
    "the build raised, in the order raised (the root cause first), at the\n"
    "line and column of the value to blame, with the source line:\n"
    "  FILE:LINE:COL: error: MESSAGE [status N]\n"
    "then the final status, as the build leaves it:\n"
    "  error N at P m: MESSAGE\n"
    "then every warning (-Wno-NAME turns one off; see 'scenario-tool explain'):\n"
    "  FILE:LINE:COL: warning: MESSAGE [-WNAME]\n"
    "The files are still written after a status, as the builder writes them.\n"
    "A numbered message of the builder (\" Errore n. 1250\" or 1251), a build\n"
    "that left no track, or a failing file operation writes no scenario file\n"
    "(\"fatal\"). Warnings never change what is written.\n"
    "\n"
    "JSON: one line, {\"status\": N, \"position\": P, \"fatal\": null | \"1250\" |\n"
    "\"1251\" | \"no-track\" | \"io\", \"message\": TEXT, \"files\": [names written],\n"
    "\"diagnostics\": [...]}, keys in this order; each diagnostic is as\n"
    "'scenario-tool check --help' describes. Strings are pure ASCII: control\n"
    "characters, '\"' and '\\' are escaped, and bytes above 127 are taken as\n"
    "Windows-1252 characters and written as \\uXXXX escapes.\n"
    "\n"
    "Exit status:\n"
    "  0  the build recorded no status\n"
    "  1  the build recorded a status (the files are written), or an error\n"
    "     such as a record the build drops (-Wno-error=NAME keeps it a warning)\n"
    "  2  usage error\n"
    "  3  fatal: no scenario file could be written\n";

// The output directory, made when missing as `example` makes its own. One
// that cannot be made is reported by the compile itself, as a directory
// that does not exist (fatal "io", nothing written).
void prepara_cartella(const std::string& percorso) {
    try {
        piattaforma::crea_cartelle(percorso);
    } catch (const errore_esecuzione&) {
    }
}

}  // namespace

void opzioni_compila(CLI::App& comando, richiesta_compilazione& r) {
    // --out first: the options are listed in the order added (the two files
    // have a list of their own).
    comando.add_option("--out", r.cartella_uscita, "where the binary files go (made when missing; default: the current directory)")
        ->type_name("DIR")
        ->check(non_vuoto("output directory"));
    opzioni_costruzione(comando, r, "build without the line plan and do not write NAME_linea.dat", false);
}

int esegui_compila(const richiesta_compilazione& r, std::ostream& uscita, std::ostream& errori) {
    const nomi_scenario nomi = nomi_compilazione(r);
    verifica_ingressi_protetti(r, nomi);
    prepara_cartella(r.cartella_uscita);
    const risultato_compilazione ris = compila_scenario(r, nomi);
    const std::vector<diagnostica> scelte = diagnostiche_scelte(ris.diagnostiche, r.avvisi);
    if (r.json) {
        uscita << oggetto_json(ris, scelte) << "\n";
    } else {
        std::string testo;
        std::string riepilogo;
        rapporto_testo(ris, r.cartella_uscita, testo, riepilogo);
        uscita << testo;
        errori << rapporto_diagnostiche(scelte, riepilogo);
    }
    return stato_uscita_controllo(ris, scelte);
}

void registra_compila(CLI::App& strumento, contesto_comandi& c) {
    CLI::App* comando =
        nuovo_comando(strumento, c, "compile", descrizione,
                      "compile LINE_FILE TRAIN_FILE [--out DIR] [--line-name NAME]\n"
                      "[--train-number NUM] [--no-plan] [--json] [-Wno-NAME ...]");
    comando->footer(piede);
    auto r = std::make_shared<richiesta_compilazione>();
    opzioni_compila(*comando, *r);
    comando->callback([r, &c] { c.stato = esegui_compila(*r, c.uscita, c.errori); });
}

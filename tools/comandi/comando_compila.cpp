#include "tools/comandi/comando_compila.h"

#include <memory>

#include "tools/costruzione/compila_strumento.h"
#include "tools/comune/nomi.h"
#include "tools/comandi/opzioni_sorgenti.h"
#include "tools/costruzione/rapporto.h"
#include "tools/diagnostiche/stampa_diagnostiche.h"

namespace {

const char* const descrizione =
    "build the binary scenario files from a line file and a train file, as the builder does";

const char* const piede =
    "Writes, when the build has no error, into DIR (made when missing, with\n"
    "the directories above it):\n"
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
    "(\"error N: MESSAGE\" when the build records no position, as for a\n"
    "runtime failure: the message names the place in the source)\n"
    "then every warning (-Wno-NAME turns one off; see 'scenario-tool explain'):\n"
    "  FILE:LINE:COL: warning: MESSAGE [-WNAME]\n"
    "On any error nothing is written and DIR is left as it was (and not made):\n"
    "a status the build recorded, a warning that is an error (under --werror,\n"
    "every warning), a numbered message of the builder (\" Errore n. 1250\" or\n"
    "1251), a build that left no track, or a failing file operation. With\n"
    "--as-builder the files are written exactly as the builder writes them for\n"
    "the same sources, whatever status it records (only the numbered messages,\n"
    "no track and a failing file operation write none, as in the builder).\n"
    "The check goes on after an error to find the next problem of its own\n"
    "(the rest of the file, and the train file even when the line file failed);\n"
    "the summary line is always the status the builder records.\n"
    "\n"
    "JSON: one line, {\"status\": N, \"position\": P, \"fatal\": null | \"1250\" |\n"
    "\"1251\" | \"no-track\" | \"io\", \"message\": TEXT, \"files\": [names written;\n"
    "empty after an error without --as-builder], \"diagnostics\": [...]}, keys in\n"
    "this order; status, position and message are what the builder records,\n"
    "written or not; each diagnostic is as 'scenario-tool check --help'\n"
    "describes. Strings are pure ASCII: control characters, '\"' and '\\' are\n"
    "escaped, and bytes above 127 are taken as Windows-1252 characters and\n"
    "written as \\uXXXX escapes.\n"
    "\n"
    "Exit status:\n"
    "  0  no error (warnings alone too, unless --werror); the files are written\n"
    "  1  the build recorded a status, or a diagnostic is an error: no file is\n"
    "     written (with --as-builder the builder's files are)\n"
    "  2  usage error\n"
    "  3  fatal: no scenario file could be written\n";

}  // namespace

void opzioni_compila(CLI::App& comando, richiesta_compilazione& r) {
    // --out first: the options are listed in the order added (the two files
    // have a list of their own).
    comando.add_option("--out", r.cartella_uscita,
                       "where the binary files go (made when missing, once there is something to write; default: "
                       "the current directory)")
        ->type_name("DIR")
        ->check(non_vuoto("output directory"));
    opzioni_costruzione(comando, r, "build without the line plan and do not write NAME_linea.dat", true);
    comando
        .add_flag("--as-builder", r.come_builder,
                  "write the files the builder writes for these sources, whatever status it records")
        ->disable_flag_override();
}

int esegui_compila(const richiesta_compilazione& r, std::ostream& uscita, std::ostream& errori) {
    const nomi_scenario nomi = nomi_compilazione(r);
    verifica_ingressi_protetti(r, nomi);
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
        if (ris.trattenuti) {
            errori << "compile: no file written (" << conteggio_diagnostiche(scelte)
                   << "); --as-builder writes the builder's files all the same\n";
        }
    }
    return stato_uscita_controllo(ris, scelte);
}

void registra_compila(CLI::App& strumento, contesto_comandi& c) {
    CLI::App* comando =
        nuovo_comando(strumento, c, "compile", descrizione,
                      "compile LINE_FILE TRAIN_FILE [--out DIR] [--line-name NAME]\n"
                      "[--train-number NUM] [--no-plan] [--as-builder] [--json] [--werror]\n"
                      "[-Wno-NAME ...]");
    comando->footer(piede);
    auto r = std::make_shared<richiesta_compilazione>();
    opzioni_compila(*comando, *r);
    comando->callback([r, &c] { c.stato = esegui_compila(*r, c.uscita, c.errori); });
}

#include "tools/comandi/comando_check.h"

#include <memory>

#include "tools/costruzione/controllo.h"
#include "tools/comune/nomi.h"
#include "tools/comandi/opzioni_sorgenti.h"
#include "tools/costruzione/rapporto.h"
#include "tools/diagnostiche/stampa_diagnostiche.h"

namespace {

const char* const descrizione = "check a line file and a train file: every problem in one pass, nothing written";

const char* const piede =
    "Runs the whole build of the two files, as compile does, in memory: no\n"
    "file is written anywhere, and the files are only read.\n"
    "\n"
    "Report, on standard error, as compilers print theirs:\n"
    "  - every status the build raised, in the order raised (the root cause\n"
    "    first), at the line and column of the value to blame, with the\n"
    "    source line and a caret under the value:\n"
    "      FILE:LINE:COL: error: MESSAGE [status N]\n"
    "    (\"FILE: error: ...\" for a problem of the whole file); then every\n"
    "    problem of its own found after it: the check goes on after an error\n"
    "    (the rest of that file, and the train file even when the line file\n"
    "    failed) and does not tell again what only follows from an earlier\n"
    "    error;\n"
    "  - the final status, exactly as compile reports it:\n"
    "      error N at P m: MESSAGE\n"
    "    (\"error N: MESSAGE\" when the build records no position, as for a\n"
    "    runtime failure: the message names the place in the source);\n"
    "  - every warning: something the build drops, changes or cuts without a\n"
    "    status:\n"
    "      FILE:LINE:COL: warning: MESSAGE [-WNAME]\n"
    "    Those that lose or shift what you wrote (a record dropped, a value read\n"
    "    into another field or stored as another value, a range whose ends are\n"
    "    swapped) are errors unless -Wno-error=NAME:\n"
    "      FILE:LINE:COL: error: MESSAGE [-WNAME]\n"
    "  - a count: \"check: 1 error, 2 warnings\".\n"
    "Bytes of your files are shown escaped where they are not printable (a tab\n"
    "as \\t, NUL as \\0, other control bytes as \\xNN). 'scenario-tool explain N'\n"
    "tells what status N means, 'scenario-tool explain NAME' a warning.\n"
    "\n"
    "Names: as compile takes them (see 'scenario-tool compile --help'). With\n"
    "--no-plan the curves are not read, as in a build without the line plan.\n"
    "\n"
    "JSON: one line, {\"status\": N, \"position\": P, \"fatal\": null | \"1250\" |\n"
    "\"1251\" | \"no-track\" | \"io\", \"message\": TEXT, \"diagnostics\": [...]}, where\n"
    "status, position, fatal and message are what compile reports for the same\n"
    "files, and each diagnostic is {\"severity\": \"error\" | \"warning\",\n"
    "\"status\": N | null, \"position\": P | null, \"name\": the warning's name |\n"
    "null, \"file\": FILE | null, \"line\": L | null, \"column\": C | null,\n"
    "\"message\": TEXT, \"source_line\": TEXT | null}; columns count bytes from 1.\n"
    "Strings are pure ASCII (\\uXXXX escapes; file text taken as Windows-1252).\n"
    "\n"
    "Exit status:\n"
    "  0  no error (warnings alone too, unless --werror)\n"
    "  1  the build recorded a status, a warning that is an error by default\n"
    "     (what the build loses or shifts: -Wno-error=NAME keeps it a warning),\n"
    "     or --werror and a warning\n"
    "  2  usage error\n"
    "  3  fatal: \" Errore n. 1250\" or 1251, no track, or a file that cannot\n"
    "     be read (compile would write no scenario file)\n";

}  // namespace

void opzioni_check(CLI::App& comando, richiesta_compilazione& r) {
    opzioni_costruzione(comando, r, "check as a build without the line plan (curves not read)", true);
}

int esegui_check(const richiesta_compilazione& r, std::ostream& uscita, std::ostream& errori) {
    const nomi_scenario nomi = nomi_compilazione(r);
    const risultato_compilazione ris = controlla_sorgenti(r, nomi);
    const std::vector<diagnostica> scelte = diagnostiche_scelte(ris.diagnostiche, r.avvisi);
    if (r.json) {
        uscita << oggetto_json(ris, scelte, false) << "\n";
    } else {
        std::string nulla;
        std::string riepilogo;
        rapporto_testo(ris, ".", nulla, riepilogo);
        errori << rapporto_diagnostiche(scelte, riepilogo) << "check: " << conteggio_diagnostiche(scelte) << "\n";
    }
    return stato_uscita_controllo(ris, scelte);
}

void registra_check(CLI::App& strumento, contesto_comandi& c) {
    CLI::App* comando = nuovo_comando(strumento, c, "check", descrizione,
                                      "check LINE_FILE TRAIN_FILE [--line-name NAME] [--train-number NUM]\n"
                                      "[--no-plan] [--json] [--werror] [-Wno-NAME ...]");
    comando->footer(piede);
    auto r = std::make_shared<richiesta_compilazione>();
    opzioni_check(*comando, *r);
    comando->callback([r, &c] { c.stato = esegui_check(*r, c.uscita, c.errori); });
}

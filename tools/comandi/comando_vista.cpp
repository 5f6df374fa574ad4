#include "tools/comandi/comando_vista.h"

#include <memory>

#include "platform/interruzione.h"
#include "tools/comune/nomi.h"
#include "tools/comandi/opzioni_sorgenti.h"
#include "tools/servizio/servizio.h"

namespace {

const char* const descrizione = "write an HTML page with the plan and the profile of a scenario";

const char* const piede =
    "FILES are either the two text sources, LINE_FILE TRAIN_FILE (.txt), or\n"
    "the binary files [PLAN] TABLE TRACK (NAME_linea.dat, NAME_NUM.sim,\n"
    "NAME_NUM.dat, in any order; the plan may be left out).\n"
    "\n"
    "Writes one self-contained HTML page that shows the scenario: its names,\n"
    "length and counts, the plan of the line (one scale on both axes, a scale\n"
    "bar, stations, signals, signs, the start and the end), the profile along\n"
    "the line (gradient, speed limit, adhesion, mountain spans, slowdowns,\n"
    "stations, signals and boards), a legend and the table of stations. Point\n"
    "at an object on the page to see its values and, from the text sources,\n"
    "the line of the record that made it. The page loads nothing from\n"
    "elsewhere and needs no script.\n"
    "\n"
    "From the text sources the scenario is built in memory as `compile` builds\n"
    "it; no other file is written. Names as for `compile`: from the file names\n"
    "NAME_linea.txt and NAME_NUM-.txt, or the options. From the binary files\n"
    "the files are decoded, and the names are those the table holds.\n"
    "\n"
    "The page is written beside PAGE.html under a temporary name, then renamed\n"
    "over it: PAGE.html is never left half written.\n"
    "\n"
    "With --serve (the two text sources only, no -o) view writes no page but\n"
    "serves it on this machine: it prints \"serving http://127.0.0.1:PORT/\" (a\n"
    "free port, or --port N), and builds the page again whenever either file is\n"
    "saved. The page open in a browser follows by itself, keeping its zoom and\n"
    "scroll, with the diagnostics of the last build at its top; a build that\n"
    "makes no scenario keeps the last picture, marked stale, with its errors.\n"
    "One line on standard output tells each build. Ctrl-C stops the server\n"
    "(exit status 0); status 3 when the sources cannot be read at the start or\n"
    "the port cannot be taken.\n"
    "\n"
    "Exit status:\n"
    "  0  the page is written\n"
    "  1  the page is written; the build recorded a status (shown on the page,\n"
    "     and on standard error as compile shows it)\n"
    "  2  usage error\n"
    "  3  no page: the build ended without a scenario, a binary file could not\n"
    "     be read or decoded, or the page could not be written\n";

}  // namespace

void opzioni_vista(CLI::App& comando, richiesta_vista& r) {
    comando.add_option("FILES", r.file, "LINE_FILE TRAIN_FILE, or [PLAN] TABLE TRACK")
        ->required()
        ->expected(-2)
        ->type_name("");
    comando.add_option("-o,--output", r.pagina, "the page to write")
        ->type_name("PAGE")
        ->check(non_vuoto("page"));
    comando.add_flag("--serve", r.servi, "serve the page on 127.0.0.1 and build it again when a source is saved");
    comando.add_option("--port", r.porta, "the port to serve on (--serve; default: a free port)")
        ->type_name("N");
    opzioni_nomi(comando, r.nome_linea, r.numero_treno, " (text sources only)");
    opzione_senza_planimetria(comando, r.senza_planimetria, "build without the line plan (text sources only)");
}

void registra_vista(CLI::App& strumento, contesto_comandi& c) {
    CLI::App* comando = nuovo_comando(strumento, c, "view", descrizione,
                                      "view FILES... -o PAGE.html [--line-name NAME] [--train-number NUM]\n"
                                      "[--no-plan]\n"
                                      "view --serve [--port N] LINE_FILE TRAIN_FILE [--line-name NAME]\n"
                                      "[--train-number NUM] [--no-plan]");
    comando->footer(piede);
    auto r = std::make_shared<richiesta_vista>();
    opzioni_vista(*comando, *r);
    comando->callback([r, &c] {
        if (!r->servi) {
            if (r->porta) throw errore_uso{"--port goes with --serve"};
            c.stato = esegui_vista(*r, c.uscita, c.errori);
            return;
        }
        piattaforma::prendi_interruzione();
        controllo_servizio controllo;
        controllo.fermati = piattaforma::interruzione_chiesta;
        c.stato = esegui_servizio(*r, c.uscita, c.errori, controllo);
    });
}

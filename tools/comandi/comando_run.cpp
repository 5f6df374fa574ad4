#include "tools/comandi/comando_run.h"

#include <memory>

#include "platform/riga_comando.h"
#include "sources/testo_visibile.h"
#include "tools/analisi/controlli_marcia.h"
#include "tools/analisi/ingresso_marcia.h"
#include "tools/analisi/rapporto_marcia.h"
#include "tools/comandi/opzioni_sorgenti.h"
#include "tools/comune/nomi.h"
#include "tools/comune/testo_terminale.h"
#include "tools/costruzione/costruzione_autore.h"
#include "tools/costruzione/rapporto.h"
#include "tools/diagnostiche/stampa_diagnostiche.h"
#include "tools/vista/chilometri_vista.h"

namespace {

const char* const descrizione = "the fastest run of the train over its line, against its timetable";

const char* const piede =
    "Builds the two files in memory (nothing is written) and runs the train\n"
    "over its line as fast as its limits, its brakes and the options let it:\n"
    "speed limits and slowdowns, each lower limit held until the train's tail\n"
    "has passed its end (the train is its coaches times --coach-length long);\n"
    "acceleration at --acceleration and braking at the deceleration of its\n"
    "braked-mass percentage (--brake-coefficient), both corrected by the\n"
    "gradient. The train stands at the first station from the start clock and\n"
    "leaves at that station's time; it stops at every later timed station,\n"
    "whose time is the time it leaves (at least --dwell seconds after it gets\n"
    "there), and passes the others. The guide's section \"The run\" tells the\n"
    "models, their sources and every assumption.\n"
    "\n"
    "Table, one line per stop: the station, its kilometre as the line's posts\n"
    "read, the scheduled time, the earliest possible arrival (the time before\n"
    "plus every metre at its limit, with no acceleration or braking: a bound\n"
    "no train beats), the estimated arrival, and the slack (scheduled minus\n"
    "estimated; negative in red on a terminal); then the total. The\n"
    "timetable and braking warnings follow on standard error:\n"
    "  FILE:LINE:COL: warning: MESSAGE [-WNAME]\n"
    "\n"
    "JSON: one line, {\"train\", \"options\", \"stops\": [{\"station\", \"metre\", \"km\",\n"
    "\"scheduled\", \"earliest\", \"arrival\", \"departure\", \"running_s\",\n"
    "\"least_running_s\", \"slack_s\"}], \"blocked\": METRE | null, \"profile\":\n"
    "[{\"metre\", \"speed_kmh\", \"permitted_kmh\", \"time\"}], \"findings\": [{\"name\",\n"
    "\"file\", \"line\", \"column\", \"message\"}]}. Times are seconds after the\n"
    "midnight before the start clock; the profile has a point wherever the\n"
    "motion changes (between two points v^2 changes linearly with distance).\n"
    "\n"
    "Exit status:\n"
    "  0  the run was computed (warnings alone too)\n"
    "  1  the build recorded an error: it is printed and no run is made\n"
    "  2  usage error\n"
    "  3  a file that cannot be read, or a build without a track\n";

std::string percorso_di(const richiesta_marcia& r, sorgente s) {
    return s == sorgente::linea ? r.sorgenti.file_linea : r.sorgenti.file_treno;
}

std::string testo_rilievo(const richiesta_marcia& r, const rilievo_marcia& x) {
    std::string dove = visibile_percorso(percorso_di(r, x.dove.file));
    if (x.dove.riga > 0) dove += ":" + std::to_string(x.dove.riga) + ":" + std::to_string(x.dove.colonna);
    return dove + ": warning: " + visibile_misto(x.messaggio) + " [-W" + x.nome + "]\n";
}

bool con_colori(const std::string& colore, bool terminale) {
    return colore == "always" || (colore == "auto" && terminale);
}

}  // namespace

void opzioni_run(CLI::App& comando, richiesta_marcia& r) {
    comando.add_option("LINE_FILE", r.sorgenti.file_linea, "the line description file")->required()->type_name("");
    comando.add_option("TRAIN_FILE", r.sorgenti.file_treno, "the train description file")->required()->type_name("");
    opzioni_nomi(comando, r.sorgenti.nome_linea, r.sorgenti.numero_treno);
    comando.add_option("--coach-length", r.opzioni.lunghezza_vettura, "metres of a coach (default 26.4)")
        ->type_name("M")
        ->check(CLI::Range(0.0, 1000.0));
    comando.add_option("--acceleration", r.opzioni.accelerazione, "m/s2 on the level, at every speed (default 0.4)")
        ->type_name("A")
        ->check(CLI::Range(0.01, 5.0));
    comando.add_option("--dwell", r.opzioni.sosta, "least seconds at a timed station (default 30)")
        ->type_name("S")
        ->check(CLI::Range(0, 86400));
    comando.add_option("--brake-coefficient", r.opzioni.frenatura.coefficiente,
                       "the brake's kind in the braking relation (default 1, the passenger regime)")
        ->type_name("K")
        ->check(CLI::Range(0.1, 10.0));
    comando.add_option("--color", r.colore, "colour the negative slack: auto (on a terminal), always, never")
        ->type_name("WHEN")
        ->check(CLI::IsMember({"auto", "always", "never"}));
    comando.add_flag("--json", r.sorgenti.json, "print exactly one JSON object on standard output (see below)")
        ->disable_flag_override();
}

int esegui_run(const richiesta_marcia& r, bool terminale, std::ostream& uscita, std::ostream& errori) {
    pubblicazione_uscite nessuna_uscita;
    nessuna_uscita.prima_di_leggere = [] {};
    nessuna_uscita.accetta = [](const modello_scenario&, const std::vector<diagnostica>&) { return false; };
    const risultato_costruzione c = costruisci_autore(
        {r.sorgenti.file_linea, r.sorgenti.file_treno, nomi_compilazione(r.sorgenti), false}, &nessuna_uscita);
    if (c.fatale.illeggibile != sorgente::nessuna || c.modello->tracciato.empty()) {
        errori << "scenario-tool: no run: " << visibile_misto(c.fatale.testo.empty() ? "the build made no track" : c.fatale.testo)
               << "\n";
        return 3;
    }
    if (con_errori(c.diagnostiche)) {
        for (const diagnostica& d : c.diagnostiche) {
            if (d.livello == gravita::errore) errori << testo_diagnostica(d);
        }
        errori << "scenario-tool: no run: the build has errors\n";
        return 1;
    }
    const modello_scenario& m = *c.modello;
    const ingresso_marcia in = ingresso_dal_modello(m);
    const risultato_marcia marcia = calcola_marcia(in, r.opzioni);
    const std::vector<rilievo_marcia> rilievi = rilievi_marcia(in, r.opzioni, marcia);
    const chilometri_vista k = chilometri_del_modello(m);
    const lettura_km km = [&k](std::int64_t metro) { return km_breve(lettura(k, metro)); };
    if (r.sorgenti.json) {
        uscita << json_marcia(in, marcia, r.opzioni, km, rilievi).dump(-1, ' ', true,
                                                                        nlohmann::ordered_json::error_handler_t::replace)
               << "\n";
        return 0;
    }
    uscita << tabella_marcia(in, marcia, r.opzioni, km, con_colori(r.colore, terminale));
    for (const rilievo_marcia& x : rilievi) errori << testo_rilievo(r, x);
    return 0;
}

void registra_run(CLI::App& strumento, contesto_comandi& c) {
    CLI::App* comando = nuovo_comando(strumento, c, "run", descrizione,
                                      "run LINE_FILE TRAIN_FILE [--line-name NAME] [--train-number NUM]\n"
                                      "[--coach-length M] [--acceleration A] [--dwell S] [--brake-coefficient K]\n"
                                      "[--color WHEN] [--json]");
    comando->footer(piede);
    auto r = std::make_shared<richiesta_marcia>();
    opzioni_run(*comando, *r);
    comando->callback([r, &c] { c.stato = esegui_run(*r, piattaforma::uscita_su_terminale(), c.uscita, c.errori); });
}

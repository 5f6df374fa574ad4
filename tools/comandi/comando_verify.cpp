#include "tools/comandi/comando_verify.h"

#include <memory>

#include "tools/binari/dump_testo.h"
#include "tools/comune/tipo_file.h"
#include "tools/binari/verifica_scenario.h"
#include "tools/comune/testo_terminale.h"

namespace {

const char* const descrizione = "check that a plan, a table and a track belong together and will load";

const char* const piede =
    "Checks, and lists every problem found, one per line:\n"
    "  - the names: PLAN is NAME_linea.dat, TABLE NAME_NUM.sim, TRACK NAME_NUM.dat,\n"
    "    all for the same NAME and NUM;\n"
    "  - each file decodes: its structure and size (see 'scenario-tool dump');\n"
    "  - the format stamps: par1 of entry 85 is 610, valore1 of cell 1 is 5121;\n"
    "  - the check codes, computed from NAME and NUM as the build computes them:\n"
    "    codice_gara_st in valore4 of entry 85, codice_gara_og in valore2 of\n"
    "    cell 1 (files renamed to another line or train fail here);\n"
    "  - the names held inside: nome of entry 85 is NAME, of entry 86 NUM;\n"
    "  - the lengths: with lunghezza_totale = valore2 of entry 84 + 7000, the\n"
    "    track has lunghezza_totale / 50 (a half rounded to even) + 1 cells and\n"
    "    the plan lunghezza_totale + 1 points.\n"
    "\n"
    "The files may stand in any order when their names tell their kinds\n"
    "(NAME_linea.dat, NAME_NUM.sim, NAME_NUM.dat); otherwise they are taken\n"
    "in the order PLAN TABLE TRACK.\n"
    "\n"
    "PLAN may be left out, for a scenario compiled with --no-plan: its checks\n"
    "are then skipped, and NAME and NUM are split at the last \"_\" of the\n"
    "table's name.\n"
    "\n"
    "Exit status:\n"
    "  0  all holds\n"
    "  1  a problem was found (each on standard error)\n"
    "  2  usage error\n";

}  // namespace

void opzioni_verify(CLI::App& comando, std::vector<std::string>& file) {
    comando.add_option("FILES", file, "PLAN TABLE TRACK, or TABLE TRACK")->required()->expected(-2)->type_name("");
}

int esegui_verify(const std::vector<std::string>& file, std::ostream& uscita, std::ostream& errori) {
    const file_scenario f = file_per_tipo(file, "verify");
    const std::vector<std::string> problemi = verifica_scenario(f);
    for (const std::string& p : problemi) errori << visibile_misto(p) << "\n";
    if (!problemi.empty()) return 1;
    uscita << "the files belong together" << (f.planimetria ? "" : " (no plan given)") << "\n";
    return 0;
}

void registra_verify(CLI::App& strumento, contesto_comandi& c) {
    CLI::App* comando = nuovo_comando(strumento, c, "verify", descrizione, "verify [PLAN] TABLE TRACK");
    comando->footer(piede);
    auto file = std::make_shared<std::vector<std::string>>();
    opzioni_verify(*comando, *file);
    comando->callback([file, &c] { c.stato = esegui_verify(*file, c.uscita, c.errori); });
}

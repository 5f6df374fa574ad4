#include "tools/comandi/comando_decompile.h"

#include <memory>

#include "platform/cartella_disco.h"
#include "sources/errore_esecuzione.h"
#include "sources/nomi_file.h"
#include "tools/decompila/decompila.h"
#include "tools/binari/file_binario.h"
#include "tools/diagnostiche/parole_guasti.h"
#include "tools/comune/tipo_file.h"
#include "tools/comune/pubblica.h"
#include "tools/binari/verifica_scenario.h"
#include "tools/comune/testo_terminale.h"
#include "track/lettura_binaria.h"

namespace {

const char* const descrizione = "write a line file and a train file that compile to the given binary files";

const char* const piede =
    "Writes, into DIR (made when missing, with the directories above it):\n"
    "  NAME_linea.txt    the line description file\n"
    "  NAME_NUM-.txt     the train description file\n"
    "replacing files of the same names, such that\n"
    "  scenario-tool compile NAME_linea.txt NAME_NUM-.txt\n"
    "writes the same PLAN, TABLE and TRACK, byte for byte. NAME and NUM come\n"
    "from the file names as 'scenario-tool verify' takes them (PLAN is\n"
    "NAME_linea.dat, TABLE NAME_NUM.sim, TRACK NAME_NUM.dat). The files may\n"
    "stand in any order, since their names tell their kinds. Leave PLAN out\n"
    "for a scenario compiled with --no-plan: the line file then has no curves;\n"
    "compile it with --no-plan too. NAME and NUM are then split at the last\n"
    "\"_\" of the table's name, or where the names the table holds split it.\n"
    "\n"
    "Every record kind is recovered from what the files hold; boards that the\n"
    "build places by itself (in front of signals and around slowdowns) are\n"
    "left to it. The two files are compiled in memory before the command ends\n"
    "and compared with the given files. When the files hold what no source can\n"
    "make (a hand-edited or damaged file), the nearest sources are written and\n"
    "every cell, entry or plan point that will come out differently is listed\n"
    "on standard error with the reason. Where only sources with an error by\n"
    "default give the bytes (a value kept in fewer bits than written, a status\n"
    "the build recorded), they are written all the same, and a line on\n"
    "standard error names the errors: compile them with --as-builder.\n"
    "\n"
    "Exit status:\n"
    "  0  written; they compile to the same bytes\n"
    "  1  written; they compile to other bytes (listed on standard error)\n"
    "  2  usage error\n"
    "  3  a file could not be read or decoded, or a text could not be written\n"
    "     (the two files are written both or neither: old files of the same\n"
    "     names stay as they were)\n";

const std::string& percorso_di(const file_scenario& f, tipo_file t) {
    switch (t) {
        case tipo_file::planimetria: return *f.planimetria;
        case tipo_file::scenario: return f.scenario;
        case tipo_file::tracciato: break;
    }
    return f.tracciato;
}

nomi_scenario nomi_di(const file_scenario& f) {
    std::vector<std::string> problemi;
    const nomi_file n = nomi_da_file(f, problemi);
    if (!problemi.empty() || !n.linea || !n.treno) {
        throw errore_uso{"the line name and train number cannot be taken from the file names", problemi};
    }
    const nomi_scenario nomi{*n.linea, *n.treno};
    verifica_nome(nomi.linea, "line name");
    verifica_nome(nomi.treno, "train number");
    nomi_nel_modello(nomi);  // a name the model cannot hold is a usage error
    return nomi;
}

// Without the plan the names split at the last "_" of the table's name; when
// that name holds several, the split whose names the table holds in entries
// 85 and 86 is taken instead. A table that does not decode changes nothing
// here (decoding reports it).
nomi_scenario nomi_del_contenuto(const nomi_scenario& dal_nome, const std::string& scenario) {
    const std::string radice = dal_nome.linea + "_" + dal_nome.treno;
    std::array<voce_scenario, voci_scenario> s;
    try {
        s = leggi_scenario(scenario);
    } catch (const errore_lettura&) {
        return dal_nome;
    }
    for (std::size_t i = radice.find('_'); i != std::string::npos; i = radice.find('_', i + 1)) {
        const nomi_scenario candidati{radice.substr(0, i), radice.substr(i + 1)};
        if (candidati.linea.empty() || candidati.treno.empty()) continue;
        try {
            const nomi_scenario nel_modello = nomi_nel_modello(candidati);
            if (nel_modello.linea == s[voce::dati_linea].nome && nel_modello.treno == s[voce::dati_treno].nome) {
                return candidati;
            }
        } catch (const errore_uso&) {
        }
    }
    return dal_nome;
}

// The line that tells what a compile without --as-builder refuses in the
// sources written, when the bytes leave no sources it takes.
std::string rifiutati_da_compile(const std::vector<std::string>& errori) {
    std::string elenco;
    for (const std::string& x : errori) elenco += (elenco.empty() ? "" : ", ") + x;
    return "decompile: compile refuses these sources by default (" + elenco +
           "); compile them with --as-builder to get the same bytes\n";
}

}  // namespace

void opzioni_decompile(CLI::App& comando, richiesta_decompilazione& r) {
    comando.add_option("FILES", r.file, "PLAN TABLE TRACK, or TABLE TRACK")->required()->expected(-2)->type_name("");
    comando.add_option("--out", r.cartella_uscita, "where the two text files go (made when missing; default: the current directory)")
        ->type_name("DIR")
        ->check(non_vuoto("output directory"));
}

int esegui_decompile(const richiesta_decompilazione& r, std::ostream& uscita, std::ostream& errori) {
    const file_scenario percorsi = file_per_tipo(r.file, "decompile");
    nomi_scenario nomi = nomi_di(percorsi);
    file_binari f;
    esito_decompilazione e;
    try {
        if (percorsi.planimetria) f.planimetria = leggi_file_binario(*percorsi.planimetria, tipo_file::planimetria);
        f.scenario = leggi_file_binario(percorsi.scenario, tipo_file::scenario);
        f.tracciato = leggi_file_binario(percorsi.tracciato, tipo_file::tracciato);
        if (!f.planimetria) nomi = nomi_del_contenuto(nomi, f.scenario);
        e = decompila(f, nomi);
        piattaforma::crea_cartelle(r.cartella_uscita);
        const cartella dir = piattaforma::cartella_su_disco(r.cartella_uscita);
        // Both files or neither: an old file is never left half replaced.
        const esito_pubblicazione p = pubblica_file(
            dir, {{nome_file_linea(nomi.linea), e.linea}, {nome_file_treno(nomi.linea, nomi.treno), e.treno}});
        for (const std::string& nome : p.pubblicati) uscita << "wrote " << visibile_percorso(percorso_in(dir, nome)) << "\n";
        if (p.errore) throw *p.errore;
    } catch (const errore_decodifica& x) {
        errori << visibile_percorso(percorso_di(percorsi, x.file)) << ": " << visibile_percorso(x.what()) << "\n";
        return 3;
    } catch (const errore_esecuzione& x) {
        errori << testo_esecuzione(x) << "\n";
        return 3;
    }
    if (!e.errori_predefiniti.empty()) errori << rifiutati_da_compile(e.errori_predefiniti);
    if (e.esatto) return 0;
    errori << "the sources written compile to other bytes:\n";
    for (const std::string& d : e.differenze) errori << "  " << d << "\n";
    return 1;
}

void registra_decompile(CLI::App& strumento, contesto_comandi& c) {
    CLI::App* comando = nuovo_comando(strumento, c, "decompile", descrizione, "decompile [PLAN] TABLE TRACK [--out DIR]");
    comando->footer(piede);
    auto r = std::make_shared<richiesta_decompilazione>();
    opzioni_decompile(*comando, *r);
    comando->callback([r, &c] { c.stato = esegui_decompile(*r, c.uscita, c.errori); });
}

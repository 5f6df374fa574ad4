#include "tools/comandi/comando_dump.h"

#include <memory>

#include "sources/errore_esecuzione.h"
#include "tools/binari/dump_json.h"
#include "tools/binari/file_binario.h"
#include "tools/comune/testo_1252.h"
#include "tools/comune/testo_terminale.h"
#include "track/lettura_binaria.h"

namespace {

const char* const descrizione = "print the content of binary scenario files: plan, table or track";

const char* const piede =
    "Decodes each FILE and prints it. The kind of a file comes from its name:\n"
    "\"NAME_linea.dat\" is a line plan, \"NAME_NUM.sim\" a scenario table, any\n"
    "other \".dat\" a track (letter case aside); --kind sets it for every FILE.\n"
    "\n"
    "Text:\n"
    "  track  one row per cell whose tipo is not 0 or that holds a value\n"
    "         (valore1 to valore4, tempo_segnale, avviso), and per cell where\n"
    "         montagna, vel_limite, pendenza or aderenza change; cell 0 always;\n"
    "         with its metre (cell x 50). --all: every cell.\n"
    "  table  the 87 entries with their roles: 0 unused, stations from 1 up,\n"
    "         sign texts from 80 down, 81-83 progressives, 84 general, 85 line,\n"
    "         86 train.\n"
    "  plan   a summary: points, kinds of the elements by metre, extent, first\n"
    "         and last points. --points A:B lists the points of metres A to B.\n"
    "\n"
    "JSON (--json): one object per file, each on its own line, in the order of\n"
    "the files, with the model's field names:\n"
    "  {\"kind\": \"track\", \"cells\": [{\"tipo\", \"valore1\", ..., \"aderenza\"}, ...]}\n"
    "  {\"kind\": \"table\", \"entries\": [{\"tipo\", \"valore1\", ..., \"valore4\"}, ...]}\n"
    "  {\"kind\": \"plan\", \"x\": [...], \"y\": [...]}\n"
    "every cell, entry and element in file order. nome is decoded from\n"
    "Windows-1252; a plan element is an integer (Integer), a number with a\n"
    "decimal point or an exponent (Double) or null (no value); a Double that is\n"
    "not finite is the string \"Infinity\", \"-Infinity\", \"NaN\" (the quiet NaN\n"
    "0x7ff8000000000000) or \"NaN:0xHHHHHHHHHHHHHHHH\" (any other NaN, its bits).\n"
    "--all and --points change only the text.\n"
    "\n"
    "A file that cannot be read or decoded is reported on standard error with\n"
    "the byte offset where decoding stopped; the other files are still printed.\n"
    "With --json its line is {\"kind\": ..., \"file\": ..., \"error\": ...}.\n"
    "\n"
    "Exit status:\n"
    "  0  every file decoded\n"
    "  1  a file could not be read or decoded\n"
    "  2  usage error\n";

tipo_file tipo_di(const richiesta_dump& r, const std::string& file) {
    if (r.tipo) return *r.tipo;
    if (const auto t = tipo_da_nome_file(file)) return *t;
    throw errore_uso{"the kind of \"" + file +
                     "\" cannot be told from its name (NAME_linea.dat, NAME_NUM.sim, NAME_NUM.dat): give --kind"};
}

void stampa(const richiesta_dump& r, tipo_file tipo, const std::string& byte, std::ostream& o) {
    switch (tipo) {
        case tipo_file::planimetria: {
            const lettore_planimetria p = apri_planimetria(byte);
            if (r.json) {
                scrivi_json_planimetria(o, p);
            } else {
                testo_planimetria(o, p, r.punti);
            }
            break;
        }
        case tipo_file::scenario: {
            const auto scenario = std::make_unique<std::array<voce_scenario, voci_scenario>>(leggi_scenario(byte));
            if (r.json) {
                scrivi_json_scenario(o, *scenario);
            } else {
                testo_scenario(o, *scenario);
            }
            break;
        }
        case tipo_file::tracciato: {
            const std::vector<cella> tracciato = leggi_tracciato(byte);
            if (r.json) {
                scrivi_json_tracciato(o, tracciato);
            } else {
                testo_tracciato(o, tracciato, r.tutte);
            }
            break;
        }
    }
    if (r.json) o << '\n';
}

// The line of a file that could not be read or decoded.
std::string json_non_decodificato(tipo_file tipo, const std::string& file, const std::string& perche) {
    const nlohmann::ordered_json j{{"kind", nome_tipo(tipo)}, {"file", utf8_da_nome(file)}, {"error", utf8_da_nome(perche)}};
    return testo_json(j);
}

// One file; false when it could not be read or decoded.
bool stampa_file(const richiesta_dump& r, const std::string& file, tipo_file tipo, bool primo, std::ostream& uscita,
                 std::ostream& errori) {
    std::string byte;
    try {
        byte = leggi_file_binario(file, tipo);
    } catch (const errore_esecuzione& e) {
        errori << "scenario-tool dump: " << visibile_percorso(file) << ": cannot read: " << visibile_percorso(e.what())
               << "\n";
        if (r.json) uscita << json_non_decodificato(tipo, file, std::string("cannot read: ") + e.what()) << "\n";
        return false;
    }
    if (!r.json) uscita << (primo ? "" : "\n") << visibile_percorso(file) << ": " << nome_tipo(tipo) << ", " << byte.size() << " bytes, ";
    try {
        stampa(r, tipo, byte, uscita);
    } catch (const errore_lettura& e) {
        if (!r.json) uscita << "not decoded\n";
        if (r.json) uscita << json_non_decodificato(tipo, file, e.what()) << "\n";
        uscita.flush();
        errori << "scenario-tool dump: " << visibile_percorso(file) << ": not a " << nome_tipo(tipo) << " file: " << e.what() << "\n";
        return false;
    }
    return true;
}

}  // namespace

void opzioni_dump(CLI::App& comando, richiesta_dump& r) {
    comando.add_option("FILE", r.file, "binary scenario files")->required()->type_name("");
    comando
        .add_option_function<std::string>(
            "--kind", [&r](const std::string& v) { r.tipo = tipo_da_parola(v); },
            "the kind of every FILE, instead of the kind its name gives")
        ->type_name("plan|table|track")
        ->check(CLI::Validator(
            [](const std::string& v) -> std::string {
                return tipo_da_parola(v) ? "" : "\"" + v + "\" is not plan, table or track";
            },
            ""));
    comando.add_flag("--json", r.json, "one JSON object per file, one per line (see below)")->disable_flag_override();
    comando.add_flag("--all", r.tutte, "a track: every cell, not only those worth a look")->disable_flag_override();
    comando
        .add_option_function<std::string>(
            "--points", [&r](const std::string& v) { r.punti = leggi_intervallo(v); },
            "a plan: list the points of metres A to B")
        ->type_name("A:B")
        ->check(CLI::Validator(
            [](const std::string& v) -> std::string {
                return leggi_intervallo(v) ? "" : "\"" + v + "\" is not A:B, two whole metres with A <= B";
            },
            ""));
}

int esegui_dump(const richiesta_dump& r, std::ostream& uscita, std::ostream& errori) {
    std::vector<tipo_file> tipi;
    for (const std::string& file : r.file) tipi.push_back(tipo_di(r, file));
    int stato = 0;
    for (std::size_t i = 0; i < r.file.size(); ++i) {
        if (!stampa_file(r, r.file[i], tipi[i], i == 0, uscita, errori)) stato = 1;
    }
    return stato;
}

void registra_dump(CLI::App& strumento, contesto_comandi& c) {
    CLI::App* comando = nuovo_comando(strumento, c, "dump", descrizione,
                                      "dump FILE... [--json] [--kind plan|table|track] [--all] [--points A:B]");
    comando->footer(piede);
    auto r = std::make_shared<richiesta_dump>();
    opzioni_dump(*comando, *r);
    comando->callback([r, &c] { c.stato = esegui_dump(*r, c.uscita, c.errori); });
}

#include "tools/comandi/opzioni_sorgenti.h"

#include "tools/comandi/comando.h"
#include "tools/diagnostiche/stampa_diagnostiche.h"

void opzioni_nomi(CLI::App& comando, std::optional<std::string>& nome_linea, std::optional<std::string>& numero_treno,
                  const std::string& nota) {
    comando
        .add_option_function<std::string>(
            "--line-name", [&nome_linea](const std::string& v) { nome_linea = v; }, "the line name" + nota)
        ->type_name("NAME")
        ->check(nome_valido("line name"));
    comando
        .add_option_function<std::string>(
            "--train-number", [&numero_treno](const std::string& v) { numero_treno = v; }, "the train number" + nota)
        ->type_name("NUM")
        ->check(nome_valido("train number"));
}

void opzione_senza_planimetria(CLI::App& comando, bool& senza_planimetria, const std::string& aiuto) {
    comando.add_flag("--no-plan", senza_planimetria, aiuto)->disable_flag_override();
}

void opzioni_costruzione(CLI::App& comando, richiesta_compilazione& r, const std::string& aiuto_senza_planimetria,
                         bool con_werror) {
    comando.add_option("LINE_FILE", r.file_linea, "the line description file")->required()->type_name("");
    comando.add_option("TRAIN_FILE", r.file_treno, "the train description file")->required()->type_name("");
    opzioni_nomi(comando, r.nome_linea, r.numero_treno);
    opzione_senza_planimetria(comando, r.senza_planimetria, aiuto_senza_planimetria);
    comando.add_flag("--json", r.json, "print exactly one JSON object on standard output and nothing else (see below)")
        ->disable_flag_override();
    opzioni_avvisi(comando, r.avvisi, con_werror);
}

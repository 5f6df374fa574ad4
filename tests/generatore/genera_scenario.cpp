// genera-scenario: writes a random valid line description file and train
// description file, for benchmarks and fuzzing seeds.
//
//   genera-scenario --seed N --length M [--density D] --out DIR
//                   [--line-name NAME] [--train-number NUM] [--no-edge-cases] [--overlaps]
//
// The files are DIR/NAME_linea.txt and DIR/NAME_NUM-.txt, replaced when they
// exist. The same arguments give the same bytes. Exit status: 0 when written,
// 1 when a file cannot be written, 2 for a usage error.
#include <CLI/CLI.hpp>

#include <cstdint>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "sources/nomi_file.h"
#include "tests/generatore/generatore.h"

namespace {

bool scrivi(const std::string& percorso, const std::string& testo) {
    std::ofstream f(percorso, std::ios::binary | std::ios::trunc);
    f << testo;
    f.close();
    if (!f) std::cerr << "genera-scenario: cannot write \"" << percorso << "\"\n";
    return static_cast<bool>(f);
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{"Writes a random valid line description file and train description file."};
    parametri_generatore p;
    std::string cartella;
    std::string nome_linea = "Linea Generata";
    std::string numero_treno = "10001";
    app.add_option("--seed", p.seme, "seed of the random choices")->required();
    app.add_option("--length", p.lunghezza, "line length in metres")->required()->check(CLI::Range(0, 1000000));
    app.add_option("--density", p.densita, "records per kilometre, all kinds together")
        ->default_val(p.densita)
        ->check(CLI::NonNegativeNumber);
    app.add_option("--out", cartella, "directory that receives the two files")->required()->check(CLI::ExistingDirectory);
    bool senza_casi_limite = false;
    app.add_flag("--no-edge-cases", senza_casi_limite,
                 "leave out the valid edge cases that the build warns of (positions beyond the line's length, "
                 "overlapping curves, values above a byte)");
    app.add_flag("--overlaps", p.sovrapposizioni,
                 "records that write over each other's cells (slowdowns and signals under station markers, "
                 "approach markers in the same cells, records in varied order)");
    app.add_option("--line-name", nome_linea, "line name (file names)")->default_val(nome_linea);
    app.add_option("--train-number", numero_treno, "train number (file name of the train file)")
        ->default_val(numero_treno);
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        // Help: 0; a usage error: 2, with the message on standard error.
        return app.exit(e) == 0 ? 0 : 2;
    }
    p.casi_limite = !senza_casi_limite;
    try {
        const scenario_generato s = genera_scenario(p);
        const std::string linea = (std::filesystem::path(cartella) / nome_file_linea(nome_linea)).string();
        const std::string treno = (std::filesystem::path(cartella) / nome_file_treno(nome_linea, numero_treno)).string();
        if (!scrivi(linea, s.linea) || !scrivi(treno, s.treno)) return 1;
        std::cout << linea << "\n" << treno << "\n" << totale(s.conteggi) << " records\n";
    } catch (const std::exception& e) {
        std::cerr << "genera-scenario: " << e.what() << "\n";
        return 1;
    }
    return 0;
}

// giro-decompilazione: the round trip of decompile over many generated
// scenarios (compile, decompile, compile, compare bytes).
//
//   giro-decompilazione [--from N] [--to M] [--length L] [--density D] [--overlaps]
//
// Seeds N to M (default 1 to 2000), each with the case the tests give it
// (giro.h), or with the length and density given; with --overlaps, scenarios
// whose records write over each other's cells, whose first build must also
// record no status. Prints every seed that fails and a summary. Exit status: 0 when every seed round-trips, 1 when one
// does not, 2 for a usage error.
#include <CLI/CLI.hpp>

#include <chrono>
#include <cstdint>
#include <exception>
#include <iostream>
#include <optional>
#include <string>

#include "tests/decompilazione/giro.h"

int main(int argc, char** argv) {
    CLI::App app{"Round trip of scenario-tool decompile over generated scenarios."};
    std::uint64_t da = 1;
    std::uint64_t a = 2000;
    std::optional<std::int32_t> lunghezza;
    std::optional<double> densita;
    app.add_option("--from", da, "first seed")->default_val(da);
    app.add_option("--to", a, "last seed")->default_val(a);
    app.add_option("--length", lunghezza, "line length in metres for every seed")->check(CLI::Range(0, 1000000));
    app.add_option("--density", densita, "records per kilometre for every seed")->check(CLI::NonNegativeNumber);
    bool sovrapposizioni = false;
    app.add_flag("--overlaps", sovrapposizioni, "records that write over each other's cells");
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        return app.exit(e) == 0 ? 0 : 2;
    }
    const auto inizio = std::chrono::steady_clock::now();
    std::uint64_t falliti = 0;
    std::uint64_t giri = 0;
    for (std::uint64_t seme = da; seme <= a; ++seme) {
        caso_giro c = caso_del_seme(seme, sovrapposizioni);
        if (lunghezza) c.parametri.lunghezza = *lunghezza;
        if (densita) c.parametri.densita = *densita;
        esito_giro e;
        try {
            e = giro_generato(c);
        } catch (const std::exception& x) {
            e.descrizione = std::string("exception: ") + x.what();
        }
        giri += static_cast<std::uint64_t>(e.giri);
        if (e.riuscito && e.stato_originale != 0) {
            e.riuscito = false;
            e.descrizione = "the generated texts build with status " + std::to_string(e.stato_originale);
        }
        if (e.riuscito) continue;
        ++falliti;
        std::cout << descrizione_caso(c) << ": " << e.descrizione << std::endl;
    }
    const std::uint64_t semi = a >= da ? a - da + 1 : 0;
    const double secondi = std::chrono::duration<double>(std::chrono::steady_clock::now() - inizio).count();
    std::cout << semi << " seeds, " << semi - falliti << " round-trip exactly, " << falliti << " fail; " << giri
              << " builds of the sources, " << secondi << " s\n";
    return falliti == 0 ? 0 : 1;
}

// banco-prestazioni: times `scenario-tool compile` on generated scenarios of
// several lengths, and the builder on its embedded scenario, each against a
// trivial writer of the same bytes (scrittore-minimo), and prints one table.
// Then `scenario-tool check` on the same scenarios, against the same check
// without the plan (--no-plan: the text and the track alone), in a second.
//
// For each row: one unmeasured run of each program (so that every output
// directory already holds the old outputs, as a user's does, and the files
// are in the page cache), then alternated runs A, B, A, B, ... Each row shows
// the median wall time of each, the median of the pairs' ratios A / B, and the
// largest peak resident set of each. Every output file of both programs is
// then compared with the reference outputs.
//
// Run through `./build.sh bench`; not a test.
#include <CLI/CLI.hpp>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "tests/prestazioni/misura.h"

namespace {

namespace fs = std::filesystem;

struct opzioni {
    int coppie = 25;
    std::vector<std::int32_t> lunghezze{250000, 500000, 1000000};
    double densita = 1.2;
    std::uint64_t seme = 1;
    std::string cartella = CARTELLA_PRESTAZIONI;
    bool senza_builder = false;
};

// The measured runs of one row.
struct coppie_misurate {
    std::vector<double> ms_a;
    std::vector<double> ms_b;
    std::vector<double> rapporti;
    double mb_a = 0;
    double mb_b = 0;
};

struct riga {
    std::string nome;
    std::int64_t lunghezza = 0;          // metres of line
    std::int64_t record = 0;             // record lines of the two sources (0: none given)
    std::vector<std::uintmax_t> byte;    // sizes of the output files, in the order of `nomi_file`
    std::vector<std::string> nomi_file;
    coppie_misurate m;
    coppie_misurate controllo;           // the tool's rows: check, against check --no-plan
};

// Goals of check on the longest line, where the plan has a million points:
// fast enough to run on every keystroke of an editor.
constexpr double ms_massimi_check = 30;
constexpr double mb_massimi_check = 16;

[[noreturn]] void fallisci(const std::string& perche) { throw std::runtime_error(perche); }

void esegui_o_fallisci(const std::vector<std::string>& argomenti, const std::string& che_cosa) {
    const misura_processo m = esegui_misurato(argomenti);
    if (m.stato != 0) fallisci(che_cosa + " ended with status " + std::to_string(m.stato));
}

coppie_misurate alterna(const std::vector<std::string>& a, const std::vector<std::string>& b, int coppie) {
    esegui_o_fallisci(a, a[0]);
    esegui_o_fallisci(b, b[0]);
    coppie_misurate r;
    for (int i = 0; i < coppie; ++i) {
        const misura_processo ma = esegui_misurato(a);
        const misura_processo mb = esegui_misurato(b);
        if (ma.stato != 0 || mb.stato != 0) fallisci("a measured run did not end with status 0");
        r.ms_a.push_back(ma.millisecondi);
        r.ms_b.push_back(mb.millisecondi);
        r.rapporti.push_back(ma.millisecondi / mb.millisecondi);
        r.mb_a = std::max(r.mb_a, ma.mb_picco);
        r.mb_b = std::max(r.mb_b, mb.mb_picco);
    }
    return r;
}

std::vector<std::string> file_in(const fs::path& cartella, const std::string& tranne = "") {
    std::vector<std::string> nomi;
    for (const auto& voce : fs::directory_iterator(cartella)) {
        if (voce.is_regular_file() && voce.path().filename() != tranne) nomi.push_back(voce.path().filename().string());
    }
    std::sort(nomi.begin(), nomi.end());
    return nomi;
}

void verifica_uguali(const fs::path& riferimento, const fs::path& uscita, const std::vector<std::string>& nomi) {
    for (const std::string& n : nomi) {
        if (!stessi_byte((riferimento / n).string(), (uscita / n).string())) {
            fallisci("\"" + (uscita / n).string() + "\" differs from the reference output");
        }
    }
}

fs::path cartella_nuova(const fs::path& p) {
    fs::remove_all(p);
    fs::create_directories(p);
    return p;
}

std::int64_t righe_con_valori(const fs::path& file) {
    std::ifstream f(file);
    std::string r;
    std::int64_t n = 0;
    while (std::getline(f, r)) n += r.find(',') != std::string::npos ? 1 : 0;
    return n;
}

// A generated scenario of this length: its reference outputs from one run of
// the tool (which must record no status), then the alternated runs.
riga misura_scenario(const opzioni& o, std::int32_t lunghezza) {
    const fs::path base = fs::path(o.cartella) / ("linea_" + std::to_string(lunghezza));
    const fs::path sorgenti = cartella_nuova(base / "sorgenti");
    const fs::path riferimento = cartella_nuova(base / "riferimento");
    const fs::path uscita_a = cartella_nuova(base / "uscita_tool");
    const fs::path uscita_b = cartella_nuova(base / "uscita_minimo");
    // Without the edge cases, which the tool reports as errors (a compile
    // with an error writes nothing): the scenario an author would compile.
    esegui_o_fallisci({PERCORSO_GENERA_SCENARIO, "--seed", std::to_string(o.seme), "--length",
                       std::to_string(lunghezza), "--density", std::to_string(o.densita), "--out", sorgenti.string(),
                       "--line-name", "Prestazioni", "--train-number", "1000", "--no-edge-cases"},
                      "genera-scenario");
    const std::string linea = (sorgenti / "Prestazioni_linea.txt").string();
    const std::string treno = (sorgenti / "Prestazioni_1000-.txt").string();
    esegui_o_fallisci({PERCORSO_SCENARIO_TOOL, "compile", linea, treno, "--out", riferimento.string()},
                      "scenario-tool compile (a status was recorded, or the build failed)");

    riga r;
    r.nome = "tool";
    r.lunghezza = lunghezza;
    r.record = righe_con_valori(linea) + righe_con_valori(treno);
    r.nomi_file = file_in(riferimento);
    std::vector<std::string> b{PERCORSO_SCRITTORE_MINIMO, uscita_b.string(), "--sources", linea, treno};
    for (const std::string& n : r.nomi_file) {
        r.byte.push_back(fs::file_size(riferimento / n));
        b.push_back((riferimento / n).string());
    }
    r.m = alterna({PERCORSO_SCENARIO_TOOL, "compile", linea, treno, "--out", uscita_a.string()}, b, o.coppie);
    verifica_uguali(riferimento, uscita_a, r.nomi_file);
    verifica_uguali(riferimento, uscita_b, r.nomi_file);
    r.controllo = alterna({PERCORSO_SCENARIO_TOOL, "check", linea, treno},
                          {PERCORSO_SCENARIO_TOOL, "check", "--no-plan", linea, treno}, o.coppie);
    return r;
}

fs::path copia_builder(const fs::path& cartella) {
    const fs::path eseguibile = cartella / "scenario-builder";
    fs::copy_file(PERCORSO_SCENARIO_BUILDER, eseguibile, fs::copy_options::overwrite_existing);
    fs::permissions(eseguibile, fs::perms::owner_all, fs::perm_options::add);
    return eseguibile;
}

// The builder writes its six files beside itself: a copy of it runs in a
// directory of its own.
riga misura_builder(const opzioni& o) {
    const fs::path base = fs::path(o.cartella) / "builder";
    const fs::path riferimento = cartella_nuova(base / "riferimento");
    const fs::path uscita_a = cartella_nuova(base / "uscita_builder");
    const fs::path uscita_b = cartella_nuova(base / "uscita_minimo");
    esegui_o_fallisci({copia_builder(riferimento).string()}, "scenario-builder");
    const fs::path builder = copia_builder(uscita_a);

    riga r;
    r.nome = "builder";
    r.lunghezza = 22000;
    r.nomi_file = file_in(riferimento, "scenario-builder");
    std::vector<std::string> b{PERCORSO_SCRITTORE_MINIMO, uscita_b.string()};
    for (const std::string& n : r.nomi_file) {
        r.byte.push_back(fs::file_size(riferimento / n));
        b.push_back((riferimento / n).string());
    }
    r.m = alterna({builder.string()}, b, o.coppie);
    verifica_uguali(riferimento, uscita_a, r.nomi_file);
    verifica_uguali(riferimento, uscita_b, r.nomi_file);
    return r;
}

// Sizes: the three outputs of the tool (plan, table, track), or the total of
// the builder's six files.
std::string dimensioni(const riga& r) {
    char t[96];
    if (r.nome == "tool" && r.byte.size() == 3) {
        // File names sort as NAME_1000.dat (track), NAME_1000.sim (table), NAME_linea.dat (plan).
        std::snprintf(t, sizeof t, "%11ju %8ju %8ju", r.byte[2], r.byte[1], r.byte[0]);
    } else {
        std::uintmax_t somma = 0;
        for (const std::uintmax_t x : r.byte) somma += x;
        std::snprintf(t, sizeof t, "%11ju (%zu files)", somma, r.byte.size());
    }
    return t;
}

// Linearity: what each further 1,000 m of line costs, between consecutive
// lengths of the tool's rows (the fixed costs of a run cancel out).
void stampa_scala(const std::vector<riga>& righe) {
    std::vector<const riga*> tool;
    for (const riga& r : righe) {
        if (r.nome == "tool") tool.push_back(&r);
    }
    if (tool.size() < 2) return;
    std::printf("\nEach further 1,000 m (between consecutive lengths): ms and MB of the tool, then of the floor.\n");
    for (std::size_t i = 1; i < tool.size(); ++i) {
        const riga& a = *tool[i - 1];
        const riga& b = *tool[i];
        const double km = static_cast<double>(b.lunghezza - a.lunghezza) / 1000.0;
        if (km <= 0) continue;
        std::printf("  %9lld to %9lld m:  tool %7.4f ms %7.4f MB   floor %7.4f ms %7.4f MB\n",
                    static_cast<long long>(a.lunghezza), static_cast<long long>(b.lunghezza),
                    (mediana(b.m.ms_a) - mediana(a.m.ms_a)) / km, (b.m.mb_a - a.m.mb_a) / km,
                    (mediana(b.m.ms_b) - mediana(a.m.ms_b)) / km, (b.m.mb_b - a.m.mb_b) / km);
    }
}

// check with the plan (validated, never kept) against check without it, and
// the goals on the longest line.
void stampa_check(const std::vector<riga>& righe) {
    std::printf("\nscenario-tool check (check) against check --no-plan (no plan), on the same scenarios.\n\n");
    std::printf("%-8s %9s %7s  %8s %8s %6s  %7s %8s\n", "", "length", "records", "ms", "no plan", "ratio", "MB",
                "no plan");
    for (const riga& r : righe) {
        if (r.nome != "tool") continue;
        std::printf("%-8s %9lld %7lld  %8.1f %8.1f %6.2f  %7.1f %8.1f\n", "check", static_cast<long long>(r.lunghezza),
                    static_cast<long long>(r.record), mediana(r.controllo.ms_a), mediana(r.controllo.ms_b),
                    mediana(r.controllo.rapporti), r.controllo.mb_a, r.controllo.mb_b);
    }
    for (const riga& r : righe) {
        if (r.nome != "tool" || r.lunghezza != 1000000) continue;
        const double ms = mediana(r.controllo.ms_a);
        std::printf("\nGoals of check at 1,000,000 m: median wall at most %.0f ms (now %.1f, %s), peak RSS at most "
                    "%.0f MB (now %.1f, %s).\n",
                    ms_massimi_check, ms, ms <= ms_massimi_check ? "met" : "not met", mb_massimi_check,
                    r.controllo.mb_a, r.controllo.mb_a <= mb_massimi_check ? "met" : "not met");
    }
}

void stampa(const std::vector<riga>& righe, const opzioni& o) {
    std::printf("\nscenario-tool compile (tool) and scenario-builder (builder) against scrittore-minimo (floor),\n"
                "a trivial writer of the same bytes; %d alternated pairs per row.\n"
                "ms: median wall time; ratio: median of the pairs' ratios; MB: largest peak RSS (MiB);\n"
                "per km: per 1,000 m of line.\n\n",
                o.coppie);
    std::printf("%-8s %9s %7s  %11s %8s %8s  %8s %8s %6s  %7s %8s  %7s %11s %7s\n", "", "length", "records",
                "plan B", "table B", "track B", "ms", "floor ms", "ratio", "MB", "floor MB", "ms/km", "floor ms/km",
                "MB/km");
    for (const riga& r : righe) {
        const double km = static_cast<double>(r.lunghezza) / 1000.0;
        const double ms_a = mediana(r.m.ms_a);
        const double ms_b = mediana(r.m.ms_b);
        const std::string record = r.record > 0 ? std::to_string(r.record) : "-";
        std::printf("%-8s %9lld %7s  %-29s  %8.1f %8.1f %6.2f  %7.1f %8.1f  %7.3f %11.3f %7.4f\n", r.nome.c_str(),
                    static_cast<long long>(r.lunghezza), record.c_str(), dimensioni(r).c_str(), ms_a, ms_b,
                    mediana(r.m.rapporti), r.m.mb_a, r.m.mb_b, ms_a / km, ms_b / km, r.m.mb_a / km);
    }
    stampa_scala(righe);
    for (const riga& r : righe) {
        if (r.nome != "tool" || r.lunghezza != 1000000) continue;
        const double rapporto = mediana(r.m.rapporti);
        std::printf("\nGoals at 1,000,000 m: ratio at most 1.30 (now %.2f, %s), peak RSS at most 64 MB (now %.1f, %s).\n",
                    rapporto, rapporto <= 1.3 ? "met" : "not met", r.m.mb_a, r.m.mb_a <= 64 ? "met" : "not met");
    }
    stampa_check(righe);
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{"Times scenario-tool compile and scenario-builder against a trivial writer of the same bytes,\n"
                 "and scenario-tool check against check --no-plan."};
    opzioni o;
    app.add_option("--pairs", o.coppie, "alternated pairs of runs per row")->default_val(o.coppie)->check(CLI::Range(15, 10000));
    app.add_option("--lengths", o.lunghezze, "line lengths in metres")
        ->default_val(o.lunghezze)
        ->delimiter(',')
        ->check(CLI::Range(0, 1000000));
    app.add_option("--density", o.densita, "records per kilometre of the generated scenarios")->default_val(o.densita);
    app.add_option("--seed", o.seme, "seed of the generated scenarios")->default_val(o.seme);
    app.add_option("--work", o.cartella, "directory for the sources and outputs (its subdirectories of earlier runs are replaced)")->default_val(o.cartella);
    app.add_flag("--no-builder", o.senza_builder, "leave out the builder's row");
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        // Help: 0; a usage error: 2, with the message on standard error.
        return app.exit(e) == 0 ? 0 : 2;
    }
    try {
        std::vector<riga> righe;
        for (const std::int32_t l : o.lunghezze) {
            std::cerr << "measuring scenario-tool compile and check at " << l << " m ..." << std::endl;
            righe.push_back(misura_scenario(o, l));
        }
        if (!o.senza_builder) {
            std::cerr << "measuring scenario-builder ..." << std::endl;
            righe.push_back(misura_builder(o));
        }
        stampa(righe, o);
    } catch (const std::exception& e) {
        std::cerr << "banco-prestazioni: " << e.what() << "\n";
        return 1;
    }
    return 0;
}

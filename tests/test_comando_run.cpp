// scenario-tool run: the table of the embedded scenario, its warning, the
// JSON with the whole profile, the options, and the exit statuses.
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "processo.h"
#include "scenario_incorporato.h"
#include "supporto.h"

namespace {

struct banco_run {
    cartella_temporanea radice;
    std::string linea = radice.file(nome_linea);
    std::string treno = radice.file(nome_treno);

    explicit banco_run(const std::string& testo_treno = treno_incorporato) {
        scrivi_tutto(linea, linea_incorporata);
        scrivi_tutto(treno, testo_treno);
    }
    esecuzione run(std::vector<std::string> altro = {}) const {
        std::vector<std::string> a{"run", linea, treno};
        a.insert(a.end(), altro.begin(), altro.end());
        return esegui_programma(PERCORSO_SCENARIO_TOOL, radice.file(""), a);
    }
};

}  // namespace

TEST(ComandoRun, TheEmbeddedScenarioTableAndItsOneWarning) {
    const banco_run b;
    const esecuzione e = b.run();
    EXPECT_EQ(e.stato, 0);
    EXPECT_NE(e.uscita.find("station           km  scheduled  earliest  estimated  slack\n"), std::string::npos) << e.uscita;
    EXPECT_NE(e.uscita.find("TAVA CENTRALE     4   20:11:00   20:12:48  20:13:50   -2 min 50 s\n"), std::string::npos)
        << e.uscita;
    EXPECT_EQ(e.uscita.find("\033["), std::string::npos);  // not a terminal: no colour
    EXPECT_NE(e.errori.find(":13:1: warning: the timetable gives 2 min 0 s for 4,000 m; at the line's limits it takes "
                            "at least 3 min 48 s [-Wtimetable-impossible]\n"),
              std::string::npos)
        << e.errori;
    EXPECT_EQ(e.errori.find("warning", e.errori.find("warning") + 1), std::string::npos) << e.errori;
}

TEST(ComandoRun, ColourOnlyForALateStop) {
    const esecuzione e = banco_run().run({"--color", "always"});
    EXPECT_NE(e.uscita.find("\033[31m-2 min 50 s\033[0m"), std::string::npos) << e.uscita;
    EXPECT_EQ(e.uscita.find("\033[31m22 min"), std::string::npos);
}

TEST(ComandoRun, TheJsonHasEveryStopAndTheProfile) {
    const esecuzione e = banco_run().run({"--json", "--dwell", "60"});
    ASSERT_EQ(e.stato, 0) << e.errori;
    const nlohmann::json j = nlohmann::json::parse(e.uscita);
    ASSERT_EQ(j["stops"].size(), 4u);
    EXPECT_EQ(j["stops"][1]["station"], "TAVA CENTRALE");
    EXPECT_EQ(j["stops"][1]["scheduled"], 20 * 3600 + 11 * 60);
    EXPECT_DOUBLE_EQ(j["stops"][1]["least_running_s"].get<double>(), 228.0);
    EXPECT_NEAR(j["stops"][1]["departure"].get<double>() - j["stops"][1]["arrival"].get<double>(), 60.0, 1e-9);
    EXPECT_EQ(j["options"]["dwell_s"], 60);
    EXPECT_EQ(j["findings"].size(), 1u);
    const nlohmann::json& p = j["profile"];
    ASSERT_GT(p.size(), 4u);
    EXPECT_EQ(p.front()["metre"], 0);
    EXPECT_EQ(p.back()["metre"], 22000);
    for (std::size_t i = 1; i < p.size(); ++i) {
        EXPECT_GT(p[i]["metre"].get<int>(), p[i - 1]["metre"].get<int>());
        EXPECT_GE(p[i]["time"].get<double>(), p[i - 1]["time"].get<double>());
    }
}

TEST(ComandoRun, ALongerTrainAndASlowerStartTakeLonger) {
    auto arrivo = [](const esecuzione& e) {
        return nlohmann::json::parse(e.uscita)["stops"][1]["arrival"].get<double>();
    };
    const banco_run b;
    const double base = arrivo(b.run({"--json"}));
    EXPECT_GT(arrivo(b.run({"--json", "--coach-length", "40"})), base);
    EXPECT_GT(arrivo(b.run({"--json", "--acceleration", "0.2"})), base);
}

TEST(ComandoRun, ExitStatuses) {
    const banco_run b;
    EXPECT_EQ(b.run({"--acceleration", "0"}).stato, 2);
    EXPECT_EQ(b.run({"--color", "sometimes"}).stato, 2);
    const esecuzione mancante = esegui_programma(PERCORSO_SCENARIO_TOOL, b.radice.file(""),
                                                 {"run", b.radice.file("altrove/" + nome_linea), b.treno});
    EXPECT_EQ(mancante.stato, 3);
    const banco_run rotto(sostituisci(treno_incorporato, "stazione,    4000", "stazione,    4010"));
    const esecuzione e = rotto.run();
    EXPECT_EQ(e.stato, 1);
    EXPECT_EQ(e.uscita, "");
    EXPECT_NE(e.errori.find("error"), std::string::npos);
}

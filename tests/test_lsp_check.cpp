// The language server's diagnostics are check's: over generated scenarios,
// some given mistakes, the diagnostics the server publishes for each file
// equal those of `check --json` on the same files on disk (severity, code,
// line, column, message), in the same order.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <random>

#include "generatore/generatore.h"
#include "scenario_incorporato.h"
#include "supporto.h"
#include "tools/comune/nomi.h"
#include "tools/costruzione/controllo.h"
#include "tools/diagnostiche/stampa_diagnostiche.h"
#include "tools/lsp/coppie.h"
#include "tools/lsp/server.h"

namespace {

using json = nlohmann::json;

// One line of a text taken out, or one line written twice: mistakes of every
// kind the build tells, in both files.
std::string guasta(const std::string& testo, std::mt19937_64& caso, bool doppia) {
    std::vector<std::string> righe;
    std::size_t da = 0;
    for (std::size_t k = testo.find('\n'); k != std::string::npos; k = testo.find('\n', da)) {
        righe.push_back(testo.substr(da, k + 1 - da));
        da = k + 1;
    }
    if (da < testo.size()) righe.push_back(testo.substr(da));
    if (righe.size() < 3) return testo;
    const std::size_t i = 1 + caso() % (righe.size() - 2);
    if (doppia) {
        righe.insert(righe.begin() + static_cast<std::ptrdiff_t>(i), righe[i]);
    } else {
        righe.erase(righe.begin() + static_cast<std::ptrdiff_t>(i));
    }
    std::string r;
    for (const std::string& x : righe) r += x;
    return r;
}

// check --json's diagnostics of a file, as the server gives them.
json attesi(const json& check, const std::string& percorso) {
    json r = json::array();
    for (const json& d : check) {
        if (d["file"] != percorso && !(d["file"].is_null() && percorso.find("-.txt") != std::string::npos)) continue;
        const bool con_riga = !d["line"].is_null();
        r.push_back({{"severity", d["severity"] == "error" ? 1 : 2},
                     {"code", d["status"].is_null() ? d["name"] : d["status"]},
                     {"line", con_riga ? d["line"].get<int>() - 1 : 0},
                     {"character", con_riga ? d["column"].get<int>() - 1 : 0},
                     {"message", d["message"]}});
    }
    return r;
}

json dati(const json& pubblicate) {
    json r = json::array();
    for (const json& d : pubblicate) {
        r.push_back({{"severity", d["severity"]},
                     {"code", d["code"]},
                     {"line", d["range"]["start"]["line"]},
                     {"character", d["range"]["start"]["character"]},
                     {"message", d["message"]}});
    }
    return r;
}

TEST(LspComeCheck, DiagnosticsEqualCheckJsonOverGeneratedScenarios) {
    std::mt19937_64 caso(22);
    int con_diagnostiche = 0;
    for (std::uint64_t seme = 1; seme <= 24; ++seme) {
        parametri_generatore p;
        p.seme = seme;
        p.lunghezza = 12000 + static_cast<std::int32_t>(seme) * 1500;
        p.densita = 3.0;
        p.sovrapposizioni = seme % 3 == 0;
        scenario_generato g = genera_scenario(p);
        if (seme % 4 == 1) g.linea = guasta(g.linea, caso, seme % 8 == 1);
        if (seme % 4 == 2) g.treno = guasta(g.treno, caso, seme % 8 == 2);
        if (seme % 4 == 3) {
            g.linea = guasta(g.linea, caso, true);
            g.treno = guasta(g.treno, caso, false);
        }
        cartella_temporanea dir;
        const std::string linea = dir.file("Prova_linea.txt");
        const std::string treno = dir.file("Prova_" + std::to_string(seme) + "-.txt");
        scrivi_tutto(linea, g.linea);
        scrivi_tutto(treno, g.treno);

        richiesta_compilazione r;
        r.file_linea = linea;
        r.file_treno = treno;
        const risultato_compilazione c = controlla_sorgenti(r, nomi_compilazione(r));
        const json check = json::parse(json_diagnostiche(c.diagnostiche).dump());

        stato_server s = nuovo_stato();
        tratta_messaggio(s, {{"jsonrpc", "2.0"}, {"id", 1}, {"method", "initialize"}, {"params", json::object()}});
        tratta_messaggio(s, {{"jsonrpc", "2.0"},
                             {"method", "textDocument/didOpen"},
                             {"params", {{"textDocument", {{"uri", uri_da_percorso(treno)}, {"version", 1}, {"text", g.treno}}}}}});
        std::map<std::string, json> pubblicate;
        for (const json& m : controlla_dovuti(s, [](const std::set<std::string>&) { return false; })) {
            pubblicate[m["params"]["uri"]] = m["params"]["diagnostics"];
        }
        ASSERT_EQ(pubblicate.size(), 2u) << seme;
        EXPECT_EQ(dati(pubblicate[uri_da_percorso(linea)]), attesi(check, linea)) << "seed " << seme;
        EXPECT_EQ(dati(pubblicate[uri_da_percorso(treno)]), attesi(check, treno)) << "seed " << seme;
        if (!check.empty()) ++con_diagnostiche;
    }
    EXPECT_GE(con_diagnostiche, 12);
}

// A file that stands where a partner should be but cannot be read: the
// server tells what check tells of it, on the file open in the editor, and
// never waits on a FIFO.
TEST(LspComeCheck, APartnerThatCannotBeReadIsToldAsCheckTellsIt) {
    const auto fifo = [](const std::string& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0600), 0) << p; };
    const auto cartella = [](const std::string& p) { std::filesystem::create_directory(p); };
    const auto enorme = [](const std::string& p) {
        scrivi_tutto(p, "");
        std::filesystem::resize_file(p, std::uintmax_t{17} << 20);  // sparse: no 17 MiB written
    };
    const auto zero = [](const std::string& p) { std::filesystem::create_symlink("/dev/zero", p); };
    struct caso {
        const char* nome;
        bool linea_aperta;  // otherwise the train file is open and the line file cannot be read
        std::function<void(const std::string&)> crea;
    };
    const std::vector<caso> casi = {
        {"a FIFO for the train file", true, fifo},
        {"a directory for the train file", true, cartella},
        {"a train file over the size limit", true, enorme},
        {"a link to /dev/zero for the train file", true, zero},
        {"a FIFO for the line file", false, fifo},
        {"a directory for the line file", false, cartella},
    };
    for (const caso& c : casi) {
        cartella_temporanea dir;
        const std::string linea = dir.file(nome_linea);
        const std::string treno = dir.file(nome_treno);
        const std::string aperto = c.linea_aperta ? linea : treno;
        const std::string testo = c.linea_aperta ? linea_incorporata : treno_incorporato;
        scrivi_tutto(aperto, testo);
        c.crea(c.linea_aperta ? treno : linea);

        richiesta_compilazione r;
        r.file_linea = linea;
        r.file_treno = treno;
        const json check = json::parse(json_diagnostiche(controlla_sorgenti(r, nomi_compilazione(r)).diagnostiche).dump());
        ASSERT_EQ(check.size(), 1u) << c.nome << ": " << check.dump();

        stato_server s = nuovo_stato();
        tratta_messaggio(s, {{"jsonrpc", "2.0"}, {"id", 1}, {"method", "initialize"}, {"params", json::object()}});
        tratta_messaggio(s, {{"jsonrpc", "2.0"},
                             {"method", "textDocument/didOpen"},
                             {"params", {{"textDocument", {{"uri", uri_da_percorso(aperto)}, {"version", 1}, {"text", testo}}}}}});
        std::map<std::string, json> pubblicate;
        for (const json& m : controlla_dovuti(s, [](const std::set<std::string>&) { return false; })) {
            pubblicate[m["params"]["uri"]] = m["params"]["diagnostics"];
        }
        const json& qui = pubblicate[uri_da_percorso(aperto)];
        ASSERT_EQ(qui.size(), 1u) << c.nome << ": " << qui.dump();
        EXPECT_EQ(qui[0]["message"], check[0]["message"]) << c.nome;
        EXPECT_EQ(qui[0]["severity"], 1) << c.nome;
        EXPECT_EQ(qui[0]["range"]["start"], json({{"line", 0}, {"character", 0}})) << c.nome;
        EXPECT_NE(check[0]["message"].get<std::string>().find("cannot read the"), std::string::npos) << check.dump();
    }
}

}  // namespace

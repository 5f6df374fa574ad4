// scenario-tool lsp as a process: a whole session on its standard streams,
// with garbage among the frames, a buffer of 16 MB and changes that come
// faster than the checks.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "processo.h"
#include "scenario_incorporato.h"
#include "supporto.h"
#include "tools/lsp/coppie.h"
#include "tools/lsp/cornice.h"

namespace {

using json = nlohmann::json;

std::string cornice(const json& m) { return incornicia(m.dump()); }

json richiesta(int id, const std::string& metodo, json parametri) {
    return {{"jsonrpc", "2.0"}, {"id", id}, {"method", metodo}, {"params", std::move(parametri)}};
}

json notifica(const std::string& metodo, json parametri) {
    return {{"jsonrpc", "2.0"}, {"method", metodo}, {"params", std::move(parametri)}};
}

json cambio(const std::string& uri, int versione, const std::string& testo) {
    return notifica("textDocument/didChange", {{"textDocument", {{"uri", uri}, {"version", versione}}},
                                                {"contentChanges", json::array({{{"text", testo}}})}});
}

struct sessione_processo {
    int stato = -1;
    std::vector<json> ricevuti;
};

// Runs the tool on the bytes as its standard input; what it wrote, frame by frame.
sessione_processo esegui_lsp(const std::string& ingresso) {
    cartella_temporanea dir;
    scrivi_tutto(dir.file("in"), ingresso);
    const std::string comando = "timeout 300 " + tra_apici(PERCORSO_SCENARIO_TOOL) + " lsp <" + tra_apici(dir.file("in")) +
                                " >" + tra_apici(dir.file("out")) + " 2>" + tra_apici(dir.file("err"));
    const int s = std::system(comando.c_str());
    sessione_processo r;
    r.stato = WIFEXITED(s) ? WEXITSTATUS(s) : -1;
    EXPECT_EQ(leggi_tutto(dir.file("err")), "");
    std::istringstream uscita(leggi_tutto(dir.file("out")));
    for (cornice_letta c = leggi_cornice(uscita); c.esito != esito_cornice::fine; c = leggi_cornice(uscita)) {
        EXPECT_EQ(c.esito, esito_cornice::messaggio) << c.errore;
        r.ricevuti.push_back(json::parse(c.corpo));
    }
    return r;
}

const json inizia = richiesta(1, "initialize", {{"capabilities", json::object()}});

std::string chiudi() { return cornice(richiesta(99, "shutdown", nullptr)) + cornice(notifica("exit", nullptr)); }

TEST(LspProcesso, GarbageAndA16MegabyteBufferGetAnswersNotACrash) {
    cartella_temporanea dir;
    const std::string linea = dir.file(nome_linea);
    scrivi_tutto(linea, linea_incorporata);
    scrivi_tutto(dir.file(nome_treno), treno_incorporato);
    const std::string uri = uri_da_percorso(dir.file(nome_treno));
    // A buffer of 16 MiB, the most a source may take: the embedded train file with one long comment line.
    const std::string grande =
        treno_incorporato + "-- " + std::string(16u * 1024u * 1024u - treno_incorporato.size() - 5, 'x') + "\r\n";
    std::string in = std::string("\x00\xff\xfe garbage \r\n\r\n", 16) + cornice(richiesta(7, "textDocument/hover", {})) +
                     cornice(inizia) + "Content-Length: 9\r\n\r\n{\"id\": 2," + cornice(richiesta(3, "no/such", {})) +
                     cornice(notifica("textDocument/didOpen",
                                      {{"textDocument", {{"uri", uri}, {"version", 1}, {"text", grande}}}})) +
                     cornice(richiesta(4, "textDocument/documentSymbol", {{"textDocument", {{"uri", uri}}}})) + chiudi();
    const sessione_processo s = esegui_lsp(in);
    EXPECT_EQ(s.stato, 0);
    std::map<json, json> risposte;
    json diagnostiche;
    for (const json& m : s.ricevuti) {
        if (m.contains("id")) risposte[m["id"]] = m;
        if (m.value("method", "") == "textDocument/publishDiagnostics" && m["params"]["uri"] == uri) {
            diagnostiche = m["params"];
        }
    }
    EXPECT_EQ(risposte[7]["error"]["code"], -32002);
    EXPECT_EQ(risposte[nullptr]["error"]["code"], -32700);
    EXPECT_EQ(risposte[3]["error"]["code"], -32601);
    EXPECT_EQ(risposte[4]["result"].size(), 8u);
    EXPECT_TRUE(risposte[99].contains("result"));
    EXPECT_EQ(diagnostiche["version"], 1);
    EXPECT_EQ(diagnostiche["diagnostics"], json::array());
}

// Messages that name exit but are no exit notification, a body of null and
// a file address holding a NUL byte: each answered, and the session goes on
// to its shutdown and exit.
TEST(LspProcesso, OnlyAValidExitEndsTheSession) {
    cartella_temporanea dir;
    scrivi_tutto(dir.file("Tava"), linea_incorporata);  // the path cut at the NUL
    const std::string uri = uri_da_percorso(dir.file("Tava")) + "%00_30742-.txt";
    const std::string in =
        cornice(inizia) + cornice(richiesta(5, "exit", nullptr)) + cornice({{"jsonrpc", "1.0"}, {"method", "exit"}}) +
        cornice({{"method", "exit"}}) + "Content-Length: 4\r\n\r\nnull" +
        cornice(notifica("textDocument/didOpen", {{"textDocument", {{"uri", uri}, {"version", 1}, {"text", treno_incorporato}}}})) +
        chiudi();
    const sessione_processo s = esegui_lsp(in);
    EXPECT_EQ(s.stato, 0);
    std::vector<std::string> visti;
    for (const json& m : s.ricevuti) {
        if (m.contains("error")) visti.push_back(m["id"].dump() + " " + m["error"]["code"].dump());
        if (m.contains("result")) visti.push_back(m["id"].dump());
        if (m.value("method", "") == "textDocument/publishDiagnostics") {
            visti.push_back(m["params"]["diagnostics"][0]["code"].get<std::string>());
        }
    }
    EXPECT_EQ(visti, (std::vector<std::string>{"1", "5 -32601", "null -32600", "null -32600", "null -32600",
                                               "file-address", "99"}));
}

TEST(LspProcesso, QuickChangesNeverPublishAnOlderVersionAfterANewerOne) {
    cartella_temporanea dir;
    scrivi_tutto(dir.file(nome_linea), linea_incorporata);
    const std::string uri = uri_da_percorso(dir.file(nome_treno));
    const std::string sbagliato = sostituisci(treno_incorporato, "segnale,    1650,", "segnale,    500,");
    std::string in = cornice(inizia) +
                     cornice(notifica("textDocument/didOpen",
                                      {{"textDocument", {{"uri", uri}, {"version", 1}, {"text", sbagliato}}}}));
    for (int v = 2; v <= 40; ++v) in += cornice(cambio(uri, v, v % 2 == 0 ? treno_incorporato : sbagliato));
    in += cornice(cambio(uri, 41, sbagliato)) + chiudi();
    const sessione_processo s = esegui_lsp(in);
    EXPECT_EQ(s.stato, 0);
    int ultima = 0;
    json finale;
    for (const json& m : s.ricevuti) {
        if (m.value("method", "") != "textDocument/publishDiagnostics" || m["params"]["uri"] != uri) continue;
        const int v = m["params"]["version"];
        EXPECT_GE(v, ultima);
        ultima = v;
        finale = m["params"]["diagnostics"];
    }
    EXPECT_EQ(ultima, 41);
    ASSERT_FALSE(finale.empty());
    EXPECT_EQ(finale[0]["code"], 16);
}

}  // namespace

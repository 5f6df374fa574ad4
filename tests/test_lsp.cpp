// The language server without a process: the frames on a stream, the buffer's
// text against the build's bytes and the editor's UTF-16 columns, the URIs and
// the pairs of files, the JSON-RPC rules, and the diagnostics, hover,
// completion, outline and quick fixes of a pair of buffers.
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <sstream>

#include "scenario_incorporato.h"
#include "supporto.h"
#include "tools/comune/testo_1252.h"
#include "tools/lsp/aiuto_editor.h"
#include "tools/lsp/ciclo_server.h"
#include "tools/lsp/coppie.h"
#include "tools/lsp/cornice.h"
#include "tools/lsp/server.h"
#include "tools/lsp/testo_editor.h"

namespace {

using json = nlohmann::json;

// ---- Frames ----

struct caso_cornici {
    const char* nome;
    std::string flusso;
    std::size_t massimo;
    std::vector<std::pair<esito_cornice, std::string>> attesi;  // the body, or a word of the error
};

TEST(LspCornice, EachStreamGivesItsMessagesAndErrorsThenTheEnd) {
    const std::string buono = "Content-Length: 2\r\n\r\n{}";
    const std::vector<caso_cornici> casi = {
        {"one message", buono, massimo_corpo, {{esito_cornice::messaggio, "{}"}}},
        {"other headers, any letter case, LF alone",
         "content-type: application/vscode-jsonrpc\nCONTENT-LENGTH:  3 \n\n[1]",
         massimo_corpo,
         {{esito_cornice::messaggio, "[1]"}}},
        {"two in a row", buono + buono, massimo_corpo, {{esito_cornice::messaggio, "{}"}, {esito_cornice::messaggio, "{}"}}},
        {"no length, then a good one", "Content-Type: x\r\n\r\n" + buono, massimo_corpo,
         {{esito_cornice::guasta, "without Content-Length"}, {esito_cornice::messaggio, "{}"}}},
        {"a length that is not a number", "Content-Length: -4\r\n\r\n" + buono, massimo_corpo,
         {{esito_cornice::guasta, "not a number"}, {esito_cornice::messaggio, "{}"}}},
        {"binary garbage before a frame", std::string("\x01\xff\x00garbage\r\n", 12) + buono, massimo_corpo,
         {{esito_cornice::messaggio, "{}"}}},
        {"too large: skipped, the next read whole", "Content-Length: 12\r\n\r\n{\"a\":123456}" + buono, 10,
         {{esito_cornice::guasta, "more than the 10"}, {esito_cornice::messaggio, "{}"}}},
        {"cut short", "Content-Length: 10\r\n\r\n{}", massimo_corpo, {{esito_cornice::guasta, "ended inside a message"}}},
        {"ends in the header", "Content-Length: 10\r\n", massimo_corpo, {{esito_cornice::guasta, "inside a header"}}},
        {"garbage without a line end", std::string(100000, '\x7f'), massimo_corpo,
         {{esito_cornice::guasta, "inside a header"}}},
    };
    for (const caso_cornici& c : casi) {
        std::istringstream in(c.flusso);
        for (const auto& [esito, testo] : c.attesi) {
            const cornice_letta r = leggi_cornice(in, c.massimo);
            EXPECT_EQ(r.esito, esito) << c.nome;
            if (esito == esito_cornice::messaggio) {
                EXPECT_EQ(r.corpo, testo) << c.nome;
            } else {
                EXPECT_NE(r.errore.find(testo), std::string::npos) << c.nome << ": " << r.errore;
            }
        }
        EXPECT_EQ(leggi_cornice(in, c.massimo).esito, esito_cornice::fine) << c.nome;
    }
    EXPECT_EQ(incornicia("{\"a\":1}"), "Content-Length: 7\r\n\r\n{\"a\":1}");
}

// ---- The buffer's text ----

TEST(LspTesto, CharactersBecomeTheirWindows1252BytesAndTheOthersAreTold) {
    const testo_1252 t = in_1252("a\xe2\x82\xac\xc3\xa0\r\nb\xf0\x9f\x98\x80x\xe2\x80\x8b");  // "a€à", "b😀x" and a zero-width space
    EXPECT_EQ(t.byte, "a\x80\xe0\r\nb?x?");
    ASSERT_EQ(t.estranei.size(), 2u);
    EXPECT_EQ(t.estranei[0].riga, 2);
    EXPECT_EQ(t.estranei[0].colonna, 2);
    EXPECT_EQ(t.estranei[0].codice, U'\U0001F600');
    EXPECT_EQ(t.estranei[1].colonna, 4);
    EXPECT_EQ(t.estranei[1].utf8, "\xe2\x80\x8b");
}

TEST(LspTesto, ColumnsOfTheBuildAreUtf16ColumnsOfTheEditor) {
    // "é" is one UTF-16 unit, "😀" two; CR LF, LF and a lone CR end lines.
    const std::string t = "x\r\n\xc3\xa9\xf0\x9f\x98\x80" "b,c\ry\nz";
    const std::vector<std::size_t> inizi = inizi_righe(t);
    ASSERT_EQ(inizi.size(), 4u);
    struct caso {
        std::int32_t riga, colonna, riga_editor, carattere;
    };
    for (const caso& c : std::vector<caso>{{1, 1, 0, 0}, {1, 2, 0, 1}, {1, 9, 0, 1}, {2, 1, 1, 0}, {2, 2, 1, 1},
                                           {2, 3, 1, 3}, {2, 5, 1, 5}, {2, 6, 1, 6}, {3, 1, 2, 0}, {4, 2, 3, 1},
                                           {9, 1, 3, 0}}) {
        const posizione_editor p = in_editor(t, inizi, c.riga, c.colonna);
        EXPECT_EQ(p.riga, c.riga_editor) << c.riga << ":" << c.colonna;
        EXPECT_EQ(p.carattere, c.carattere) << c.riga << ":" << c.colonna;
        if (c.riga <= 4 && c.colonna <= 6) {
            EXPECT_EQ(colonna_a(t, inizi, p), c.colonna) << c.riga << ":" << c.colonna;
        }
    }
    EXPECT_EQ(byte_a(t, inizi, {1, 3}), 9u);   // past the surrogate pair
    EXPECT_EQ(byte_a(t, inizi, {1, 99}), 12u);  // the line's end, before the lone CR
    EXPECT_EQ(byte_a(t, inizi, {7, 0}), t.size());
    // A file that is not there has no line at all: every place is its start.
    const posizione_editor vuota = in_editor("", {}, 3, 5);
    EXPECT_EQ(vuota.riga, 0);
    EXPECT_EQ(vuota.carattere, 0);
}

// ---- URIs and pairs ----

TEST(LspCoppie, UrisBecomePathsAndBack) {
    const std::vector<std::pair<std::string, std::optional<std::string>>> casi = {
        {"file:///home/a%20b/Tava%20Aeroporto-Rovea_linea.txt", "/home/a b/Tava Aeroporto-Rovea_linea.txt"},
        {"file:///C:/dati/x_linea.txt", "C:/dati/x_linea.txt"},
        {"file:///c%3A/dati/x.txt", "c:/dati/x.txt"},
        {"file://localhost/etc/x", "/etc/x"},
        {"file:///Citt%C3%A0", "/Citt\xc3\xa0"},
        {"untitled:Untitled-1", std::nullopt},
        {"file:///autore/Tava%00_1-.txt", std::nullopt},
        {std::string("file:///autore/Tava") + '\0' + "_1-.txt", std::nullopt},
        {"file:", std::nullopt},
    };
    for (const auto& [uri, percorso] : casi) EXPECT_EQ(percorso_da_uri(uri), percorso) << uri;
    EXPECT_EQ(uri_da_percorso("/a b/Citt\xc3\xa0_linea.txt"), "file:///a%20b/Citt%C3%A0_linea.txt");
    EXPECT_EQ(uri_da_percorso("C:\\x\\y (1).txt"), "file:///C:/x/y%20%281%29.txt");
    for (const std::string p : {"/a b/Città_linea.txt", "/x/y_2101-.txt", "C:/z/w.txt"}) {
        EXPECT_EQ(percorso_da_uri(uri_da_percorso(p)), p);
    }
}

TEST(LspCoppie, NamesTellLineFilesTrainFilesAndTheRest) {
    struct caso {
        const char* percorso;
        ruolo_file ruolo;
        const char* linea;
        const char* treno;
    };
    for (const caso& c : std::vector<caso>{
             {"/d/Tava Aeroporto-Rovea_linea.txt", ruolo_file::linea, "Tava Aeroporto-Rovea", ""},
             {"/d/Tava Aeroporto-Rovea_30742-.txt", ruolo_file::treno, "Tava Aeroporto-Rovea", "30742"},
             {"/d/a_b_7-.txt", ruolo_file::treno, "a_b", "7"},
             {"/d/note.txt", ruolo_file::nessuno, "", ""},
             {"/d/x_2101.txt", ruolo_file::nessuno, "", ""},
             {"/d/_7-.txt", ruolo_file::nessuno, "", ""},
             {"/d/Tava_linea.TXT", ruolo_file::nessuno, "", ""},
         }) {
        const nome_in_coppia f = classifica(c.percorso);
        EXPECT_EQ(f.ruolo, c.ruolo) << c.percorso;
        EXPECT_EQ(f.linea, c.linea) << c.percorso;
        EXPECT_EQ(f.treno, c.treno) << c.percorso;
    }
}

// ---- A session without a process ----

const std::string cartella = "/autore";
const std::string percorso_linea = cartella + "/" + nome_linea;
const std::string percorso_treno = cartella + "/" + nome_treno;

// A server whose disk is a map of paths to bytes.
struct sessione {
    stato_server s = nuovo_stato();
    std::map<std::string, std::string> disco;

    explicit sessione(bool inizializza = true) {
        s.leggi_disco = [this](const std::string& p, sorgente) -> std::optional<std::string> {
            const auto it = disco.find(p);
            if (it == disco.end()) return std::nullopt;
            return it->second;
        };
        s.treni_disco = [this](const std::string& dir, const std::string& linea) {
            std::vector<std::string> t;
            for (const auto& [p, testo] : disco) {
                const nome_in_coppia f = classifica(p);
                if (f.ruolo == ruolo_file::treno && f.linea == linea && cartella_di(p) == dir) t.push_back(p);
            }
            return t;
        };
        if (inizializza) {
            invia(richiesta(1, "initialize",
                            {{"capabilities",
                              {{"textDocument", {{"completion", {{"completionItem", {{"snippetSupport", true}}}}}}}}}}));
            invia({{"jsonrpc", "2.0"}, {"method", "initialized"}, {"params", json::object()}});
        }
    }
    static json richiesta(int id, const std::string& metodo, json parametri) {
        return {{"jsonrpc", "2.0"}, {"id", id}, {"method", metodo}, {"params", std::move(parametri)}};
    }
    static json notifica(const std::string& metodo, json parametri) {
        return {{"jsonrpc", "2.0"}, {"method", metodo}, {"params", std::move(parametri)}};
    }
    std::vector<json> invia(const json& m) { return tratta_messaggio(s, m); }
    // The diagnostics published by the checks due, by URI.
    std::map<std::string, json> pubblica() {
        std::map<std::string, json> r;
        for (const json& m : controlla_dovuti(s, [](const std::set<std::string>&) { return false; })) {
            EXPECT_EQ(m["method"], "textDocument/publishDiagnostics");
            r[m["params"]["uri"]] = m["params"]["diagnostics"];
        }
        return r;
    }
    void apri(const std::string& percorso, const std::string& testo, int versione = 1) {
        invia(notifica("textDocument/didOpen", {{"textDocument",
                                                 {{"uri", uri_da_percorso(percorso)},
                                                  {"languageId", "scenario"},
                                                  {"version", versione},
                                                  {"text", testo}}}}));
    }
    void cambia(const std::string& percorso, const std::string& testo, int versione) {
        invia(notifica("textDocument/didChange",
                       {{"textDocument", {{"uri", uri_da_percorso(percorso)}, {"version", versione}}},
                        {"contentChanges", json::array({{{"text", testo}}})}}));
    }
    json chiedi(const std::string& metodo, const std::string& percorso, json altro = json::object()) {
        altro["textDocument"] = {{"uri", uri_da_percorso(percorso)}};
        const std::vector<json> r = invia(richiesta(9, metodo, altro));
        EXPECT_EQ(r.size(), 1u);
        return r.empty() ? json() : r[0];
    }
};

TEST(LspRpc, TheProtocolsRulesForEachKindOfMessage) {
    sessione nuovo(false);
    const auto errore = [](std::vector<json> r) { return r.size() == 1 ? r[0]["error"]["code"] : json(); };
    EXPECT_EQ(errore(nuovo.invia(sessione::richiesta(1, "textDocument/hover", {}))), codice_rpc::non_inizializzato);
    EXPECT_TRUE(nuovo.invia(sessione::notifica("textDocument/didOpen", {})).empty());
    const std::vector<json> init = nuovo.invia(sessione::richiesta(2, "initialize", {{"capabilities", json::object()}}));
    ASSERT_EQ(init.size(), 1u);
    EXPECT_EQ(init[0]["id"], 2);
    EXPECT_EQ(init[0]["result"]["capabilities"]["textDocumentSync"]["change"], 1);
    EXPECT_EQ(init[0]["result"]["capabilities"]["positionEncoding"], "utf-16");
    EXPECT_EQ(errore(nuovo.invia(sessione::richiesta(3, "initialize", {}))), codice_rpc::richiesta_invalida);

    const std::vector<std::pair<json, json>> casi = {
        {sessione::richiesta(4, "workspace/symbol", {}), codice_rpc::metodo_ignoto},
        {sessione::richiesta(5, "textDocument/didOpen", {}), codice_rpc::metodo_ignoto},
        {json::array({1, 2}), codice_rpc::richiesta_invalida},
        {{{"jsonrpc", "1.0"}, {"id", 6}, {"method", "shutdown"}}, codice_rpc::richiesta_invalida},
        {{{"jsonrpc", "2.0"}, {"id", json::array()}, {"method", "shutdown"}}, codice_rpc::richiesta_invalida},
        {{{"jsonrpc", "2.0"}, {"id", 7}, {"method", 12}}, codice_rpc::richiesta_invalida},
        {sessione::richiesta(8, "textDocument/hover", {{"textDocument", 3}}), codice_rpc::parametri_invalidi},
        {sessione::richiesta(9, "textDocument/hover", {{"textDocument", {{"uri", "untitled:1"}}}}),
         codice_rpc::parametri_invalidi},
    };
    for (const auto& [m, codice] : casi) EXPECT_EQ(errore(nuovo.invia(m)), codice) << m.dump();
    // Notifications get no answer, whether known or not; a response from the client is taken silently.
    EXPECT_TRUE(nuovo.invia(sessione::notifica("$/cancelRequest", {{"id", 1}})).empty());
    EXPECT_TRUE(nuovo.invia(sessione::notifica("workspace/didChangeWatchedFiles", {})).empty());
    EXPECT_TRUE(nuovo.invia({{"jsonrpc", "2.0"}, {"id", 40}, {"result", nullptr}}).empty());
    // A notification it cannot take is logged.
    const std::vector<json> cambio = nuovo.invia(sessione::notifica("textDocument/didChange", {{"x", 1}}));
    ASSERT_EQ(cambio.size(), 1u);
    EXPECT_EQ(cambio[0]["method"], "window/logMessage");

    const std::vector<json> spento = nuovo.invia(sessione::richiesta(10, "shutdown", nullptr));
    ASSERT_EQ(spento.size(), 1u);
    EXPECT_TRUE(spento[0].contains("result"));
    EXPECT_TRUE(spento[0]["result"].is_null());
    EXPECT_EQ(errore(nuovo.invia(sessione::richiesta(11, "textDocument/hover", {}))), codice_rpc::richiesta_invalida);
    EXPECT_FALSE(nuovo.s.finito);
    nuovo.invia(sessione::notifica("exit", {}));
    EXPECT_TRUE(nuovo.s.finito);
}

std::string in_cornici(const std::vector<json>& messaggi) {
    std::string t;
    for (const json& m : messaggi) t += incornicia(m.dump());
    return t;
}

std::vector<json> letti(const std::string& flusso) {
    std::istringstream in(flusso);
    std::vector<json> r;
    for (cornice_letta c = leggi_cornice(in); c.esito != esito_cornice::fine; c = leggi_cornice(in)) {
        EXPECT_EQ(c.esito, esito_cornice::messaggio) << c.errore;
        r.push_back(json::parse(c.corpo));
    }
    return r;
}

TEST(LspRpc, TheLoopAnswersGarbageAndEndsWithTheRightStatus) {
    const json init = sessione::richiesta(1, "initialize", json::object());
    const json spegni = sessione::richiesta(2, "shutdown", nullptr);
    const json esci = sessione::notifica("exit", nullptr);
    struct caso {
        const char* nome;
        std::string flusso;
        int stato;
        std::vector<std::string> attesi;  // per answer: "id N", "error N" or a method
    };
    const std::vector<caso> casi = {
        {"shutdown then exit", in_cornici({init, spegni, esci}), 0, {"id 1", "id 2"}},
        {"exit without shutdown", in_cornici({init, esci}), 1, {"id 1"}},
        {"shutdown without an id, as Kate sends it, then exit",
         in_cornici({init, sessione::notifica("shutdown", nullptr), esci}), 0, {"id 1"}},
        {"shutdown without an id before initialize is no shutdown",
         in_cornici({sessione::notifica("shutdown", nullptr), init, esci}), 1, {"id 1"}},
        {"the input ends", in_cornici({init}), 1, {"id 1"}},
        {"nothing after exit is read", in_cornici({init, spegni, esci, sessione::richiesta(3, "shutdown", nullptr)}), 0,
         {"id 1", "id 2"}},
        {"a request named exit is answered and the server goes on",
         in_cornici({init, sessione::richiesta(5, "exit", nullptr), spegni, esci}), 0, {"id 1", "error -32601", "id 2"}},
        {"an exit of another version, or without one, is invalid and ends nothing",
         in_cornici({init, {{"jsonrpc", "1.0"}, {"method", "exit"}}, {{"method", "exit"}}, spegni, esci}), 0,
         {"id 1", "error -32600 id null", "error -32600 id null", "id 2"}},
        {"a body of null is an invalid request", "Content-Length: 4\r\n\r\nnull" + in_cornici({init, spegni, esci}), 0,
         {"error -32600 id null", "id 1", "id 2"}},
        {"not JSON, then a frame without a length, then binary garbage",
         "Content-Length: 5\r\n\r\n{\"a\":" + std::string("X-Junk: 1\r\n\r\n") + std::string("\x00\x01\xfe\r\n\r\n", 7) +
             in_cornici({init, spegni, esci}),
         0,
         {"error -32700 id null", "window/logMessage", "window/logMessage", "id 1", "id 2"}},
    };
    for (const caso& c : casi) {
        stato_server s = nuovo_stato();
        std::istringstream in(c.flusso);
        std::ostringstream out;
        EXPECT_EQ(esegui_server(s, in, out), c.stato) << c.nome;
        std::vector<std::string> visti;
        for (const json& m : letti(out.str())) {
            if (m.contains("error")) {
                visti.push_back("error " + std::to_string(m["error"]["code"].get<int>()) +
                                (m["id"].is_null() ? " id null" : ""));
            } else if (m.contains("id")) {
                visti.push_back("id " + m["id"].dump());
            } else {
                visti.push_back(m["method"].get<std::string>());
            }
        }
        EXPECT_EQ(visti, c.attesi) << c.nome;
    }
}

// An input that gives its bytes one at a time and counts them, and an output
// that holds every write until the input has been read to its end (or a
// minute has passed, so that a fault fails rather than hangs): the server's
// reader takes every message while the first answer is still being written.
struct ingresso_contato : std::streambuf {
    std::string dati;
    std::size_t letti = 0;
    std::mutex m;
    std::condition_variable cv;

    explicit ingresso_contato(std::string d) : dati(std::move(d)) {}
    int_type underflow() override {
        const std::lock_guard<std::mutex> l(m);
        return letti < dati.size() ? traits_type::to_int_type(dati[letti]) : traits_type::eof();
    }
    int_type uflow() override {
        const std::lock_guard<std::mutex> l(m);
        if (letti >= dati.size()) return traits_type::eof();
        const char c = dati[letti++];
        cv.notify_all();
        return traits_type::to_int_type(c);
    }
    void attendi_la_fine() {
        std::unique_lock<std::mutex> l(m);
        cv.wait_for(l, std::chrono::minutes(1), [this] { return letti == dati.size(); });
    }
};

struct uscita_trattenuta : std::streambuf {
    ingresso_contato& ingresso;
    std::string scritto;

    explicit uscita_trattenuta(ingresso_contato& i) : ingresso(i) {}
    std::streamsize xsputn(const char* s, std::streamsize n) override {
        ingresso.attendi_la_fine();
        scritto.append(s, static_cast<std::size_t>(n));
        return n;
    }
    int_type overflow(int_type c) override {
        ingresso.attendi_la_fine();
        if (!traits_type::eq_int_type(c, traits_type::eof())) scritto += traits_type::to_char_type(c);
        return traits_type::not_eof(c);
    }
};

TEST(LspRpc, ACancelledRequestStillWaitingIsAnsweredRequestCancelled) {
    const json aiuto = sessione::richiesta(3, "textDocument/hover",
                                           {{"textDocument", {{"uri", "file:///autore/x_linea.txt"}}},
                                            {"position", {{"line", 0}, {"character", 0}}}});
    json altro = aiuto;
    altro["id"] = "quattro";
    const std::string flusso = in_cornici({sessione::richiesta(1, "initialize", json::object()), aiuto, altro,
                                           sessione::notifica("$/cancelRequest", {{"id", 3}}),
                                           sessione::notifica("$/cancelRequest", {{"id", 77}}),
                                           sessione::richiesta(2, "shutdown", nullptr), sessione::notifica("exit", nullptr)});
    ingresso_contato in_buf(flusso);
    uscita_trattenuta out_buf(in_buf);
    std::istream in(&in_buf);
    std::ostream out(&out_buf);
    stato_server s = nuovo_stato();
    EXPECT_EQ(esegui_server(s, in, out), 0);
    std::vector<json> r = letti(out_buf.scritto);
    ASSERT_EQ(r.size(), 4u) << json(r).dump();
    EXPECT_EQ(r[1]["id"], 3);
    EXPECT_EQ(r[1]["error"]["code"], codice_rpc::annullata);
    EXPECT_EQ(r[2]["id"], "quattro");  // not named: handled
    EXPECT_TRUE(r[2].contains("result"));
    EXPECT_EQ(r[3]["id"], 2);
}

// ---- Diagnostics of a pair ----

// The embedded files with a mistake in each: a signal on the sign's cell (a
// status whose note names the line file), a misspelled keyword.
const std::string treno_sbagliato = sostituisci(treno_incorporato, "segnale,    1650,", "segnale,    500,");
const std::string linea_sbagliata = sostituisci(linea_incorporata, "pendenza,  3500,", "pendnza,  3500,");

json cerca(const json& diagnostiche, const json& codice) {
    for (const json& d : diagnostiche) {
        if (d.value("code", json()) == codice) return d;
    }
    ADD_FAILURE() << "no diagnostic " << codice << " in " << diagnostiche.dump();
    return json::object();
}

std::vector<std::string> codici(const json& diagnostiche) {
    std::vector<std::string> c;
    for (const json& d : diagnostiche) c.push_back(d["code"].is_string() ? d["code"].get<std::string>() : d["code"].dump());
    return c;
}

// The embedded line file's own warnings: two gradients beyond the declared length.
const std::vector<std::string> oltre_la_lunghezza{"beyond-length", "beyond-length"};

json intervallo(int riga, int da, int a) {
    return {{"start", {{"line", riga}, {"character", da}}}, {"end", {{"line", riga}, {"character", a}}}};
}

TEST(LspDiagnostiche, AChangeToEitherFileChecksBothAndAFixClearsThem) {
    sessione x;
    x.disco[percorso_linea] = linea_sbagliata;
    x.apri(percorso_treno, utf8_da_1252(treno_sbagliato));
    std::map<std::string, json> p = x.pubblica();
    ASSERT_EQ(p.size(), 2u);  // the line file from disk too
    const json segnale = cerca(p[uri_da_percorso(percorso_treno)], 16);
    EXPECT_EQ(segnale["severity"], 1);
    EXPECT_EQ(segnale["source"], "scenario-tool");
    EXPECT_EQ(segnale["range"], intervallo(20, 12, 15));  // "500" on "segnale,    500,"
    ASSERT_TRUE(segnale.contains("relatedInformation"));
    bool nella_linea = false;
    for (const json& n : segnale["relatedInformation"]) {
        nella_linea = nella_linea || n["location"]["uri"] == uri_da_percorso(percorso_linea);
    }
    EXPECT_TRUE(nella_linea) << segnale.dump();
    const json parola = cerca(p[uri_da_percorso(percorso_linea)], "misspelled-keyword");
    EXPECT_EQ(parola["severity"], 1);  // an error unless -Wno-error=misspelled-keyword
    EXPECT_EQ(parola["range"], intervallo(17, 0, 7));  // "pendnza"

    // The line file opened in the editor and mended there: its buffer wins over the disk.
    x.apri(percorso_linea, utf8_da_1252(linea_sbagliata));
    x.pubblica();
    x.cambia(percorso_linea, utf8_da_1252(linea_incorporata), 2);
    x.cambia(percorso_treno, utf8_da_1252(treno_incorporato), 2);
    p = x.pubblica();
    ASSERT_EQ(p.size(), 2u);
    EXPECT_EQ(codici(p[uri_da_percorso(percorso_linea)]), oltre_la_lunghezza);
    EXPECT_EQ(p[uri_da_percorso(percorso_treno)], json::array());
}

TEST(LspDiagnostiche, ACharacterTheFilesCannotHoldIsAnErrorAtItsUtf16Column) {
    sessione x;
    // A station's name with an emoji, after an accented letter (one UTF-16 unit).
    const std::string treno = sostituisci(utf8_da_1252(treno_incorporato), "TAVA CENTRALE", "TAV\xc3\x80 \xf0\x9f\x9a\x86 \xe2\x82\xac");
    x.disco[percorso_linea] = linea_incorporata;
    x.apri(percorso_treno, treno);
    std::map<std::string, json> p = x.pubblica();
    const json d = cerca(p[uri_da_percorso(percorso_treno)], "not-windows-1252");
    const int inizio = static_cast<int>(std::string("stazione,    4000,  4,  700,  1, 0, 0,  4,1,2,  2,1,1,   60,  20,11, 0, TAV\xc3\x80 ").size()) - 1;
    EXPECT_EQ(d["range"], intervallo(12, inizio, inizio + 2));
    EXPECT_NE(d["message"].get<std::string>().find("U+1F686"), std::string::npos);
    EXPECT_EQ(p[uri_da_percorso(percorso_treno)].size(), 1u) << "the euro sign is Windows-1252";
}

TEST(LspDiagnostiche, AFileThatFitsNoNameIsToldSoAndALineFileAloneIsChecked) {
    sessione x;
    const std::vector<json> r = x.invia(sessione::notifica(
        "textDocument/didOpen",
        {{"textDocument", {{"uri", "file:///autore/Tava.txt"}, {"version", 1}, {"text", "[generale]\n"}}}}));
    ASSERT_EQ(r.size(), 1u);
    const json d = r[0]["params"]["diagnostics"][0];
    EXPECT_EQ(d["code"], "file-name");
    EXPECT_NE(d["message"].get<std::string>().find("Tava_linea.txt"), std::string::npos) << d.dump();

    x.apri(percorso_linea, utf8_da_1252(linea_sbagliata));
    const std::map<std::string, json> p = x.pubblica();
    ASSERT_EQ(p.size(), 1u);
    EXPECT_EQ(codici(p.at(uri_da_percorso(percorso_linea))),
              (std::vector<std::string>{"misspelled-keyword", "beyond-length", "beyond-length"}));
}

TEST(LspDiagnostiche, AFileAddressHoldingANulByteOpensNoFileAndIsToldSo) {
    sessione x;
    std::vector<std::string> letti;
    const auto leggi = x.s.leggi_disco;
    x.s.leggi_disco = [&](const std::string& p, sorgente q) {
        letti.push_back(p);
        return leggi(p, q);
    };
    x.disco[cartella + "/Tava"] = linea_incorporata;  // the path cut at the NUL
    const std::string uri = "file:///autore/Tava%00_linea.txt";
    const json apertura = {{"textDocument", {{"uri", uri}, {"version", 1}, {"text", utf8_da_1252(treno_incorporato)}}}};
    const std::vector<json> r = x.invia(sessione::notifica("textDocument/didOpen", apertura));
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0]["params"]["uri"], uri);
    ASSERT_EQ(r[0]["params"]["diagnostics"].size(), 1u);
    EXPECT_EQ(r[0]["params"]["diagnostics"][0]["code"], "file-address");
    EXPECT_EQ(r[0]["params"]["diagnostics"][0]["severity"], 1);
    EXPECT_TRUE(x.s.aperti.empty());
    EXPECT_TRUE(x.pubblica().empty());
    EXPECT_TRUE(letti.empty());
    const json aiuto = x.invia(sessione::richiesta(3, "textDocument/hover",
                                                  {{"textDocument", {{"uri", uri}}}, {"position", {{"line", 0}, {"character", 0}}}}))[0];
    EXPECT_EQ(aiuto["error"]["code"], codice_rpc::parametri_invalidi);
    EXPECT_NE(aiuto["error"]["message"].get<std::string>().find("NUL"), std::string::npos) << aiuto.dump();
    // Closed, its error is cleared.
    const std::vector<json> chiuso = x.invia(sessione::notifica("textDocument/didClose", {{"textDocument", {{"uri", uri}}}}));
    ASSERT_EQ(chiuso.size(), 1u);
    EXPECT_EQ(chiuso[0]["params"]["diagnostics"], json::array());
}

TEST(LspDiagnostiche, SeveralTrainFilesOfOneLineEachGetTheirOwnAndTheLineFileFollowsTheLastChanged) {
    sessione x;
    const std::string altro = cartella + "/Tava Aeroporto-Rovea_2101-.txt";
    x.apri(percorso_linea, utf8_da_1252(linea_incorporata));
    x.apri(percorso_treno, utf8_da_1252(treno_sbagliato));
    x.apri(altro, utf8_da_1252(treno_incorporato));
    x.pubblica();
    x.cambia(percorso_linea, utf8_da_1252(sostituisci(linea_incorporata, "cartello_indicatore,  500,", "cartello_indicatore,  600,")), 2);
    std::map<std::string, json> p = x.pubblica();
    // Both train files checked with the line file; the sign moved off the signal's cell. The signal
    // at 500 m now stands, and its farthest approach marker falls on one of the first station's.
    EXPECT_EQ(p.size(), 3u);
    ASSERT_EQ(p[uri_da_percorso(percorso_treno)].size(), 1u);
    EXPECT_EQ(p[uri_da_percorso(percorso_treno)][0]["code"], "overwritten-mark");
    EXPECT_EQ(p[uri_da_percorso(altro)], json::array());
}

TEST(LspDiagnostiche, ACheckMadeObsoleteByAWaitingChangePublishesNothing) {
    sessione x;
    x.disco[percorso_linea] = linea_incorporata;
    x.apri(percorso_treno, utf8_da_1252(treno_sbagliato));
    int domande = 0;
    // A change waits before the check: nothing is checked.
    EXPECT_TRUE(controlla_dovuti(x.s, [&](const std::set<std::string>& f) {
                    ++domande;
                    return f.count(percorso_treno) > 0;
                }).empty());
    EXPECT_EQ(domande, 1);
    // A change arrives while it runs: its result is dropped.
    domande = 0;
    EXPECT_TRUE(controlla_dovuti(x.s, [&](const std::set<std::string>&) { return ++domande == 2; }).empty());
    EXPECT_EQ(domande, 2);
    // The pair is still due, and published once nothing newer waits.
    EXPECT_EQ(x.pubblica().size(), 2u);
    EXPECT_TRUE(x.pubblica().empty());
}

// A saved buffer whose file on disk holds other bytes than its Windows-1252
// is told so at the first line that differs, until a save that agrees.
TEST(LspDiagnostiche, ASaveWhoseFileHoldsOtherBytesIsToldOnTheBuffer) {
    const std::string buffer = sostituisci(utf8_da_1252(treno_incorporato), "TAVA CENTRALE", "TAV\xc3\x88 CENTRALE");
    const std::string byte = in_1252(buffer).byte;
    struct caso {
        const char* nome;
        std::optional<std::string> disco;
        const char* parole;  // of the warning; null for none
        int riga;            // where it stands
    };
    const std::vector<caso> casi = {
        {"saved as UTF-8", buffer, "saved as UTF-8?", 12},
        {"saved as UTF-8 with a byte-order mark", "\xef\xbb\xbf" + buffer, "saved as UTF-8?", 0},
        {"saved in Windows-1252", byte, nullptr, 0},
        {"other line ends and an empty line at the end", sostituisci(byte, "\r\n", "\n") + "\n\n", nullptr, 0},
        {"another text on that line", sostituisci(byte, "TAV\xc8 CENTRALE", "TAVA CENTRALE"),
         "the build reads the file on disk", 12},
        {"no file on disk", std::nullopt, nullptr, 0},
    };
    for (const caso& c : casi) {
        sessione x;
        x.disco[percorso_linea] = linea_incorporata;
        x.apri(percorso_treno, buffer);
        x.pubblica();
        if (c.disco) x.disco[percorso_treno] = *c.disco;
        x.invia(sessione::notifica("textDocument/didSave", {{"textDocument", {{"uri", uri_da_percorso(percorso_treno)}}}}));
        const json diagnostiche = x.pubblica()[uri_da_percorso(percorso_treno)];
        if (c.parole == nullptr) {
            EXPECT_EQ(diagnostiche, json::array()) << c.nome;
            continue;
        }
        const json d = cerca(diagnostiche, "disk-bytes");
        EXPECT_EQ(diagnostiche.size(), 1u) << c.nome;
        EXPECT_EQ(d["severity"], 2) << c.nome;
        EXPECT_EQ(d["range"]["start"]["line"], c.riga) << c.nome;
        EXPECT_NE(d.value("message", "").find(c.parole), std::string::npos) << c.nome << ": " << d.dump();
        // Saved again as the build reads it: the warning goes.
        x.disco[percorso_treno] = byte;
        x.invia(sessione::notifica("textDocument/didSave", {{"textDocument", {{"uri", uri_da_percorso(percorso_treno)}}}}));
        EXPECT_EQ(x.pubblica()[uri_da_percorso(percorso_treno)], json::array()) << c.nome;
    }
}

// ---- What the editor asks ----

TEST(LspAiuto, HoverOnAKeywordAValueAndADiagnostic) {
    sessione x;
    x.disco[percorso_linea] = linea_incorporata;
    x.apri(percorso_treno, utf8_da_1252(treno_sbagliato));
    x.pubblica();
    const auto testo = [&](int riga, int carattere) {
        const json r = x.chiedi("textDocument/hover", percorso_treno, {{"position", {{"line", riga}, {"character", carattere}}}});
        return r["result"].is_null() ? std::string() : r["result"]["contents"]["value"].get<std::string>();
    };
    // "velocita,    1000,   100" is the tenth line.
    EXPECT_NE(testo(9, 2).find("**velocita**, position (m), speed (km/h)"), std::string::npos) << testo(9, 2);
    EXPECT_NE(testo(9, 14).find("position 1000 m, cell 20"), std::string::npos) << testo(9, 14);
    EXPECT_NE(testo(9, 22).find("**speed** of velocita, in km/h\n\nkept as 100 km/h"), std::string::npos) << testo(9, 22);
    // On the signal of status 16: the record's words, then what explain says of status 16.
    const std::string su_errore = testo(20, 13);
    EXPECT_NE(su_errore.find("position 500 m, cell 10"), std::string::npos) << su_errore;
    EXPECT_NE(su_errore.find("16"), std::string::npos) << su_errore;
    EXPECT_GT(su_errore.size(), 300u);
    EXPECT_EQ(testo(0, 3), "");  // "[generale]"
}

TEST(LspAiuto, CompletionOffersThePartsKeywordsAndTheHeaders) {
    sessione x;
    const std::string linea = sostituisci(linea_incorporata, "[montagne]\r\n", "[montagne]\r\n\r\n");
    x.apri(percorso_linea, utf8_da_1252(linea));
    const auto etichette = [&](int riga, int carattere) {
        const json r = x.chiedi("textDocument/completion", percorso_linea,
                                {{"position", {{"line", riga}, {"character", carattere}}}});
        std::set<std::string> e;
        for (const json& v : r["result"]) e.insert(v["label"].get<std::string>());
        return std::pair(e, r["result"]);
    };
    const auto [corpo, voci] = etichette(23, 0);  // the blank line after "[montagne]"
    EXPECT_TRUE(corpo.count("montagna") && corpo.count("pendenza") && corpo.count("[curve]")) << voci.dump();
    EXPECT_FALSE(corpo.count("sfondo uno") || corpo.count("stazione"));
    for (const json& v : voci) {
        if (v["label"] == "pendenza") {
            EXPECT_EQ(v["insertText"], "pendenza,  ${1:position},  ${2:gradient}");
            EXPECT_EQ(v["insertTextFormat"], 2);
        }
    }
    const auto [generale, _] = etichette(1, 0);
    EXPECT_TRUE(generale.count("lunghezza percorso") && generale.count("sfondo uno"));
    EXPECT_FALSE(generale.count("pendenza"));
    EXPECT_TRUE(etichette(1, 22).first.empty());  // after the keyword's comma
}

TEST(LspAiuto, TheOutlineHasSectionsWithStationsByNameAndSignalsByPosition) {
    sessione x;
    x.apri(percorso_treno, utf8_da_1252(treno_incorporato));
    const json r = x.chiedi("textDocument/documentSymbol", percorso_treno)["result"];
    std::vector<std::string> sezioni;
    std::map<std::string, std::vector<std::string>> dentro;
    for (const json& s : r) {
        sezioni.push_back(s["name"].get<std::string>());
        for (const json& c : s["children"]) dentro[s["name"].get<std::string>()].push_back(c["name"].get<std::string>());
    }
    EXPECT_EQ(sezioni, (std::vector<std::string>{"[generale]", "[aderenze]", "[vel_limite]", "[stazioni]",
                                                 "[rallentamenti]", "[segnali]", "[codici]", "[fine]"}));
    ASSERT_EQ(dentro["[stazioni]"].size(), 7u);
    EXPECT_EQ(dentro["[stazioni]"][1], "TAVA CENTRALE");
    ASSERT_EQ(dentro["[segnali]"].size(), 9u);
    EXPECT_EQ(dentro["[segnali]"][0], "signal at 1650 m");
    EXPECT_EQ(r[3]["range"]["start"]["line"], 10);
    EXPECT_EQ(r[3]["range"]["end"]["line"], 17);
}

TEST(LspAiuto, TheOutlineStopsAtItsMostSymbolsAndSaysSo) {
    sessione x;
    std::string treno = treno_incorporato;
    for (int i = 0; i < 6000; ++i) treno += "velocita,    " + std::to_string(1000 + i) + ",   100\r\n";
    x.apri(percorso_treno, utf8_da_1252(treno));
    const std::vector<json> r = x.invia(sessione::richiesta(9, "textDocument/documentSymbol",
                                                           {{"textDocument", {{"uri", uri_da_percorso(percorso_treno)}}}}));
    ASSERT_EQ(r.size(), 2u);
    std::size_t n = 0;
    for (const json& sezione : r[0]["result"]) n += 1 + sezione["children"].size();
    EXPECT_EQ(n, massimo_simboli);
    EXPECT_EQ(r[0]["result"][0]["name"], "[generale]");
    EXPECT_EQ(r[1]["method"], "window/logMessage");
    EXPECT_NE(r[1]["params"]["message"].get<std::string>().find("5000"), std::string::npos) << r[1].dump();
}

// The check takes a source of 16 MiB and no more, counted in the bytes it
// reads: a buffer beyond that gets no hover, completion or outline either.
TEST(LspAiuto, ABufferTheCheckRefusesGetsNoHoverCompletionOrOutline) {
    struct caso {
        const char* nome;
        std::string commento;  // one character of the comment that fills the buffer
        bool rifiutato;
    };
    const std::vector<caso> casi = {
        {"one byte beyond the limit", "x", true},
        {"a longer UTF-8 text whose bytes fit", "\xc3\xa8", false},
    };
    for (const caso& c : casi) {
        sessione x;
        const std::size_t riempi = (std::size_t{16} << 20) - treno_incorporato.size() - 5 + (c.rifiutato ? 1 : 0);
        std::string testo = utf8_da_1252(treno_incorporato) + "-- ";
        testo.reserve(testo.size() + riempi * c.commento.size() + 2);
        for (std::size_t i = 0; i < riempi; ++i) testo += c.commento;
        x.apri(percorso_treno, testo + "\r\n");
        const json posizione = {{"position", {{"line", 9}, {"character", 2}}}};
        EXPECT_EQ(x.chiedi("textDocument/hover", percorso_treno, posizione)["result"].is_null(), c.rifiutato) << c.nome;
        EXPECT_EQ(x.chiedi("textDocument/completion", percorso_treno, posizione)["result"].empty(), c.rifiutato) << c.nome;
        EXPECT_EQ(x.chiedi("textDocument/documentSymbol", percorso_treno)["result"].size(), c.rifiutato ? 0u : 8u) << c.nome;
    }
}

TEST(LspCorrezioni, QuickFixesForAKeywordADecimalCommaAndATab) {
    sessione x;
    const std::string linea = sostituisci(sostituisci(linea_incorporata, "pendenza,  3500,", "pendnza,  3500,"),
                                          "montagna,   13000,", "\tmontagna,   13000,");
    const std::string treno = sostituisci(treno_incorporato, "sabbia,    300", "sabbia,    3,5");
    x.apri(percorso_linea, utf8_da_1252(linea));
    x.apri(percorso_treno, utf8_da_1252(treno));
    std::map<std::string, json> p = x.pubblica();
    struct caso {
        std::string percorso;
        const char* codice;
        json modifiche;
    };
    const std::vector<caso> casi = {
        {percorso_linea, "misspelled-keyword", json::array({{{"range", intervallo(17, 0, 7)}, {"newText", "pendenza"}}})},
        {percorso_linea, "tab", json::array({{{"range", intervallo(23, 0, 1)}, {"newText", " "}}})},
        {percorso_treno, "decimal-separator", json::array({{{"range", intervallo(3, 11, 14)}, {"newText", "3"}}})},
    };
    for (const caso& c : casi) {
        const json d = cerca(p[uri_da_percorso(c.percorso)], c.codice);
        const json r = x.chiedi("textDocument/codeAction", c.percorso,
                                {{"range", d["range"]}, {"context", {{"diagnostics", json::array({d})}}}})["result"];
        ASSERT_TRUE(r.is_array()) << c.codice << " " << r.dump() << " " << d.dump();
        ASSERT_EQ(r.size(), 1u) << c.codice << " " << r.dump();
        EXPECT_EQ(r[0]["kind"], "quickfix");
        EXPECT_EQ(r[0]["diagnostics"][0], d);
        EXPECT_EQ(r[0]["edit"]["changes"][uri_da_percorso(c.percorso)], c.modifiche) << c.codice;
    }
}

// A mountain written end first: the quick fix swaps its two ends in place.
TEST(LspCorrezioni, ASpanWrittenEndFirstGetsItsEndsSwapped) {
    sessione x;
    x.apri(percorso_linea, utf8_da_1252(sostituisci(linea_incorporata, "montagna,   13000,  13050,", "montagna,   13050,  13000,")));
    x.apri(percorso_treno, utf8_da_1252(treno_incorporato));
    std::map<std::string, json> p = x.pubblica();
    const json d = cerca(p[uri_da_percorso(percorso_linea)], "swapped-range");
    ASSERT_TRUE(d.is_object()) << p[uri_da_percorso(percorso_linea)].dump();
    const json r = x.chiedi("textDocument/codeAction", percorso_linea,
                            {{"range", d["range"]}, {"context", {{"diagnostics", json::array({d})}}}})["result"];
    ASSERT_TRUE(r.is_array() && r.size() == 1u) << r.dump();
    EXPECT_EQ(r[0]["edit"]["changes"][uri_da_percorso(percorso_linea)],
              json::array({{{"range", intervallo(23, 12, 17)}, {"newText", "13000"}},
                           {{"range", intervallo(23, 20, 25)}, {"newText", "13050"}}}));
}

}  // namespace

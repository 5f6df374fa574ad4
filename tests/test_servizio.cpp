// view --serve: what a request asks for, the frames of the event stream, the
// watch of the two files, one build (the page or the errors), what the server
// hands out after good and failed builds, and the whole server on a real
// socket, in this process and as scenario-tool.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <future>
#include <nlohmann/json.hpp>
#include <set>
#include <sstream>
#include <thread>

#include "cliente_http.h"
#include "processo.h"
#include "scenario_incorporato.h"
#include "supporto.h"
#include "tools/servizio/eventi_sse.h"
#include "tools/servizio/instradamento.h"
#include "tools/servizio/pagina_servita.h"
#include "tools/servizio/ricostruzione.h"
#include "tools/servizio/servizio.h"
#include "tools/servizio/sorveglianza.h"

namespace {

// A train file with one station more, and a line file whose build ends
// without a scenario (a sign in cell 1 takes a format stamp's slot).
const std::string treno_con_stazione =
    sostituisci(treno_incorporato, "stazione,   22000",
                "stazione,   19000, 12,  400,  0, 0, 0,  1,1,0,  4,1,1,    0,   0, 0, 0, VALLE NUOVA\r\n"
                "stazione,   22000");
const std::string linea_senza_scenario =
    sostituisci(linea_incorporata, "cartello_indicatore,  500,", "cartello_indicatore,  0,");

// The embedded scenario's sources in a directory of their own.
struct sorgenti_prova {
    cartella_temporanea cartella;
    richiesta_vista r;

    sorgenti_prova(const std::string& linea = linea_incorporata, const std::string& treno = treno_incorporato) {
        scrivi_tutto(cartella.file(nome_linea), linea);
        scrivi_tutto(cartella.file(nome_treno), treno);
        r.file = {cartella.file(nome_linea), cartella.file(nome_treno)};
    }
};

// --- what a request asks for ---------------------------------------------------

TEST(Servizio, OgniRichiestaHaLaSuaDestinazione) {
    struct caso {
        const char* metodo;
        std::string percorso;
        std::optional<std::string> host;
        destinazione attesa;
        std::uint16_t porta = 8123;
        unsigned versione = 11;
        bool host_ripetuto = false;
        bool con_corpo = false;
    };
    const std::string lungo = "/" + std::string(lunghezza_percorso_massima - 1, 'a');
    const caso casi[] = {
        {"GET", "/", "127.0.0.1:8123", destinazione::pagina},
        {"GET", "/", "localhost:8123", destinazione::pagina},
        {"GET", "/", "LocalHost:8123", destinazione::pagina},
        {"GET", "/", std::nullopt, destinazione::pagina, 8123, 10},
        {"GET", "/?t=1", "127.0.0.1:8123", destinazione::pagina},
        {"GET", "/events", "127.0.0.1:8123", destinazione::flusso},
        {"GET", "/events?ultimo=3", "127.0.0.1:8123", destinazione::flusso},
        {"POST", "/", "127.0.0.1:8123", destinazione::metodo_non_ammesso},
        {"HEAD", "/events", "127.0.0.1:8123", destinazione::metodo_non_ammesso},
        {"get", "/", "127.0.0.1:8123", destinazione::metodo_non_ammesso},
        {"GET", "/index.html", "127.0.0.1:8123", destinazione::non_trovata},
        {"GET", "/events/", "127.0.0.1:8123", destinazione::non_trovata},
        {"GET", "/../etc/passwd", "127.0.0.1:8123", destinazione::non_trovata},
        {"GET", "//", "127.0.0.1:8123", destinazione::non_trovata},
        {"POST", "/x", "127.0.0.1:8123", destinazione::non_trovata},
        {"GET", "/", "127.0.0.1:8124", destinazione::host_estraneo},
        {"GET", "/", "127.0.0.1", destinazione::host_estraneo},
        {"GET", "/", "localhost", destinazione::host_estraneo},
        {"GET", "/", "attacker.example:8123", destinazione::host_estraneo},
        {"GET", "/events", "127.0.0.1.attacker.example:8123", destinazione::host_estraneo},
        {"GET", "/", "", destinazione::host_estraneo},
        // On port 80 a browser leaves the port out.
        {"GET", "/", "127.0.0.1", destinazione::pagina, 80},
        {"GET", "/events", "LOCALHOST", destinazione::flusso, 80},
        {"GET", "/", "127.0.0.1:80", destinazione::pagina, 80},
        {"GET", "/", "attacker.example", destinazione::host_estraneo, 80},
        {"GET", "/", "127.0.0.1:", destinazione::host_estraneo, 80},
        // The Host must be one, and there in HTTP/1.1; the first of two does not decide.
        {"GET", "/", std::nullopt, destinazione::host_mancante},
        {"GET", "/", "127.0.0.1:8123", destinazione::host_ripetuto, 8123, 11, true},
        {"GET", "/", "127.0.0.1:8123", destinazione::host_ripetuto, 8123, 10, true},
        {"GET", "/", "127.0.0.1:8123", destinazione::pagina, 8123, 10},
        {"GET", "/", "127.0.0.1:8123", destinazione::versione_non_ammessa, 8123, 20},
        {"PRI", "*", std::nullopt, destinazione::versione_non_ammessa, 8123, 20},
        {"GET", "/", "127.0.0.1:8123", destinazione::versione_non_ammessa, 8123, 9},
        // A GET with a body; another method with a body is refused for its method.
        {"GET", "/", "127.0.0.1:8123", destinazione::corpo_non_ammesso, 8123, 11, false, true},
        {"GET", "/events", "127.0.0.1:8123", destinazione::corpo_non_ammesso, 8123, 11, false, true},
        {"POST", "/", "127.0.0.1:8123", destinazione::metodo_non_ammesso, 8123, 11, false, true},
        {"GET", "/x", "127.0.0.1:8123", destinazione::non_trovata, 8123, 11, false, true},
        // The longest path, and one byte more.
        {"GET", lungo, "127.0.0.1:8123", destinazione::non_trovata},
        {"GET", lungo + "a", "127.0.0.1:8123", destinazione::percorso_troppo_lungo},
        {"GET", "/?" + lungo, "127.0.0.1:8123", destinazione::percorso_troppo_lungo},
    };
    for (const caso& c : casi) {
        richiesta_http r{c.metodo, c.percorso, c.host};
        r.versione = c.versione;
        r.host_ripetuto = c.host_ripetuto;
        r.con_corpo = c.con_corpo;
        EXPECT_EQ(instrada(r, c.porta), c.attesa)
            << c.metodo << " " << c.percorso.substr(0, 40) << " HTTP/" << c.versione << " Host: "
            << c.host.value_or("(none)") << " port " << c.porta << (c.host_ripetuto ? " (two)" : "")
            << (c.con_corpo ? " with a body" : "");
    }
}

TEST(Servizio, IRifiutiDiconoPerche) {
    const risposta_http n = rifiuto(destinazione::non_trovata);
    const risposta_http m = rifiuto(destinazione::metodo_non_ammesso);
    const risposta_http h = rifiuto(destinazione::host_estraneo);
    EXPECT_EQ(n.stato, 404);
    EXPECT_EQ(m.stato, 405);
    EXPECT_EQ(h.stato, 400);
    EXPECT_EQ(rifiuto(destinazione::percorso_troppo_lungo).stato, 414);
    EXPECT_EQ(rifiuto(destinazione::intestazioni_troppo_lunghe).stato, 431);
    EXPECT_EQ(m.intestazioni, (std::vector<std::pair<std::string, std::string>>{{"Allow", "GET"}}));
    EXPECT_TRUE(n.intestazioni.empty());
    std::set<std::string> testi;
    for (const destinazione d :
         {destinazione::non_trovata, destinazione::metodo_non_ammesso, destinazione::host_estraneo,
          destinazione::host_mancante, destinazione::host_ripetuto, destinazione::corpo_non_ammesso,
          destinazione::versione_non_ammessa, destinazione::richiesta_malformata, destinazione::percorso_troppo_lungo,
          destinazione::intestazioni_troppo_lunghe}) {
        const risposta_http r = rifiuto(d);
        EXPECT_GE(r.stato, 400);
        EXPECT_EQ(r.tipo, "text/plain; charset=utf-8");
        EXPECT_FALSE(r.corpo.empty());
        EXPECT_FALSE(r.flusso);
        // Each says its own reason.
        EXPECT_TRUE(testi.insert(r.corpo).second) << r.corpo;
    }
}

// --- the frames of the stream ----------------------------------------------------

TEST(Servizio, UnEventoPerRiga) {
    struct caso {
        const char* nome;
        const char* dati;
        const char* atteso;
    };
    const caso casi[] = {
        {"vista", "{\"build\":1}", "event: vista\ndata: {\"build\":1}\n\n"},
        {"", "x", "data: x\n\n"},
        {"vista", "", "event: vista\ndata: \n\n"},
        {"", "a\nb", "data: a\ndata: b\n\n"},
        {"", "a\r\nb\rc", "data: a\ndata: b\ndata: c\n\n"},
        {"", "a\n", "data: a\ndata: \n\n"},
        {"", "\n\n", "data: \ndata: \ndata: \n\n"},
        // A line end in a name would start a field of its own: the name stops there.
        {"vista\ndata: falso", "x", "event: vista\ndata: x\n\n"},
    };
    for (const caso& c : casi) EXPECT_EQ(evento_sse(c.nome, c.dati), c.atteso) << c.nome << " / " << c.dati;
    EXPECT_EQ(attesa_sse(1000), "retry: 1000\n\n");
    EXPECT_EQ(commento_sse(""), ": \n\n");
    EXPECT_EQ(commento_sse("a\nb"), ": a\n: b\n\n");
}

// --- the watch --------------------------------------------------------------------

TEST(Servizio, UnaModificaSiCostruisceQuandoEFerma) {
    constexpr auto regolare = std::filesystem::file_type::regular;
    const impronta_file a{regolare, 100, 1};
    const impronta_file a2{regolare, 100, 2};  // the same size, a later change
    const impronta_file b{regolare, 120, 3};
    const impronta_file c{regolare, 130, 4};
    const impronta_file assente{};
    struct passo {
        std::vector<impronta_file> adesso;
        std::vector<std::size_t> attesi;
    };
    // From a build of {a, a}.
    const passo passi[] = {
        {{a, a}, {}},                 // nothing changed
        {{a, b}, {}},                 // the train file changed: wait for it to stand still
        {{a, c}, {}},                 // still being written
        {{a, c}, {1}},                // still: build
        {{a, c}, {}},                 // built already
        {{a2, c}, {}},                //
        {{a2, c}, {0}},               // a change of time alone is a save
        {{assente, c}, {}},           // a file taken away (an editor's save by rename)
        {{a2, c}, {}},                // back as it was built: nothing to build
        {{a2, c}, {}},                //
        {{b, b}, {}},                 // both at once
        {{b, b}, {0, 1}},             //
        {{assente, b}, {}},           //
        {{assente, b}, {0}},          // gone for good: a build that says so
    };
    sorveglianza s = sorveglia({a, a});
    for (std::size_t n = 0; n < std::size(passi); ++n) {
        EXPECT_EQ(da_ricostruire(s, passi[n].adesso), passi[n].attesi) << "step " << n + 1;
    }
}

TEST(Servizio, LImprontaDiUnFileSulDisco) {
    cartella_temporanea t;
    const std::string f = t.file("日本 路線_linea.txt");
    EXPECT_FALSE(impronta_di(f).esiste());
    EXPECT_FALSE(impronta_di(t.str() + "/no/such/file").esiste());
    scrivi_tutto(f, "abc");
    const impronta_file prima = impronta_di(f);
    EXPECT_TRUE(prima.esiste());
    EXPECT_EQ(prima.dimensione, 3u);
    scrivi_tutto(f, "abcd");
    EXPECT_EQ(impronta_di(f).dimensione, 4u);
    // The same size, written later: the time tells.
    std::filesystem::last_write_time(f, std::filesystem::last_write_time(f) + std::chrono::seconds(5));
    const impronta_file dopo = impronta_di(f);
    EXPECT_EQ(dopo.dimensione, 4u);
    EXPECT_NE(dopo.modifica, prima.modifica);
    std::filesystem::remove(f);
    EXPECT_EQ(impronta_di(f), impronta_file{});
}

// A file that changes kind is built again, and the build tells the new
// reason: a pipe taken away, a directory in place of a file.
TEST(Servizio, UnCambioDiGenereSiCostruisceDiNuovo) {
    sorgenti_prova s;
    const std::string treno = s.cartella.file(nome_treno);
    const auto impronte = [&] { return std::vector<impronta_file>{impronta_di(s.r.file[0]), impronta_di(treno)}; };
    sorveglianza g = sorveglia(impronte());
    // The change is seen, and built once it stands still.
    const auto guarda = [&] {
        EXPECT_EQ(da_ricostruire(g, impronte()), std::vector<std::size_t>{});
        return da_ricostruire(g, impronte());
    };
    struct passo {
        const char* cosa;
        std::function<void()> cambia;
        std::filesystem::file_type tipo;
        const char* ragione;  // in the build's failure
    };
    const passo passi[] = {
        {"a pipe", [&] { std::filesystem::remove(treno); ASSERT_EQ(mkfifo(treno.c_str(), 0600), 0); },
         std::filesystem::file_type::fifo, "not a regular file"},
        {"taken away", [&] { std::filesystem::remove(treno); }, std::filesystem::file_type::not_found, "no such file"},
        {"a directory", [&] { std::filesystem::create_directory(treno); }, std::filesystem::file_type::directory,
         "it is a directory, not a file"},
        {"a pipe again", [&] { std::filesystem::remove(treno); ASSERT_EQ(mkfifo(treno.c_str(), 0600), 0); },
         std::filesystem::file_type::fifo, "not a regular file"},
        {"a directory again", [&] { std::filesystem::remove(treno); std::filesystem::create_directory(treno); },
         std::filesystem::file_type::directory, "it is a directory, not a file"},
        {"a file again", [&] { std::filesystem::remove(treno); scrivi_tutto(treno, treno_incorporato); },
         std::filesystem::file_type::regular, ""},
    };
    // What the page's bar shows of a build: why it made no scenario, and the diagnostics.
    stato_servizio st;
    const auto barra = [&](const esito_ricostruzione& e) {
        accogli(st, e, s.r.file[0], treno);
        const nlohmann::json j = nlohmann::json::parse(st.dati_evento);
        return j["failure"].dump() + j["diagnostics"].dump();
    };
    std::string prima = barra(ricostruisci(s.r));
    for (const passo& p : passi) {
        p.cambia();
        EXPECT_EQ(impronta_di(treno).tipo, p.tipo) << p.cosa;
        EXPECT_EQ(guarda(), std::vector<std::size_t>{1}) << p.cosa;
        const std::string ora = barra(ricostruisci(s.r));
        EXPECT_NE(ora.find(p.ragione), std::string::npos) << p.cosa << ": " << ora;
        EXPECT_NE(ora, prima) << p.cosa;
        prima = ora;
    }
}

// --- one build -------------------------------------------------------------------

TEST(Servizio, LaPaginaEQuellaCheViewScrive) {
    sorgenti_prova s;
    const esito_ricostruzione e = ricostruisci(s.r);
    ASSERT_TRUE(e.pagina);
    EXPECT_FALSE(e.illeggibile);
    EXPECT_TRUE(e.fatale.empty());
    EXPECT_GE(e.millisecondi, 0);
    // Two warnings of the embedded scenario, no error.
    ASSERT_EQ(e.diagnostiche.size(), 2u);
    for (const diagnostica& d : e.diagnostiche) EXPECT_EQ(d.livello, gravita::avviso);

    richiesta_vista scritta = s.r;
    scritta.pagina = s.cartella.file("vista.html");
    std::ostringstream uscita, errori;
    ASSERT_EQ(esegui_vista(scritta, uscita, errori), 0) << errori.str();
    EXPECT_EQ(*e.pagina, leggi_tutto(scritta.pagina));
}

TEST(Servizio, UnaCostruzioneSenzaScenarioDiceGliErrori) {
    sorgenti_prova s(linea_senza_scenario);
    const esito_ricostruzione e = ricostruisci(s.r);
    EXPECT_FALSE(e.pagina);
    EXPECT_FALSE(e.illeggibile);
    EXPECT_NE(e.fatale.find("Errore n. 1250"), std::string::npos) << e.fatale;
    ASSERT_FALSE(e.diagnostiche.empty());
    EXPECT_EQ(e.diagnostiche[0].livello, gravita::errore);
    EXPECT_EQ(e.diagnostiche[0].dove.riga, 27);

    // A file that cannot be read (a missing one is a status of the build).
    std::filesystem::remove(s.cartella.file(nome_treno));
    std::filesystem::create_directory(s.cartella.file(nome_treno));
    const esito_ricostruzione x = ricostruisci(s.r);
    EXPECT_FALSE(x.pagina);
    EXPECT_TRUE(x.illeggibile);
    EXPECT_NE(x.fatale.find(nome_treno), std::string::npos) << x.fatale;
}

// --- what the server hands out ------------------------------------------------------

std::size_t quante(const std::string& testo, const std::string& pezzo) {
    std::size_t n = 0;
    for (std::size_t p = testo.find(pezzo); p != std::string::npos; p = testo.find(pezzo, p + 1)) ++n;
    return n;
}

TEST(Servizio, LoScriptSiAggiungePrimaDellaFineDelCorpo) {
    const std::string p = pagina_con_script("<html><body><p>x</p></body></html>\n", 7);
    EXPECT_EQ(p.rfind("<html><body><p>x</p><script id=\"vista-servizio\" data-costruzione=\"7\">", 0), 0u);
    EXPECT_TRUE(p.ends_with("</script>\n</body></html>\n")) << p;
    EXPECT_EQ(quante(p, "<script"), 1u);
    EXPECT_EQ(quante(p, "</script>"), 1u);
}

TEST(Servizio, UnaCostruzioneFallitaTieneLUltimaFigura) {
    stato_servizio s;
    sorgenti_prova buone;
    sorgenti_prova rotte(linea_senza_scenario);
    const esito_ricostruzione buona = ricostruisci(buone.r);
    const esito_ricostruzione rotta = ricostruisci(rotte.r);

    // Before any picture: a short page with the errors, for a browser without script too.
    accogli(s, rotta, "linea <1>.txt", "treno.txt");
    EXPECT_EQ(s.costruzione, 1u);
    EXPECT_EQ(s.figura, 0u);
    EXPECT_NE(s.pagina.find("No scenario yet"), std::string::npos);
    EXPECT_NE(s.pagina.find("linea &lt;1&gt;.txt"), std::string::npos);
    EXPECT_NE(s.pagina.find("Errore n. 1250"), std::string::npos);
    EXPECT_NE(s.pagina.find("data-costruzione=\"1\""), std::string::npos);
    nlohmann::json j = nlohmann::json::parse(s.dati_evento);
    EXPECT_EQ(j["build"], 1);
    EXPECT_EQ(j["picture"], 0);
    EXPECT_EQ(j["current"], false);
    EXPECT_NE(j["failure"].get<std::string>().find("1250"), std::string::npos);
    EXPECT_EQ(j["diagnostics"][0]["severity"], "error");

    accogli(s, buona, "l", "t");
    EXPECT_EQ(s.figura, 2u);
    const std::string figura = s.pagina;
    EXPECT_EQ(figura, pagina_con_script(*buona.pagina, 2));
    j = nlohmann::json::parse(s.dati_evento);
    EXPECT_EQ(j["current"], true);
    EXPECT_EQ(j["picture"], 2);
    EXPECT_TRUE(j["failure"].is_null());
    EXPECT_EQ(j["summary"], "no error, 2 warnings");
    EXPECT_EQ(j["diagnostics"].size(), 2u);

    // A failed build: the same page; the event says it is stale and why.
    accogli(s, rotta, "l", "t");
    EXPECT_EQ(s.costruzione, 3u);
    EXPECT_EQ(s.figura, 2u);
    EXPECT_EQ(s.pagina, figura);
    j = nlohmann::json::parse(s.dati_evento);
    EXPECT_EQ(j["build"], 3);
    EXPECT_EQ(j["picture"], 2);
    EXPECT_EQ(j["current"], false);
    EXPECT_NE(j["diagnostics"][0]["text"].get<std::string>().find("cartello_indicatore,  0,"), std::string::npos);
}

TEST(Servizio, UnTestoNonUtf8NonFermaLEvento) {
    stato_servizio s;
    esito_ricostruzione e;
    e.fatale = "cannot read \xff\xfe.txt";
    accogli(s, e, "\xff.txt", "t.txt");
    const nlohmann::json j = nlohmann::json::parse(s.dati_evento);
    EXPECT_EQ(j["failure"], "cannot read \xEF\xBF\xBD\xEF\xBF\xBD.txt");
}

// --- the whole server, on a socket ------------------------------------------------

TEST(Servizio, IlServerServeLaPaginaEGliEventi) {
    sorgenti_prova s;
    std::atomic<bool> ferma{false};
    std::promise<std::uint16_t> porta_promessa;
    controllo_servizio c;
    c.fermati = [&] { return ferma.load(); };
    c.in_ascolto = [&](std::uint16_t p) { porta_promessa.set_value(p); };
    std::ostringstream uscita, errori;
    std::future<int> stato =
        std::async(std::launch::async, [&] { return esegui_servizio(s.r, uscita, errori, c); });
    std::future<std::uint16_t> porta_futura = porta_promessa.get_future();
    ASSERT_EQ(porta_futura.wait_for(std::chrono::seconds(30)), std::future_status::ready) << errori.str();
    const std::uint16_t porta = porta_futura.get();

    const std::string pagina = get(porta, "/");
    EXPECT_EQ(pagina.rfind("HTTP/1.1 200 OK\r\n", 0), 0u) << pagina.substr(0, 200);
    EXPECT_NE(pagina.find("Content-Type: text/html; charset=utf-8\r\n"), std::string::npos);
    EXPECT_NE(pagina.find("Cache-Control: no-store\r\n"), std::string::npos);
    EXPECT_NE(pagina.find(std::string("Content-Security-Policy: ") + politica_contenuti + "\r\n"), std::string::npos);
    EXPECT_EQ(corpo(pagina), pagina_con_script(*ricostruisci(s.r).pagina, 1));

    EXPECT_EQ(get(porta, "/x").rfind("HTTP/1.1 404 ", 0), 0u);
    EXPECT_EQ(get(porta, "/", "attacker.example:" + std::to_string(porta)).rfind("HTTP/1.1 400 ", 0), 0u);
    const std::string post = chiedi(porta, "POST / HTTP/1.1\r\nHost: 127.0.0.1:" + std::to_string(porta) +
                                               "\r\nContent-Length: 3\r\nConnection: close\r\n\r\nabc");
    EXPECT_EQ(post.rfind("HTTP/1.1 405 ", 0), 0u) << post;
    EXPECT_NE(post.find("Allow: GET\r\n"), std::string::npos);
    // Not HTTP at all: the connection is closed, the server goes on.
    chiedi(porta, "\x01\x02 nonsense\r\n\r\n");

    // The stream: its first event is the last build; a saved change sends the next.
    std::promise<std::string> flusso_promesso;
    std::promise<void> primo_evento;
    std::thread lettore([&] {
        bool primo = false;
        const auto basta = [&](const std::string& r) {
            if (!primo && r.find("\"build\":1") != std::string::npos) {
                primo = true;
                primo_evento.set_value();
            }
            return r.find("\"build\":2") != std::string::npos;
        };
        flusso_promesso.set_value(
            chiedi(porta, "GET /events HTTP/1.1\r\nHost: localhost:" + std::to_string(porta) + "\r\n\r\n", basta));
    });
    ASSERT_EQ(primo_evento.get_future().wait_for(std::chrono::seconds(10)), std::future_status::ready);
    scrivi_tutto(s.cartella.file(nome_treno), treno_con_stazione);
    std::future<std::string> flusso_futuro = flusso_promesso.get_future();
    ASSERT_EQ(flusso_futuro.wait_for(std::chrono::seconds(10)), std::future_status::ready);
    lettore.join();
    const std::string flusso = flusso_futuro.get();
    EXPECT_EQ(flusso.rfind("HTTP/1.1 200 OK\r\nContent-Type: text/event-stream\r\n", 0), 0u) << flusso.substr(0, 300);
    const std::string eventi = corpo(flusso);
    EXPECT_EQ(eventi.rfind("retry: 1000\n\nevent: vista\ndata: {\"build\":1,", 0), 0u) << eventi.substr(0, 200);
    EXPECT_NE(eventi.find("\n\nevent: vista\ndata: {\"build\":2,"), std::string::npos);
    EXPECT_NE(corpo(get(porta, "/")).find("VALLE NUOVA"), std::string::npos);

    ferma = true;
    ASSERT_EQ(stato.wait_for(std::chrono::seconds(10)), std::future_status::ready);
    EXPECT_EQ(stato.get(), 0);
    EXPECT_EQ(errori.str(), "");
    const std::string u = uscita.str();
    EXPECT_EQ(u.rfind("serving http://127.0.0.1:" + std::to_string(porta) + "/ (", 0), 0u) << u;
    EXPECT_NE(u.find("built at the start in "), std::string::npos) << u;
    EXPECT_NE(u.find("built after a change to " + s.cartella.file(nome_treno) + " in "), std::string::npos) << u;
    EXPECT_TRUE(u.ends_with("\nstopped; the server is closed\n")) << u;
    // The port is given back.
    EXPECT_EQ(get(porta, "/"), "");
}

// --- scenario-tool view --serve ---------------------------------------------------

TEST(Servizio, GliErroriDUso) {
    sorgenti_prova s;
    const std::string& d = s.cartella.str();
    std::filesystem::create_directory(s.cartella.file("Cartella_1-.txt"));
    struct caso {
        std::vector<std::string> argomenti;
        int stato;
        const char* parole;
    };
    const caso casi[] = {
        {{"view", "--serve", nome_linea, nome_treno, "-o", "p.html"}, 2, "leave out -o"},
        {{"view", nome_linea, nome_treno, "-o", "p.html", "--port", "8000"}, 2, "--port goes with --serve"},
        {{"view", "--serve", "a.dat", "b.sim", "c.dat"}, 2, "takes the two text sources"},
        {{"view", "--serve", nome_linea}, 2, "At least 2 required"},
        {{"view", "--serve", nome_linea, nome_treno, "x.txt"}, 2, "takes the two text sources"},
        {{"view", "--serve", "--port", "70000", nome_linea, nome_treno}, 2, "--port takes a port"},
        {{"view", "--serve", nome_linea, "Cartella_1-.txt"}, 3, "not serving: read the train file"},
        {{"view", nome_linea, nome_treno}, 2, "view needs the page to write: -o PAGE.html"},
    };
    for (const caso& c : casi) {
        const esecuzione e = esegui_programma(PERCORSO_SCENARIO_TOOL, d, c.argomenti);
        EXPECT_EQ(e.stato, c.stato) << c.parole << "\n" << e.errori;
        EXPECT_NE(e.errori.find(c.parole), std::string::npos) << e.errori;
    }
}

// The port in use: status 3 with the system's words, at once.
TEST(Servizio, UnaPortaOccupata) {
    const int occupante = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(bind(occupante, reinterpret_cast<const sockaddr*>(&a), sizeof a), 0);
    ASSERT_EQ(listen(occupante, 1), 0);
    socklen_t n = sizeof a;
    getsockname(occupante, reinterpret_cast<sockaddr*>(&a), &n);
    const std::string porta = std::to_string(ntohs(a.sin_port));
    sorgenti_prova s;
    const esecuzione e = esegui_programma(PERCORSO_SCENARIO_TOOL, s.cartella.str(),
                                          {"view", "--serve", "--port", porta, nome_linea, nome_treno});
    close(occupante);
    EXPECT_EQ(e.stato, 3);
    EXPECT_NE(e.errori.find("scenario-tool: not serving: cannot listen on 127.0.0.1:" + porta + ": "),
              std::string::npos)
        << e.errori;
    EXPECT_EQ(e.uscita, "");
}

// Ctrl-C: the server says it stopped and ends with status 0.
TEST(Servizio, CtrlCLoFermaPulito) {
    sorgenti_prova s;
    int tubo[2];
    ASSERT_EQ(pipe(tubo), 0);
    const pid_t figlio = fork();
    if (figlio == 0) {
        dup2(tubo[1], 1);
        close(tubo[0]);
        if (chdir(s.cartella.str().c_str()) != 0) _exit(126);
        execl(PERCORSO_SCENARIO_TOOL, "scenario-tool", "view", "--serve", nome_linea.c_str(), nome_treno.c_str(),
              static_cast<char*>(nullptr));
        _exit(127);
    }
    close(tubo[1]);
    std::string uscita;
    char b[512];
    ssize_t letti = 0;
    while (uscita.find("built at the start") == std::string::npos && (letti = read(tubo[0], b, sizeof b)) > 0) {
        uscita.append(b, static_cast<std::size_t>(letti));
    }
    ASSERT_NE(uscita.find("serving http://127.0.0.1:"), std::string::npos) << uscita;
    const std::uint16_t porta =
        static_cast<std::uint16_t>(std::stoi(uscita.substr(uscita.find("127.0.0.1:") + 10)));
    EXPECT_EQ(get(porta, "/x").rfind("HTTP/1.1 404 ", 0), 0u);
    kill(figlio, SIGINT);
    while ((letti = read(tubo[0], b, sizeof b)) > 0) uscita.append(b, static_cast<std::size_t>(letti));
    close(tubo[0]);
    int stato = 0;
    ASSERT_EQ(waitpid(figlio, &stato, 0), figlio);
    ASSERT_TRUE(WIFEXITED(stato)) << "ended by signal " << WTERMSIG(stato);
    EXPECT_EQ(WEXITSTATUS(stato), 0);
    EXPECT_TRUE(uscita.ends_with("\nstopped; the server is closed\n")) << uscita;
    EXPECT_EQ(get(porta, "/"), "");
}

}  // namespace

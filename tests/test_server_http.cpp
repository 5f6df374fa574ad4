// The web server of view --serve on a real socket, under clients that hold
// it: readers that never read, more streams and more connections than it
// keeps, requests that arrive slowly or never whole, and requests it must
// refuse with a status. The server runs with a handler of the test's own,
// which hands out events of a chosen size and watches the server's own
// accounting at every tick.
#include <gtest/gtest.h>

#include <condition_variable>
#include <future>
#include <memory>
#include <mutex>
#include <vector>

#include "cliente_http.h"
#include "tools/servizio/eventi_sse.h"
#include "tools/servizio/server_http.h"

namespace {

// What the test knows of the server at its last tick.
struct resoconto {
    misura_server misura;
    std::size_t massimo_in_coda = 0;     // the most bytes the streams held at one tick
    std::size_t trattenuti = 0;          // the bytes of the events handed out that are still held
    std::size_t massimo_trattenuti = 0;  // the most of them at one tick
    int mandati = 0;                     // events handed out
};

const char* const pagina_prova = "<!DOCTYPE html>\n<p>page</p>\n";

class server_prova {
public:
    explicit server_prova(const limiti_server& limiti = {}) : server(apri_server(0)), porta(porta_server(*server)) {
        g.rispondi = [this](const richiesta_http& q) { return rispondi(q); };
        g.battito = [this] { return battito(); };
        g.fermati = [this] { return ferma.load(); };
        g.misura = [this](const misura_server& x) { registra(x); };
        fine = std::async(std::launch::async, [this, limiti] { servi(*server, g, std::chrono::milliseconds(5), limiti); });
    }
    ~server_prova() {
        ferma = true;
        fine.wait();
    }
    server_prova(const server_prova&) = delete;
    server_prova& operator=(const server_prova&) = delete;

    // From the next tick on, one event of `byte` bytes at each tick, `n` in all.
    void manda(int n, std::size_t byte) {
        const std::lock_guard<std::mutex> l(guardia);
        da_mandare = n;
        dimensione = byte;
    }

    // Waits up to 30 s for the accounting to satisfy `c`.
    bool attendi(const std::function<bool(const resoconto&)>& c) {
        std::unique_lock<std::mutex> l(guardia);
        return cambiato.wait_for(l, std::chrono::seconds(30), [&] { return c(visto); });
    }

    resoconto ultimo() {
        const std::lock_guard<std::mutex> l(guardia);
        return visto;
    }

    std::string richiesta_flusso() const {
        return "GET /events HTTP/1.1\r\nHost: 127.0.0.1:" + std::to_string(porta) + "\r\n\r\n";
    }

private:
    risposta_http rispondi(const richiesta_http& q) {
        const destinazione d = instrada(q, porta);
        risposta_http a;
        if (d == destinazione::pagina) {
            a.tipo = "text/html; charset=utf-8";
            a.corpo = pagina_prova;
        } else if (d == destinazione::flusso) {
            const std::lock_guard<std::mutex> l(guardia);
            a.flusso = true;
            a.corpo = attesa_sse(1000);
            a.evento = ultimo_evento;
        } else {
            a = rifiuto(d);
        }
        return a;
    }

    std::shared_ptr<const std::string> battito() {
        const std::lock_guard<std::mutex> l(guardia);
        if (da_mandare == 0) return nullptr;
        --da_mandare;
        ++visto.mandati;
        ultimo_evento = std::make_shared<const std::string>(evento_sse("vista", std::string(dimensione, 'x')));
        dati.push_back(ultimo_evento);
        return ultimo_evento;
    }

    void registra(const misura_server& x) {
        const std::lock_guard<std::mutex> l(guardia);
        visto.misura = x;
        visto.massimo_in_coda = std::max(visto.massimo_in_coda, x.byte_in_coda);
        std::erase_if(dati, [](const std::weak_ptr<const std::string>& e) { return e.expired(); });
        visto.trattenuti = 0;
        for (const auto& e : dati) {
            if (const auto t = e.lock()) visto.trattenuti += t->size();
        }
        visto.massimo_trattenuti = std::max(visto.massimo_trattenuti, visto.trattenuti);
        cambiato.notify_all();
    }

    server_aperto server;

public:
    const std::uint16_t porta;

private:
    gestore_http g;
    std::atomic<bool> ferma{false};
    std::mutex guardia;
    std::condition_variable cambiato;
    resoconto visto;
    int da_mandare = 0;
    std::size_t dimensione = 0;
    std::shared_ptr<const std::string> ultimo_evento;
    std::vector<std::weak_ptr<const std::string>> dati;
    std::future<void> fine;
};

// Readers that never read: a page whose tab sleeps, a probe that holds the
// connection. The receive buffer is small, so the events pile up at the server.
std::vector<std::unique_ptr<connessione_prova>> lettori_fermi(const server_prova& s, int quanti) {
    std::vector<std::unique_ptr<connessione_prova>> v;
    for (int i = 0; i < quanti; ++i) {
        v.push_back(std::make_unique<connessione_prova>(s.porta, 4096));
        EXPECT_TRUE(v.back()->invia(s.richiesta_flusso()));
    }
    return v;
}

// --- readers that do not read ------------------------------------------------------

// 10 streams that never read, 60 builds of 2 MB events: every stream shares
// one copy of each event, holds at most its cap, and is let go; the events
// are let go with it.
TEST(ServerHttp, ILettoriFermiNonTrattengonoGliEventi) {
    const limiti_server limiti;
    const std::size_t evento = std::size_t{2} << 20;
    server_prova s(limiti);
    const auto lettori = lettori_fermi(s, 10);
    ASSERT_TRUE(s.attendi([](const resoconto& r) { return r.misura.flussi == 10; }));
    s.manda(60, evento);
    const bool finito = s.attendi([&](const resoconto& r) {
        return r.mandati == 60 && r.misura.flussi == 0 && r.trattenuti <= evento + 64;
    });
    const resoconto r = s.ultimo();
    ASSERT_TRUE(finito) << r.mandati << " events, " << r.misura.flussi << " streams, " << r.trattenuti
                        << " bytes of events held";
    EXPECT_EQ(r.misura.flussi_lasciati, 10u);
    EXPECT_EQ(r.misura.byte_in_coda, 0u);
    // Each stream: the piece being written and its cap beside it; the events
    // themselves once, whatever the number of streams, and the last one,
    // which a new stream takes first.
    EXPECT_LE(r.massimo_in_coda, 10 * (limiti.byte_in_coda_massimi + 2 * (evento + 64)));
    EXPECT_LE(r.massimo_trattenuti, limiti.byte_in_coda_massimi + 3 * (evento + 64));
    for (const auto& c : lettori) EXPECT_TRUE(c->chiusa_dal_server());
}

// A stream whose page leaves one piece unread past the wait is let go, though
// the piece is within its cap.
TEST(ServerHttp, UnLettoreFermoELasciatoDopoLAttesa) {
    limiti_server limiti;
    limiti.attesa_lettura = std::chrono::milliseconds(300);
    server_prova s(limiti);
    const auto lettori = lettori_fermi(s, 1);
    ASSERT_TRUE(s.attendi([](const resoconto& r) { return r.misura.flussi == 1; }));
    // More than the system's buffers of both ends take.
    s.manda(1, std::size_t{32} << 20);
    EXPECT_TRUE(s.attendi([](const resoconto& r) { return r.misura.flussi_lasciati == 1 && r.misura.flussi == 0; }));
    EXPECT_TRUE(lettori[0]->chiusa_dal_server());
}

// --- more clients than the server keeps ------------------------------------------------

// 70 held streams and 70 requests that never end: the streams keep a limit
// of their own, the oldest making room for the newest, and a request for the
// page takes the place of the oldest that never ended.
TEST(ServerHttp, LaPaginaSiServeSempre) {
    const limiti_server limiti;
    server_prova s(limiti);
    const std::string pagina_intera = "HTTP/1.1 200 OK\r\n";
    std::vector<std::unique_ptr<connessione_prova>> flussi;
    for (int i = 0; i < 70; ++i) {
        flussi.push_back(std::make_unique<connessione_prova>(s.porta));
        ASSERT_TRUE(flussi.back()->invia(s.richiesta_flusso()));
        const std::string testa = flussi.back()->leggi([](const std::string& t) { return t.ends_with("retry: 1000\n\n"); });
        ASSERT_TRUE(testa.ends_with("retry: 1000\n\n")) << "stream " << i << ": " << testa;
    }
    ASSERT_TRUE(s.attendi([&](const resoconto& r) { return r.misura.flussi == limiti.flussi_massimi; }));
    for (std::size_t i = 0; i < 70 - limiti.flussi_massimi; ++i) EXPECT_TRUE(flussi[i]->chiusa_dal_server()) << i;
    EXPECT_EQ(get(s.porta, "/").rfind(pagina_intera, 0), 0u);

    const std::string mezza = "GET / HTTP/1.1\r\nHost: 127.0.0.1:" + std::to_string(s.porta) + "\r\n";
    std::vector<std::unique_ptr<connessione_prova>> lente;
    for (int i = 0; i < 70; ++i) {
        lente.push_back(std::make_unique<connessione_prova>(s.porta));
        ASSERT_TRUE(lente.back()->invia(mezza));
    }
    ASSERT_TRUE(s.attendi([&](const resoconto& r) { return r.misura.connessioni == limiti.connessioni_massime; }));
    const std::string pagina = get(s.porta, "/");
    EXPECT_EQ(pagina.rfind(pagina_intera, 0), 0u) << pagina;
    EXPECT_EQ(corpo(pagina), pagina_prova);
    EXPECT_TRUE(lente[0]->chiusa_dal_server());
    EXPECT_EQ(s.ultimo().misura.flussi, limiti.flussi_massimi);
}

// A request that never ends, and a connection kept open after its answer,
// are closed once they have kept quiet for the wait.
TEST(ServerHttp, LeConnessioniQuieteSiChiudono) {
    limiti_server limiti;
    limiti.attesa_richiesta = std::chrono::milliseconds(200);
    server_prova s(limiti);
    const std::string host = "Host: 127.0.0.1:" + std::to_string(s.porta) + "\r\n";
    connessione_prova lenta(s.porta);
    ASSERT_TRUE(lenta.invia("GET / HTTP/1.1\r\n" + host));
    connessione_prova quieta(s.porta);
    ASSERT_TRUE(quieta.invia("GET / HTTP/1.1\r\n" + host + "\r\n"));
    const std::string a = quieta.leggi([](const std::string& t) { return t.ends_with(pagina_prova); });
    EXPECT_EQ(a.rfind("HTTP/1.1 200 OK\r\n", 0), 0u) << a;
    EXPECT_TRUE(lenta.chiusa_dal_server());
    EXPECT_TRUE(quieta.chiusa_dal_server());
}

// --- requests refused with a status -----------------------------------------------------

TEST(ServerHttp, OgniRichiestaSbagliataHaLaSuaRisposta) {
    server_prova s;
    const std::string p = std::to_string(s.porta);
    const std::string host = "Host: 127.0.0.1:" + p + "\r\n";
    struct caso {
        const char* cosa;
        std::string richiesta;
        const char* attesa;  // the start of the answer
    };
    const caso casi[] = {
        {"HTTP/1.0 without a Host", "GET / HTTP/1.0\r\n\r\n", "HTTP/1.0 200 OK\r\n"},
        {"HTTP/1.1 without a Host", "GET / HTTP/1.1\r\n\r\n", "HTTP/1.1 400 "},
        {"two Host headers", "GET / HTTP/1.1\r\n" + host + "Host: attacker.example\r\n\r\n", "HTTP/1.1 400 "},
        {"two Host headers, the same", "GET / HTTP/1.1\r\n" + host + host + "\r\n", "HTTP/1.1 400 "},
        {"a Host without its port", "GET / HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n", "HTTP/1.1 400 "},
        {"a path too long", "GET /" + std::string(3000, 'a') + " HTTP/1.1\r\n" + host + "\r\n", "HTTP/1.1 414 "},
        {"a request line over the header's limit", "GET /" + std::string(10000, 'a') + " HTTP/1.1\r\n" + host + "\r\n",
         "HTTP/1.1 414 "},
        {"a header field too long", "GET / HTTP/1.1\r\n" + host + "X-Long: " + std::string(10000, 'a') + "\r\n\r\n",
         "HTTP/1.1 431 "},
        {"a GET with a body", "GET / HTTP/1.1\r\n" + host + "Content-Length: 5\r\n\r\nhello", "HTTP/1.1 400 "},
        {"a GET with a body not sent", "GET /events HTTP/1.1\r\n" + host + "Content-Length: 100000\r\n\r\n",
         "HTTP/1.1 400 "},
        {"a GET with chunks", "GET / HTTP/1.1\r\n" + host + "Transfer-Encoding: chunked\r\n\r\n5\r\nhello\r\n0\r\n\r\n",
         "HTTP/1.1 400 "},
        {"a POST with a body", "POST / HTTP/1.1\r\n" + host + "Content-Length: 3\r\n\r\nabc", "HTTP/1.1 405 "},
        {"an HTTP/2 preface", "PRI * HTTP/2.0\r\n\r\nSM\r\n\r\n", "HTTP/1.1 400 "},
        {"not HTTP", "\x01\x02 nonsense\r\n\r\n", "HTTP/1.1 400 "},
        {"a version unknown", "GET / HTTP/1.7\r\n" + host + "\r\n", "HTTP/1.1 400 "},
    };
    for (const caso& c : casi) {
        // Read to the end: every refusal closes the connection after its answer.
        const std::string a = chiedi(s.porta, c.richiesta);
        EXPECT_EQ(a.rfind(c.attesa, 0), 0u) << c.cosa << ": " << a.substr(0, 200);
        EXPECT_NE(a.find(std::string("\r\nContent-Security-Policy: ") + politica_contenuti + "\r\n"),
                  std::string::npos)
            << c.cosa;
    }
    // The server goes on.
    EXPECT_EQ(get(s.porta, "/").rfind("HTTP/1.1 200 OK\r\n", 0), 0u);
}

}  // namespace

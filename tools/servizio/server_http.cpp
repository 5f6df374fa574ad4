#include "tools/servizio/server_http.h"

#include <array>
#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/steady_timer.hpp>
#include <boost/asio/write.hpp>
#include <boost/beast/core/flat_buffer.hpp>
#include <boost/beast/core/tcp_stream.hpp>
#include <boost/beast/http.hpp>
#include <deque>
#include <optional>
#include <vector>

#include "tools/servizio/eventi_sse.h"

namespace asio = boost::asio;
namespace beast = boost::beast;
namespace http = beast::http;
using tcp = asio::ip::tcp;
using boost::system::error_code;

namespace {

// Connections open at once, streams included; one more is closed at once.
constexpr std::size_t connessioni_massime = 64;
// Events a stream may hold unsent; a page that reads none is let go.
constexpr std::size_t eventi_in_attesa_massimi = 64;
// A request must arrive whole within this time of the connection or the
// answer before.
constexpr auto attesa_richiesta = std::chrono::seconds(30);
// A quiet stream gets a comment this often.
constexpr auto intervallo_commento = std::chrono::seconds(15);
// What a request may bring: its header and a body (which is not read).
constexpr std::uint32_t limite_intestazione = 8 * 1024;
constexpr std::uint64_t limite_corpo = 8 * 1024;

const char* const testa_flusso =
    "HTTP/1.1 200 OK\r\nContent-Type: text/event-stream\r\nCache-Control: no-store\r\n"
    "X-Content-Type-Options: nosniff\r\n\r\n";

// One open connection, counted while it lives.
struct gettone_connessione {
    std::size_t* conteggio = nullptr;

    explicit gettone_connessione(std::size_t& c) : conteggio(&c) { ++c; }
    gettone_connessione(gettone_connessione&& g) noexcept : conteggio(g.conteggio) { g.conteggio = nullptr; }
    gettone_connessione(const gettone_connessione&) = delete;
    gettone_connessione& operator=(const gettone_connessione&) = delete;
    gettone_connessione& operator=(gettone_connessione&&) = delete;
    ~gettone_connessione() {
        if (conteggio) --*conteggio;
    }
};

// An open stream of events: what is sent waits in a queue, written one piece
// after the other; what the page sends is read and thrown away, and its end
// closes the stream.
struct flusso_eventi : std::enable_shared_from_this<flusso_eventi> {
    beast::tcp_stream flusso;
    gettone_connessione gettone;
    std::deque<std::string> coda;
    std::array<char, 256> scarto{};
    bool chiuso = false;

    flusso_eventi(beast::tcp_stream f, gettone_connessione g) : flusso(std::move(f)), gettone(std::move(g)) {}

    void invia(std::string pezzo) {
        if (chiuso) return;
        if (coda.size() >= eventi_in_attesa_massimi) {
            chiudi();
            return;
        }
        coda.push_back(std::move(pezzo));
        if (coda.size() == 1) scrivi();
    }

    void scrivi() {
        asio::async_write(flusso, asio::buffer(coda.front()), [io = shared_from_this()](error_code e, std::size_t) {
            if (e) {
                io->chiudi();
                return;
            }
            io->coda.pop_front();
            if (!io->coda.empty() && !io->chiuso) io->scrivi();
        });
    }

    void ascolta() {
        flusso.async_read_some(asio::buffer(scarto), [io = shared_from_this()](error_code e, std::size_t) {
            if (e) {
                io->chiudi();
                return;
            }
            io->ascolta();
        });
    }

    void chiudi() {
        if (chiuso) return;
        chiuso = true;
        error_code e;
        flusso.socket().shutdown(tcp::socket::shutdown_both, e);
        flusso.close();
    }
};

}  // namespace

struct server_http {
    // Declared first, so that it outlives every connection the members after
    // it still hold when they go.
    std::size_t connessioni = 0;
    const gestore_http* gestore = nullptr;
    bool accetta_al_battito = false;
    std::chrono::steady_clock::time_point ultimo_commento;
    asio::io_context io{1};
    tcp::acceptor accettatore{io};
    asio::steady_timer orologio{io};
    std::vector<std::shared_ptr<flusso_eventi>> flussi;
};

namespace {

// One connection: requests read and answered one after the other, until the
// client closes it, a request asks for the stream, or it keeps quiet too long.
struct sessione : std::enable_shared_from_this<sessione> {
    server_http& server;
    beast::tcp_stream flusso;
    gettone_connessione gettone;
    beast::flat_buffer memoria;
    std::optional<http::request_parser<http::string_body>> lettore;
    http::response<http::string_body> risposta;

    sessione(server_http& s, tcp::socket socket)
        : server(s), flusso(std::move(socket)), gettone(s.connessioni) {}

    void leggi() {
        lettore.emplace();
        lettore->header_limit(limite_intestazione);
        lettore->body_limit(limite_corpo);
        flusso.expires_after(attesa_richiesta);
        http::async_read(flusso, memoria, *lettore,
                         [io = shared_from_this()](error_code e, std::size_t) { io->letta(e); });
    }

    void letta(error_code e) {
        if (e) {
            chiudi();
            return;
        }
        const http::request<http::string_body>& rq = lettore->get();
        richiesta_http r;
        r.metodo = std::string(rq.method_string());
        r.percorso = std::string(rq.target());
        const auto host = rq.find(http::field::host);
        if (host != rq.end()) r.host = std::string(host->value());
        risposta_http a = server.gestore->rispondi(r);
        if (a.flusso) {
            diventa_flusso(std::move(a.corpo));
            return;
        }
        risposta = {};
        risposta.version(rq.version());
        risposta.result(static_cast<unsigned>(a.stato));
        risposta.set(http::field::content_type, a.tipo);
        risposta.set(http::field::cache_control, "no-store");
        risposta.set("X-Content-Type-Options", "nosniff");
        for (const auto& [nome, valore] : a.intestazioni) risposta.set(nome, valore);
        risposta.body() = std::move(a.corpo);
        risposta.keep_alive(rq.keep_alive());
        risposta.prepare_payload();
        http::async_write(flusso, risposta, [io = shared_from_this()](error_code x, std::size_t) { io->scritta(x); });
    }

    void scritta(error_code e) {
        if (e || !risposta.keep_alive()) {
            chiudi();
            return;
        }
        leggi();
    }

    // The connection becomes a stream of events, which the server keeps.
    void diventa_flusso(std::string primi_eventi) {
        flusso.expires_never();
        auto f = std::make_shared<flusso_eventi>(std::move(flusso), std::move(gettone));
        f->invia(std::string(testa_flusso).append(primi_eventi));
        f->ascolta();
        server.flussi.push_back(std::move(f));
    }

    void chiudi() {
        error_code e;
        flusso.socket().shutdown(tcp::socket::shutdown_send, e);
        flusso.close();
    }
};

void accetta(server_http& s) {
    s.accettatore.async_accept([&s](error_code e, tcp::socket socket) {
        if (!s.accettatore.is_open()) return;
        if (e) {
            // Out of descriptors, say: try again at the next tick.
            s.accetta_al_battito = true;
            return;
        }
        if (s.connessioni >= connessioni_massime) {
            error_code x;
            socket.close(x);
        } else {
            std::make_shared<sessione>(s, std::move(socket))->leggi();
        }
        accetta(s);
    });
}

void ferma(server_http& s) {
    error_code e;
    s.accettatore.close(e);
    for (const auto& f : s.flussi) f->chiudi();
    s.flussi.clear();
    s.io.stop();
}

void batti(server_http& s, std::chrono::milliseconds intervallo) {
    s.orologio.expires_after(intervallo);
    s.orologio.async_wait([&s, intervallo](error_code e) {
        if (e) return;
        if (s.gestore->fermati()) {
            ferma(s);
            return;
        }
        if (s.accetta_al_battito) {
            s.accetta_al_battito = false;
            accetta(s);
        }
        std::string pezzo = s.gestore->battito();
        const auto adesso = std::chrono::steady_clock::now();
        if (adesso - s.ultimo_commento >= intervallo_commento) {
            pezzo += commento_sse("");
            s.ultimo_commento = adesso;
        }
        std::erase_if(s.flussi, [](const std::shared_ptr<flusso_eventi>& f) { return f->chiuso; });
        if (!pezzo.empty()) {
            for (const auto& f : s.flussi) f->invia(pezzo);
        }
        batti(s, intervallo);
    });
}

}  // namespace

void chiudi_server::operator()(server_http* s) const { delete s; }

server_aperto apri_server(std::uint16_t porta) {
    server_aperto s(new server_http);
    const tcp::endpoint punto(asio::ip::make_address_v4("127.0.0.1"), porta);
    error_code e;
    s->accettatore.open(punto.protocol(), e);
#ifndef _WIN32
    // A port just given back by a server that stopped can be taken again at
    // once. (On Windows the same option would let two servers share a port.)
    if (!e) s->accettatore.set_option(tcp::acceptor::reuse_address(true), e);
#endif
    if (!e) s->accettatore.bind(punto, e);
    if (!e) s->accettatore.listen(asio::socket_base::max_listen_connections, e);
    if (e) {
        std::string t = "cannot listen on 127.0.0.1:";
        throw errore_ascolto(t.append(std::to_string(porta)).append(": ").append(e.message()));
    }
    return s;
}

std::uint16_t porta_server(const server_http& s) {
    error_code e;
    return s.accettatore.local_endpoint(e).port();
}

void servi(server_http& s, const gestore_http& g, std::chrono::milliseconds intervallo) {
    s.gestore = &g;
    s.ultimo_commento = std::chrono::steady_clock::now();
    accetta(s);
    batti(s, intervallo);
    s.io.run();
}

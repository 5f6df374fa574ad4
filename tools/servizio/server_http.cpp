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
#include <map>
#include <optional>
#include <string_view>
#include <vector>

#include "tools/servizio/eventi_sse.h"

namespace asio = boost::asio;
namespace beast = boost::beast;
namespace http = beast::http;
using tcp = asio::ip::tcp;
using boost::system::error_code;
using orologio_fermo = std::chrono::steady_clock;

namespace {

using pezzo_condiviso = std::shared_ptr<const std::string>;

// A quiet stream gets a comment this often.
constexpr auto intervallo_commento = std::chrono::seconds(15);
// What a request may bring: its header; a body is never read.
constexpr std::uint32_t limite_intestazione = 8 * 1024;
// A connection closed after an answer is read, and what it still sends
// thrown away, for this long or this much at most, so that the answer is not
// lost to a reset.
constexpr auto attesa_congedo = std::chrono::seconds(2);
constexpr std::size_t congedo_massimo = 1u << 20;

const char* const testa_flusso =
    "HTTP/1.1 200 OK\r\nContent-Type: text/event-stream\r\nCache-Control: no-store\r\n"
    "X-Content-Type-Options: nosniff\r\n\r\n";

// An open stream of events: what is sent waits in a queue of pieces that
// every stream shares, written one after the other; what the page sends is
// read and thrown away, and its end closes the stream. Each queue is the end
// of the same run of pieces, so the pieces held at once are those of the
// longest queue.
struct flusso_eventi : std::enable_shared_from_this<flusso_eventi> {
    beast::tcp_stream flusso;
    std::deque<pezzo_condiviso> coda;
    std::size_t byte_in_coda = 0;  // of the whole queue, the piece being written included
    orologio_fermo::time_point ultimo_progresso;  // the queue started, or a piece was sent
    std::array<char, 256> scarto{};
    bool chiuso = false;

    explicit flusso_eventi(beast::tcp_stream f) : flusso(std::move(f)) {}

    // False when the page reads too little to take the piece: beside the
    // piece being written it may hold `massimo` bytes, or one piece whatever
    // its size. The stream is then closed.
    bool invia(pezzo_condiviso p, std::size_t massimo) {
        if (chiuso) return true;
        if (coda.size() >= 2 && byte_in_coda - coda.front()->size() + p->size() > massimo) {
            chiudi();
            return false;
        }
        if (coda.empty()) ultimo_progresso = orologio_fermo::now();
        byte_in_coda += p->size();
        coda.push_back(std::move(p));
        if (coda.size() == 1) scrivi();
        return true;
    }

    // Pieces waiting longer than `attesa` for the page to read them.
    bool fermo(orologio_fermo::time_point adesso, std::chrono::milliseconds attesa) const {
        return !chiuso && !coda.empty() && adesso - ultimo_progresso > attesa;
    }

    void scrivi() {
        asio::async_write(flusso, asio::buffer(*coda.front()), [io = shared_from_this()](error_code e, std::size_t) {
            if (e) {
                io->chiudi();
                return;
            }
            io->byte_in_coda -= io->coda.front()->size();
            io->coda.pop_front();
            io->ultimo_progresso = orologio_fermo::now();
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

    // Closed, and every piece let go but the one a write may still use.
    void chiudi() {
        if (chiuso) return;
        chiuso = true;
        while (coda.size() > 1) coda.pop_back();
        byte_in_coda = coda.empty() ? 0 : coda.front()->size();
        error_code e;
        flusso.socket().shutdown(tcp::socket::shutdown_both, e);
        flusso.close();
    }
};

struct sessione;

}  // namespace

struct server_http {
    // Declared first, so that they outlive every connection the members
    // after them still hold when they go.
    std::map<std::uint64_t, std::weak_ptr<sessione>> sessioni;  // by age, the oldest first
    std::uint64_t prossima_sessione = 0;
    std::size_t flussi_lasciati = 0;
    const gestore_http* gestore = nullptr;
    limiti_server limiti;
    bool accetta_al_battito = false;
    orologio_fermo::time_point ultimo_commento;
    asio::io_context io{1};
    tcp::acceptor accettatore{io};
    asio::steady_timer orologio{io};
    std::vector<std::shared_ptr<flusso_eventi>> flussi;
};

namespace {

// A header over its limit: a request line the parser could not take whole
// (it names no target yet), or that names a path longer than a path may be,
// is a path too long; anything else, too many header fields.
destinazione troppo_lunga(std::string_view percorso) {
    return percorso.empty() || percorso.size() > lunghezza_percorso_massima
               ? destinazione::percorso_troppo_lungo
               : destinazione::intestazioni_troppo_lunghe;
}

// What a read that failed is answered: a status, or nothing when the
// connection went or kept quiet.
std::optional<destinazione> rifiuto_di(error_code e, std::string_view percorso) {
    if (e == http::error::header_limit) return troppo_lunga(percorso);
    if (e == http::error::end_of_stream || e == http::error::partial_message) return std::nullopt;
    if (e.category() != http::make_error_code(http::error::bad_method).category()) return std::nullopt;
    return destinazione::richiesta_malformata;
}

// An answer that leaves the connection in doubt: the connection is closed after it.
bool chiude_dopo(int stato) { return stato == 400 || stato == 414 || stato == 431; }

enum class fase_sessione : std::uint8_t {
    attesa,    // waiting for a request
    risposta,  // writing an answer
    congedo,   // closing: what the client still sends is thrown away
};

// One connection: requests read and answered one after the other, until the
// client closes it, a request asks for the stream, or it keeps quiet too long.
struct sessione : std::enable_shared_from_this<sessione> {
    server_http& server;
    std::uint64_t numero;
    beast::tcp_stream flusso;
    beast::flat_buffer memoria;
    std::optional<http::request_parser<http::empty_body>> lettore;
    http::response<http::string_body> risposta;
    fase_sessione fase = fase_sessione::attesa;
    bool chiusa = false;
    std::size_t scartati = 0;
    std::array<char, 1024> scarto{};

    sessione(server_http& s, tcp::socket socket)
        : server(s), numero(s.prossima_sessione++), flusso(std::move(socket)) {}
    ~sessione() { server.sessioni.erase(numero); }
    sessione(const sessione&) = delete;
    sessione& operator=(const sessione&) = delete;

    void leggi() {
        fase = fase_sessione::attesa;
        lettore.emplace();
        lettore->header_limit(limite_intestazione);
        lettore->body_limit(0);
        flusso.expires_after(server.limiti.attesa_richiesta);
        http::async_read(flusso, memoria, *lettore,
                         [io = shared_from_this()](error_code e, std::size_t) { io->letta(e); });
    }

    // The request as the server reads it, from a header read whole.
    richiesta_http richiesta(bool con_corpo) const {
        const http::request<http::empty_body>& rq = lettore->get();
        richiesta_http r;
        r.metodo = std::string(rq.method_string());
        r.percorso = std::string(rq.target());
        r.versione = rq.version();
        r.con_corpo = con_corpo;
        const auto host = rq.find(http::field::host);
        if (host != rq.end()) r.host = std::string(host->value());
        r.host_ripetuto = rq.count(http::field::host) > 1;
        return r;
    }

    void letta(error_code e) {
        if (e == http::error::body_limit) {
            // A body is never read: the request is answered from its header.
            rispondi(richiesta(true), false);
            return;
        }
        if (e) {
            const std::optional<destinazione> d = rifiuto_di(e, lettore->get().target());
            if (d) {
                scrivi(rifiuto(*d), 11, false);
            } else {
                chiudi();
            }
            return;
        }
        const bool con_corpo = lettore->chunked() || lettore->content_length().value_or(0) > 0;
        rispondi(richiesta(con_corpo), lettore->keep_alive() && !con_corpo);
    }

    void rispondi(const richiesta_http& r, bool resta) {
        risposta_http a = server.gestore->rispondi(r);
        if (a.flusso) {
            diventa_flusso(std::move(a));
            return;
        }
        const bool nota = r.versione == 10 || r.versione == 11;
        const bool aperta = resta && !chiude_dopo(a.stato);
        scrivi(std::move(a), nota ? r.versione : 11, aperta);
    }

    void scrivi(risposta_http a, unsigned versione, bool resta) {
        fase = fase_sessione::risposta;
        risposta = {};
        risposta.version(versione);
        risposta.result(static_cast<unsigned>(a.stato));
        risposta.set(http::field::content_type, a.tipo);
        risposta.set(http::field::cache_control, "no-store");
        risposta.set("X-Content-Type-Options", "nosniff");
        risposta.set("Content-Security-Policy", politica_contenuti);
        for (const auto& [nome, valore] : a.intestazioni) risposta.set(nome, valore);
        risposta.body() = std::move(a.corpo);
        risposta.keep_alive(resta);
        risposta.prepare_payload();
        flusso.expires_after(server.limiti.attesa_lettura);
        http::async_write(flusso, risposta, [io = shared_from_this()](error_code x, std::size_t) { io->scritta(x); });
    }

    void scritta(error_code e) {
        if (e) {
            chiudi();
        } else if (!risposta.keep_alive()) {
            congeda();
        } else {
            leggi();
        }
    }

    // The connection becomes a stream of events, which the server keeps; at
    // the limit of streams, the oldest makes room.
    void diventa_flusso(risposta_http a) {
        flusso.expires_never();
        auto f = std::make_shared<flusso_eventi>(std::move(flusso));
        const std::size_t massimo = server.limiti.byte_in_coda_massimi;
        f->invia(std::make_shared<const std::string>(std::string(testa_flusso).append(a.corpo)), massimo);
        if (a.evento && !a.evento->empty()) f->invia(std::move(a.evento), massimo);
        f->ascolta();
        std::erase_if(server.flussi, [](const std::shared_ptr<flusso_eventi>& x) { return x->chiuso; });
        if (!server.flussi.empty() && server.flussi.size() >= server.limiti.flussi_massimi) {
            server.flussi.front()->chiudi();
            server.flussi.erase(server.flussi.begin());
        }
        server.flussi.push_back(std::move(f));
    }

    // Sent all, the connection says so and waits a little for the client to close.
    void congeda() {
        fase = fase_sessione::congedo;
        error_code e;
        flusso.socket().shutdown(tcp::socket::shutdown_send, e);
        flusso.expires_after(attesa_congedo);
        scarta();
    }

    void scarta() {
        flusso.async_read_some(asio::buffer(scarto), [io = shared_from_this()](error_code e, std::size_t n) {
            io->scartati += n;
            if (e || io->scartati > congedo_massimo) {
                io->chiudi();
                return;
            }
            io->scarta();
        });
    }

    void chiudi() {
        if (chiusa) return;
        chiusa = true;
        error_code e;
        flusso.socket().shutdown(tcp::socket::shutdown_send, e);
        flusso.close();
    }
};

// At the limit of connections, the oldest that is not writing an answer
// (or else the oldest) is closed to make room. False: none can be.
bool fai_posto(server_http& s) {
    for (const bool anche_in_risposta : {false, true}) {
        for (const auto& [numero, debole] : s.sessioni) {
            const std::shared_ptr<sessione> x = debole.lock();
            if (!x || x->chiusa || (x->fase == fase_sessione::risposta && !anche_in_risposta)) continue;
            x->chiudi();
            return true;
        }
    }
    return false;
}

void accetta(server_http& s) {
    s.accettatore.async_accept([&s](error_code e, tcp::socket socket) {
        if (!s.accettatore.is_open()) return;
        if (e) {
            // Out of descriptors, say: try again at the next tick.
            s.accetta_al_battito = true;
            return;
        }
        if (s.sessioni.size() >= s.limiti.connessioni_massime && !fai_posto(s)) {
            error_code x;
            socket.close(x);
        } else {
            auto nuova = std::make_shared<sessione>(s, std::move(socket));
            s.sessioni.emplace(nuova->numero, nuova);
            nuova->leggi();
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

// One piece to every stream; a stream that cannot take it is let go.
void distribuisci(server_http& s, const pezzo_condiviso& p) {
    for (const auto& f : s.flussi) {
        if (!f->invia(p, s.limiti.byte_in_coda_massimi)) ++s.flussi_lasciati;
    }
}

// The streams whose page has not read what was sent for too long are let go.
void lascia_fermi(server_http& s, orologio_fermo::time_point adesso) {
    for (const auto& f : s.flussi) {
        if (f->fermo(adesso, s.limiti.attesa_lettura)) {
            f->chiudi();
            ++s.flussi_lasciati;
        }
    }
}

misura_server misura_di(const server_http& s) {
    misura_server m;
    m.connessioni = s.sessioni.size();
    m.flussi = s.flussi.size();
    for (const auto& f : s.flussi) m.byte_in_coda += f->byte_in_coda;
    m.flussi_lasciati = s.flussi_lasciati;
    return m;
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
        const pezzo_condiviso pezzo = s.gestore->battito();
        const auto adesso = orologio_fermo::now();
        lascia_fermi(s, adesso);
        std::erase_if(s.flussi, [](const std::shared_ptr<flusso_eventi>& f) { return f->chiuso; });
        if (pezzo && !pezzo->empty()) distribuisci(s, pezzo);
        if (adesso - s.ultimo_commento >= intervallo_commento) {
            distribuisci(s, std::make_shared<const std::string>(commento_sse("")));
            s.ultimo_commento = adesso;
        }
        std::erase_if(s.flussi, [](const std::shared_ptr<flusso_eventi>& f) { return f->chiuso; });
        if (s.gestore->misura) s.gestore->misura(misura_di(s));
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

void servi(server_http& s, const gestore_http& g, std::chrono::milliseconds intervallo, const limiti_server& limiti) {
    s.gestore = &g;
    s.limiti = limiti;
    s.ultimo_commento = orologio_fermo::now();
    accetta(s);
    batti(s, intervallo);
    s.io.run();
}

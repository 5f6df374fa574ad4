// The web server of `view --serve`, on one thread: it listens on 127.0.0.1
// only, answers each request with what the one who runs it says, keeps the
// event streams open and, at every tick, sends them what is new. The only
// file that includes the HTTP library is server_http.cpp.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>

#include "tools/servizio/instradamento.h"

// What the server holds at one tick: for the one who runs it to watch.
struct misura_server {
    std::size_t connessioni = 0;        // connections that are not streams: requests and answers
    std::size_t flussi = 0;             // open event streams
    std::size_t byte_in_coda = 0;       // bytes the streams hold unsent, each stream's counted
    std::size_t flussi_lasciati = 0;    // streams ended so far because their page read too little
};

// What the server asks of the one who runs it; every call on its one thread.
struct gestore_http {
    std::function<risposta_http(const richiesta_http&)> rispondi;
    // At every tick: the bytes to send to every open stream (null or empty:
    // none). One copy, which every stream shares until it is sent.
    std::function<std::shared_ptr<const std::string>()> battito;
    // Asked at every tick: true ends the serving.
    std::function<bool()> fermati;
    // At every tick, after the streams were given what is new (may be empty).
    std::function<void(const misura_server&)> misura;
};

// How much the server lets its clients hold.
struct limiti_server {
    // Connections at once that are not streams; one more takes the place of
    // the oldest, so that the page is always served.
    std::size_t connessioni_massime = 64;
    // Streams at once; one more takes the place of the oldest.
    std::size_t flussi_massimi = 32;
    // Bytes a stream may hold unsent beside the piece being written: a page
    // that reads less is let go (it connects again and takes the last build).
    std::size_t byte_in_coda_massimi = 8u << 20;
    // A request must arrive whole within this time of the connection or the
    // answer before.
    std::chrono::milliseconds attesa_richiesta{10'000};
    // An answer, or a piece of a stream, must be read within this time.
    std::chrono::milliseconds attesa_lettura{30'000};
};

// The port could not be taken: the system's words.
struct errore_ascolto : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct server_http;
struct chiudi_server {
    void operator()(server_http* s) const;
};
using server_aperto = std::unique_ptr<server_http, chiudi_server>;

// Listens on 127.0.0.1:porta; 0 takes a free port the system picks.
// Throws errore_ascolto.
server_aperto apri_server(std::uint16_t porta);

// The port it listens on.
std::uint16_t porta_server(const server_http& s);

// Serves until `fermati` says so, with a tick every `intervallo`; then every
// connection is closed and the port given back.
void servi(server_http& s, const gestore_http& g, std::chrono::milliseconds intervallo,
           const limiti_server& limiti = {});

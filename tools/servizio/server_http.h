// The web server of `view --serve`, on one thread: it listens on 127.0.0.1
// only, answers each request with what the one who runs it says, keeps the
// event streams open and, at every tick, sends them what is new. The only
// file that includes the HTTP library is server_http.cpp.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>

#include "tools/servizio/instradamento.h"

// What the server asks of the one who runs it; every call on its one thread.
struct gestore_http {
    std::function<risposta_http(const richiesta_http&)> rispondi;
    // At every tick: the bytes to send to every open stream (empty: none).
    std::function<std::string()> battito;
    // Asked at every tick: true ends the serving.
    std::function<bool()> fermati;
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
void servi(server_http& s, const gestore_http& g, std::chrono::milliseconds intervallo);

// What a request to `view --serve` asks for. The server answers two things
// only, the page and its stream of updates, and only to this machine: a
// request that names another host (a web page elsewhere that has a name of
// its own point at 127.0.0.1) is refused.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// A request as the server reads it.
struct richiesta_http {
    std::string metodo;               // "GET", ...
    std::string percorso;             // the target as sent: "/", "/events?x", ...
    std::optional<std::string> host;  // the Host header; nothing when the request has none
};

enum class destinazione : std::uint8_t {
    pagina,              // GET /: the page
    flusso,              // GET /events: the stream of updates
    non_trovata,         // 404
    metodo_non_ammesso,  // 405: a path served, but not with GET
    host_estraneo,       // 400: a Host that is not this server's
};

// The path of the stream of updates.
inline constexpr const char* percorso_flusso = "/events";

// What `r` asks of the server that listens on 127.0.0.1:porta.
destinazione instrada(const richiesta_http& r, std::uint16_t porta);

// An answer: a whole response, or the start of the stream of updates.
struct risposta_http {
    int stato = 200;
    std::string tipo;   // Content-Type
    std::string corpo;  // the body; of a stream, its first events
    std::vector<std::pair<std::string, std::string>> intestazioni;  // more header fields
    bool flusso = false;  // an event stream: the connection stays open for the events to come
};

// The answer to a request that is not served (404, 405, 400): a short text
// that says why.
risposta_http rifiuto(destinazione d);

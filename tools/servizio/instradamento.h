// What a request to `view --serve` asks for. The server answers two things
// only, the page and its stream of updates, and only to this machine: a
// request that names another host (a web page elsewhere that has a name of
// its own point at 127.0.0.1) is refused, and so is one whose Host cannot be
// told (none in HTTP/1.1, or two).
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// A request as the server reads it.
struct richiesta_http {
    std::string metodo;               // "GET", ...
    std::string percorso;             // the target as sent: "/", "/events?x", ...
    std::optional<std::string> host;  // the first Host header; nothing when the request has none
    bool host_ripetuto = false;       // more than one Host header
    unsigned versione = 11;           // HTTP/1.1 is 11, HTTP/1.0 is 10
    bool con_corpo = false;           // a body follows the header (a length above 0, or chunks)
};

enum class destinazione : std::uint8_t {
    pagina,                      // GET /: the page
    flusso,                      // GET /events: the stream of updates
    non_trovata,                 // 404
    metodo_non_ammesso,          // 405: a path served, but not with GET
    host_estraneo,               // 400: a Host that is not this server's
    host_mancante,               // 400: HTTP/1.1 without a Host
    host_ripetuto,               // 400: two Host headers
    corpo_non_ammesso,           // 400: a GET with a body
    versione_non_ammessa,        // 400: not HTTP/1.0 or 1.1 (an HTTP/2 preface, say)
    richiesta_malformata,        // 400: not a request the server can read
    percorso_troppo_lungo,       // 414
    intestazioni_troppo_lunghe,  // 431: the header fields over their limit
};

// The longest target a request may name (the request line is longer by the
// method and the version).
inline constexpr std::size_t lunghezza_percorso_massima = 2048;

// The content the page may use: its own inline script and style, and
// requests back to this server (the page and the stream); nothing else is
// loaded, and no other page may show it in a frame.
inline constexpr const char* politica_contenuti =
    "default-src 'none'; script-src 'unsafe-inline'; style-src 'unsafe-inline'; connect-src 'self'; "
    "base-uri 'none'; form-action 'none'; frame-ancestors 'none'";

// The path of the stream of updates.
inline constexpr const char* percorso_flusso = "/events";

// What `r` asks of the server that listens on 127.0.0.1:porta.
destinazione instrada(const richiesta_http& r, std::uint16_t porta);

// An answer: a whole response, or the start of the stream of updates.
struct risposta_http {
    int stato = 200;
    std::string tipo;   // Content-Type
    std::string corpo;  // the body; of a stream, what goes before its first event
    std::shared_ptr<const std::string> evento;  // of a stream: its first event, shared with the other streams
    std::vector<std::pair<std::string, std::string>> intestazioni;  // more header fields
    bool flusso = false;  // an event stream: the connection stays open for the events to come
};

// The answer to a request that is not served (404, 405, 400, 414, 431): a
// short text that says why.
risposta_http rifiuto(destinazione d);

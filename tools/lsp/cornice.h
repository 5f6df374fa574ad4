// The frame of a language server's messages on its streams: a header block
// ("Content-Length: N", other headers allowed, each line ended by CR LF, an
// empty line after them), then N bytes of JSON.
#pragma once

#include <cstddef>
#include <cstdint>
#include <istream>
#include <string>

// The largest body taken: a buffer of 16 MiB of text, escaped in JSON, with
// room to spare. A larger body is skipped, unread, and told.
inline constexpr std::size_t massimo_corpo = 64u * 1024u * 1024u;
// The longest header line kept; a longer one (binary garbage) spoils its block.
inline constexpr std::size_t massima_intestazione = 4096;

enum class esito_cornice : std::uint8_t {
    messaggio,  // `corpo` holds the body; `errore`, when not empty, tells of garbage passed over in its header
    guasta,     // a header block without a usable length, or a body too large or cut short: `errore` says why
    fine,       // the stream ended between messages
};

struct cornice_letta {
    esito_cornice esito = esito_cornice::fine;
    std::string corpo;
    std::string errore;
};

// Reads the next message. Header lines that are not "Name: value" are passed
// over when a Content-Length stands among them. A spoilt header block is read to its empty line, a
// body too large is skipped, so that the next message is read whole; nothing
// waits for bytes beyond what the header announced.
cornice_letta leggi_cornice(std::istream& in, std::size_t massimo = massimo_corpo);

// One message framed: "Content-Length: N\r\n\r\n" and the body.
std::string incornicia(const std::string& corpo);

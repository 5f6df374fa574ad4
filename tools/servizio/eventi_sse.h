// Server-Sent Events: the frames of the stream that tells an open page of
// `view --serve` that the scenario was built again.
#pragma once

#include <string>
#include <string_view>

// One event: "event: NAME" (when named), one "data: " line for each line of
// `dati` (a CR, LF or CR LF ends a line), then an empty line. The browser
// joins the data lines with LF.
std::string evento_sse(std::string_view nome, std::string_view dati);

// How long a browser waits before it connects again to a stream that ended
// (the server stopped): "retry: N" and an empty line.
std::string attesa_sse(int millisecondi);

// A comment line, which a browser ignores: it keeps a quiet stream open and
// shows the server when the page has gone.
std::string commento_sse(std::string_view testo);

#include "tools/servizio/eventi_sse.h"

namespace {

// Each line of `testo` after `campo` (a CR, LF or CR LF ends a line; an
// empty text is one empty line).
std::string righe_campo(std::string_view campo, std::string_view testo) {
    std::string t;
    std::size_t inizio = 0;
    while (true) {
        const std::size_t fine = testo.find_first_of("\r\n", inizio);
        t.append(campo).append(testo.substr(inizio, fine - inizio)).append("\n");
        if (fine == std::string_view::npos) break;
        inizio = fine + (testo.compare(fine, 2, "\r\n") == 0 ? 2 : 1);
    }
    return t;
}

}  // namespace

std::string evento_sse(std::string_view nome, std::string_view dati) {
    std::string t;
    if (!nome.empty()) t += righe_campo("event: ", nome.substr(0, nome.find_first_of("\r\n")));
    return t + righe_campo("data: ", dati) + "\n";
}

std::string attesa_sse(int millisecondi) {
    return std::string("retry: ").append(std::to_string(millisecondi)).append("\n\n");
}

std::string commento_sse(std::string_view testo) { return righe_campo(": ", testo) + "\n"; }

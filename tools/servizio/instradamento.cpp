#include "tools/servizio/instradamento.h"

#include <array>
#include <string_view>

namespace {

// The path alone, without its query ("/?a=1" is "/").
std::string_view solo_percorso(std::string_view p) { return p.substr(0, p.find('?')); }

// The Host header names this server: 127.0.0.1 or localhost, with the
// server's port (letter case aside).
bool host_proprio(const std::string& host, std::uint16_t porta) {
    std::string h;
    for (const char c : host) h += c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    const std::string p = std::to_string(porta);
    return h == std::string("127.0.0.1:").append(p) || h == std::string("localhost:").append(p);
}

struct parole_rifiuto {
    destinazione d;
    int stato;
    const char* testo;
};

constexpr std::array<parole_rifiuto, 3> rifiuti{{
    {destinazione::non_trovata, 404, "Not found: this server serves the page (/) and its updates only.\n"},
    {destinazione::metodo_non_ammesso, 405, "Method not allowed: only GET.\n"},
    {destinazione::host_estraneo, 400, "Bad request: this server answers to 127.0.0.1 and localhost only.\n"},
}};

}  // namespace

destinazione instrada(const richiesta_http& r, std::uint16_t porta) {
    if (r.host && !host_proprio(*r.host, porta)) return destinazione::host_estraneo;
    const std::string_view p = solo_percorso(r.percorso);
    destinazione d = destinazione::non_trovata;
    if (p == "/") d = destinazione::pagina;
    if (p == percorso_flusso) d = destinazione::flusso;
    if (d != destinazione::non_trovata && r.metodo != "GET") return destinazione::metodo_non_ammesso;
    return d;
}

risposta_http rifiuto(destinazione d) {
    risposta_http r;
    for (const parole_rifiuto& p : rifiuti) {
        if (p.d == d) {
            r.stato = p.stato;
            r.corpo = p.testo;
        }
    }
    r.tipo = "text/plain; charset=utf-8";
    if (d == destinazione::metodo_non_ammesso) r.intestazioni.emplace_back("Allow", "GET");
    return r;
}

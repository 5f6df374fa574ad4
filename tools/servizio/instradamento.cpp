#include "tools/servizio/instradamento.h"

#include <array>
#include <string_view>

namespace {

// The path alone, without its query ("/?a=1" is "/").
std::string_view solo_percorso(std::string_view p) { return p.substr(0, p.find('?')); }

std::string in_minuscole(const std::string& t) {
    std::string m;
    for (const char c : t) m += c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    return m;
}

// The Host header names this server: 127.0.0.1 or localhost, with the
// server's port (letter case aside); on port 80, the port may be left out,
// as browsers leave it out.
bool host_proprio(const std::string& host, std::uint16_t porta) {
    const std::string h = in_minuscole(host);
    const std::string p = std::to_string(porta);
    for (const char* nome : {"127.0.0.1", "localhost"}) {
        if (h == std::string(nome).append(":").append(p)) return true;
        if (porta == 80 && h == nome) return true;
    }
    return false;
}

struct parole_rifiuto {
    destinazione d;
    int stato;
    const char* testo;
};

constexpr std::array<parole_rifiuto, 10> rifiuti{{
    {destinazione::non_trovata, 404, "Not found: this server serves the page (/) and its updates only.\n"},
    {destinazione::metodo_non_ammesso, 405, "Method not allowed: only GET.\n"},
    {destinazione::host_estraneo, 400, "Bad request: this server answers to 127.0.0.1 and localhost only.\n"},
    {destinazione::host_mancante, 400, "Bad request: an HTTP/1.1 request names its Host.\n"},
    {destinazione::host_ripetuto, 400, "Bad request: more than one Host header.\n"},
    {destinazione::corpo_non_ammesso, 400, "Bad request: a GET carries no body.\n"},
    {destinazione::versione_non_ammessa, 400, "Bad request: this server speaks HTTP/1.1 and HTTP/1.0 only.\n"},
    {destinazione::richiesta_malformata, 400, "Bad request: not an HTTP request this server can read.\n"},
    {destinazione::percorso_troppo_lungo, 414, "URI too long.\n"},
    {destinazione::intestazioni_troppo_lunghe, 431, "Request header fields too large.\n"},
}};

// What the request is, before what it asks: the version, the Host, the
// length of its path.
destinazione forma(const richiesta_http& r, std::uint16_t porta) {
    if (r.versione != 10 && r.versione != 11) return destinazione::versione_non_ammessa;
    if (r.host_ripetuto) return destinazione::host_ripetuto;
    if (!r.host && r.versione >= 11) return destinazione::host_mancante;
    if (r.host && !host_proprio(*r.host, porta)) return destinazione::host_estraneo;
    if (r.percorso.size() > lunghezza_percorso_massima) return destinazione::percorso_troppo_lungo;
    return destinazione::pagina;
}

}  // namespace

destinazione instrada(const richiesta_http& r, std::uint16_t porta) {
    if (const destinazione f = forma(r, porta); f != destinazione::pagina) return f;
    const std::string_view p = solo_percorso(r.percorso);
    destinazione d = destinazione::non_trovata;
    if (p == "/") d = destinazione::pagina;
    if (p == percorso_flusso) d = destinazione::flusso;
    if (d == destinazione::non_trovata) return d;
    if (r.metodo != "GET") return destinazione::metodo_non_ammesso;
    return r.con_corpo ? destinazione::corpo_non_ammesso : d;
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

// The language server's state and what it does with each message, without
// streams: a message in, the messages to send out. The loop that reads and
// writes them is ciclo_server.h.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include <nlohmann/json.hpp>

#include "tools/lsp/controllo_coppia.h"

// JSON-RPC and LSP error codes.
namespace codice_rpc {
inline constexpr int analisi = -32700;            // ParseError
inline constexpr int richiesta_invalida = -32600;  // InvalidRequest
inline constexpr int metodo_ignoto = -32601;       // MethodNotFound
inline constexpr int parametri_invalidi = -32602;  // InvalidParams
inline constexpr int interno = -32603;             // InternalError
inline constexpr int non_inizializzato = -32002;   // ServerNotInitialized
inline constexpr int annullata = -32800;           // RequestCancelled
}  // namespace codice_rpc

struct documento_aperto {
    std::string uri;
    std::string testo;  // UTF-8, as the editor holds it
    std::int64_t versione = 0;
    std::uint64_t tocco = 0;  // when it was opened or changed last, in messages
    std::size_t byte_1252 = 0;  // the length of the bytes the build reads from it
    // The warning of its last save when the file on disk held other bytes
    // (salvataggio.h), published with its diagnostics; null for none.
    nlohmann::json avviso_disco;
};

// A buffer the check refuses, longer than a source may be: it gets no hover,
// completion or outline either, only the check's error.
bool oltre_il_limite(const documento_aperto& d);

// A pair to check: the line file's path and the train file's ("" for none
// found); `fuoco` the file whose change asked for it.
struct coppia_chiesta {
    std::string linea;
    std::string treno;
    bool operator<(const coppia_chiesta& o) const { return std::pair(linea, treno) < std::pair(o.linea, o.treno); }
};

struct stato_server {
    bool inizializzato = false;
    bool spento = false;   // shutdown was asked
    bool finito = false;   // exit came
    bool snippet = false;  // the client takes snippets in completions
    std::map<std::string, documento_aperto> aperti;  // by path
    std::map<coppia_chiesta, sorgente> da_controllare;  // pairs whose diagnostics are due, with the file in focus
    std::map<std::string, std::vector<correzione>> correzioni;  // by URI, from the last diagnostics published
    std::map<std::string, nlohmann::json> pubblicate;           // by URI, the last diagnostics published
    std::uint64_t messaggi = 0;
    // The file on disk at a path (Windows-1252 bytes), read as the source it
    // is; nothing when absent. A file that stands but cannot be read throws
    // errore_esecuzione, as leggi_sorgente_autore does.
    std::function<std::optional<std::string>(const std::string&, sorgente)> leggi_disco;
    // The train files of a line on disk, in a folder.
    std::function<std::vector<std::string>(const std::string&, const std::string&)> treni_disco;
};

// The disk as it is: the author's sources read as check reads them, the
// folder listed.
stato_server nuovo_stato();

// One message from the client (already parsed): the responses and
// notifications to send. Malformed messages get a JSON-RPC error.
std::vector<nlohmann::json> tratta_messaggio(stato_server& s, const nlohmann::json& messaggio);

// A valid exit notification: "jsonrpc" "2.0", no id, the method "exit". Only
// this ends the server; a request named exit, or a message of another
// version, is answered with an error and the server goes on.
bool e_uscita(const nlohmann::json& messaggio);

// The error response to a body that is not JSON, or to a frame that could not
// be read (id null).
nlohmann::json errore_rpc(const nlohmann::json& id, int codice, const std::string& testo);

// A window/logMessage notification.
nlohmann::json registra(const std::string& testo, int tipo = 2);

// The files (by path) a message changes: those of didOpen, didChange,
// didClose and didSave; none for any other message.
std::vector<std::string> file_toccati(const nlohmann::json& messaggio);

// Checks the pairs due, one at a time, and publishes their diagnostics. Before
// each check and again before publishing, `superato` is asked whether a
// message already read but not yet handled changes one of the pair's files:
// then the check is not made, or its result is obsolete and dropped, and the
// pair stays due until that message has been handled.
std::vector<nlohmann::json> controlla_dovuti(stato_server& s,
                                             const std::function<bool(const std::set<std::string>&)>& superato);

#include "tools/lsp/server.h"

#include <exception>

#include "sources/cartella.h"
#include "sources/errore_esecuzione.h"
#include "tools/comune/sorgenti_autore.h"
#include "tools/diagnostiche/spiegazioni.h"
#include "tools/lsp/aiuto_editor.h"
#include "tools/lsp/coppie.h"
#include "tools/lsp/modifiche_testo.h"
#include "tools/lsp/salvataggio.h"

namespace {

using json = nlohmann::json;

const char* const sorgente_diagnostiche = "scenario-tool";

json risposta(const json& id, json risultato) {
    return {{"jsonrpc", "2.0"}, {"id", id}, {"result", std::move(risultato)}};
}

json notifica(const std::string& metodo, json parametri) {
    return {{"jsonrpc", "2.0"}, {"method", metodo}, {"params", std::move(parametri)}};
}

// What a handler gets: the state, the message's params, and where its output goes.
struct chiamata {
    stato_server& s;
    const json& parametri;
    std::vector<json>& uscita;
};

// The path of the document a message names; throws for one without.
std::string percorso_documento(const json& parametri) {
    const std::string uri = parametri.at("textDocument").at("uri").get<std::string>();
    const std::optional<std::string> p = percorso_da_uri(uri);
    if (!p && uri_con_nul(uri)) throw std::invalid_argument(testo_uri_con_nul() + ": " + uri);
    if (!p) throw std::invalid_argument("not a file: URI: " + uri);
    return *p;
}

const documento_aperto* aperto(const stato_server& s, const std::string& percorso) {
    const auto it = s.aperti.find(percorso);
    return it == s.aperti.end() ? nullptr : &it->second;
}

posizione_editor posizione_di(const json& p) {
    return {p.at("line").get<std::int32_t>(), p.at("character").get<std::int32_t>()};
}

// The train file a line file is shown with: the open one changed last, else
// the first on disk, else none.
std::string treno_scelto(const stato_server& s, const std::string& linea) {
    const nome_in_coppia f = classifica(linea);
    const documento_aperto* migliore = nullptr;
    std::string scelto;
    for (const auto& [percorso, d] : s.aperti) {
        const nome_in_coppia t = classifica(percorso);
        if (t.ruolo != ruolo_file::treno || t.linea != f.linea || cartella_di(percorso) != cartella_di(linea)) continue;
        if (migliore == nullptr || d.tocco > migliore->tocco) {
            migliore = &d;
            scelto = percorso;
        }
    }
    if (migliore != nullptr) return scelto;
    const std::vector<std::string> su_disco = s.treni_disco(cartella_di(linea), f.linea);
    return su_disco.empty() ? "" : su_disco.front();
}

// The pairs a change to `percorso` makes due.
void programma(stato_server& s, const std::string& percorso) {
    const nome_in_coppia f = classifica(percorso);
    if (f.ruolo == ruolo_file::treno) {
        s.da_controllare[{file_linea_di(cartella_di(percorso), f.linea), percorso}] = sorgente::treno;
        return;
    }
    if (f.ruolo != ruolo_file::linea) return;
    bool uno = false;
    for (const auto& [altro, d] : s.aperti) {
        const nome_in_coppia t = classifica(altro);
        if (t.ruolo == ruolo_file::treno && t.linea == f.linea && cartella_di(altro) == cartella_di(percorso)) {
            s.da_controllare[{percorso, altro}] = sorgente::linea;
            uno = true;
        }
    }
    if (!uno) s.da_controllare[{percorso, treno_scelto(s, percorso)}] = sorgente::linea;
}

json pubblica(stato_server& s, const std::string& uri, json diagnostiche, std::vector<correzione> correzioni,
              const documento_aperto* d) {
    if (d != nullptr && !d->avviso_disco.is_null()) diagnostiche.push_back(d->avviso_disco);
    json p = {{"uri", uri}, {"diagnostics", diagnostiche}};
    if (d != nullptr) p["version"] = d->versione;
    s.pubblicate[uri] = std::move(diagnostiche);
    s.correzioni[uri] = std::move(correzioni);
    return notifica("textDocument/publishDiagnostics", std::move(p));
}

// A diagnostic of the whole file, at its start.
json del_file(int gravita, const char* codice, const std::string& testo) {
    const json r = {{"start", {{"line", 0}, {"character", 0}}}, {"end", {{"line", 0}, {"character", 0}}}};
    return {{"range", r}, {"severity", gravita}, {"code", codice}, {"source", sorgente_diagnostiche}, {"message", testo}};
}

// A file that fits no name rule: one diagnostic that says so.
json senza_coppia(stato_server& s, const documento_aperto& d, const std::string& percorso) {
    return pubblica(s, d.uri, json::array({del_file(3, "file-name", testo_senza_coppia(percorso))}), {}, &d);
}

void tocca(stato_server& s, const std::string& percorso, std::vector<json>& uscita) {
    const documento_aperto& d = s.aperti.at(percorso);
    if (classifica(percorso).ruolo == ruolo_file::nessuno) {
        uscita.push_back(senza_coppia(s, d, percorso));
        return;
    }
    programma(s, percorso);
}

// --- lifecycle -----------------------------------------------------------------

json capacita() {
    return {{"positionEncoding", "utf-16"},
            {"textDocumentSync", {{"openClose", true}, {"change", 1}, {"save", {{"includeText", false}}}}},
            {"hoverProvider", true},
            {"completionProvider", {{"triggerCharacters", json::array({"["})}, {"resolveProvider", false}}},
            {"documentSymbolProvider", true},
            {"codeActionProvider", {{"codeActionKinds", json::array({"quickfix"})}}}};
}

json inizializza(chiamata& c) {
    c.s.inizializzato = true;
    const json* p = &c.parametri;
    for (const char* k : {"capabilities", "textDocument", "completion", "completionItem", "snippetSupport"}) {
        if (!p->is_object() || !p->contains(k)) {
            p = nullptr;
            break;
        }
        p = &p->at(k);
    }
    c.s.snippet = p != nullptr && p->is_boolean() && p->get<bool>();
    return {{"capabilities", capacita()}, {"serverInfo", {{"name", "scenario-tool"}}}};
}

json spegni(chiamata& c) {
    c.s.spento = true;
    return nullptr;
}

// --- documents -----------------------------------------------------------------

// A document whose address holds a NUL byte is not opened: one error on it
// says why, cleared when it is closed.
bool indirizzo_con_nul(chiamata& c, bool aperto) {
    const std::string uri = c.parametri.at("textDocument").at("uri").get<std::string>();
    if (!uri_con_nul(uri)) return false;
    json d = aperto ? json::array({del_file(1, "file-address", testo_uri_con_nul())}) : json::array();
    c.uscita.push_back(pubblica(c.s, uri, std::move(d), {}, nullptr));
    return true;
}

void apri(chiamata& c) {
    if (indirizzo_con_nul(c, true)) return;
    const std::string percorso = percorso_documento(c.parametri);
    const json& d = c.parametri.at("textDocument");
    documento_aperto& doc = c.s.aperti[percorso];
    doc.uri = d.at("uri").get<std::string>();
    doc.testo = d.at("text").get<std::string>();
    doc.versione = d.value("version", std::int64_t{0});
    doc.tocco = c.s.messaggi;
    doc.byte_1252 = lunghezza_1252(doc.testo);
    tocca(c.s, percorso, c.uscita);
}

void cambia(chiamata& c) {
    const std::string percorso = percorso_documento(c.parametri);
    const auto it = c.s.aperti.find(percorso);
    if (it == c.s.aperti.end()) throw std::invalid_argument("a change to a document that is not open");
    documento_aperto& doc = it->second;
    // The edits before one that cannot be read stay made, as the editor sent them.
    testo_indicizzato t{std::move(doc.testo), {}};
    try {
        for (const json& m : c.parametri.at("contentChanges")) {
            std::string testo = m.at("text").get<std::string>();
            if (!m.contains("range")) {
                sostituisci_tutto(t, std::move(testo));
                continue;
            }
            sostituisci_tra(t, posizione_di(m.at("range").at("start")), posizione_di(m.at("range").at("end")), testo);
        }
    } catch (...) {
        doc.testo = std::move(t.testo);
        doc.byte_1252 = lunghezza_1252(doc.testo);
        throw;
    }
    doc.testo = std::move(t.testo);
    doc.versione = c.parametri.at("textDocument").value("version", doc.versione);
    doc.tocco = c.s.messaggi;
    doc.byte_1252 = lunghezza_1252(doc.testo);
    tocca(c.s, percorso, c.uscita);
}

void chiudi(chiamata& c) {
    if (indirizzo_con_nul(c, false)) return;
    const std::string percorso = percorso_documento(c.parametri);
    const auto it = c.s.aperti.find(percorso);
    if (it == c.s.aperti.end()) return;
    const std::string uri = it->second.uri;
    c.s.aperti.erase(it);
    c.uscita.push_back(pubblica(c.s, uri, json::array(), {}, nullptr));
    for (auto d = c.s.da_controllare.begin(); d != c.s.da_controllare.end();) {
        d = d->first.linea == percorso || d->first.treno == percorso ? c.s.da_controllare.erase(d) : std::next(d);
    }
    // The partner, when open, is checked again against the file on disk.
    const nome_in_coppia f = classifica(percorso);
    for (const auto& [altro, doc] : c.s.aperti) {
        const nome_in_coppia g = classifica(altro);
        if (f.ruolo != ruolo_file::nessuno && g.ruolo != ruolo_file::nessuno && g.ruolo != f.ruolo &&
            g.linea == f.linea && cartella_di(altro) == cartella_di(percorso)) {
            programma(c.s, altro);
        }
    }
}

// The file on disk as the editor saved it: nothing to tell when it is absent
// or cannot be read (the check tells that of a partner).
std::optional<std::string> salvato(const stato_server& s, const std::string& percorso) {
    try {
        return s.leggi_disco(percorso, sorgente::nessuna);
    } catch (const errore_esecuzione&) {
        return std::nullopt;
    }
}

void salva(chiamata& c) {
    const std::string percorso = percorso_documento(c.parametri);
    const auto it = c.s.aperti.find(percorso);
    if (it == c.s.aperti.end()) return;
    const std::optional<std::string> disco = salvato(c.s, percorso);
    const std::optional<json> avviso = disco ? avviso_salvato(it->second.testo, *disco) : std::nullopt;
    it->second.avviso_disco = avviso ? *avviso : json();
    tocca(c.s, percorso, c.uscita);
}

// --- what the editor asks ------------------------------------------------------

bool prima(const json& a, const json& b) {
    return std::pair(a.at("line").get<int>(), a.at("character").get<int>()) <
           std::pair(b.at("line").get<int>(), b.at("character").get<int>());
}

bool dentro(const json& intervallo, const json& p) {
    return !prima(p, intervallo.at("start")) && !prima(intervallo.at("end"), p);
}

bool si_toccano(const json& a, const json& b) { return !prima(a.at("end"), b.at("start")) && !prima(b.at("end"), a.at("start")); }

std::string codice_testo(const json& d) {
    if (!d.contains("code")) return "";
    return d.at("code").is_string() ? d.at("code").get<std::string>() : std::to_string(d.at("code").get<int>());
}

json aiuto(chiamata& c) {
    const std::string percorso = percorso_documento(c.parametri);
    const documento_aperto* d = aperto(c.s, percorso);
    if (d == nullptr || oltre_il_limite(*d)) return nullptr;
    const posizione_editor p = posizione_di(c.parametri.at("position"));
    std::string testo;
    const auto diagnostiche = c.s.pubblicate.find(d->uri);
    if (diagnostiche != c.s.pubblicate.end()) {
        for (const json& x : diagnostiche->second) {
            const json pos = {{"line", p.riga}, {"character", p.carattere}};
            const spiegazione* sp = cerca_spiegazione(codice_testo(x));
            if (!dentro(x.at("range"), pos) || sp == nullptr) continue;
            if (!testo.empty()) testo += "\n\n---\n\n";
            testo += testo_spiegazione(*sp, 3);
        }
    }
    const std::optional<std::string> parola = aiuto_a(leggi_documento(d->testo, classifica(percorso).ruolo == ruolo_file::linea), p);
    if (parola) testo = testo.empty() ? *parola : *parola + "\n\n---\n\n" + testo;
    if (testo.empty()) return nullptr;
    return {{"contents", {{"kind", "markdown"}, {"value", testo}}}};
}

json completa(chiamata& c) {
    const std::string percorso = percorso_documento(c.parametri);
    const documento_aperto* d = aperto(c.s, percorso);
    const nome_in_coppia f = classifica(percorso);
    if (d == nullptr || f.ruolo == ruolo_file::nessuno || oltre_il_limite(*d)) return json::array();
    return completamenti(leggi_documento(d->testo, f.ruolo == ruolo_file::linea), posizione_di(c.parametri.at("position")),
                         c.s.snippet);
}

json schema(chiamata& c) {
    const std::string percorso = percorso_documento(c.parametri);
    const documento_aperto* d = aperto(c.s, percorso);
    const nome_in_coppia f = classifica(percorso);
    if (d == nullptr || f.ruolo == ruolo_file::nessuno || oltre_il_limite(*d)) return json::array();
    schema_documento schema = simboli(leggi_documento(d->testo, f.ruolo == ruolo_file::linea));
    if (schema.tagliato) {
        c.uscita.push_back(registra("the outline of " + percorso + " shows its first " + std::to_string(massimo_simboli) +
                                    " sections and records, and no more"));
    }
    return std::move(schema.simboli);
}

json azioni(chiamata& c) {
    json risultato = json::array();
    const std::string uri = c.parametri.at("textDocument").at("uri").get<std::string>();
    const json& intervallo = c.parametri.at("range");
    const auto it = c.s.correzioni.find(uri);
    if (it == c.s.correzioni.end()) return risultato;
    const json nessuna = json::array();
    const json& contesto = c.parametri.contains("context") ? c.parametri.at("context").value("diagnostics", nessuna) : nessuna;
    for (const correzione& k : it->second) {
        if (!si_toccano(k.intervallo, intervallo)) continue;
        json legate = json::array();
        for (const json& d : contesto) {
            if (d.contains("range") && d.at("range") == k.intervallo && codice_testo(d) == k.codice) legate.push_back(d);
        }
        json a = {{"title", k.titolo}, {"kind", "quickfix"}, {"isPreferred", true},
                  {"edit", {{"changes", {{uri, k.modifiche}}}}}};
        if (!legate.empty()) a["diagnostics"] = legate;
        risultato.push_back(std::move(a));
    }
    return risultato;
}

// --- the table of methods ----------------------------------------------------

using richiesta_fn = json (*)(chiamata&);
using notifica_fn = void (*)(chiamata&);

struct metodo {
    const char* nome;
    richiesta_fn richiesta;  // null for a notification
    notifica_fn notifica;
};

constexpr metodo metodi[] = {
    {"initialize", inizializza, nullptr},
    {"shutdown", spegni, nullptr},
    {"textDocument/hover", aiuto, nullptr},
    {"textDocument/completion", completa, nullptr},
    {"textDocument/documentSymbol", schema, nullptr},
    {"textDocument/codeAction", azioni, nullptr},
    {"textDocument/didOpen", nullptr, apri},
    {"textDocument/didChange", nullptr, cambia},
    {"textDocument/didClose", nullptr, chiudi},
    {"textDocument/didSave", nullptr, salva},
};

const metodo* cerca_metodo(const std::string& nome) {
    for (const metodo& m : metodi) {
        if (nome == m.nome) return &m;
    }
    return nullptr;
}

bool id_valido(const json& id) { return id.is_string() || id.is_number_integer(); }

std::vector<json> tratta_richiesta(stato_server& s, const std::string& nome, const json& id, const json& parametri) {
    if (!s.inizializzato && nome != "initialize") {
        return {errore_rpc(id, codice_rpc::non_inizializzato, "the server is not initialized: " + nome)};
    }
    if (s.spento) return {errore_rpc(id, codice_rpc::richiesta_invalida, "the server is shut down: " + nome)};
    if (s.inizializzato && nome == "initialize") {
        return {errore_rpc(id, codice_rpc::richiesta_invalida, "initialize came twice")};
    }
    const metodo* m = cerca_metodo(nome);
    if (nome == "exit" || (m != nullptr && m->richiesta == nullptr)) {
        return {errore_rpc(id, codice_rpc::metodo_ignoto, nome + " is a notification: it is sent without an id")};
    }
    if (m == nullptr) return {errore_rpc(id, codice_rpc::metodo_ignoto, "no such method: " + nome)};
    std::vector<json> uscita;
    chiamata c{s, parametri, uscita};
    try {
        uscita.insert(uscita.begin(), risposta(id, m->richiesta(c)));
    } catch (const std::exception& e) {
        return {errore_rpc(id, codice_rpc::parametri_invalidi, nome + ": " + e.what())};
    }
    return uscita;
}

std::vector<json> tratta_notifica(stato_server& s, const std::string& nome, const json& parametri) {
    if (nome == "exit") {
        s.finito = true;
        return {};
    }
    // Some clients (Kate 22.12) send shutdown without an id: it asks the same,
    // and there is no one to answer.
    if (nome == "shutdown" && s.inizializzato) {
        s.spento = true;
        return {};
    }
    const metodo* m = cerca_metodo(nome);
    if (!s.inizializzato || s.spento || m == nullptr || m->notifica == nullptr) return {};
    std::vector<json> uscita;
    chiamata c{s, parametri, uscita};
    try {
        m->notifica(c);
    } catch (const std::exception& e) {
        uscita.push_back(registra(nome + " was not understood: " + e.what(), 1));
    }
    return uscita;
}

}  // namespace

stato_server nuovo_stato() {
    stato_server s;
    s.leggi_disco = leggi_sorgente_autore;
    s.treni_disco = treni_su_disco;
    return s;
}

bool oltre_il_limite(const documento_aperto& d) { return d.byte_1252 > limite_sorgente; }

bool e_uscita(const json& messaggio) {
    return messaggio.is_object() && !messaggio.contains("id") && messaggio.value("jsonrpc", json()) == "2.0" &&
           messaggio.value("method", json()) == "exit";
}

json errore_rpc(const json& id, int codice, const std::string& testo) {
    return {{"jsonrpc", "2.0"}, {"id", id}, {"error", {{"code", codice}, {"message", testo}}}};
}

json registra(const std::string& testo, int tipo) {
    return notifica("window/logMessage", {{"type", tipo}, {"message", testo}});
}

std::vector<json> tratta_messaggio(stato_server& s, const json& messaggio) {
    ++s.messaggi;
    if (!messaggio.is_object()) return {errore_rpc(nullptr, codice_rpc::richiesta_invalida, "a message must be an object")};
    const bool con_id = messaggio.contains("id");
    const json id = con_id && id_valido(messaggio.at("id")) ? messaggio.at("id") : json(nullptr);
    if (messaggio.value("jsonrpc", json()) != "2.0") {
        return {errore_rpc(id, codice_rpc::richiesta_invalida, "\"jsonrpc\" must be \"2.0\"")};
    }
    if (!messaggio.contains("method")) return {};  // a response to a request of ours: none is sent
    if (!messaggio.at("method").is_string() || (con_id && !id_valido(messaggio.at("id")))) {
        return {errore_rpc(id, codice_rpc::richiesta_invalida, "a method must be a text and an id a number or a text")};
    }
    const std::string nome = messaggio.at("method").get<std::string>();
    const json parametri = messaggio.value("params", json::object());
    return con_id ? tratta_richiesta(s, nome, id, parametri) : tratta_notifica(s, nome, parametri);
}

std::vector<std::string> file_toccati(const json& messaggio) {
    if (!messaggio.is_object() || !messaggio.contains("method") || !messaggio.at("method").is_string()) return {};
    const std::string nome = messaggio.at("method").get<std::string>();
    const metodo* m = cerca_metodo(nome);
    if (m == nullptr || m->notifica == nullptr) return {};
    try {
        return {percorso_documento(messaggio.at("params"))};
    } catch (const std::exception&) {
        return {};
    }
}

std::vector<json> controlla_dovuti(stato_server& s, const std::function<bool(const std::set<std::string>&)>& superato) {
    std::vector<json> uscita;
    const std::map<coppia_chiesta, sorgente> dovuti = s.da_controllare;
    for (const auto& [coppia, fuoco] : dovuti) {
        const std::set<std::string> file{coppia.linea, coppia.treno};
        if (superato(file)) continue;
        const auto file_di = [&s](const std::string& percorso, sorgente quale) {
            file_coppia f;
            f.percorso = percorso;
            if (percorso.empty()) return f;
            if (const documento_aperto* d = aperto(s, percorso)) {
                f.uri = d->uri;
                f.testo = d->testo;
                f.dal_editor = true;
                return f;
            }
            f.uri = uri_da_percorso(percorso);
            try {
                f.testo = s.leggi_disco(percorso, quale);
            } catch (const errore_esecuzione&) {
                f.illeggibile = std::current_exception();
            }
            return f;
        };
        coppia_file c{file_di(coppia.linea, sorgente::linea), file_di(coppia.treno, sorgente::treno), classifica(coppia.linea).linea,
                      coppia.treno.empty() ? "" : classifica(coppia.treno).treno, fuoco};
        esito_coppia e = controlla_coppia(c);
        if (superato(file)) continue;
        s.da_controllare.erase(coppia);
        if (!coppia.treno.empty()) {
            uscita.push_back(pubblica(s, e.treno.uri, std::move(e.treno.diagnostiche), std::move(e.treno.correzioni),
                                      aperto(s, coppia.treno)));
        }
        if (treno_scelto(s, coppia.linea) == coppia.treno && (c.linea.testo || aperto(s, coppia.linea))) {
            uscita.push_back(pubblica(s, e.linea.uri, std::move(e.linea.diagnostiche), std::move(e.linea.correzioni),
                                      aperto(s, coppia.linea)));
        }
    }
    return uscita;
}

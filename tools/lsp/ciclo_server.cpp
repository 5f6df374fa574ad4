#include "tools/lsp/ciclo_server.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <thread>

#include "tools/lsp/cornice.h"

namespace {

using json = nlohmann::json;

// A frame as the reader leaves it: the message, or what to answer for a
// frame or body that could not be read.
struct arrivato {
    std::optional<json> messaggio;  // nothing for a frame or body that could not be read
    std::vector<json> risposte;  // for a spoilt frame or a body that is not JSON
    std::vector<std::string> toccati;
    bool fine = false;
    bool annullata = false;  // a request that $/cancelRequest named while it waited
};

// The id that a $/cancelRequest notification names; nothing for any other message.
std::optional<json> da_annullare(const json& m) {
    if (!m.is_object() || m.contains("id") || m.value("method", json()) != "$/cancelRequest") return std::nullopt;
    const json parametri = m.value("params", json());
    if (!parametri.is_object() || !parametri.contains("id")) return std::nullopt;
    const json& id = parametri.at("id");
    if (!id.is_string() && !id.is_number_integer()) return std::nullopt;
    return id;
}

struct coda_messaggi {
    std::mutex m;
    std::condition_variable cv;
    std::deque<arrivato> coda;

    void metti(arrivato a) {
        {
            const std::lock_guard<std::mutex> l(m);
            coda.push_back(std::move(a));
        }
        cv.notify_one();
    }
    arrivato prendi() {
        std::unique_lock<std::mutex> l(m);
        cv.wait(l, [this] { return !coda.empty(); });
        arrivato a = std::move(coda.front());
        coda.pop_front();
        return a;
    }
    // The requests with this id still waiting are not to be handled.
    void annulla(const json& id) {
        const std::lock_guard<std::mutex> l(m);
        for (arrivato& a : coda) {
            if (a.messaggio && a.messaggio->is_object() && a.messaggio->contains("method") &&
                a.messaggio->value("id", json()) == id) {
                a.annullata = true;
            }
        }
    }
    // A message waiting changes one of the files.
    bool tocca(const std::set<std::string>& file) {
        const std::lock_guard<std::mutex> l(m);
        for (const arrivato& a : coda) {
            for (const std::string& t : a.toccati) {
                if (file.count(t) > 0) return true;
            }
        }
        return false;
    }
};

arrivato leggi_uno(std::istream& ingresso) {
    arrivato a;
    cornice_letta c = leggi_cornice(ingresso);
    if (c.esito == esito_cornice::fine) {
        a.fine = true;
        return a;
    }
    if (c.esito == esito_cornice::guasta) {
        a.risposte.push_back(registra("a frame could not be read: " + c.errore, 1));
        a.fine = ingresso.eof();
        return a;
    }
    if (!c.errore.empty()) a.risposte.push_back(registra("before a frame: " + c.errore, 2));
    json m = json::parse(c.corpo, nullptr, false);
    if (m.is_discarded()) {
        a.risposte.push_back(errore_rpc(nullptr, codice_rpc::analisi, "the message is not JSON"));
        return a;
    }
    a.toccati = file_toccati(m);
    a.fine = e_uscita(m);
    a.messaggio = std::move(m);
    return a;
}

void lettore(std::istream& ingresso, coda_messaggi& coda) {
    for (;;) {
        arrivato a = leggi_uno(ingresso);
        if (a.messaggio) {
            if (const std::optional<json> id = da_annullare(*a.messaggio)) coda.annulla(*id);
        }
        const bool fine = a.fine;
        if (fine && !a.messaggio && a.risposte.empty()) {
            coda.metti(std::move(a));
            return;
        }
        a.fine = false;
        coda.metti(std::move(a));
        if (fine) {
            arrivato ultimo;
            ultimo.fine = true;
            coda.metti(std::move(ultimo));
            return;
        }
    }
}

bool scrivi(std::ostream& uscita, const std::vector<json>& messaggi) {
    for (const json& m : messaggi) {
        uscita << incornicia(m.dump(-1, ' ', false, json::error_handler_t::replace));
    }
    uscita.flush();
    return static_cast<bool>(uscita);
}

}  // namespace

int esegui_server(stato_server& s, std::istream& ingresso, std::ostream& uscita) {
    coda_messaggi coda;
    std::thread t(lettore, std::ref(ingresso), std::ref(coda));
    bool scrive = true;
    for (;;) {
        arrivato a = coda.prendi();
        if (a.fine) break;
        std::vector<json> fuori = std::move(a.risposte);
        if (a.annullata) {
            fuori.push_back(errore_rpc(a.messaggio->at("id"), codice_rpc::annullata,
                                       "the request was cancelled before it was handled"));
        } else if (a.messaggio) {
            std::vector<json> r = tratta_messaggio(s, *a.messaggio);
            fuori.insert(fuori.end(), r.begin(), r.end());
        }
        if (scrive && !s.finito) {
            std::vector<json> p = controlla_dovuti(s, [&coda](const std::set<std::string>& f) { return coda.tocca(f); });
            fuori.insert(fuori.end(), p.begin(), p.end());
        }
        if (scrive) scrive = scrivi(uscita, fuori);
        if (s.finito) break;
    }
    // The reader has stopped: at the input's end, or after the exit it read.
    t.join();
    return s.finito && s.spento ? 0 : 1;
}

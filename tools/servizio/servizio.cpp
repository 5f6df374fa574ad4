#include "tools/servizio/servizio.h"

#include <memory>
#include <string>
#include <vector>

#include "sources/testo_visibile.h"
#include "tools/comune/errore_uso.h"
#include "tools/comune/tipo_file.h"
#include "tools/comune/testo_terminale.h"
#include "tools/diagnostiche/stampa_diagnostiche.h"
#include "tools/servizio/eventi_sse.h"
#include "tools/servizio/pagina_servita.h"
#include "tools/servizio/server_http.h"
#include "tools/servizio/sorveglianza.h"

using namespace std::string_literals;

namespace {

// How long a page waits before it connects again to a server that stopped.
constexpr int attesa_riconnessione_ms = 1000;

void verifica_servizio(const richiesta_vista& r) {
    if (!r.pagina.empty()) throw errore_uso{"view --serve writes no page: leave out -o"};
    if (r.file.size() != 2 || !finisce_con_senza_maiuscole(r.file[0], ".txt") ||
        !finisce_con_senza_maiuscole(r.file[1], ".txt")) {
        throw errore_uso{"view --serve takes the two text sources, LINE_FILE TRAIN_FILE (.txt)"};
    }
    if (r.porta && (*r.porta < 0 || *r.porta > 65535)) {
        throw errore_uso{"--port takes a port from 1 to 65535, or 0 for a free one ("s + std::to_string(*r.porta) +
                         " given)"};
    }
}

std::vector<impronta_file> impronte(const richiesta_vista& r) {
    return {impronta_di(r.file[0]), impronta_di(r.file[1])};
}

// One line on standard output for each build.
void riferisci(std::ostream& uscita, const esito_ricostruzione& e, const std::string& perche) {
    uscita << "built " << perche << " in " << e.millisecondi << " ms: ";
    if (e.pagina) {
        uscita << "the page is up to date (" << conteggio_diagnostiche(e.diagnostiche) << ")\n";
    } else {
        uscita << "no scenario (" << conteggio_diagnostiche(e.diagnostiche) << "); the page keeps the last picture\n";
    }
    uscita.flush();
}

// The event of the last build, one copy for every stream.
std::shared_ptr<const std::string> evento_di(const stato_servizio& s) {
    return std::make_shared<const std::string>(evento_sse("vista", s.dati_evento));
}

risposta_http risposta_a(const richiesta_http& r, std::uint16_t porta, const stato_servizio& s,
                         const std::shared_ptr<const std::string>& evento) {
    const destinazione d = instrada(r, porta);
    risposta_http a;
    switch (d) {
    case destinazione::pagina:
        a.tipo = "text/html; charset=utf-8";
        a.corpo = s.pagina;
        return a;
    case destinazione::flusso:
        a.flusso = true;
        a.corpo = attesa_sse(attesa_riconnessione_ms);
        a.evento = evento;
        return a;
    default:
        return rifiuto(d);
    }
}

}  // namespace

int esegui_servizio(const richiesta_vista& r, std::ostream& uscita, std::ostream& errori, const controllo_servizio& c) {
    verifica_servizio(r);
    sorveglianza guardia = sorveglia(impronte(r));
    const esito_ricostruzione prima = ricostruisci(r);
    if (prima.illeggibile) {
        errori << "scenario-tool: not serving: " << prima.fatale << "\n";
        return 3;
    }
    stato_servizio s;
    accogli(s, prima, r.file[0], r.file[1]);

    server_aperto server;
    try {
        server = apri_server(static_cast<std::uint16_t>(r.porta.value_or(0)));
    } catch (const errore_ascolto& e) {
        errori << "scenario-tool: not serving: " << visibile_misto(e.what()) << "\n";
        return 3;
    }
    const std::uint16_t porta = porta_server(*server);
    uscita << "serving http://127.0.0.1:" << porta << "/ (the page of " << visibile_percorso(r.file[0]) << " and "
           << visibile_percorso(r.file[1]) << "; built again when either is saved; Ctrl-C stops)\n";
    riferisci(uscita, prima, "at the start");
    if (c.in_ascolto) c.in_ascolto(porta);

    std::shared_ptr<const std::string> evento = evento_di(s);
    gestore_http g;
    g.rispondi = [&](const richiesta_http& q) { return risposta_a(q, porta, s, evento); };
    g.fermati = c.fermati;
    g.battito = [&]() -> std::shared_ptr<const std::string> {
        const std::vector<std::size_t> cambiati = da_ricostruire(guardia, impronte(r));
        if (cambiati.empty()) return {};
        const esito_ricostruzione e = ricostruisci(r);
        accogli(s, e, r.file[0], r.file[1]);
        std::string perche = "after a change to ";
        for (std::size_t i = 0; i < cambiati.size(); ++i) {
            perche.append(i ? " and " : "").append(visibile_percorso(r.file[cambiati[i]]));
        }
        riferisci(uscita, e, perche);
        evento = evento_di(s);
        return evento;
    };
    servi(*server, g, c.intervallo);
    server.reset();
    uscita << "stopped; the server is closed\n";
    uscita.flush();
    return 0;
}

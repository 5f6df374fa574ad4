#include "tools/costruzione/rapporto.h"

#include <algorithm>
#include <nlohmann/json.hpp>

#include "sources/cartella.h"
#include "tools/diagnostiche/stampa_diagnostiche.h"
#include "tools/comune/testo_1252.h"
#include "tools/comune/testo_terminale.h"

std::string nome_fatale(esito_fatale f) {
    switch (f) {
        case esito_fatale::errore_1250: return "1250";
        case esito_fatale::errore_1251: return "1251";
        case esito_fatale::senza_tracciato: return "no-track";
        case esito_fatale::io: return "io";
        case esito_fatale::nessuno: break;
    }
    return "";
}

std::string oggetto_json(const risultato_compilazione& r, const std::vector<diagnostica>& diagnostiche, bool con_file) {
    nlohmann::ordered_json j;
    const std::string fatale = nome_fatale(r.fatale);
    j["status"] = r.stato;
    j["position"] = r.posizione;
    j["fatal"] = fatale.empty() ? nlohmann::ordered_json(nullptr) : nlohmann::ordered_json(fatale);
    j["message"] = utf8_da_nome(r.messaggio);
    if (con_file) {
        j["files"] = nlohmann::ordered_json::array();
        for (const std::string& nome : r.file) j["files"].push_back(utf8_da_nome(nome));
    }
    j["diagnostics"] = json_diagnostiche(diagnostiche);
    return j.dump(-1, ' ', true, nlohmann::ordered_json::error_handler_t::replace);
}

void rapporto_testo(const risultato_compilazione& r, const std::string& cartella_uscita, std::string& uscita,
                    std::string& errori) {
    if (r.stato != 0) {
        // A status the build raised without a position leaves the position
        // as it was: the words name the place in the source instead.
        const auto ultimo = std::find_if(r.stati_sollevati.rbegin(), r.stati_sollevati.rend(),
                                         [&](const stato_sollevato& s) { return s.codice == r.stato; });
        const bool senza_posizione = ultimo != r.stati_sollevati.rend() && !ultimo->con_posizione;
        errori += "error " + std::to_string(r.stato) +
                  (senza_posizione ? std::string() : " at " + std::to_string(r.posizione) + " m") + ": " +
                  visibile_misto(r.testo_stato) + "\n";
    }
    if (r.fatale != esito_fatale::nessuno) errori += "fatal: " + visibile_misto(r.testo_fatale) + "\n";
    for (const std::string& nome : r.file) {
        uscita += "wrote " + visibile_misto(percorso_in(cartella_uscita, nome)) + "\n";
    }
}

std::string rapporto_diagnostiche(const std::vector<diagnostica>& diagnostiche, const std::string& riepilogo) {
    std::string t;
    for (const diagnostica& d : diagnostiche) {
        if (d.livello == gravita::errore && d.nome.empty()) t += testo_diagnostica(d);
    }
    t += riepilogo;
    for (const diagnostica& d : diagnostiche) {
        if (d.livello == gravita::avviso || !d.nome.empty()) t += testo_diagnostica(d);
    }
    return t;
}

int stato_uscita(const risultato_compilazione& r) {
    if (r.fatale != esito_fatale::nessuno) return 3;
    return r.stato != 0 ? 1 : 0;
}

bool con_errori(const std::vector<diagnostica>& d) {
    return std::any_of(d.begin(), d.end(), [](const diagnostica& x) { return x.livello == gravita::errore; });
}

int stato_uscita_controllo(const risultato_compilazione& r, const std::vector<diagnostica>& scelte) {
    const int s = stato_uscita(r);
    if (s != 0) return s;
    return con_errori(scelte) ? 1 : 0;
}

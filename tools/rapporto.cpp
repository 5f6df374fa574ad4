#include "tools/rapporto.h"

#include <nlohmann/json.hpp>

#include "sources/cartella.h"
#include "tools/testo_1252.h"

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

std::string oggetto_json(const risultato_compilazione& r) {
    nlohmann::ordered_json j;
    const std::string fatale = nome_fatale(r.fatale);
    j["status"] = r.stato;
    j["position"] = r.posizione;
    j["fatal"] = fatale.empty() ? nlohmann::ordered_json(nullptr) : nlohmann::ordered_json(fatale);
    j["message"] = utf8_da_1252(r.messaggio);
    j["files"] = nlohmann::ordered_json::array();
    for (const std::string& nome : r.file) j["files"].push_back(utf8_da_1252(nome));
    return j.dump(-1, ' ', true);
}

void rapporto_testo(const risultato_compilazione& r, const std::string& cartella_uscita, std::string& uscita,
                    std::string& errori) {
    if (r.stato != 0) {
        errori += "error " + std::to_string(r.stato) + " at " + std::to_string(r.posizione) + " m: " + r.testo_stato + "\n";
    }
    if (r.fatale != esito_fatale::nessuno) errori += "fatal: " + r.testo_fatale + "\n";
    for (const std::string& nome : r.file) uscita += "wrote " + percorso_in(cartella{cartella_uscita, {}, {}, {}, {}, {}, {}}, nome) + "\n";
}

int stato_uscita(const risultato_compilazione& r) {
    if (r.fatale != esito_fatale::nessuno) return 3;
    return r.stato != 0 ? 1 : 0;
}

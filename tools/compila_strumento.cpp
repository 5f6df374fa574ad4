#include "tools/compila_strumento.h"

#include <exception>
#include <filesystem>
#include <memory>

#include "compiler/stati.h"
#include "platform/cartella_disco.h"
#include "sources/errore_esecuzione.h"
#include "sources/nomi_file.h"
#include "track/errore.h"
#include "track/memorizza_percorso.h"

namespace {

namespace fs = std::filesystem;

void unisci(std::string& messaggio, const std::string& parte) {
    if (parte.empty()) return;
    if (!messaggio.empty()) messaggio += "; ";
    messaggio += parte;
}

const char* nessun_file = "no scenario file was written";

// The directory part and the name of a path.
std::pair<std::string, std::string> separa(const std::string& percorso) {
    const std::size_t ultimo = percorso.find_last_of("/\\");
    if (ultimo == std::string::npos) return {".", percorso};
    return {ultimo == 0 ? percorso.substr(0, 1) : percorso.substr(0, ultimo), percorso.substr(ultimo + 1)};
}

void fatale_segnalato(const errore_segnalato& e, costruzione_in_memoria& c) {
    const bool codici = e.codice == "1251";
    c.fatale = codici ? esito_fatale::errore_1251 : esito_fatale::errore_1250;
    c.testo_fatale = "the build ended with the message \"" + e.messaggio + "\" (" +
                     (codici ? "a check-code slot, valore4 of entry 85 or valore2 of cell 1,"
                             : "a format-stamp slot, par1 of entry 85 or valore1 of cell 1,") +
                     " already held a value); " + nessun_file;
}

void fatale_esecuzione(const errore_esecuzione& e, esito_fatale& fatale, std::string& testo) {
    if (e.operazione == operazione_senza_tracciato) {
        fatale = esito_fatale::senza_tracciato;
        testo = std::string(e.what()) + "; " + nessun_file;
    } else {
        fatale = esito_fatale::io;
        testo = testo_esecuzione(e);
    }
}

// The entry of the raised-status list that set the final pair: the last one
// with the final code.
const stato_sollevato* ultimo_con(const modello_scenario& m, std::int32_t codice) {
    for (auto i = m.stati_sollevati.rbegin(); i != m.stati_sollevati.rend(); ++i) {
        if (i->codice == codice) return &*i;
    }
    return nullptr;
}

}  // namespace

std::string testo_esecuzione(const errore_esecuzione& e) {
    std::string t = e.operazione;
    if (!e.percorso.empty()) t += " \"" + e.percorso + "\"";
    return t + ": " + e.what();
}

std::optional<std::string> leggi_ingresso(const std::string& percorso) {
    const auto [dove, nome] = separa(percorso);
    cartella dir = piattaforma::cartella_su_disco(dove);
    if (dir.genere(nome) == genere_file::assente) return std::nullopt;
    return dir.leggi(nome, limite_sorgente);
}


void verifica_ingressi_protetti(const richiesta_compilazione& r, const nomi_scenario& nomi) {
    const std::string uscite[] = {nome_file_planimetria(nomi.linea), nome_file_scenario(nomi.linea, nomi.treno),
                                  nome_file_tracciato(nomi.linea, nomi.treno)};
    for (const std::string& nome : uscite) {
        const fs::path uscita = fs::path(r.cartella_uscita) / nome;
        for (const std::string& ingresso : {r.file_linea, r.file_treno}) {
            std::error_code e;
            if (fs::equivalent(uscita, fs::path(ingresso), e)) {
                throw errore_uso{"the output file \"" + uscita.string() + "\" is the input file \"" + ingresso + "\""};
            }
        }
    }
}

std::string testo_stato(const modello_scenario& m, const richiesta_compilazione& r) {
    if (m.codice_errore == 0) return "";
    std::string t = testo_stato(m.codice_errore);
    const stato_sollevato* s = ultimo_con(m, m.codice_errore);
    if (s == nullptr) return t;
    const luogo& l = s->campo;
    if (noto(l)) {
        t += " (line " + std::to_string(l.riga) + ", column " + std::to_string(l.colonna) + " of " +
             (l.file == sorgente::linea ? r.file_linea : r.file_treno) + ")";
    }
    if (!s->dettaglio.empty()) t += ": " + s->dettaglio;
    return t;
}

void costruisci_in_memoria(costruzione_in_memoria& c, const nomi_scenario& nomi, const std::string* testo_linea,
                           const std::string* testo_treno, bool con_planimetria) {
    c.modello.nome_linea = nomi.linea;
    c.modello.numero_treno = nomi.treno;
    if (testo_linea != nullptr) c.file[nome_file_linea(nomi.linea)] = *testo_linea;
    if (testo_treno != nullptr) c.file[nome_file_treno(nomi.linea, nomi.treno)] = *testo_treno;
    cartella dir = cartella_in_memoria(c.file);
    try {
        memorizza_percorso(c.modello, con_planimetria, dir);
    } catch (const errore_segnalato& e) {
        fatale_segnalato(e, c);
    } catch (const errore_esecuzione& e) {
        fatale_esecuzione(e, c.fatale, c.testo_fatale);
    }
    // What the compiler left of the text sources is not an output.
    c.file.erase(nome_file_linea(nomi.linea));
    c.file.erase(nome_file_treno(nomi.linea, nomi.treno));
}

risultato_compilazione compila_scenario(const richiesta_compilazione& r, const nomi_scenario& nomi) {
    risultato_compilazione ris;
    auto c = std::make_unique<costruzione_in_memoria>();
    try {
        cartella uscita = piattaforma::cartella_su_disco(r.cartella_uscita);
        if (uscita.genere(".") != genere_file::cartella) {
            throw errore_esecuzione("open output directory", r.cartella_uscita, 0, "not an existing directory");
        }
        const std::optional<std::string> linea = leggi_ingresso(r.file_linea);
        const std::optional<std::string> treno = leggi_ingresso(r.file_treno);
        costruisci_in_memoria(*c, nomi, linea ? &*linea : nullptr, treno ? &*treno : nullptr, !r.senza_planimetria);
        ris.fatale = c->fatale;
        ris.testo_fatale = c->testo_fatale;
        if (c->fatale == esito_fatale::nessuno) {
            for (const std::string& nome : {nome_file_planimetria(nomi.linea),
                                            nome_file_scenario(nomi.linea, nomi.treno),
                                            nome_file_tracciato(nomi.linea, nomi.treno)}) {
                auto f = c->file.find(nome);
                if (f == c->file.end()) continue;
                uscita.sostituisci(nome, std::move(f->second));
                ris.file.push_back(nome);
            }
        }
    } catch (const errore_esecuzione& e) {
        fatale_esecuzione(e, ris.fatale, ris.testo_fatale);
    } catch (const std::exception& e) {
        ris.fatale = esito_fatale::io;
        ris.testo_fatale = e.what();
    }
    ris.stato = c->modello.codice_errore;
    ris.posizione = c->modello.posizione_errore;
    ris.testo_stato = testo_stato(c->modello, r);
    ris.stati_sollevati = c->modello.stati_sollevati;
    unisci(ris.messaggio, ris.testo_stato);
    unisci(ris.messaggio, ris.testo_fatale);
    if (ris.messaggio.empty()) ris.messaggio = testo_stato(0);
    return ris;
}

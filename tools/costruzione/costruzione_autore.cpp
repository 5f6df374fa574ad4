#include "tools/costruzione/costruzione_autore.h"

#include <exception>

#include "compiler/compilatore.h"
#include "sources/errore_esecuzione.h"
#include "sources/nomi_file.h"
#include "track/errore.h"
#include "track/memorizza_percorso.h"
#include "tools/diagnostiche/diagnostiche.h"
#include "tools/comune/errore_uso.h"
#include "tools/diagnostiche/parole_guasti.h"
#include "tools/comune/sorgenti_autore.h"
#include "tools/costruzione/ricupero.h"

namespace {

const char* nessun_file = "no scenario file was written";

// The names of the three outputs: the line plan, the scenario table, the track.
std::vector<std::string> uscite_di(const nomi_scenario& nomi) {
    return {nome_file_planimetria(nomi.linea), nome_file_scenario(nomi.linea, nomi.treno),
            nome_file_tracciato(nomi.linea, nomi.treno)};
}

fatale_costruzione fatale_segnalato(const errore_segnalato& e) {
    const bool codici = e.codice == "1251";
    fatale_costruzione f;
    f.esito = codici ? esito_fatale::errore_1251 : esito_fatale::errore_1250;
    f.testo = "the build ended with the message \"" + e.messaggio + "\" (" +
              (codici ? "a check-code slot, valore4 of entry 85 or valore2 of cell 1,"
                      : "a format-stamp slot, par1 of entry 85 or valore1 of cell 1,") +
              " already held a value); " + nessun_file;
    return f;
}

fatale_costruzione fatale_esecuzione(const errore_esecuzione& e) {
    fatale_costruzione f;
    if (e.operazione == operazione_senza_tracciato) {
        f.esito = esito_fatale::senza_tracciato;
        f.testo = std::string(e.what()) + "; " + nessun_file;
    } else {
        f.esito = esito_fatale::io;
        f.testo = testo_esecuzione(e);
    }
    return f;
}

fatale_costruzione fatale_io(std::string testo) {
    fatale_costruzione f;
    f.esito = esito_fatale::io;
    f.testo = std::move(testo);
    return f;
}

// The directory the build writes its outputs to: each output, named as the
// model names it, goes to `consegna` under the name its file gets. Messages
// name an output by its name alone.
cartella cartella_uscite(const nomi_scenario& nomi,
                         const std::function<void(const std::string&, const contenuto_file&)>& consegna) {
    cartella dir;
    dir.sostituisci = [nel_modello = uscite_di(nomi_nel_modello(nomi)), uscite = uscite_di(nomi),
                       &consegna](const std::string& nome, const contenuto_file& contenuto) {
        for (std::size_t i = 0; i < nel_modello.size(); ++i) {
            if (nel_modello[i] == nome) return consegna(uscite[i], contenuto);
        }
        throw errore_esecuzione("replace", nome, 0, "not one of the outputs of a build");
    };
    return dir;
}

}  // namespace

fatale_costruzione costruisci_testi(modello_scenario& m, const nomi_scenario& nomi, const std::string* testo_linea,
                                    const std::string* testo_treno, modo_planimetria piano,
                                    const std::function<void(const std::string&, const contenuto_file&)>& consegna) {
    const nomi_scenario modello = nomi_nel_modello(nomi);
    m.nome_linea = modello.linea;
    m.numero_treno = modello.treno;
    std::map<std::string, std::string> sorgenti;
    if (testo_linea != nullptr) sorgenti[nome_file_linea(modello.linea)] = *testo_linea;
    if (testo_treno != nullptr) sorgenti[nome_file_treno(modello.linea, modello.treno)] = *testo_treno;
    try {
        prepara_modello(m, piano);
        memorizza_dati(m, cartella_in_memoria(sorgenti));
        completa_percorso(m, cartella_uscite(nomi, consegna));
    } catch (const errore_segnalato& e) {
        return fatale_segnalato(e);
    } catch (const errore_esecuzione& e) {
        return fatale_esecuzione(e);
    }
    return {};
}

sorgenti_autore sorgenti_di(const richiesta_costruzione& r, const risultato_costruzione& c) {
    return {r.file_linea, r.file_treno, c.testo_linea ? &*c.testo_linea : nullptr,
            c.testo_treno ? &*c.testo_treno : nullptr};
}

modo_planimetria planimetria_di(const richiesta_costruzione& r) {
    if (!r.con_planimetria) return modo_planimetria::nessuna;
    return r.solo_verifica_planimetria ? modo_planimetria::verificata : modo_planimetria::scritta;
}

namespace {

// The build once the sources are read; the outputs to the publication, or
// kept in memory. The publication decides at the first output, when the
// build has nothing left to raise: the files are written last.
void costruisci_letti(risultato_costruzione& c, const richiesta_costruzione& r, const pubblicazione_uscite* pubblica) {
    const std::string* linea = c.testo_linea ? &*c.testo_linea : nullptr;
    const std::string* treno = c.testo_treno ? &*c.testo_treno : nullptr;
    if (pubblica == nullptr) {
        c.fatale = costruisci_testi(*c.modello, r.nomi, linea, treno, planimetria_di(r),
                                    [&c](const std::string& nome, const contenuto_file& contenuto) {
                                        c.file[nome] = in_un_testo(contenuto);
                                    });
        return;
    }
    bool decisa = false;
    const auto consegna = [&](const std::string& nome, const contenuto_file& contenuto) {
        if (!decisa) {
            decisa = true;
            const std::vector<diagnostica> d = diagnostiche_costruzione(*c.modello, sorgenti_di(r, c), {});
            c.trattenuti = !pubblica->accetta(*c.modello, d);
            if (!c.trattenuti) pubblica->prima_di_scrivere();
        }
        if (!c.trattenuti) pubblica->scrivi(nome, contenuto);
    };
    c.fatale = costruisci_testi(*c.modello, r.nomi, linea, treno, planimetria_di(r), consegna);
    if (c.fatale.esito != esito_fatale::nessuno || !decisa || c.trattenuti) return;
    esito_pubblicazione e = pubblica->conferma();
    c.pubblicati = std::move(e.pubblicati);
    if (e.errore) c.fatale = fatale_esecuzione(*e.errore);
}

}  // namespace

namespace {

// The steps from the reading on, any failure turned into the fatal outcome;
// then every diagnostic, and with the request's flag every further problem.
template <typename Passi>
risultato_costruzione costruisci_con(const richiesta_costruzione& r, Passi&& passi) {
    risultato_costruzione c;
    try {
        passi(c);
    } catch (const errore_esecuzione& e) {
        c.fatale = fatale_esecuzione(e);
        c.fatale.illeggibile = e.dove.file;
        c.fatale.perche = e.what();
    } catch (const errore_uso& e) {
        c.fatale = fatale_io(e.messaggio);
    } catch (const std::exception& e) {
        c.fatale = fatale_io(e.what());
    }
    c.diagnostiche = diagnostiche_costruzione(*c.modello, sorgenti_di(r, c), c.fatale);
    if (r.oltre_il_primo_errore) cerca_altri_problemi(c, r);
    return c;
}

}  // namespace

namespace {

// The two sources read, the line file first: a failure to read the line file
// leaves the train file unread.
void leggi_sorgenti(risultato_costruzione& c, const richiesta_costruzione& r, const lettura_sorgente& leggi) {
    c.testo_linea = leggi(r.file_linea, sorgente::linea);
    c.testo_treno = leggi(r.file_treno, sorgente::treno);
}

}  // namespace

risultato_costruzione costruisci_autore(const richiesta_costruzione& r, const pubblicazione_uscite* pubblica) {
    return costruisci_con(r, [&](risultato_costruzione& c) {
        if (pubblica != nullptr) pubblica->prima_di_leggere();
        leggi_sorgenti(c, r, leggi_sorgente_autore);
        costruisci_letti(c, r, pubblica);
    });
}

risultato_costruzione costruisci_autore_letti(const richiesta_costruzione& r, const lettura_sorgente& leggi) {
    return costruisci_con(r, [&](risultato_costruzione& c) {
        leggi_sorgenti(c, r, leggi);
        costruisci_letti(c, r, nullptr);
    });
}

risultato_costruzione costruisci_autore_testi(const richiesta_costruzione& r, std::optional<std::string> testo_linea,
                                              std::optional<std::string> testo_treno) {
    return costruisci_con(r, [&](risultato_costruzione& c) {
        c.testo_linea = std::move(testo_linea);
        c.testo_treno = std::move(testo_treno);
        costruisci_letti(c, r, nullptr);
    });
}

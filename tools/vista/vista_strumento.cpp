#include "tools/vista/vista_strumento.h"

#include <array>
#include <exception>
#include <memory>

#include "compiler/stati.h"
#include "platform/cartella_disco.h"
#include "sources/errore_esecuzione.h"
#include "tools/costruzione/compila_strumento.h"
#include "tools/costruzione/costruzione_autore.h"
#include "tools/comune/errore_uso.h"
#include "tools/binari/file_binario.h"
#include "tools/comune/nomi.h"
#include "tools/diagnostiche/parole_guasti.h"
#include "tools/comune/percorsi.h"
#include "tools/comune/pubblica.h"
#include "tools/diagnostiche/stampa_diagnostiche.h"
#include "tools/comune/richiesta_compilazione.h"
#include "tools/comune/tipo_file.h"
#include "tools/vista/vista.h"
#include "tools/comune/testo_terminale.h"
#include "track/lettura_binaria.h"

using namespace std::string_literals;

namespace {

void verifica_richiesta(const richiesta_vista& r) {
    if (r.pagina.empty()) throw errore_uso{"view needs the page to write: -o PAGE.html"};
    if (r.file.size() < 2 || r.file.size() > 3) {
        throw errore_uso{"view needs two text sources or two or three binary files ("s + std::to_string(r.file.size()) +
                         " given)"};
    }
    if (separa_percorso(r.pagina).second.empty()) throw errore_uso{"the page \""s + r.pagina + "\" names no file"};
    for (const std::string& f : r.file) {
        if (piattaforma::stesso_file(r.pagina, f)) {
            throw errore_uso{"the page \""s + r.pagina + "\" is the input file \"" + f + "\""};
        }
    }
}

bool sono_sorgenti(const richiesta_vista& r) {
    std::size_t testi = 0;
    for (const std::string& f : r.file) testi += finisce_con_senza_maiuscole(f, ".txt") ? 1 : 0;
    if (testi != 0 && testi != r.file.size()) {
        throw errore_uso{"view takes either the two text sources (.txt) or the binary files (.dat, .sim), not both"};
    }
    if (testi == 0) {
        if (r.nome_linea || r.numero_treno || r.senza_planimetria) {
            throw errore_uso{"--line-name, --train-number and --no-plan apply to the text sources only"};
        }
        return false;
    }
    if (r.file.size() != 2) {
        throw errore_uso{"view needs exactly two text sources, LINE_FILE and TRAIN_FILE ("s +
                         std::to_string(r.file.size()) + " given)"};
    }
    return true;
}

// Every status the build raised, as compile prints it (the root cause first,
// each where it was raised, with the line of the record).
std::string errori_di_stato(const std::vector<diagnostica>& diagnostiche) {
    std::string t;
    for (const diagnostica& d : diagnostiche) {
        if (d.livello == gravita::errore && d.stato && cerca_stato(*d.stato)) t += testo_diagnostica(d);
    }
    return t;
}

// The page, and what the run prints about it; `con_stato`: the build
// recorded a status (already printed).
int scrivi_e_riferisci(const richiesta_vista& r, const ingresso_vista& i, bool con_stato, std::ostream& uscita,
                       std::ostream& errori) {
    try {
        scrivi_pagina(r.pagina, contenuto_file(0, [&i](const contenuto_file::destinazione& scrivi) {
                          uscita_pagina u(scrivi);
                          scrivi_pagina_vista(u, i);
                      }));
    } catch (const errore_esecuzione& e) {
        errori << "scenario-tool: no page written: " << visibile_percorso(testo_esecuzione(e)) << "\n";
        return 3;
    }
    uscita << "wrote " << visibile_percorso(r.pagina) << "\n";
    return con_stato ? 1 : 0;
}

int vista_da_sorgenti(const richiesta_vista& r, std::ostream& uscita, std::ostream& errori) {
    const vista_sorgenti v = costruisci_vista_sorgenti(r);
    if (v.costruzione->fatale.illeggibile != sorgente::nessuna) {
        errori << "scenario-tool: no page: " << visibile_percorso(v.costruzione->fatale.testo) << "\n";
        return 3;
    }
    errori << errori_di_stato(v.costruzione->diagnostiche);
    if (!v.ingresso) {
        errori << "scenario-tool: no page: " << visibile_misto(v.costruzione->fatale.testo) << "\n";
        return 3;
    }
    return scrivi_e_riferisci(r, *v.ingresso, v.costruzione->modello->codice_errore != 0, uscita, errori);
}

// The binary files by kind, from their names; a usage error when a name
// tells no kind, a kind comes twice, or the table or the track is missing.
std::array<std::optional<std::string>, 3> file_per_tipo(const std::vector<std::string>& file) {
    std::array<std::optional<std::string>, 3> per_tipo;
    for (const std::string& f : file) {
        const std::optional<tipo_file> t = tipo_da_nome_file(f);
        if (!t) {
            throw errore_uso{"the kind of \""s + f +
                             "\" cannot be told from its name (NAME_linea.dat, NAME_NUM.sim, NAME_NUM.dat)"};
        }
        std::optional<std::string>& posto = per_tipo[static_cast<std::size_t>(*t)];
        if (posto) throw errore_uso{"two "s + nome_tipo(*t) + " files: \"" + *posto + "\" and \"" + f + "\""};
        posto = f;
    }
    if (!per_tipo[static_cast<std::size_t>(tipo_file::scenario)] ||
        !per_tipo[static_cast<std::size_t>(tipo_file::tracciato)]) {
        throw errore_uso{
            "view needs the table (NAME_NUM.sim) and the track (NAME_NUM.dat); "
            "the plan (NAME_linea.dat) may be left out"};
    }
    return per_tipo;
}

// Decodes the files into the model; false, with the reason on `errori`, when
// one cannot be read or decoded.
bool decodifica(const std::array<std::optional<std::string>, 3>& per_tipo, modello_scenario& m, std::ostream& errori) {
    for (const tipo_file t : {tipo_file::scenario, tipo_file::tracciato, tipo_file::planimetria}) {
        const std::optional<std::string>& f = per_tipo[static_cast<std::size_t>(t)];
        if (!f) continue;
        try {
            const std::string byte = leggi_file_binario(*f, t);
            if (t == tipo_file::scenario) m.scenario = leggi_scenario(byte);
            if (t == tipo_file::tracciato) m.tracciato = leggi_tracciato(byte);
            if (t == tipo_file::planimetria) m.planimetria = leggi_planimetria(byte);
        } catch (const errore_lettura& e) {
            errori << "scenario-tool: no page: " << visibile_percorso(*f) << ": not a " << nome_tipo(t) << " file: " << e.what()
                   << "\n";
            return false;
        } catch (const errore_esecuzione& e) {
            errori << "scenario-tool: no page: " << visibile_percorso(*f) << ": cannot read: "
                   << visibile_percorso(testo_esecuzione(e)) << "\n";
            return false;
        }
    }
    m.scrivi_linea = per_tipo[static_cast<std::size_t>(tipo_file::planimetria)].has_value();
    m.nome_linea = m.scenario[voce::dati_linea].nome;
    m.numero_treno = m.scenario[voce::dati_treno].nome;
    return true;
}

int vista_da_binari(const richiesta_vista& r, std::ostream& uscita, std::ostream& errori) {
    const std::array<std::optional<std::string>, 3> per_tipo = file_per_tipo(r.file);
    auto m = std::make_unique<modello_scenario>();
    if (!decodifica(per_tipo, *m, errori)) return 3;
    ingresso_vista i;
    i.modello = m.get();
    i.file = r.file;
    i.da_sorgenti = false;
    return scrivi_e_riferisci(r, i, false, uscita, errori);
}

}  // namespace

vista_sorgenti costruisci_vista_sorgenti(const richiesta_vista& r) {
    richiesta_compilazione rc;
    rc.file_linea = r.file[0];
    rc.file_treno = r.file[1];
    rc.nome_linea = r.nome_linea;
    rc.numero_treno = r.numero_treno;
    rc.senza_planimetria = r.senza_planimetria;
    // The page draws the model: the three files' bytes are never made (an
    // 18 MB plan at 1,000,000 m), the publication refuses them unseen.
    pubblicazione_uscite nessuna_uscita;
    nessuna_uscita.prima_di_leggere = [] {};
    nessuna_uscita.accetta = [](const modello_scenario&, const std::vector<diagnostica>&) { return false; };
    vista_sorgenti v{std::make_unique<risultato_costruzione>(costruisci_autore(
                         {rc.file_linea, rc.file_treno, nomi_compilazione(rc), !r.senza_planimetria}, &nessuna_uscita)),
                     std::nullopt};
    const risultato_costruzione& c = *v.costruzione;
    if (c.fatale.illeggibile != sorgente::nessuna || c.fatale.esito != esito_fatale::nessuno) return v;
    const modello_scenario& m = *c.modello;
    ingresso_vista i;
    i.modello = &m;
    i.fonti.file_linea = rc.file_linea;
    i.fonti.file_treno = rc.file_treno;
    i.fonti.testo_linea = c.testo_linea ? &*c.testo_linea : nullptr;
    i.fonti.testo_treno = c.testo_treno ? &*c.testo_treno : nullptr;
    i.file = r.file;
    i.da_sorgenti = true;
    for (const stato_sollevato& s : m.stati_sollevati) i.stati.push_back(parole_stato(s, rc.file_linea, rc.file_treno));
    if (m.codice_errore != 0 && i.stati.empty()) {
        stato_sollevato s;
        s.codice = m.codice_errore;
        s.posizione = m.posizione_errore;
        s.con_posizione = true;
        i.stati.push_back(parole_stato(s, rc.file_linea, rc.file_treno));
    }
    v.ingresso = std::move(i);
    return v;
}

std::string parole_stato(const stato_sollevato& s, const std::string& file_linea, const std::string& file_treno) {
    std::string t = "status "s + std::to_string(s.codice);
    if (s.con_posizione) t += " at "s + std::to_string(s.posizione) + " m";
    t += ": "s + testo_stato(s.codice);
    if (noto(s.campo)) {
        t += " (line "s + std::to_string(s.campo.riga) + ", column " + std::to_string(s.campo.colonna) + " of " +
             (s.campo.file == sorgente::linea ? file_linea : file_treno) + ")";
    }
    if (s.guasto) t += ": "s + parole_guasto(*s.guasto);
    return t;
}

void scrivi_pagina(const std::string& percorso, const contenuto_file& pagina) {
    const auto [dove, nome] = separa_percorso(percorso);
    const esito_pubblicazione e = pubblica_file(piattaforma::cartella_su_disco(dove), {{nome, pagina}});
    if (e.errore) throw *e.errore;
}

int esegui_vista(const richiesta_vista& r, std::ostream& uscita, std::ostream& errori) {
    verifica_richiesta(r);
    return sono_sorgenti(r) ? vista_da_sorgenti(r, uscita, errori) : vista_da_binari(r, uscita, errori);
}

#include "memorizza_percorso.h"

#include "../sources/errore_esecuzione.h"
#include "../sources/percorso.h"
#include "codici_gara.h"
#include "errore.h"
#include "finitura.h"
#include "scrittura_binaria.h"

void prepara_modello(modello_scenario& m, std::int32_t j) {
    m.scrivi_linea = j;
    m.codice_errore = 0;
    for (voce_scenario& v : m.scenario) v = voce_scenario{};
}

// The stamps and the check codes go into cell 1: a track must reach it.
void verifica_tracciato(const modello_scenario& m) {
    if (m.tracciato.size() < 2) {
        throw errore_esecuzione(operazione_senza_tracciato, "", 0,
                                m.tracciato.empty() ? "the compiler left no track"
                                                    : "the compiler left a track without cell 1");
    }
}

void timbra_formato(modello_scenario& m) {
    voce_scenario& linea = m.scenario[voce::dati_linea];
    cella& prima = m.tracciato[1];
    if (linea.par1 != 0 || prima.valore1 != 0) errore("1250");
    linea.par1 = timbro_scenario;
    prima.valore1 = timbro_tracciato;
}

void memorizza_codici(modello_scenario& m) {
    voce_scenario& linea = m.scenario[voce::dati_linea];
    if (linea.valore4 != 0 || m.tracciato[1].valore2 != 0) errore("1251");
    linea.valore4 = codice_gara_st(m);
    m.tracciato[1].valore2 = static_cast<std::int16_t>(codice_gara_og(m));
}

void scrivi_file_scenario(const modello_scenario& m, const std::string& cartella, std::vector<std::string>& scritti) {
    if (m.scrivi_linea != 0 && !m.planimetria.tipi.empty()) {
        const std::string nome = nome_file_planimetria(m.nome_linea);
        scrivi_planimetria(percorso_file(cartella, nome), m.planimetria);
        scritti.push_back(nome);
    }
    const std::string nome_sim = nome_file_scenario(m.nome_linea, m.numero_treno);
    scrivi_scenario(percorso_file(cartella, nome_sim), m.scenario);
    scritti.push_back(nome_sim);
    const std::string nome_dat = nome_file_tracciato(m.nome_linea, m.numero_treno);
    scrivi_tracciato(percorso_file(cartella, nome_dat), m.tracciato);
    scritti.push_back(nome_dat);
}

void completa_percorso(modello_scenario& m, const std::string& cartella, std::vector<std::string>& scritti) {
    verifica_tracciato(m);
    finitura_tracciato(m);
    timbra_formato(m);
    memorizza_codici(m);
    scrivi_file_scenario(m, cartella, scritti);
}

void memorizza_percorso(modello_scenario& m, std::int32_t& j, const std::string& cartella, esito_percorso& esito) {
    prepara_modello(m, j);
    esito.compilazione = memorizza_dati(m, cartella);
    esito.codice_compilazione = m.codice_errore;
    esito.posizione_compilazione = m.posizione_errore;
    completa_percorso(m, cartella, esito.file_scritti);
}

esito_percorso memorizza_percorso(modello_scenario& m, std::int32_t& j, const std::string& cartella) {
    esito_percorso esito;
    memorizza_percorso(m, j, cartella, esito);
    return esito;
}

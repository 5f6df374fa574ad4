#include "track/memorizza_percorso.h"

#include "compiler/compilatore.h"
#include "sources/errore_esecuzione.h"
#include "sources/nomi_file.h"
#include "track/codici_gara.h"
#include "track/errore.h"
#include "track/finitura.h"
#include "track/scrittura_binaria.h"

void prepara_modello(modello_scenario& m, modo_planimetria piano) {
    m.scrivi_linea = piano != modo_planimetria::nessuna;
    m.planimetria.memorizza_punti = piano == modo_planimetria::scritta;
    m.codice_errore = 0;
    for (voce_scenario& v : m.scenario) v = voce_scenario{};
}

void prepara_modello(modello_scenario& m, bool con_planimetria) {
    prepara_modello(m, con_planimetria ? modo_planimetria::scritta : modo_planimetria::nessuna);
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

std::vector<std::string> scrivi_file_scenario(const modello_scenario& m, const cartella& dir) {
    std::vector<std::string> scritti;
    if (m.scrivi_linea && !m.planimetria.tipi.empty()) {
        scritti.push_back(nome_file_planimetria(m.nome_linea));
        scrivi_planimetria(dir, scritti.back(), m.planimetria);
    }
    scritti.push_back(nome_file_scenario(m.nome_linea, m.numero_treno));
    scrivi_scenario(dir, scritti.back(), m.scenario);
    scritti.push_back(nome_file_tracciato(m.nome_linea, m.numero_treno));
    scrivi_tracciato(dir, scritti.back(), m.tracciato);
    return scritti;
}

std::vector<std::string> completa_percorso(modello_scenario& m, const cartella& dir) {
    verifica_tracciato(m);
    finitura_tracciato(m);
    timbra_formato(m);
    memorizza_codici(m);
    return scrivi_file_scenario(m, dir);
}

std::vector<std::string> memorizza_percorso(modello_scenario& m, bool con_planimetria, const cartella& dir) {
    prepara_modello(m, con_planimetria);
    memorizza_dati(m, dir);
    return completa_percorso(m, dir);
}

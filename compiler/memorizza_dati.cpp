#include "compilazione.h"

#include "../sources/errore_esecuzione.h"
#include "../sources/file_disco.h"
#include "../sources/percorso.h"
#include "conversioni.h"

namespace {

esito_compilazione esito_di(const stato_compilazione& s, std::string dettaglio) {
    esito_compilazione e;
    e.file = s.ultimo_file;
    if (s.ultimo_file != sorgente::nessuna) {
        e.riga = s.lettore.riga_campo;
        e.colonna = s.lettore.colonna_campo;
    }
    e.dettaglio = std::move(dettaglio);
    return e;
}

}  // namespace

void apri_sorgente(stato_compilazione& s, sorgente quale) {
    const std::string& percorso = quale == sorgente::linea ? s.percorso_linea : s.percorso_treno;
    s.ultimo_file = quale;
    s.lettore = lettore_campi{};
    s.lettore = apri_lettore(leggi_file(percorso));
    s.file_aperto = quale;
}

void chiudi_ed_elimina(stato_compilazione& s) {
    const sorgente quale = s.file_aperto;
    s.file_aperto = sorgente::nessuna;
    if (quale == sorgente::linea) elimina_file(s.percorso_linea);
    if (quale == sorgente::treno) elimina_file(s.percorso_treno);
}

bool prova_posizione(modello_scenario& m, std::int32_t posizione, std::int32_t margine) {
    // The sum is Long arithmetic: one that does not fit is a runtime failure.
    const std::int32_t somma = long_controllato(static_cast<std::int64_t>(posizione) + margine);
    if (static_cast<double>(somma) / 50.0 <= static_cast<double>(m.numero_celle)) return true;
    m.codice_errore = 15;
    m.posizione_errore = posizione;
    return false;
}

esito_record termina_con(modello_scenario& m, stato_compilazione& s, std::int32_t codice) {
    chiudi_ed_elimina(s);
    m.codice_errore = codice;
    return esito_record::termina;
}

esito_record termina_con(modello_scenario& m, stato_compilazione& s, std::int32_t codice, std::int32_t posizione) {
    m.posizione_errore = posizione;
    return termina_con(m, s, codice);
}

void leggi_campo(modello_scenario& m, stato_compilazione& s) { m.campo = leggi_testo(s.lettore); }

esito_compilazione memorizza_dati(modello_scenario& m, const std::string& cartella) {
    stato_compilazione s;
    s.percorso_linea = percorso_file(cartella, nome_file_linea(m.nome_linea));
    s.percorso_treno = percorso_file(cartella, nome_file_treno(m.nome_linea, m.numero_treno));
    try {
        if (fase_linea(m, s)) fase_treno(m, s);
    } catch (const errore_esecuzione& e) {
        s.file_aperto = sorgente::nessuna;
        elimina_se_esiste(s.percorso_linea);
        elimina_se_esiste(s.percorso_treno);
        m.codice_errore = 25;
        return esito_di(s, e.what());
    }
    return esito_di(s, "");
}

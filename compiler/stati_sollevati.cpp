// Raising a status where it happens: the model's pair, and an entry of the
// raised-status list with the record and the value to blame.
#include "compiler/compilazione.h"
#include "compiler/conversioni.h"

void nota_cella(stato_sollevato& v, const modello_scenario& m, std::int64_t cella) {
    if (cella < 0 || cella >= static_cast<std::int64_t>(m.tracciato.size())) return;
    const auto k = static_cast<std::size_t>(cella);
    v.cella = cella;
    v.tipo_occupante = m.tracciato[k].tipo;
    if (k < m.origine_celle.size()) v.occupante = m.origine_celle[k];
}

void solleva(modello_scenario& m, const stato_compilazione& s, stato codice, std::optional<std::int32_t> posizione,
             int colpa, std::int64_t cella) {
    m.codice_errore = numero(codice);
    if (posizione) m.posizione_errore = *posizione;
    stato_sollevato v;
    v.codice = numero(codice);
    v.posizione = posizione.value_or(0);
    v.con_posizione = posizione.has_value();
    v.fase = s.lettore.file == sorgente::treno ? fase_stato::treno : fase_stato::linea;
    v.record = s.record.dove;
    v.regola = s.record.regola;
    v.campo = v.record;
    if (colpa >= 0 && static_cast<std::size_t>(colpa) < s.record.numero_valori) {
        v.campo = s.record.valori[static_cast<std::size_t>(colpa)];
    }
    nota_cella(v, m, cella);
    m.stati_sollevati.push_back(std::move(v));
}

esito_record termina(modello_scenario& m, stato_compilazione& s, stato codice, std::optional<std::int32_t> posizione,
                     int colpa, std::int64_t cella) {
    chiudi_ed_elimina(s);
    solleva(m, s, codice, posizione, colpa, cella);
    return esito_record::termina;
}

bool prova_posizione(modello_scenario& m, stato_compilazione& s, std::int32_t posizione, std::int32_t margine) {
    // The sum is Long arithmetic: one that does not fit is a runtime failure.
    const std::int32_t somma = long_controllato(static_cast<std::int64_t>(posizione) + margine);
    if (entro_il_tracciato(somma, 0, m.numero_celle)) return true;
    solleva(m, s, stato::fuori_tracciato, posizione, colpa_posizione);
    m.stati_sollevati.back().margine = margine;
    return false;
}

std::int32_t cella_di(std::int32_t posizione, double scarto) {
    return arrotonda_long(cella_reale(posizione, scarto));
}

cella& cella_scritta(modello_scenario& m, const luogo& origine, std::int64_t i) {
    cella& c = cella_tracciato(m, i);
    if (m.origine_celle.size() == m.tracciato.size()) m.origine_celle[static_cast<std::size_t>(i)] = origine;
    return c;
}

namespace {

bool stesso_record(const luogo& a, const luogo& b) {
    return a.file == b.file && a.riga == b.riga && a.colonna == b.colonna;
}

}  // namespace

void scrivi_avvicinamento(modello_scenario& m, const luogo& origine, std::int64_t i, std::uint8_t valore) {
    cella& c = cella_tracciato(m, i);
    if (m.origine_avvisi.size() == m.tracciato.size()) {
        luogo& prima = m.origine_avvisi[static_cast<std::size_t>(i)];
        if (c.avviso != 0 && noto(prima) && !stesso_record(prima, origine)) {
            m.marche_sovrascritte.push_back({i, true, 0, prima, origine});
        }
        prima = origine;
    }
    c.avviso = valore;
}

void nota_sovrascrittura(modello_scenario& m, const luogo& origine, std::int64_t i) {
    const cella& c = cella_tracciato(m, i);
    if (cella_libera(c) || m.origine_celle.size() != m.tracciato.size()) return;
    const luogo& prima = m.origine_celle[static_cast<std::size_t>(i)];
    if (noto(prima) && !stesso_record(prima, origine)) m.marche_sovrascritte.push_back({i, false, c.tipo, prima, origine});
}

// memorizza_dati: the line phase, then the train phase, under the one failure
// handler of the compiler.
#include <algorithm>
#include <tuple>

#include "compiler/compilazione.h"
#include "compiler/conversioni.h"
#include "compiler/linea.h"
#include "sources/errore_esecuzione.h"
#include "sources/nomi_file.h"

namespace {

// The place a runtime failure is blamed on: the field where the reader raised
// it; otherwise the position of the record being read (an index out of the
// track comes from it) or, for a record without values, its keyword.
luogo luogo_del_guasto(const stato_compilazione& s, const errore_esecuzione& e) {
    if (e.dove.file != sorgente::nessuna) return e.dove;
    if (s.record.numero_valori > 0) return s.record.valori[0];
    if (noto(s.record.dove)) return s.record.dove;
    // A failure to open a text source: the file itself, without a line.
    if (e.percorso == percorso_in(s.dir, s.file_treno)) return {sorgente::treno, 0, 0};
    if (e.percorso == percorso_in(s.dir, s.file_linea)) return {sorgente::linea, 0, 0};
    return {};
}

// What failed, as facts: a file operation keeps its operation, its file and
// the system's words; every other failure is its kind and numbers.
guasto_sollevato guasto_di(const errore_esecuzione& e) {
    guasto_sollevato g;
    g.dati = e.dati;
    if (e.dati.genere == genere_guasto::file) {
        g.operazione = e.operazione;
        g.percorso = e.percorso;
        g.sistema = e.what();
    }
    return g;
}

}  // namespace

void gestisci_guasto(modello_scenario& m, stato_compilazione& s, const errore_esecuzione& e) {
    const sorgente fase = s.file_aperto != sorgente::nessuna ? s.file_aperto : s.lettore.file;
    realizza_dimensioni(m, s);
    s.file_aperto = sorgente::nessuna;
    elimina_se_esiste(s.dir, s.file_linea);
    elimina_se_esiste(s.dir, s.file_treno);
    m.codice_errore = numero(stato::guasto_esecuzione);
    stato_sollevato v;
    v.codice = m.codice_errore;
    v.fase = fase == sorgente::treno ? fase_stato::treno : fase_stato::linea;
    v.campo = luogo_del_guasto(s, e);
    v.record = noto(s.record.dove) ? s.record.dove : v.campo;
    if (v.campo.file == sorgente::treno) v.fase = fase_stato::treno;
    v.regola = s.record.regola;
    v.guasto = guasto_di(e);
    m.stati_sollevati.push_back(std::move(v));
    if (e.dati.genere == genere_guasto::non_numero) controlla_conteggio_guasto(m, s, e.dove, e.dati.campo);
}

namespace {

// A train file that gives nothing to the build, however it was read.
void senza_record(modello_scenario& m, const stato_compilazione& s) {
    if (s.lettore.file != sorgente::treno || s.lettore.testo.empty() || s.oss.record_treno > 0) return;
    avvisa(m, avviso::nessun_record, {sorgente::treno, 0, 0},
           s.oss.generale_treno ? "the train file yields no record: no field after \"[generale]\" is a record"
                                : "the train file yields no record: it has no field \"[generale]\", and only what "
                                  "follows that field is read");
}

// Warnings in the order of the sources: the line file, then the train file.
void ordina_avvisi(modello_scenario& m) {
    std::stable_sort(m.avvisi.begin(), m.avvisi.end(), [](const avviso_sorgente& a, const avviso_sorgente& b) {
        const auto chiave = [](const avviso_sorgente& x) {
            return std::tuple(static_cast<int>(x.dove.file), x.dove.riga == 0 ? 0 : 1, x.dove.riga, x.dove.colonna);
        };
        return chiave(a) < chiave(b);
    });
}

}  // namespace

void memorizza_dati(modello_scenario& m, const cartella& dir) {
    stato_compilazione s(dir);
    s.file_linea = nome_file_linea(m.nome_linea);
    s.file_treno = nome_file_treno(m.nome_linea, m.numero_treno);
    try {
        if (fase_linea(m, s)) fase_treno(m, s);
    } catch (const errore_esecuzione& e) {
        gestisci_guasto(m, s, e);
    }
    esamina_fine_sorgente(m, s);
    senza_record(m, s);
    ordina_avvisi(m);
}

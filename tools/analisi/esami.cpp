#include "tools/analisi/esami.h"

#include <algorithm>

// Each check, in its own file.
void esame_marche_sovrascritte(const dati_esame& d, std::vector<rilievo>& r);
void esame_stessa_cella(const dati_esame& d, std::vector<rilievo>& r);
void esame_valori_impossibili(const dati_esame& d, std::vector<rilievo>& r);
void esame_valori_insoliti(const dati_esame& d, std::vector<rilievo>& r);
void esame_stazioni_omonime(const dati_esame& d, std::vector<rilievo>& r);
void esame_rallentamenti_inutili(const dati_esame& d, std::vector<rilievo>& r);
void esame_record_ignoti(const dati_esame& d, std::vector<rilievo>& r);

namespace {

constexpr bool errore = true;

const voce_esame esami[] = {
    {{esame::marche_sovrascritte, "a record whose marks on the track another record writes over: the first record's "
                                  "approach markers or its object are lost", errore},
     esame_marche_sovrascritte},
    {{esame::stessa_cella, "records of one kind at positions in one cell, where only the last counts", errore},
     esame_stessa_cella},
    {{esame::valore_impossibile, "a value no railway means: a slowdown of no length, a speed limit or adhesion of 0, a "
                                 "time past 23:59:59, a station without a name", errore},
     esame_valori_impossibili},
    {{esame::valore_insolito, "a train or line value beyond what any railway has: no braked mass or more than any "
                              "train has, no coaches, a speed limit above any line's"},
     esame_valori_insoliti},
    {{esame::stazioni_omonime, "two stations with one name"}, esame_stazioni_omonime},
    {{esame::rallentamento_inutile, "a slowdown not slower than the speed limit in force where it starts: it slows "
                                    "nothing"},
     esame_rallentamenti_inutili},
    {{esame::record_ignoto, "a word that is no keyword, followed by exactly the values of a record: the record is "
                            "not read", errore},
     esame_record_ignoti},
};

const voce_esame* voce_di(std::string_view nome) {
    const auto p = std::find_if(std::begin(esami), std::end(esami),
                                [&](const voce_esame& e) { return nome == e.descrizione.nome; });
    return p == std::end(esami) ? nullptr : &*p;
}

}  // namespace

std::span<const voce_esame> tabella_esami() { return esami; }

std::vector<rilievo> esegui_esami(const modello_scenario& m, const std::string* testo_linea,
                                  const std::string* testo_treno) {
    std::vector<rilievo> r;
    if (!m.stati_sollevati.empty() || m.tracciato.empty()) return r;
    const record_fonti record = leggi_record_fonti(testo_linea, testo_treno, m);
    const dati_esame d{m, testo_linea, testo_treno, record};
    for (const voce_esame& e : esami) e.esegui(d, r);
    return r;
}

bool e_nome_avviso(std::string_view nome) { return e_avviso(nome) || voce_di(nome) != nullptr; }

bool errore_per_nome(std::string_view nome) {
    const voce_esame* e = voce_di(nome);
    return e != nullptr ? e->descrizione.errore : e_errore_predefinito(nome);
}

std::string riga_di_record(const luogo& l) {
    return "line " + std::to_string(l.riga) + " of the " + nome_sorgente(l.file);
}

std::string forma_record(const record_fonti& r, const luogo& l) {
    const record_scritto* x = record_a(r, l);
    return x != nullptr && x->regola != nullptr ? x->regola->forma : "record";
}

std::vector<const record_scritto*> record_di_forma(const std::vector<record_scritto>& lista, std::string_view forma) {
    std::vector<const record_scritto*> r;
    for (const record_scritto& x : lista) {
        if (x.regola != nullptr && forma == x.regola->forma) r.push_back(&x);
    }
    return r;
}

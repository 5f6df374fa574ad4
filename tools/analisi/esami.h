// The checks of a built scenario: what the build makes of the author's
// records that no status or warning of the build tells (a record whose marks
// another overwrites, values no railway means, a word that is no keyword but
// is followed by a record's values). Each check is a function of its own
// file, one row of the table in esami.cpp and one explanation in
// tools/diagnostiche/spiegazioni.cpp; it reads the model and the records as
// written, and never changes what the build wrote.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "compiler/avvisi.h"
#include "compiler/modello.h"
#include "sources/luogo.h"
#include "tools/analisi/record_scritto.h"

// The names of the checks, as -Wno-NAME takes them.
namespace esame {
inline constexpr const char* marche_sovrascritte = "overwritten-mark";
inline constexpr const char* stessa_cella = "same-cell";
inline constexpr const char* valore_impossibile = "impossible-value";
inline constexpr const char* valore_insolito = "unlikely-value";
inline constexpr const char* stazioni_omonime = "duplicate-station";
inline constexpr const char* rallentamento_inutile = "idle-slowdown";
inline constexpr const char* record_ignoto = "unknown-record";
}  // namespace esame

// What a check finds: its name, the place to blame, the sentence (no full
// stop; field text in it is raw bytes) and the other places it names.
struct nota_rilievo {
    luogo dove;
    std::string messaggio;
};

struct rilievo {
    const char* nome = "";
    luogo dove;
    std::string messaggio;
    std::vector<nota_rilievo> note;
};

// What every check reads: the model of a build that raised no status, the
// two texts (null: no file) and their records as written.
struct dati_esame {
    const modello_scenario& m;
    const std::string* testo_linea;
    const std::string* testo_treno;
    const record_fonti& record;
};

using funzione_esame = void (*)(const dati_esame& d, std::vector<rilievo>& r);

struct voce_esame {
    descrizione_avviso descrizione;  // the name, what it tells, an error by default
    funzione_esame esegui;
};

// Every check, in the order they are told.
std::span<const voce_esame> tabella_esami();

// Every check run on a build; nothing when the build raised a status or made
// no track (what it built is not the scenario the files describe).
std::vector<rilievo> esegui_esami(const modello_scenario& m, const std::string* testo_linea,
                                  const std::string* testo_treno);

// A name of a warning of the build or of a check; the same, and an error by
// default.
bool e_nome_avviso(std::string_view nome);
bool errore_per_nome(std::string_view nome);

// "line 12 of the train file".
std::string riga_di_record(const luogo& l);

// The keyword the table of records gives the record at the place ("segnale"),
// or "record" when none.
std::string forma_record(const record_fonti& r, const luogo& l);

// The records of one kind of a source, in file order; `forma` is the keyword
// as the table of records writes it ("velocita").
std::vector<const record_scritto*> record_di_forma(const std::vector<record_scritto>& lista, std::string_view forma);

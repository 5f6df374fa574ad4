// Inside the compiler: the working state of memorizza_dati and the helpers its
// two phases share. The state is a plain struct passed first to every small
// function of a phase; it holds the field reader, the field last read and the
// record being read, and the cursors of each phase. The model only receives
// results.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "compiler/avvisi.h"
#include "compiler/compilatore.h"
#include "compiler/geometria.h"
#include "compiler/modello.h"
#include "compiler/regole_record.h"
#include "sources/cartella.h"
#include "sources/lettore_campi.h"

// The record being read: its keyword field and the places of the values read
// for it so far, in order.
struct record_letto {
    std::string chiave;
    luogo dove;
    std::string_view regola;  // the rule reading it, by its keyword as the embedded sources write it
    const regola_record* letto_da = nullptr;  // that rule
    std::array<luogo, 17> valori{};
    std::size_t numero_valori = 0;
};

// Index of a record's value that a status blames; the keyword itself when no
// value is to blame.
inline constexpr int colpa_chiave = -1;
inline constexpr int colpa_posizione = 0;  // every placed record begins with its position

struct stato_compilazione {
    const cartella& dir;
    std::string file_linea;  // names of the two text sources in `dir`
    std::string file_treno;

    // The text source being read (file number 1 while it is open).
    lettore_campi lettore;
    sorgente file_aperto = sorgente::nessuna;
    std::string campo;  // the field last read
    record_letto record;

    // Line phase.
    std::int32_t cursore_pendenza = 0;
    std::int32_t ultima_pendenza = 0;
    std::int32_t cursore_planimetria = 2;
    std::int32_t prossima_voce_cartello = 80;
    bool lunghezza_letta = false;
    // The track and the plan are allocated once, when the general section is
    // over (nothing writes to them before): the sizes asked for by the last
    // length record that passed each check, until then.
    std::optional<std::int32_t> celle_richieste;
    std::optional<std::int32_t> metri_richiesti;
    std::array<luogo, 3> luoghi_progressive{};  // the records read into entries 81, 82, 83

    // Train phase. The starting speed limit and adhesion are 0.
    std::int32_t cursore_velocita = 0;
    std::int32_t velocita_corrente = 0;
    luogo luogo_velocita;  // the speed value of the record that made velocita_corrente
    std::int32_t cursore_aderenza = 0;
    std::int32_t aderenza_corrente = 0;
    std::int32_t contatore_stazioni = 1;

    // What is noted for warnings.
    osservazioni oss;

    explicit stato_compilazione(const cartella& d) : dir(d) {}
};

// --- Reading ---------------------------------------------------------------------

void apri_sorgente(stato_compilazione& s, sorgente quale);
void chiudi_ed_elimina(stato_compilazione& s);

// Reads a field into `campo`.
void leggi_campo(stato_compilazione& s);

// Reads the next keyword field of the line body or the train file, passing
// over up to two comments in a row, and makes it the record being read.
// False when the file ends first: the last field is never interpreted.
bool leggi_chiave(stato_compilazione& s);

// Notes a section header met while looking for "[generale]", for warnings.
void nota_prima_del_generale(stato_compilazione& s);

// Makes `campo` the keyword of a new record.
void inizia_record(stato_compilazione& s);

// Value fields of the record being read; each notes its place.
std::int32_t valore_long(stato_compilazione& s);
std::int16_t valore_integer(stato_compilazione& s);
std::uint8_t valore_byte(stato_compilazione& s);
// A text value (sign text, station name), also left in `campo`.
std::string valore_testo(stato_compilazione& s);

// The compiler's failure handler: every file closed, the text sources that
// still exist deleted, status 25 raised where the failure happened.
struct errore_esecuzione;
void gestisci_guasto(modello_scenario& m, stato_compilazione& s, const errore_esecuzione& e);

// --- Statuses --------------------------------------------------------------------

// Records a status raised by the record being read: the model's pair (the
// position only when the status has one) and an entry of the raised-status
// list naming the record and its value number `colpa`.
// `cella`: the cell the status is about (one not free), with what holds it.
inline constexpr std::int64_t nessuna_cella = -1;
void solleva(modello_scenario& m, const stato_compilazione& s, stato codice, std::optional<std::int32_t> posizione,
             int colpa, std::int64_t cella = nessuna_cella);

// A failure that ends the method: the file is closed and deleted, the status raised.
esito_record termina(modello_scenario& m, stato_compilazione& s, stato codice, std::optional<std::int32_t> posizione,
                     int colpa, std::int64_t cella = nessuna_cella);

// The cell a status is about, with what it holds and the record that put it there.
void nota_cella(stato_sollevato& v, const modello_scenario& m, std::int64_t cella);

// Position test of a record: accepted when (posizione + margine) / 50, in
// floating point, is not beyond the last cell. A refused record raises status
// 15 with the position; a sum that does not fit a Long is a runtime failure.
bool prova_posizione(modello_scenario& m, stato_compilazione& s, std::int32_t posizione, std::int32_t margine);

// --- Warnings of the record being read -------------------------------------------

// A warning on value number `colpa` of the record being read (its keyword
// when colpa_chiave).
void avvisa_record(modello_scenario& m, const stato_compilazione& s, const char* nome, int colpa,
                   std::string messaggio);

// A position against the one before it in its section (`ultima`, then
// updated): out of order when it does not increase (or, with `uguale_ammesso`,
// when it goes back); and against the declared length of the line.
void controlla_posizione(modello_scenario& m, const stato_compilazione& s, std::optional<std::int32_t>& ultima,
                         std::int32_t posizione, bool uguale_ammesso, const char* che_cosa);
void controlla_lunghezza(modello_scenario& m, const stato_compilazione& s, std::int32_t posizione, const char* che_cosa);

// A value kept in the low 16 or 8 bits of a field: a warning when it reads
// back as another value.
void controlla_16(modello_scenario& m, const stato_compilazione& s, int colpa, std::int64_t valore, const char* che_cosa);
void controlla_8(modello_scenario& m, const stato_compilazione& s, int colpa, std::int64_t valore, const char* che_cosa);

// A text value (value number `colpa`) that ended at a comma.
void controlla_nome(modello_scenario& m, const stato_compilazione& s, int colpa, const char* che_cosa);

// The warnings of the fields of the source in the reader that matched no
// record; once per source, when it is done.
void esamina_fine_sorgente(modello_scenario& m, stato_compilazione& s);

// --- How a record was read (avvisi_lettura.cpp) -----------------------------------

// A keyword that holds the words of more than one record of its table
// (`regole`: those it matches, in table order).
void controlla_piu_record(modello_scenario& m, const stato_compilazione& s, std::span<const regola_record* const> regole);
// A record a file holds once, read a second time: the first one's values are lost.
void controlla_ripetuto(modello_scenario& m, stato_compilazione& s);
// The record just read against its line: values taken from the following
// lines, or a name taken from a number.
void controlla_conteggio(modello_scenario& m, const stato_compilazione& s);
// A value of the record being read that was no number (`campo`, at `dove`):
// the line held fewer values than the record takes, or a name stands where a
// number does.
void controlla_conteggio_guasto(modello_scenario& m, const stato_compilazione& s, const luogo& dove,
                                const std::string& campo);
// A field before "[generale]" that holds a record's keyword: the build never
// reads it. `generale_dopo`: the line of the "[generale]" that comes later (0: none).
void nota_record_prima_del_generale(stato_compilazione& s, std::span<const regola_record> tabella);
void avvisa_record_prima_del_generale(modello_scenario& m, const stato_compilazione& s, std::int32_t generale_dopo);
// The last field of a file, never interpreted, when it holds a record's keyword.
void controlla_campo_finale(modello_scenario& m, const stato_compilazione& s, std::span<const regola_record> tabella);
// A curve keyword whose side or grade its words do not say one way.
void controlla_parola_curva(modello_scenario& m, const stato_compilazione& s, std::int32_t lunghezza);
// A start and an end (or a length) that run backwards; `colpa` the value to blame.
void controlla_estremi(modello_scenario& m, const stato_compilazione& s, int colpa, std::int64_t inizio,
                       std::int64_t fine, const char* che_cosa, const char* effetto);
// A signal's digits and time, against what its cell keeps of them.
struct record_segnale;
void controlla_segnale(modello_scenario& m, const stato_compilazione& s, const record_segnale& r);
// The cells before the first speed-limit or adhesion record, and a train file
// without either.
void controlla_prima_copertura(modello_scenario& m, const stato_compilazione& s, bool letta_prima,
                               std::int32_t posizione, const char* che_cosa, const char* parola);
void controlla_copertura_finale(modello_scenario& m, const stato_compilazione& s);

// --- Cells -----------------------------------------------------------------------

// The cell of a metre position: the position divided by 50 in floating point,
// plus the rule's offset in cells, rounded half to even.
std::int32_t cella_di(std::int32_t posizione, double scarto = 0);

// The track cell at index i (outside the track: a runtime failure), noted as
// written by the record whose keyword stands at `origine`.
cella& cella_scritta(modello_scenario& m, const luogo& origine, std::int64_t i);

// Cell i's approach marker set to `valore` by the record at `origine`,
// whatever the cell held; a marker of another record there is noted as lost.
void scrivi_avvicinamento(modello_scenario& m, const luogo& origine, std::int64_t i, std::uint8_t valore);

// Cell i, about to take a mark whatever it holds: an object of another
// record there is noted as lost.
void nota_sovrascrittura(modello_scenario& m, const luogo& origine, std::int64_t i);

// --- Steps of the two phases --------------------------------------------------------

// fase_linea returns false when the method ends in it.
bool fase_linea(modello_scenario& m, stato_compilazione& s);
void fase_treno(modello_scenario& m, stato_compilazione& s);

// Orders the three kilometric progressives of entries 81 to 83; the places of
// their records move with them.
void progressive_ordina(modello_scenario& m, std::array<luogo, 3>& luoghi);

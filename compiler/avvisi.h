// Warnings: what the build drops, changes or truncates silently. The compiler
// notes what it meets while it reads (keyword fields that match no record,
// values kept in fewer bits, positions out of order or beyond the declared
// length, names cut at a comma, tabs, text that is not Windows-1252) and turns
// it into named warnings in the model. They never change what is written.
// The byte scan is in esame_testo.h, the fields that matched no record in
// campi_ignorati.h, the keyword suggestions in suggerimenti.h.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "compiler/modello.h"
#include "sources/luogo.h"

struct descrizione_avviso {
    const char* nome;   // as -Wno-NAME takes it
    const char* testo;  // what it warns of
    // An error unless -Wno-error=NAME: the build loses or shifts what the
    // author wrote (a record dropped, a value read into another field or
    // stored as another value, a range whose ends are swapped).
    bool errore = false;
};

// Every warning the build gives, in a fixed order.
std::span<const descrizione_avviso> tabella_avvisi();
bool e_avviso(std::string_view nome);
// The warning is an error by default.
bool e_errore_predefinito(std::string_view nome);

namespace avviso {
inline constexpr const char* parola_sbagliata = "misspelled-keyword";
inline constexpr const char* maiuscole = "keyword-case";
inline constexpr const char* record_fuori_posto = "misplaced-record";
inline constexpr const char* sezione_ignota = "unknown-section";
inline constexpr const char* nessun_record = "no-records";
inline constexpr const char* valori_in_piu = "extra-values";
inline constexpr const char* virgola_decimale = "decimal-separator";
inline constexpr const char* valore_troncato = "truncated-value";
inline constexpr const char* nome_troncato = "name-cut";
inline constexpr const char* fuori_ordine = "out-of-order";
inline constexpr const char* oltre_lunghezza = "beyond-length";
inline constexpr const char* tabulazione = "tab";
inline constexpr const char* codifica = "encoding";
inline constexpr const char* record_perso = "lost-record";
inline constexpr const char* conteggio_valori = "value-count";
inline constexpr const char* parola_ambigua = "ambiguous-keyword";
inline constexpr const char* estremi_invertiti = "swapped-range";
inline constexpr const char* cifre_segnale = "signal-digits";
inline constexpr const char* tempo_segnale = "signal-time";
inline constexpr const char* celle_scoperte = "uncovered-cells";
}  // namespace avviso

// The part of a source a field was read in.
enum class parte_sorgente : std::uint8_t { prima_del_generale, generale, corpo, treno };

// A field read where a keyword was expected that matched no record.
struct campo_ignorato {
    std::string testo;
    luogo dove;
    parte_sorgente parte = parte_sorgente::corpo;
    std::size_t inizio = 0;  // its first byte in the source
    // The record read last before it, when on the same line.
    std::string record_prima;
    std::size_t valori_record_prima = 0;
};

// What the compiler notes for warnings while it reads one run.
struct osservazioni {
    parte_sorgente parte = parte_sorgente::prima_del_generale;
    std::vector<campo_ignorato> ignorati;
    int record_linea = 0;  // records interpreted in each file
    int record_treno = 0;
    bool generale_treno = false;  // the train file's "[generale]" was found
    // The record interpreted last: its keyword, line and number of values.
    std::string ultimo_record;
    luogo luogo_ultimo_record;
    std::size_t valori_ultimo_record = 0;
    // Positions seen last, for the order a section expects.
    std::optional<std::int32_t> ultima_pendenza;
    std::optional<std::int32_t> ultima_curva;
    std::optional<std::int32_t> ultima_velocita;
    std::optional<std::int32_t> ultima_aderenza;
    std::optional<std::int32_t> ultima_stazione;
    // The text field read last (a keyword, a name), for the file's last field.
    luogo ultimo_campo_testo;
    // The first field before "[generale]" that holds a record's keyword.
    std::optional<luogo> record_prima_del_generale;
    std::string testo_prima_del_generale;
    // A speed-limit and an adhesion record were read.
    // The records a file holds once, where each was read.
    std::vector<std::pair<const void*, luogo>> letti_una_volta;
    bool velocita_letta = false;
    bool aderenza_letta = false;
};

// Appends a warning to the model.
void avvisa(modello_scenario& m, const char* nome, const luogo& dove, std::string messaggio);

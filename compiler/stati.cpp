#include "compiler/stati.h"

#include <array>

namespace {

constexpr std::array<voce_stato, 26> stati{{
    {stato::lunghezza_eccessiva, "the declared track length is over 1,000,000 m", "lunghezza percorso"},
    {stato::progressiva_non_multipla, "a kilometric progressive's start or value is not a multiple of 50",
     "progressiva chilometrica"},
    {stato::inizio_ripetizione_non_multiplo, "the start of the signal-code repetition is not a multiple of 50",
     "ripetizione segnali"},
    {stato::fine_ripetizione_non_multipla, "the end of the signal-code repetition is not a multiple of 50",
     "ripetizione segnali"},
    {stato::ripetizione_senza_codici, "the signal-code repetition line names neither 4 nor 9 codes",
     "ripetizione segnali"},
    {stato::cartello_occupato, "the cell of an indication sign (\"cartello\", \"indicat\") is not free",
     "cartello_indicatore"},
    {stato::abbattimento_occupato, "the cell of an \"abbattimento\" board is not free", "abbattimento"},
    {stato::stazione_non_multipla, "a station position is not a multiple of 50", "stazione"},
    {stato::lunghezza_stazione_non_multipla, "a station's length is not a multiple of 100", "stazione"},
    {stato::troppe_stazioni,
     "no room for another station: the station entries reach the entries of the indication-sign texts", "stazione"},
    {stato::tabella_segnale_impossibile,
     "finishing: no free cell for the board in front of a signal before a slowdown warning board", "rallentamento"},
    {stato::tabella_approccio_impossibile, "finishing: no free cell for an approach board of a slowdown",
     "rallentamento"},
    {stato::tabella_ripetizione_impossibile,
     "finishing: no free cell for a repeat board inside a slowdown or for the board before the first signal after it",
     "rallentamento"},
    {stato::fuori_tracciato, "a position lies beyond the end of the track", "any record with a position"},
    {stato::segnale_occupato, "the cell of a signal is not free", "segnale"},
    {stato::avviso_occupato, "the cell of a slowdown warning board is not free", "rallentamento"},
    {stato::inizio_rallentamento_occupato, "the start cell of a slowdown is not free", "rallentamento"},
    {stato::fine_rallentamento_occupata, "the end cell of a slowdown is not free", "rallentamento"},
    {stato::preavviso_occupato, "one of the four cells before a slowdown warning board is not free", "rallentamento"},
    {stato::indicatori_occupati, "the cell of a speed-indicator pair is not free", "indicatori_v"},
    {stato::stazioni_vicine, "a station's extent begins less than 350 m after the previous station's extent ends",
     "stazione"},
    {stato::marca_stazione_iniziale, "a station marker would fall at or before cell 1", "stazione"},
    {stato::guasto_esecuzione,
     "runtime failure while compiling the text files (a missing train file, a file ending inside a record, a value "
     "that does not fit its field)",
     "any record"},
    {stato::linea_mancante, "the line text file does not exist", "the line file"},
    {stato::generale_mancante, "the line text file has no \"[generale]\" section", "[generale]"},
    {stato::curva_non_valida, "a curve line gives no curvature grade, or the plan runs past 1,000,000 points",
     "curva"},
}};

}  // namespace

std::span<const voce_stato> tabella_stati() { return stati; }

std::optional<voce_stato> cerca_stato(std::int32_t codice) {
    for (const voce_stato& v : stati) {
        if (numero(v.codice) == codice) return v;
    }
    return std::nullopt;
}

const char* testo_stato(std::int32_t codice) {
    if (codice == 0) return "no error";
    const auto v = cerca_stato(codice);
    return v ? v->testo : "unknown status";
}

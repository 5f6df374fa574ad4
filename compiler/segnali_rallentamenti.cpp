// Placement of a signal and of a slowdown on the track. Cell values keep the
// low 16 bits (Integer fields) or 8 bits (Byte fields) of their arithmetic,
// which is done in 64 bits and never fails. A cell index outside the track is
// a runtime failure.
#include "compiler/compilazione.h"
#include "compiler/conversioni.h"
#include "compiler/record.h"

namespace {

using w64 = std::int64_t;

// A slowdown that begins this close to the start of the line (its warning
// board's distance plus 300 m, or closer) has no warning board.
constexpr std::int32_t inizio_con_avviso = distanza_avviso + 300;

// The signal keeps its time when its s group is of this kind; a time from 1
// to 100 counts as 101.
constexpr std::int32_t tipo_con_tempo = 2;

}  // namespace

posa memo_segnale(modello_scenario& m, const record_segnale& r, const luogo& origine) {
    const std::int32_t c = cella_di(r.posizione, 1);
    if (!cella_libera(cella_tracciato(m, c))) return {stato::segnale_occupato, c};
    cella& segnale = cella_scritta(m, origine, c);
    segnale.tipo = tipo_cella::segnale;
    segnale.valore4 = bassi_16(w64{r.rapp} * 10 + w64{r.sx} * 3 + r.dx);
    segnale.valore1 = bassi_16(w64{r.s1} * 10 + r.d1);
    segnale.valore2 = bassi_16(w64{r.s2} * 10 + r.d2);
    segnale.valore3 = bassi_16(w64{r.s3} * 10 + r.d3);
    const std::int32_t tempo = r.tempo >= 1 && r.tempo <= 100 ? 101 : r.tempo;
    segnale.tempo_segnale = r.sx == tipo_con_tempo ? bassi_8(tempo) : 0;
    // Approach markers at 2, 4, 6 and 8 cells before the signal, whatever
    // those cells hold.
    for (std::int32_t k = 1; k <= 4; ++k) {
        scrivi_avvicinamento(m, origine, w64{c} - 2 * w64{k}, bassi_8((w64{r.sx} * 3 + r.dx) * 10 + k));
    }
    return {};
}

posa memo_rallentamento(modello_scenario& m, const record_rallentamento& r, const luogo& origine) {
    // Where the slowdown begins close to the start of the line there is no
    // room for a warning board 1200 m before it, nor for its lead-in cells.
    const bool con_avviso = r.x > inizio_con_avviso;
    const bool con_preavviso = con_avviso && r.f_ta != 0;
    const std::int32_t prima = long_controllato(w64{r.x} - distanza_avviso);
    std::int32_t w = 0;
    if (con_avviso) {
        w = cella_di(prima, 1);
        if (!cella_libera(cella_tracciato(m, w))) return {stato::avviso_occupato, w};
    }
    const std::int32_t inizio = cella_di(r.x, 1);
    if (!cella_libera(cella_tracciato(m, inizio))) return {stato::inizio_rallentamento_occupato, inizio};
    const std::int32_t fine = cella_di(long_controllato(w64{r.x} + r.l), 1);
    if (!cella_libera(cella_tracciato(m, fine))) return {stato::fine_rallentamento_occupata, fine};

    cella_scritta(m, origine, fine).tipo = tipo_cella::fine_rallentamento;
    if (r.d_v != 0) cella_scritta(m, origine, fine).valore2 = bassi_16(r.d_v);
    cella_scritta(m, origine, inizio).tipo = tipo_cella::inizio_rallentamento;
    if (r.d_v != 0) cella_scritta(m, origine, inizio).valore2 = bassi_16(r.d_v);
    if (con_avviso) {
        cella& avviso = cella_scritta(m, origine, w);
        avviso.tipo = tipo_cella::avviso_rallentamento;
        if (r.d_v != 0) avviso.valore2 = bassi_16(r.d_v);
        avviso.valore1 = bassi_16(r.v);
    }
    cella_scritta(m, origine, inizio).valore1 = bassi_16(r.v);
    cella_scritta(m, origine, fine).valore1 = bassi_16(r.v);
    cella_scritta(m, origine, inizio).valore3 = bassi_16(r.f_tt);
    cella_scritta(m, origine, fine).valore3 = bassi_16(r.f_tt);

    // The four lead-in cells end in the cell just before the warning board.
    const std::int32_t cerca = cella_di(prima);
    if (!con_preavviso) return {};
    for (std::int32_t i = 0; i <= 3; ++i) {
        if (!cella_libera(cella_tracciato(m, w64{cerca} - i))) return {stato::preavviso_occupato, w64{cerca} - i};
    }
    for (std::int32_t i = 0; i <= 3; ++i) {
        cella& preavviso = cella_scritta(m, origine, w64{cerca} - i);
        preavviso.tipo = tipo_cella::preavviso_rallentamento;
        preavviso.valore1 = bassi_16(i + 1);
        if (r.d_v != 0) preavviso.valore2 = bassi_16(i + 1);
    }
    return {};
}

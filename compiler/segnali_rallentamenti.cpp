// Placement of a signal and of a slowdown on the track. Cell values keep the
// low 16 bits (Integer fields) or 8 bits (Byte fields) of their arithmetic,
// which is done in 64 bits and never fails. A cell index outside the track is
// a runtime failure.
#include "compilazione.h"
#include "conversioni.h"

namespace {

// The cell after the metre position's own cell: (posizione / 50 + 1) rounded.
std::int32_t cella_dopo(std::int32_t posizione) {
    return arrotonda_long(static_cast<double>(posizione) / 50.0 + 1.0);
}

using w64 = std::int64_t;

}  // namespace

void memo_segnale(modello_scenario& m, std::int32_t posizione, std::int32_t& sx, std::int32_t& s1, std::int32_t& s2,
                  std::int32_t& s3, std::int32_t& rapp, std::int32_t& dx, std::int32_t& d1, std::int32_t& d2,
                  std::int32_t& d3, std::int32_t& tempo) {
    const std::int32_t c = cella_dopo(posizione);
    cella& segnale = cella_tracciato(m, c);
    if (!cella_libera(segnale)) {
        m.codice_errore = 16;
        return;
    }
    segnale.tipo = tipo_cella::segnale;
    segnale.valore4 = bassi_16(w64{rapp} * 10 + w64{sx} * 3 + dx);
    segnale.valore1 = bassi_16(w64{s1} * 10 + d1);
    segnale.valore2 = bassi_16(w64{s2} * 10 + d2);
    segnale.valore3 = bassi_16(w64{s3} * 10 + d3);
    if (tempo >= 1 && tempo <= 100) tempo = 101;
    segnale.tempo_segnale = sx == 2 ? bassi_8(tempo) : 0;
    // Approach markers at 2, 4, 6 and 8 cells before the signal, whatever
    // those cells hold.
    for (m.k = 1; m.k <= 4; ++m.k) {
        cella_tracciato(m, w64{c} - 2 * w64{m.k}).avviso = bassi_8((w64{sx} * 3 + dx) * 10 + m.k);
    }
}

void memo_rallentamento(modello_scenario& m, std::int32_t x, std::int32_t& v, std::int32_t& l, std::int32_t& f_tt,
                        std::int32_t f_ta, std::int32_t& d_v) {
    // Where the slowdown begins close to the start of the line there is no
    // room for a warning board 1200 m before it, nor for its lead-in cells.
    const bool con_avviso = x > 1500;
    std::int32_t w = 0;
    if (con_avviso) {
        w = cella_dopo(long_controllato(w64{x} - 1200));
        if (!cella_libera(cella_tracciato(m, w))) {
            m.codice_errore = 17;
            return;
        }
    } else {
        f_ta = 0;
    }
    const std::int32_t inizio = cella_dopo(x);
    if (!cella_libera(cella_tracciato(m, inizio))) {
        m.codice_errore = 18;
        return;
    }
    const std::int32_t fine = cella_dopo(long_controllato(w64{x} + l));
    if (!cella_libera(cella_tracciato(m, fine))) {
        m.codice_errore = 19;
        return;
    }

    cella_tracciato(m, fine).tipo = tipo_cella::fine_rallentamento;
    if (d_v != 0) cella_tracciato(m, fine).valore2 = bassi_16(d_v);
    cella_tracciato(m, inizio).tipo = tipo_cella::inizio_rallentamento;
    if (d_v != 0) cella_tracciato(m, inizio).valore2 = bassi_16(d_v);
    if (con_avviso) {
        cella& avviso = cella_tracciato(m, w);
        avviso.tipo = tipo_cella::avviso_rallentamento;
        if (d_v != 0) avviso.valore2 = bassi_16(d_v);
        avviso.valore1 = bassi_16(v);
    }
    cella_tracciato(m, inizio).valore1 = bassi_16(v);
    cella_tracciato(m, fine).valore1 = bassi_16(v);
    cella_tracciato(m, inizio).valore3 = bassi_16(f_tt);
    cella_tracciato(m, fine).valore3 = bassi_16(f_tt);

    // The four lead-in cells end in the cell just before the warning board.
    m.cerca = arrotonda_long(static_cast<double>(long_controllato(w64{x} - 1200)) / 50.0);
    if (f_ta == 0) return;
    m.occupato = 0;
    for (std::int32_t i = 0; i <= 3; ++i) {
        if (!cella_libera(cella_tracciato(m, w64{m.cerca} - i))) m.occupato = 1;
    }
    if (m.occupato == 1) {
        m.codice_errore = 20;
        return;
    }
    for (std::int32_t i = 0; i <= 3; ++i) {
        cella& preavviso = cella_tracciato(m, w64{m.cerca} - i);
        preavviso.tipo = tipo_cella::preavviso_rallentamento;
        preavviso.valore1 = bassi_16(i + 1);
        if (d_v != 0) preavviso.valore2 = bassi_16(i + 1);
    }
}

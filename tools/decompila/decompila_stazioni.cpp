#include "tools/decompila/decompila_stazioni.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "tools/decompila/decompila_cartelli.h"
#include "tools/binari/dump_testo.h"

namespace {

bool usata(const voce_scenario& v) {
    return v.tipo != 0 || v.valore1 != 0 || v.valore2 != 0 || v.valore3 != 0 || v.marca != 0 || v.par1 != 0 ||
           v.par2 != 0 || v.par3 != 0 || v.par4 != 0 || v.par5 != 0 || v.opz1 != 0 || v.opz2 != 0 || v.opz3 != 0 ||
           v.opz4 != 0 || v.valore4 != 0 || !v.nome.empty();
}

void nota(note_decompilazione& n, int voce, std::string motivo) {
    annota(n, parte_scenario::scenario, voce, std::move(motivo));
}

// The length from the extent, and opz3 as the extent shows it.
void lunghezza_e_opz3(const voce_scenario& v, int numero, record_stazione& s, note_decompilazione& n) {
    const std::int64_t p = v.valore3;
    std::int64_t l = p - v.valore1;
    std::int64_t ultimo = 0;  // the extent's last metre for that length
    std::int32_t opz3 = v.opz3;
    if (estesa_avanti(v.tipo) || simmetrica(v.tipo)) {
        ultimo = estesa_avanti(v.tipo) ? p + oltre_estesa_avanti : p + l;
        if (opz3 != 0) nota(n, numero, "opz3 is " + std::to_string(opz3) + "; the build clears it for kinds 5 to 8");
        opz3 = 0;
    } else {
        l = 2 * (p - v.valore1);
        const bool lunga = static_cast<std::int64_t>(v.valore2) == p + l / 2 + allungamento_stazione;
        ultimo = p + l / 2 + (lunga ? allungamento_stazione : 0);
        if (numero == voce::prima_stazione) {
            // The first station's opz3 lengthens it, then is cleared.
            if (opz3 != 0) nota(n, numero, "opz3 is " + std::to_string(opz3) + "; the build clears it for the first station");
            opz3 = lunga ? 1 : 0;
        } else if (lunga != (opz3 != 0)) {
            nota(n, numero, std::string("the extent ") + (lunga ? "is" : "is not") + " 50 m longer at its far end while opz3 is " +
                                std::to_string(opz3));
        }
    }
    if (ultimo != v.valore2) {
        nota(n, numero, "the extent " + std::to_string(v.valore1) + " to " + std::to_string(v.valore2) +
                            " m has no length for a station of kind " + std::to_string(v.tipo) + " at " +
                            std::to_string(v.valore3) + " m");
    }
    if (l % 100 != 0 || l < INT32_MIN || l > INT32_MAX) {
        nota(n, numero, "the extent gives a length of " + std::to_string(l) + " m, not a multiple of 100 m");
        l = l / 100 * 100;
    }
    s.lunghezza = static_cast<std::int32_t>(l);
    s.opz3 = opz3;
}

void controlla(const quadro_scenario& q, const voce_scenario& v, int numero, const record_stazione& s,
               note_decompilazione& n) {
    if (v.valore3 % metri_cella != 0) {
        nota(n, numero, "the position " + std::to_string(v.valore3) + " m is not a multiple of 50 m");
    }
    if (!entro_il_tracciato(v.valore3, margine_stazione, q.numero_celle)) {
        nota(n, numero, "the position " + std::to_string(v.valore3) + " m is beyond the last a station may take");
    }
    if (v.opz4 != 0 && (s.lunghezza < lunghezza_con_opz4 || numero == voce::prima_stazione)) {
        nota(n, numero, "opz4 is " + std::to_string(v.opz4) + "; the build clears it for the first station and below 600 m");
    }
    if (v.tipo < tipo_stazione::senza_marche && static_cast<double>(v.valore2) / metri_cella - 1 <= 1) {
        nota(n, numero, "the extent ends at " + std::to_string(v.valore2) + " m, which leaves no cell for the station marker");
    }
    if (numero > voce::prima_stazione &&
        std::int64_t{v.valore1} - distanza_stazioni < q.scenario[static_cast<std::size_t>(numero - 1)].valore2) {
        nota(n, numero, "the extent begins less than 350 m after the previous station's ends");
    }
    std::string nome;
    if (!testo_scrivibile(v.nome, nome)) {
        nota(n, numero, "the name " + testo_tra_virgolette(v.nome) +
                            " holds a comma or a line end, or begins with a blank, which a station record cannot carry");
    }
}

record_stazione stazione(const quadro_scenario& q, int numero, note_decompilazione& n) {
    const voce_scenario& v = q.scenario[static_cast<std::size_t>(numero)];
    record_stazione s;
    s.posizione = v.valore3;
    s.tipo = v.tipo;
    s.marca = v.marca;
    s.opz4 = v.opz4;
    s.opz3 = v.opz3;
    s.par1 = v.par1;
    s.par2 = v.par2;
    s.opz1 = v.opz1;
    s.par3 = v.par3;
    s.par4 = v.par4;
    s.par5 = v.par5;
    s.opz2 = v.opz2;
    lunghezza_e_opz3(v, numero, s, n);
    controlla(q, v, numero, s, n);
    if (s.lunghezza < lunghezza_con_opz4 || numero == voce::prima_stazione) s.opz4 = 0;
    // A position that is not a multiple of 50 would stop the build: the
    // multiple of 50 nearer 0 is written instead.
    s.posizione -= s.posizione % metri_cella;
    // The time of day in seconds as hours, minutes and seconds.
    s.ore = v.valore4 / 3600;
    s.minuti = v.valore4 % 3600 / 60;
    s.secondi = v.valore4 % 60;
    testo_scrivibile(v.nome, s.nome);
    return s;
}

}  // namespace

std::int64_t fine_estensione(const record_stazione& s) {
    return fine_estensione_stazione(s.tipo, s.posizione, s.lunghezza, s.opz3 != 0);
}

marche_stazione marche_di(const record_stazione& s) {
    marche_stazione m;
    if (s.tipo >= tipo_stazione::senza_marche) return m;
    const double fine = cella_reale(fine_estensione(s));
    if (fine - 1 > 1) m.marca = static_cast<std::int64_t>(std::nearbyint(fine - 1));
    if (estesa_avanti(s.tipo)) return m;
    for (std::size_t n = 1; n <= 4; ++n) {
        const double t = fine - static_cast<double>(n) - 1;
        if (t > 1) m.avvicinamento[n - 1] = static_cast<std::int64_t>(std::nearbyint(t));
    }
    return m;
}

void recupera_stazioni(const quadro_scenario& q, int prima_voce_cartelli, sorgente_treno& t, note_decompilazione& n) {
    int ultima = 0;
    for (int i = 1; i < prima_voce_cartelli; ++i) {
        if (usata(q.scenario[static_cast<std::size_t>(i)])) ultima = i;
    }
    for (int i = 1; i <= ultima; ++i) t.stazioni.push_back(stazione(q, i, n));
    // The build stops reading the train file once the station counter
    // reaches the entry below the lowest sign text.
    const int ultima_letta = prima_voce_cartelli - 2;
    if (ultima >= ultima_letta && ultima >= 1) {
        nota(n, std::max(ultima_letta, 1),
             "the stations and the sign texts fill the table: the build stops reading the train file after this "
             "station, and the speed limits and adhesion of the cells after the last record are not filled");
    }
}

// The body of the line file: gradients, curves, mountains, speed indicators
// and indication signs, each tested by its position against the track.
#include <array>
#include <string>

#include "conversioni.h"
#include "linea.h"
#include "parole_chiave.h"

namespace {

bool posizione_accettata(modello_scenario& m, std::int32_t posizione) {
    return prova_posizione(m, posizione, margine_linea);
}

// From the cell of its position on, a gradient holds until the next one; the
// cells before it get the last gradient.
esito_record pendenza(modello_scenario& m, stato_compilazione& s) {
    const std::int32_t posizione = leggi_long(s.lettore);
    const std::int32_t valore = leggi_long(s.lettore);
    if (!posizione_accettata(m, posizione)) return esito_record::ferma;
    const std::int32_t v = arrotonda_long(posizione / 50.0);
    if (v > 0) {
        do {
            scrivi_pendenza(m, s);
        } while (s.cursore_pendenza < v);
    }
    s.ultima_pendenza = valore;
    return esito_record::continua;
}

// Curvature per metre of the first grade digit the keyword holds; false when
// it holds none.
bool curvatura_di(const std::string& chiave, double& curvatura) {
    struct grado {
        const char* cifra;
        double curvatura;
    };
    static constexpr std::array<grado, 6> gradi{{{"1", 0.0001},
                                                 {"2", 0.0002},
                                                 {"3", 0.0004},
                                                 {"4", 0.001},
                                                 {"5", 0.002},
                                                 {"6", 0.003}}};
    for (const grado& g : gradi) {
        if (contiene(chiave, g.cifra)) {
            curvatura = g.curvatura;
            return true;
        }
    }
    return false;
}

esito_record curva(modello_scenario& m, stato_compilazione& s, const std::string& chiave) {
    const std::int32_t inizio = leggi_long(s.lettore);
    const std::int32_t lunghezza = leggi_long(s.lettore);
    if (!posizione_accettata(m, inizio)) return esito_record::ferma;
    double k = 0;
    if (!curvatura_di(chiave, k)) return termina_con(m, s, 103);
    if (contiene_in_ogni_caso(chiave, "s")) k = -k;  // a left-hand curve
    return curva_planimetria(m, s, inizio, lunghezza, k);
}

esito_record montagna(modello_scenario& m, stato_compilazione& s) {
    std::int32_t inizio = leggi_long(s.lettore);
    std::int32_t fine = leggi_long(s.lettore);
    std::int32_t tipo = leggi_long(s.lettore);
    if (!posizione_accettata(m, inizio)) return esito_record::ferma;
    memo_montagna(m, inizio, fine, tipo);
    return esito_record::continua;
}

esito_record indicatori(modello_scenario& m, stato_compilazione& s) {
    std::array<std::int32_t, 9> v{};
    for (std::int32_t& valore : v) valore = leggi_long(s.lettore);
    const std::int32_t posizione = v[0];
    if (!posizione_accettata(m, posizione)) return esito_record::ferma;
    memo_indicatori_v_max(m, posizione, v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8]);
    if (m.codice_errore > 0) {
        chiudi_ed_elimina(s);
        m.posizione_errore = posizione;
        return esito_record::termina;
    }
    return esito_record::continua;
}

// An indication sign stands in the cell after its position's own cell; its
// text goes into the next free entry counting down from 80.
esito_record cartello(modello_scenario& m, stato_compilazione& s) {
    const std::int32_t posizione = leggi_long(s.lettore);
    leggi_campo(m, s);
    if (!posizione_accettata(m, posizione)) return esito_record::ferma;
    cella& c = cella_tracciato(m, arrotonda_long(posizione / 50.0 + 1));
    if (!cella_libera(c)) {
        termina_con(m, s, 6);
        m.posizione_errore = posizione;
        return esito_record::termina;
    }
    c.tipo = tipo_cella::cartello;
    c.valore1 = bassi_16(s.prossima_voce_cartello);
    voce_tabella(m, s.prossima_voce_cartello).nome = m.campo;
    --s.prossima_voce_cartello;
    return esito_record::continua;
}

// Every body record whose test words the keyword holds, in a fixed order.
esito_record record_corpo(modello_scenario& m, stato_compilazione& s, const std::string& chiave) {
    if (contiene_in_ogni_caso(chiave, "pendenza")) {
        const esito_record e = pendenza(m, s);
        if (e != esito_record::continua) return e;
    }
    if (m.scrivi_linea != 0 && contiene_in_ogni_caso(chiave, "curva")) {
        const esito_record e = curva(m, s, chiave);
        if (e != esito_record::continua) return e;
    }
    if (contiene_in_ogni_caso(chiave, "montagna")) {
        const esito_record e = montagna(m, s);
        if (e != esito_record::continua) return e;
    }
    if (contiene_in_ogni_caso(chiave, "indicatori_v")) {
        const esito_record e = indicatori(m, s);
        if (e != esito_record::continua) return e;
    }
    if (contiene_in_ogni_caso(chiave, "cartello") && contiene_in_ogni_caso(chiave, "indicat")) return cartello(m, s);
    return esito_record::continua;
}

// Reads the next keyword field, passing over up to two comments in a row.
// False when the file is at end: the field in hand is then not interpreted.
bool leggi_chiave(modello_scenario& m, stato_compilazione& s) {
    if (a_fine(s.lettore)) return false;
    leggi_campo(m, s);
    if (a_fine(s.lettore)) return false;
    for (int i = 0; i < 2; ++i) {
        if (!e_commento(m.campo)) break;
        leggi_campo(m, s);
        if (a_fine(s.lettore)) return false;
    }
    return true;
}

}  // namespace

void scrivi_pendenza(modello_scenario& m, stato_compilazione& s) {
    cella_tracciato(m, s.cursore_pendenza).pendenza =
        bassi_8(long_controllato(static_cast<std::int64_t>(s.ultima_pendenza) + 100));
    ++s.cursore_pendenza;
}

esito_record corpo_linea(modello_scenario& m, stato_compilazione& s) {
    while (leggi_chiave(m, s)) {
        const std::string chiave = m.campo;
        const esito_record e = record_corpo(m, s, chiave);
        if (e != esito_record::continua) return e;
    }
    return esito_record::continua;
}

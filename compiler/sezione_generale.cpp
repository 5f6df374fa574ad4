// The general section of the line file: length, progressives, backgrounds and
// the signal-code repetition, up to the first section header.
#include <string>

#include "compiler/conversioni.h"
#include "compiler/linea.h"
#include "compiler/parole_chiave.h"

namespace {

// Comments passed over in a row inside the general section.
constexpr int commenti_generale = 10;

// lunghezza percorso, lunghezza
// The track and the plan are sized when the section ends; each size is
// checked here, so that the last length that passes decides it.
esito_record lunghezza(modello_scenario& m, stato_compilazione& s) {
    const std::int32_t l = valore_long(s);
    voce_tabella(m, voce::dati_generali).valore2 = l;
    if (l > lunghezza_massima) return termina(m, s, stato::lunghezza_eccessiva, std::nullopt, 0);
    m.lunghezza_totale = long_controllato(static_cast<std::int64_t>(l) + coda_tracciato);
    m.numero_celle = arrotonda_long(m.lunghezza_totale / static_cast<double>(metri_cella));
    if (m.numero_celle < 0) {
        fallisci("track", "a track of " + std::to_string(m.lunghezza_totale) + " m has no cells", {},
                 {genere_guasto::senza_celle, {m.lunghezza_totale, 0}, 0, ""});
    }
    s.celle_richieste = m.numero_celle;
    if (m.scrivi_linea) {
        if (m.lunghezza_totale < 0) {
            fallisci("plan", "a track of " + std::to_string(m.lunghezza_totale) + " m has no plan points", {},
                     {genere_guasto::senza_punti, {m.lunghezza_totale, 0}, 0, ""});
        }
        s.metri_richiesti = m.lunghezza_totale;
    }
    s.lunghezza_letta = true;
    return esito_record::continua;
}

// progressiva chilometrica tre|due|uno, inizio, valore, flag
void progressiva(modello_scenario& m, stato_compilazione& s, int numero_voce) {
    voce_scenario& v = voce_tabella(m, numero_voce);
    v.valore1 = valore_long(s);
    v.valore2 = valore_long(s);
    v.valore3 = valore_long(s);
    s.luoghi_progressive[static_cast<std::size_t>(numero_voce - voce::progressiva_maggiore)] = s.record.dove;
}

esito_record progressiva_tre(modello_scenario& m, stato_compilazione& s) {
    progressiva(m, s, voce::progressiva_maggiore);
    return esito_record::continua;
}

esito_record progressiva_due(modello_scenario& m, stato_compilazione& s) {
    progressiva(m, s, voce::progressiva_media);
    return esito_record::continua;
}

esito_record progressiva_uno(modello_scenario& m, stato_compilazione& s) {
    progressiva(m, s, voce::progressiva_minore);
    return esito_record::continua;
}

// sfondo uno|due|tre, valore — "due" goes to valore3, "tre" to valore2.
esito_record sfondo_uno(modello_scenario& m, stato_compilazione& s) {
    voce_tabella(m, voce::dati_linea).valore1 = valore_long(s);
    return esito_record::continua;
}

esito_record sfondo_due(modello_scenario& m, stato_compilazione& s) {
    voce_tabella(m, voce::dati_linea).valore3 = valore_long(s);
    return esito_record::continua;
}

esito_record sfondo_tre(modello_scenario& m, stato_compilazione& s) {
    voce_tabella(m, voce::dati_linea).valore2 = valore_long(s);
    return esito_record::continua;
}

// ripetizione segnali 4|9 codici, inizio, fine
esito_record ripetizione(modello_scenario& m, stato_compilazione& s) {
    voce_scenario& v = voce_tabella(m, voce::dati_treno);
    v.valore1 = valore_long(s);
    v.valore2 = valore_long(s);
    if (v.valore1 % metri_cella != 0) return termina(m, s, stato::inizio_ripetizione_non_multiplo, std::nullopt, 0);
    if (v.valore2 % metri_cella != 0) return termina(m, s, stato::fine_ripetizione_non_multipla, std::nullopt, 1);
    if (contiene(s.record.chiave, "4")) {
        v.valore3 = 4;
    } else if (contiene(s.record.chiave, "9")) {
        v.valore3 = 9;
    } else {
        return termina(m, s, stato::ripetizione_senza_codici, std::nullopt, colpa_chiave);
    }
    if (v.valore2 == 0) {
        v.valore3 = 0;
    } else {
        controlla_estremi(m, s, 1, v.valore1, v.valore2, "the signal repetition",
                          "the simulator gets a stretch that runs backwards");
    }
    if (contiene(s.record.chiave, "4") && contiene(s.record.chiave, "9")) {
        avvisa_record(m, s, avviso::parola_ambigua, colpa_chiave,
                      "the keyword holds both \"4\" and \"9\" and is read as four-code repetition");
    }
    return esito_record::continua;
}

constexpr regola_record regole[] = {
    {"lunghezza", "percorso", true, lunghezza, parola_lunghezza, 1, false, true},
    {"progressiva", "tre", false, progressiva_tre, "progressiva chilometrica tre", 3, false, true},
    {"progressiva", "due", false, progressiva_due, "progressiva chilometrica due", 3, false, true},
    {"progressiva", "uno", false, progressiva_uno, "progressiva chilometrica uno", 3, false, true},
    {"sfondo", "uno", false, sfondo_uno, "sfondo uno", 1, false, true},
    {"sfondo", "due", false, sfondo_due, "sfondo due", 1, false, true},
    {"sfondo", "tre", false, sfondo_tre, "sfondo tre", 1, false, true},
    {"ripetizione", "segnali", false, ripetizione, "ripetizione segnali 4 codici", 2, false, true},
};

}  // namespace

std::span<const regola_record> regole_generale() { return regole; }

esito_record sezione_generale(modello_scenario& m, stato_compilazione& s) {
    for (;;) {
        if (a_fine(s.lettore)) return esito_record::continua;
        leggi_campo(s);
        if (a_fine(s.lettore)) {  // the last field is never interpreted
            controlla_campo_finale(m, s, regole);
            return esito_record::continua;
        }
        for (int i = 0; i < commenti_generale && e_commento(s.campo); ++i) leggi_campo(s);
        inizia_record(s);
        if (interpreta(regole, m, s) == esito_record::termina) return esito_record::termina;
        if (e_intestazione(s.record.chiave)) return esito_record::continua;  // a header ends the section
    }
}

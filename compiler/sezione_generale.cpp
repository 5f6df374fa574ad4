// The general section of the line file: length, progressives, backgrounds and
// the signal-code repetition, up to the first section header.
#include <string>

#include "conversioni.h"
#include "linea.h"
#include "parole_chiave.h"

namespace {

// Comments passed over in a row inside the general section.
constexpr int commenti_generale = 10;

esito_record lunghezza(modello_scenario& m, stato_compilazione& s, bool& lunghezza_letta) {
    const std::int32_t l = leggi_long(s.lettore);
    voce_tabella(m, voce::dati_generali).valore2 = l;
    if (l > lunghezza_massima) return termina_con(m, s, 1);
    m.lunghezza_totale = long_controllato(static_cast<std::int64_t>(l) + coda_tracciato);
    m.numero_celle = arrotonda_long(m.lunghezza_totale / 50.0);
    dimensiona_tracciato(m);
    if (m.scrivi_linea != 0) dimensiona_planimetria(m);
    lunghezza_letta = true;
    return esito_record::continua;
}

void progressiva(modello_scenario& m, stato_compilazione& s, int numero_voce) {
    voce_scenario& v = voce_tabella(m, numero_voce);
    v.valore1 = leggi_long(s.lettore);
    v.valore2 = leggi_long(s.lettore);
    v.valore3 = leggi_long(s.lettore);
}

esito_record ripetizione(modello_scenario& m, stato_compilazione& s, const std::string& chiave) {
    voce_scenario& v = voce_tabella(m, voce::dati_treno);
    v.valore1 = leggi_long(s.lettore);
    v.valore2 = leggi_long(s.lettore);
    if (v.valore1 % 50 != 0) return termina_con(m, s, 3);
    if (v.valore2 % 50 != 0) return termina_con(m, s, 4);
    if (contiene(chiave, "4")) {
        v.valore3 = 4;
    } else if (contiene(chiave, "9")) {
        v.valore3 = 9;
    } else {
        return termina_con(m, s, 5);
    }
    if (v.valore2 == 0) v.valore3 = 0;
    return esito_record::continua;
}

// Every general record whose test words the field holds, in a fixed order;
// the keyword stays the same while the values are read.
esito_record record_generale(modello_scenario& m, stato_compilazione& s, const std::string& chiave,
                             bool& lunghezza_letta) {
    if (contiene_in_ogni_caso(chiave, "lunghezza") && contiene_in_ogni_caso(chiave, "percorso")) {
        if (lunghezza(m, s, lunghezza_letta) == esito_record::termina) return esito_record::termina;
    }
    if (contiene(chiave, "progressiva")) {
        if (contiene(chiave, "tre")) progressiva(m, s, voce::progressiva_maggiore);
        if (contiene(chiave, "due")) progressiva(m, s, voce::progressiva_media);
        if (contiene(chiave, "uno")) progressiva(m, s, voce::progressiva_minore);
    }
    if (contiene(chiave, "sfondo")) {
        if (contiene(chiave, "uno")) voce_tabella(m, voce::dati_linea).valore1 = leggi_long(s.lettore);
        if (contiene(chiave, "due")) voce_tabella(m, voce::dati_linea).valore3 = leggi_long(s.lettore);
        if (contiene(chiave, "tre")) voce_tabella(m, voce::dati_linea).valore2 = leggi_long(s.lettore);
    }
    if (contiene(chiave, "ripetizione") && contiene(chiave, "segnali")) return ripetizione(m, s, chiave);
    return esito_record::continua;
}

// A header ends the section: it holds "[" and "]" and, after its leading
// blanks, does not begin with "-".
bool fine_sezione(const std::string& campo) {
    if (!contiene(campo, "[") || !contiene(campo, "]")) return false;
    const std::size_t primo = campo.find_first_not_of(' ');
    return campo[primo] != '-';
}

}  // namespace

esito_record sezione_generale(modello_scenario& m, stato_compilazione& s, bool& lunghezza_letta) {
    for (;;) {
        if (a_fine(s.lettore)) return esito_record::continua;
        leggi_campo(m, s);
        if (a_fine(s.lettore)) return esito_record::continua;  // the last field is never interpreted
        for (int i = 0; i < commenti_generale && e_commento(m.campo); ++i) leggi_campo(m, s);
        const std::string chiave = m.campo;
        if (record_generale(m, s, chiave, lunghezza_letta) == esito_record::termina) return esito_record::termina;
        if (fine_sezione(chiave)) return esito_record::continua;
    }
}

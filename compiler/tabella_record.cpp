// The one loop that runs a section's table of records on a keyword field.
#include "compiler/compilazione.h"
#include "compiler/parole_chiave.h"

bool corrisponde(const regola_record& r, std::string_view campo) {
    const auto ha = [&](std::string_view parola) {
        return r.ogni_caso ? contiene_in_ogni_caso(campo, parola) : contiene(campo, parola);
    };
    return ha(r.parola) && (r.seconda_parola.empty() || ha(r.seconda_parola));
}

esito_record interpreta(std::span<const regola_record> tabella, modello_scenario& m, stato_compilazione& s) {
    // The keyword stays the record's while its values are read.
    const std::string chiave = s.record.chiave;
    for (const regola_record& r : tabella) {
        if (!corrisponde(r, chiave)) continue;
        s.record.numero_valori = 0;
        const esito_record e = r.gestore(m, s);
        if (e != esito_record::continua) return e;
    }
    return esito_record::continua;
}

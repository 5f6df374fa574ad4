// The one loop that runs a section's table of records on a keyword field.
#include <cctype>
#include <vector>

#include "compiler/compilazione.h"
#include "compiler/parole_chiave.h"

namespace {

bool corrisponde_gia_minuscolo(const regola_record& r, std::string_view campo, std::string_view minuscolo) {
    const std::string_view dove = r.ogni_caso ? minuscolo : campo;
    return contiene(dove, r.parola) && (r.seconda_parola.empty() || contiene(dove, r.seconda_parola));
}

}  // namespace

bool corrisponde(const regola_record& r, std::string_view campo) {
    return corrisponde_gia_minuscolo(r, campo, in_minuscole(campo));
}

namespace {

// A keyword that matched no record, noted for warnings with the record read
// last when it stands on the same line.
void nota_ignorato(stato_compilazione& s) {
    osservazioni& o = s.oss;
    campo_ignorato c;
    c.testo = s.record.chiave;
    c.dove = s.record.dove;
    c.parte = o.parte;
    c.inizio = s.lettore.inizio_campo;
    if (o.luogo_ultimo_record.file == c.dove.file && o.luogo_ultimo_record.riga == c.dove.riga) {
        c.record_prima = o.ultimo_record;
        c.valori_record_prima = o.valori_ultimo_record;
    }
    o.ignorati.push_back(std::move(c));
}

void nota_letto(stato_compilazione& s, const regola_record& r) {
    osservazioni& o = s.oss;
    (s.lettore.file == sorgente::treno ? o.record_treno : o.record_linea) += 1;
    o.ultimo_record = std::string(r.forma.substr(0, r.forma.find('|')));
    o.luogo_ultimo_record = s.record.dove;
    o.valori_ultimo_record = s.record.numero_valori;
}

}  // namespace

esito_record interpreta(std::span<const regola_record> tabella, modello_scenario& m, stato_compilazione& s) {
    // The keyword stays the record's while its values are read.
    const std::string chiave = s.record.chiave;
    const std::string minuscola = in_minuscole(chiave);
    // The rules it matches, found once for the reading and for the warning
    // of a keyword that holds two.
    std::vector<const regola_record*> regole;
    for (const regola_record& r : tabella) {
        if (corrisponde_gia_minuscolo(r, chiave, minuscola)) regole.push_back(&r);
    }
    controlla_piu_record(m, s, regole);
    for (const regola_record* p : regole) {
        const regola_record& r = *p;
        s.record.numero_valori = 0;
        s.record.regola = r.forma;
        s.record.letto_da = &r;
        controlla_ripetuto(m, s);
        const esito_record e = r.gestore(m, s);
        nota_letto(s, r);
        if (e != esito_record::continua) return e;
        controlla_conteggio(m, s);
    }
    if (regole.empty()) nota_ignorato(s);
    return esito_record::continua;
}

// Reading the text sources field by field, for both phases: the keyword of a
// record and its values, each value's place noted on the record.
#include "compiler/compilazione.h"
#include "compiler/parole_chiave.h"
#include "sources/errore_esecuzione.h"

namespace {

// Comments passed over in a row in the line body and the train file.
constexpr int commenti_in_fila = 2;

void nota_valore(stato_compilazione& s) {
    record_letto& r = s.record;
    if (r.numero_valori < r.valori.size()) r.valori[r.numero_valori++] = s.lettore.campo;
}

}  // namespace

void apri_sorgente(stato_compilazione& s, sorgente quale) {
    const std::string& nome = quale == sorgente::linea ? s.file_linea : s.file_treno;
    s.lettore = lettore_campi{};
    s.lettore.file = quale;
    s.record = record_letto{};
    s.lettore = apri_lettore(s.dir.leggi(nome, limite_sorgente), quale);
    s.file_aperto = quale;
}

void chiudi_ed_elimina(stato_compilazione& s) {
    const sorgente quale = s.file_aperto;
    s.file_aperto = sorgente::nessuna;
    if (quale == sorgente::linea) s.dir.elimina(s.file_linea);
    if (quale == sorgente::treno) s.dir.elimina(s.file_treno);
}

void leggi_campo(stato_compilazione& s) {
    s.campo = leggi_testo(s.lettore);
    s.oss.ultimo_campo_testo = s.lettore.campo;
}

void nota_prima_del_generale(stato_compilazione& s) {
    if (!contiene(s.campo, "[") || !contiene(s.campo, "]")) return;
    campo_ignorato c;
    c.testo = s.campo;
    c.dove = s.lettore.campo;
    c.parte = parte_sorgente::prima_del_generale;
    c.inizio = s.lettore.inizio_campo;
    s.oss.ignorati.push_back(std::move(c));
}

void inizia_record(stato_compilazione& s) {
    s.record.chiave = s.campo;
    s.record.dove = s.lettore.campo;
    s.record.regola = {};
    s.record.letto_da = nullptr;
    s.record.numero_valori = 0;
}

bool leggi_chiave(stato_compilazione& s) {
    if (a_fine(s.lettore)) return false;
    leggi_campo(s);
    if (a_fine(s.lettore)) return false;
    for (int i = 0; i < commenti_in_fila && e_commento(s.campo); ++i) {
        leggi_campo(s);
        if (a_fine(s.lettore)) return false;
    }
    inizia_record(s);
    return true;
}

std::int32_t valore_long(stato_compilazione& s) {
    const std::int32_t v = leggi_long(s.lettore);
    nota_valore(s);
    return v;
}

std::int16_t valore_integer(stato_compilazione& s) {
    const std::int16_t v = leggi_integer(s.lettore);
    nota_valore(s);
    return v;
}

std::uint8_t valore_byte(stato_compilazione& s) {
    const std::uint8_t v = leggi_byte(s.lettore);
    nota_valore(s);
    return v;
}

std::string valore_testo(stato_compilazione& s) {
    leggi_campo(s);
    nota_valore(s);
    return s.campo;
}

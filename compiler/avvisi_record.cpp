// Warnings raised on the record being read: positions out of order or beyond
// the declared length, values kept in fewer bits, names cut at a comma.
#include "compiler/campi_ignorati.h"
#include "compiler/compilazione.h"

namespace {

luogo luogo_di(const stato_compilazione& s, int colpa) {
    if (colpa >= 0 && static_cast<std::size_t>(colpa) < s.record.numero_valori) {
        return s.record.valori[static_cast<std::size_t>(colpa)];
    }
    return s.record.dove;
}

}  // namespace

void avvisa_record(modello_scenario& m, const stato_compilazione& s, const char* nome, int colpa,
                   std::string messaggio) {
    avvisa(m, nome, luogo_di(s, colpa), std::move(messaggio));
}

void controlla_lunghezza(modello_scenario& m, const stato_compilazione& s, std::int32_t posizione, const char* che_cosa) {
    const std::int32_t dichiarata = m.scenario[voce::dati_generali].valore2;
    if (posizione <= dichiarata) return;
    avvisa_record(m, s, avviso::oltre_lunghezza, colpa_posizione,
                  std::string(che_cosa) + " at " + std::to_string(posizione) +
                      " m lies beyond the declared length of the line (" + std::to_string(dichiarata) +
                      " m); the track reaches 7000 m further, so the build accepts it");
}

void controlla_posizione(modello_scenario& m, const stato_compilazione& s, std::optional<std::int32_t>& ultima,
                         std::int32_t posizione, bool uguale_ammesso, const char* che_cosa) {
    if (ultima && (posizione < *ultima || (!uguale_ammesso && posizione == *ultima))) {
        avvisa_record(m, s, avviso::fuori_ordine, colpa_posizione,
                      std::string(che_cosa) + " at " + std::to_string(posizione) + " m comes after one at " +
                          std::to_string(*ultima) + " m; positions of this record must increase");
    }
    ultima = posizione;
    controlla_lunghezza(m, s, posizione, che_cosa);
}

void controlla_16(modello_scenario& m, const stato_compilazione& s, int colpa, std::int64_t valore, const char* che_cosa) {
    const auto tenuto = static_cast<std::int16_t>(static_cast<std::uint16_t>(valore & 0xFFFF));
    if (tenuto == valore) return;
    avvisa_record(m, s, avviso::valore_troncato, colpa,
                  std::string(che_cosa) + " " + std::to_string(valore) + " does not fit 16 bits and is kept as " +
                      std::to_string(tenuto));
}

void controlla_8(modello_scenario& m, const stato_compilazione& s, int colpa, std::int64_t valore, const char* che_cosa) {
    const auto tenuto = static_cast<std::uint8_t>(valore & 0xFF);
    if (tenuto == valore) return;
    avvisa_record(m, s, avviso::valore_troncato, colpa,
                  std::string(che_cosa) + " " + std::to_string(valore) + " does not fit one byte (0 to 255) and is kept as " +
                      std::to_string(tenuto));
}

void controlla_nome(modello_scenario& m, const stato_compilazione& s, int colpa, const char* che_cosa) {
    if (s.lettore.chiusura != chiusura_campo::virgola) return;
    // A name taken from the next line or from a number is told by the count
    // of the record's values.
    std::string_view nome = s.campo;
    while (!nome.empty() && nome.back() == ' ') nome.remove_suffix(1);
    if (s.lettore.campo.riga != s.record.dove.riga || e_numero(nome)) return;
    avvisa_record(m, s, avviso::nome_troncato, colpa,
                  std::string(che_cosa) + " ends at the comma after '" + s.campo +
                      "'; the rest of the line is read as fields of its own");
}

void esamina_fine_sorgente(modello_scenario& m, stato_compilazione& s) {
    esamina_ignorati(m, s.oss, s.lettore.testo, s.lettore.file);
    s.oss.ignorati.clear();
}

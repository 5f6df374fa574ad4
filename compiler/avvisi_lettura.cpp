// How a record was read, against how its author wrote it: values taken from
// the following lines or a name taken from a number, a keyword holding two
// records or an ambiguous curve, a record the build never reads, a range run
// backwards, a signal's digits and time kept as other values, cells no speed
// limit or adhesion covers. Each is an error by default: the build loses or
// shifts what was written, and writes the same bytes all the same.
#include <algorithm>
#include <string>

#include "compiler/compilazione.h"
#include "compiler/parole_chiave.h"
#include "sources/record_sorgenti.h"

namespace {

std::string citato(std::string_view t) { return "'" + std::string(t) + "'"; }

std::string_view forma_di(const regola_record& r) { return r.forma.substr(0, r.forma.find('|')); }

std::string quanti(std::size_t n, const char* uno, const char* molti) {
    return std::to_string(n) + " " + (n == 1 ? uno : molti);
}

const char* parola_testo(std::string_view forma) { return forma == "stazione" ? "name" : "text"; }

// "16 numbers and a name", "11 values".
std::string attesi(const regola_record& r) {
    if (!r.con_testo) return quanti(r.numeri, "value", "values");
    return quanti(r.numeri, "number", "numbers") + " and a " + parola_testo(forma_di(r));
}

std::string ordinale(std::size_t n) {
    const std::size_t u = n % 10, d = n % 100;
    const char* s = (u == 1 && d != 11) ? "st" : (u == 2 && d != 12) ? "nd" : (u == 3 && d != 13) ? "rd" : "th";
    return std::to_string(n) + s;
}

bool sulla_riga(const luogo& a, const luogo& b) { return a.file == b.file && a.riga == b.riga; }

std::string_view senza_blank(std::string_view t) {
    while (!t.empty() && t.front() == ' ') t.remove_prefix(1);
    while (!t.empty() && t.back() == ' ') t.remove_suffix(1);
    return t;
}

// The fields after the reader's position up to the end of its line: how many
// are numbers before the first that is not, and whether one is not.
struct resto_riga {
    std::size_t numeri = 0;
    bool altro = false;
};
resto_riga resto_della_riga(const lettore_campi& l) {
    resto_riga r;
    if (l.chiusura != chiusura_campo::virgola) return r;
    const std::string_view t(l.testo);
    std::size_t da = l.pos;
    const std::size_t fine = std::min(t.size(), t.find_first_of("\r\n", da));
    while (da <= fine && !r.altro) {
        const std::size_t virgola = std::min(fine, t.find(',', da));
        const std::string_view campo = senza_blank(t.substr(da, virgola - da));
        if (e_numero(campo)) {
            ++r.numeri;
        } else if (!campo.empty()) {
            r.altro = true;
        }
        da = virgola + 1;
    }
    return r;
}

// A record whose name is a number: the values before it stand one or more
// places too far on the line.
void nome_da_numero(modello_scenario& m, const stato_compilazione& s, const regola_record& r) {
    const std::size_t n = s.record.numero_valori;
    const std::string_view nome = senza_blank(s.campo);
    if (n != static_cast<std::size_t>(r.numeri) + 1 || !e_numero(nome)) return;
    const resto_riga resto = resto_della_riga(s.lettore);
    const char* parola = parola_testo(forma_di(r));
    avvisa_record(m, s, avviso::conteggio_valori, static_cast<int>(n - 1),
                  citato(forma_di(r)) + " takes " + attesi(r) + "; this line has " +
                      quanti(r.numeri + 1 + resto.numeri, "number", "numbers") + (resto.altro ? " and a " : " and no ") +
                      parola + ": the " + parola + " is taken from the number " + citato(nome) +
                      ", and the values before it are read one or more places too early");
}

}  // namespace

void controlla_piu_record(modello_scenario& m, const stato_compilazione& s, std::span<const regola_record* const> regole) {
    if (regole.size() < 2) return;
    std::string nomi;
    for (const regola_record* r : regole) nomi += (nomi.empty() ? "" : ", then ") + citato(forma_di(*r));
    avvisa_record(m, s, avviso::parola_ambigua, colpa_chiave,
                  citato(senza_blank(s.record.chiave)) + " holds the keywords of " + std::to_string(regole.size()) +
                      " records and is read as each of them in turn: " + nomi +
                      ", each taking its values from the fields that follow");
}

void controlla_ripetuto(modello_scenario& m, stato_compilazione& s) {
    const regola_record* r = s.record.letto_da;
    if (r == nullptr || !r->una_volta) return;
    auto& letti = s.oss.letti_una_volta;
    const auto prima = std::find_if(letti.begin(), letti.end(), [&](const auto& x) { return x.first == r; });
    if (prima == letti.end()) {
        letti.emplace_back(r, s.record.dove);
        return;
    }
    avvisa(m, avviso::record_perso, prima->second,
           citato(forma_di(*r)) + " is read again on line " + std::to_string(s.record.dove.riga) +
               ", whose values replace these: this record is lost");
    prima->second = s.record.dove;
}

void controlla_conteggio(modello_scenario& m, const stato_compilazione& s) {
    const record_letto& rec = s.record;
    if (rec.letto_da == nullptr || rec.numero_valori == 0) return;
    const regola_record& r = *rec.letto_da;
    std::size_t qui = 0;
    while (qui < rec.numero_valori && sulla_riga(rec.valori[qui], rec.dove)) ++qui;
    if (qui == rec.numero_valori) {
        if (r.con_testo) nome_da_numero(m, s, r);
        return;
    }
    const luogo& altrove = rec.valori[qui];
    const bool testo_altrove = r.con_testo && qui + 1 == rec.numero_valori;
    std::string ha = r.con_testo ? quanti(std::min<std::size_t>(qui, r.numeri), "number", "numbers") + " and no " +
                                       parola_testo(forma_di(r))
                                 : std::to_string(qui);
    std::string msg = citato(forma_di(r)) + " takes " + attesi(r) + "; this line has " + ha + ": ";
    if (testo_altrove) {
        msg += std::string("the ") + parola_testo(forma_di(r)) + " is taken from line " + std::to_string(altrove.riga) +
               " (" + citato(senza_blank(s.campo)) + ")" +
               (corrisponde(r, s.campo) ? ", and the record there is lost" : "") +
               ": the rest of that line is read as fields of its own";
    } else {
        msg += "the " + ordinale(qui + 1) + " value and those after it are taken from line " +
               std::to_string(altrove.riga);
    }
    avvisa(m, avviso::conteggio_valori, rec.dove, msg);
}

void controlla_conteggio_guasto(modello_scenario& m, const stato_compilazione& s, const luogo& dove,
                                const std::string& campo) {
    const record_letto& rec = s.record;
    if (rec.letto_da == nullptr || !noto(dove)) return;
    const regola_record& r = *rec.letto_da;
    const std::size_t n = rec.numero_valori;  // the values read before the one that failed
    std::string msg = citato(forma_di(r)) + " takes " + attesi(r) + "; ";
    if (sulla_riga(dove, rec.dove)) {
        // A value of a record of numbers that is no number is the status's own.
        if (!r.con_testo) return;
        msg += "this line has " + quanti(n, "number", "numbers") + " before " + citato(senza_blank(campo)) +
               ", which stands where the " + ordinale(n + 1) + " number is read: is a number missing before the " +
               parola_testo(forma_di(r)) + "?";
    } else {
        msg += "this line has " + quanti(n, "value", "values") + ": the " + ordinale(n + 1) +
               " is taken from line " + std::to_string(dove.riga) + " (" + citato(senza_blank(campo)) + ")";
    }
    avvisa(m, avviso::conteggio_valori, rec.dove, msg);
}

void nota_record_prima_del_generale(stato_compilazione& s, std::span<const regola_record> tabella) {
    if (s.oss.record_prima_del_generale || e_commento(s.campo)) return;
    const bool record = std::any_of(tabella.begin(), tabella.end(),
                                    [&](const regola_record& r) { return corrisponde(r, s.campo); });
    if (!record) return;
    s.oss.record_prima_del_generale = s.lettore.campo;
    s.oss.testo_prima_del_generale = s.campo;
}

void avvisa_record_prima_del_generale(modello_scenario& m, const stato_compilazione& s, std::int32_t generale_dopo) {
    if (!s.oss.record_prima_del_generale) return;
    const std::string t = citato(senza_blank(s.oss.testo_prima_del_generale));
    avvisa(m, avviso::record_perso, *s.oss.record_prima_del_generale,
           generale_dopo > 0
               ? t + " is not read: a file is read from its first field \"[generale]\" on, here on line " +
                     std::to_string(generale_dopo) + "; this record and any other before it are lost"
               : t + " is not read: a file is read from its first field \"[generale]\" on, and the " +
                     nome_sorgente(s.lettore.file) + " has none, so none of its records is read");
}

void controlla_campo_finale(modello_scenario& m, const stato_compilazione& s, std::span<const regola_record> tabella) {
    const luogo& l = s.lettore.campo;
    const luogo& testo = s.oss.ultimo_campo_testo;
    if (!a_fine(s.lettore) || !noto(l) || testo.riga != l.riga || testo.colonna != l.colonna) return;
    const record_letto& rec = s.record;
    if (rec.dove.riga == l.riga && rec.dove.colonna == l.colonna) return;
    if (e_commento(s.campo)) return;
    const bool record = std::any_of(tabella.begin(), tabella.end(),
                                    [&](const regola_record& r) { return corrisponde(r, s.campo); });
    if (!record) return;
    avvisa(m, avviso::record_perso, l,
           citato(senza_blank(s.campo)) + " is the last field of the " + nome_sorgente(s.lettore.file) +
               ", which is never read: the record is lost; end the file with \"[fine]\"");
}

void controlla_parola_curva(modello_scenario& m, const stato_compilazione& s, std::int32_t lunghezza) {
    const std::string chiave = in_minuscole(s.record.chiave);
    const std::string resto = chiave.substr(std::min(chiave.size(), chiave.find("curva") + 5));
    const bool sinistra = contiene(chiave, "s");
    std::string cifre;
    for (const char c : chiave) {
        if (c >= '0' && c <= '9') cifre += c;
    }
    const std::string t = citato(senza_blank(s.record.chiave));
    if (sinistra && contiene(resto, "d")) {
        avvisa_record(m, s, avviso::parola_ambigua, colpa_chiave,
                      t + " is read as a left curve: a curve keyword that holds an \"s\" anywhere bends left "
                          "(\"curvas\"), one without bends right (\"curvad\"); write \"curvad\" or \"curvas\"");
    } else if (!sinistra && !contiene(resto, "d")) {
        avvisa_record(m, s, avviso::parola_ambigua, colpa_chiave,
                      t + " says no side and is read as a right curve; write \"curvad\" or \"curvas\"");
    }
    if (cifre.size() > 1) {
        char grado = 0;
        for (const char g : std::string_view("123456")) {
            if (grado == 0 && contiene(cifre, std::string(1, g))) grado = g;
        }
        if (grado != 0) {
            avvisa_record(m, s, avviso::parola_ambigua, colpa_chiave,
                          t + " holds the digits " + cifre + " and is read as grade " + std::string(1, grado) +
                              ", the first of 1 to 6 that it holds; a curve keyword takes one grade digit");
        }
    }
    if (lunghezza < 0) {
        avvisa_record(m, s, avviso::estremi_invertiti, 1,
                      "the curve's length " + std::to_string(lunghezza) +
                          " m is negative: no point of the plan bends, and the curve is lost");
    }
}

void controlla_estremi(modello_scenario& m, const stato_compilazione& s, int colpa, std::int64_t inizio,
                       std::int64_t fine, const char* che_cosa, const char* effetto) {
    if (fine >= inizio) return;
    avvisa_record(m, s, avviso::estremi_invertiti, colpa,
                  std::string(che_cosa) + " ends at " + std::to_string(fine) + " m, before it starts at " +
                      std::to_string(inizio) + " m: " + effetto);
}

namespace {

// A pair of the signal's values packed as tens and units into one cell value.
struct coppia_segnale {
    const char* decine;
    const char* unita;
    int colpa_decine, colpa_unita;
    std::int32_t record_segnale::*valore_decine;
    std::int32_t record_segnale::*valore_unita;
};
constexpr coppia_segnale coppie_segnale[] = {
    {"s1", "d1", 2, 7, &record_segnale::s1, &record_segnale::d1},
    {"s2", "d2", 3, 8, &record_segnale::s2, &record_segnale::d2},
    {"s3", "d3", 4, 9, &record_segnale::s3, &record_segnale::d3},
};

constexpr std::int32_t tipo_con_tempo = 2;  // the kind of s group that keeps its time

bool cifra(std::int64_t v) { return v >= 0 && v <= 9; }
bool in_16_bit(std::int64_t v) { return v >= -32768 && v <= 32767; }

void cifra_fuori(modello_scenario& m, const stato_compilazione& s, const char* nome, int colpa, std::int64_t v,
                 const char* effetto) {
    avvisa_record(m, s, avviso::cifre_segnale, colpa,
                  std::string(nome) + " is " + std::to_string(v) + ", not one digit (0 to 9): " + effetto);
}

}  // namespace

void controlla_segnale(modello_scenario& m, const stato_compilazione& s, const record_segnale& r) {
    // Values beyond the record's count on its line: its values are shifted,
    // which the surplus values tell; their digits would only echo it.
    if (s.lettore.chiusura == chiusura_campo::virgola) return;
    const char* coppia = "the signal packs its values in pairs as tens and units, so this pair reads back as other digits";
    // A pair beyond 16 bits is told as a truncated value.
    for (const coppia_segnale& c : coppie_segnale) {
        const std::int64_t d = r.*c.valore_decine, u = r.*c.valore_unita;
        if (!in_16_bit(d * 10 + u)) continue;
        if (!cifra(d)) cifra_fuori(m, s, c.decine, c.colpa_decine, d, coppia);
        if (!cifra(u)) cifra_fuori(m, s, c.unita, c.colpa_unita, u, coppia);
    }
    const std::int64_t unita = std::int64_t{r.sx} * 3 + r.dx;
    if (in_16_bit(std::int64_t{r.rapp} * 10 + unita)) {
        if (!cifra(r.rapp)) cifra_fuori(m, s, "rapp", 5, r.rapp, coppia);
        if (!cifra(unita)) {
            avvisa_record(m, s, avviso::cifre_segnale, 1,
                          "sx x 3 + dx is " + std::to_string(unita) +
                              ", not one digit (0 to 9): the units of the signal's fourth value spill into its tens (rapp)");
        }
    }
    if (r.sx == tipo_con_tempo && r.tempo >= 1 && r.tempo <= 100) {
        avvisa_record(m, s, avviso::tempo_segnale, 10,
                      "the signal time " + std::to_string(r.tempo) +
                          " is stored as 101: a time from 1 to 100 counts as 101; write 0 for none, or 101 and above");
    } else if (r.sx != tipo_con_tempo && r.tempo != 0) {
        avvisa_record(m, s, avviso::tempo_segnale, 10,
                      "the signal time " + std::to_string(r.tempo) + " is stored as 0: only a signal whose sx is " +
                          std::to_string(tipo_con_tempo) + " keeps its time (this one's sx is " +
                          std::to_string(r.sx) + ")");
    }
}

void controlla_prima_copertura(modello_scenario& m, const stato_compilazione& s, bool letta_prima,
                               std::int32_t posizione, const char* che_cosa, const char* parola) {
    if (letta_prima) return;
    const std::int32_t c = cella_di(posizione);
    if (c <= 0) return;
    avvisa_record(m, s, avviso::celle_scoperte, colpa_posizione,
                  std::string("the first ") + che_cosa + " record starts at " + std::to_string(posizione) +
                      " m: the line before it (cells 0 to " + std::to_string(c - 1) + ") holds " + parola +
                      " of 0; give a record at 0 m");
}

void controlla_copertura_finale(modello_scenario& m, const stato_compilazione& s) {
    // A file that yields no record is told as such.
    if (s.oss.record_treno == 0) return;
    const struct {
        bool letta;
        const char* parola;
        const char* che_cosa;
    } liste[] = {{s.oss.velocita_letta, "velocita", "a speed limit"}, {s.oss.aderenza_letta, "aderenza", "an adhesion"}};
    for (const auto& l : liste) {
        if (l.letta) continue;
        avvisa(m, avviso::celle_scoperte, {sorgente::treno, 0, 0},
               std::string("the train file has no \"") + l.parola + "\" record: every cell of the line holds " +
                   l.che_cosa + " of 0");
    }
}

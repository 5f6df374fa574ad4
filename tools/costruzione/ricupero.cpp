#include "tools/costruzione/ricupero.h"

#include <algorithm>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string_view>
#include <tuple>
#include <utility>

#include "compiler/stati.h"
#include "sources/lettore_campi.h"
#include "tools/diagnostiche/diagnostiche.h"

namespace {

// The longest line the compiler takes; a longer one raises status 1.
constexpr std::int32_t linea_piu_lunga = 1000000;

// The lines of a source left out of the builds after the first, from the
// line of a record's keyword to the line of the value to blame.
struct tratto_tolto {
    sorgente file = sorgente::nessuna;
    std::int32_t da = 0;
    std::int32_t a = 0;
};

using chiave_stato = std::tuple<std::int32_t, sorgente, std::int32_t, std::int32_t, sorgente, std::int32_t,
                                std::int32_t, std::int32_t, fase_stato>;
using chiave_diagnostica =
    std::tuple<gravita, std::int32_t, std::string, sorgente, std::int32_t, std::int32_t, std::int32_t>;
// A limit of the table or of a list: the status, and the kind of failure.
using chiave_limite = std::pair<std::int32_t, int>;

chiave_stato chiave_di(const stato_sollevato& v) {
    return {v.codice,    v.record.file,   v.record.riga, v.record.colonna, v.campo.file, v.campo.riga,
            v.campo.colonna, v.con_posizione ? v.posizione : 0, v.fase};
}

chiave_diagnostica chiave_di(const diagnostica& d) {
    return {d.livello,   d.stato.value_or(-1), d.nome, d.dove.file, d.dove.riga,
            d.dove.colonna, d.posizione.value_or(-1)};
}

bool guasto_di_genere(const stato_sollevato& v, std::initializer_list<genere_guasto> generi) {
    return v.guasto && std::find(generi.begin(), generi.end(), v.guasto->dati.genere) != generi.end();
}

// The status stopped the reading of a source: one the compiler raised on a
// record of its own, not the line file's status met again by a train record,
// not the check of the progressives once everything is read, not one of the
// finishing pass (which goes on after each).
bool ferma_la_lettura(const stato_sollevato& v) {
    return v.fase != fase_stato::finitura && !v.ereditato && v.codice != numero(stato::progressiva_non_multipla);
}

// The line file gave no track: nothing after it can be read.
bool senza_tracciato(const stato_sollevato& v) {
    return v.codice == numero(stato::linea_mancante) || v.codice == numero(stato::generale_mancante) ||
           guasto_di_genere(v,
                            {genere_guasto::senza_lunghezza, genere_guasto::senza_celle, genere_guasto::senza_punti});
}

// Every later record of the kind meets the same limit: the stations that
// reach the sign texts' entries, the mountains beyond the list, the signs
// beyond the table.
std::optional<chiave_limite> limite_di(const stato_sollevato& v) {
    if (v.codice == numero(stato::troppe_stazioni)) return chiave_limite{v.codice, -1};
    if (guasto_di_genere(v, {genere_guasto::montagna_fuori, genere_guasto::voce_fuori})) {
        return chiave_limite{v.codice, static_cast<int>(v.guasto->dati.genere)};
    }
    return std::nullopt;
}

// The byte where a line and column of the text stand, as the reader counts
// them; the text's size when they lie beyond it.
std::size_t byte_di(std::string_view t, std::int32_t riga, std::int32_t colonna) {
    std::int32_t r = 1;
    std::int32_t c = 1;
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (r > riga || (r == riga && c >= colonna)) return i;
        conta_byte(t, i, r, c);
    }
    return t.size();
}

// Bytes da to a (excluded) become blanks; line ends stay.
void in_bianco(std::string& t, std::size_t da, std::size_t a) {
    for (std::size_t i = da; i < a && i < t.size(); ++i) {
        if (t[i] != '\r' && t[i] != '\n') t[i] = ' ';
    }
}

// The two texts of the builds after the first, and what was left out of them.
struct ricupero {
    std::optional<std::string> linea;
    std::optional<std::string> treno;
    std::vector<tratto_tolto> tolti;
    std::set<chiave_stato> visti;    // statuses told
    std::set<chiave_stato> trattati; // statuses whose record is left out
    std::set<chiave_diagnostica> dette;
    std::map<chiave_limite, std::pair<stato_sollevato, int>> limiti;  // the first told, and how many more not told
    std::set<chiave_stato> annotati;
    std::vector<diagnostica> nuove;

    std::string* testo(sorgente f) {
        std::optional<std::string>& t = f == sorgente::linea ? linea : treno;
        return f == sorgente::nessuna || !t ? nullptr : &*t;
    }
};

// A length beyond the longest line is read as the longest: the value's bytes
// become "1000000" and blanks.
bool accorcia_lunghezza(ricupero& rc, const stato_sollevato& v) {
    std::string* t = rc.testo(v.campo.file);
    if (t == nullptr || !noto(v.campo) || v.campo.fine <= v.campo.colonna) return false;
    const std::string massima = std::to_string(linea_piu_lunga);
    const std::size_t da = byte_di(*t, v.campo.riga, v.campo.colonna);
    const std::size_t a = byte_di(*t, v.campo.riga, v.campo.fine);
    if (a - da < massima.size()) return false;
    in_bianco(*t, da, a);
    t->replace(da, massima.size(), massima);
    return true;
}

// Leaves out the record that raised v: its bytes from the keyword to the end
// of the line of the value to blame. False when it has no place to leave out.
bool togli_record(ricupero& rc, const stato_sollevato& v) {
    const luogo& inizio = noto(v.record) ? v.record : v.campo;
    std::string* t = rc.testo(inizio.file);
    if (t == nullptr || !noto(inizio)) return false;
    const bool valore_dopo = noto(v.campo) && v.campo.file == inizio.file && v.campo.riga > inizio.riga;
    const std::int32_t ultima = valore_dopo ? v.campo.riga : inizio.riga;
    const std::size_t da = byte_di(*t, inizio.riga, inizio.colonna);
    const std::size_t a = std::min(t->find_first_of("\r\n", byte_di(*t, ultima, 1)), t->size());
    in_bianco(*t, da, a);
    rc.tolti.push_back({inizio.file, inizio.riga, ultima});
    return true;
}

bool togli(ricupero& rc, const stato_sollevato& v) {
    if (senza_tracciato(v)) return false;
    if (v.codice == numero(stato::lunghezza_eccessiva)) return accorcia_lunghezza(rc, v);
    return togli_record(rc, v);
}

bool in_un_tratto_tolto(const ricupero& rc, const luogo& l) {
    return std::any_of(rc.tolti.begin(), rc.tolti.end(),
                       [&](const tratto_tolto& t) { return t.file == l.file && l.riga >= t.da && l.riga <= t.a; });
}

// The diagnostic of a status, in either list.
diagnostica* diagnostica_di(std::vector<diagnostica>& prime, std::vector<diagnostica>& nuove,
                            const stato_sollevato& v) {
    const auto e_sua = [&](const diagnostica& d) {
        if (d.livello != gravita::errore || !d.nome.empty() || d.stato != v.codice) return false;
        const bool nel_campo = d.dove.file == v.campo.file && d.dove.riga == v.campo.riga;
        const bool nel_record = d.dove.file == v.record.file && d.dove.riga == v.record.riga;
        return nel_campo || nel_record;
    };
    for (std::vector<diagnostica>* elenco : {&prime, &nuove}) {
        const auto i = std::find_if(elenco->begin(), elenco->end(), e_sua);
        if (i != elenco->end()) return &*i;
    }
    return nullptr;
}

void annota(diagnostica* d, std::string messaggio) {
    if (d != nullptr) d->note.push_back({d->dove, std::move(messaggio)});
}

// The statuses of a later build that are problems of their own: not told
// before, not the line file's status met again, not a limit told already.
std::vector<stato_sollevato> stati_nuovi(ricupero& rc, const std::vector<stato_sollevato>& stati) {
    std::vector<stato_sollevato> nuovi;
    for (const stato_sollevato& v : stati) {
        if (v.ereditato || !rc.visti.insert(chiave_di(v)).second) continue;
        if (const std::optional<chiave_limite> l = limite_di(v)) {
            const auto k = rc.limiti.find(*l);
            if (k != rc.limiti.end()) {
                ++k->second.second;
                continue;
            }
            rc.limiti[*l] = {v, 0};
        }
        nuovi.push_back(v);
    }
    return nuovi;
}

// The first line left out of a source, for a whole-file diagnostic that may
// only follow from it.
std::optional<std::int32_t> prima_riga_tolta(const ricupero& rc, sorgente file) {
    for (const tratto_tolto& t : rc.tolti) {
        if (t.file == file) return t.da;
    }
    return std::nullopt;
}

// One build of the texts as they now stand: what it finds that was not told.
std::vector<stato_sollevato> costruisci_ancora(ricupero& rc, const richiesta_costruzione& r,
                                               const risultato_costruzione& c) {
    auto m = std::make_unique<modello_scenario>();
    // Its outputs are dropped: the plan is validated, not kept.
    costruisci_testi(*m, r.nomi, rc.testo(sorgente::linea), rc.testo(sorgente::treno),
                     r.con_planimetria ? modo_planimetria::verificata : modo_planimetria::nessuna,
                     [](const std::string&, const contenuto_file&) {});
    std::vector<stato_sollevato> fermi;
    for (const stato_sollevato& v : m->stati_sollevati) {
        if (ferma_la_lettura(v)) fermi.push_back(v);
    }
    m->stati_sollevati = stati_nuovi(rc, m->stati_sollevati);
    std::erase_if(m->avvisi, [&](const avviso_sorgente& a) { return in_un_tratto_tolto(rc, a.dove); });
    for (diagnostica& d : diagnostiche_costruzione(*m, sorgenti_di(r, c), fatale_costruzione{}, false)) {
        if (!rc.dette.insert(chiave_di(d)).second) continue;
        const std::optional<std::int32_t> tolta = prima_riga_tolta(rc, d.dove.file);
        if (d.dove.riga == 0 && tolta) {
            d.messaggio += " (this may only follow from leaving out the record at line " + std::to_string(*tolta) +
                           " after its error)";
        }
        rc.nuove.push_back(std::move(d));
    }
    return fermi;
}

// Leaves out what stopped the last build; false when nothing more can be.
bool togli_fermi(ricupero& rc, std::vector<diagnostica>& prime, const std::vector<stato_sollevato>& fermi,
                 bool con_treno) {
    bool tolto = false;
    for (const stato_sollevato& v : fermi) {
        if (!rc.trattati.insert(chiave_di(v)).second) continue;
        if (togli(rc, v)) {
            tolto = true;
        } else if (senza_tracciato(v) && con_treno && rc.annotati.insert(chiave_di(v)).second) {
            annota(diagnostica_di(prime, rc.nuove, v),
                   "the train file is not checked: it is read against the track of the line file, and this one "
                   "gives none");
        }
    }
    return tolto;
}

// The statuses first, in the order found; then every warning and every
// error of a warning's kind, in the order of the sources.
std::vector<diagnostica> in_ordine(std::vector<diagnostica> prime, std::vector<diagnostica> nuove) {
    std::vector<diagnostica> tutte;
    std::vector<diagnostica> nominate;
    for (std::vector<diagnostica>* elenco : {&prime, &nuove}) {
        for (diagnostica& d : *elenco) (d.nome.empty() ? tutte : nominate).push_back(std::move(d));
    }
    std::stable_sort(nominate.begin(), nominate.end(), [](const diagnostica& a, const diagnostica& b) {
        const auto chiave = [](const diagnostica& x) {
            return std::tuple(static_cast<int>(x.dove.file), x.dove.riga == 0 ? 0 : 1, x.dove.riga, x.dove.colonna);
        };
        return chiave(a) < chiave(b);
    });
    for (diagnostica& d : nominate) tutte.push_back(std::move(d));
    return tutte;
}

void annota_limiti(std::vector<diagnostica>& tutte, const ricupero& rc) {
    std::vector<diagnostica> nessuna;
    for (const auto& [limite, primo] : rc.limiti) {
        const int altri = primo.second;
        if (altri == 0) continue;
        annota(diagnostica_di(tutte, nessuna, primo.first),
               std::to_string(altri) +
                   (altri == 1 ? " more record after this one meets" : " more records after this one meet") +
                   " the same limit; not shown");
    }
}

}  // namespace

void cerca_altri_problemi(risultato_costruzione& c, const richiesta_costruzione& r) {
    const modello_scenario& primo = *c.modello;
    std::vector<stato_sollevato> fermi;
    for (const stato_sollevato& v : primo.stati_sollevati) {
        if (ferma_la_lettura(v)) fermi.push_back(v);
    }
    if (fermi.empty()) return;

    ricupero rc;
    rc.linea = c.testo_linea;
    rc.treno = c.testo_treno;
    for (const stato_sollevato& v : primo.stati_sollevati) {
        if (!v.ereditato) rc.visti.insert(chiave_di(v));
        if (const std::optional<chiave_limite> l = limite_di(v); l && !v.ereditato && !rc.limiti.count(*l)) {
            rc.limiti[*l] = {v, 0};
        }
    }
    for (const diagnostica& d : c.diagnostiche) rc.dette.insert(chiave_di(d));

    const bool con_treno = c.testo_treno.has_value();
    int costruzioni = 1;
    while (togli_fermi(rc, c.diagnostiche, fermi, con_treno)) {
        if (costruzioni == massimo_ricostruzioni) {
            diagnostica* ultima = nullptr;
            for (std::vector<diagnostica>* elenco : {&c.diagnostiche, &rc.nuove}) {
                for (diagnostica& d : *elenco) {
                    if (d.nome.empty() && d.livello == gravita::errore) ultima = &d;
                }
            }
            annota(ultima, "the check stops here after " + std::to_string(massimo_ricostruzioni) +
                               " builds: mend these errors and check again to see what follows");
            break;
        }
        ++costruzioni;
        fermi = costruisci_ancora(rc, r, c);
    }
    if (!rc.nuove.empty()) c.diagnostiche = in_ordine(std::move(c.diagnostiche), std::move(rc.nuove));
    annota_limiti(c.diagnostiche, rc);
}

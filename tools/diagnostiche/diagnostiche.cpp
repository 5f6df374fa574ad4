#include "tools/diagnostiche/diagnostiche.h"

#include <algorithm>
#include <utility>

#include "compiler/avvisi.h"
#include "compiler/parole_chiave.h"
#include "tools/analisi/esami.h"
#include "tools/diagnostiche/messaggi_stati.h"
#include "tools/comune/testo_terminale.h"

namespace {

// The longest name or text an entry of the scenario file holds (a 16-bit length).
constexpr std::size_t massimo_nome = 65535;

// Bytes of a line kept on each side of a diagnostic's column: a line of
// megabytes is shown as a window around the caret anyway.
constexpr std::size_t finestra_riga = 2048;

// A line of a source that a diagnostic shows, to be filled once all are known.
struct riga_richiesta {
    sorgente file;
    std::int32_t riga;
    punto_sorgente* destinazione;
};

// The line, or a stretch of it around the point's column, into the point.
void metti_riga(punto_sorgente& p, std::string_view riga) {
    const std::size_t k = static_cast<std::size_t>(std::max(p.colonna, 1) - 1);
    const std::size_t da = k > finestra_riga ? k - finestra_riga : 0;
    const std::size_t a = std::min(riga.size(), k + finestra_riga);
    p.inizio_riga = std::min(da, riga.size());
    p.testo_riga = std::string(riga.substr(p.inizio_riga, a > p.inizio_riga ? a - p.inizio_riga : 0));
    p.riga_continua = a < riga.size();
}

struct raccolta {
    const modello_scenario& m;
    const sorgenti_autore& s;
    std::vector<diagnostica> d;
    std::vector<riga_richiesta> righe;
};

// A place of a source; a place without a line names the file only, and one
// without a file names nothing.
punto_sorgente punto(const sorgenti_autore& s, const luogo& l, bool valore) {
    punto_sorgente p;
    p.file = l.file;
    p.percorso = percorso_di(s, l.file);
    if (l.file != sorgente::nessuna && l.riga > 0) {
        p.riga = l.riga;
        p.colonna = l.colonna;
        p.fine = l.fine;
        p.valore = valore;
    }
    return p;
}

bool stesso_luogo(const luogo& a, const luogo& b) {
    return a.file == b.file && a.riga == b.riga && a.colonna == b.colonna;
}

// The number a keyword field ends with after a blank ("sabbia    300"): a
// comma forgotten after the keyword makes the first value part of it.
std::string numero_finale(std::string_view chiave) {
    const std::size_t blank = chiave.find_last_of(' ');
    if (blank == std::string_view::npos || chiave.find_first_not_of(' ') >= blank) return "";
    const std::string_view n = chiave.substr(blank + 1);
    const std::size_t cifre = n.find_first_not_of("+-") == 0 || n.size() == 1 ? 0 : 1;
    if (n.size() <= cifre || n.find_first_not_of("0123456789", cifre) != std::string_view::npos) return "";
    return std::string(n);
}

std::string riga_di(const sorgenti_autore& s, sorgente file, std::int32_t riga) {
    const std::string* t = testo_di(s, file);
    return t == nullptr ? std::string() : std::string(riga_sorgente(*t, riga));
}

void diagnostica_di_stato(raccolta& r, const stato_sollevato& v) {
    const lettore_riga riga = [&](sorgente file, std::int32_t n) { return riga_di(r.s, file, n); };
    const bool assente = v.campo.file != sorgente::nessuna && testo_di(r.s, v.campo.file) == nullptr;
    const messaggio_stato testo = messaggio_di_stato(v, r.m, riga, assente);

    diagnostica d;
    d.livello = gravita::errore;
    d.stato = v.codice;
    if (v.con_posizione) d.posizione = v.posizione;
    // The offending value; otherwise the record; a place in no file names nothing.
    const luogo& dove = noto(v.campo) || v.campo.file != sorgente::nessuna || !noto(v.record) ? v.campo : v.record;
    d.dove = punto(r.s, dove, !stesso_luogo(dove, v.record));
    d.messaggio = testo.testo;
    // The record, when the value to blame lies after it on another line.
    const bool nel_record = v.record.file == dove.file &&
                            std::pair(v.record.riga, v.record.colonna) < std::pair(dove.riga, dove.colonna);
    const std::string chiave =
        noto(v.record) ? std::string(testo_del_campo(riga(v.record.file, v.record.riga), v.record)) : "";
    const std::string numero = numero_finale(chiave);
    if (!numero.empty() && !v.ereditato) {
        d.note.push_back({punto(r.s, v.record, false),
                          "the keyword '" + chiave + "' holds a value: is a comma missing before '" + numero + "'?"});
    } else if (noto(v.record) && noto(dove) && v.record.riga != dove.riga && nel_record) {
        d.note.push_back({punto(r.s, v.record, false), "in the record '" + chiave + "' begun here"});
    }
    for (const nota_stato& n : testo.note) d.note.push_back({punto(r.s, n.dove, false), n.messaggio});
    // A line without a length: the field that was meant to be it, when a
    // warning tells of one.
    if (v.guasto && v.guasto->dati.genere == genere_guasto::senza_lunghezza) {
        for (const avviso_sorgente& a : r.m.avvisi) {
            if (noto(a.dove) && a.parola == parola_lunghezza) {
                d.note.push_back({punto(r.s, a.dove, false), "this field is not read as the length record (see the "
                                                             "warning below)"});
            }
        }
    }
    r.d.push_back(std::move(d));
}

void diagnostica_fatale(raccolta& r, const fatale_costruzione& f) {
    diagnostica d;
    d.livello = gravita::errore;
    switch (f.esito) {
        case esito_fatale::nessuno: return;
        case esito_fatale::errore_1250:
        case esito_fatale::errore_1251: {
            const bool timbro = f.esito == esito_fatale::errore_1250;
            d.stato = timbro ? 1250 : 1251;
            const std::string fine = std::string("the build ends with \" Errore n. ") + (timbro ? "1250" : "1251") +
                                     "\" and writes no scenario file";
            d.messaggio = std::string(timbro ? "a slot of the format stamps (valore1 of cell 1 or par1 of entry 85)"
                                             : "a slot of the check codes (valore2 of cell 1 or valore4 of entry 85)") +
                          " already holds a value: " + fine;
            const cella* prima = r.m.tracciato.size() > 1 ? &r.m.tracciato[1] : nullptr;
            const bool dalla_cella = prima != nullptr && (timbro ? prima->valore1 != 0 : prima->valore2 != 0);
            if (dalla_cella && r.m.origine_celle.size() > 1 && noto(r.m.origine_celle[1])) {
                d.dove = punto(r.s, r.m.origine_celle[1], false);
                d.messaggio = std::string("this record writes ") + (timbro ? "valore1" : "valore2") +
                              " of cell 1 (metres 50 to 99), the slot of " +
                              (timbro ? "a format stamp: " : "a check code: ") + fine;
            }
            break;
        }
        case esito_fatale::senza_tracciato:
            // The status that stopped the build before the track is told above.
            if (!r.m.stati_sollevati.empty()) return;
            d.dove.file = sorgente::linea;
            d.dove.percorso = r.s.percorso_linea;
            d.messaggio = "no track: the build stopped before it made the track, so no scenario file can be written";
            break;
        case esito_fatale::io:
            if (f.illeggibile == sorgente::nessuna) {
                // A text too long for the scenario file: the record that gave it.
                for (std::size_t k = 0; k < r.m.scenario.size(); ++k) {
                    const std::size_t n = r.m.scenario[k].nome.size();
                    if (n <= massimo_nome || !noto(r.m.origine_voci[k])) continue;
                    d.dove = punto(r.s, r.m.origine_voci[k], false);
                    d.messaggio = "a text of " + std::to_string(n) + " bytes from this record: a name or text of the "
                                  "scenario table takes at most " + std::to_string(massimo_nome) +
                                  " bytes, so no scenario file can be written";
                    r.d.push_back(std::move(d));
                    return;
                }
                // Any other failure (compile's output directory) is told by the summary line alone.
                return;
            }
            d.dove.file = f.illeggibile;
            d.dove.percorso = percorso_di(r.s, f.illeggibile);
            d.messaggio = std::string("cannot read the ") + nome_sorgente(f.illeggibile) + ": " + f.perche;
            break;
    }
    r.d.push_back(std::move(d));
}

// A named diagnostic, a warning of the build or a check of the built
// scenario: its severity by default is its name's.
diagnostica diagnostica_nominata(raccolta& r, const std::string& nome, const luogo& dove, const std::string& messaggio) {
    diagnostica d;
    d.livello = errore_per_nome(nome) ? gravita::errore : gravita::avviso;
    d.nome = nome;
    d.dove = punto(r.s, dove, false);
    d.messaggio = messaggio;
    return d;
}

void diagnostica_di_avviso(raccolta& r, const avviso_sorgente& a) {
    r.d.push_back(diagnostica_nominata(r, a.nome, a.dove, a.messaggio));
}

// What a check of the built scenario found, with the other records it names.
void diagnostica_di_rilievo(raccolta& r, const rilievo& x) {
    diagnostica d = diagnostica_nominata(r, x.nome, x.dove, x.messaggio);
    for (const nota_rilievo& n : x.note) d.note.push_back({punto(r.s, n.dove, false), n.messaggio});
    r.d.push_back(std::move(d));
}

// Every line shown, read in one pass over each source.
void riempi_righe(raccolta& r) {
    for (diagnostica& d : r.d) {
        const auto chiedi = [&](punto_sorgente& p) {
            if (p.riga <= 0) return;
            r.righe.push_back({p.file, p.riga, &p});
        };
        chiedi(d.dove);
        for (nota_diagnostica& n : d.note) chiedi(n.dove);
    }
    std::stable_sort(r.righe.begin(), r.righe.end(), [](const riga_richiesta& a, const riga_richiesta& b) {
        return std::pair(a.file, a.riga) < std::pair(b.file, b.riga);
    });
    for (const sorgente file : {sorgente::linea, sorgente::treno}) {
        const std::string* testo = testo_di(r.s, file);
        if (testo == nullptr) continue;
        std::int32_t riga = 1;
        std::size_t inizio = 0;
        auto prossima = std::find_if(r.righe.begin(), r.righe.end(), [&](const riga_richiesta& x) { return x.file == file; });
        const auto consegna = [&](std::size_t fine) {
            while (prossima != r.righe.end() && prossima->file == file && prossima->riga == riga) {
                metti_riga(*prossima->destinazione, std::string_view(*testo).substr(inizio, fine - inizio));
                ++prossima;
            }
        };
        for (std::size_t i = 0; i < testo->size() && prossima != r.righe.end() && prossima->file == file; ++i) {
            const char c = (*testo)[i];
            if (c != '\r' && c != '\n') continue;
            consegna(i);
            if (c == '\r' && i + 1 < testo->size() && (*testo)[i + 1] == '\n') ++i;
            ++riga;
            inizio = i + 1;
        }
        consegna(testo->size());
    }
}

}  // namespace

std::vector<diagnostica> diagnostiche_costruzione(const modello_scenario& m, const sorgenti_autore& s,
                                                  const fatale_costruzione& f, bool con_esami) {
    raccolta r{m, s, {}, {}};
    for (const stato_sollevato& v : m.stati_sollevati) diagnostica_di_stato(r, v);
    diagnostica_fatale(r, f);
    for (const avviso_sorgente& a : m.avvisi) diagnostica_di_avviso(r, a);
    if (con_esami) {
        for (const rilievo& x : esegui_esami(m, s.testo_linea, s.testo_treno)) diagnostica_di_rilievo(r, x);
    }
    riempi_righe(r);
    return std::move(r.d);
}

#include "tools/messaggi_stati.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <optional>
#include <string_view>

#include "compiler/geometria.h"
#include "compiler/stati.h"
#include "tools/testo_terminale.h"

namespace {

// What the build needs to know about the status being told.
struct caso {
    const stato_sollevato& v;
    const modello_scenario& m;
    const lettore_riga& riga;
    bool assente;
};

std::string metri(std::int64_t p) { return std::to_string(p) + " m"; }

std::string citato(std::string_view s) {
    std::string r(1, '\'');
    r += s;
    r += '\'';
    return r;
}

// The field at a place, as written.
std::string campo_a(const caso& c, const luogo& l, bool valore) {
    if (!noto(l)) return "";
    return std::string(campo_in_riga(c.riga(l.file, l.riga), l.colonna, valore));
}

std::string chiave(const caso& c) { return campo_a(c, c.v.record, false); }
std::string valore_colpevole(const caso& c) { return campo_a(c, c.v.campo, true); }

bool contiene_ogni_caso(std::string_view testo, std::string_view parola) {
    const auto basso = [](char x) { return static_cast<char>(std::tolower(static_cast<unsigned char>(x))); };
    return std::search(testo.begin(), testo.end(), parola.begin(), parola.end(),
                       [&](char a, char b) { return basso(a) == basso(b); }) != testo.end();
}

// The values written after the record's keyword on its own line, blanks
// trimmed; a record that runs on to the next line gives fewer.
std::vector<std::string> valori_sulla_riga(const caso& c) {
    std::vector<std::string> valori;
    const luogo& r = c.v.record;
    if (!noto(r)) return valori;
    const std::string riga = c.riga(r.file, r.riga);
    std::size_t i = riga.find(',', static_cast<std::size_t>(std::max(r.colonna, 1) - 1));
    while (i != std::string::npos) {
        const std::size_t fine = riga.find(',', i + 1);
        std::string v = riga.substr(i + 1, fine == std::string::npos ? std::string::npos : fine - i - 1);
        v.erase(0, v.find_first_not_of(' '));
        v.erase(v.find_last_not_of(' ') + 1);
        valori.push_back(v);
        i = fine;
    }
    return valori;
}

std::optional<std::int64_t> numero(const std::string& s) {
    if (s.empty() || s.size() > 12) return std::nullopt;
    std::size_t i = s[0] == '-' || s[0] == '+' ? 1 : 0;
    if (i == s.size()) return std::nullopt;
    std::int64_t n = 0;
    for (; i < s.size(); ++i) {
        if (s[i] < '0' || s[i] > '9') return std::nullopt;
        n = n * 10 + (s[i] - '0');
    }
    return s[0] == '-' ? -n : n;
}

const char* che_cosa_tiene(std::uint8_t tipo) {
    const descrizione_tipo_cella* d = descrizione_tipo(tipo);
    return d != nullptr && d->parola_messaggi != nullptr ? d->parola_messaggi : "something else";
}

// "cell C (metres A to B) holds X", and a note at the record that put it there.
void cella_occupata(const caso& c, messaggio_stato& r, std::int64_t i, const char* di_chi) {
    const auto& t = c.m.tracciato;
    if (i < 0 || i >= static_cast<std::int64_t>(t.size())) return;
    const auto k = static_cast<std::size_t>(i);
    const char* cosa = che_cosa_tiene(t[k].tipo);
    r.testo += ": " + std::string(di_chi) + ", cell " + std::to_string(i) + " (metres " + std::to_string(primo_metro(i)) +
               " to " + std::to_string(ultimo_metro(i)) + "), already holds " + cosa;
    if (k < c.m.origine_celle.size() && noto(c.m.origine_celle[k])) {
        r.note.push_back({c.m.origine_celle[k], std::string(cosa) + " placed in cell " + std::to_string(i) + " by this record"});
    }
}

// The table entry that a record filled (a station), when known.
std::optional<std::size_t> voce_di(const caso& c) {
    for (std::size_t k = 1; k < c.m.origine_voci.size(); ++k) {
        const luogo& o = c.m.origine_voci[k];
        if (noto(o) && o.file == c.v.record.file && o.riga == c.v.record.riga && o.colonna == c.v.record.colonna) {
            return k;
        }
    }
    return std::nullopt;
}

// --- one function per status -------------------------------------------------------

messaggio_stato fuori_tracciato(const caso& c) {
    const std::string k = chiave(c);
    if (c.v.ereditato) {
        return {"the line file's status " + std::to_string(c.v.codice) + " (see above) ends the train file at this " +
                    citato(k) + " record: its position, " + metri(c.v.posizione) + ", becomes the final one",
                {}};
    }
    const bool stazione = contiene_ogni_caso(k, "stazione") && c.v.fase == fase_stato::treno;
    const std::int64_t massimo = ultima_posizione(c.m.numero_celle, stazione ? margine_stazione : margine_record);
    const std::int32_t dichiarata = c.m.scenario[voce::dati_generali].valore2;
    return {"position " + metri(c.v.posizione) + " is beyond the end of the track: " +
                (stazione ? "a station" : "a record") + " may stand at " + metri(massimo) + " at most (the line's " +
                metri(dichiarata) + " plus " + metri(massimo - dichiarata) + ")",
            {}};
}

messaggio_stato cella_non_libera(const caso& c, double scarto, const char* testo, const char* di_chi) {
    messaggio_stato r{testo, {}};
    cella_occupata(c, r, cella_della_posizione(c.v.posizione, scarto), di_chi);
    return r;
}

messaggio_stato fine_rallentamento(const caso& c) {
    messaggio_stato r{"the end cell of this slowdown is not free", {}};
    const auto valori = valori_sulla_riga(c);
    if (valori.size() >= 3) {
        if (const auto l = numero(valori[2])) {
            cella_occupata(c, r, cella_della_posizione(c.v.posizione + *l, 1), "its end cell");
        }
    }
    return r;
}

messaggio_stato stazioni_vicine(const caso& c) {
    messaggio_stato r{"this station is too close to the previous one", {}};
    const auto k = voce_di(c);
    if (!k || *k < 2) return r;
    const voce_scenario& questa = c.m.scenario[*k];
    const voce_scenario& prima = c.m.scenario[*k - 1];
    r.testo = "this station's extent begins at " + metri(questa.valore1) + ", less than 350 m after the previous "
              "station's extent ends (" + metri(prima.valore2) + ")";
    if (noto(c.m.origine_voci[*k - 1])) r.note.push_back({c.m.origine_voci[*k - 1], "the previous station"});
    return r;
}

messaggio_stato marca_iniziale(const caso& c) {
    messaggio_stato r{"the station marker of this station would fall at or before cell 1", {}};
    if (const auto k = voce_di(c)) {
        r.testo += ": its extent ends at " + metri(c.m.scenario[*k].valore2) +
                   ", and the marker stands in the cell before that metre's own cell";
    }
    return r;
}

messaggio_stato troppe_stazioni(const caso& c) {
    int cartelli = 0;
    for (std::size_t k = 1; k <= voce::primo_cartello; ++k) {
        if (noto(c.m.origine_voci[k]) && c.m.origine_voci[k].file == sorgente::linea) ++cartelli;
    }
    const auto k = voce_di(c);
    std::string t = "no room after this station: stations and indication signs share 78 entries of the scenario "
                    "table";
    if (k) {
        t += ", and this is station " + std::to_string(*k) + " with " + std::to_string(cartelli) +
             (cartelli == 1 ? " sign" : " signs") + " in the line file";
    }
    return {t, {}};
}

messaggio_stato progressiva(const caso& c) {
    std::string t = "this kilometric progressive's start or value is not a multiple of 50";
    const auto valori = valori_sulla_riga(c);
    if (valori.size() >= 2) t += " (start " + valori[0] + ", value " + valori[1] + ")";
    return {t + "; the build checks it at the end of the train file", {}};
}

messaggio_stato curva(const caso& c) {
    if (c.v.campo.riga == c.v.record.riga && c.v.campo.colonna == c.v.record.colonna) {
        return {"the curve keyword " + citato(chiave(c)) + " holds no grade digit (1 to 6)", {}};
    }
    return {"this curve takes the line's plan past 1,000,000 points", {}};
}

// "cell C (metres A to B)" of the cell at a position that is a cell's first metre.
std::string cella_a(std::int64_t posizione) {
    const std::int64_t i = posizione / metri_cella;
    return "cell " + std::to_string(i) + " (metres " + std::to_string(primo_metro(i)) + " to " + std::to_string(ultimo_metro(i)) + ")";
}

messaggio_stato segnale_a(const caso& c) {
    messaggio_stato r{"the finishing pass finds no free cell for the board in front of the signal in " +
                          cella_a(c.v.posizione) + ", within 20 cells before this slowdown's warning board: both "
                          "cells just before the signal are taken",
                      {}};
    const std::int64_t i = c.v.posizione / metri_cella;
    if (i >= 0 && static_cast<std::size_t>(i) < c.m.origine_celle.size() &&
        noto(c.m.origine_celle[static_cast<std::size_t>(i)])) {
        r.note.push_back({c.m.origine_celle[static_cast<std::size_t>(i)], "the signal"});
    }
    return r;
}

// The words of a runtime failure: what the reader or the build said, with
// the name of the operation left out.
messaggio_stato guasto(const caso& c) {
    const std::string& d = c.v.dettaglio;
    if (!noto(c.v.campo)) {
        if (c.assente) return {"no such file: the build records status 25 when the train file is missing", {}};
        return {"the build fails: " + d, {}};
    }
    const auto dopo = [&](std::string_view testa) -> std::optional<std::string> {
        if (d.rfind(testa, 0) != 0) return std::nullopt;
        return d.substr(testa.size());
    };
    if (dopo("read field: ")) {
        const bool nel_record = noto(c.v.record) && (c.v.record.riga != c.v.campo.riga ||
                                                     c.v.record.colonna != c.v.campo.colonna);
        return {nel_record ? "the file ends inside the record " + citato(chiave(c)) + ": a value is missing"
                           : "the file ends where a field is expected",
                {}};
    }
    if (const auto r = dopo("read value: not a number: ")) {
        return {"a whole number is expected here, not " + *r, {}};
    }
    if (const auto r = dopo("read value: ")) return {*r, {}};
    if (const auto r = dopo("speed limit: ")) return {*r, {}};
    if (dopo("line file: no length record")) {
        return {"the general section ends here without a length record (\"lunghezza percorso\"): the line has no "
                "track",
                {}};
    }
    if (const auto r = dopo("track cell: ")) {
        std::string t = "this record reaches " + *r;
        if (contiene_ogni_caso(chiave(c), "segnale") && r->rfind("cell -", 0) == 0) {
            t += ": a signal's approach markers stand up to 8 cells before its own, so it needs a position of 325 m "
                 "or more";
        }
        return {t, {}};
    }
    for (const char* testa : {"convert: ", "compute: ", "line file: ", "mountain list: ",
                              "plan point: ", "track: ", "plan: ", "scenario entry: "}) {
        if (const auto r = dopo(testa)) return {"the build fails on this record: " + *r, {}};
    }
    return {"the build fails on this record: " + d, {}};
}

messaggio_stato con_testo(const char* testo) { return {testo, {}}; }

}  // namespace

messaggio_stato messaggio_di_stato(const stato_sollevato& v, const modello_scenario& m, const lettore_riga& riga,
                                   bool assente) {
    const caso c{v, m, riga, assente};
    if (v.ereditato) return fuori_tracciato(c);
    switch (static_cast<stato>(v.codice)) {
        case stato::lunghezza_eccessiva:
            return {"the line length " + valore_colpevole(c) + " m is over the limit of 1000000 m", {}};
        case stato::progressiva_non_multipla: return progressiva(c);
        case stato::inizio_ripetizione_non_multiplo:
            return {"the start of the signal-code repetition, " + valore_colpevole(c) + ", is not a multiple of 50", {}};
        case stato::fine_ripetizione_non_multipla:
            return {"the end of the signal-code repetition, " + valore_colpevole(c) + ", is not a multiple of 50", {}};
        case stato::ripetizione_senza_codici:
            return {"the repetition keyword " + citato(chiave(c)) +
                        " names neither 4 nor 9 codes: it must hold the digit 4 or the digit 9",
                    {}};
        case stato::cartello_occupato:
            return cella_non_libera(c, 1, "the cell of this indication sign is not free",
                                    "the cell after the position's own cell");
        case stato::abbattimento_occupato:
            return cella_non_libera(c, 0, "the cell of this abbattimento board is not free", "its cell");
        case stato::stazione_non_multipla:
            return {"the station position " + metri(v.posizione) + " is not a multiple of 50", {}};
        case stato::lunghezza_stazione_non_multipla:
            return {"the station length " + valore_colpevole(c) + " is not a multiple of 100", {}};
        case stato::troppe_stazioni: return troppe_stazioni(c);
        case stato::tabella_segnale_impossibile: return segnale_a(c);
        case stato::tabella_approccio_impossibile:
            return {"the finishing pass finds no free cell for an approach board of this slowdown, whose start is in " +
                        cella_a(v.posizione) + ": each window of cells 5 to 7, 11 to 13 and 18 to 20 before the "
                        "start cell needs one free cell",
                    {}};
        case stato::tabella_ripetizione_impossibile:
            return {"the finishing pass finds no free cell for a repeat board inside this slowdown, or for the board "
                    "before the first signal after its end: " + cella_a(v.posizione) + " and the cells around it "
                    "are taken",
                    {}};
        case stato::fuori_tracciato: return fuori_tracciato(c);
        case stato::segnale_occupato:
            return cella_non_libera(c, 1, "the cell of this signal is not free", "the cell after the position's own cell");
        case stato::avviso_occupato:
            return cella_non_libera(c, scarto_avviso, "the cell of this slowdown's warning board is not free",
                                    "the warning board's cell, 1200 m before the start");
        case stato::inizio_rallentamento_occupato:
            return cella_non_libera(c, 1, "the start cell of this slowdown is not free",
                                    "the cell after the position's own cell");
        case stato::fine_rallentamento_occupata: return fine_rallentamento(c);
        case stato::preavviso_occupato:
            return {"one of the four cells just before this slowdown's warning board is not free (the slowdown asks "
                    "for lead-in cells)",
                    {}};
        case stato::indicatori_occupati:
            return cella_non_libera(c, 1, "the cell of these speed indicators is not free",
                                    "the cell after the position's own cell");
        case stato::stazioni_vicine: return stazioni_vicine(c);
        case stato::marca_stazione_iniziale: return marca_iniziale(c);
        case stato::guasto_esecuzione: return guasto(c);
        case stato::linea_mancante:
            return con_testo(assente ? "no such file: the build records status 101 when the line file is missing"
                                     : "the line file does not exist");
        case stato::generale_mancante:
            return con_testo("no field \"[generale]\" in the line file: nothing is read before that field, and "
                             "the general section begins after it");
        case stato::curva_non_valida: return curva(c);
        case stato::nessuno: break;
    }
    return con_testo(testo_stato(v.codice));
}

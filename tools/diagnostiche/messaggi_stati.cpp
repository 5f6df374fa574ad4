#include "tools/diagnostiche/messaggi_stati.h"

#include <array>
#include <optional>
#include <string_view>

#include "compiler/geometria.h"
#include "compiler/parole_chiave.h"
#include "compiler/stati.h"
#include "compiler/tipi_cella.h"
#include "tools/diagnostiche/parole_guasti.h"
#include "tools/comune/testo_terminale.h"

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

// The bytes of a field, from its place (start and end).
std::string campo_a(const caso& c, const luogo& l) {
    if (!noto(l)) return "";
    return std::string(testo_del_campo(c.riga(l.file, l.riga), l));
}

std::string chiave(const caso& c) { return campo_a(c, c.v.record); }
std::string valore_colpevole(const caso& c) { return campo_a(c, c.v.campo); }

const char* che_cosa_tiene(std::uint8_t tipo) {
    const descrizione_tipo_cella* d = descrizione_tipo(tipo);
    return d != nullptr && d->parola_messaggi != nullptr ? d->parola_messaggi : "something else";
}

// "cell C (metres A to B) holds X", and a note at the record that put it there.
void cella_occupata(const caso& c, messaggio_stato& r, const char* di_chi) {
    const std::int64_t i = c.v.cella;
    if (i < 0) return;
    const char* cosa = che_cosa_tiene(c.v.tipo_occupante);
    r.testo += ": " + std::string(di_chi) + ", cell " + std::to_string(i) + " (metres " + std::to_string(primo_metro(i)) +
               " to " + std::to_string(ultimo_metro(i)) + "), already holds " + cosa;
    if (noto(c.v.occupante)) {
        r.note.push_back({c.v.occupante, std::string(cosa) + " placed in cell " + std::to_string(i) + " by this record"});
    }
}

// The table entry the status is about (a station), when it names one.
std::optional<std::size_t> voce_di(const caso& c) {
    if (c.v.voce <= 0 || static_cast<std::size_t>(c.v.voce) >= c.m.scenario.size()) return std::nullopt;
    return static_cast<std::size_t>(c.v.voce);
}

// --- one function per status -------------------------------------------------------

messaggio_stato fuori_tracciato(const caso& c) {
    if (c.v.ereditato) {
        return {"the line file's status " + std::to_string(c.v.codice) + " (see above) ends the train file at this " +
                    citato(chiave(c)) + " record: its position, " + metri(c.v.posizione) + ", becomes the final one",
                {}};
    }
    const bool stazione = c.v.margine == margine_stazione;
    const std::int64_t massimo = ultima_posizione(c.m.numero_celle, c.v.margine);
    const std::int32_t dichiarata = c.m.scenario[voce::dati_generali].valore2;
    return {"position " + metri(c.v.posizione) + " is beyond the end of the track: " +
                (stazione ? "a station" : "a record") + " may stand at " + metri(massimo) + " at most (the line's " +
                metri(dichiarata) + " plus " + metri(massimo - dichiarata) + ")",
            {}};
}

messaggio_stato cella_non_libera(const caso& c, const char* testo, const char* di_chi) {
    messaggio_stato r{testo, {}};
    cella_occupata(c, r, di_chi);
    return r;
}

messaggio_stato stazioni_vicine(const caso& c) {
    messaggio_stato r{"this station is too close to the previous one", {}};
    const auto k = voce_di(c);
    if (!k || *k < 2) return r;
    const voce_scenario& questa = c.m.scenario[*k];
    const voce_scenario& prima = c.m.scenario[*k - 1];
    if (questa.valore3 < prima.valore3) {
        r.testo = "this station, at " + metri(questa.valore3) + ", lies before the previous station, at " +
                  metri(prima.valore3) + ": stations stand in the order of the line, and each one's extent begins at "
                  "least 350 m after the previous one's extent ends (" + metri(prima.valore2) + ")";
    } else {
        r.testo = "this station's extent begins at " + metri(questa.valore1) + ", less than 350 m after the previous "
                  "station's extent ends (" + metri(prima.valore2) + ")";
    }
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
    if (const auto k = voce_di(c)) {
        const voce_scenario& v = c.m.scenario[*k];
        t += " (start " + std::to_string(v.valore1) + ", value " + std::to_string(v.valore2) + ")";
    }
    return {t + "; the build checks it at the end of the train file", {}};
}

messaggio_stato curva(const caso& c) {
    if (c.v.campo.riga == c.v.record.riga && c.v.campo.colonna == c.v.record.colonna) {
        return {"the curve keyword " + citato(chiave(c)) + " holds no grade digit (1 to 6)", {}};
    }
    return {"this curve takes the line's plan past 1,000,000 points", {}};
}

// "cell C (metres A to B)" of the cell a board found no room around.
std::string cella_a(std::int64_t i) {
    return "cell " + std::to_string(i) + " (metres " + std::to_string(primo_metro(i)) + " to " + std::to_string(ultimo_metro(i)) + ")";
}

messaggio_stato segnale_a(const caso& c) {
    messaggio_stato r{"the finishing pass finds no free cell for the board in front of the signal in " +
                          cella_a(c.v.cella) + ", within 20 cells before this slowdown's warning board: both "
                          "cells just before the signal are taken",
                      {}};
    if (noto(c.v.occupante)) r.note.push_back({c.v.occupante, "the signal"});
    return r;
}

// The words of a runtime failure: what the reader or the build found, with
// the name of the operation left out.
messaggio_stato guasto(const caso& c) {
    const guasto_sollevato g = c.v.guasto.value_or(guasto_sollevato{});
    if (!noto(c.v.campo)) {
        if (c.assente) return {"no such file: the build records status 25 when the train file is missing", {}};
        return {"the build fails: " + parole_guasto(g), {}};
    }
    switch (g.dati.genere) {
        case genere_guasto::fine_file: {
            const bool nel_record = noto(c.v.record) && (c.v.record.riga != c.v.campo.riga ||
                                                         c.v.record.colonna != c.v.campo.colonna);
            return {nel_record ? "the file ends inside the record " + citato(chiave(c)) + ": a value is missing"
                               : "the file ends where a field is expected",
                    {}};
        }
        case genere_guasto::non_numero: return {"a whole number is expected here, not \"" + g.dati.campo + "\"", {}};
        case genere_guasto::valore_enorme:
        case genere_guasto::fuori_campo:
        case genere_guasto::velocita_fuori: return {che_cosa_guasto(g), {}};
        case genere_guasto::senza_lunghezza:
            return {"the general section ends here without a length record (\"lunghezza percorso\"): the line has no "
                    "track",
                    {}};
        case genere_guasto::cella_fuori: {
            std::string t = "this record reaches " + che_cosa_guasto(g);
            if (c.v.regola == "segnale" && g.dati.numeri[0] < 0) {
                t += ": a signal's approach markers stand up to 8 cells before its own, so it needs a position of 325 m "
                     "or more";
            }
            return {t, {}};
        }
        case genere_guasto::file: return {"the build fails on this record: " + parole_guasto(g), {}};
        default: return {"the build fails on this record: " + che_cosa_guasto(g), {}};
    }
}

messaggio_stato linea_mancante(const caso& c) {
    return {c.assente ? "no such file: the build records status 101 when the line file is missing"
                      : "the line file does not exist",
            {}};
}

// The words of each status, by its code.
struct parole_stato {
    stato codice;
    messaggio_stato (*parole)(const caso& c);
};

constexpr std::array<parole_stato, 26> parole{{
    {stato::lunghezza_eccessiva,
     [](const caso& c) -> messaggio_stato {
         return {"the line length " + valore_colpevole(c) + " m is over the limit of 1000000 m", {}};
     }},
    {stato::progressiva_non_multipla, progressiva},
    {stato::inizio_ripetizione_non_multiplo,
     [](const caso& c) -> messaggio_stato {
         return {"the start of the signal-code repetition, " + valore_colpevole(c) + ", is not a multiple of 50", {}};
     }},
    {stato::fine_ripetizione_non_multipla,
     [](const caso& c) -> messaggio_stato {
         return {"the end of the signal-code repetition, " + valore_colpevole(c) + ", is not a multiple of 50", {}};
     }},
    {stato::ripetizione_senza_codici,
     [](const caso& c) -> messaggio_stato {
         return {"the repetition keyword " + citato(chiave(c)) +
                     " names neither 4 nor 9 codes: it must hold the digit 4 or the digit 9",
                 {}};
     }},
    {stato::cartello_occupato,
     [](const caso& c) {
         return cella_non_libera(c, "the cell of this indication sign is not free",
                                 "the cell after the position's own cell");
     }},
    {stato::abbattimento_occupato,
     [](const caso& c) { return cella_non_libera(c, "the cell of this abbattimento board is not free", "its cell"); }},
    {stato::stazione_non_multipla,
     [](const caso& c) -> messaggio_stato {
         return {"the station position " + metri(c.v.posizione) + " is not a multiple of 50", {}};
     }},
    {stato::lunghezza_stazione_non_multipla,
     [](const caso& c) -> messaggio_stato {
         return {"the station length " + valore_colpevole(c) + " is not a multiple of 100", {}};
     }},
    {stato::troppe_stazioni, troppe_stazioni},
    {stato::tabella_segnale_impossibile, segnale_a},
    {stato::tabella_approccio_impossibile,
     [](const caso& c) -> messaggio_stato {
         return {"the finishing pass finds no free cell for an approach board of this slowdown, whose start is in " +
                     cella_a(c.v.cella) + ": each window of cells 5 to 7, 11 to 13 and 18 to 20 before the "
                     "start cell needs one free cell",
                 {}};
     }},
    {stato::tabella_ripetizione_impossibile,
     [](const caso& c) -> messaggio_stato {
         return {"the finishing pass finds no free cell for a repeat board inside this slowdown, or for the board "
                 "before the first signal after its end: " + cella_a(c.v.cella) + " and the cells around it "
                 "are taken",
                 {}};
     }},
    {stato::fuori_tracciato, fuori_tracciato},
    {stato::segnale_occupato,
     [](const caso& c) {
         return cella_non_libera(c, "the cell of this signal is not free", "the cell after the position's own cell");
     }},
    {stato::avviso_occupato,
     [](const caso& c) {
         return cella_non_libera(c, "the cell of this slowdown's warning board is not free",
                                 "the warning board's cell, 1200 m before the start");
     }},
    {stato::inizio_rallentamento_occupato,
     [](const caso& c) {
         return cella_non_libera(c, "the start cell of this slowdown is not free",
                                 "the cell after the position's own cell");
     }},
    {stato::fine_rallentamento_occupata,
     [](const caso& c) { return cella_non_libera(c, "the end cell of this slowdown is not free", "its end cell"); }},
    {stato::preavviso_occupato,
     [](const caso&) -> messaggio_stato {
         return {"one of the four cells just before this slowdown's warning board is not free (the slowdown asks "
                 "for lead-in cells)",
                 {}};
     }},
    {stato::indicatori_occupati,
     [](const caso& c) {
         return cella_non_libera(c, "the cell of these speed indicators is not free",
                                 "the cell after the position's own cell");
     }},
    {stato::stazioni_vicine, stazioni_vicine},
    {stato::marca_stazione_iniziale, marca_iniziale},
    {stato::guasto_esecuzione, guasto},
    {stato::linea_mancante, linea_mancante},
    {stato::generale_mancante,
     [](const caso&) -> messaggio_stato {
         return {"no field \"[generale]\" in the line file: nothing is read before that field, and the general "
                 "section begins after it",
                 {}};
     }},
    {stato::curva_non_valida, curva},
}};

// A value cut by a thousands separator: the blamed value is followed by a
// comma and three digits ("5,000"), which the reader takes as the next value.
void separatore_migliaia(const caso& c, messaggio_stato& r) {
    const luogo& l = c.v.campo;
    if (!noto(l) || (l.riga == c.v.record.riga && l.colonna == c.v.record.colonna) || l.fine < 1) return;
    const std::string riga = c.riga(l.file, l.riga);
    const std::string valore = campo_a(c, l);
    const std::size_t dopo = static_cast<std::size_t>(l.fine) - 1;
    const auto cifra = [&](std::size_t k) { return k < riga.size() && riga[k] >= '0' && riga[k] <= '9'; };
    if (valore.empty() || !cifra(dopo - 1) || dopo >= riga.size() || riga[dopo] != ',') return;
    if (!cifra(dopo + 1) || !cifra(dopo + 2) || !cifra(dopo + 3) || cifra(dopo + 4)) return;
    const std::string resto = riga.substr(dopo + 1, 3);
    r.testo += "; '" + valore + "," + resto + "' is read as two values, " + valore + " and " + resto +
               ": a comma ends a field, so a thousands separator cuts the number (write " + valore + resto + ")";
}

// A record started by a comment field: the reader passes over only so many
// comment fields in a row, and takes the next one as a keyword field.
void commento_letto(const caso& c, messaggio_stato& r) {
    const std::string k = chiave(c);
    if (k.empty() || !e_commento(k) || c.v.regola.empty()) return;
    const char* quanti = c.v.record.file == sorgente::linea
                             ? "ten comment fields in a row in the general section, and two after it"
                             : "two comment fields in a row";
    const std::string_view regola = c.v.regola.substr(0, c.v.regola.find('|'));
    r.testo += "; the record '" + std::string(regola) + "' was started by the comment field " + citato(k) +
               ": the reader passes over at most " + quanti +
               " (fields holding \"-\"), and reads the next one as a keyword field whatever it holds";
}

}  // namespace

messaggio_stato messaggio_di_stato(const stato_sollevato& v, const modello_scenario& m, const lettore_riga& riga,
                                   bool assente) {
    const caso c{v, m, riga, assente};
    if (v.ereditato) return fuori_tracciato(c);
    for (const parole_stato& p : parole) {
        if (numero(p.codice) != v.codice) continue;
        messaggio_stato r = p.parole(c);
        separatore_migliaia(c, r);
        commento_letto(c, r);
        return r;
    }
    return {testo_stato(v.codice), {}};
}

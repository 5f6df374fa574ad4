#include "tools/lsp/controllo_coppia.h"

#include <algorithm>
#include <cstdio>
#include <exception>
#include <optional>

#include "compiler/avvisi.h"
#include "compiler/modello.h"
#include "tools/comune/diagnostica.h"
#include "tools/comune/errore_uso.h"
#include "tools/comune/sorgenti_autore.h"
#include "tools/comune/testo_1252.h"
#include "tools/costruzione/costruzione_autore.h"
#include "tools/diagnostiche/diagnostiche.h"
#include "tools/comune/tabella_record.h"
#include "tools/lsp/testo_editor.h"

namespace {

using json = nlohmann::json;

// A file of the pair as the build reads it (bytes) and as the editor shows it (UTF-8).
struct vista_file {
    bool presente = false;
    std::exception_ptr illeggibile;
    std::string uri;
    std::string byte;
    std::string utf8;
    std::vector<std::size_t> inizi_byte;
    std::vector<std::size_t> inizi_utf8;
    std::vector<carattere_estraneo> estranei;
};

vista_file prepara(const file_coppia& f) {
    vista_file v;
    v.uri = f.uri;
    v.illeggibile = f.illeggibile;
    v.presente = f.testo.has_value() && !f.illeggibile;
    if (!v.presente) return v;
    if (f.dal_editor) {
        testo_1252 t = in_1252(*f.testo);
        v.byte = std::move(t.byte);
        v.estranei = std::move(t.estranei);
        v.utf8 = *f.testo;
    } else {
        v.byte = *f.testo;
        v.utf8 = utf8_da_1252(v.byte);
    }
    v.inizi_byte = inizi_righe(v.byte);
    v.inizi_utf8 = inizi_righe(v.utf8);
    return v;
}

json posizione(const vista_file& v, std::int32_t riga, std::int32_t colonna) {
    const posizione_editor p = in_editor(v.utf8, v.inizi_utf8, riga, colonna);
    return {{"line", p.riga}, {"character", p.carattere}};
}

// The bytes of line `riga` (from 1), its line end left out.
std::string_view riga_di(const vista_file& v, std::int32_t riga) {
    if (riga < 1 || static_cast<std::size_t>(riga) > v.inizi_byte.size()) return {};
    const std::size_t a = v.inizi_byte[static_cast<std::size_t>(riga - 1)];
    std::size_t b = static_cast<std::size_t>(riga) < v.inizi_byte.size() ? v.inizi_byte[static_cast<std::size_t>(riga)]
                                                                         : v.byte.size();
    while (b > a && (v.byte[b - 1] == '\n' || v.byte[b - 1] == '\r')) --b;
    return std::string_view(v.byte).substr(a, b - a);
}

// The column after the field at a place: the end the build recorded, or the
// field as the reader ends it (a comma, the line's end, a blank for a value).
std::int32_t fine_campo(const vista_file& v, const punto_sorgente& p) {
    if (p.fine > p.colonna) return p.fine;
    const std::string_view riga = riga_di(v, p.riga);
    std::size_t k = static_cast<std::size_t>(std::max(p.colonna, 1) - 1);
    std::size_t fine = k;
    for (; k < riga.size() && riga[k] != ','; ++k) {
        if (p.valore && riga[k] == ' ' && k > fine) break;
        if (riga[k] != ' ') fine = k + 1;
    }
    if (fine < riga.size() && fine == static_cast<std::size_t>(std::max(p.colonna, 1) - 1)) ++fine;
    return static_cast<std::int32_t>(fine) + 1;
}

json intervallo(const vista_file& v, const punto_sorgente& p) {
    if (p.riga <= 0 || !v.presente) return {{"start", {{"line", 0}, {"character", 0}}}, {"end", {{"line", 0}, {"character", 0}}}};
    return {{"start", posizione(v, p.riga, p.colonna)}, {"end", posizione(v, p.riga, fine_campo(v, p))}};
}

json intervallo_colonne(const vista_file& v, std::int32_t riga, std::int32_t da, std::int32_t a) {
    return {{"start", posizione(v, riga, da)}, {"end", posizione(v, riga, a)}};
}

std::string u_piu(char32_t c) {
    char t[16];
    std::snprintf(t, sizeof t, "U+%04X", static_cast<unsigned>(c));
    return t;
}

// The quick fixes of a diagnostic with one obvious mend.
struct contesto_correzioni {
    const modello_scenario& m;
    const vista_file& v;
};

std::optional<correzione> parola_suggerita(const contesto_correzioni& c, const diagnostica& d, const json& r) {
    for (const avviso_sorgente& a : c.m.avvisi) {
        if (a.nome != d.nome || a.parola.empty() || a.dove.file != d.dove.file || a.dove.riga != d.dove.riga ||
            a.dove.colonna != d.dove.colonna) {
            continue;
        }
        const std::string parola = utf8_da_1252(a.parola);
        return correzione{r, d.nome, "Write '" + parola + "'", json::array({{{"range", r}, {"newText", parola}}})};
    }
    return std::nullopt;
}

std::optional<correzione> virgola_decimale(const contesto_correzioni& c, const diagnostica& d, const json& r_diag) {
    const std::string_view riga = riga_di(c.v, d.dove.riga);
    const auto cifra = [&](std::size_t k) { return k < riga.size() && riga[k] >= '0' && riga[k] <= '9'; };
    const std::size_t a = static_cast<std::size_t>(std::max(d.dove.colonna, 1) - 1);
    std::size_t k = a;
    while (cifra(k)) ++k;
    if (k == a || k >= riga.size() || riga[k] != ',' || !cifra(k + 1)) return std::nullopt;
    std::size_t b = k + 1;
    while (cifra(b)) ++b;
    const std::string intero(riga.substr(a, k - a));
    const json r = intervallo_colonne(c.v, d.dove.riga, d.dove.colonna, static_cast<std::int32_t>(b) + 1);
    return correzione{r_diag, d.nome, "Write " + intero + ": values are whole numbers",
                      json::array({{{"range", r}, {"newText", intero}}})};
}

std::optional<correzione> tabulazioni(const contesto_correzioni& c, const diagnostica& d, const json& r) {
    const std::string_view riga = riga_di(c.v, d.dove.riga);
    json modifiche = json::array();
    for (std::size_t k = 0; k < riga.size(); ++k) {
        if (riga[k] != '\t') continue;
        const auto col = static_cast<std::int32_t>(k) + 1;
        modifiche.push_back({{"range", intervallo_colonne(c.v, d.dove.riga, col, col + 1)}, {"newText", " "}});
    }
    if (modifiche.empty()) return std::nullopt;
    return correzione{r, d.nome, "Replace the tabs of this line with blanks", modifiche};
}

// A span written end first ("montagna, 13050, 13000, 2"): its two ends
// swapped, for the records whose first two values are a start and an end.
std::optional<correzione> estremi_scambiati(const contesto_correzioni& c, const diagnostica& d, const json& r) {
    const std::string_view riga = riga_di(c.v, d.dove.riga);
    std::vector<std::pair<std::size_t, std::size_t>> campi;  // the first three fields, blanks around them left out
    for (std::size_t da = 0; campi.size() < 3 && da <= riga.size();) {
        const std::size_t virgola = std::min(riga.find(',', da), riga.size());
        std::size_t a = da;
        std::size_t b = virgola;
        while (a < b && riga[a] == ' ') ++a;
        while (b > a && riga[b - 1] == ' ') --b;
        campi.emplace_back(a, b);
        da = virgola + 1;
    }
    if (campi.size() < 3) return std::nullopt;
    const std::string_view chiave = riga.substr(campi[0].first, campi[0].second - campi[0].first);
    const voce_record* rec = record_di(chiave, parte_file::corpo_linea);
    if (rec == nullptr) rec = record_di(chiave, parte_file::generale_linea);
    if (rec == nullptr || rec->campi.size() < 2 || std::string_view(rec->campi[0].nome) != "start" ||
        std::string_view(rec->campi[1].nome) != "end") {
        return std::nullopt;
    }
    const auto testo = [&](std::size_t i) { return std::string(riga.substr(campi[i].first, campi[i].second - campi[i].first)); };
    const auto colonna = [](std::size_t k) { return static_cast<std::int32_t>(k) + 1; };
    json modifiche = json::array();
    for (std::size_t i : {std::size_t{1}, std::size_t{2}}) {
        modifiche.push_back({{"range", intervallo_colonne(c.v, d.dove.riga, colonna(campi[i].first), colonna(campi[i].second))},
                             {"newText", utf8_da_1252(testo(3 - i))}});
    }
    return correzione{r, d.nome, "Swap the span's ends: " + utf8_da_1252(testo(2)) + ", " + utf8_da_1252(testo(1)),
                      modifiche};
}

using fa_correzione = std::optional<correzione> (*)(const contesto_correzioni&, const diagnostica&, const json&);

struct regola_correzione {
    const char* nome;
    fa_correzione fa;
};

constexpr regola_correzione regole_correzioni[] = {
    {avviso::parola_sbagliata, parola_suggerita},
    {avviso::maiuscole, parola_suggerita},
    {avviso::virgola_decimale, virgola_decimale},
    {avviso::tabulazione, tabulazioni},
    {avviso::estremi_invertiti, estremi_scambiati},
};

json nota_json(const vista_file& v, const nota_diagnostica& n) {
    return {{"location", {{"uri", v.uri}, {"range", intervallo(v, n.dove)}}}, {"message", utf8_da_1252(n.messaggio)}};
}

struct uscita_coppia {
    const vista_file& linea;
    const vista_file& treno;
    esito_coppia& esito;
    const modello_scenario& m;
    sorgente fuoco;
};

const vista_file& vista_di(const uscita_coppia& u, sorgente s) { return s == sorgente::treno ? u.treno : u.linea; }
esito_file& esito_di(const uscita_coppia& u, sorgente s) {
    return s == sorgente::treno ? u.esito.treno : u.esito.linea;
}

void aggiungi(const uscita_coppia& u, const diagnostica& d) {
    // Without a train file the line file is checked alone: what the missing
    // train file makes the build say is left out. A missing line file is
    // told on the train file.
    if (!u.treno.presente && !u.treno.illeggibile && d.dove.file != sorgente::linea) return;
    sorgente file = d.dove.file == sorgente::nessuna ? u.fuoco : d.dove.file;
    const bool altrove = !vista_di(u, file).presente;
    if (altrove) file = file == sorgente::linea ? sorgente::treno : sorgente::linea;
    const vista_file& v = vista_di(u, file);
    if (!v.presente) return;
    json j;
    j["range"] = intervallo(v, d.dove.file == sorgente::nessuna || altrove ? punto_sorgente{} : d.dove);
    j["severity"] = d.livello == gravita::errore ? 1 : 2;
    if (d.stato) {
        j["code"] = *d.stato;
    } else if (!d.nome.empty()) {
        j["code"] = d.nome;
    }
    j["source"] = "scenario-tool";
    j["message"] = utf8_da_1252(d.messaggio);
    json note = json::array();
    for (const nota_diagnostica& n : d.note) {
        const vista_file& w = vista_di(u, n.dove.file == sorgente::nessuna ? file : n.dove.file);
        if (w.presente) note.push_back(nota_json(w, n));
    }
    if (!note.empty()) j["relatedInformation"] = note;
    esito_file& e = esito_di(u, file);
    for (const regola_correzione& r : regole_correzioni) {
        if (d.nome != r.nome || d.dove.riga <= 0) continue;
        if (std::optional<correzione> c = r.fa({u.m, v}, d, j["range"])) e.correzioni.push_back(std::move(*c));
    }
    e.diagnostiche.push_back(std::move(j));
}

void aggiungi_estranei(const vista_file& v, esito_file& e) {
    for (const carattere_estraneo& c : v.estranei) {
        json j;
        j["range"] = intervallo_colonne(v, c.riga, c.colonna, c.colonna + 1);
        j["severity"] = 1;
        j["code"] = codice_estraneo;
        j["source"] = "scenario-tool";
        j["message"] = "the character \"" + c.utf8 + "\" (" + u_piu(c.codice) +
                       ") has no byte in Windows-1252, the text these files hold: the build reads \"?\" in its place";
        e.diagnostiche.push_back(std::move(j));
    }
}

}  // namespace

esito_coppia controlla_coppia(const coppia_file& c) {
    const vista_file linea = prepara(c.linea);
    const vista_file treno = prepara(c.treno);
    esito_coppia e;
    e.linea.uri = c.linea.uri;
    e.treno.uri = c.treno.uri;
    const nomi_scenario nomi{c.nome_linea, c.numero_treno.empty() ? "0" : c.numero_treno};
    // The check's own request: every problem in one pass, the plan validated
    // and not kept.
    const richiesta_costruzione r{c.linea.percorso, c.treno.percorso, nomi, true, true, true};
    const auto leggi = [&](const std::string&, sorgente quale) -> std::optional<std::string> {
        const vista_file& v = quale == sorgente::treno ? treno : linea;
        if (v.illeggibile) std::rethrow_exception(v.illeggibile);
        return v.presente ? std::optional<std::string>(v.byte) : std::nullopt;
    };
    const risultato_costruzione rc = costruisci_autore_letti(r, leggi);
    const modello_scenario& m = *rc.modello;
    const uscita_coppia u{linea, treno, e, m, c.fuoco};
    for (const diagnostica& d : rc.diagnostiche) aggiungi(u, d);
    aggiungi_estranei(linea, e.linea);
    aggiungi_estranei(treno, e.treno);
    return e;
}

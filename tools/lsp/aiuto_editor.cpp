#include "tools/lsp/aiuto_editor.h"

#include <algorithm>
#include <cctype>

#include "compiler/geometria.h"
#include "tools/comune/testo_1252.h"
#include "tools/comune/tabella_record.h"

namespace {

using json = nlohmann::json;

// One field of a line: its first byte and the byte after it, blanks around it left out.
struct campo_riga {
    std::size_t da = 0;
    std::size_t a = 0;
};

std::string_view riga_byte(const documento_letto& d, std::size_t i) {
    const std::size_t a = d.inizi_byte[i];
    std::size_t b = i + 1 < d.inizi_byte.size() ? d.inizi_byte[i + 1] : d.byte.size();
    while (b > a && (d.byte[b - 1] == '\n' || d.byte[b - 1] == '\r')) --b;
    return std::string_view(d.byte).substr(a, b - a);
}

campo_riga stretto(std::string_view riga, std::size_t da, std::size_t a) {
    while (da < a && riga[da] == ' ') ++da;
    while (a > da && riga[a - 1] == ' ') --a;
    return {da, a};
}

// The fields of a line: the keyword, then the values (a value field ends at a
// blank too), the last value to the line's end for a record with a text.
std::vector<campo_riga> campi_di(std::string_view riga, const voce_record* r) {
    std::vector<campo_riga> campi;
    std::size_t k = riga.find(',');
    campi.push_back(stretto(riga, 0, std::min(k, riga.size())));
    const std::size_t valori = r == nullptr ? 0 : r->campi.size();
    while (k != std::string_view::npos && k < riga.size()) {
        std::size_t da = k + 1;
        while (da < riga.size() && riga[da] == ' ') ++da;
        if (r != nullptr && r->testo_finale && campi.size() == valori) {
            campi.push_back(stretto(riga, da, riga.size()));
            break;
        }
        const std::size_t virgola = riga.find(',', da);
        const std::size_t fine = std::min(virgola, riga.size());
        for (std::size_t i = da; i < fine;) {
            std::size_t j = i;
            while (j < fine && riga[j] != ' ') ++j;
            campi.push_back({i, j});
            while (j < fine && riga[j] == ' ') ++j;
            i = j;
        }
        if (da >= fine) campi.push_back({da, da});
        k = virgola;
    }
    return campi;
}

bool e_intestazione_riga(std::string_view riga) {
    const std::size_t a = riga.find_first_not_of(' ');
    return a != std::string_view::npos && riga[a] == '[' && riga.find(']', a) != std::string_view::npos &&
           riga.substr(0, a).find('-') == std::string_view::npos;
}

std::string minuscolo(std::string_view t) {
    std::string m(t);
    std::transform(m.begin(), m.end(), m.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return m;
}

// The part of the file each line stands in: in the line file the general
// section runs from "[generale]" to the next header.
std::vector<parte_file> parti(const documento_letto& d) {
    std::vector<parte_file> v(d.inizi_byte.size(), d.linea ? parte_file::generale_linea : parte_file::treno);
    if (!d.linea) return v;
    bool generale = false;
    bool corpo = false;
    for (std::size_t k = 0; k < v.size(); ++k) {
        const std::string_view r = riga_byte(d, k);
        if (e_intestazione_riga(r)) {
            if (generale) corpo = true;
            if (minuscolo(r).find("[generale]") != std::string::npos) generale = true;
        }
        if (corpo) v[k] = parte_file::corpo_linea;
    }
    return v;
}

parte_file parte_a(const documento_letto& d, std::size_t i) { return parti(d)[i]; }

std::string elenco_campi(const voce_record& r) {
    std::string t;
    for (const campo_record& c : r.campi) {
        if (!t.empty()) t += ", ";
        t += c.nome;
        if (*c.unita != '\0') t += std::string(" (") + c.unita + ")";
    }
    return t;
}

std::string aiuto_parola(const voce_record& r) {
    return "**" + std::string(r.forma) + "**, " + elenco_campi(r) + "\n\n" + r.che_fa;
}

bool numero(std::string_view t) {
    std::size_t k = !t.empty() && (t[0] == '-' || t[0] == '+') ? 1 : 0;
    return t.size() > k && t.find_first_not_of("0123456789", k) == std::string_view::npos;
}

std::string aiuto_valore(const voce_record& r, const campo_record& c, std::string_view testo) {
    std::string t = "**" + std::string(c.nome) + "** of " + r.forma;
    if (*c.unita != '\0') t += std::string(", in ") + c.unita;
    if (!numero(testo)) return t;
    const long long v = std::stoll(std::string(testo.size() > 18 ? testo.substr(0, 18) : testo));
    if (c.posizione) {
        t += "\n\nposition " + std::to_string(v) + " m, cell " + std::to_string(cella_della_posizione(v));
    } else if (std::string_view(c.unita) == "km/h" && std::string_view(r.parola) == "velocit") {
        t += "\n\nkept as " + std::to_string(((v + 2) / 5) * 5) + " km/h (steps of 5 km/h)";
    } else if (*c.unita != '\0') {
        t += "\n\n" + std::to_string(v) + " " + c.unita;
    }
    return t;
}

json intervallo_byte(const documento_letto& d, std::size_t riga, std::size_t da, std::size_t a) {
    const auto r = static_cast<std::int32_t>(riga + 1);
    const posizione_editor p = in_editor(d.utf8, d.inizi_utf8, r, static_cast<std::int32_t>(da) + 1);
    const posizione_editor q = in_editor(d.utf8, d.inizi_utf8, r, static_cast<std::int32_t>(a) + 1);
    return {{"start", {{"line", p.riga}, {"character", p.carattere}}},
            {"end", {{"line", q.riga}, {"character", q.carattere}}}};
}

std::string snippet_di(const voce_record& r) {
    std::string t = std::string(r.forma);
    int n = 1;
    for (const campo_record& c : r.campi) t += ",  ${" + std::to_string(n++) + ":" + c.nome + "}";
    return t;
}

// A record line's name in the outline.
std::string nome_simbolo(const voce_record& r, std::string_view riga, const std::vector<campo_riga>& campi) {
    const auto campo = [&](std::size_t i) {
        return i < campi.size() ? utf8_da_1252(riga.substr(campi[i].da, campi[i].a - campi[i].da)) : std::string();
    };
    const std::string posizione = campo(1) + " m";
    if (std::string_view(r.parola) == "stazione") return campi.size() > 17 ? campo(17) : "station at " + posizione;
    if (std::string_view(r.parola) == "segnale") return "signal at " + posizione;
    if (std::string_view(r.parola) == "cartello") return "sign at " + posizione + ": " + campo(2);
    if (std::string_view(r.parola) == "abbattimento") return "board at " + posizione;
    if (!r.campi.empty() && r.campi[0].posizione) return std::string(r.forma) + " at " + posizione;
    return std::string(r.forma) + " " + campo(1);
}

int tipo_simbolo(const voce_record& r) {
    const std::string_view p = r.parola;
    if (p == "stazione") return 19;  // Object
    if (p == "segnale") return 24;   // Event
    if (p == "cartello") return 15;  // String
    return 8;                        // Field
}

}  // namespace

documento_letto leggi_documento(const std::string& utf8, bool linea) {
    documento_letto d;
    d.linea = linea;
    d.utf8 = utf8;
    d.byte = in_1252(utf8).byte;
    d.inizi_utf8 = inizi_righe(d.utf8);
    d.inizi_byte = inizi_righe(d.byte);
    return d;
}

std::optional<std::string> aiuto_a(const documento_letto& d, posizione_editor p) {
    if (p.riga < 0 || static_cast<std::size_t>(p.riga) >= d.inizi_byte.size()) return std::nullopt;
    const auto i = static_cast<std::size_t>(p.riga);
    const std::string_view riga = riga_byte(d, i);
    const auto k = static_cast<std::size_t>(colonna_a(d.utf8, d.inizi_utf8, p) - 1);
    const std::size_t virgola = riga.find(',');
    const voce_record* r = record_di(riga.substr(0, std::min(virgola, riga.size())), parte_a(d, i));
    if (r == nullptr) return std::nullopt;
    const std::vector<campo_riga> campi = campi_di(riga, r);
    for (std::size_t n = 0; n < campi.size(); ++n) {
        if (k < campi[n].da || k > campi[n].a || campi[n].da == campi[n].a) continue;
        if (n == 0) return aiuto_parola(*r);
        if (n - 1 >= r->campi.size()) return std::nullopt;
        return aiuto_valore(*r, r->campi[n - 1], riga.substr(campi[n].da, campi[n].a - campi[n].da));
    }
    return std::nullopt;
}

json completamenti(const documento_letto& d, posizione_editor p, bool snippet) {
    json voci = json::array();
    if (p.riga < 0 || static_cast<std::size_t>(p.riga) >= d.inizi_byte.size()) return voci;
    const auto i = static_cast<std::size_t>(p.riga);
    const auto k = static_cast<std::size_t>(colonna_a(d.utf8, d.inizi_utf8, p) - 1);
    if (riga_byte(d, i).substr(0, k).find(',') != std::string_view::npos) return voci;
    const parte_file parte = parte_a(d, i);
    for (const voce_record& r : tabella_record()) {
        if (r.parte != parte) continue;
        json v = {{"label", r.forma}, {"kind", 14}, {"detail", elenco_campi(r)},
                  {"documentation", {{"kind", "markdown"}, {"value", r.che_fa}}}};
        if (snippet) {
            v["insertText"] = snippet_di(r);
            v["insertTextFormat"] = 2;
        } else {
            v["insertText"] = std::string(r.forma) + ", ";
            v["insertTextFormat"] = 1;
        }
        voci.push_back(v);
    }
    for (const char* h : intestazioni(d.linea)) voci.push_back({{"label", h}, {"kind", 9}, {"insertText", h}});
    return voci;
}

schema_documento simboli(const documento_letto& d, std::size_t massimo) {
    schema_documento schema;
    json& sezioni = schema.simboli;
    std::size_t contati = 0;
    json* sezione = nullptr;
    const auto chiudi = [&](std::size_t fine) {
        if (sezione == nullptr) return;
        const std::string_view r = riga_byte(d, fine);
        (*sezione)["range"]["end"] = intervallo_byte(d, fine, 0, r.size())["end"];
    };
    std::size_t ultima = 0;
    const std::vector<parte_file> parte = parti(d);
    for (std::size_t i = 0; i < d.inizi_byte.size(); ++i) {
        const std::string_view riga = riga_byte(d, i);
        const bool intestazione = e_intestazione_riga(riga);
        const voce_record* r =
            intestazione ? nullptr : record_di(riga.substr(0, std::min(riga.find(','), riga.size())), parte[i]);
        if (!intestazione && (r == nullptr || sezione == nullptr)) continue;
        if (contati == massimo) {
            schema.tagliato = true;
            break;
        }
        ++contati;
        if (intestazione) {
            chiudi(ultima);
            const campo_riga c = stretto(riga, 0, riga.size());
            const json dove = intervallo_byte(d, i, c.da, c.a);
            sezioni.push_back({{"name", utf8_da_1252(riga.substr(c.da, c.a - c.da))}, {"kind", 3}, {"range", dove},
                               {"selectionRange", dove}, {"children", json::array()}});
            sezione = &sezioni.back();
            ultima = i;
            continue;
        }
        const std::vector<campo_riga> campi = campi_di(riga, r);
        const json tutto = intervallo_byte(d, i, campi[0].da, riga.size());
        (*sezione)["children"].push_back({{"name", nome_simbolo(*r, riga, campi)}, {"detail", r->forma},
                                          {"kind", tipo_simbolo(*r)}, {"range", tutto},
                                          {"selectionRange", intervallo_byte(d, i, campi[0].da, campi[0].a)}});
        ultima = i;
    }
    chiudi(ultima);
    return schema;
}

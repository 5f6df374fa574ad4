// The train sheet: the builder's frame with the train's data, and the
// timetable of stations, signs and speed-limit changes in line order, thirty
// rows to a frame.
#include <array>
#include <cstdio>

#include "sources/contenuto.h"
#include "tools/analisi/colonne_documento.h"
#include "tools/analisi/documenti_autore.h"

namespace {

constexpr std::size_t righe_per_cornice = 30;

const colonna_documento colonna_treno{"train", 19, 0, allineamento::centro};
const colonna_documento colonna_da{"from", 45, 19, allineamento::sinistra};
const colonna_documento colonna_a{"to", 45, 20, allineamento::sinistra};
const colonna_documento colonna_frenatura{"braked mass", 14, 0, allineamento::centro};

// The columns of the timetable, left to right.
const std::array<colonna_documento, 7> colonne_orario{{
    {"speed limit", 5, 1, allineamento::sinistra},
    {"running speed", 5, 1, allineamento::sinistra},
    {"kilometre", 10, 1, allineamento::sinistra},
    {"No Rs", 5, 1, allineamento::sinistra},
    {"station", 28, 2, allineamento::sinistra},
    {"time", 16, 2, allineamento::sinistra},
    {"recovery", 5, 1, allineamento::sinistra},
}};

// The builder's own sheet (lines counted from 0): the frames' lines that
// carry no figure are its own.
const char* const* const scheda = contenuto::righe_scheda;
constexpr std::size_t sopra = 2, titolo = 3, sotto = 6, riquadri_da = 7, riquadri_a = 9, riquadri_fondo = 10;
constexpr std::size_t orario_da = 12, orario_a = 16, riga_vuota = 16, fondo_orario = 47;

void testata(const dati_scheda_treno& d, documento_testo& doc) {
    const std::string percentuale =
        d.percentuale_frenata && *d.percentuale_frenata != 0 ? std::to_string(*d.percentuale_frenata) + "%" : "";
    const luogo nessuno{};
    auto& r = doc.righe;
    r.push_back("");
    r.push_back("");
    r.push_back(scheda[sopra]);
    r.push_back(scheda[titolo]);
    r.push_back(riga_cornice({cella_documento(colonna_treno, "TRENO n." + d.numero_treno, nessuno, doc.tagli),
                              cella_documento(colonna_da, "da: " + d.da, d.origine_da, doc.tagli),
                              std::string(14, ' ')}));
    r.push_back(riga_cornice({"___________________",
                              cella_documento(colonna_a, "a: " + d.a, d.origine_a, doc.tagli),
                              cella_documento(colonna_frenatura, percentuale, d.origine_percentuale, doc.tagli)}));
    r.push_back(scheda[sotto]);
    for (std::size_t i = riquadri_da; i < riquadri_a; ++i) r.push_back(scheda[i]);
    // The class and the blocked mass: the files give neither.
    r.push_back(" |                   |              |                   |");
    r.push_back(scheda[riquadri_fondo]);
}

std::string riga_orario(const riga_scheda& s, std::vector<taglio_documento>& tagli) {
    const std::array<std::string, 7> testi{
        s.velocita_limite ? std::to_string(*s.velocita_limite) : "",
        "",
        km_documento(s.lettura),
        "",
        s.localita,
        s.orario ? orario_documento(*s.orario) : "",
        "",
    };
    std::vector<std::string> celle;
    for (std::size_t i = 0; i < colonne_orario.size(); ++i)
        celle.push_back(cella_documento(colonne_orario[i], testi[i], s.origine, tagli));
    return riga_cornice(celle);
}

void cornice_orario(const dati_scheda_treno& d, std::size_t da, documento_testo& doc) {
    doc.righe.push_back("");
    for (std::size_t i = orario_da; i < orario_a; ++i) doc.righe.push_back(scheda[i]);
    doc.righe.push_back(scheda[riga_vuota]);
    for (std::size_t i = da; i < da + righe_per_cornice; ++i)
        doc.righe.push_back(i < d.righe.size() ? riga_orario(d.righe[i], doc.tagli) : scheda[riga_vuota]);
    doc.righe.push_back(scheda[fondo_orario]);
}

}  // namespace

documento_testo scheda_treno(const dati_scheda_treno& d) {
    documento_testo doc;
    testata(d, doc);
    std::size_t da = 0;
    do {
        cornice_orario(d, da, doc);
        da += righe_per_cornice;
    } while (da < d.righe.size());
    doc.righe.push_back("");
    return doc;
}

std::string km_documento(std::int64_t lettura) {
    const bool negativo = lettura < 0;
    const std::int64_t m = negativo ? -lettura : lettura;
    char testo[40];
    std::snprintf(testo, sizeof testo, "%s%lld.%03lld", negativo ? "-" : "", static_cast<long long>(m / 1000),
                  static_cast<long long>(m % 1000));
    return testo;
}

std::string orario_documento(std::int32_t secondi) {
    const std::int64_t s = secondi < 0 ? 0 : secondi;
    char testo[40];
    std::snprintf(testo, sizeof testo, "%02lld.%02lld.%02lld", static_cast<long long>(s / 3600),
                  static_cast<long long>(s / 60 % 60), static_cast<long long>(s % 60));
    return testo;
}

std::string testo_con_crlf(const documento_testo& d) {
    std::string t;
    for (const std::string& r : d.righe) {
        t += r;
        t += "\r\n";
    }
    return t;
}

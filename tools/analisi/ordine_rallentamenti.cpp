// The slowdown order (Modulo M. 3): every slowdown of the train file in line
// order, between which stations or in which station, from which kilometre,
// at what speed, over what length; "NESSUN RALLENTAMENTO" when there is none,
// as the builder's own form.
#include <array>

#include "sources/contenuto.h"
#include "tools/analisi/colonne_documento.h"
#include "tools/analisi/documenti_autore.h"

namespace {

constexpr std::size_t righe_per_cornice = 26;  // the first of them left blank

const std::array<colonna_documento, 6> colonne{{
    {"number", 3, 1, allineamento::sinistra},
    {"between the stations", 28, 1, allineamento::sinistra},
    {"kilometre", 12, 1, allineamento::sinistra},
    {"speed", 10, 1, allineamento::sinistra},
    {"length", 9, 1, allineamento::sinistra},
    {"prescriptions", 12, 1, allineamento::sinistra},
}};

// The builder's own form (lines counted from 0): its heading, its table's
// heading, blank row and bottom (with "NESSUN RALLENTAMENTO" between), and its legend
// frame the author's slowdowns.
const char* const* const modulo = contenuto::righe_rallentamenti;
constexpr std::size_t testata_da = 1, testata_a = 4;
constexpr std::size_t tabella_da = 7, tabella_a = 12;
constexpr std::size_t riga_vuota = 12, fondo = 38;
constexpr std::size_t legenda_da = 39, legenda_a = 46;

void righe_del_modulo(std::size_t da, std::size_t a, std::vector<std::string>& u) {
    for (std::size_t i = da; i < a; ++i) u.push_back(modulo[i]);
}

// A letter of Windows-1252 in capitals: ASCII and the accented letters.
char maiuscola(char c) {
    const auto b = static_cast<unsigned char>(c);
    if (b >= 'a' && b <= 'z') return static_cast<char>(b - 0x20);
    if (b >= 0xE0 && b != 0xF7 && b != 0xFF) return static_cast<char>(b - 0x20);
    return c;
}

std::string in_maiuscole(std::string t) {
    for (char& c : t) c = maiuscola(c);
    return t;
}

// The words of the stations column: one row, or two when "A - B" is wider
// than the column.
std::vector<std::string> stazioni_di(const riga_rallentamento& r) {
    if (r.nella_stazione) return {r.prima};
    if (r.prima.empty() && r.dopo.empty()) return {""};
    if (r.prima.empty()) return {"prima di " + r.dopo};
    if (r.dopo.empty()) return {"dopo " + r.prima};
    const std::string insieme = r.prima + " - " + r.dopo;
    if (insieme.size() <= colonne[1].larghezza - colonne[1].rientro) return {insieme};
    return {r.prima + " -", r.dopo};
}

void righe_di(std::size_t numero, const riga_rallentamento& r, std::vector<std::string>& righe,
              std::vector<taglio_documento>& tagli) {
    const std::vector<std::string> stazioni = stazioni_di(r);
    for (std::size_t i = 0; i < stazioni.size(); ++i) {
        const bool prima = i == 0;
        const std::array<std::string, 6> testi{
            prima ? std::to_string(numero) : "",
            stazioni[i],
            prima ? km_documento(r.lettura_inizio) : "",
            prima ? std::to_string(r.velocita) : "",
            prima ? std::to_string(r.lunghezza) : "",
            "",
        };
        std::vector<std::string> celle;
        for (std::size_t c = 0; c < colonne.size(); ++c) celle.push_back(cella_documento(colonne[c], testi[c], r.origine, tagli));
        righe.push_back(riga_cornice(celle));
    }
}

// The slowdowns' rows in frames of their own size, a slowdown's rows never
// parted by a frame's end.
std::vector<std::vector<std::string>> in_cornici(const std::vector<std::vector<std::string>>& gruppi) {
    std::vector<std::vector<std::string>> cornici(1);
    for (const auto& g : gruppi) {
        if (cornici.back().size() + g.size() > righe_per_cornice - 1) cornici.emplace_back();
        cornici.back().insert(cornici.back().end(), g.begin(), g.end());
    }
    return cornici;
}

void cornice(const std::vector<std::string>& righe, std::vector<std::string>& uscita) {
    righe_del_modulo(tabella_da, tabella_a, uscita);
    uscita.push_back(modulo[riga_vuota]);
    for (std::size_t i = 0; i < righe_per_cornice - 1; ++i) uscita.push_back(i < righe.size() ? righe[i] : modulo[riga_vuota]);
    uscita.push_back(modulo[fondo]);
}

}  // namespace

documento_testo ordine_rallentamenti(const dati_ordine_rallentamenti& d) {
    documento_testo doc;
    auto& u = doc.righe;
    u.push_back("");
    righe_del_modulo(testata_da, testata_a, u);
    u.push_back("  Linea " + in_maiuscole(d.nome_linea));
    u.push_back("");
    u.push_back("  Si ordina al macchinista del treno " + d.numero_treno + " di effettuare i seguenti rallentamenti");
    if (d.righe.empty()) {
        righe_del_modulo(tabella_da, fondo + 1, u);
    } else {
        std::vector<std::vector<std::string>> gruppi(d.righe.size());
        for (std::size_t i = 0; i < d.righe.size(); ++i) righe_di(i + 1, d.righe[i], gruppi[i], doc.tagli);
        const auto cornici = in_cornici(gruppi);
        for (std::size_t i = 0; i < cornici.size(); ++i) {
            if (i > 0) u.push_back("");
            cornice(cornici[i], u);
        }
    }
    righe_del_modulo(legenda_da, legenda_a, u);
    return doc;
}

// The scan of a source's bytes: tabs, NUL bytes, byte-order marks, UTF-8
// sequences, each told at its line and column as the field reader counts them.
#include "compiler/esame_testo.h"

#include "compiler/avvisi.h"
#include "compiler/parole_chiave.h"
#include "sources/lettore_campi.h"

namespace {

// Warnings of the same kind about one file stop after this many lines; a last
// one counts the rest.
constexpr int righe_per_avviso = 10;

constexpr std::string_view bom_utf8 = "\xEF\xBB\xBF";

// What the build makes of a UTF-8 byte-order mark: three characters in front
// of the first field, which the reader still finds "[generale]" in when the
// field holds it.
std::string parole_bom(sorgente file, std::string_view testo) {
    const std::string_view dopo = testo.substr(bom_utf8.size());
    const std::string primo = in_minuscole(dopo.substr(0, dopo.find_first_of(",\r\n")));
    std::string t = "the " + std::string(nome_sorgente(file)) +
                    " begins with a UTF-8 byte-order mark: the build reads its three bytes as three "
                    "Windows-1252 characters in front of the first field";
    t += primo.find("[generale]") != std::string::npos
             ? ", which still holds \"[generale]\", so the general section is read as usual"
             : "";
    return t + "; save the file as Windows-1252 text, without the mark";
}

}  // namespace

void esamina_testo(modello_scenario& m, sorgente file, std::string_view testo) {
    const std::string chi = nome_sorgente(file);
    if (testo_utf16(testo)) {
        avvisa(m, avviso::codifica, {file, 0, 0},
               "the " + chi + " is UTF-16 text (it begins with a UTF-16 byte-order mark); save it as Windows-1252 text");
        return;
    }
    const bool bom = testo.substr(0, bom_utf8.size()) == bom_utf8;
    if (bom) avvisa(m, avviso::codifica, {file, 1, 1}, parole_bom(file, testo));
    // The line and column of the next byte, as the field reader counts them.
    std::int32_t riga_seguente = 1, colonna_seguente = 1;
    int righe_tab = 0, righe_utf8 = 0;
    std::int32_t riga_tab = 0, riga_utf8 = 0;
    std::size_t nul = 0;
    luogo primo_nul;
    for (std::size_t i = 0; i < testo.size(); ++i) {
        const auto c = static_cast<unsigned char>(testo[i]);
        // Most bytes are neither a line end, a tab, a NUL nor a UTF-8 lead
        // byte: they only take a column.
        if (c >= 0x20 && c < 0xC2) {
            conta(colonna_seguente);
            continue;
        }
        const std::int32_t riga = riga_seguente;
        const std::int32_t colonna = colonna_seguente;
        if (conta_byte(testo, i, riga_seguente, colonna_seguente)) continue;
        if (c == '\t' && riga_tab != riga) {
            riga_tab = riga;
            if (++righe_tab <= righe_per_avviso) {
                avvisa(m, avviso::tabulazione, {file, riga, colonna},
                       "a tab: only spaces are blanks, so the tab belongs to the field it stands in");
            }
        }
        if (c == 0 && nul++ == 0) primo_nul = {file, riga, colonna};
        // A UTF-8 sequence: a lead byte and its continuation bytes.
        const int seguito = c >= 0xC2 && c <= 0xDF ? 1 : c >= 0xE0 && c <= 0xEF ? 2 : c >= 0xF0 && c <= 0xF4 ? 3 : 0;
        if (seguito > 0 && !(bom && i == 0) && i + static_cast<std::size_t>(seguito) < testo.size()) {
            bool valida = true;
            for (int k = 1; k <= seguito; ++k) {
                valida = valida && (static_cast<unsigned char>(testo[i + static_cast<std::size_t>(k)]) & 0xC0) == 0x80;
            }
            if (valida && riga_utf8 != riga) {
                riga_utf8 = riga;
                if (++righe_utf8 <= righe_per_avviso) {
                    avvisa(m, avviso::codifica, {file, riga, colonna},
                           "UTF-8 text: each accented letter here is read as " + std::to_string(seguito + 1) +
                               " Windows-1252 characters; save the file as Windows-1252 text");
                }
            }
        }
    }
    if (nul > 0) {
        avvisa(m, avviso::codifica, primo_nul,
               "the " + chi + " holds " + std::to_string(nul) + " NUL byte" + (nul == 1 ? "" : "s") +
                   " (UTF-16 text, or not text at all)");
    }
    if (righe_tab > righe_per_avviso) {
        avvisa(m, avviso::tabulazione, {file, 0, 0},
               std::to_string(righe_tab - righe_per_avviso) + " more lines of the " + chi + " hold tabs");
    }
    if (righe_utf8 > righe_per_avviso) {
        avvisa(m, avviso::codifica, {file, 0, 0},
               std::to_string(righe_utf8 - righe_per_avviso) + " more lines of the " + chi + " hold UTF-8 text");
    }
}

bool testo_utf16(std::string_view testo) {
    return testo.size() >= 2 &&
           ((testo[0] == '\xFF' && testo[1] == '\xFE') || (testo[0] == '\xFE' && testo[1] == '\xFF'));
}

#include "sources/lettore_campi.h"

#include <algorithm>
#include <limits>

#include "sources/errore_esecuzione.h"

namespace {

bool fine_riga(char c) { return c == '\r' || c == '\n'; }

char corrente(const lettore_campi& l) { return l.testo[l.pos]; }

void avanza(lettore_campi& l) {
    conta_byte(l.testo, l.pos, l.riga, l.colonna);
    ++l.pos;
}

void salta_blank(lettore_campi& l) {
    while (!a_fine(l) && corrente(l) == ' ') avanza(l);
}

// Consumes one line end: CR LF, a lone CR or a lone LF.
void consuma_fine_riga(lettore_campi& l) {
    while (!conta_byte(l.testo, l.pos, l.riga, l.colonna)) ++l.pos;
    ++l.pos;
}

// Consumes the comma or line end that closes a field, if one comes next, and
// notes what closed it.
void consuma_terminatore(lettore_campi& l) {
    if (a_fine(l)) {
        l.chiusura = chiusura_campo::fine_file;
    } else if (corrente(l) == ',') {
        l.chiusura = chiusura_campo::virgola;
        avanza(l);
    } else if (fine_riga(corrente(l))) {
        l.chiusura = chiusura_campo::fine_riga;
        consuma_fine_riga(l);
    } else {
        l.chiusura = chiusura_campo::blank;
    }
}

luogo qui(const lettore_campi& l) { return {l.file, l.riga, l.colonna}; }

// Starts a field: fails at end, skips the leading blanks, notes where it began.
void inizia_campo(lettore_campi& l) {
    if (a_fine(l)) {
        l.campo = qui(l);
        l.campo.fine = l.campo.colonna;
        fallisci("read field", "read past the end of the file", l.campo, {genere_guasto::fine_file, {}, 0, ""});
    }
    salta_blank(l);
    l.campo = qui(l);
    l.inizio_campo = l.pos;
}

void leggi_valore_grezzo(lettore_campi& l) {
    inizia_campo(l);
    while (!a_fine(l) && corrente(l) != ',' && corrente(l) != ' ' && !fine_riga(corrente(l))) avanza(l);
    l.fine_campo = l.pos;
    l.campo.fine = colonna_dopo_campo(l);
    salta_blank(l);
    consuma_terminatore(l);
}

[[noreturn]] void non_numero(const lettore_campi& l) {
    fallisci("read value", "not a number: \"" + std::string(testo_campo(l)) + "\"", l.campo,
             {genere_guasto::non_numero, {}, 0, std::string(testo_campo(l))});
}

bool cifra(char c) { return c >= '0' && c <= '9'; }

// The sign of a value field: 1 when it has one, else 0.
std::size_t segno(std::string_view campo) { return !campo.empty() && (campo[0] == '-' || campo[0] == '+') ? 1 : 0; }

// The value of a field: too large when its digits pass 2^32 before any byte
// that is not a digit, else not a number unless it has the form of one.
std::int64_t numero(const lettore_campi& l) {
    const std::string_view campo = testo_campo(l);
    std::int64_t valore = 0;
    for (std::size_t i = segno(campo); i < campo.size() && cifra(campo[i]); ++i) {
        valore = valore * 10 + (campo[i] - '0');
        if (valore > std::int64_t{1} << 32) {
            fallisci("read value", "value too large: \"" + std::string(campo) + "\"", l.campo,
                     {genere_guasto::valore_enorme, {}, 0, std::string(campo)});
        }
    }
    if (!e_numero(campo)) non_numero(l);
    return campo[0] == '-' ? -valore : valore;
}

std::int64_t leggi_nei_limiti(lettore_campi& l, std::int64_t minimo, std::int64_t massimo) {
    leggi_valore_grezzo(l);
    const std::int64_t valore = numero(l);
    if (valore < minimo || valore > massimo) {
        fallisci("read value",
                 "value " + std::string(testo_campo(l)) + " does not fit its field (" + std::to_string(minimo) + " to " +
                     std::to_string(massimo) + ")",
                 l.campo, {genere_guasto::fuori_campo, {minimo, massimo}, 0, std::string(testo_campo(l))});
    }
    return valore;
}

}  // namespace

std::int32_t colonna_dopo_campo(const lettore_campi& l) {
    std::string_view t = testo_campo(l);
    while (!t.empty() && t.back() == ' ') t.remove_suffix(1);
    const std::int64_t dopo = static_cast<std::int64_t>(l.campo.colonna) + static_cast<std::int64_t>(t.size());
    return static_cast<std::int32_t>(std::min<std::int64_t>(dopo, std::numeric_limits<std::int32_t>::max()));
}

bool e_numero(std::string_view campo) {
    const std::size_t i = segno(campo);
    return i < campo.size() && std::all_of(campo.begin() + static_cast<std::ptrdiff_t>(i), campo.end(), cifra);
}

lettore_campi apri_lettore(std::string testo, sorgente file) {
    lettore_campi l;
    l.testo = std::move(testo);
    l.file = file;
    return l;
}

std::string leggi_testo(lettore_campi& l) {
    inizia_campo(l);
    while (!a_fine(l) && corrente(l) != ',' && !fine_riga(corrente(l))) avanza(l);
    l.fine_campo = l.pos;
    l.campo.fine = colonna_dopo_campo(l);
    consuma_terminatore(l);
    return std::string(testo_campo(l));
}

std::int32_t leggi_long(lettore_campi& l) {
    return static_cast<std::int32_t>(leggi_nei_limiti(l, std::numeric_limits<std::int32_t>::min(),
                                                      std::numeric_limits<std::int32_t>::max()));
}

std::int16_t leggi_integer(lettore_campi& l) {
    return static_cast<std::int16_t>(leggi_nei_limiti(l, std::numeric_limits<std::int16_t>::min(),
                                                      std::numeric_limits<std::int16_t>::max()));
}

std::uint8_t leggi_byte(lettore_campi& l) { return static_cast<std::uint8_t>(leggi_nei_limiti(l, 0, 255)); }

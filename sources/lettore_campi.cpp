#include "lettore_campi.h"

#include <limits>

#include "errore_esecuzione.h"

namespace {

bool fine_riga(char c) { return c == '\r' || c == '\n'; }

char corrente(const lettore_campi& l) { return l.testo[l.pos]; }

void avanza(lettore_campi& l) {
    ++l.pos;
    ++l.colonna;
}

void salta_blank(lettore_campi& l) {
    while (!a_fine(l) && corrente(l) == ' ') avanza(l);
}

// Consumes one line end: CR LF, a lone CR or a lone LF.
void consuma_fine_riga(lettore_campi& l) {
    if (corrente(l) == '\r') {
        ++l.pos;
        if (!a_fine(l) && corrente(l) == '\n') ++l.pos;
    } else {
        ++l.pos;
    }
    ++l.riga;
    l.colonna = 1;
}

// Consumes the comma or line end that closes a field, if one comes next.
void consuma_terminatore(lettore_campi& l) {
    if (a_fine(l)) return;
    if (corrente(l) == ',') {
        avanza(l);
    } else if (fine_riga(corrente(l))) {
        consuma_fine_riga(l);
    }
}

// Starts a field: fails at end, skips the leading blanks, notes where it began.
void inizia_campo(lettore_campi& l) {
    l.riga_campo = l.riga;
    l.colonna_campo = l.colonna;
    if (a_fine(l)) fallisci("read field", "read past the end of the file");
    salta_blank(l);
    l.riga_campo = l.riga;
    l.colonna_campo = l.colonna;
}

std::string leggi_valore_grezzo(lettore_campi& l) {
    inizia_campo(l);
    const std::size_t inizio = l.pos;
    while (!a_fine(l) && corrente(l) != ',' && corrente(l) != ' ' && !fine_riga(corrente(l))) avanza(l);
    std::string valore = l.testo.substr(inizio, l.pos - inizio);
    salta_blank(l);
    consuma_terminatore(l);
    return valore;
}

std::int64_t numero(const std::string& campo) {
    std::size_t i = 0;
    bool negativo = false;
    if (i < campo.size() && (campo[i] == '-' || campo[i] == '+')) {
        negativo = campo[i] == '-';
        ++i;
    }
    if (i == campo.size()) fallisci("read value", "not a number: \"" + campo + "\"");
    std::int64_t valore = 0;
    for (; i < campo.size(); ++i) {
        if (campo[i] < '0' || campo[i] > '9') fallisci("read value", "not a number: \"" + campo + "\"");
        valore = valore * 10 + (campo[i] - '0');
        if (valore > std::int64_t{1} << 32) fallisci("read value", "value too large: \"" + campo + "\"");
    }
    return negativo ? -valore : valore;
}

std::int64_t leggi_nei_limiti(lettore_campi& l, std::int64_t minimo, std::int64_t massimo) {
    const std::string campo = leggi_valore_grezzo(l);
    const std::int64_t valore = numero(campo);
    if (valore < minimo || valore > massimo) {
        fallisci("read value", "value " + campo + " does not fit its field (" + std::to_string(minimo) + " to " +
                                   std::to_string(massimo) + ")");
    }
    return valore;
}

}  // namespace

lettore_campi apri_lettore(std::string testo) {
    lettore_campi l;
    l.testo = std::move(testo);
    return l;
}

std::string leggi_testo(lettore_campi& l) {
    inizia_campo(l);
    const std::size_t inizio = l.pos;
    while (!a_fine(l) && corrente(l) != ',' && !fine_riga(corrente(l))) avanza(l);
    std::string campo = l.testo.substr(inizio, l.pos - inizio);
    consuma_terminatore(l);
    return campo;
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

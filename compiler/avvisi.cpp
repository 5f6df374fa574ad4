// The warnings' names and what each warns of, and the one way to give one.
#include "compiler/avvisi.h"

#include <algorithm>

namespace {

constexpr descrizione_avviso avvisi[] = {
    {avviso::parola_sbagliata, "a field that is no keyword but lies close to one: the record is not read"},
    {avviso::maiuscole, "a keyword written with other capitals where the letter case matters: the record is not read"},
    {avviso::record_fuori_posto, "a record in a part of the file that does not read it (a body record in the general section, or the other way round)"},
    {avviso::sezione_ignota, "a section header that is not one of the file's own"},
    {avviso::nessun_record, "a file that yields no record"},
    {avviso::valori_in_piu, "a value beyond the number a record takes: it is read as a keyword field and ignored"},
    {avviso::virgola_decimale, "digits cut by a decimal separator: values are whole numbers, and a comma ends a field"},
    {avviso::valore_troncato, "a value kept in fewer bits than written, so that it reads back as another value"},
    {avviso::nome_troncato, "a station name or sign text cut at a comma: the rest of the line is read as fields of its own"},
    {avviso::fuori_ordine, "positions out of the order a section expects"},
    {avviso::oltre_lunghezza, "a position beyond the declared length of the line that the build still accepts"},
    {avviso::tabulazione, "a tab where a blank was meant: only spaces are blanks, a tab belongs to the field"},
    {avviso::codifica, "text that is not Windows-1252: UTF-8 sequences, a byte-order mark, NUL bytes"},
};

}  // namespace

std::span<const descrizione_avviso> tabella_avvisi() { return avvisi; }

bool e_avviso(std::string_view nome) {
    return std::any_of(std::begin(avvisi), std::end(avvisi), [&](const descrizione_avviso& a) { return nome == a.nome; });
}

void avvisa(modello_scenario& m, const char* nome, const luogo& dove, std::string messaggio) {
    m.avvisi.push_back({nome, dove, std::move(messaggio), {}});
}

// The warnings' names and what each warns of, and the one way to give one.
#include "compiler/avvisi.h"

#include <algorithm>

namespace {

constexpr bool errore = true;

constexpr descrizione_avviso avvisi[] = {
    {avviso::parola_sbagliata, "a field that is no keyword but lies close to one: the record is not read", errore},
    {avviso::maiuscole, "a keyword written with other capitals where the letter case matters: the record is not read", errore},
    {avviso::record_fuori_posto, "a record in a part of the file that does not read it (a body record in the general section, or the other way round)", errore},
    {avviso::sezione_ignota, "a section header that is not one of the file's own"},
    {avviso::nessun_record, "a file that yields no record", errore},
    {avviso::valori_in_piu, "a value beyond the number a record takes: it is read as a keyword field and ignored", errore},
    {avviso::virgola_decimale, "digits cut by a decimal separator: values are whole numbers, and a comma ends a field", errore},
    {avviso::valore_troncato, "a value kept in fewer bits than written, so that it reads back as another value", errore},
    {avviso::nome_troncato, "a station name or sign text cut at a comma: the rest of the line is read as fields of its own"},
    {avviso::fuori_ordine, "positions out of the order a section expects"},
    {avviso::oltre_lunghezza, "a position beyond the declared length of the line that the build still accepts"},
    {avviso::tabulazione, "a tab where a blank was meant: only spaces are blanks, a tab belongs to the field"},
    {avviso::codifica, "text that is not Windows-1252: UTF-8 sequences, a byte-order mark, NUL bytes"},
    {avviso::record_perso, "a record the build never reads: before \"[generale]\", the last field of a file, or one given twice where a file holds it once", errore},
    {avviso::conteggio_valori, "a record whose line holds another number of values than it takes: a value taken from the next line, a name taken from a number, a number taken from a name", errore},
    {avviso::parola_ambigua, "a keyword that the build reads otherwise than its words say: two records in one field, a curve with both sides or several grades, a repetition with both 4 and 9", errore},
    {avviso::estremi_invertiti, "a span or length whose end lies before its start: the build lays nothing, or lays it backwards", errore},
    {avviso::cifre_segnale, "a signal value that is not one decimal digit: the packed pairs of the signal read back as other digits", errore},
    {avviso::tempo_segnale, "a signal time stored as another: 1 to 100 as 101, any time of a signal whose s group is not of kind 2 as 0", errore},
    {avviso::celle_scoperte, "cells that no speed-limit or adhesion record covers: they hold a speed limit or an adhesion of 0", errore},
};

}  // namespace

std::span<const descrizione_avviso> tabella_avvisi() { return avvisi; }

bool e_avviso(std::string_view nome) {
    return std::any_of(std::begin(avvisi), std::end(avvisi), [&](const descrizione_avviso& a) { return nome == a.nome; });
}

bool e_errore_predefinito(std::string_view nome) {
    return std::any_of(std::begin(avvisi), std::end(avvisi),
                       [&](const descrizione_avviso& a) { return a.errore && nome == a.nome; });
}

void avvisa(modello_scenario& m, const char* nome, const luogo& dove, std::string messaggio) {
    m.avvisi.push_back({nome, dove, std::move(messaggio), {}});
}

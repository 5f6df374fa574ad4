// What check says an occupied cell already holds, for every kind a record
// can leave in a cell before a signal comes: a signal put on a cell of each
// kind in a copy of the embedded scenario that holds every kind.
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>

#include "processo.h"
#include "scenario_incorporato.h"
#include "compila_prova.h"
#include "supporto.h"

namespace {

// The embedded files with a slowdown (warning board, lead-in cells, start,
// end), two abbattimento boards (with and without a value) and speed
// indicators added to its signals, stations and sign.
const std::string linea_completa = sostituisci(linea_incorporata, "[indicazioni]",
                                               "indicatori_v_max,  17000,  5,  4,  3,  2,  0,  0,  0,  0\r\n[indicazioni]");
const std::string treno_completo = sostituisci(treno_incorporato, "[rallentamenti]\r\n",
                                               "[rallentamenti]\r\n"
                                               "rallentamento,   8000,  60,  300,  0,  1,  0\r\n"
                                               "abbattimento,   14000,  90\r\n"
                                               "abbattimento,   14500,  0\r\n");

// The first cell of a kind after cell 2 in the track of the complete files
// (a board with a value: not one of the finishing pass, which comes after
// every record).
std::int64_t prima_cella(std::uint8_t tipo) {
    const modello_scenario m = compila_in_memoria(linea_completa, treno_completo);
    EXPECT_EQ(m.codice_errore, 0);
    for (std::size_t i = 3; i < m.tracciato.size(); ++i) {
        const cella& c = m.tracciato[i];
        if (c.tipo == tipo && (tipo != tipo_cella::tabella_con_valore || c.valore1 != 180)) {
            return static_cast<std::int64_t>(i);
        }
    }
    return -1;
}

}  // namespace

TEST(CelleOccupate, CheckTellsWhatTheCellAlreadyHolds) {
    const struct {
        std::uint8_t tipo;
        const char* tiene;
    } casi[] = {
        {tipo_cella::segnale, "a signal"},
        {tipo_cella::fine_rallentamento, "the end of a slowdown"},
        {tipo_cella::inizio_rallentamento, "the start of a slowdown"},
        {tipo_cella::avviso_rallentamento, "the warning board of a slowdown"},
        {tipo_cella::preavviso_rallentamento, "a lead-in cell of a slowdown"},
        {tipo_cella::indicatori_v_max, "speed indicators"},
        {tipo_cella::marca_stazione, "a station marker"},
        {tipo_cella::tabella_con_valore, "a board with a value"},
        {tipo_cella::tabella_senza_valore, "a board without a value"},
        {tipo_cella::cartello, "an indication sign"},
    };
    cartella_temporanea radice;
    const std::string linea = radice.file(nome_linea);
    const std::string treno = radice.file(nome_treno);
    scrivi_tutto(linea, linea_completa);
    for (const auto& c : casi) {
        const std::int64_t i = prima_cella(c.tipo);
        ASSERT_GT(i, 0) << c.tiene;
        // A signal's cell is the one after its position's own.
        const std::string segnale = "segnale,   " + std::to_string((i - 1) * 50) + ",   2, 4, 1,  0, 0,    2,  2,1,0, 0\r\n";
        scrivi_tutto(treno, sostituisci(treno_completo, "[codici]", segnale + "[codici]"));
        const esecuzione e = esegui_programma(PERCORSO_SCENARIO_TOOL, radice.str(), {"check", "--json", linea, treno});
        const nlohmann::json j = nlohmann::json::parse(e.uscita);
        ASSERT_FALSE(j["diagnostics"].empty()) << c.tiene;
        const std::string messaggio = j["diagnostics"][0]["message"];
        EXPECT_NE(messaggio.find("cell " + std::to_string(i) + " "), std::string::npos) << messaggio;
        EXPECT_NE(messaggio.find(std::string("already holds ") + c.tiene), std::string::npos) << messaggio;
    }
}

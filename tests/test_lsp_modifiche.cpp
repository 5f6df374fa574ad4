// The edits of textDocument/didChange through the index of lines: many
// ranges in a row, on text with characters of two and four UTF-16 units and
// every kind of line end, give the text and the index that a scan of the
// whole text after each edit gives.
#include <gtest/gtest.h>

#include <random>

#include "tools/lsp/modifiche_testo.h"
#include "tools/lsp/server.h"

namespace {

using json = nlohmann::json;

// One edit as the text was edited before the index: the whole text scanned
// for each.
void a_scansione(std::string& testo, posizione_editor da, posizione_editor a, const std::string& nuovo) {
    const std::vector<std::size_t> inizi = inizi_righe(testo);
    const std::size_t x = byte_a(testo, inizi, da);
    const std::size_t y = byte_a(testo, inizi, a);
    testo.replace(x, y > x ? y - x : 0, nuovo);
}

TEST(LspModifiche, ManyRangesGiveTheTextAndTheIndexOfAWholeScan) {
    // Pieces that make and split CR LF pairs, lone CRs, "é" (one unit), "😀" (two), "€".
    const std::vector<std::string> pezzi = {"",   "a",  "xy,", "\r", "\n", "\r\n", "\xc3\xa9", "\xf0\x9f\x98\x80",
                                            "\xe2\x82\xac",   "segnale, 1650\r\n", "\n\n", "\r\r"};
    std::mt19937 caso(34);
    std::string atteso = "[generale]\r\nlunghezza percorso, 1000\r\n\xc3\xa9\xf0\x9f\x98\x80x\ry\nz";
    testo_indicizzato t{atteso, {}};
    const auto posizione = [&](std::size_t righe) {
        // Lines and columns past the ends now and then, and a line before the first.
        const int riga = static_cast<int>(caso() % (righe + 2)) - (caso() % 50 == 0 ? 3 : 0);
        return posizione_editor{riga, static_cast<std::int32_t>(caso() % 12)};
    };
    for (int n = 0; n < 3000; ++n) {
        const std::size_t righe = inizi_righe(atteso).size();
        const posizione_editor da = posizione(righe);
        const posizione_editor a = caso() % 4 == 0 ? posizione(righe) : posizione_editor{da.riga, da.carattere + static_cast<std::int32_t>(caso() % 4)};
        std::string nuovo = pezzi[caso() % pezzi.size()];
        if (caso() % 3 == 0) nuovo += pezzi[caso() % pezzi.size()];
        a_scansione(atteso, da, a, nuovo);
        sostituisci_tra(t, da, a, nuovo);
        ASSERT_EQ(t.testo, atteso) << "edit " << n;
        ASSERT_EQ(t.inizi, inizi_righe(atteso)) << "edit " << n;
        if (atteso.size() > 4000) {
            atteso = atteso.substr(0, 100);
            sostituisci_tutto(t, atteso);
        }
    }
}

TEST(LspModifiche, AChangeOfManyRangesEditsTheOpenBuffer) {
    stato_server s = nuovo_stato();
    s.treni_disco = [](const std::string&, const std::string&) { return std::vector<std::string>(); };
    tratta_messaggio(s, {{"jsonrpc", "2.0"}, {"id", 1}, {"method", "initialize"}, {"params", json::object()}});
    const std::string uri = "file:///autore/Prova_linea.txt";
    std::string atteso;
    for (int i = 0; i < 200; ++i) atteso += "pendenza, " + std::to_string(i * 50) + ", 3 -- \xc3\xa8\xf0\x9f\x98\x80\r\n";
    tratta_messaggio(s, {{"jsonrpc", "2.0"},
                         {"method", "textDocument/didOpen"},
                         {"params", {{"textDocument", {{"uri", uri}, {"version", 1}, {"text", atteso}}}}}});
    // From the last line up, then from the first down: each edit after the
    // emoji, whose two units come before its column.
    json modifiche = json::array();
    for (int riga = 199; riga >= 0; riga -= 3) {
        modifiche.push_back({{"range", {{"start", {{"line", riga}, {"character", 22}}}, {"end", {{"line", riga}, {"character", 24}}}}},
                             {"text", "\xe2\x82\xac\n"}});
        a_scansione(atteso, {riga, 22}, {riga, 24}, "\xe2\x82\xac\n");
    }
    for (int riga = 0; riga < 250; riga += 7) {
        modifiche.push_back({{"range", {{"start", {{"line", riga}, {"character", 0}}}, {"end", {{"line", riga + 1}, {"character", 3}}}}},
                             {"text", "x"}});
        a_scansione(atteso, {riga, 0}, {riga + 1, 3}, "x");
    }
    const std::vector<json> r = tratta_messaggio(
        s, {{"jsonrpc", "2.0"},
            {"method", "textDocument/didChange"},
            {"params", {{"textDocument", {{"uri", uri}, {"version", 2}}}, {"contentChanges", modifiche}}}});
    EXPECT_TRUE(r.empty()) << json(r).dump();
    ASSERT_EQ(s.aperti.size(), 1u);
    EXPECT_EQ(s.aperti.begin()->second.testo, atteso);
    EXPECT_EQ(s.aperti.begin()->second.versione, 2);
}

}  // namespace

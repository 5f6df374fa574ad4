// Texts built into the program by cmake/incorpora_testo.cmake: the zoom
// script of the page is its two files, and the script that builds them in
// puts a file in the one line that names it, or stops.
#include <gtest/gtest.h>

#include <fstream>

#include "processo.h"
#include "supporto.h"
#include "tools/vista/script_vista.h"

namespace {

const std::string radice = std::string(CARTELLA_TEST_DATI) + "/../..";

void scrivi(const std::string& percorso, const std::string& testo) {
    std::ofstream f(percorso, std::ios::binary);
    f << testo;
}

TEST(IncorporaTesto, TheZoomScriptIsItsScriptWithItsStyleInTheLineThatNamesIt) {
    const std::string script = leggi_tutto(radice + "/tools/vista/zoom.js");
    const std::string stile = leggi_tutto(radice + "/tools/vista/zoom.css");
    const std::string riga = "\n/* zoom.css */\n";
    const std::size_t dove = script.find(riga);
    ASSERT_NE(dove, std::string::npos);
    EXPECT_EQ(script.find(riga, dove + 1), std::string::npos);
    EXPECT_EQ(std::string(testo_script_zoom()), script.substr(0, dove + 1) + stile + script.substr(dove + riga.size()));
}

struct caso_incorpora {
    const char* nome;
    std::string ingresso;
    std::string inserto;
    std::string atteso;  // the built-in text; empty: the script stops
};

TEST(IncorporaTesto, TheInsertTakesTheLineOfItsPlaceholderOrTheScriptStops) {
    const std::vector<caso_incorpora> casi = {
        {"in the middle", "a;\n/* s */\nb\n", "x { y: 1; }\n", "a;\nx { y: 1; }\nb\n"},
        {"a placeholder inside a line is not its line", "a /* s */\n/* s */\n", "z\n", "a /* s */\nz\n"},
        {"no placeholder", "a\nb\n", "z\n", ""},
        {"two placeholders", "\n/* s */\n/* s */\n", "z\n", ""},
        {"an insert without a line end", "a\n/* s */\n", "z", ""},
        {"the end of the raw string", "a\n/* s */\n", ")incorporato\"\n", ""},
    };
    for (const caso_incorpora& c : casi) {
        SCOPED_TRACE(c.nome);
        cartella_temporanea d;
        scrivi(d.file("in.js"), c.ingresso);
        scrivi(d.file("in.css"), c.inserto);
        const esecuzione e = esegui_programma(
            PERCORSO_CMAKE, d.str(),
            {"-DINGRESSO=" + d.file("in.js"), "-DINSERTO=" + d.file("in.css"), "-DSEGNAPOSTO=/* s */",
             "-DUSCITA=" + d.file("out.cpp"), "-DNOME=testo_prova", "-DINTESTAZIONE=prova.h", "-P",
             radice + "/cmake/incorpora_testo.cmake"});
        if (c.atteso.empty()) {
            EXPECT_NE(e.stato, 0);
            EXPECT_FALSE(std::filesystem::exists(d.file("out.cpp")));
            continue;
        }
        ASSERT_EQ(e.stato, 0) << e.errori;
        EXPECT_EQ(leggi_tutto(d.file("out.cpp")),
                  "// Made by cmake/incorpora_testo.cmake from " + d.file("in.js") +
                      ": do not edit.\n#include \"prova.h\"\n\nextern const char* const testo_prova = "
                      "R\"incorporato(" + c.atteso + ")incorporato\";\n");
    }
}

}  // namespace

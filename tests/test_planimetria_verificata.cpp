// A plan only validated (the build of a check, which reads no output) raises
// every status a plan built whole raises, at the same places and with the
// same words, and keeps no point: no element, no line plan file.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <string>

#include "danni_sorgenti.h"
#include "prova_linea.h"
#include "tests/generatore/generatore.h"
#include "tools/comune/sorgenti_autore.h"
#include "tools/costruzione/costruzione_autore.h"
#include "tools/diagnostiche/diagnostiche.h"
#include "tools/diagnostiche/stampa_diagnostiche.h"

namespace {

const nomi_scenario nomi{"Linea Generata", "10001"};

// One build of two texts with the plan in one mode: the model, the fatal
// outcome, the files handed on, and the diagnostics as check prints them.
struct costruzione_prova {
    std::unique_ptr<modello_scenario> m = std::make_unique<modello_scenario>();
    fatale_costruzione fatale;
    std::map<std::string, std::string> file;
    std::string diagnostiche;
};

costruzione_prova costruisci(const std::string& linea, const std::string& treno, modo_planimetria piano) {
    costruzione_prova c;
    c.fatale = costruisci_testi(*c.m, nomi, &linea, &treno, piano,
                                [&c](const std::string& nome, const contenuto_file& contenuto) {
                                    c.file[nome] = in_un_testo(contenuto);
                                });
    const sorgenti_autore s{"L_linea.txt", "L_1-.txt", &linea, &treno};
    for (const diagnostica& d : diagnostiche_costruzione(*c.m, s, c.fatale)) {
        c.diagnostiche += testo_diagnostica(d) + json_diagnostica(d).dump() + "\n";
    }
    return c;
}

std::string testo_luogo(const luogo& l) {
    return std::to_string(static_cast<int>(l.file)) + ":" + std::to_string(l.riga) + ":" + std::to_string(l.colonna) +
           "-" + std::to_string(l.fine);
}

// Every fact the build records about what it raised, one line each.
std::string impronta(const modello_scenario& m) {
    std::ostringstream o;
    o << "status " << m.codice_errore << " at " << m.posizione_errore << "; " << m.lunghezza_totale << " m, "
      << m.numero_celle << " cells, plan to metre " << m.planimetria.ultimo_metro << "\n";
    for (const stato_sollevato& s : m.stati_sollevati) {
        o << s.codice << " " << s.posizione << " " << s.con_posizione << s.ereditato << static_cast<int>(s.fase) << " "
          << testo_luogo(s.record) << " " << testo_luogo(s.campo) << " " << s.regola << " " << s.cella << " "
          << static_cast<int>(s.tipo_occupante) << " " << testo_luogo(s.occupante) << " " << s.margine << " " << s.voce;
        if (s.guasto) {
            const dati_guasto& g = s.guasto->dati;
            o << " failure " << static_cast<int>(g.genere) << " " << g.numeri[0] << " " << g.numeri[1] << " " << g.reale
              << " " << g.campo << " " << s.guasto->operazione << " " << s.guasto->percorso << " " << s.guasto->sistema;
        }
        o << "\n";
    }
    for (const avviso_sorgente& a : m.avvisi) {
        o << a.nome << " " << testo_luogo(a.dove) << " " << a.messaggio << " " << a.parola << "\n";
    }
    return o.str();
}

// The two builds of the same texts, the plan validated and built whole:
// every status, warning and diagnostic the same, the table and the track the
// same bytes; the validated plan has no element and no file. Returns the
// final status.
std::int32_t confronta_modi(const std::string& linea, const std::string& treno, const std::string& caso) {
    const costruzione_prova intera = costruisci(linea, treno, modo_planimetria::scritta);
    const costruzione_prova verificata = costruisci(linea, treno, modo_planimetria::verificata);
    EXPECT_EQ(impronta(*verificata.m), impronta(*intera.m)) << caso;
    EXPECT_EQ(verificata.diagnostiche, intera.diagnostiche) << caso;
    EXPECT_EQ(verificata.fatale.esito, intera.fatale.esito) << caso;
    EXPECT_EQ(verificata.fatale.testo, intera.fatale.testo) << caso;
    EXPECT_TRUE(verificata.m->scrivi_linea) << caso;
    EXPECT_EQ(verificata.m->planimetria.tipi.capacity(), 0u) << caso;
    EXPECT_EQ(verificata.m->planimetria.valori.capacity(), 0u) << caso;
    std::map<std::string, std::string> senza_piano = intera.file;
    senza_piano.erase(nome_file_planimetria(nomi.linea));
    EXPECT_EQ(verificata.file, senza_piano) << caso;
    return intera.m->codice_errore;
}

// Lines that take the plan to each of its limits: its first and last
// points, a curve that passes the plan's end (a runtime failure) or the last
// point a curve may reach (103), a curve without its grade (103), a curve
// beyond the track (15), and lengths that leave the plan without points.
TEST(PlanimetriaVerificata, EachLimitOfThePlanRaisesTheSame) {
    struct caso {
        const char* nome;
        std::string linea;
        std::int32_t stato;
    };
    const std::string treno = "[generale]\r\n[fine]\r\n";
    const caso casi[] = {
        {"curves", file_linea(lunghezza_linea(5000), "curvad4, 100, 100\r\ncurvas2, 150, 100\r\ncurvad6, 10, 20\r\n"), 0},
        {"a curve to the plan's last point", file_linea(lunghezza_linea(1000), "curvad5, 7000, 1000\r\n"), 0},
        {"a curve past the plan's end", file_linea(lunghezza_linea(1000), "curvad5, 7000, 1001\r\n"), 25},
        {"a curve whose end overflows", file_linea(lunghezza_linea(1000), "curvad5, 7000, 2147483647\r\n"), 25},
        {"a curve past the last point a curve reaches",
         file_linea(lunghezza_linea(1000000), "curvad1, 999000, 1000\r\ncurvas1, 999500, 501\r\n"), 103},
        {"a curve without its grade", file_linea(lunghezza_linea(1000), "curvad, 100, 100\r\n"), 103},
        {"a curve beyond the track", file_linea(lunghezza_linea(1000), "curvad1, 7950, 10\r\n"), 15},
        {"a one-metre line: its seeds alone, and no track", file_linea(lunghezza_linea(-6999), ""), 0},
        {"a line of no metre", file_linea(lunghezza_linea(-7000), ""), 25},
        {"a line below no metre", file_linea(lunghezza_linea(-7001), ""), 25},
        {"no length", file_linea("", "curvad1, 0, 5\r\n"), 25},
        {"a length beyond the longest", file_linea(lunghezza_linea(1000001), "curvad1, 0, 5\r\n"), 1},
        {"the line file cut inside a curve", "[generale]\r\n" + lunghezza_linea(1000) + "[curve]\r\ncurvad1, 10", 25},
    };
    for (const caso& c : casi) {
        EXPECT_EQ(confronta_modi(c.linea, treno, c.nome), c.stato) << c.nome;
    }
}

// Generated scenarios of every length up to the longest, each also damaged.
TEST(PlanimetriaVerificata, GeneratedAndDamagedScenariosRaiseTheSame) {
    std::set<std::int32_t> stati;
    for (std::uint32_t seme = 1; seme <= 48; ++seme) {
        parametri_generatore p;
        p.seme = seme;
        p.lunghezza = seme == 48 ? 1000000 : static_cast<std::int32_t>(seme * 104729 % 60000);
        p.densita = 1.0 + seme % 4;
        p.sovrapposizioni = seme % 3 == 0;
        scenario_generato s = genera_scenario(p);
        const std::string caso = "seed " + std::to_string(seme) + ", " + std::to_string(p.lunghezza) + " m";
        EXPECT_EQ(confronta_modi(s.linea, s.treno, caso), 0) << caso;
        danneggia(s.linea, s.treno, seme);
        stati.insert(confronta_modi(s.linea, s.treno, caso + ", damaged"));
    }
    // The damage reached statuses of both phases, the plan's among them.
    for (const std::int32_t c : {0, 15, 25, 102, 103}) EXPECT_TRUE(stati.count(c)) << c;
}

// The cursor of a validated plan stops where a plan built whole stops, and
// the line phase allocates nothing for it.
TEST(PlanimetriaVerificata, TheCursorStopsWhereThePlanBuiltWholeStops) {
    const std::string corpi[] = {
        "",
        "curvad4, 100, 100\r\ncurvas2, 150, 100\r\ncurvad6, 10, 20\r\n",
        "curvad5, 7000, 1000\r\n",
        "curvad5, 500, 30\r\npendenza, 20000, 3\r\ncurvad5, 900, 30\r\n",
    };
    for (const std::string& corpo : corpi) {
        prova_linea intera;
        prova_linea verificata;
        verificata.m.planimetria.memorizza_punti = false;
        intera.scrivi(file_linea(lunghezza_linea(1000), corpo));
        verificata.scrivi(file_linea(lunghezza_linea(1000), corpo));
        EXPECT_EQ(verificata.fase(), intera.fase()) << corpo;
        EXPECT_EQ(verificata.s.cursore_planimetria, intera.s.cursore_planimetria) << corpo;
        EXPECT_EQ(verificata.m.codice_errore, intera.m.codice_errore) << corpo;
        EXPECT_EQ(verificata.m.planimetria.ultimo_metro, 8000) << corpo;
        EXPECT_TRUE(verificata.m.planimetria.tipi.empty()) << corpo;
        EXPECT_TRUE(verificata.m.planimetria.valori.empty()) << corpo;
    }
}

}  // namespace

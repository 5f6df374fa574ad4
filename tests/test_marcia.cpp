// The running model and the timetable bound against closed forms: a constant
// limit, one start from rest, one braking, a restriction cleared only by the
// train's tail, a gradient; and properties of the run over generated
// scenarios.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>

#include "compila_prova.h"
#include "tests/generatore/generatore.h"
#include "tools/analisi/frenatura.h"
#include "tools/analisi/ingresso_marcia.h"
#include "tools/analisi/limite_orario.h"
#include "tools/analisi/marcia.h"

namespace {

constexpr std::int32_t dieci = 10 * 3600;  // 10:00:00

// A level line at one speed limit, two timed stations at 0 and `distanza`.
ingresso_marcia linea_piana(std::int64_t distanza, std::int32_t kmh, std::int32_t massa_frenata = 100) {
    ingresso_marcia in;
    in.lunghezza = distanza;
    in.limiti = {{0, distanza + 7000, kmh}};
    in.pendenze = {{0, distanza + 7000, 0}};
    in.stazioni = {{1, "A", 0, dieci, {}}, {2, "B", distanza, dieci + 3600, {}}};
    in.orologio = dieci;
    in.treno = {0, massa_frenata, 0};
    return in;
}

opzioni_marcia opzioni(double a) {
    opzioni_marcia o;
    o.accelerazione = a;
    return o;
}

// The first metre from the start where the run's speed reaches `v` (m/s).
std::int64_t primo_metro_a(const risultato_marcia& r, double v) {
    for (std::size_t k = 0; k < r.velocita.size(); ++k) {
        if (r.velocita[k] >= v - 1e-9) return static_cast<std::int64_t>(k);
    }
    return -1;
}

// The last metre before the end where the run still holds `v`.
std::int64_t ultimo_metro_a(const risultato_marcia& r, double v) {
    for (std::size_t k = r.velocita.size(); k-- > 0;) {
        if (r.velocita[k] >= v - 1e-9) return static_cast<std::int64_t>(k);
    }
    return -1;
}

}  // namespace

TEST(LimiteOrario, ALimitConstantOverTheStretchTakesDistanceOverSpeed) {
    const ingresso_marcia in = linea_piana(3000, 100);
    EXPECT_NEAR(*tempo_minimo(in, 0, 3000), 108.0, 1e-9);
}

TEST(LimiteOrario, StepsAndSlowdownsAddTheirOwnTimes) {
    ingresso_marcia in = linea_piana(4000, 100);
    in.limiti = {{0, 1000, 30}, {1000, 11000, 100}};
    EXPECT_NEAR(*tempo_minimo(in, 0, 4000), 120.0 + 108.0, 1e-9);
    in.rallentamenti = {{2000, 2500, 50, {}}};  // 500 m at 50 km/h instead of 100
    EXPECT_NEAR(*tempo_minimo(in, 0, 4000), 120.0 + 90.0 + 36.0, 1e-9);
}

TEST(LimiteOrario, AStretchAtZeroHasNoBound) {
    ingresso_marcia in = linea_piana(4000, 100);
    in.limiti = {{0, 1000, 100}, {1000, 1500, 0}, {1500, 11000, 100}};
    EXPECT_FALSE(tempo_minimo(in, 0, 4000).has_value());
    EXPECT_TRUE(tempo_minimo(in, 1500, 4000).has_value());
}

TEST(Frenatura, DecelerationOfTheBrakedMassAndTheGradient) {
    const parametri_frenatura p;
    const double piano = decelerazione_frenatura(100, 0, p);
    EXPECT_NEAR(piano, 6.1 * 11 / (2 * 3.6 * 3.6 * 3.85), 1e-12);
    EXPECT_NEAR(piano, 0.6724, 1e-4);
    EXPECT_GT(decelerazione_frenatura(140, 0, p), piano);         // more braked mass, more braking
    EXPECT_GT(decelerazione_frenatura(100, 10, p), piano);        // a rise helps
    EXPECT_LT(decelerazione_frenatura(100, -10, p), piano);       // a fall does not
    EXPECT_LE(decelerazione_frenatura(0, -100, p), 0.0);          // no brake on a steep fall: none at all
    EXPECT_EQ(decelerazione_marcia(0, -100, p), p.decelerazione_minima);
    EXPECT_NEAR(distanza_frenatura(20, 10, 0.5), 300.0, 1e-12);
}

// One start from rest, a constant limit and one braking to the stop: the
// speed reaches v after v²/2a metres, leaves it v²/2b metres before the stop,
// and the leg takes v/2a + v/2b + D/v.
TEST(Marcia, StartCruiseAndStopFollowTheirClosedForms) {
    const std::int64_t distanza = 10000;
    const ingresso_marcia in = linea_piana(distanza, 72);  // 20 m/s
    const opzioni_marcia o = opzioni(0.5);
    const double v = 20, a = 0.5, b = decelerazione_frenatura(100, 0, o.frenatura);
    const risultato_marcia r = calcola_marcia(in, o);
    ASSERT_EQ(r.fermate.size(), 2u);
    EXPECT_NEAR(static_cast<double>(primo_metro_a(r, v)), v * v / (2 * a), 1.0);
    EXPECT_NEAR(static_cast<double>(distanza - ultimo_metro_a(r, v)), v * v / (2 * b), 1.0);
    EXPECT_NEAR(r.fermate[1].corsa, v / (2 * a) + v / (2 * b) + distanza / v, 0.05);
    // time v/a to reach speed from the start
    EXPECT_NEAR(r.tempo[400] - r.fermate[0].partenza, v / a, 1e-6);
    EXPECT_NEAR(*r.fermate[1].limite, distanza / v, 1e-9);
}

TEST(Marcia, TheTrainLeavesAtItsTimeAndStandsItsDwell) {
    ingresso_marcia in = linea_piana(4000, 72);
    in.orologio = dieci - 600;
    in.stazioni.push_back({3, "C", 8000, dieci + 3600 + 60, {}});  // a minute after B's time
    opzioni_marcia o = opzioni(0.5);
    o.sosta = 90;
    const risultato_marcia r = calcola_marcia(in, o);
    ASSERT_EQ(r.fermate.size(), 3u);
    EXPECT_EQ(r.fermate[0].arrivo, dieci - 600);
    EXPECT_EQ(r.fermate[0].partenza, dieci);                    // at A's time, not at the clock
    EXPECT_EQ(r.fermate[1].partenza, dieci + 3600);             // early at B: leaves at its time
    EXPECT_NEAR(r.fermate[2].arrivo - r.fermate[1].partenza, r.fermate[1].corsa, 1e-6);  // same leg again
    EXPECT_NEAR(*r.fermate[2].minimo, dieci + 3600 + 200.0, 1e-9);  // B's time + 4,000 m at 72 km/h
}

TEST(Marcia, ALateArrivalLeavesAfterTheDwell) {
    ingresso_marcia in = linea_piana(4000, 72);
    in.stazioni[1].orario = dieci + 60;  // far too soon
    in.stazioni.push_back({3, "C", 8000, dieci + 120, {}});
    opzioni_marcia o = opzioni(0.5);
    o.sosta = 45;
    const risultato_marcia r = calcola_marcia(in, o);
    EXPECT_NEAR(r.fermate[1].partenza, r.fermate[1].arrivo + 45, 1e-9);
    EXPECT_GT(r.fermate[2].arrivo, static_cast<double>(*r.fermate[2].orario));
}

// A 50 km/h stretch [5000, 5500) on a 100 km/h line: the train's head may
// speed up again only when its tail (200 m behind) has left the stretch.
TEST(Marcia, ARestrictionHoldsUntilTheTailClearsIt) {
    ingresso_marcia in = linea_piana(10000, 100);
    in.limiti = {{0, 5000, 100}, {5000, 5500, 50}, {5500, 17000, 100}};
    in.treno.vetture = 8;
    opzioni_marcia o = opzioni(0.5);
    o.lunghezza_vettura = 25;
    const risultato_marcia r = calcola_marcia(in, o);
    EXPECT_EQ(r.lunghezza_treno, 200);
    EXPECT_DOUBLE_EQ(r.ammessa[5699], metri_al_secondo(50));
    EXPECT_DOUBLE_EQ(r.ammessa[5700], metri_al_secondo(100));
    EXPECT_NEAR(r.velocita[5700], metri_al_secondo(50), 1e-9);  // accelerates only from here
    EXPECT_GT(r.velocita[5701], metri_al_secondo(50));
    in.treno.vetture = 0;  // no length: from the stretch's end
    const risultato_marcia corto = calcola_marcia(in, o);
    EXPECT_DOUBLE_EQ(corto.ammessa[5500], metri_al_secondo(100));
    EXPECT_LT(corto.fermate[1].corsa, r.fermate[1].corsa);
}

// A rise of 10 per mille takes g·10/1000 from the acceleration: the start
// reaches v after v²/2a' metres, a' = a − 0.0981.
TEST(Marcia, ARiseSlowsTheStartAndShortensTheBraking) {
    ingresso_marcia in = linea_piana(10000, 72);
    in.pendenze = {{0, 17000, 10}};
    const opzioni_marcia o = opzioni(0.5);
    const double v = 20, a = 0.5 - 9.81 * 10 / 1000;
    EXPECT_NEAR(accelerazione_su(10, o), a, 1e-12);
    const risultato_marcia r = calcola_marcia(in, o);
    EXPECT_NEAR(static_cast<double>(primo_metro_a(r, v)), v * v / (2 * a), 1.0);
    const double b = decelerazione_frenatura(100, 10, o.frenatura);
    EXPECT_NEAR(static_cast<double>(10000 - ultimo_metro_a(r, v)), v * v / (2 * b), 1.0);
    const risultato_marcia piana = calcola_marcia(linea_piana(10000, 72), o);
    EXPECT_GT(r.fermate[1].corsa, piana.fermate[1].corsa);
}

TEST(Marcia, AStretchAtZeroEndsTheRunBeforeIt) {
    ingresso_marcia in = linea_piana(10000, 72);
    in.limiti = {{0, 6000, 72}, {6000, 6050, 0}, {6050, 17000, 72}};
    const risultato_marcia r = calcola_marcia(in, opzioni(0.5));
    ASSERT_TRUE(r.bloccata.has_value());
    EXPECT_EQ(*r.bloccata, 6000);
    EXPECT_EQ(r.fermate.back().posizione, 6000);
    EXPECT_EQ(r.velocita.back(), 0.0);
}

TEST(Marcia, AStartBeforeTheLinesFirstMetreFindsNoLimit) {
    ingresso_marcia in = linea_piana(5000, 72);
    in.stazioni.front().posizione = -100;
    const risultato_marcia r = calcola_marcia(in, opzioni(0.5));
    ASSERT_TRUE(r.bloccata.has_value());
    EXPECT_EQ(*r.bloccata, -100);
    EXPECT_EQ(r.fermate.size(), 1u);
}

TEST(Marcia, WithoutATimedStationTheRunEndsAtTheLinesEnd) {
    ingresso_marcia in = linea_piana(5000, 72);
    for (stazione_marcia& s : in.stazioni) s.orario.reset();
    const risultato_marcia r = calcola_marcia(in, opzioni(0.5));
    ASSERT_EQ(r.fermate.size(), 2u);
    EXPECT_EQ(r.fermate[1].stazione, nullptr);
    EXPECT_EQ(r.fine, 5000);
    EXPECT_EQ(r.fermate[0].partenza, dieci);  // no time: it leaves at the clock
}

// Over generated scenarios: the run never exceeds the permitted speed, its
// speed changes by no more than the model's rates allow from one metre to the
// next, time never goes back, and no stop is reached before the bound.
TEST(Marcia, PropertiesOverGeneratedScenarios) {
    for (std::uint64_t seme = 1; seme <= 12; ++seme) {
        parametri_generatore p;
        p.seme = seme;
        p.lunghezza = 15000 + static_cast<std::int32_t>(seme) * 1000;
        p.casi_limite = false;
        const scenario_generato s = genera_scenario(p);
        const modello_scenario m = compila_in_memoria(s.linea, s.treno);
        const ingresso_marcia in = ingresso_dal_modello(m);
        const opzioni_marcia o;
        const risultato_marcia r = calcola_marcia(in, o);
        const double a_max = o.accelerazione + 9.81 * 0.1;
        const double b_max = decelerazione_marcia(in.treno.massa_frenata, 155, o.frenatura);
        const double salto = 2 * std::max(a_max, b_max) + 1e-6;
        for (std::size_t k = 0; k < r.velocita.size(); ++k) {
            if (k > 0) {
                EXPECT_LE(r.velocita[k], r.ammessa[k - 1] + 1e-9) << seme << " " << k;
            }
            if (k < r.ammessa.size()) {
                EXPECT_LE(r.velocita[k], r.ammessa[k] + 1e-9) << seme << " " << k;
            }
            if (k > 0) {
                EXPECT_LE(std::abs(r.velocita[k] * r.velocita[k] - r.velocita[k - 1] * r.velocita[k - 1]), salto);
                EXPECT_GE(r.tempo[k], r.tempo[k - 1]) << seme << " " << k;
            }
        }
        for (std::size_t i = 1; i < r.fermate.size(); ++i) {
            const fermata_marcia& f = r.fermate[i];
            ASSERT_TRUE(f.limite.has_value());
            EXPECT_GE(f.corsa, *f.limite - 1e-6) << seme << " " << i;
            EXPECT_GE(f.arrivo, r.fermate[i - 1].partenza + *f.limite - 1e-6);
            if (f.minimo) {
                EXPECT_GE(f.arrivo, *f.minimo - 1e-6);
            }
        }
    }
}

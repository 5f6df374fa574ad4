// The braking model: the deceleration a train's braked-mass percentage gives
// on a gradient, and the distance it needs to slow down.
//
// The deceleration is the one of the Pedeluck relation, the braking-distance
// formula of Italian railway practice for trains braked by the automatic air
// brake:
//
//     S = 3.85 V² / (6.1 ψ (1 + λ / 10) + i)
//
// with S the braking distance in metres from V km/h to a stand, λ the
// braked-mass percentage, i the gradient in per mille (a rise positive) and ψ
// a coefficient of the brake's kind (1 for the passenger regime). Read as a
// constant deceleration b = V² / (2 · 3.6² · S):
//
//     b = (6.1 ψ (1 + λ / 10) + i) / (2 · 3.6² · 3.85)   m/s²
//
// (λ 100 on the level: 0.67 m/s²; λ 140: 0.92 m/s²). The brake builds up at
// once (no response time) and holds the same deceleration at every speed.
#pragma once

#include <cstdint>

struct parametri_frenatura {
    double coefficiente = 1.0;  // ψ, the brake's kind: 1 for the passenger regime
    // What the run brakes with at the least: a deceleration of 0 or below
    // (no brake, a steep fall) would never stop the train.
    double decelerazione_minima = 0.05;
};

// The deceleration of the relation above, m/s²; 0 or below when the train
// cannot slow down there.
double decelerazione_frenatura(std::int32_t massa_frenata, double permille, const parametri_frenatura& p);

// The same, never below the least the run brakes with.
double decelerazione_marcia(std::int32_t massa_frenata, double permille, const parametri_frenatura& p);

// The metres to slow from `da` to `a` (m/s, da ≥ a) at a constant
// deceleration b (m/s², above 0): (da² − a²) / 2b.
double distanza_frenatura(double da, double a, double b);

// km/h to m/s and back.
inline constexpr double metri_al_secondo(double kmh) { return kmh / 3.6; }
inline constexpr double chilometri_orari(double ms) { return ms * 3.6; }

// The gravity along a gradient of `permille`, m/s² (g = 9.81 m/s²; the sine
// of a railway gradient is its tangent).
inline constexpr double gravita_pendenza(double permille) { return 9.81 * permille / 1000.0; }

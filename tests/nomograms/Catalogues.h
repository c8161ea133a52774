#pragma once

#include "tests/core/Support.h"

// The catalogues of the nomogram tests. The mean specific heat is 1 kcal/(kg·K) throughout, so an
// enthalpy difference is 4.1868 kJ/kg per degree.
namespace nomogram_tests {

using testing_core::ModelValues;

// Pressure-drop laws Dp = C · G^a · Tm^b; at Tm = 100 °C (T1 = 110, T2 = 90):
// m0 heating 0.2 · G^1.5 · 10 = 2 G^1.5; heated 0.4 · G · 100 = 40 G.
// m1 heating 20 · G² · 10 = 200 G² (the coefficient as given, not referred to 20 °C);
//    heated 0.02 · G^1.5 · 100 = 2 G^1.5.
// m2 heating 0.05 · G^0 · 10 = 0.5 kPa at every flow: no flow gives 1 kPa.
// m3 heating 0.5 · G · 10 = 5 G.
inline void UseHydraulicCatalogue() {
    testing_core::UseModels({});
    auto law = [](double C1, double a1, double b1, double C2, double a2, double b2) {
        ModelValues v;
        v.C1 = C1, v.a1 = a1, v.b1 = b1, v.C2 = C2, v.a2 = a2, v.b2 = b2;
        return v;
    };
    testing_core::SetModel(0, law(0.2, 1.5, 0.5, 0.4, 1, 1));
    testing_core::SetModel(1, law(20, 2, 0.5, 0.02, 1.5, 1));
    testing_core::SetModel(2, law(0.05, 0, 0.5, 0.4, 1, 1));
    testing_core::SetModel(3, law(0.5, 1, 0.5, 0.4, 1, 1));
}

// The thermal chart's catalogue. A clean coefficient of 1e9 · (factors of order 1) makes
// ke = 1 / (1/k + R) equal to 1/R within 1e-7: 10 kW/(m²·K) for "c.o.", 5 for "c.w.".
// The heating water's permissible flow is huge (C1 = 1e-6), so the heated water's ratio alone
// sets the count: with Dp2 = 15 and Tm2 = 45 (T21 40, T22 50),
//   G2dop = (15 / (2.336 · 45^0.5))^(1/2) = (15 / 15.67037)^0.5 = 0.97838 kg/s (m0, m2, m3),
//   for m1 (coefficient referred to 20 °C) (15 / (0.00125 · 20^0.5 · 45^0.5))^0.5
//        = (15 / (0.00125 · 30))^0.5 = 20 kg/s.
// F: m0 1.5, m1 10, m2 2.5, m3 0.5 m².
inline void UseOutputCatalogue() {
    testing_core::UseModels({});
    const double C2[] = {2.336, 0.00125, 2.336, 2.336};
    const double F[] = {1.5, 10, 2.5, 0.5};
    for (int m = 0; m < 4; ++m) {
        ModelValues v;
        v.C = 1e9, v.expGr1 = 0.3, v.expGr2 = 0.2, v.expT11 = 0.1, v.expT22 = 0.05, v.expP = 0.4;
        v.C1 = 1e-6, v.a1 = 2, v.b1 = 0.5;
        v.C2 = C2[m], v.a2 = 2, v.b2 = 0.5;
        v.F = F[m];
        testing_core::SetModel(m, v);
    }
}

} // namespace nomogram_tests

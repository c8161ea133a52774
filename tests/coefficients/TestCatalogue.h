#pragma once

#include "panel/OperatingPoint.h"
#include "tests/core/Support.h"

// A catalogue whose charts can be worked out by hand. Every model: k = 2 · Gr1 · Gr2^-1 · T11 ·
// T22^-1 · P, pressure drops 0.1 · G1² and 1.2 · G2² kPa, F = 50 m²; orv2.14 (model 0) has
// C = 20 instead of 2. The mean specific heat is 1 kcal/(kg·K), so an enthalpy difference is
// 4.1868 · (t2 − t1) kJ/kg.
//
// Against heat output at the default point of frmwsk (Dp1 10, T11 150, T12 95, Dp2 30, T21 75,
// T22 100, c.w.), with Q(i) = 10 + 990 i / 800 = 10 + 1.2375 i:
//   G1dop = (10 / 0.1)^(1/2) = 10 kg/s, G2dop = (30 / 1.2)^(1/2) = 5 kg/s;
//   G1 = Q / (4.1868 · 55) = Q / 230.274, G2 = Q / (4.1868 · 25) = Q / 104.67;
//   G1 / G1dop = Q / 2302.74 < 1 and G2 / G2dop = Q / 523.35: one exchanger below 523.35 kW, two
//   above (1000 / 523.35 = 1.91). Q(414) = 522.325 has one, Q(415) = 523.5625 two.
//   ΔT = (50 − 20) / ln(50 / 20) = 30 / 0.9162907 = 32.74070 K; kw = Q / (50 · 32.74070 · n)
//   = Q / (1637.035 n).
//   k = 2 · (G1 / G2 = 25 / 55) · 150 / 100 · (P = 55 / 75) = 1; ke = 1 / (1 / 1 + 0.2) = 0.833333
//   for c.w., 1 / (1 + 0.1) = 0.909091 for c.o. (orv2.14: k = 10, ke = 1 / 0.3 = 3.333333).
//   Below 1 the axis is 0 .. 1 and y = 800 v + 100: ke at 766.67 -> 767 (c.w.), 827.27 -> 827
//   (c.o.); kw(0) = 10 / 1637.035 = 0.0061086 at 104.89 -> 105, kw(1) = 0.0068645 at 105.49 -> 105,
//   kw(414) = 522.325 / 1637.035 = 0.3190677 at 355.25 -> 355, kw(415) = 523.5625 / 3274.07 =
//   0.1599118 at 227.93 -> 228, kw(799) = 998.7625 / 3274.07 = 0.3050523 at 344.04 -> 344.
namespace coefficients_test {

inline const testing_core::ModelValues kModel{.C = 2,
                                              .expGr1 = 1,
                                              .expGr2 = -1,
                                              .expT11 = 1,
                                              .expT22 = -1,
                                              .expP = 1,
                                              .C1 = 0.1,
                                              .a1 = 2,
                                              .b1 = 0,
                                              .C2 = 1.2,
                                              .a2 = 2,
                                              .b2 = 0,
                                              .F = 50};

inline void LoadTestCatalogue() {
    testing_core::UseModels(kModel);
    testing_core::ModelValues strong = kModel;
    strong.C = 20;
    testing_core::SetModel(0, strong);
}

// The default points of the two windows.
inline constexpr panel::OperatingPoint kByOutputDefaults{.HeatingInlet = 150,
                                                         .HeatingOutlet = 95,
                                                         .HeatedInlet = 75,
                                                         .HeatedOutlet = 100,
                                                         .AllowedDropHeating = 10,
                                                         .AllowedDropHeated = 30,
                                                         .CentralHeating = false};
inline constexpr panel::OperatingPoint kByOutletDefaults{.HeatOutput = 300,
                                                         .HeatingInlet = 150,
                                                         .HeatedInlet = 75,
                                                         .HeatedOutlet = 100,
                                                         .AllowedDropHeating = 35,
                                                         .AllowedDropHeated = 30,
                                                         .CentralHeating = false};

} // namespace coefficients_test

#pragma once

#include "core/Kod.h"

#include <cstdio>

// Catalogues made of models with chosen laws, for the chart windows' tests.
namespace testing_core {

// One model's values in catalogue row order 3..15.
struct ModelValues {
    double C = 1, expGr1 = 0, expGr2 = 0, expT11 = 0, expT22 = 0, expP = 0;
    double C1 = 1, a1 = 1, b1 = 0, C2 = 1, a2 = 1, b2 = 0, F = 1;
};

// The catalogue with model m's rows 3..15 written from `v`.
inline kod::ParamTableType WithModel(kod::ParamTableType table, int m, const ModelValues& v) {
    const double values[] = {v.C,  v.expGr1, v.expGr2, v.expT11, v.expT22, v.expP, v.C1,
                             v.a1, v.b1,     v.C2,     v.a2,     v.b2,     v.F};
    for (int r = 3; r <= 15; ++r) {
        char text[32];
        std::snprintf(text, sizeof text, "%.17g", values[r - 3]);
        table[r][m + 2] = text;
    }
    return table;
}

inline void SetModel(int m, const ModelValues& v) {
    kod::SetCatalogue(WithModel(kod::ParamTable, m, v), kod::ParamSeries);
}

// Every model gets `v`; the mean specific heat is 1 kcal/(kg·K) everywhere.
inline void UseModels(const ModelValues& v) {
    kod::ParamTableType table{};
    table[0] = {"", "", "orv2.14", "orv1.22", "orv2.40", "orv3.55"};
    for (int m = 0; m < kod::kModelCount; ++m)
        table = WithModel(std::move(table), m, v);
    kod::SeriesType series;
    series.fill(1.0);
    kod::SetCatalogue(std::move(table), series);
}

} // namespace testing_core

#include "core/Drawing.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace kod {

double Log10(double x) {
    return x > 0 ? std::log10(x) : 0.0;
}

std::vector<GradientBand> GradientBands(int width) {
    constexpr int kBands = 220;
    const int w = std::max(width, 0) / kBands;
    std::vector<GradientBand> bands;
    bands.reserve(kBands);
    for (int i = 1; i <= kBands; ++i)
        bands.push_back({(i - 1) * w, i * w, 240 - i});
    return bands;
}

Rgb BandColour(int n) {
    const long long k = n;
    return {static_cast<int>(k % 255), static_cast<int>(std::llabs((255 - 25 * k) % 255)),
            static_cast<int>(45 * k % 255)};
}

} // namespace kod

#pragma once

#include <vector>

namespace kod {

// Decimal logarithm; 0 for x <= 0 (the term then drops out of a sum).
double Log10(double x);

// One band of the grey background gradient: x from left to right, the full height, grey level.
struct GradientBand {
    int left, right; // in the window's units
    int grey;        // RGB(grey, grey, grey)
};

// The 220 bands of the background gradient for a window of the given width, darkening left to
// right from 239 to 20; band width is width / 220 (whole units), so bands may be empty.
std::vector<GradientBand> GradientBands(int width);

struct Rgb {
    int red, green, blue;
    bool operator==(const Rgb&) const = default;
};

// Colour of an exchanger-count band on the charts: red n mod 255, green |(255 − 25 n) mod 255|,
// blue 45 n mod 255, remainders keeping the dividend's sign. 0 is black, 1 is (1, 230, 45).
Rgb BandColour(int n);

} // namespace kod

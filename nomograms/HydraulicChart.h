#pragma once

#include <cstdint>
#include <optional>
#include <string>

// What the hydraulic nomogram computes: the pressure-drop law of one circuit of a model, the ends
// of its characteristic on the log-log chart and the reading point. Flows kg/s, pressure drops
// kPa, temperatures °C, positions in chart units (0..1000 both ways, y up).
namespace nomograms {

// The chart square: origin and side in chart units; each axis spans two decades.
inline constexpr int kOrigin = 100;
inline constexpr int kSide = 800;

// Flow 0.1..10 kg/s across the square, and back.
double XOfFlow(double G);
double FlowOfX(double x);
// Pressure drop 1..100 kPa up the square.
double YOfDrop(double Dp);

// Dp = C · G^a · Tm^b, Tm the circuit's mean temperature. Non-positive arguments drop their factor
// (decimal logarithms through kod::Log10).
struct DropLaw {
    double C = 0, a = 0, b = 0;
    double DropAt(double G, double Tm) const;   // kPa
    double FlowFor(double Dp, double Tm) const; // kg/s; non-finite when a = 0
};

// The law of model m for the heating water (catalogue rows 9..11) or the heated water (12..14),
// as the catalogue gives it: no correction of the coefficient.
DropLaw HydraulicLaw(int m, bool heating);

// The characteristic segment inside the square: flows kg/s, pressure drops kPa.
struct Characteristic {
    double Glo = 0, Dplo = 0, Ghi = 0, Dphi = 0;
};

// The ends of model m's characteristic for the circuit temperatures T1, T2: from G = 0.1 or the
// flow of 1 kPa, to G = 10 or the flow of 100 kPa. Caps the reading's dpw at the top end (never
// raises it) and sets gw to the flow of dpw.
Characteristic CharacteristicEnds(std::int16_t T1, std::int16_t T2, int m, bool heating,
                                  double& dpw, double& gw);

// A line in chart units.
struct Segment {
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    bool IsFinite() const;
};

// The part of a line inside the chart square (100..900 both ways), on the line itself; nothing
// when none of it lies there.
std::optional<Segment> ClipToSquare(const Segment& s);

// The characteristic as drawn: ends rounded to whole units (halves to even), x1 the left end.
Segment CharacteristicLine(const Characteristic& c);
// The horizontal reading line from the left edge to the point, and the vertical one from the
// bottom edge up to it, unclipped.
Segment DropReadingLine(double gw, double dpw);
Segment FlowReadingLine(double gw, double dpw);

struct Reading {
    double gw = 0, dpw = 0;
};

// The reading at the mouse abscissa x, held between the drawn ends x1..x2 of the characteristic;
// t1, t2 the circuit temperatures as typed (the mean is not rounded). The drop is the law's there,
// on the chart or not. Nothing when the law gives no finite drop there.
std::optional<Reading> PickFlow(double x, double x1, double x2, double t1, double t2, int m,
                                bool heating);

// Temperatures the entries accept, °C (whole numbers; lower may exceed upper, then none passes).
struct TemperatureRange {
    int lower = 0, upper = 0;
    bool Contains(double t) const { return t >= lower && t <= upper; }
};
// The inlet: heating water 7..210, heated water 1..204.
TemperatureRange InletRange(bool heating);
// The outlet below the inlet for the heating water (2 .. inlet − 1), above it for the heated water
// (inlet + 1 .. 204); the inlet as typed, the bound rounded halves to even.
TemperatureRange OutletRange(bool heating, double inlet);

// "Wartość temperatury T11 musi się zawierać w przedziale od 7°C do 210°C" for the symbol T11
// (UTF-8).
std::string RangeMessage(const std::string& symbol, TemperatureRange range);

} // namespace nomograms

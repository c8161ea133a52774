#pragma once

// The values of the operating-point panel, parsed from its text boxes. Temperatures °C, heat
// output kW, pressure drops kPa.
namespace panel {

struct OperatingPoint {
    double HeatOutput = 0;         // Q
    double HeatingInlet = 0;       // T11
    double HeatingOutlet = 0;      // T12 (only where the panel has that field)
    double HeatedInlet = 0;        // T21
    double HeatedOutlet = 0;       // T22
    double AllowedDropHeating = 0; // Dp1
    double AllowedDropHeated = 0;  // Dp2
    bool CentralHeating = true;    // "c.o." rather than "c.w."
};

// What an outlet temperature search reads from a panel: the values and the slider positions of
// T21 and T11 that bound its range (T12 from T21 + 5 to T11 − 10).
struct SearchInput {
    OperatingPoint point;
    int t21Position = 0; // SlT21
    int t11Position = 0; // slT11
};

} // namespace panel

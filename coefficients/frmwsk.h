#pragma once

#include "coefficients/CoefficientWindow.h"

// The required and operating transfer coefficients and the exchanger-count bands against the heat
// output 10..1000 kW, for fixed temperatures including T12. Opens with its chart drawn.
class frmwsk : public coefficients::CoefficientWindow {
    Q_OBJECT
public:
    explicit frmwsk(QWidget* parent = nullptr);

    // Range check of the T12 box, then AdjustT22Range.
    void CheckT12();
    // Keeps T12 and its slider range within T21 + 3 .. T11 − 1 (slider positions).
    void AdjustT12Range();
};

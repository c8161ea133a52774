#pragma once

#include "coefficients/CoefficientWindow.h"

// The required and operating transfer coefficients and the exchanger-count bands against the
// heating-water outlet temperature T12, swept over the range the temperatures allow, for a fixed
// heat output. Opens with an empty chart; cmdLicz draws it.
class frmWskKT : public coefficients::CoefficientWindow {
    Q_OBJECT
public:
    explicit frmWskKT(QWidget* parent = nullptr);
};

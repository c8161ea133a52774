#pragma once

#include "panel/FieldLimits.h"

#include <QSizeF>
#include <QString>
#include <optional>
#include <vector>

// What one window's operating-point panel holds: its fields, their defaults, captions and places
// (their limits and messages are Limits(field)), and the purpose options. The panel's behaviour is
// the same in every window.
namespace panel {

// Rectangle in the window's logical units, measured from the left and top edges.
struct LogicalRect {
    double left = 0, top = 0, width = 0, height = 0;
};

struct FieldConfig {
    Field field = Field::Q;
    QString labelName, boxName, sliderName; // objectNames: etQ, txQ, slQ
    QString caption;                        // label text
    QString boxToolTip, sliderToolTip;
    int defaultValue = 0;              // text and slider at opening
    int sliderMin = 0, sliderMax = 0;  // slider range at opening
    std::vector<Field> followUps;      // ranges adjusted after a confirmed value or a move
    bool clearAfterSliderMove = false; // the T11 slider clears the results once more at the end
    LogicalRect label, box, slider;
};

struct OptionConfig {
    QString name, caption, toolTip;
    double left = 0, top = 0;
    QSizeF twips; // fixed physical size
};

struct FrameConfig {
    QString name;
    LogicalRect rect;
};

struct PanelConfig {
    std::vector<FieldConfig> fields; // in tab order
    OptionConfig centralHeating, hotWater;
    bool centralHeatingAtOpening = true;
    bool purposeInvalidates = false; // a purpose change invalidates the window's results
    FrameConfig heatingFrame, heatedFrame;
    // The window's layout has y growing upwards from the bottom of a logicalHeight-high area; the
    // rectangles above are still measured from the top and converted.
    bool yUp = false;
    double logicalHeight = 768;

    const FieldConfig* Find(Field f) const;
};

// The selection window (frmDobor).
PanelConfig SelectionPanelConfig();
// The thermal output nomogram (frmQG): no Q.
PanelConfig OutputNomogramPanelConfig();
// Coefficients against heat output (frmwsk): no Q, with T12.
PanelConfig CoefficientsByOutputPanelConfig();
// Coefficients against the outlet temperature (frmWskKT).
PanelConfig CoefficientsByOutletPanelConfig();

} // namespace panel

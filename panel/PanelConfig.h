#pragma once

#include <QSizeF>
#include <QString>
#include <optional>
#include <vector>

// What one window's operating-point panel holds: its fields, their limits, defaults, captions and
// places, and the purpose options. The panel's behaviour is the same in every window.
namespace panel {

enum class Field { Q, Dp1, T11, T12, Dp2, T21, T22 };
inline constexpr int kFieldCount = 7;

// A limit: a constant, or another field's value plus an offset. In a check the other field's text
// is parsed and the sum rounded (halves to even); in a range adjustment its slider position is
// used.
struct Bound {
    std::optional<Field> base;
    double offset = 0;
};

// The slider range a field is kept within when the fields it depends on change.
struct RangeRule {
    Bound lower, upper;
    bool lowerWins = true; // applied last, so it wins when both are violated
};

// Rectangle in the window's logical units, measured from the left and top edges.
struct LogicalRect {
    double left = 0, top = 0, width = 0, height = 0;
};

struct FieldConfig {
    Field field = Field::Q;
    QString labelName, boxName, sliderName; // objectNames: etQ, txQ, slQ
    QString caption;                        // label text
    QString boxToolTip, sliderToolTip;
    int defaultValue = 0;                // text and slider at opening
    int sliderMin = 0, sliderMax = 0;    // slider range at opening
    Bound lower, upper;                  // accepted by the check
    std::optional<RangeRule> range;      // kept by the range adjustment
    QString greaterMessage, lessMessage; // followed by the limit and the unit
    QString unit;                        // " kW", " kPa", "°C"
    QString notANumberMessage;
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

#pragma once

#include "panel/OperatingPoint.h"
#include "panel/PanelConfig.h"

#include <QObject>
#include <QString>
#include <array>
#include <functional>
#include <optional>

class QFrame;
class QLabel;
class QLineEdit;
class QRadioButton;
class QSlider;
class QWidget;

namespace widgets {
class LogicalLayout;
}

namespace panel {

// A box's number as the panels read it: Val with blanks ignored, where "." and the user's locale's
// decimal separator both mark the decimal part ("250,7" and "250.7" are both 250.7).
double ParseNumber(const QString& text);
// The not-a-number test of the panels' boxes: the whole text is one number as ParseNumber reads it.
bool IsNumberText(const QString& text);

// The operating-point input panel: a label, a text box and a slider per field, two frames and the
// purpose options, created as children of the window and placed through its layout. The text boxes
// hold the values; the sliders mirror them as whole numbers. A value is range-checked when it is
// confirmed (Enter or leaving the box); any confirmed change invalidates the window's results once.
class OperatingPointPanel : public QObject {
    Q_OBJECT
public:
    // clearResults empties what the window shows (its result grid or chart).
    OperatingPointPanel(QWidget* window, widgets::LogicalLayout* layout, PanelConfig config,
                        std::function<void()> clearResults);

    const PanelConfig& Config() const { return config_; }
    bool Has(Field f) const;

    QLabel* Label(Field f) const;
    QLineEdit* Box(Field f) const;
    QSlider* Slider(Field f) const;
    QRadioButton* CentralHeatingOption() const { return opCO_; }
    QRadioButton* HotWaterOption() const { return opCW_; }
    QFrame* HeatingFrame() const { return heatingFrame_; }
    QFrame* HeatedFrame() const { return heatedFrame_; }
    // The last of the panel's controls in the tab order, for the window to continue from.
    QWidget* LastInTabOrder() const;

    QString Text(Field f) const; // as typed
    double Value(Field f) const; // ParseNumber of the text
    int Position(Field f) const; // slider position
    bool CentralHeating() const;
    OperatingPoint Values() const; // absent fields read 0
    // The values with the slider positions of T21 and T11, as every search reads them.
    SearchInput SearchValues() const;

    // CzyWyczyszczone: true once a confirmed change emptied the results since the last calculation.
    bool CzyWyczyszczone() const { return cleared_; }
    void SetCzyWyczyszczone(bool cleared) { cleared_ = cleared; }
    // Empties the results once: runs ClearResults unless that already happened.
    void Invalidate();
    void ClearResults();

    // The range check of a field (CheckQ, CheckDp1, ...), as on Enter or focus loss.
    void Check(Field f);
    // Puts texts into the boxes the panel has (absent texts keep theirs) and the purpose, as if
    // each were typed and confirmed in tab order: the first text that is no number or is out of
    // range gets its message and nothing is changed. False then.
    bool ApplyTexts(const std::array<std::optional<QString>, kFieldCount>& texts,
                    std::optional<bool> centralHeating);
    // Keeps a field's slider range and position within its rule (AdjustT21Range, AdjustT22Range,
    // AdjustT12Range); works on slider positions.
    void AdjustRange(Field f);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Controls {
        QLabel* label = nullptr;
        QLineEdit* box = nullptr;
        QSlider* slider = nullptr;
    };

    const FieldConfig& Cfg(Field f) const;
    Field FieldOfBox(const QObject* box) const;
    void CreateControls(QWidget* window, widgets::LogicalLayout* layout);
    void SetSlider(Field f, int value);
    void SetSliderRange(Field f, int min, int max);
    void WriteNumber(Field f, int value);
    int TextLimit(const Bound& b) const;
    int PositionLimit(const Bound& b) const;
    void Message(const QString& text);
    void RunFollowUps(Field f);
    void TextEdited(Field f);
    void SliderMoved(Field f);
    void Confirm(Field f);
    void PurposeClicked();

    PanelConfig config_;
    std::function<void()> clearResults_;
    std::array<Controls, kFieldCount> controls_{};
    QWidget* window_ = nullptr;
    QRadioButton* opCO_ = nullptr;
    QRadioButton* opCW_ = nullptr;
    QFrame* heatingFrame_ = nullptr;
    QFrame* heatedFrame_ = nullptr;
    bool cleared_ = false;
    int programmatic_ = 0; // > 0 while the panel itself moves sliders
    bool busy_ = false;    // a check or a message is running
};

} // namespace panel

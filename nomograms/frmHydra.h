#pragma once

#include "nomograms/ChartWindow.h"
#include "nomograms/HydraulicChart.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QSlider;

namespace widgets {
class PictureBox;
class PictureButton;
struct PageTarget;
} // namespace widgets

// The hydraulic nomogram: pressure drop against flow of one circuit of one model on a log-log
// chart, read with the mouse or the keys, and its printout (or its PDF). Modeless-capable;
// closing it emits finished().
class frmHydra : public nomograms::ChartWindow {
    Q_OBJECT
public:
    explicit frmHydra(QWidget* parent = nullptr);
    ~frmHydra() override;

    // The characteristic for the chosen model, circuit and temperatures, with the reading point.
    void RysujHydre();
    // The reading lines and boxes for gw and dpw.
    void RysujWybrane();
    // The reading at the mouse abscissa x (chart units), held on the drawn characteristic.
    void PickFlow(double x) override;
    std::optional<double> ReadingX() const override;
    // The checks of the inlet and outlet temperatures, as on Enter or leaving the box.
    void sprT1();
    void sprT2();
    void cmdDruk_Click();
    // A case's temperatures as if typed and confirmed (absent ones keep their boxes): the first
    // that is no number or out of range gets its message and neither box changes.
    bool ApplyTemperatures(const std::optional<QString>& inlet,
                           const std::optional<QString>& outlet);

    double Gw() const { return gw_; }
    double Dpw() const { return dpw_; }
    widgets::PictureBox* Picture() const { return picHydra_; }
    // The line objects of the picture: characteristic, vertical and horizontal reading lines.
    int CharacteristicLineObject() const { return lHydra_; }
    int FlowLineObject() const { return lg_; }
    int DropLineObject() const { return lp_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateControls();
    void PrintTo(const widgets::PageTarget& target);
    bool Heating() const;
    void CircuitClicked(QRadioButton* option);
    void InletSliderMoved();
    void OutletSliderMoved();
    void CoupleOutletSlider();
    void SetSlider(QSlider* slider, int value);
    void SetSliderRange(QSlider* slider, int min, int max);
    void TemperatureEdited(QLineEdit* box);
    void TemperatureMessage(QLineEdit* box, const QString& text);
    bool CheckTemperature(QLineEdit* box, const QLabel* caption, QSlider* slider,
                          nomograms::TemperatureRange range);

    widgets::PictureBox* picHydra_ = nullptr;
    QComboBox* cmbWymienniki_ = nullptr;
    QRadioButton* opGrzejna_ = nullptr;
    QRadioButton* opOgrzewana_ = nullptr;
    QLabel* etT1_ = nullptr;
    QLabel* etT2_ = nullptr;
    QLineEdit* txT1_ = nullptr;
    QLineEdit* txT2_ = nullptr;
    QSlider* slT1_ = nullptr;
    QSlider* slT2_ = nullptr;
    QLineEdit* txG_ = nullptr;
    QLineEdit* txDp_ = nullptr;
    widgets::PictureButton* cmdDruk_ = nullptr;
    widgets::PictureButton* cmdExit_ = nullptr;
    int lHydra_ = -1, lg_ = -1, lp_ = -1;

    double gw_ = 0;            // kg/s, the reading point's flow
    double dpw_ = 10;          // kPa, its pressure drop
    int programmatic_ = 0;     // > 0 while the window itself moves a slider
    bool busy_ = false;        // a check or its message is running
    bool exitPressed_ = false; // the focus left for the exit button under the mouse
};

#pragma once

#include "nomograms/ChartWindow.h"
#include "nomograms/OutputChart.h"

class QComboBox;
class QLineEdit;
class QProgressBar;

namespace widgets {
class PictureBox;
class PictureButton;
} // namespace widgets

namespace panel {
class OperatingPointPanel;
}

// The thermal output nomogram: heat output against the heated-water flow for one model and one
// operating point, with bands of the number of exchangers, drawn on request and read with the
// mouse or the keys. Modeless-capable; closing it emits finished().
class frmQG : public nomograms::ChartWindow {
    Q_OBJECT
public:
    explicit frmQG(QWidget* parent = nullptr);
    ~frmQG() override;

    // The whole chart: bands, axes, curve and the reading at 1 kg/s.
    void DrawChart();
    // Erases the chart and hides the reading lines; MAX stays.
    void ClearChart();
    // The reading for gw, when there is an installation at that flow.
    void ShowReading();
    // The reading at the mouse abscissa x (chart units), held within the drawn range.
    void PickFlow(double x) override;
    std::optional<double> ReadingX() const override;

    void cmdLicz_Click();
    void cmdOpis_Click();

    double Gw() const { return gw_; }
    double Max() const { return max_; }
    // The operating point and model as the window holds them.
    nomograms::OutputChartInput Input() const;
    panel::OperatingPointPanel* Panel() const { return panel_; }
    widgets::PictureBox* Picture() const { return picQG_; }
    int DropLineObject() const { return lp_; }
    int FlowLineObject() const { return lg_; }
    bool CzyWyczyszczone() const;

private:
    void CreateControls();

    widgets::PictureBox* picQG_ = nullptr;
    QProgressBar* pbObl_ = nullptr;
    QComboBox* cmbWymienniki_ = nullptr;
    QLineEdit* txG_ = nullptr;
    QLineEdit* txQ_ = nullptr;
    panel::OperatingPointPanel* panel_ = nullptr;
    widgets::PictureButton* cmdOpis_ = nullptr;
    widgets::PictureButton* cmdLicz_ = nullptr;
    widgets::PictureButton* cmdExit_ = nullptr;
    int lp_ = -1, lg_ = -1;

    double gw_ = 1;     // kg/s, the reading's flow
    double max_ = 0;    // the rightmost x of a reading; 0 before the first drawing
    bool busy_ = false; // a message about txQ is showing
};

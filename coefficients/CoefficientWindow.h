#pragma once

#include "coefficients/CoefficientChart.h"
#include "panel/PanelConfig.h"

#include <QDialog>
#include <QString>

class QComboBox;
class QLabel;

namespace widgets {
class LogicalLayout;
class PictureBox;
class PictureButton;
} // namespace widgets

namespace panel {
class OperatingPointPanel;
}

namespace coefficients {

// What the user is told when a sample of the chart is not a finite number.
inline constexpr const char* kCannotDrawText = "Dla podanych wartości nie można wykonać wykresu";

// A transfer-coefficient chart window: the chart picWsk (saved or copied from its context menu),
// the model list, the operating-point panel and the help, calculate and exit buttons. The two
// charts differ in their panel, their abscissa and their texts. Closing it emits finished().
class CoefficientWindow : public QDialog {
    Q_OBJECT
public:
    ~CoefficientWindow() override;

    panel::OperatingPointPanel* Panel() const { return panel_; }
    widgets::PictureBox* Picture() const { return picWsk_; }
    QComboBox* Models() const { return cmbWymienniki_; }
    bool CzyWyczyszczone() const;

    // Samples the current inputs and paints the bands, the axes and the curves over the picture
    // as it stands. When the chart cannot be drawn for these values nothing is painted, the user
    // is told, and the result is false.
    bool DrawChart();
    void ClearChart();

    void cmdLicz_Click();
    void cmdOpis_Click();
    void cmdExit_Click();

protected:
    struct Kind {
        QString objectName, caption;
        panel::PanelConfig panel;
        double typeLabelLeft = 815; // etTyp
        int modelAtOpening = 0;
        QString calculateToolTip;
        Swept swept = Swept::HeatOutput;
        CountStyle counts = CountStyle::Printed;
        QString abscissaTitle;
        QString chartFile; // the name proposed for the chart's pictures, without a suffix
    };
    CoefficientWindow(const Kind& kind, QWidget* parent);

private:
    void PlaceFromTop(QWidget* w, double left, double top, double width, double height);
    widgets::PictureButton* AddButton(const QString& name, const QString& icon,
                                      const QString& toolTip, double left);
    double TextWidth(const QString& text, double pointSize) const;

    Swept swept_;
    CountStyle counts_;
    QString abscissaTitle_;
    widgets::LogicalLayout* layout_ = nullptr;
    widgets::PictureBox* picWsk_ = nullptr;
    QLabel* etTyp_ = nullptr;
    QComboBox* cmbWymienniki_ = nullptr;
    panel::OperatingPointPanel* panel_ = nullptr;
    widgets::PictureButton* cmdOpis_ = nullptr;
    widgets::PictureButton* cmdLicz_ = nullptr;
    widgets::PictureButton* cmdExit_ = nullptr;
};

} // namespace coefficients

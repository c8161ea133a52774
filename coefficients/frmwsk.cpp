#include "coefficients/frmwsk.h"

#include "panel/OperatingPointPanel.h"

frmwsk::frmwsk(QWidget* parent)
    : CoefficientWindow({.objectName = QStringLiteral("frmwsk"),
                         .caption = QStringLiteral(
                             "Wykres współczynników przenikania w zależności od mocy cielnej"),
                         .panel = panel::CoefficientsByOutputPanelConfig(),
                         .typeLabelLeft = 815,
                         .modelAtOpening = 2, // orv2.40
                         .calculateToolTip = QStringLiteral("Wykonanie obliczeń"),
                         .swept = coefficients::Swept::HeatOutput,
                         .counts = coefficients::CountStyle::Printed,
                         .abscissaTitle = QStringLiteral("Moc cieplna Q [kW]"),
                         .chartFile = QStringLiteral("wspolczynniki_od_mocy")},
                        parent) {
    DrawChart();
    Panel()->SetCzyWyczyszczone(false);
}

void frmwsk::CheckT12() {
    Panel()->Check(panel::Field::T12);
}

void frmwsk::AdjustT12Range() {
    Panel()->AdjustRange(panel::Field::T12);
}

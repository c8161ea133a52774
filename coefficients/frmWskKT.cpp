#include "coefficients/frmWskKT.h"

frmWskKT::frmWskKT(QWidget* parent)
    : CoefficientWindow({.objectName = QStringLiteral("frmWskKT"),
                         .caption = QStringLiteral(
                             "Wykres współczynników przenikania w zależności od temperatury T12"),
                         .panel = panel::CoefficientsByOutletPanelConfig(),
                         .typeLabelLeft = 820,
                         .modelAtOpening = 3, // orv3.55
                         .calculateToolTip = QStringLiteral("wykonanie wykresu"),
                         .swept = coefficients::Swept::HeatingOutlet,
                         .counts = coefficients::CountStyle::Digits,
                         .abscissaTitle = QStringLiteral("Temperatura T12[°C]"),
                         .chartFile = QStringLiteral("wspolczynniki_od_T12")},
                        parent) {}

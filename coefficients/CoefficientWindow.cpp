#include "coefficients/CoefficientWindow.h"

#include "coefficients/ChartDrawing.h"
#include "help/Help.h"
#include "panel/CaseFile.h"
#include "panel/OperatingPointPanel.h"
#include "widgets/AccessibleNames.h"
#include "widgets/ChartExport.h"
#include "widgets/Environment.h"
#include "widgets/LogicalLayout.h"
#include "widgets/MessageBox.h"
#include "widgets/PictureBox.h"
#include "widgets/PictureButton.h"

#include <QComboBox>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QShortcut>
#include <algorithm>

namespace coefficients {

namespace {

constexpr double kLogicalWidth = 1024;
constexpr double kLogicalHeight = 768;
const QSizeF kButtonTwips(615, 615);
const QString kChartFont = QStringLiteral("Courier New");

} // namespace

CoefficientWindow::CoefficientWindow(const Kind& kind, QWidget* parent)
    : QDialog(parent), swept_(kind.swept), counts_(kind.counts),
      abscissaTitle_(kind.abscissaTitle) {
    setObjectName(kind.objectName);
    setWindowTitle(kind.caption);
    widgets::OpenCentred(this, 0.95);
    layout_ = new widgets::LogicalLayout(this, kLogicalWidth, kLogicalHeight, true);

    picWsk_ = new widgets::PictureBox(this);
    picWsk_->setObjectName(QStringLiteral("picWsk"));
    picWsk_->setAccessibleName(QStringLiteral("wykres współczynników przenikania"));
    picWsk_->SetBackground(Qt::white);
    picWsk_->SetFont(kChartFont, true);
    picWsk_->SetScale(0, 1000, 0, 1000);
    PlaceFromTop(picWsk_, 10, 10, 800, 748);

    etTyp_ = new QLabel(QStringLiteral("Wymiennik:"), this);
    etTyp_->setObjectName(QStringLiteral("etTyp"));
    etTyp_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    PlaceFromTop(etTyp_, kind.typeLabelLeft, 40, 120, 45);

    cmbWymienniki_ = new QComboBox(this);
    cmbWymienniki_->setObjectName(QStringLiteral("cmbWymienniki"));
    cmbWymienniki_->setToolTip(QStringLiteral("Wybór typu wymiennika"));
    cmbWymienniki_->addItems({QStringLiteral("orv2.14"), QStringLiteral("orv1.22"),
                              QStringLiteral("orv2.40"), QStringLiteral("orv3.55")});
    cmbWymienniki_->setCurrentIndex(kind.modelAtOpening);
    // Choosing a model leaves the box being edited unconfirmed, as the purpose options do.
    cmbWymienniki_->setFocusPolicy(Qt::TabFocus);
    etTyp_->setBuddy(cmbWymienniki_);
    PlaceFromTop(cmbWymienniki_, 820, 60, 180, 35);

    panel_ = new panel::OperatingPointPanel(this, layout_, kind.panel, [this] { ClearChart(); });
    panel::AddCaseActions(this, *panel_);
    connect(cmbWymienniki_, &QComboBox::activated, panel_, &panel::OperatingPointPanel::Invalidate);

    cmdOpis_ =
        AddButton(QStringLiteral("cmdOpis"), QStringLiteral("help"), QStringLiteral("Pomoc"), 810);
    cmdLicz_ = AddButton(QStringLiteral("cmdLicz"), QStringLiteral("calculate"),
                         kind.calculateToolTip, 885);
    cmdExit_ = AddButton(QStringLiteral("cmdExit"), QStringLiteral("exit"),
                         QStringLiteral("wyjście z okna doboru wymienników"), 960);
    connect(cmdOpis_, &QToolButton::clicked, this, &CoefficientWindow::cmdOpis_Click);
    connect(cmdLicz_, &QToolButton::clicked, this, &CoefficientWindow::cmdLicz_Click);
    connect(cmdExit_, &QToolButton::clicked, this, &CoefficientWindow::cmdExit_Click);
    auto* help = new QShortcut(QKeySequence::HelpContents, this);
    connect(help, &QShortcut::activated, this, &CoefficientWindow::cmdOpis_Click);

    widgets::AddChartMenu(picWsk_, kind.chartFile);
    layout_->OrderTabsByRows(picWsk_);

    widgets::ApplyAccessibleNames(this);
    panel_->Box(kind.panel.fields.front().field)->setFocus();
}

CoefficientWindow::~CoefficientWindow() = default;

void CoefficientWindow::PlaceFromTop(QWidget* w, double left, double top, double width,
                                     double height) {
    layout_->Place(w, left, kLogicalHeight - top, width, height);
}

widgets::PictureButton* CoefficientWindow::AddButton(const QString& name, const QString& icon,
                                                     const QString& toolTip, double left) {
    auto* b = new widgets::PictureButton(icon, toolTip, this);
    b->setObjectName(name);
    // A click leaves the focus where it is: a value still being edited is used as it stands.
    b->setFocusPolicy(Qt::TabFocus);
    layout_->PlaceFixed(b, left, kLogicalHeight - 688, kButtonTwips);
    return b;
}

bool CoefficientWindow::CzyWyczyszczone() const {
    return panel_->CzyWyczyszczone();
}

double CoefficientWindow::TextWidth(const QString& text, double pointSize) const {
    QFont font = picWsk_->font();
    font.setFamilies({kChartFont});
    font.setBold(true);
    font.setPointSizeF(pointSize);
    const double pixels = QFontMetricsF(font, picWsk_).horizontalAdvance(text);
    return picWsk_->ToUser(QPointF(pixels, 0)).x() - picWsk_->ToUser(QPointF(0, 0)).x();
}

bool CoefficientWindow::DrawChart() {
    using panel::Field;
    const Abscissa abscissa =
        swept_ == Swept::HeatOutput
            ? kHeatOutputSweep
            : OutletSweep(panel_->Position(Field::T21), panel_->Position(Field::T11));
    const std::optional<Chart> chart = ComputeChart(
        abscissa, ExchangerEvaluator(cmbWymienniki_->currentIndex(), panel_->Values(), swept_));
    if (!chart) {
        widgets::ShowMessage(this, QString::fromUtf8(kCannotDrawText));
        return false;
    }
    ChartTexts texts;
    texts.abscissaLabels =
        swept_ == Swept::HeatOutput ? HeatOutputLabels() : OutletLabels(abscissa);
    texts.abscissaTitle = abscissaTitle_;
    texts.counts = counts_;
    texts.decimalSeparator = widgets::DecimalSeparator();
    coefficients::DrawChart(*picWsk_, *chart, texts, [this](const QString& text, double points) {
        return TextWidth(text, points);
    });
    return true;
}

void CoefficientWindow::ClearChart() {
    picWsk_->Clear();
}

void CoefficientWindow::cmdLicz_Click() {
    DrawChart();
    panel_->SetCzyWyczyszczone(false);
}

void CoefficientWindow::cmdOpis_Click() {
    help::ShowHelp(this);
}

void CoefficientWindow::cmdExit_Click() {
    reject();
}

} // namespace coefficients

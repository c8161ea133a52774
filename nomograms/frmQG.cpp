#include "nomograms/frmQG.h"

#include "core/Catalogue.h"
#include "core/Drawing.h"
#include "core/Numbers.h"
#include "nomograms/ChartGrid.h"
#include "nomograms/HydraulicChart.h"
#include "panel/CaseFile.h"
#include "panel/OperatingPointPanel.h"
#include "widgets/AccessibleNames.h"
#include "widgets/Environment.h"
#include "widgets/LogicalLayout.h"
#include "widgets/MessageBox.h"
#include "widgets/PictureBox.h"
#include "widgets/PictureButton.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QScopedValueRollback>

using namespace nomograms;
using panel::Field;

namespace {

const QColor kReadingColour(0, 0, 255);

} // namespace

frmQG::frmQG(QWidget* parent)
    : ChartWindow(QStringLiteral("frmQG"),
                  QStringLiteral("Wykres zależności mocy cieplnej od przepływu wody ogrzewanej"),
                  parent) {
    CreateControls();
    widgets::ApplyAccessibleNames(this);
    SetMinimumSize();
}

frmQG::~frmQG() = default;

void frmQG::CreateControls() {
    picQG_ = AddPicture(QStringLiteral("picQG"), QStringLiteral("wykres mocy cieplnej"),
                        QStringLiteral("wykres_mocy_cieplnej"));
    lp_ = picQG_->AddLineObject(kReadingColour, 2);
    lg_ = picQG_->AddLineObject(kReadingColour, 2);
    picQG_->SetLineObjectVisible(lp_, false);
    picQG_->SetLineObjectVisible(lg_, false);

    AddLabel("etTyp", QStringLiteral("Wymiennik:"), {820, 763, 180, 24},
             QStringLiteral("Wybierz poniżej typ wymiennika"));
    cmbWymienniki_ = AddModelList({820, 736, 150, 28});
    AddLabel("etG", QStringLiteral("przepływ G"), {820, 704, 90, 24});
    txG_ = AddBox("txG", {915, 704, 80, 26},
                  QStringLiteral("Wartość natężenia przepływu wody z wykresu"));
    txG_->setText(QStringLiteral("1"));
    AddLabel("etQ", QStringLiteral("moc cieplna Q"), {820, 674, 90, 24});
    txQ_ = AddBox("txQ", {915, 674, 80, 26}, QStringLiteral("wartość wymaganej mocy cieplnej Q"));

    panel_ = new panel::OperatingPointPanel(this, Layout(), panel::OutputNomogramPanelConfig(),
                                            [this] { ClearChart(); });
    panel::AddCaseActions(this, *panel_);

    pbObl_ = new QProgressBar(this);
    pbObl_->setObjectName(QStringLiteral("pbObl"));
    pbObl_->setRange(0, 100);
    pbObl_->setTextVisible(false);
    pbObl_->hide();
    Layout()->Place(pbObl_, 820, 138, 180, 20);

    // A click leaves the focus, and so a value being edited, where it is.
    // A little right of the chart's edge (810), so that neither it nor the chart's focus frame
    // covers the other.
    cmdOpis_ = AddButton("cmdOpis", "help", QStringLiteral("pomoc"), 815, Qt::TabFocus);
    cmdLicz_ =
        AddButton("cmdLicz", "calculate", QStringLiteral("wykonanie wykresu"), 885, Qt::TabFocus);
    cmdExit_ = AddButton("cmdExit", "exit", QStringLiteral("wyjście z okna doboru wymienników"),
                         960, Qt::TabFocus);

    connect(cmbWymienniki_, &QComboBox::activated, this, [this] { panel_->Invalidate(); });
    connect(txQ_, &QLineEdit::textEdited, this, [this] {
        if (busy_ || panel::IsNumberText(txQ_->text()))
            return;
        const QScopedValueRollback busy(busy_, true);
        widgets::ShowMessage(this, QStringLiteral("moc cieplna musi być liczbą"));
        txQ_->setFocus();
    });
    connect(cmdOpis_, &QToolButton::clicked, this, &frmQG::cmdOpis_Click);
    connect(cmdLicz_, &QToolButton::clicked, this, &frmQG::cmdLicz_Click);
    connect(cmdExit_, &QToolButton::clicked, this, &QDialog::reject);

    Layout()->OrderTabsByRows(picQG_);
}

bool frmQG::CzyWyczyszczone() const {
    return panel_->CzyWyczyszczone();
}

OutputChartInput frmQG::Input() const {
    return OutputChartInput(cmbWymienniki_->currentIndex(), panel_->SearchValues());
}

void frmQG::DrawChart() {
    if (cmbWymienniki_->currentIndex() < 0)
        return;
    pbObl_->setValue(pbObl_->minimum());
    pbObl_->show();
    const OutputChartData chart = ComputeOutputChart(Input(), [this](int i) {
        pbObl_->setValue(pbObl_->minimum() + (pbObl_->maximum() - pbObl_->minimum()) * i / kSide);
    });
    pbObl_->hide();

    // Each drawing starts on an empty picture: no label of an earlier one stays above the bands.
    picQG_->Clear();
    max_ = chart.max;
    DrawOutputChart(*picQG_, chart);
    gw_ = 1;
    ShowReading();
}

void frmQG::ClearChart() {
    picQG_->Clear();
    picQG_->setAccessibleDescription(QString());
    picQG_->SetLineObjectVisible(lp_, false);
    picQG_->SetLineObjectVisible(lg_, false);
}

void frmQG::ShowReading() {
    if (cmbWymienniki_->currentIndex() < 0)
        return;
    const auto r = ReadingAt(Input(), gw_);
    if (!r)
        return;
    // An output off the chart is shown with its numbers; its lines end at the chart's edges.
    ShowClipped(picQG_, lp_, {kOrigin, r->y, r->x, r->y});
    ShowClipped(picQG_, lg_, {r->x, kOrigin, r->x, r->y});
    txG_->setText(widgets::Formatted(gw_, "#0.0"));
    txQ_->setText(widgets::Formatted(r->Q, "##0"));
    picQG_->setAccessibleDescription(
        QStringLiteral("G = %1 kg/s, Q = %2 kW").arg(txG_->text(), txQ_->text()));
}

std::optional<double> frmQG::ReadingX() const {
    if (max_ == 0)
        return std::nullopt;
    return XOfFlow(gw_);
}

void frmQG::PickFlow(double x) {
    const auto flow = nomograms::PickFlow(x, max_);
    if (!flow)
        return;
    gw_ = *flow;
    ShowReading();
}

void frmQG::cmdLicz_Click() {
    DrawChart();
    panel_->SetCzyWyczyszczone(false);
}

void frmQG::cmdOpis_Click() {
    OpenHelp();
}

#include "selection/frmDobor.h"

#include "core/CalcLog.h"
#include "core/Catalogue.h"
#include "core/Numbers.h"
#include "panel/OperatingPointPanel.h"
#include "selection/LogSession.h"
#include "selection/SelectionPrintout.h"
#include "selection/SelectionRun.h"
#include "widgets/AccessibleNames.h"
#include "widgets/Environment.h"
#include "widgets/LogicalLayout.h"
#include "widgets/MessageBox.h"
#include "widgets/PictureButton.h"
#include "widgets/ReportOutput.h"
#include "widgets/TableExport.h"

#include <QEvent>
#include <QHeaderView>
#include <QLineEdit>
#include <QStyle>
#include <QTableWidget>
#include <algorithm>
#include <cmath>
#include <exception>

using panel::Field;

namespace {

constexpr int kFirstValueRow = 1; // row of ResultRow::G1dop
constexpr int kVerdictRow = kFirstValueRow + selection::kResultValueCount;
constexpr int kGridRows = kVerdictRow + 1;
constexpr int kGridColumns = 1 + kod::kModelCount;
constexpr double kVerdictRowTwips = 3000;
const QSizeF kButtonTwips(615, 615);
QColor VerdictColour(selection::VerdictKind kind) {
    switch (kind) {
    case selection::VerdictKind::Impossible:
        return QColor(128, 0, 0);
    case selection::VerdictKind::Possible:
        return QColor(0, 0, 0);
    case selection::VerdictKind::Excessive:
        return QColor(0, 128, 128);
    case selection::VerdictKind::Best:
        return QColor(0, 128, 0);
    }
    return QColor(0, 0, 0);
}

// The verdicts break their lines with CR LF; a cell breaks on LF.
QString CellText(const std::string& verdict) {
    return widgets::Q(verdict).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

} // namespace

frmDobor::frmDobor(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmDobor"));
    setWindowTitle(QStringLiteral("Dbór wymienników"));
    setModal(true);
    widgets::OpenCentred(this, 0.95);
    layout_ = new widgets::LogicalLayout(this, 1024, 768, false);

    fgDobor_ = new QTableWidget(kGridRows, kGridColumns, this);
    fgDobor_->setObjectName(QStringLiteral("fgDobor"));
    fgDobor_->setAccessibleName(QStringLiteral("wyniki doboru wymienników"));
    layout_->Place(fgDobor_, 10, 10, 800, 748);

    panel_ = new panel::OperatingPointPanel(this, layout_, panel::SelectionPanelConfig(),
                                            [this] { ClearResults(); });

    auto button = [this](const QString& name, const QString& icon, const QString& tip,
                         double left) {
        auto* b = new widgets::PictureButton(icon, tip, this);
        b->setObjectName(name);
        // A click leaves the focus where it is: a value still being edited is used as it
        // stands, unconfirmed. Tab still reaches the buttons.
        b->setFocusPolicy(Qt::TabFocus);
        layout_->PlaceFixed(b, left, 698, kButtonTwips);
        return b;
    };
    cmdLicz_ = button(QStringLiteral("cmdLicz"), QStringLiteral("calculate"),
                      QStringLiteral("Wykonanie obliczeń"), 860);
    cmdDruk_ = button(QStringLiteral("cmdDruk"), QStringLiteral("print"),
                      QStringLiteral("Wydruk wyniku doboru wymienników"), 910);
    cmdExit_ = button(QStringLiteral("cmdExit"), QStringLiteral("exit"),
                      QStringLiteral("wyjście z okna doboru wymienników"), 960);
    connect(cmdLicz_, &QToolButton::clicked, this, &frmDobor::cmdLicz_Click);
    connect(cmdDruk_, &QToolButton::clicked, this, &frmDobor::cmdDruk_Click);
    connect(cmdExit_, &QToolButton::clicked, this, &frmDobor::cmdExit_Click);

    widgets::AddPdfExport(cmdDruk_, QStringLiteral("dobor.pdf"),
                          [this](const widgets::PageTarget& target) { PrintTo(target); });
    layout_->OrderTabsByRows(fgDobor_);

    PrepareGrid();
    widgets::AddTableExport(fgDobor_, QStringLiteral("dobor.csv"));
    widgets::ApplyAccessibleNames(this);
    setMinimumSize(layout_->MinimumSize());
    panel_->Box(Field::Q)->setFocus();
}

frmDobor::~frmDobor() = default;

bool frmDobor::CzyWyczyszczone() const {
    return panel_->CzyWyczyszczone();
}

void frmDobor::PrepareGrid() {
    QTableWidget* g = fgDobor_;
    g->horizontalHeader()->hide();
    g->verticalHeader()->hide();
    g->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // A block of cells can be chosen, as for a spreadsheet.
    g->setSelectionMode(QAbstractItemView::ContiguousSelection);
    g->setWordWrap(true);
    g->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Reading the results must not confirm, and so clear, the box being edited.
    g->setFocusPolicy(Qt::TabFocus);
    g->setTabKeyNavigation(false); // Tab and Shift+Tab leave the grid

    const QColor fixedBackground = palette().color(QPalette::Button);
    for (int row = 0; row < kGridRows; ++row) {
        for (int column = 0; column < kGridColumns; ++column) {
            auto* item = new QTableWidgetItem;
            // Numbers line up on their decimal separators; texts start at the left.
            const bool number = column > 0 && row >= kFirstValueRow && row < kVerdictRow;
            item->setTextAlignment((number ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
            if (row == 0 || column == 0) {
                item->setFlags(Qt::ItemIsEnabled);
                item->setBackground(fixedBackground);
                item->setForeground(QColor(0, 0, 0));
            } else {
                item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            }
            g->setItem(row, column, item);
        }
    }
    for (int column = 0; column < kGridColumns; ++column)
        g->item(0, column)->setText(widgets::Q(kod::ParamTable[0][column + 1]));
    for (int row = kFirstValueRow; row < kGridRows; ++row)
        g->item(row, 0)->setText(widgets::Q(kod::ResultLabels[row - kFirstValueRow]));
    g->viewport()->installEventFilter(this);
    ResizeColumns();
}

void frmDobor::ResizeColumns() {
    const double width = fgDobor_->viewport()->width();
    fgDobor_->setColumnWidth(0, static_cast<int>(std::lround(width * 2 / 6)));
    for (int column = 1; column < kGridColumns; ++column)
        fgDobor_->setColumnWidth(column, static_cast<int>(std::lround(width / 6)));
    for (int row = 0; row < kVerdictRow; ++row)
        fgDobor_->resizeRowToContents(row);
    SizeVerdictRow();
}

// 3000 twips, or taller when the longest verdict needs more in its column.
void frmDobor::SizeVerdictRow() {
    int height = widgets::TwipsToPixels(kVerdictRowTwips, fgDobor_);
    const QFontMetrics metrics(fgDobor_->font());
    const int margin = 2 * fgDobor_->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 4;
    for (int column = 1; column < kGridColumns; ++column) {
        const int width = std::max(fgDobor_->columnWidth(column) - margin, 1);
        for (const char* verdict : {selection::kVerdictImpossible, selection::kVerdictExcessive}) {
            const QRect needed = metrics.boundingRect(QRect(0, 0, width, 100000), Qt::TextWordWrap,
                                                      QString::fromUtf8(verdict));
            height = std::max(height, needed.height() + margin);
        }
    }
    fgDobor_->setRowHeight(kVerdictRow, height);
}

bool frmDobor::eventFilter(QObject* watched, QEvent* event) {
    if (watched == fgDobor_->viewport() && event->type() == QEvent::Resize)
        ResizeColumns();
    return QDialog::eventFilter(watched, event);
}

void frmDobor::SetCell(int row, int column, const QString& text) {
    fgDobor_->item(row, column)->setText(text);
}

void frmDobor::ClearResults() {
    for (int row = kFirstValueRow; row < kGridRows; ++row)
        for (int column = 1; column < kGridColumns; ++column)
            SetCell(row, column, QString());
}

void frmDobor::FillGrid(const selection::SelectionResult& run) {
    const char sep = widgets::DecimalSeparator();
    for (int m = 0; m < kod::kModelCount; ++m) {
        const selection::ModelResult& r = run.models[m];
        const int c = m + 1;
        const selection::ResultTexts column = ResultColumn(r, selection::kGridFormats, sep);
        for (std::size_t i = 0; i < column.size(); ++i)
            SetCell(kFirstValueRow + static_cast<int>(i), c, widgets::Q(column[i]));
        QTableWidgetItem* verdict = fgDobor_->item(kVerdictRow, c);
        verdict->setForeground(VerdictColour(r.kind));
        verdict->setText(CellText(r.verdict));
    }
    SizeVerdictRow();
}

void frmDobor::NoweOblicz() {
    bool logWritten = true;
    try {
        selection::LogSession session;
        kod::CalcLog& log = session.Log();
        log.WriteSelectionStart();
        const selection::SelectionInput input = panel_->SearchValues();
        const panel::OperatingPoint& p = input.point;
        const selection::SelectionResult run =
            selection::RunSelection(input, [&](int m, double t12min, double t12max) {
                log.WriteSelectionModel(t12min, t12max, static_cast<std::int16_t>(m),
                                        p.CentralHeating, p.AllowedDropHeating, p.AllowedDropHeated,
                                        p.HeatingInlet, p.HeatedInlet, p.HeatedOutlet,
                                        p.HeatOutput);
            });
        logWritten = session.Close();
        FillGrid(run);
    } catch (const std::exception&) {
        widgets::ShowMessage(this, QStringLiteral("Obliczenia nie powiodły się."));
        return;
    }
    if (!logWritten)
        widgets::ShowMessage(this, QString::fromUtf8(selection::kLogWriteFailedText));
}

void frmDobor::cmdLicz_Click() {
    NoweOblicz();
    panel_->SetCzyWyczyszczone(false);
}

void frmDobor::cmdDruk_Click() {
    PrintTo({});
}

void frmDobor::PrintTo(const widgets::PageTarget& target) {
    selection::PrintoutInput input;
    input.selection = panel_->SearchValues();
    input.heatOutput = panel_->Text(Field::Q);
    input.dropHeating = panel_->Text(Field::Dp1);
    input.heatingInlet = panel_->Text(Field::T11);
    input.dropHeated = panel_->Text(Field::Dp2);
    input.heatedInlet = panel_->Text(Field::T21);
    input.heatedOutlet = panel_->Text(Field::T22);
    selection::PrintSelection(this, input, target);
}

void frmDobor::cmdExit_Click() {
    reject();
}

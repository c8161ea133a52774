#include "selection/frmDobor.h"

#include "core/CalcLog.h"
#include "core/Catalogue.h"
#include "core/Numbers.h"
#include "panel/CaseFile.h"
#include "panel/OperatingPointPanel.h"
#include "selection/DesignReport.h"
#include "selection/LogSession.h"
#include "selection/SelectionPrintout.h"
#include "selection/SelectionRun.h"
#include "widgets/AccessibleNames.h"
#include "widgets/Environment.h"
#include "widgets/LogicalLayout.h"
#include "widgets/MessageBox.h"
#include "widgets/PictureButton.h"
#include "widgets/ReportOutput.h"
#include "widgets/SaveFile.h"
#include "widgets/TableExport.h"

#include <QAction>
#include <QEvent>
#include <QFontMetrics>
#include <QHeaderView>
#include <QInputDialog>
#include <QLineEdit>
#include <QStyle>
#include <QTableWidget>
#include <algorithm>
#include <cmath>
#include <exception>
#include <numeric>
#include <vector>

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
    panel::AddCaseActions(this, *panel_);

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
    auto* report = new QAction(QString::fromUtf8(selection::kReportText), cmdDruk_);
    report->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_R));
    report->setShortcutContext(Qt::WindowShortcut);
    connect(report, &QAction::triggered, this, &frmDobor::SaveReport);
    cmdDruk_->addAction(report);
    layout_->OrderTabsByRows(fgDobor_);

    PrepareGrid();
    widgets::AddTableExport(fgDobor_, QStringLiteral("dobor.csv"));
    widgets::ApplyAccessibleNames(this);
    setMinimumSize(layout_->MinimumSize());
    widgets::OpenCentred(this, 0.95); // again, now that the minimum size is known
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
    gridPoints_ = g->font().pointSizeF();
    g->viewport()->installEventFilter(this);
    ResizeColumns();
}

// The grid uses its whole room: the columns share the width, and the font is the largest, up to
// three times its design size, at which every row fits the height with no caption broken into
// more lines than at the design size (smaller than the design size only when that does not fit,
// down to 70 % of it); the rows then share what is left of the height.
void frmDobor::ResizeColumns() {
    QTableWidget* g = fgDobor_;
    const QSize room = g->viewport()->size();
    g->setColumnWidth(0, static_cast<int>(std::lround(room.width() * 2.0 / 6)));
    for (int column = 1; column < kGridColumns; ++column)
        g->setColumnWidth(column, static_cast<int>(std::lround(room.width() / 6.0)));

    QFont font = g->font();
    font.setPointSizeF(gridPoints_);
    int designLines = 0, lines = 0;
    RowHeights(font, designLines);
    // Sizes in steps of a quarter point down from the largest; a larger font never needs fewer
    // lines or less height, so the first that fits is found by halving.
    const double largest = 3 * gridPoints_;
    const int last = static_cast<int>((largest - 0.7 * gridPoints_) / 0.25);
    std::vector<int> heights;
    auto fits = [&](int step) {
        font.setPointSizeF(largest - 0.25 * step);
        heights = RowHeights(font, lines);
        return lines <= designLines &&
               std::accumulate(heights.begin(), heights.end(), 0) <= room.height();
    };
    int lo = 0, hi = last;
    while (lo < hi) {
        const int mid = (lo + hi) / 2;
        if (fits(mid))
            hi = mid;
        else
            lo = mid + 1;
    }
    fits(lo);
    g->setFont(font);
    const int spare =
        std::max(room.height() - std::accumulate(heights.begin(), heights.end(), 0), 0);
    for (int row = 0; row < kGridRows; ++row)
        g->setRowHeight(row, heights[static_cast<std::size_t>(row)] +
                                 spare * (row + 1) / kGridRows - spare * row / kGridRows);
}

// The height each row needs in `font`: a line for the values, the wrapped caption, and for the
// verdict row 3000 twips or the longest verdict; `captionLines` is the most lines a caption takes.
std::vector<int> frmDobor::RowHeights(const QFont& font, int& captionLines) const {
    QTableWidget* g = fgDobor_;
    const QFontMetrics metrics(font, g);
    const int margin = 2 * g->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 4;
    auto wrapped = [&](const QString& text, int column) {
        const int width = std::max(g->columnWidth(column) - margin, 1);
        return metrics.boundingRect(QRect(0, 0, width, 100000), Qt::TextWordWrap, text).height();
    };
    std::vector<int> heights(kGridRows, metrics.height() + margin);
    captionLines = 0;
    for (int row = 0; row < kGridRows; ++row) {
        const int caption = wrapped(g->item(row, 0)->text(), 0);
        captionLines = std::max(captionLines, caption / std::max(metrics.lineSpacing(), 1));
        heights[static_cast<std::size_t>(row)] =
            std::max(heights[static_cast<std::size_t>(row)], caption + margin);
    }
    int& verdict = heights[kVerdictRow];
    verdict = std::max(verdict, widgets::TwipsToPixels(kVerdictRowTwips, g));
    const QString verdicts[] = {QString::fromUtf8(selection::kVerdictImpossible),
                                QString::fromUtf8(selection::kVerdictExcessive),
                                CellText(selection::BestVerdict(true))};
    for (int column = 1; column < kGridColumns; ++column)
        for (const QString& text : verdicts)
            verdict = std::max(verdict, wrapped(text, column) + margin);
    return heights;
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
    selection::PrintSelection(this, PrintoutValues(), target);
}

selection::PrintoutInput frmDobor::PrintoutValues() const {
    selection::PrintoutInput input;
    input.selection = panel_->SearchValues();
    input.heatOutput = panel_->Text(Field::Q);
    input.dropHeating = panel_->Text(Field::Dp1);
    input.heatingInlet = panel_->Text(Field::T11);
    input.dropHeated = panel_->Text(Field::Dp2);
    input.heatedInlet = panel_->Text(Field::T21);
    input.heatedOutlet = panel_->Text(Field::T22);
    return input;
}

// The report of the most favourable model, or of one the user picks among the possible ones.
void frmDobor::SaveReport() {
    const selection::PrintoutInput input = PrintoutValues();
    const selection::SelectionResult run =
        selection::RunSelection(input.selection, static_cast<kod::CalcLog*>(nullptr));
    int m = run.Best();
    const std::vector<int> candidates = selection::ReportCandidates(run);
    if (m < 0 && candidates.size() == 1) {
        m = candidates.front();
    } else if (m < 0 && !candidates.empty()) {
        QStringList names;
        for (int c : candidates)
            names << widgets::Q(kod::ModelName(c));
        bool ok = false;
        const QString name =
            QInputDialog::getItem(this, QString::fromUtf8(widgets::kAppTitle),
                                  QStringLiteral("Typ wymiennika:"), names, 0, false, &ok);
        if (!ok)
            return;
        m = candidates[static_cast<std::size_t>(names.indexOf(name))];
    }
    const QString path =
        widgets::ChooseSaveFile(this, widgets::kPdfFile, QStringLiteral("raport_doboru.pdf"));
    if (path.isEmpty())
        return;
    const QString saved = property(panel::kCaseNameProperty).toString();
    const QString caseName = saved.isEmpty() ? QStringLiteral("bez nazwy") : saved;
    selection::SaveDesignReport(this, input, m, {caseName, QDate::currentDate()}, path);
}

void frmDobor::cmdExit_Click() {
    reject();
}

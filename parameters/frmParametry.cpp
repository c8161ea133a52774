#include "parameters/frmParametry.h"

#include "core/Catalogue.h"
#include "parameters/ParameterPrintout.h"
#include "widgets/AccessibleNames.h"
#include "widgets/Environment.h"
#include "widgets/LogicalLayout.h"
#include "widgets/PictureButton.h"
#include "widgets/ReportOutput.h"
#include "widgets/TableExport.h"

#include <QBoxLayout>
#include <QEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <algorithm>
#include <array>
#include <numeric>

namespace {

constexpr int kFixedRows = 3; // the header: model names and the two research-unit lines
constexpr double kFirstColumnTwips = 500;
constexpr double kColumnTwips = 1520;
constexpr double kGridPoints = 9.75;
constexpr double kLargestPoints = 3 * kGridPoints;
constexpr int kCellPadding = 8; // pixels around a cell's text, both ways
const QColor kBackground(224, 224, 224);
const QColor kBehindCells(128, 128, 128);
const QColor kGridLines(192, 192, 192);

} // namespace

frmParametry::frmParametry(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmParametry"));
    setWindowTitle(QStringLiteral("Parametry"));
    QPalette background = palette();
    background.setColor(QPalette::Window, kBackground);
    setPalette(background);
    setAutoFillBackground(true);

    Label1_ = new QLabel(QStringLiteral("Charakterystyki cieplne i hydrauliczne czystych "
                                        "wymienników ciepła typu ORV produkcji Skarvel Polska w "
                                        "Wirdanie dla układu woda - woda"),
                         this);
    Label1_->setObjectName(QStringLiteral("Label1"));
    QFont labelFont(QStringLiteral("Times New Roman"));
    labelFont.setPointSizeF(14.25);
    labelFont.setBold(true);
    Label1_->setFont(labelFont);
    Label1_->setWordWrap(true);
    Label1_->setAlignment(Qt::AlignCenter);

    fgrParametry_ = new QTableWidget(kod::kParamRows, kod::kParamColumns, this);
    fgrParametry_->setObjectName(QStringLiteral("fgrParametry"));
    fgrParametry_->setToolTip(QStringLiteral("tablica wartości obliczeniowych dla doboru "
                                             "wymienników"));

    cmdDruk_ = new widgets::PictureButton(QStringLiteral("print"),
                                          QStringLiteral("wydruk wartości obliczeniowych"), this);
    cmdDruk_->setObjectName(QStringLiteral("cmdDruk"));
    cmdExit_ = new widgets::PictureButton(QStringLiteral("exit"),
                                          QStringLiteral("wyjście z okna \"Parametry\""), this);
    cmdExit_->setObjectName(QStringLiteral("cmdExit"));
    connect(cmdDruk_, &QToolButton::clicked, this, &frmParametry::cmdDruk_Click);
    connect(cmdExit_, &QToolButton::clicked, this, &frmParametry::cmdExit_Click);
    widgets::AddPdfExport(
        cmdDruk_, QStringLiteral("parametry.pdf"),
        [this](const widgets::PageTarget& target) { parameters::PrintParameters(this, target); });
    widgets::AddTableExport(fgrParametry_, QStringLiteral("parametry.csv"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdDruk_);
    buttons->addWidget(cmdExit_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1_);
    layout->addWidget(fgrParametry_, 1);
    layout->addLayout(buttons);

    Form_Load();
    widgets::ApplyAccessibleNames(this);
    widgets::OpenCentred(this, 0.95);
    fgrParametry_->viewport()->installEventFilter(this);
    cmdExit_->setFocus();
}

void frmParametry::Form_Load() {
    QTableWidget* g = fgrParametry_;
    g->horizontalHeader()->hide();
    g->verticalHeader()->hide();
    g->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // A block of cells can be chosen, as for a spreadsheet.
    g->setSelectionMode(QAbstractItemView::ContiguousSelection);
    g->setWordWrap(true);
    QFont gridFont(QStringLiteral("MS Sans Serif"));
    gridFont.setPointSizeF(kGridPoints);
    g->setFont(gridFont);
    g->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    // Cells in the window colours on a grey ground, the fixed ones in the button colours.
    const QPalette system = QGuiApplication::palette();
    QPalette grid = g->palette();
    grid.setColor(QPalette::Base, kBehindCells);
    g->setPalette(grid);
    g->setStyleSheet(QStringLiteral("QTableView { gridline-color: %1; }").arg(kGridLines.name()));

    for (int row = 0; row < kod::kParamRows; ++row) {
        for (int column = 0; column < kod::kParamColumns; ++column) {
            auto* item = new QTableWidgetItem(widgets::Q(
                kod::ParamTable[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)]));
            const bool fixed = row < kFixedRows || column == 0;
            item->setFlags(fixed ? Qt::ItemIsEnabled : Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            item->setBackground(system.color(fixed ? QPalette::Button : QPalette::Base));
            item->setForeground(system.color(fixed ? QPalette::ButtonText : QPalette::Text));
            const bool centred = row < kFixedRows && column >= 2;
            item->setTextAlignment(centred ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter);
            g->setItem(row, column, item);
        }
    }
    g->setColumnWidth(0, widgets::TwipsToPixels(kFirstColumnTwips, g));
    for (int column = 1; column < kod::kParamColumns; ++column)
        g->setColumnWidth(column, widgets::TwipsToPixels(kColumnTwips, g));
    g->resizeRowsToContents();
}

bool frmParametry::eventFilter(QObject* watched, QEvent* event) {
    if (watched == fgrParametry_->viewport() && event->type() == QEvent::Resize)
        FitGrid();
    return QDialog::eventFilter(watched, event);
}

// The grid uses its whole room: the largest font, from the design size up, at which every cell
// fits its column on one line and every row fits the height; the columns share what is left in
// proportion to their design widths and the rows share the height. When even the design font
// does not fit, the design widths stretched to the room, with wrapped text. No column is narrower
// than its design width.
void frmParametry::FitGrid() {
    QTableWidget* g = fgrParametry_;
    const QSize room = g->viewport()->size();
    constexpr int kRows = kod::kParamRows, kColumns = kod::kParamColumns;
    std::array<double, kColumns> design{};
    design.fill(kColumnTwips);
    design[0] = kFirstColumnTwips;
    const double designSum = kFirstColumnTwips + (kColumns - 1) * kColumnTwips;
    std::array<int, kColumns> least{}, needed{};
    for (int c = 0; c < kColumns; ++c)
        least[c] = widgets::TwipsToPixels(design[c], g);

    QFont font = g->font();
    bool fits = false;
    for (double points = kLargestPoints; points >= kGridPoints && !fits; points -= 0.25) {
        font.setPointSizeF(points);
        const QFontMetrics metrics(font, g);
        needed = least;
        for (int c = 0; c < kColumns; ++c)
            for (int r = 0; r < kRows; ++r)
                needed[c] = std::max(needed[c], metrics.horizontalAdvance(g->item(r, c)->text()) +
                                                    kCellPadding);
        fits = std::accumulate(needed.begin(), needed.end(), 0) <= room.width() &&
               kRows * (metrics.height() + kCellPadding) <= room.height();
    }
    if (!fits) {
        font.setPointSizeF(kGridPoints);
        needed = least;
    }
    g->setFont(font);
    const int spare = room.width() - std::accumulate(needed.begin(), needed.end(), 0);
    int used = 0;
    for (int c = 0; c < kColumns; ++c) {
        // The last column takes the rounding's remainder.
        const int width = c + 1 < kColumns
                              ? needed[c] + static_cast<int>(spare * design[c] / designSum)
                              : room.width() - used;
        g->setColumnWidth(c, std::max(width, needed[c]));
        used += width;
    }
    if (!fits) {
        g->resizeRowsToContents();
        return;
    }
    for (int r = 0; r < kRows; ++r)
        g->setRowHeight(r, room.height() * (r + 1) / kRows - room.height() * r / kRows);
}

void frmParametry::cmdDruk_Click() {
    parameters::PrintParameters(this);
}

void frmParametry::cmdExit_Click() {
    reject();
}

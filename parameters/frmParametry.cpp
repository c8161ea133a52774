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
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QTableWidget>

namespace {

constexpr int kFixedRows = 3; // the header: model names and the two research-unit lines
constexpr double kFirstColumnTwips = 500;
constexpr double kColumnTwips = 1520;
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
    FitToGrid();
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
    gridFont.setPointSizeF(9.75);
    g->setFont(gridFont);

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

// The window takes the size of the whole grid, within the screen.
void frmParametry::FitToGrid() {
    QTableWidget* g = fgrParametry_;
    const int frame = 2 * g->frameWidth();
    int width = frame, height = frame;
    for (int column = 0; column < g->columnCount(); ++column)
        width += g->columnWidth(column);
    for (int row = 0; row < g->rowCount(); ++row)
        height += g->rowHeight(row);
    g->setMinimumWidth(width + g->verticalScrollBar()->sizeHint().width());
    g->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Label1_->setMaximumWidth(g->minimumWidth());
    QSize size = sizeHint();
    size.setHeight(size.height() - g->sizeHint().height() + height);
    if (const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableGeometry().size() * 0.95);
    resize(size);
}

void frmParametry::cmdDruk_Click() {
    parameters::PrintParameters(this);
}

void frmParametry::cmdExit_Click() {
    reject();
}

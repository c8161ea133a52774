#include "nomograms/ChartWindow.h"

#include "core/Catalogue.h"
#include "core/Numbers.h"
#include "help/Help.h"
#include "widgets/ChartExport.h"
#include "widgets/Environment.h"
#include "widgets/LogicalLayout.h"
#include "widgets/PictureBox.h"
#include "widgets/PictureButton.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QShortcut>
#include <algorithm>

namespace nomograms {

namespace {

// Where a key moves the reading from the abscissa x, in chart units; nothing for other keys. The
// edges are those of the picture, which the reading is then held from as a mouse there would be.
std::optional<double> KeyedX(int key, double x) {
    switch (key) {
    case Qt::Key_Left:
    case Qt::Key_Down:
        return x - 1;
    case Qt::Key_Right:
    case Qt::Key_Up:
        return x + 1;
    case Qt::Key_PageDown:
        return x - 10;
    case Qt::Key_PageUp:
        return x + 10;
    case Qt::Key_Home:
        return 0.0;
    case Qt::Key_End:
        return 1000.0;
    default:
        return std::nullopt;
    }
}

} // namespace

ChartWindow::ChartWindow(const QString& name, const QString& title, QWidget* parent)
    : QDialog(parent) {
    setObjectName(name);
    setWindowTitle(title);
    widgets::OpenCentred(this, 0.95);
    layout_ = new widgets::LogicalLayout(this, 1024, 768, true);
    auto* help = new QShortcut(QKeySequence::HelpContents, this);
    connect(help, &QShortcut::activated, this, &ChartWindow::OpenHelp);
}

widgets::PictureBox* ChartWindow::AddPicture(const QString& name, const QString& accessibleName,
                                             const QString& fileName) {
    picture_ = new widgets::PictureBox(this);
    picture_->setObjectName(name);
    picture_->setAccessibleName(accessibleName);
    picture_->SetFont(QStringLiteral("Courier New"), true);
    picture_->SetScale(0, 1000, 0, 1000);
    picture_->installEventFilter(this);
    widgets::AddChartMenu(picture_, fileName);
    layout_->Place(picture_, 10, 758, 800, 748);
    return picture_;
}

QLabel* ChartWindow::AddLabel(const char* name, const QString& text, QRectF place,
                              const QString& tip) {
    auto* l = new QLabel(text, this);
    l->setObjectName(QString::fromLatin1(name));
    l->setToolTip(tip);
    l->setWordWrap(true);
    layout_->Place(l, place.left(), place.top(), place.width(), place.height());
    return l;
}

QLineEdit* ChartWindow::AddBox(const char* name, QRectF place, const QString& tip) {
    auto* b = new QLineEdit(this);
    b->setObjectName(QString::fromLatin1(name));
    b->setToolTip(tip);
    layout_->Place(b, place.left(), place.top(), place.width(), place.height());
    return b;
}

QComboBox* ChartWindow::AddModelList(QRectF place) {
    auto* c = new QComboBox(this);
    c->setObjectName(QStringLiteral("cmbWymienniki"));
    c->setToolTip(QStringLiteral("Wybór typu wymiennika"));
    for (int m = 0; m < kod::kModelCount; ++m)
        c->addItem(widgets::Q(kod::ModelName(m)));
    c->setCurrentIndex(0);
    layout_->Place(c, place.left(), place.top(), place.width(), place.height());
    return c;
}

widgets::PictureButton* ChartWindow::AddButton(const char* name, const char* icon,
                                               const QString& tip, double left,
                                               Qt::FocusPolicy focus) {
    auto* b = new widgets::PictureButton(QString::fromLatin1(icon), tip, this);
    b->setObjectName(QString::fromLatin1(name));
    b->setFocusPolicy(focus);
    layout_->PlaceFixed(b, left, 80, QSizeF(615, 615));
    return b;
}

void ChartWindow::SetMinimumSize() {
    // Only the panel's fixed-size frames crowd as the height shrinks; keep at least the 4:3 shape.
    const QSize crowded = layout_->MinimumSize();
    setMinimumSize(QSize(crowded.width(), std::max(crowded.height(), crowded.width() * 3 / 4))
                       .boundedTo(size()));
}

void ChartWindow::OpenHelp() {
    help::ShowHelp(this);
}

void ChartWindow::ShowClipped(widgets::PictureBox* picture, int handle, const Segment& line) {
    const std::optional<Segment> inside = ClipToSquare(line);
    if (inside)
        picture->MoveLineObject(handle, {inside->x1, inside->y1}, {inside->x2, inside->y2});
    picture->SetLineObjectVisible(handle, inside.has_value());
}

bool ChartWindow::eventFilter(QObject* watched, QEvent* event) {
    if (picture_ && watched == picture_ && event->type() == QEvent::KeyPress) {
        const std::optional<double> from = ReadingX();
        const std::optional<double> to =
            KeyedX(static_cast<const QKeyEvent*>(event)->key(), from.value_or(0));
        if (to && from)
            PickFlow(*to);
        if (to)
            return true;
    }
    const bool press = event->type() == QEvent::MouseButtonPress;
    if (picture_ && watched == picture_ && (press || event->type() == QEvent::MouseMove)) {
        const auto* mouse = static_cast<const QMouseEvent*>(event);
        if (press ? mouse->button() == Qt::LeftButton : mouse->buttons() == Qt::LeftButton)
            PickFlow(picture_->ToUser(mouse->position()).x());
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace nomograms

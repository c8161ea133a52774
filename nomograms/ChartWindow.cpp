#include "nomograms/ChartWindow.h"

#include "core/Catalogue.h"
#include "core/Numbers.h"
#include "shell/Help.h"
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

namespace nomograms {

ChartWindow::ChartWindow(const QString& name, const QString& title, QWidget* parent)
    : QDialog(parent) {
    setObjectName(name);
    setWindowTitle(title);
    widgets::OpenCentred(this, 0.95);
    layout_ = new widgets::LogicalLayout(this, 1024, 768, true);
    auto* help = new QShortcut(QKeySequence::HelpContents, this);
    connect(help, &QShortcut::activated, this, &ChartWindow::OpenHelp);
}

widgets::PictureBox* ChartWindow::AddPicture(const QString& name, const QString& accessibleName) {
    picture_ = new widgets::PictureBox(this);
    picture_->setObjectName(name);
    picture_->setAccessibleName(accessibleName);
    picture_->SetFont(QStringLiteral("Courier New"), true);
    picture_->SetScale(0, 1000, 0, 1000);
    picture_->installEventFilter(this);
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

void ChartWindow::OpenHelp() {
    shell::ShowHelp(this);
}

QString ChartWindow::Shown(double value, const char* pattern) {
    return widgets::Q(kod::FormatPattern(value, pattern, widgets::DecimalSeparator()));
}

bool ChartWindow::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    // Only a mouse event may be read as one: the picture gets every other kind too.
    if (watched == picture_ && picture_ &&
        (type == QEvent::MouseButtonPress || type == QEvent::MouseMove)) {
        const auto* mouse = static_cast<const QMouseEvent*>(event);
        if ((type == QEvent::MouseButtonPress && mouse->button() == Qt::LeftButton) ||
            (type == QEvent::MouseMove && mouse->buttons() == Qt::LeftButton))
            PickFlow(picture_->ToUser(mouse->position()).x());
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace nomograms

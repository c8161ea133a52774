#include "widgets/PictureButton.h"

#include "core/Drawing.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QFile>
#include <QHash>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QScrollBar>
#include <QSvgRenderer>

// Resources of a static library must be registered by name from outside any namespace.
static void InitIconResources() {
    Q_INIT_RESOURCE(icons);
}

namespace widgets {

namespace {

bool IsOperable(const QWidget* w) {
    if (qobject_cast<const QScrollBar*>(w))
        return false;
    return qobject_cast<const QLineEdit*>(w) || qobject_cast<const QAbstractSlider*>(w) ||
           qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QComboBox*>(w) ||
           qobject_cast<const QAbstractItemView*>(w) || qobject_cast<const QAbstractSpinBox*>(w);
}

// A label's caption without its access-key marks: "&Moc" -> "Moc", "A && B" -> "A & B".
QString WithoutAccessKeys(const QString& text) {
    QString plain;
    plain.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool mark = text[i] == QLatin1Char('&') && i + 1 < text.size();
        if (mark && text[i + 1] == QLatin1Char('&'))
            ++i; // "&&" is a literal "&"
        else if (mark)
            continue;
        plain += text[i];
    }
    return plain.trimmed();
}

// A control inside another operable control (a combo box's editor, a table's viewport) is
// part of it and keeps its own name.
bool InsideOperable(const QWidget* w, const QWidget* root) {
    for (const QWidget* p = w->parentWidget(); p && p != root; p = p->parentWidget()) {
        if (IsOperable(p))
            return true;
    }
    return false;
}

} // namespace

PictureButton::PictureButton(const QString& iconName, const QString& toolTip, QWidget* parent)
    : QToolButton(parent) {
    setIcon(ProgramIcon(iconName));
    setIconSize(QSize(32, 32));
    setToolButtonStyle(Qt::ToolButtonIconOnly);
    setToolTip(toolTip);
    setAccessibleName(toolTip);
}

QIcon ProgramIcon(const QString& name) {
    static const bool registered = (InitIconResources(), true);
    (void)registered;
    static QHash<QString, QIcon> cache;
    if (const auto it = cache.constFind(name); it != cache.constEnd())
        return *it;
    const QString path = QStringLiteral(":/icons/%1.svg").arg(name);
    if (name.isEmpty() || !QFile::exists(path))
        return {};
    QSvgRenderer renderer(path);
    if (!renderer.isValid())
        return {};
    // Rendered here rather than through the SVG icon engine, so no plugin is needed.
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        renderer.render(&painter, QRectF(0, 0, size, size));
        painter.end();
        icon.addPixmap(pixmap);
    }
    cache.insert(name, icon);
    return icon;
}

void ApplyAccessibleNames(QWidget* root) {
    if (!root)
        return;
    QHash<const QWidget*, QString> captions;
    for (const QLabel* label : root->findChildren<QLabel*>()) {
        const QString caption = WithoutAccessKeys(label->text());
        if (label->buddy() && !caption.isEmpty() && !captions.contains(label->buddy()))
            captions.insert(label->buddy(), caption);
    }
    QList<QWidget*> controls = root->findChildren<QWidget*>();
    controls.prepend(root);
    for (QWidget* w : controls) {
        if (!IsOperable(w) || !w->accessibleName().isEmpty() || InsideOperable(w, root))
            continue;
        const QString name = captions.value(w, w->toolTip().trimmed());
        if (!name.isEmpty())
            w->setAccessibleName(name);
    }
}

void PaintGradientBackground(QPainter& painter, int width, int height) {
    for (const kod::GradientBand& band : kod::GradientBands(width)) {
        if (band.right > band.left)
            painter.fillRect(band.left, 0, band.right - band.left, height,
                             QColor(band.grey, band.grey, band.grey));
    }
}

} // namespace widgets

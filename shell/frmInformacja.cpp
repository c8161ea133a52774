#include "shell/frmInformacja.h"

#include "shell/Twips.h"
#include "widgets/AccessibleNames.h"
#include "widgets/PictureButton.h"

#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

// Resources of a static library are registered explicitly.
static void InitShellResources() {
    Q_INIT_RESOURCE(shell);
}

QPixmap frmInformacja::Picture(QSize size, qreal devicePixelRatio) {
    InitShellResources();
    QPixmap pixmap(size * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::white);
    QSvgRenderer renderer(QStringLiteral(":/shell/informacja.svg"));
    QPainter painter(&pixmap);
    renderer.render(&painter, QRectF(QPointF(0, 0), size));
    return pixmap;
}

frmInformacja::frmInformacja(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmInformacja"));
    setWindowTitle(QStringLiteral("Informacje o programie"));
    shell::FixClientTwips(this, 6570, 4170);

    Picture1 = new QLabel(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setAccessibleName(QStringLiteral("Dobór wymienników ciepła, wersja 1.0, "
                                               "Skarvel Polska Sp. z o.o."));
    // 315 × 248 pixels are 4725 × 3720 twips at 96 dots per inch.
    shell::PlaceTwips(Picture1, 120, 120, 4725, 3720);
    Picture1->setPixmap(Picture(Picture1->size(), devicePixelRatioF()));

    cmdExit = new widgets::PictureButton(
        QStringLiteral("exit"), QStringLiteral("wyjście z okna \"Informacje o programie\""), this);
    cmdExit->setObjectName(QStringLiteral("cmdExit"));
    shell::PlaceTwips(cmdExit, 5760, 3120, 615, 615);
    cmdExit->setFocus();
    widgets::ApplyAccessibleNames(this);

    connect(cmdExit, &QAbstractButton::clicked, this, &frmInformacja::cmdExit_Click);
}

void frmInformacja::cmdExit_Click() {
    accept();
}

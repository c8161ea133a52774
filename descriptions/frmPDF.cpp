#include "descriptions/frmPDF.h"

#include "core/Catalogue.h"
#include "descriptions/PageRenderer.h"
#include "descriptions/PageView.h"
#include "descriptions/ProductCatalogue.h"
#include "widgets/AccessibleNames.h"
#include "widgets/Environment.h"
#include "widgets/Gradient.h"
#include "widgets/LogicalLayout.h"
#include "widgets/MessageBox.h"
#include "widgets/PictureButton.h"
#include "widgets/ProgramIcon.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QToolBar>

namespace {

const char* const kExitKey = "wyjście";
// Logical scale of the window, y up.
constexpr double kWidth = 1024, kHeight = 768;

} // namespace

frmPDF::frmPDF(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmPDF"));
    setWindowTitle(QStringLiteral("Opisy urządzeń produkowanych przez \"Skarvel\""));
    setModal(true);
    if (const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen())
        setGeometry(screen->availableGeometry());
    setWindowState(windowState() | Qt::WindowMaximized);
    layout_ = new widgets::LogicalLayout(this, kWidth, kHeight, true);

    tbOpisy_ = new QToolBar(QStringLiteral("tbOpisy"), this);
    tbOpisy_->setObjectName(QStringLiteral("tbOpisy"));
    tbOpisy_->setIconSize(QSize(32, 32));
    descriptions::RegisterPictures();
    for (const descriptions::Product& p : descriptions::Products()) {
        if (!*p.picture)
            continue;
        QAction* action =
            tbOpisy_->addAction(widgets::ProgramIcon(widgets::Q(descriptions::IconName(p.picture))),
                                QString::fromUtf8(p.toolTip));
        action->setData(QString::fromUtf8(p.key));
    }
    tbOpisy_->addSeparator();
    QAction* exit = tbOpisy_->addAction(widgets::ProgramIcon(QStringLiteral("exit")),
                                        QStringLiteral("wyjście z wyboru opisu"));
    exit->setData(QString::fromUtf8(kExitKey));
    tbOpisy_->widgetForAction(exit)->setObjectName(QStringLiteral("wyjscie"));
    widgets::MakeToolbarAccessible(tbOpisy_);
    connect(tbOpisy_, &QToolBar::actionTriggered, this,
            [this](QAction* action) { tbOpisy_ButtonClick(action->data().toString()); });
    layout_->Place(tbOpisy_, 10, 763, 1000, 58);

    pdfWentyle_ = new descriptions::PageView(this);
    pdfWentyle_->setObjectName(QStringLiteral("pdfWentyle"));
    pdfWentyle_->setAccessibleName(QStringLiteral("opis urządzenia"));
    layout_->Place(pdfWentyle_, 10, 700, 1000, 680);

    renderer_ = new descriptions::PageRenderer(this);
    connect(renderer_, &descriptions::PageRenderer::Finished, this, &frmPDF::Opened);
}

frmPDF::~frmPDF() = default;

void frmPDF::tbOpisy_ButtonClick(const QString& key) {
    if (key == QString::fromUtf8(kExitKey)) {
        reject();
        return;
    }
    wywolanie_opisu(descriptions::DescriptionFile(widgets::S(key)));
}

void frmPDF::wywolanie_opisu(const std::string& name) {
    const bool testMode = kod::TestMode;
    missingText_ =
        testMode ? QString() : widgets::Q(descriptions::MissingDescriptionText(name, kod::PdfPath));
    const QString path = widgets::Q(descriptions::DescriptionPath(name, testMode, kod::PdfPath));
    if (!QFileInfo(path).isFile()) {
        renderer_->Stop();
        Opened(false, {});
        return;
    }
    const QWidget* view = pdfWentyle_->viewport();
    renderer_->Start(path, static_cast<int>(view->width() * view->devicePixelRatioF()));
}

// Pages replace the shown ones only once they are all rendered, so a failure leaves the view as
// it was.
void frmPDF::Opened(bool opened, const descriptions::RenderedPages& pages) {
    if (opened)
        pdfWentyle_->SetPages(pages);
    else if (!missingText_.isEmpty())
        widgets::ShowMessage(this, missingText_);
    emit DescriptionOpened(opened);
}

void frmPDF::done(int result) {
    renderer_->Stop();
    QDialog::done(result);
}

// The grey gradient of 220 bands across the logical width.
void frmPDF::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.scale(width() / kWidth, height() / kHeight);
    widgets::PaintGradientBackground(painter, static_cast<int>(kWidth), static_cast<int>(kHeight));
}

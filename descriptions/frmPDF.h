#pragma once

#include <QDialog>
#include <string>

class QToolBar;

namespace descriptions {
class PageRenderer;
class PageView;
struct RenderedPages;
} // namespace descriptions
namespace widgets {
class LogicalLayout;
}

// The maker's product descriptions: a toolbar of product buttons over an embedded PDF viewer.
// Full screen and modal; closing it emits finished() and stops a description still loading.
class frmPDF : public QDialog {
    Q_OBJECT
public:
    explicit frmPDF(QWidget* parent = nullptr);
    ~frmPDF() override;

    QToolBar* Toolbar() const { return tbOpisy_; }
    descriptions::PageView* Viewer() const { return pdfWentyle_; }

    // "wyjście" closes the window; any other key opens its product's description.
    void tbOpisy_ButtonClick(const QString& key);

    // Starts opening the description file `name`; DescriptionOpened() tells how it ended. A
    // file that cannot be opened is reported, except in test mode, and the viewer keeps what it
    // showed. A description still loading is abandoned.
    void wywolanie_opisu(const std::string& name);

    void done(int result) override;

signals:
    void DescriptionOpened(bool opened);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Opened(bool opened, const descriptions::RenderedPages& pages);

    widgets::LogicalLayout* layout_ = nullptr;
    QToolBar* tbOpisy_ = nullptr;
    descriptions::PageView* pdfWentyle_ = nullptr;
    descriptions::PageRenderer* renderer_ = nullptr;
    QString missingText_; // the message for the description loading, "" in test mode
};

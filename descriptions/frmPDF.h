#pragma once

#include <QDialog>
#include <string>

class QPdfDocument;
class QPdfView;
class QToolBar;

namespace widgets {
class LogicalLayout;
}

// The maker's product descriptions: a toolbar of product buttons over an embedded PDF viewer.
// Full screen and modal; closing it emits finished().
class frmPDF : public QDialog {
    Q_OBJECT
public:
    explicit frmPDF(QWidget* parent = nullptr);
    ~frmPDF() override;

    QToolBar* Toolbar() const { return tbOpisy_; }
    QPdfView* Viewer() const { return pdfWentyle_; }

    // "wyjście" closes the window; any other key opens its product's description.
    void tbOpisy_ButtonClick(const QString& key);

    // Opens the description file `name` in the viewer. Reports a file that cannot be opened,
    // except in test mode; the viewer then keeps what it showed. True when it was opened.
    bool wywolanie_opisu(const std::string& name);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool Open(const QString& path);

    widgets::LogicalLayout* layout_ = nullptr;
    QToolBar* tbOpisy_ = nullptr;
    QPdfView* pdfWentyle_ = nullptr;
    QPdfDocument* document_ = nullptr; // the shown document, owned by the window
};

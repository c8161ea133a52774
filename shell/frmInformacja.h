#pragma once

#include <QDialog>

class QLabel;

namespace widgets {
class PictureButton;
}

// The information about the program: a picture and a button that closes the window.
class frmInformacja : public QDialog {
    Q_OBJECT
public:
    explicit frmInformacja(QWidget* parent = nullptr);

    // The information picture (drawn for 315 × 248 pixels) rendered at `size`.
    static QPixmap Picture(QSize size, qreal devicePixelRatio = 1.0);

private:
    void cmdExit_Click();

    QLabel* Picture1;
    widgets::PictureButton* cmdExit;
};

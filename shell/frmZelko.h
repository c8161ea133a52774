#pragma once

#include <QDialog>

class QLabel;
class QRadioButton;

namespace widgets {
class PictureButton;
}

// The diagnostics window: its button sets TestMode from the chosen option. The close box leaves
// TestMode as it was.
class frmZelko : public QDialog {
    Q_OBJECT
public:
    explicit frmZelko(QWidget* parent = nullptr);

private:
    void cmdExit_Click();

    QLabel* etKatalog;
    QRadioButton* opTest;
    QRadioButton* opNorma;
    widgets::PictureButton* cmdExit;
};

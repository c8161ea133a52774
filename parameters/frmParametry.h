#pragma once

#include <QDialog>

class QLabel;
class QTableWidget;

namespace widgets {
class PictureButton;
}

// The catalogue's design values as a grid (copied as text or saved as CSV), with their one-page
// printout (or its PDF). Modal from the menu,
// modeless from the toolbar; closing it emits finished().
class frmParametry : public QDialog {
    Q_OBJECT
public:
    explicit frmParametry(QWidget* parent = nullptr);

    QTableWidget* Grid() const { return fgrParametry_; }

    void cmdDruk_Click();
    void cmdExit_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Load();
    void FitGrid();

    QLabel* Label1_ = nullptr;
    QTableWidget* fgrParametry_ = nullptr;
    widgets::PictureButton* cmdDruk_ = nullptr;
    widgets::PictureButton* cmdExit_ = nullptr;
};

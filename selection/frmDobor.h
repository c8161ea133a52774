#pragma once

#include <QDialog>

// The exchanger selection window.
class frmDobor : public QDialog {
    Q_OBJECT
public:
    explicit frmDobor(QWidget* parent = nullptr);
};

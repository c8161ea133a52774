#pragma once

#include "core/Platform.h"

#include <QDialog>
#include <filesystem>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace shell {
class DirectoryList;
}

// Chooses the directory of the PDF product descriptions and stores it in pathpdf.txt. OK stores
// the path of Text1; the close box changes nothing.
class Dialog : public QDialog {
    Q_OBJECT
public:
    Dialog(std::filesystem::path appDir, const kod::DriveSystem& drives, QWidget* parent = nullptr);

private:
    void Form_Load();
    void Drive1_Change();
    void Dir1_Change();
    void OKButton_Click();

    // Index in Drive1 of the drive holding `path` (the longest matching root), or -1.
    int DriveIndexOf(const QString& path) const;
    void SetDriveQuietly(int index);

    std::filesystem::path appDir_;
    QLabel* Label3;
    QPushButton* OKButton;
    QLabel* Label1;
    QComboBox* Drive1;
    QLabel* Label2;
    shell::DirectoryList* Dir1;
    QLabel* Label4;
    QLineEdit* Text1;
    int shownDrive_ = -1; // the drive Drive1 showed before the latest change
};

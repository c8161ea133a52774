#pragma once

#include "core/Platform.h"
#include "widgets/Environment.h"

#include <QMainWindow>
#include <QString>
#include <filesystem>

class QAction;
class QToolBar;

// The main window: the menu bar and the toolbar Pasek open the tool windows one at a time, and
// Pasek is hidden while a tool window is open.
class frmVarmi : public QMainWindow {
    Q_OBJECT
public:
    explicit frmVarmi(std::filesystem::path appDir = widgets::AppDirectory(),
                      const kod::DriveSystem& drives = kod::SystemDrives(),
                      QWidget* parent = nullptr);

    // Start-up of the program, before the window is built: clears TestMode and loads the
    // catalogue and pathpdf.txt from appDir. Without a CD-ROM a new pathpdf.txt names
    // sampleSheets, the data sheets that come with the program, when that directory exists.
    // Returns the Polish message of a failure, else "".
    static QString StartUp(const std::filesystem::path& appDir,
                           const kod::DriveSystem& drives = kod::SystemDrives(),
                           const std::filesystem::path& sampleSheets = {});

    // The toolbar's click handler: dispatches on the button's key, compared exactly.
    void Pasek_ButtonClick(const QString& key);

protected:
    void keyPressEvent(QKeyEvent* event) override; // Form_KeyDown
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateMenus();
    void CreateToolbar();

    void mnuDobor_Click();
    void mnuInfo_Click() { OpenInformation(); }
    void mnuOpisyUrzadzen_Click() { OpenDescriptions(); }
    void mnuUstawienia_Click() { OpenSettings(); }
    void mnuWyjscie_Click() { EndApplication(); }

    // Opens a tool window modal, with Pasek hidden until it is closed.
    template <typename Window> void OpenTool();
    void OpenParametersModeless();
    void OpenInformation();
    void OpenDescriptions();
    void OpenSettings();
    void OpenDiagnostics();
    void EndApplication();

    std::filesystem::path appDir_;
    const kod::DriveSystem& drives_;
    QToolBar* Pasek;
};

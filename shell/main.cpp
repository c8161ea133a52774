#include "core/AppDirectory.h"
#include "core/Platform.h"
#include "shell/ApplicationKeys.h"
#include "shell/QtTranslations.h"
#include "shell/frmVarmi.h"
#include "widgets/Environment.h"
#include "widgets/FocusRing.h"
#include "widgets/MessageBox.h"
#include "widgets/ProgramIcon.h"
#include "widgets/SaveFile.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    kod::IgnoreFileSizeLimitSignal();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("varmi"));
    QApplication::setWindowIcon(widgets::ProgramIcon(QStringLiteral("app")));
    widgets::InstallFontSubstitutions();
    shell::InstallApplicationKeys(app);
    shell::InstallQtTranslations(app);
    widgets::ShowFocusAlways(app);
    widgets::KeepDialogHistoryForTheSession();

    const kod::AppDirectoryChoice where =
        kod::ChooseAppDirectory(widgets::BundleDirectory(), widgets::UserDataDirectory());
    if (!where.error.empty()) {
        widgets::ShowMessage(nullptr, widgets::Q(where.error), widgets::kAppTitle,
                             widgets::MsgIcon::Critical);
        return 1;
    }
    widgets::SetAppDirectory(where.dir);
    const std::filesystem::path appDir = widgets::AppDirectory();
    const std::filesystem::path sheets = widgets::BundleDirectory() / "pdf";
    if (const QString error = frmVarmi::StartUp(appDir, kod::SystemDrives(), sheets);
        !error.isEmpty()) {
        widgets::ShowMessage(nullptr, error, widgets::kAppTitle, widgets::MsgIcon::Critical);
        return 1;
    }
    frmVarmi window(appDir);
    window.showMaximized();
    return QApplication::exec();
}

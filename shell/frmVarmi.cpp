#include "shell/frmVarmi.h"

#include "coefficients/frmWskKT.h"
#include "coefficients/frmwsk.h"
#include "core/Kod.h"
#include "descriptions/frmPDF.h"
#include "nomograms/frmHydra.h"
#include "nomograms/frmQG.h"
#include "parameters/frmParametry.h"
#include "selection/frmDobor.h"
#include "shell/Dialog.h"
#include "shell/frmInformacja.h"
#include "shell/frmZelko.h"
#include "widgets/AccessibleNames.h"
#include "widgets/MessageBox.h"
#include "widgets/ProgramIcon.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QToolBar>
#include <QToolButton>
#include <exception>

namespace {

struct ToolbarButton {
    const char* key;  // what the click handler compares
    const char* name; // objectName: the key in plain letters
    const char* icon;
    const char* toolTip;
};

constexpr ToolbarButton kPasekButtons[] = {
    {"Informacja", "Informacja", "info", "informacje o programie"},
    {"Opisy", "Opisy", "descriptions", "opisy urządzeń produkcji Skarvel"},
    {"Parametry", "Parametry", "parameters", "wartości obliczeniowe do doboru wymienników"},
    {"Hydra", "Hydra", "hydra", "nomogram: opór przepływu - natężenie przepływu"},
    {"Ciepło", "Cieplo", "heat", "nomogram: moc cieplna - natężenia przepływu "},
    {"wskQ", "wskQ", "coefq", "nomogram:współczynniki przenikania - moc cieplna"},
    {"WskKT", "WskKT", "coeft", "współczynniki przenikania - temperatura T12"},
    {"dobór", "dobor", "selection", "dobór wymienników"},
    {"Wyjście", "Wyjscie", "quit", "koniec pracy z programem"},
};

// Hides a toolbar for as long as it lives; it is shown again however the scope is left.
class HiddenWhile {
public:
    explicit HiddenWhile(QToolBar* toolbar) : toolbar_(toolbar) { toolbar_->hide(); }
    ~HiddenWhile() { toolbar_->show(); }
    HiddenWhile(const HiddenWhile&) = delete;
    HiddenWhile& operator=(const HiddenWhile&) = delete;

private:
    QToolBar* toolbar_;
};

// The drives as they are, with the sample data sheets in place of the fallback root.
class SampleSheetsFallback : public kod::DriveSystem {
public:
    SampleSheetsFallback(const kod::DriveSystem& drives, std::string sheets)
        : drives_(drives), sheets_(std::move(sheets)) {}
    std::vector<kod::Drive> Drives() const override { return drives_.Drives(); }
    std::string FallbackRoot() const override {
        return sheets_.empty() ? drives_.FallbackRoot() : sheets_;
    }

private:
    const kod::DriveSystem& drives_;
    std::string sheets_;
};

QAction* NamedAction(QAction* action, const char* name) {
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

} // namespace

QString frmVarmi::StartUp(const std::filesystem::path& appDir, const kod::DriveSystem& drives,
                          const std::filesystem::path& sampleSheets) {
    kod::TestMode = false;
    std::error_code ec;
    std::string sheets;
    if (!sampleSheets.empty() && std::filesystem::is_directory(sampleSheets, ec))
        sheets = kod::WithTrailingSeparator(sampleSheets.string());
    try {
        kod::LoadParameters(
            appDir, SampleSheetsFallback(drives, kod::IsStorablePath(sheets) ? sheets : ""));
    } catch (const kod::LoadError& error) {
        return QString::fromUtf8(error.what());
    } catch (const std::exception&) {
        return QStringLiteral("Nie można wczytać danych programu z katalogu %1. Program zostanie "
                              "zakończony.")
            .arg(QString::fromStdU16String(appDir.u16string()));
    }
    return {};
}

frmVarmi::frmVarmi(std::filesystem::path appDir, const kod::DriveSystem& drives, QWidget* parent)
    : QMainWindow(parent), appDir_(std::move(appDir)), drives_(drives) {
    setObjectName(QStringLiteral("frmVarmi"));
    setWindowTitle(QStringLiteral("Skarvel - Dobór wymienników ciepła"));
    setWindowIcon(widgets::ProgramIcon(QStringLiteral("app")));

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    QPalette grey = client->palette();
    grey.setColor(QPalette::Window, QColor(128, 128, 128));
    client->setPalette(grey);
    client->setAutoFillBackground(true);
    client->setFocusPolicy(Qt::StrongFocus);
    setCentralWidget(client);

    CreateMenus();
    CreateToolbar();
    // The toolbar's visibility belongs to the program, not to a context menu.
    setContextMenuPolicy(Qt::NoContextMenu);

    if (const QScreen* screen = this->screen())
        setGeometry(screen->availableGeometry());
    client->setFocus();
    widgets::ApplyAccessibleNames(this);
}

void frmVarmi::CreateMenus() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("menu"));

    auto* dobor = NamedAction(bar->addAction(QStringLiteral("Dobór")), "mnuDobor");
    connect(dobor, &QAction::triggered, this, &frmVarmi::mnuDobor_Click);

    QMenu* wykresy = bar->addMenu(QStringLiteral("Wykresy"));
    wykresy->setObjectName(QStringLiteral("mnuWykresy"));
    NamedAction(wykresy->menuAction(), "mnuWykresy");
    auto* hydra =
        NamedAction(wykresy->addAction(QStringLiteral("Wykresy &hydrauliczne")), "mnuHydra");
    connect(hydra, &QAction::triggered, this, &frmVarmi::OpenTool<frmHydra>);
    auto* cieplo = NamedAction(wykresy->addAction(QStringLiteral("Wykresy &cieplne")), "mnuCieplo");
    connect(cieplo, &QAction::triggered, this, &frmVarmi::OpenTool<frmQG>);
    auto* wskKT = NamedAction(
        wykresy->addAction(QStringLiteral("Wykresy wskaźników od temperatury T12")), "mnuWskKT");
    connect(wskKT, &QAction::triggered, this, &frmVarmi::OpenTool<frmWskKT>);
    auto* wsk = NamedAction(
        wykresy->addAction(QStringLiteral("Wykresy &wskaźników od mocy cieplnej")), "mnuWsk");
    connect(wsk, &QAction::triggered, this, &frmVarmi::OpenTool<frmwsk>);

    QMenu* opisy = bar->addMenu(QStringLiteral("&Informacja "));
    opisy->setObjectName(QStringLiteral("mnuOpisy"));
    NamedAction(opisy->menuAction(), "mnuOpisy");
    auto* info = NamedAction(opisy->addAction(QStringLiteral("Informacja o programie")), "mnuInfo");
    connect(info, &QAction::triggered, this, &frmVarmi::mnuInfo_Click);
    auto* opisyUrzadzen =
        NamedAction(opisy->addAction(QStringLiteral("Opisy urządzań")), "mnuOpisyUrzadzen");
    connect(opisyUrzadzen, &QAction::triggered, this, &frmVarmi::mnuOpisyUrzadzen_Click);

    auto* parametry = NamedAction(bar->addAction(QStringLiteral("&Parametry")), "mnuParametry");
    connect(parametry, &QAction::triggered, this, &frmVarmi::OpenTool<frmParametry>);

    auto* ustawienia = NamedAction(bar->addAction(QStringLiteral("&Ustawienia")), "mnuUstawienia");
    connect(ustawienia, &QAction::triggered, this, &frmVarmi::mnuUstawienia_Click);

    auto* wyjscie = NamedAction(bar->addAction(QStringLiteral("&Wyjście")), "mnuWyjscie");
    connect(wyjscie, &QAction::triggered, this, &frmVarmi::mnuWyjscie_Click);
}

void frmVarmi::CreateToolbar() {
    Pasek = addToolBar(QStringLiteral("Pasek"));
    Pasek->setObjectName(QStringLiteral("Pasek"));
    Pasek->setMovable(false);
    Pasek->setFloatable(false);
    Pasek->toggleViewAction()->setEnabled(false);
    Pasek->setIconSize(QSize(32, 32));
    for (const ToolbarButton& button : kPasekButtons) {
        const QString key = QString::fromUtf8(button.key);
        QAction* action =
            Pasek->addAction(widgets::ProgramIcon(QString::fromLatin1(button.icon)), key);
        action->setObjectName(QString::fromLatin1(button.name));
        action->setData(key);
        action->setToolTip(QString::fromUtf8(button.toolTip));
        if (QWidget* widget = Pasek->widgetForAction(action))
            widget->setObjectName(QString::fromLatin1(button.name));
        connect(action, &QAction::triggered, this,
                [this, action] { Pasek_ButtonClick(action->data().toString()); });
    }
    widgets::MakeToolbarAccessible(Pasek);
}

void frmVarmi::Pasek_ButtonClick(const QString& key) {
    if (key == QStringLiteral("Informacja"))
        OpenInformation();
    else if (key == QStringLiteral("Opisy"))
        OpenDescriptions();
    else if (key == QStringLiteral("Parametry"))
        OpenParametersModeless();
    else if (key == QStringLiteral("Hydra"))
        OpenTool<frmHydra>();
    else if (key == QStringLiteral("Ciepło"))
        OpenTool<frmQG>();
    else if (key == QStringLiteral("wskQ"))
        OpenTool<frmwsk>();
    else if (key == QStringLiteral("WskKT"))
        OpenTool<frmWskKT>();
    else if (key == QStringLiteral("dobór"))
        OpenTool<frmDobor>();
    else if (key == QStringLiteral("Wyjście"))
        EndApplication();
}

void frmVarmi::mnuDobor_Click() {
    OpenTool<frmDobor>();
}

// A tool window shows Pasek again when it is closed.
template <typename Window> void frmVarmi::OpenTool() {
    HiddenWhile hidden(Pasek);
    auto* window = new Window(this);
    window->setAttribute(Qt::WA_DeleteOnClose);
    connect(window, &QDialog::finished, Pasek, &QWidget::show);
    window->exec();
}

// From the toolbar the parameter table leaves the menu usable; Pasek comes back when it closes.
void frmVarmi::OpenParametersModeless() {
    Pasek->hide();
    auto* window = new frmParametry(this);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setModal(false);
    connect(window, &QDialog::finished, Pasek, &QWidget::show);
    window->show();
}

void frmVarmi::OpenInformation() {
    HiddenWhile hidden(Pasek);
    frmInformacja window(this);
    window.exec();
}

void frmVarmi::OpenDescriptions() {
    HiddenWhile hidden(Pasek);
    const QString text =
        QStringLiteral("oglądanie opisu urządzeń produkowanych przez 'Skarvel'\r\n"
                       "wymaga obecności w napędzie dysku CD z plikami .pdf \r\n"
                       "lub podania w menu: <<Ustawienia>> ścieżki do katalogu z tymi plikami."
                       "\r\n Aktualna ścieżka do plików .pdf to: ") +
        widgets::Q(kod::PdfPath) +
        QStringLiteral("\r\nJeżeli chcesz przejść do przeglądania opisów naciśnij przycisk "
                       "'TAK', jeśli nie przycisk 'NIE'");
    if (widgets::AskYesNo(this, text, QStringLiteral("Oglądanie opisów urządzeń"))) {
        frmPDF viewer(this);
        viewer.exec();
    }
}

void frmVarmi::OpenSettings() {
    HiddenWhile hidden(Pasek);
    Dialog window(appDir_, drives_, this);
    window.exec();
}

void frmVarmi::OpenDiagnostics() {
    frmZelko window(this);
    window.exec();
}

// Ends the program at once; windows still open go with it.
void frmVarmi::EndApplication() {
    QCoreApplication::exit(0);
}

void frmVarmi::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers mods = event->modifiers();
    if (event->key() == Qt::Key_J && mods.testFlag(Qt::ShiftModifier) &&
        mods.testFlag(Qt::AltModifier)) {
        OpenDiagnostics();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void frmVarmi::closeEvent(QCloseEvent* event) {
    event->accept();
    EndApplication();
}

#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <stdexcept>

class QWidget;

namespace widgets {

// A kind of file the user saves: the dialog's title, its filter and the suffix added to a name
// typed without one.
struct FileKind {
    const char* caption;
    const char* filter;
    const char* suffix;
};
inline constexpr FileKind kPdfFile{"Zapisz wydruk jako PDF", "Dokument PDF (*.pdf)", "pdf"};
inline constexpr FileKind kPngFile{"Zapisz wykres jako PNG", "Obraz PNG (*.png)", "png"};
inline constexpr FileKind kSvgFile{"Zapisz wykres jako SVG", "Rysunek SVG (*.svg)", "svg"};
inline constexpr FileKind kCsvFile{"Zapisz jako CSV", "Plik CSV (*.csv)", "csv"};
inline constexpr FileKind kCaseFile{"Zapisz dane", "Tabela danych (*.csv *.txt)", "csv"};
inline constexpr FileKind kOpenCaseFile{"Otwórz dane",
                                        "Tabela danych (*.csv *.txt);;Wszystkie pliki (*)", "csv"};

// What the save dialog is asked: its title and filter, and the proposed path (the folder chosen
// last in this session with the proposed name).
struct SaveRequest {
    QString caption;
    QString filter;
    QString proposedPath;
};
// Tests choose the file instead of the dialog: the handler returns the path, empty for Cancel.
using SaveFileHandler = std::function<QString(const SaveRequest&)>;
void SetSaveFileHandler(SaveFileHandler handler); // empty: the real dialog

// The same for the open dialog: the handler returns the chosen file, empty for Cancel.
void SetOpenFileHandler(SaveFileHandler handler); // empty: the real dialog
// Asks which existing file of this kind to open, in the folder chosen last. Empty on Cancel.
QString ChooseOpenFile(QWidget* parent, const FileKind& kind);

// Qt's file dialog keeps its own history through QSettings, in a file of the user's
// configuration. The program keeps no settings, so from this call on that history goes to a
// folder removed when the program ends. Called once at start-up.
void KeepDialogHistoryForTheSession();

// Asks where to save a file of this kind, proposing `fileName` in the folder chosen last (the
// folder is remembered for the session only; the program keeps no settings). A name without a
// suffix gets the kind's. Empty when the user cancels.
QString ChooseSaveFile(QWidget* parent, const FileKind& kind, const QString& fileName);

// A file that could not be written; the text is the reason.
class SaveError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Writes the file whole or not at all. Empty `bytes` mean the content could not be prepared. On
// any failure the former file stays as it was and SaveError names the cause (a full disk, no
// permission, a folder of that name).
void SaveWhole(const QString& path, const QByteArray& bytes);

// "Nie można zapisać pliku „…”." with the reason on the line below.
void ShowSaveError(QWidget* parent, const QString& path, const QString& reason);

// The road of every export: the file is chosen, written by `write` (which may throw), and a
// failure is reported. Nothing happens when the user cancels.
void ExportToFile(QWidget* parent, const FileKind& kind, const QString& fileName,
                  const std::function<void(const QString& path)>& write);

} // namespace widgets

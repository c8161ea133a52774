#pragma once

#include <QLocale>
#include <QString>
#include <filesystem>

namespace widgets {

// The application directory, where parametr.txt, pathpdf.txt and raport.txt live: the one chosen
// at start-up (or by a test), else the executable's directory.
std::filesystem::path AppDirectory();
void SetAppDirectory(const std::filesystem::path& dir); // empty path: back to the executable's

// The directory of the executable, which holds the files the program comes with (the bundled
// catalogue, the help page, the sample data sheets).
std::filesystem::path BundleDirectory();
// The user's own directory for the program's files when the executable's cannot be used.
std::filesystem::path UserDataDirectory();

// The user's locale: QLocale::system() unless a test set another one.
QLocale UserLocale();
void SetUserLocale(const QLocale& locale);

// The decimal separator of the user's locale, as one character.
char DecimalSeparator();

// A number in a display pattern ("#0.00"), with the user's decimal separator.
QString Formatted(double value, const char* pattern);

// UTF-8 std::string <-> QString.
QString Q(const std::string& utf8);
std::string S(const QString& text);

// Maps the Windows font names the reports use to installed metric-compatible fonts.
void InstallFontSubstitutions();

} // namespace widgets

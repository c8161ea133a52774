#pragma once

#include <QLocale>
#include <QString>
#include <filesystem>

namespace widgets {

// The application directory: the executable's directory unless a test set another one.
std::filesystem::path AppDirectory();
void SetAppDirectory(const std::filesystem::path& dir); // empty path: back to the executable's

// The user's locale: QLocale::system() unless a test set another one.
QLocale UserLocale();
void SetUserLocale(const QLocale& locale);

// The decimal separator of the user's locale, as one character.
char DecimalSeparator();

// UTF-8 std::string <-> QString.
QString Q(const std::string& utf8);
std::string S(const QString& text);

// Maps the Windows font names the reports use to installed metric-compatible fonts.
void InstallFontSubstitutions();

} // namespace widgets

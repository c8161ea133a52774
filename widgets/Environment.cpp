#include "widgets/Environment.h"

#include "core/Numbers.h"

#include <QCoreApplication>
#include <QFont>
#include <QStandardPaths>
#include <optional>

namespace widgets {

namespace {
std::filesystem::path& AppDirOverride() {
    static std::filesystem::path dir;
    return dir;
}
std::optional<QLocale>& LocaleOverride() {
    static std::optional<QLocale> locale;
    return locale;
}
} // namespace

std::filesystem::path AppDirectory() {
    if (!AppDirOverride().empty())
        return AppDirOverride();
    return BundleDirectory();
}

std::filesystem::path BundleDirectory() {
    return std::filesystem::path(QCoreApplication::applicationDirPath().toStdU16String());
}

std::filesystem::path UserDataDirectory() {
    return std::filesystem::path(
        QStandardPaths::writableLocation(QStandardPaths::AppDataLocation).toStdU16String());
}

void SetAppDirectory(const std::filesystem::path& dir) {
    AppDirOverride() = dir;
}

QLocale UserLocale() {
    return LocaleOverride() ? *LocaleOverride() : QLocale::system();
}

void SetUserLocale(const QLocale& locale) {
    LocaleOverride() = locale;
}

char DecimalSeparator() {
    const QString point = UserLocale().decimalPoint();
    if (point.isEmpty())
        return '.';
    const char c = point.at(0).toLatin1();
    return c == 0 ? '.' : c;
}

QString Q(const std::string& utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string S(const QString& text) {
    return text.toStdString();
}

void InstallFontSubstitutions() {
    const char* const serif = "Liberation Serif";
    const char* const mono = "Liberation Mono";
    const char* const sans = "Liberation Sans";
    QFont::insertSubstitution("Times New Roman CE", serif);
    QFont::insertSubstitution("Times New Roman", serif);
    QFont::insertSubstitution("Courier", mono);
    QFont::insertSubstitution("Courier New", mono);
    QFont::insertSubstitution("MS Sans Serif", sans);
    QFont::insertSubstitution("Arial", sans);
}

QString Formatted(double value, const char* pattern) {
    return Q(kod::FormatPattern(value, pattern, DecimalSeparator()));
}

} // namespace widgets

#include "shell/QtTranslations.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace shell {

bool InstallQtTranslations(QApplication& app) {
    auto* translator = new QTranslator(&app);
    // "qt" gathers the translations of every Qt module.
    if (!translator->load(QLocale(QLocale::Polish, QLocale::Poland), QStringLiteral("qt"),
                          QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

} // namespace shell

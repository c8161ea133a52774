// Writes the sample data sheet of every catalogue product into one directory, so that the
// description viewer can be tried without the maker's files.
#include "descriptions/ProductCatalogue.h"
#include "descriptions/sheets/DataSheet.h"

#include <QDir>
#include <QGuiApplication>
#include <cstdio>

int main(int argc, char* argv[]) {
    // No window is ever shown: fonts and painting need no display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <directory>\n", argv[0]);
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    if (!dir.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 1;
    }
    int failed = 0;
    for (const descriptions::Product& product : descriptions::Products()) {
        const QString path = dir.filePath(QString::fromUtf8(product.file));
        if (!descriptions::WriteDataSheet(product, path)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            ++failed;
        }
    }
    return failed == 0 ? 0 : 1;
}

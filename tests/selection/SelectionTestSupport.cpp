#include "SelectionTestSupport.h"

#include "core/Catalogue.h"
#include "core/Cp1250.h"
#include "widgets/Environment.h"

#include <QFile>
#include <QTest>
#include <QWidget>

namespace selectiontest {

AppDir::AppDir() {
    // VARMI_CATALOGUE in the environment tries another catalogue.
    const QString catalogue =
        qEnvironmentVariable("VARMI_CATALOGUE", QStringLiteral(VARMI_CATALOGUE));
    if (!dir_.isValid() || !QFile::copy(catalogue, File("parametr.txt")))
        return;
    QFile pdfPath(File("pathpdf.txt"));
    if (!pdfPath.open(QIODevice::WriteOnly) || pdfPath.write("\"/tmp/\"\r\n") < 0)
        return;
    pdfPath.close();
    widgets::SetAppDirectory(dir_.path().toStdString());
    try {
        kod::LoadParameters(dir_.path().toStdString());
        ok_ = true;
    } catch (const kod::LoadError&) {
    }
}

AppDir::~AppDir() {
    widgets::SetAppDirectory({});
}

Messages::Messages() {
    widgets::SetMessageHandler([this](const widgets::MessageRecord& r) {
        texts << r.text;
        titles << r.title;
        if (during)
            during();
        return true;
    });
}

Messages::~Messages() {
    widgets::SetMessageHandler({});
}

bool ShowActive(QWidget* window) {
    window->show();
    window->activateWindow();
    return QTest::qWaitForWindowActive(window);
}

QStringList ReadLog(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    const QString text = QString::fromStdString(kod::FromCp1250(bytes.toStdString()));
    QStringList lines = text.split(QStringLiteral("\r\n"));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

} // namespace selectiontest

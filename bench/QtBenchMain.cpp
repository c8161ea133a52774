// The main of the benchmarks that need widgets: a QApplication on the offscreen platform, with
// the program's font substitutions.
#include "widgets/Environment.h"

#include <QApplication>
#include <benchmark/benchmark.h>

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The offscreen platform's remark on every window shown is noise here.
    static const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext& context, const QString& text) {
            if (!text.contains(QStringLiteral("propagateSizeHints")) && previous)
                previous(type, context, text);
        });
    QApplication app(argc, argv);
    widgets::InstallFontSubstitutions();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

// Timings of the windows that show data without computing: the description viewer opening a
// generated data sheet, and the parameter table window. Run on the offscreen platform.
#include "core/Catalogue.h"
#include "descriptions/PageView.h"
#include "descriptions/ProductCatalogue.h"
#include "descriptions/frmPDF.h"
#include "descriptions/sheets/DataSheet.h"
#include "parameters/frmParametry.h"
#include "widgets/Environment.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPdfDocument>
#include <QTemporaryDir>
#include <QWindow>

namespace {

class NoDrives : public kod::DriveSystem {
public:
    std::vector<kod::Drive> Drives() const override { return {}; }
    std::string FallbackRoot() const override { return "/"; }
};

QTemporaryDir& Scratch() {
    static QTemporaryDir dir;
    return dir;
}

// The generated two-page sheet of the ORV exchangers, in a scratch PDF directory.
bool WriteOrvSheet() {
    for (const descriptions::Product& p : descriptions::Products()) {
        if (std::string_view(p.key) == "orv") {
            kod::PdfPath = Scratch().path().toStdString() + "/";
            kod::TestMode = false;
            return descriptions::WriteDataSheet(p, Scratch().filePath(QString::fromUtf8(p.file)));
        }
    }
    return false;
}

// From the file to the first page's image: load and render at the size the viewer shows it, a
// page fitted to the viewer's width on a screen 1024 or 1920 pixels wide.
void BM_LoadAndRenderFirstPage(benchmark::State& state) {
    if (!WriteOrvSheet()) {
        state.SkipWithError("cannot write the sheet");
        return;
    }
    const QString path = Scratch().filePath(QStringLiteral("Orv.pdf"));
    const int width = static_cast<int>(state.range(0));
    const QSize shown(width, static_cast<int>(width * 297.0 / 210)); // A4
    for (auto _ : state) {
        QPdfDocument document;
        if (document.load(path) != QPdfDocument::Error::None) {
            state.SkipWithError("cannot load the sheet");
            return;
        }
        benchmark::DoNotOptimize(document.render(0, shown));
    }
}
BENCHMARK(BM_LoadAndRenderFirstPage)->Arg(962)->Arg(1848)->Unit(benchmark::kMillisecond);

// A product button's work in the open viewer: the helper loads and renders the sheet, and the
// view paints its pages.
void BM_ViewerShowsFirstPage(benchmark::State& state) {
    if (!WriteOrvSheet()) {
        state.SkipWithError("cannot write the sheet");
        return;
    }
    frmPDF window;
    window.show();
    for (int i = 0; i < 100 && !window.windowHandle()->isExposed(); ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    if (!window.windowHandle()->isExposed()) {
        state.SkipWithError("the window does not show");
        return;
    }
    bool opened = false, done = false;
    QObject::connect(&window, &frmPDF::DescriptionOpened, [&](bool ok) {
        opened = ok;
        done = true;
    });
    for (auto _ : state) {
        done = false;
        window.wywolanie_opisu("Orv.pdf");
        while (!done)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        if (!opened) {
            state.SkipWithError("cannot open the sheet");
            return;
        }
        window.Viewer()->viewport()->repaint();
    }
}
BENCHMARK(BM_ViewerShowsFirstPage)->Unit(benchmark::kMillisecond);

// Opening the parameter table on the bundled catalogue: the window built, shown and painted.
void BM_OpenParameterTable(benchmark::State& state) {
    const std::filesystem::path dir = Scratch().path().toStdString();
    std::filesystem::copy_file(VARMI_CATALOGUE, dir / "parametr.txt",
                               std::filesystem::copy_options::overwrite_existing);
    kod::LoadParameters(dir, NoDrives());
    for (auto _ : state) {
        auto window = std::make_unique<frmParametry>();
        window->show();
        benchmark::DoNotOptimize(window->grab());
        state.PauseTiming();
        window.reset();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenParameterTable)->Unit(benchmark::kMillisecond);

} // namespace

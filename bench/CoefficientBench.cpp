// Timings of the coefficient chart against heat output (frmwsk) on the bundled catalogue at the
// window's default point: the 801 evaluations and the painting into the picture box.
#include "coefficients/CoefficientChart.h"
#include "coefficients/frmwsk.h"
#include "core/Catalogue.h"
#include "widgets/MessageBox.h"
#include "widgets/PictureBox.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

// Loads a copy of the bundled catalogue as the program does at start-up.
bool LoadBundledCatalogue() {
    static QTemporaryDir dir;
    const QString copy = dir.filePath(QStringLiteral("parametr.txt"));
    QFile::remove(copy);
    if (!QFile::copy(QStringLiteral(VARMI_CATALOGUE), copy) ||
        !kod::WritePdfPathFile(dir.path().toStdString(), "/tmp/"))
        return false;
    kod::LoadParameters(dir.path().toStdString());
    return true;
}

// Any message box means the chart was not drawn.
void FailOnMessage(benchmark::State& state) {
    widgets::SetMessageHandler([&state](const widgets::MessageRecord&) {
        state.SkipWithError("a message box was shown");
        return true;
    });
}

// DrawChart as cmdLicz runs it: 801 evaluations, then bands, axes and curves into picWsk.
void BM_frmwskDrawChart(benchmark::State& state) {
    if (!LoadBundledCatalogue())
        return state.SkipWithError("catalogue not loaded");
    FailOnMessage(state);
    frmwsk window;
    window.show();
    for (auto _ : state) {
        window.ClearChart();
        window.DrawChart();
    }
    state.counters["operations"] = static_cast<double>(window.Picture()->Operations().size());
}
BENCHMARK(BM_frmwskDrawChart)->Unit(benchmark::kMillisecond);

// The computation alone: the samples, bands, axis and curve pieces.
void BM_ComputeChart(benchmark::State& state) {
    if (!LoadBundledCatalogue())
        return state.SkipWithError("catalogue not loaded");
    const panel::OperatingPoint point{.HeatingInlet = 150,
                                      .HeatingOutlet = 95,
                                      .HeatedInlet = 75,
                                      .HeatedOutlet = 100,
                                      .AllowedDropHeating = 10,
                                      .AllowedDropHeated = 30,
                                      .CentralHeating = false};
    const coefficients::Evaluator evaluate =
        coefficients::ExchangerEvaluator(2, point, coefficients::Swept::HeatOutput);
    for (auto _ : state)
        benchmark::DoNotOptimize(
            coefficients::ComputeChart(coefficients::kHeatOutputSweep, evaluate));
}
BENCHMARK(BM_ComputeChart)->Unit(benchmark::kMillisecond);

// DrawChart followed by one paint of the picture box into an image of its on-screen size.
void BM_frmwskDrawChartAndPaint(benchmark::State& state) {
    if (!LoadBundledCatalogue())
        return state.SkipWithError("catalogue not loaded");
    FailOnMessage(state);
    frmwsk window;
    window.show();
    widgets::PictureBox* picture = window.Picture();
    QImage image(picture->size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        window.ClearChart();
        window.DrawChart();
        QPainter painter(&image);
        picture->render(&painter);
    }
    state.counters["width"] = picture->width();
    state.counters["height"] = picture->height();
}
BENCHMARK(BM_frmwskDrawChartAndPaint)->Unit(benchmark::kMillisecond);

// The whole opening: layout, panel and the chart drawn at once.
void BM_frmwskOpening(benchmark::State& state) {
    if (!LoadBundledCatalogue())
        return state.SkipWithError("catalogue not loaded");
    FailOnMessage(state);
    for (auto _ : state) {
        frmwsk window;
        benchmark::DoNotOptimize(window.Picture()->Operations().size());
    }
}
BENCHMARK(BM_frmwskOpening)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

// Timings of the coefficient chart against heat output (frmwsk) on the bundled catalogue at the
// window's default point: the 801 evaluations and the painting into the picture box.
#include "coefficients/CoefficientChart.h"
#include "coefficients/frmwsk.h"
#include "core/Catalogue.h"
#include "panel/OperatingPointPanel.h"
#include "widgets/MessageBox.h"
#include "widgets/PictureBox.h"

#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

// Loads a copy of the bundled catalogue as the program does at start-up, and fails the benchmark
// on any message box: the chart was then not drawn.
bool Ready(benchmark::State& state) {
    static QTemporaryDir dir;
    const QString copy = dir.filePath(QStringLiteral("parametr.txt"));
    QFile::remove(copy);
    if (!QFile::copy(QStringLiteral(VARMI_CATALOGUE), copy) ||
        kod::WritePdfPathFile(dir.path().toStdString(), "/tmp/") != kod::PdfPathWrite::Written) {
        state.SkipWithError("catalogue not copied");
        return false;
    }
    kod::LoadParameters(dir.path().toStdString());
    widgets::SetMessageHandler([&state](const widgets::MessageRecord&) {
        state.SkipWithError("a message box was shown");
        return true;
    });
    return true;
}

// DrawChart as cmdLicz runs it: 801 evaluations, then the bands, axes and curves into picWsk;
// with paint:1 the picture box is also painted once into an image of its on-screen size.
void BM_frmwskDrawChart(benchmark::State& state) {
    if (!Ready(state))
        return;
    const bool paint = state.range(0) != 0;
    frmwsk window;
    window.show();
    widgets::PictureBox* picture = window.Picture();
    QImage image(picture->size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        window.ClearChart();
        window.DrawChart();
        if (paint) {
            QPainter painter(&image);
            picture->render(&painter);
        }
    }
    state.counters["operations"] = static_cast<double>(picture->Operations().size());
    state.counters["width"] = picture->width();
}
BENCHMARK(BM_frmwskDrawChart)->ArgName("paint")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The computation alone: the samples, bands, axis and curve pieces.
void BM_ComputeChart(benchmark::State& state) {
    if (!Ready(state))
        return;
    const frmwsk window;
    const coefficients::Evaluator evaluate = coefficients::ExchangerEvaluator(
        window.Models()->currentIndex(), window.Panel()->Values(), coefficients::Swept::HeatOutput);
    for (auto _ : state)
        benchmark::DoNotOptimize(
            coefficients::ComputeChart(coefficients::kHeatOutputSweep, evaluate));
}
BENCHMARK(BM_ComputeChart)->Unit(benchmark::kMillisecond);

// The whole opening: layout, panel and the chart drawn at once.
void BM_frmwskOpening(benchmark::State& state) {
    if (!Ready(state))
        return;
    for (auto _ : state) {
        frmwsk window;
        benchmark::DoNotOptimize(window.Picture()->Operations().size());
    }
}
BENCHMARK(BM_frmwskOpening)->Unit(benchmark::kMillisecond);

} // namespace

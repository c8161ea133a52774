// Timings of the two nomogram windows on the offscreen platform, on the bundled catalogue: the
// thermal output chart drawn in one click, and one drag event on the hydraulic chart.
#include "core/Kod.h"
#include "nomograms/frmHydra.h"
#include "nomograms/frmQG.h"
#include "panel/OperatingPointPanel.h"
#include "widgets/PictureBox.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QRadioButton>
#include <QWindow>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>

namespace {

namespace fs = std::filesystem;
using panel::Field;

class NoDrives : public kod::DriveSystem {
public:
    std::vector<kod::Drive> Drives() const override { return {}; }
    std::string FallbackRoot() const override { return "/"; }
};

void LoadBundledCatalogue() {
    static const fs::path dir = [] {
        std::string pattern = (fs::temp_directory_path() / "varmi-nomogram-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("mkdtemp failed");
        return fs::path(pattern);
    }();
    fs::copy_file(VARMI_CATALOGUE, dir / "parametr.txt", fs::copy_options::overwrite_existing);
    kod::LoadParameters(dir, NoDrives());
}

// Shows a window and waits until it can be painted.
void ShowExposed(QWidget& window) {
    window.show();
    while (!window.windowHandle() || !window.windowHandle()->isExposed())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

void Enter(QLineEdit* box, const QString& text) {
    box->setFocus();
    box->setText(text);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(box, &press);
}

// The operating point typed into the panel as a user would (T11 first: the others follow it).
struct Point {
    int model;
    bool centralHeating;
    int T11, T21, T22, Dp1, Dp2;
};

// The window's default: orv2.14, "c.o.", T11 150, T21 40, T22 100, Dp1 20, Dp2 15.
const Point kDefault{0, true, 150, 40, 100, 20, 15};
// The slowest found over the panel's limits (every model and purpose, T11 100..210, T21 1..30,
// T22 across its range, Dp1 1..100, Dp2 1..40): orv1.22, "c.w.", T11 210, T21 1, T22 205,
// Dp1 20, Dp2 40. No flow has an installation, so every one of the 161 searches runs all
// 4 × 195 trials of T12 from 6 to 200, and the chart is one black band.
const Point kWorst{1, false, 210, 1, 205, 20, 40};

void DrawThermalChart(benchmark::State& state, const Point& p, bool repaint) {
    LoadBundledCatalogue();
    frmQG window;
    ShowExposed(window);
    panel::OperatingPointPanel* panel = window.Panel();
    Enter(panel->Box(Field::T11), QString::number(p.T11));
    Enter(panel->Box(Field::T21), QString::number(p.T21));
    Enter(panel->Box(Field::T22), QString::number(p.T22));
    Enter(panel->Box(Field::Dp1), QString::number(p.Dp1));
    Enter(panel->Box(Field::Dp2), QString::number(p.Dp2));
    (p.centralHeating ? panel->CentralHeatingOption() : panel->HotWaterOption())->setChecked(true);
    window.findChild<QComboBox*>(QStringLiteral("cmbWymienniki"))->setCurrentIndex(p.model);
    for (auto _ : state) {
        window.DrawChart();
        if (repaint)
            window.Picture()->repaint();
    }
    state.counters["operations"] = static_cast<double>(window.Picture()->Operations().size());
}

void BM_DrawChartDefault(benchmark::State& state) {
    DrawThermalChart(state, kDefault, false);
}
void BM_DrawChartDefaultAndPaint(benchmark::State& state) {
    DrawThermalChart(state, kDefault, true);
}
void BM_DrawChartWorst(benchmark::State& state) {
    DrawThermalChart(state, kWorst, false);
}
void BM_DrawChartWorstAndPaint(benchmark::State& state) {
    DrawThermalChart(state, kWorst, true);
}
BENCHMARK(BM_DrawChartDefault)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DrawChartDefaultAndPaint)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DrawChartWorst)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DrawChartWorstAndPaint)->Unit(benchmark::kMillisecond);

// One mouse move with the left button held over the hydraulic chart: the reading on the segment
// and the two reading lines moved (PickFlow), with or without the picture painted at once.
void DragHydraulicChart(benchmark::State& state, bool repaint) {
    LoadBundledCatalogue();
    frmHydra window;
    ShowExposed(window);
    widgets::PictureBox* picture = window.Picture();
    double x = 150;
    for (auto _ : state) {
        x = x < 850 ? x + 7 : 150;
        const QPointF at = picture->ToPixel({x, 500});
        QMouseEvent move(QEvent::MouseMove, at, picture->mapToGlobal(at), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(picture, &move);
        if (repaint)
            picture->repaint();
    }
    benchmark::DoNotOptimize(window.Gw());
}

void BM_HydraulicDrag(benchmark::State& state) {
    DragHydraulicChart(state, false);
}
void BM_HydraulicDragAndPaint(benchmark::State& state) {
    DragHydraulicChart(state, true);
}
BENCHMARK(BM_HydraulicDrag)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_HydraulicDragAndPaint)->Unit(benchmark::kMicrosecond);

} // namespace

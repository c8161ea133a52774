// The selection window's design report of the bundled catalogue's default point, written whole to
// a PDF file: the selection page, the two hydraulic pages and the charts page, with the runs they
// need.
#include "core/Catalogue.h"
#include "core/Kod.h"
#include "selection/DesignReport.h"
#include "widgets/Environment.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <filesystem>

namespace {

class NoDrives : public kod::DriveSystem {
public:
    std::vector<kod::Drive> Drives() const override { return {}; }
    std::string FallbackRoot() const override { return "/"; }
};

void BM_DesignReport(benchmark::State& state) {
    QTemporaryDir dir;
    const std::filesystem::path root = dir.path().toStdString();
    std::filesystem::copy_file(VARMI_CATALOGUE, root / "parametr.txt");
    kod::LoadParameters(root, NoDrives());
    widgets::SetAppDirectory(root.string());
    selection::PrintoutInput in;
    in.selection.point = {200, 150, 0, 40, 100, 20, 15, true};
    in.selection.t21Position = 40;
    in.selection.t11Position = 150;
    in.heatOutput = QStringLiteral("200");
    in.dropHeating = QStringLiteral("20");
    in.heatingInlet = QStringLiteral("150");
    in.dropHeated = QStringLiteral("15");
    in.heatedInlet = QStringLiteral("40");
    in.heatedOutlet = QStringLiteral("100");
    const QString file = dir.filePath(QStringLiteral("raport.pdf"));
    for (auto _ : state)
        if (!selection::SaveDesignReport(nullptr, in, 3, {QStringLiteral("bench"), {}}, file))
            state.SkipWithError("the report was not written");
}
BENCHMARK(BM_DesignReport)->Unit(benchmark::kMillisecond);

} // namespace

// Timings of the calculations behind the selection window and the charts, on the bundled
// catalogue.
#include "core/Kod.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <utility>

namespace {

namespace fs = std::filesystem;

class NoDrives : public kod::DriveSystem {
public:
    std::vector<kod::Drive> Drives() const override { return {}; }
    std::string FallbackRoot() const override { return "/"; }
};

// A scratch directory for the catalogue copy and the log, removed at exit.
const fs::path& ScratchDir() {
    static const fs::path dir = [] {
        std::string pattern = (fs::temp_directory_path() / "varmi-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("mkdtemp failed");
        std::atexit([] { fs::remove_all(ScratchDir()); });
        return fs::path(pattern);
    }();
    return dir;
}

// Loads the bundled catalogue through LoadParameters, as the program does at start-up.
void LoadBundledCatalogue() {
    fs::copy_file(VARMI_CATALOGUE, ScratchDir() / "parametr.txt",
                  fs::copy_options::overwrite_existing);
    kod::LoadParameters(ScratchDir(), NoDrives());
}

// The bundled catalogue with every clean coefficient cut to 1 %, so that no outlet temperature
// and no number of extra exchangers suffices: every search runs all its trials.
void LoadHopelessCatalogue() {
    LoadBundledCatalogue();
    kod::ParamTableType table = kod::ParamTable;
    for (int m = 0; m < kod::kModelCount; ++m) {
        std::string& C = table[3][static_cast<std::size_t>(m + 2)];
        C = std::to_string(kod::Val(C) / 100);
    }
    kod::SetCatalogue(std::move(table), kod::ParamSeries);
}

// The selection's limits: T21 at 1 and T11 at 210 give the trials 6 .. 200 (195 of them).
struct WorstPoint {
    double tFrom = 6, tTo = 200;
    double Q = 1000, Dp1 = 100, Dp2 = 40, T11 = 210, T21 = 1, T22 = 205;
};

void BM_EvaluateExchanger(benchmark::State& state) {
    LoadBundledCatalogue();
    double kw = 0, ke = 0;
    std::int16_t n = 0;
    for (auto _ : state) {
        kod::EvaluateExchanger(0, true, 20, 15, 150, 80, 40, 100, 200, 0, kw, ke, n);
        benchmark::DoNotOptimize(ke);
    }
}
BENCHMARK(BM_EvaluateExchanger);

void BM_FindOutletTemperatureWorstCase(benchmark::State& state) {
    LoadHopelessCatalogue();
    const WorstPoint p;
    double T12 = 0, kw = 0, ke = 0;
    std::int16_t n = 0;
    for (auto _ : state) {
        kod::FindOutletTemperature(p.tFrom, p.tTo, 0, true, p.Dp1, p.Dp2, p.T11, T12, p.T21, p.T22,
                                   p.Q, kw, ke, n, false);
        benchmark::DoNotOptimize(T12);
    }
    if (T12 != -1)
        state.SkipWithError("a trial succeeded: not the worst case");
    state.counters["trials"] = 4 * 195;
}
BENCHMARK(BM_FindOutletTemperatureWorstCase)->Unit(benchmark::kMicrosecond);

// The selection window's calculation over four hopeless models with its trace in raport.txt:
// 4 × 780 trial lines plus the headers.
void BM_SelectionWorstCaseWithTrace(benchmark::State& state) {
    LoadHopelessCatalogue();
    const WorstPoint p;
    const fs::path file = kod::LogFilePath(ScratchDir());
    double T12 = 0, kw = 0, ke = 0;
    std::int16_t n = 0;
    bool anyFound = false;
    for (auto _ : state) {
        kod::CalcLog& log = kod::Log();
        log.Open(file, ',');
        log.WriteSelectionStart();
        for (std::int16_t m = 0; m < kod::kModelCount; ++m) {
            log.WriteSelectionModel(p.tFrom, p.tTo, m, true, p.Dp1, p.Dp2, p.T11, p.T21, p.T22,
                                    p.Q);
            kod::FindOutletTemperature(p.tFrom, p.tTo, m, true, p.Dp1, p.Dp2, p.T11, T12, p.T21,
                                       p.T22, p.Q, kw, ke, n, true);
            anyFound = anyFound || T12 != -1;
        }
        log.Close();
    }
    if (anyFound)
        state.SkipWithError("a trial succeeded: not the worst case");
    if (kod::Log().Failed())
        state.SkipWithError("raport.txt could not be written");
    state.counters["bytes"] = static_cast<double>(fs::file_size(file));
}
BENCHMARK(BM_SelectionWorstCaseWithTrace)->Unit(benchmark::kMillisecond);

// The thermal output chart: 161 heated-water flows from 0.1 to 10 kg/s, each with its outlet
// temperature search (defaults of that window: Dp1 20, T11 150, Dp2 15, T21 40, T22 100, c.o.).
void BM_OutputChart(benchmark::State& state) {
    LoadBundledCatalogue();
    const auto m = static_cast<std::int16_t>(state.range(0));
    const double F = kod::ModelValue(15, m);
    for (auto _ : state) {
        double total = 0;
        for (int i = 0; i <= 800; i += 5) {
            const double G2 = std::pow(10.0, 2.0 * i / 800 - 1);
            double Qreq = 0, T12 = 0, kw = 0, ke = 0;
            std::int16_t n = 0;
            kod::OutputForFlow(40, 100, Qreq, G2);
            kod::FindOutletTemperature(45, 140, m, true, 20, 15, 150, T12, 40, 100, Qreq, kw, ke, n,
                                       false);
            if (T12 == -1)
                continue;
            double d1 = 150 - 100, d2 = T12 - 40;
            if (d1 == d2)
                d1 += 0.1;
            const double dL = std::max(d1, d2), dS = std::min(d1, d2);
            total += F * (dL - dS) / std::log(dL / dS) * n * ke;
        }
        benchmark::DoNotOptimize(total);
    }
    state.counters["searches"] = 161;
}
BENCHMARK(BM_OutputChart)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

// The coefficient chart against the heat output: two passes over 801 outputs from 10 to 1000 kW
// (defaults of that window: orv2.40, Dp1 10, T11 150, T12 95, Dp2 30, T21 75, T22 100, c.w.).
void BM_CoefficientChart(benchmark::State& state) {
    LoadBundledCatalogue();
    for (auto _ : state) {
        double sum = 0;
        for (int pass = 0; pass < 2; ++pass) {
            for (int i = 0; i <= 800; ++i) {
                const double Q = i / 800.0 * 990 + 10;
                double kw = 0, ke = 0;
                std::int16_t n = 0;
                kod::EvaluateExchanger(2, false, 10, 30, 150, 95, 75, 100, Q, 0, kw, ke, n);
                sum += kw + ke + n;
            }
        }
        benchmark::DoNotOptimize(sum);
    }
    state.counters["evaluations"] = 1602;
}
BENCHMARK(BM_CoefficientChart)->Unit(benchmark::kMicrosecond);

} // namespace

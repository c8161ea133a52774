// Rows per second of varmi-dobor's selection of a table (read, checked, selected, written) on one
// and on all threads, beside the bare selection run of the same points.
#include "batch/Batch.h"
#include "core/Catalogue.h"
#include "selection/SelectionRun.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <sstream>
#include <thread>

namespace {

constexpr int kRows = 2000;

struct Table {
    std::string csv;
    std::vector<selection::SelectionInput> points;
};

// A number with the decimal comma of a Polish spreadsheet.
std::string Comma(double value) {
    std::ostringstream text;
    text << value;
    std::string s = text.str();
    std::replace(s.begin(), s.end(), '.', ',');
    return s;
}

void Add(Table& t, const panel::OperatingPoint& p) {
    t.csv += "stacja " + std::to_string(t.points.size() + 1) + ';' + Comma(p.HeatOutput) + ';' +
             Comma(p.AllowedDropHeating) + ';' + Comma(p.HeatingInlet) + ';' +
             Comma(p.AllowedDropHeated) + ';' + Comma(p.HeatedInlet) + ';' + Comma(p.HeatedOutlet) +
             ';' + (p.CentralHeating ? "c.o." : "c.w.") + "\r\n";
    t.points.push_back({p, static_cast<int>(p.HeatedInlet), static_cast<int>(p.HeatingInlet)});
}

Table MakeTable(bool worst) {
    Table t;
    t.csv = "nazwa;Q;Dp1;T11;Dp2;T21;T22;przeznaczenie\r\n";
    std::mt19937 random(7);
    auto uniform = [&](double lo, double hi) {
        return std::round(std::uniform_real_distribution<double>(lo, hi)(random) * 10) / 10;
    };
    for (int i = 0; i < kRows; ++i) {
        if (worst) {
            // Hot heating water, cold heated water heated almost to it: the longest searches,
            // most of which find nothing.
            const double T22 = 200 + i % 6;
            Add(t, {uniform(10, 1000), 210, 0, 1, T22, uniform(1, 20), uniform(30, 40), false});
        } else {
            // District heating substations: 70..150 °C in, 40..70 °C heated water.
            const int T11 = std::uniform_int_distribution(70, 150)(random);
            const int T21 = std::uniform_int_distribution(40, std::min(70, T11 - 20))(random);
            Add(t, {uniform(50, 800), double(T11), 0, double(T21), uniform(T21 + 10, T11 - 10),
                    uniform(10, 50), uniform(10, 30), i % 3 != 0});
        }
    }
    return t;
}

const Table& Typical() {
    static const Table t = MakeTable(false);
    return t;
}
const Table& Worst() {
    static const Table t = MakeTable(true);
    return t;
}

void LoadOnce() {
    static const bool loaded = (kod::LoadCatalogue(VARMI_CATALOGUE), true);
    (void)loaded;
}

void BareSelection(benchmark::State& state, const Table& (*table)()) {
    LoadOnce();
    const Table& t = table();
    for (auto _ : state)
        for (const selection::SelectionInput& p : t.points)
            benchmark::DoNotOptimize(selection::RunSelection(p, nullptr));
    state.SetItemsProcessed(state.iterations() * kRows);
}

void Tool(benchmark::State& state, const Table& (*table)()) {
    LoadOnce();
    const Table& t = table();
    const int threads = static_cast<int>(state.range(0));
    std::size_t written = 0;
    long rejected = 0;
    for (auto _ : state) {
        std::FILE* in = fmemopen(const_cast<char*>(t.csv.data()), t.csv.size(), "rb");
        batch::TableReader reader(in);
        batch::Options options;
        batch::Selector selector(reader.Header(), options, batch::FormFor(reader, options));
        std::string out;
        rejected = batch::RunTable(reader, selector, threads, [&](const std::string& s) {
                       out += s;
                   }).rejected;
        written = out.size();
        if (state.iterations() == 0 && std::getenv("VARMI_BENCH_DUMP"))
            std::fputs(out.substr(0, 2000).c_str(), stderr);
        std::fclose(in);
    }
    state.counters["bytes"] = double(written);
    state.counters["rejected"] = double(rejected);
    state.SetItemsProcessed(state.iterations() * kRows);
}

const int kAll = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));

} // namespace

BENCHMARK_CAPTURE(BareSelection, typical, Typical)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(Tool, typical, Typical)
    ->DenseRange(1, kAll)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BareSelection, worst, Worst)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(Tool, worst, Worst)
    ->DenseRange(1, kAll)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

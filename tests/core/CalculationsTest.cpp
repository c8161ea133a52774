// The calculations over the cases of tests/data/core_calculations.txt, arguments outside the
// domain included: they must give non-finite or saturated results, not a crash.
#include "Support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <sstream>

using namespace kod;

namespace {

using Values = std::map<std::string, double>;

Values Calculate(const std::string& call, const Values& in) {
    auto v = [&](const char* name) { return in.count(name) ? in.at(name) : 0.0; };
    auto t = [&](const char* name) { return static_cast<std::int16_t>(v(name)); };
    double out = 0, kw = 0, ke = 0, T12 = v("T12");
    std::int16_t n = 0;
    if (call == "cp")
        return {{"c", MeanSpecificHeat(t("t"))}};
    if (call == "excess")
        return {{"e", RelativeExcess(v("kw"), v("ke"))}};
    if (call == "drop" || call == "flowfordrop") {
        if (call == "drop")
            PressureDropForFlow(t("T1"), t("T2"), t("m"), v("heating") != 0, v("G"), out);
        else
            FlowForPressureDrop(t("T1"), t("T2"), t("m"), v("heating") != 0, v("Dp"), out);
        return {{call == "drop" ? "Dp" : "G", out}};
    }
    EvaluationResult = {};
    if (call == "evaluate")
        EvaluateExchanger(t("m"), v("co") != 0, v("Dp1"), v("Dp2"), v("T11"), v("T12"), v("T21"),
                          v("T22"), v("Q"), t("extra"), kw, ke, n);
    else
        FindOutletTemperature(v("from"), v("to"), t("m"), v("co") != 0, v("Dp1"), v("Dp2"),
                              v("T11"), T12, v("T21"), v("T22"), v("Q"), kw, ke, n, false);
    const EvaluationRecord& r = EvaluationResult;
    const double outputs[] = {T12,  double(n), kw,        ke,    r.G1dop, r.G2dop, r.G1,
                              r.G2, r.G1Ratio, r.G2Ratio, r.Gr1, r.Gr2,   r.dP1,   r.dP2};
    const char* names[] = {"T12", "n",       "kw",      "ke",  "G1dop", "G2dop", "G1",
                           "G2",  "G1Ratio", "G2Ratio", "Gr1", "Gr2",   "dP1",   "dP2"};
    Values results;
    for (std::size_t i = 0; i < std::size(names); ++i)
        results[names[i]] = outputs[i];
    return results;
}

// name=value pairs up to "->" or "#".
Values Read(std::istringstream& words) {
    Values values;
    for (std::string w; words >> w && w != "->" && w[0] != '#';)
        values[w.substr(0, w.find('='))] = std::strtod(w.c_str() + w.find('=') + 1, nullptr);
    return values;
}

TEST(Calculations, CasesOfTheDataFile) {
    std::ifstream file(VARMI_TEST_DATA "/core_calculations.txt");
    int cases = 0;
    std::string loaded;
    for (std::string line; std::getline(file, line);) {
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream words(line);
        std::string call, catalogue;
        words >> call >> catalogue;
        if (catalogue != "-" && catalogue != loaded)
            testing_core::LoadTestCatalogue(loaded = catalogue);
        const Values got = Calculate(call, Read(words));
        const double tolerance = line.find("# hand") != std::string::npos ? 1e-7 : 1e-9;
        for (const auto& [name, expected] : Read(words)) {
            const double actual = got.at(name);
            EXPECT_TRUE(std::isnan(expected)
                            ? !std::isfinite(actual)
                            : std::abs(actual - expected) <= tolerance * std::abs(expected))
                << line << "\n  " << name << " = " << actual;
        }
        ++cases;
    }
    EXPECT_GT(cases, 70);
}

} // namespace

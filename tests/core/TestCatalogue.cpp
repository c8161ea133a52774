#include "TestCatalogue.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace testing_core {

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "varmi-core-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

void WriteBytes(const std::filesystem::path& file, const std::string& bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << bytes;
    if (!out)
        throw std::runtime_error("cannot write " + file.string());
}

std::string ReadBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

FakeDrives WindowsDrivesWithCdRoms() {
    return FakeDrives({{"A:\\", false}, {"C:\\", false}, {"D:\\", true}, {"E:\\", true}}, "C:\\");
}

FakeDrives WindowsDrivesWithoutCdRom() {
    return FakeDrives({{"A:\\", false}, {"C:\\", false}}, "C:\\");
}

Catalogue SampleCatalogue() {
    Catalogue c;
    c.table[0] = {"Lp.", "Parametr / typ wymiennika", "orv2.14", "orv1.22", "orv2.40", "orv3.55"};
    c.table[1] = {"1", "Instytut Techniki Cieplnej", "ITC", "ITC", "ITC", "ITC"};
    c.table[2] = {"", "Politechnika Łódzka", "Łódź", "Łódź", "Łódź", "Łódź"};
    for (int r = 3; r < kod::kParamRows; ++r) {
        auto& row = c.table[static_cast<std::size_t>(r)];
        row[0] = std::to_string(r);
        row[1] = "wielkość " + std::to_string(r) + " [żółć]";
        for (int m = 0; m < kod::kModelCount; ++m)
            row[static_cast<std::size_t>(m + 2)] = std::to_string(r) + "." + std::to_string(m + 1);
    }
    for (int i = 0; i < kod::kSeriesSize; ++i)
        c.series[static_cast<std::size_t>(i)] = "1.0" + std::to_string(10 + i);
    return c;
}

std::string NaturalLayout(const Catalogue& c) {
    std::string text;
    for (const auto& row : c.table) {
        for (std::size_t col = 0; col < row.size(); ++col) {
            text += (col ? ",\"" : "\"") + row[col] + "\"";
        }
        text += "\r\n";
    }
    for (const auto& value : c.series)
        text += value + "\r\n";
    return kod::ToCp1250(text);
}

void SetModel(int m, const ModelValues& v) {
    const double values[] = {v.C,  v.expGr1, v.expGr2, v.expT11, v.expT22, v.expP, v.C1,
                             v.a1, v.b1,     v.C2,     v.a2,     v.b2,     v.F};
    for (int r = 3; r <= 15; ++r) {
        char text[64];
        std::snprintf(text, sizeof text, "%.17g", values[r - 3]);
        kod::ParamTable[static_cast<std::size_t>(r)][static_cast<std::size_t>(m + 2)] = text;
    }
}

void UseModels(const ModelValues& values, double cp) {
    kod::ParamTable = {};
    kod::ParamTable[0] = {"", "", "orv2.14", "orv1.22", "orv2.40", "orv3.55"};
    for (int m = 0; m < kod::kModelCount; ++m)
        SetModel(m, values);
    kod::ParamSeries.fill(cp);
}

} // namespace testing_core

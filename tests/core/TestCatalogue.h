#pragma once

#include "core/Kod.h"

#include <array>
#include <filesystem>
#include <string>
#include <vector>

namespace testing_core {

// A fresh directory under the system's temporary directory, removed with its content.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

void WriteBytes(const std::filesystem::path& file, const std::string& bytes);
std::string ReadBytes(const std::filesystem::path& file);

// Drives presented to LoadParameters in place of the machine's.
class FakeDrives : public kod::DriveSystem {
public:
    FakeDrives(std::vector<kod::Drive> drives, std::string fallback)
        : drives_(std::move(drives)), fallback_(std::move(fallback)) {}
    std::vector<kod::Drive> Drives() const override { return drives_; }
    std::string FallbackRoot() const override { return fallback_; }

private:
    std::vector<kod::Drive> drives_;
    std::string fallback_;
};

// A:\, C:\, D:\ (CD-ROM), E:\ (CD-ROM); fallback C:\.
FakeDrives WindowsDrivesWithCdRoms();
// A:\ and C:\ only; fallback C:\.
FakeDrives WindowsDrivesWithoutCdRom();

// The values of one catalogue, as the file holds them (UTF-8 here, written in Windows-1250).
struct Catalogue {
    kod::ParamTableType table;
    std::array<std::string, kod::kSeriesSize> series;
};

// A small catalogue with distinct, recognisable values in every cell.
Catalogue SampleCatalogue();

// The catalogue in the natural layout: one row of six quoted fields per line, then the 23 numbers
// one per line; Windows-1250 with CR LF.
std::string NaturalLayout(const Catalogue& c);

// One model's values in catalogue row order 3..15.
struct ModelValues {
    double C = 1, expGr1 = 0, expGr2 = 0, expT11 = 0, expT22 = 0, expP = 0;
    double C1 = 1, a1 = 1, b1 = 0, C2 = 1, a2 = 1, b2 = 0;
    double F = 1;
};

// Sets the module data directly: every model gets `values`, the series is `cp` everywhere.
void UseModels(const ModelValues& values, double cp = 1.0);
void SetModel(int m, const ModelValues& values);

} // namespace testing_core

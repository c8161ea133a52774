#pragma once

#include "core/Kod.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace testing_core {
namespace fs = std::filesystem;

// A fresh temporary directory, removed with its content.
struct TempDir {
    std::string name = (fs::temp_directory_path() / "varmi-core-XXXXXX").string();
    fs::path path = mkdtemp(name.data()) ? name : throw std::runtime_error("mkdtemp failed");
    ~TempDir() {
        std::error_code ec;
        fs::remove_all(path, ec);
    }
};

inline void WriteBytes(const fs::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary) << bytes;
}

inline std::string ReadBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Drives presented to LoadParameters in place of the machine's; the fallback root is C:.
struct FakeDrives : kod::DriveSystem {
    explicit FakeDrives(std::vector<kod::Drive> d = {}) : drives(std::move(d)) {}
    std::vector<kod::Drive> Drives() const override { return drives; }
    std::string FallbackRoot() const override { return "C:\\"; }
    std::vector<kod::Drive> drives;
};

// Loads a catalogue file of tests/data ("synthetic") or the bundled one ("bundled").
inline void LoadTestCatalogue(const std::string& name) {
    const TempDir dir;
    fs::copy_file(name == "synthetic" ? VARMI_TEST_DATA "/core_synthetic_parametr.txt"
                                      : VARMI_CATALOGUE,
                  dir.path / "parametr.txt");
    kod::LoadParameters(dir.path, FakeDrives());
}

} // namespace testing_core

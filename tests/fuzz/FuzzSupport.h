#pragma once

#include "core/Platform.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

// A fuzz finding: prints what broke and aborts, so that libFuzzer keeps the input.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "check failed: %s (%s:%d)\n", #condition, __FILE__, __LINE__);    \
            std::abort();                                                                          \
        }                                                                                          \
    } while (0)

namespace fuzz {

// No drives: the fallback root is used.
struct NoDrives : kod::DriveSystem {
    std::vector<kod::Drive> Drives() const override { return {}; }
    std::string FallbackRoot() const override { return "/"; }
};

// A directory of this process's own, made once and reused by every input.
inline const std::filesystem::path& WorkDir() {
    static const std::filesystem::path dir = [] {
        auto d =
            std::filesystem::temp_directory_path() / ("varmi-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(d);
        std::atexit([] {
            std::error_code ec;
            std::filesystem::remove_all(std::filesystem::temp_directory_path() /
                                            ("varmi-fuzz-" + std::to_string(::getpid())),
                                        ec);
        });
        return d;
    }();
    return dir;
}

} // namespace fuzz

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

// A directory of this process's own, made once, reused by every input and removed at the end.
inline const std::filesystem::path& WorkDir() {
    static const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("varmi-fuzz-" + std::to_string(::getpid()));
    static const bool made = std::filesystem::create_directories(dir) && !std::atexit([] {
                                 std::error_code ec;
                                 std::filesystem::remove_all(dir, ec);
                             });
    (void)made;
    return dir;
}

} // namespace fuzz

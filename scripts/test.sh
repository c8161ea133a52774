#!/usr/bin/env bash
# Installs what is missing, builds everything with warnings as errors and runs every test and the
# package test; then runs every test again in a build with AddressSanitizer and
# UndefinedBehaviorSanitizer, and the core's fuzz targets.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
jobs=$(nproc)
# Rebuilds of an unchanged source are taken from the compiler cache.
export CMAKE_CXX_COMPILER_LAUNCHER=ccache

# The calculation core and the command-line tool stay free of Qt.
if grep -rnE '#include\s*<Q' core/ batch/; then
    echo "core/ and batch/ must not include Qt headers" >&2
    exit 1
fi

cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVARMI_WARNINGS_AS_ERRORS=ON
cmake --build build-test -j "$jobs"
ctest --test-dir build-test --output-on-failure -j "$jobs"
bash scripts/package-test.sh build-test

# Every test again with AddressSanitizer and UndefinedBehaviorSanitizer.
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVARMI_WARNINGS_AS_ERRORS=ON \
    -DVARMI_BENCHMARKS=OFF -DVARMI_SANITIZE=address,undefined
cmake --build build-asan -j "$jobs"
LSAN_OPTIONS="suppressions=$PWD/tests/sanitizer/lsan.supp:print_suppressions=0" \
    ctest --test-dir build-asan --output-on-failure -j "$jobs" -E installed_program

# The core's fuzz targets: their seed corpora, then a short run of new inputs each.
CC=clang-14 CXX=clang++-14 cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVARMI_FUZZ=ON -DVARMI_WARNINGS_AS_ERRORS=ON
cmake --build build-fuzz -j "$jobs"
ctest --test-dir build-fuzz --output-on-failure -j "$jobs"

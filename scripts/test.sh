#!/usr/bin/env bash
# Installs what is missing, builds everything with warnings as errors and runs every test; then
# builds the calculation core again with AddressSanitizer and UndefinedBehaviorSanitizer and runs
# its tests there.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
jobs=$(nproc)

# The calculation core stays free of Qt.
if grep -rnE '#include\s*<Q' core/; then
    echo "core/ must not include Qt headers" >&2
    exit 1
fi

cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVARMI_WARNINGS_AS_ERRORS=ON
cmake --build build-test -j "$jobs"
ctest --test-dir build-test --output-on-failure -j "$jobs"
bash scripts/package-test.sh build-test

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVARMI_WARNINGS_AS_ERRORS=ON \
    -DVARMI_CORE_ONLY=ON -DVARMI_BENCHMARKS=OFF -DVARMI_SANITIZE=address,undefined
cmake --build build-asan -j "$jobs"
ctest --test-dir build-asan --output-on-failure -j "$jobs"

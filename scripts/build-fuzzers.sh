#!/usr/bin/env bash
# Builds the libFuzzer targets with clang, so they cannot rot; skipped where clang is missing.
# Run one with: build-fuzz/fuzz/fuzz_journal_reader -max_total_time=600 corpus-folder
set -euo pipefail
cd "$(dirname "$0")/.."
if ! command -v clang++ >/dev/null; then
    echo "fuzz targets: clang++ is not installed, skipped"
    exit 0
fi
CXX=clang++ cmake -S . -B build-fuzz -DCORVALE_FUZZ=ON -DCORVALE_TESTS=OFF \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz -j"$(nproc)" --target corvale_fuzzers

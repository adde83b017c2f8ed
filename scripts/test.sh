#!/usr/bin/env bash
# Builds Corvale with warnings as errors and runs every test (window tests run offscreen).
#   scripts/test.sh              the normal build, benchmarks included, in build-test/
#   scripts/test.sh --sanitize   with AddressSanitizer and UndefinedBehaviorSanitizer, in build-asan/
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

dir=build-test
options=(-DCORVALE_WERROR=ON -DCORVALE_BENCH=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo)
if [ "${1:-}" = "--sanitize" ]; then
    dir=build-asan
    options=(-DCORVALE_WERROR=ON -DCORVALE_SANITIZE=ON -DCORVALE_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug)
    export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
fi
cmake -S . -B "$dir" "${options[@]}" >/dev/null
cmake --build "$dir" -j"$(nproc)"
QT_QPA_PLATFORM=offscreen ctest --test-dir "$dir" --output-on-failure -j"$(nproc)"

#!/usr/bin/env bash
# Builds Corvale with warnings as errors and runs every test (window tests run offscreen).
#   scripts/test.sh              the normal build, benchmarks included, in build-test/; each test
#                                runs in a process of its own
#   scripts/test.sh --sanitize   with AddressSanitizer and UndefinedBehaviorSanitizer, in
#                                build-asan/; each test program runs its whole suite in one
#                                process, since a sanitized process takes a second to start
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

dir=build-test
options=(-DCORVALE_WERROR=ON -DCORVALE_BENCH=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo)
sanitize=false
if [ "${1:-}" = "--sanitize" ]; then
    dir=build-asan
    options=(-DCORVALE_WERROR=ON -DCORVALE_SANITIZE=ON -DCORVALE_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug)
    sanitize=true
    export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
fi
cmake -S . -B "$dir" "${options[@]}" >/dev/null
cmake --build "$dir" -j"$(nproc)"
export QT_QPA_PLATFORM=offscreen
if [ "$sanitize" = true ]; then
    for suite in "$dir"/tests/corvale_{core,firstpass,gui}_tests; do
        echo "== $(basename "$suite")"
        "$suite" --gtest_brief=1
    done
else
    ctest --test-dir "$dir" --output-on-failure -j"$(nproc)"
fi

#!/usr/bin/env bash
# Builds Corvale and starts it on the sample poem that the build puts beside the program.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target corvale -j"$(nproc)"
exec ./build/corvale

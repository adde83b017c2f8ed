#!/usr/bin/env bash
# Fails when a C++ file of the project differs from what clang-format makes of it with the
# committed .clang-format.
set -euo pipefail
cd "$(dirname "$0")/.."
if ! command -v clang-format >/dev/null; then
    sudo_cmd=()
    [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
    "${sudo_cmd[@]}" apt-get install -y -qq clang-format >/dev/null
fi
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror
echo "formatting: $(git ls-files '*.cpp' '*.h' | wc -l) files clean"

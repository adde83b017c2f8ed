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
style=(--style=file)
# Braces go around every if, for and while body. clang-format checks that from version 15 on
# (InsertBraces); Debian 12's version 14 does not know the option, so it is added only there.
version=$(clang-format --version | sed -n 's/.*version \([0-9]*\).*/\1/p')
if [ "${version:-0}" -ge 15 ]; then
    config=$(mktemp)
    trap 'rm -f "$config"' EXIT
    { grep -v '^\.\.\.$' .clang-format; echo "InsertBraces: true"; } > "$config"
    style=(--style="file:$config")
fi
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format "${style[@]}" --dry-run --Werror
echo "formatting: $(git ls-files '*.cpp' '*.h' | wc -l) files clean"

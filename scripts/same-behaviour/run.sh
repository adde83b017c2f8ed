#!/usr/bin/env bash
# Checks that two builds of Corvale behave alike, for a change that must not change behaviour
# (a refactor): the driver (driver.cpp) takes each build's core through a window's work on the
# same folders, and tools.sh runs the three tools over them; every byte printed must agree.
#   scripts/same-behaviour/run.sh BEFORE-TREE AFTER-TREE
# Each tree is a checkout whose build-test/ is built (scripts/test.sh), the test support
# library included. For the tree of the commit before: git worktree add /tmp/before HEAD~1.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python3 "$here/cases.py" "$work/cases"
for side in before after; do
    tree=$(realpath "${1:?BEFORE-TREE}")
    [ "$side" = after ] && tree=$(realpath "${2:?AFTER-TREE}")
    build="$tree/build-test"
    includes=()
    for root in "$build"/include-roots/*; do includes+=(-I"$root"); done
    g++ -std=c++20 -O1 -fPIC "${includes[@]}" -I"$tree/tests" $(pkg-config --cflags Qt6Core) \
        "$here/driver.cpp" -o "$work/driver-$side" "$build/tests/libcorvale_test_support.a" \
        "$build"/libcorvale_{startup,navigation,editor,meter,scansion,platform}.a \
        -lgtest $(pkg-config --libs Qt6Core) -lpthread
    (cd "$work/cases" && "$work/driver-$side" */ > "$work/$side.txt" 2>&1)
    (cd "$work/cases" && bash "$here/tools.sh" "$build" >> "$work/$side.txt" 2>&1)
done
if diff "$work/before.txt" "$work/after.txt"; then
    echo "same behaviour: the two builds agree"
else
    echo "same behaviour: the two builds differ" >&2
    exit 1
fi

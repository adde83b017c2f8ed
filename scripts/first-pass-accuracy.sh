#!/usr/bin/env bash
# Measures the first pass against the readers' scansions of the dev poems in ../shared/gold:
# scans each poem with corvale-scan into a temporary folder, scores it with --compare, and
# prints the figures per poem and overall. Fails below 90% of syllables with the right stress.
#   scripts/first-pass-accuracy.sh [BUILD-DIR]   (default build-test)
# CORVALE_GOLD names another gold folder. Where the gold folder is missing (a clone outside
# the team) it says so and succeeds.
set -euo pipefail
cd "$(dirname "$0")/.."
gold=${CORVALE_GOLD:-../shared/gold}/dev
least_syllables_permille=900

if [ ! -d "$gold" ]; then
    echo "first-pass accuracy: $gold is missing, skipped"
    exit 0
fi
build=${1:-build-test}
# Configured every time: a build folder from before the tool existed knows no target for it.
if [ -f "$build/CMakeCache.txt" ]; then
    cmake -S . -B "$build" >/dev/null
else
    cmake -S . -B "$build" -DCORVALE_WERROR=ON >/dev/null
fi
cmake --build "$build" -j"$(nproc)" --target corvale-scan >/dev/null
tool="$build/tools/corvale-scan/corvale-scan"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for reference in "$gold"/*.gold.txt; do
    name=$(basename "$reference" .gold.txt)
    if ! "$tool" -o "$work" "$gold/$name.txt" >/dev/null 2>"$work/$name.err"; then
        echo "first-pass accuracy: $name.txt was not scanned:" >&2
        cat "$work/$name.err" >&2
        exit 1
    fi
    {
        echo "poem: $name"
        [ -f "$gold/$name.gold.meter.txt" ] && echo "reference meter: yes"
        "$tool" --compare "$reference" "$work/$name.scansion.txt"
    } >>"$work/all.txt"
done

# Each figure line reads "LABEL: AGREEING of TOTAL (PERCENT)".
awk -v least="$least_syllables_permille" '
    function pct(a, t) { return t ? sprintf("%.1f%%", 100 * a / t) : "-" }
    function figure(line,   parts) {
        split(line, parts, /: | of | \(/)
        return parts[2] " " parts[3]
    }
    /^poem: / { poem = substr($0, 7); order[++poems] = poem; meter[poem] = "-" }
    /^reference meter: yes/ { withMeter++ }
    /^words with/ { split(figure($0), f, " "); w[poem] = pct(f[1], f[2]); wa += f[1]; wt += f[2] }
    /^syllables with/ { split(figure($0), f, " "); s[poem] = pct(f[1], f[2]); sa += f[1]; st += f[2] }
    /^longer words/ { split(figure($0), f, " "); d[poem] = pct(f[1], f[2]); da += f[1]; dt += f[2] }
    /^lines that agree/ { split(figure($0), f, " "); l[poem] = pct(f[1], f[2]); la += f[1]; lt += f[2] }
    /^meter: the same/ { meter[poem] = "found"; found++ }
    /^meter: different/ { meter[poem] = "missed" }
    END {
        format = "%-52s %8s %10s %8s %7s %10s\n"
        printf format, "poem", "words", "syllables", "lines", "meter", "divisions"
        for (i = 1; i <= poems; i++) {
            p = order[i]
            printf format, p, w[p], s[p], l[p], meter[p], d[p]
        }
        printf "\n"
        printf "words with the right syllable count: %s (%d of %d)\n", pct(wa, wt), wa, wt
        printf "syllables with the right stress:     %s (%d of %d)\n", pct(sa, st), sa, st
        printf "lines right throughout:              %s (%d of %d)\n", pct(la, lt), la, lt
        printf "poems whose meter is found:          %d of %d\n", found, withMeter
        printf "longer words divided alike:          %s (%d of %d)\n", pct(da, dt), da, dt
        if (st == 0 || sa * 1000 < st * least) {
            printf "first-pass accuracy: below %.1f%% of syllables\n", least / 10
            exit 1
        }
    }' "$work/all.txt"

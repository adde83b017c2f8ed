#!/usr/bin/env bash
# Measures the first pass against the readers' scansions of the dev poems in ../shared/gold:
# scans each poem with corvale-scan into a temporary folder, scores it with --compare, and
# prints the figures per poem and overall. Fails below 90% of syllables with the right stress.
# Lines measured against the readers' meter are counted from gold.tsv as the gold folder's
# README defines them: the meter corvale-export --format tei writes in a line's `met` equals the
# readers' `met`, or is apart from it by one weak place at the end or at the start; counted of
# all lines, and of the lines outside their poem's commonest meter (the readers' meter that the
# most lines of the poem have, so counted).
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
cmake --build "$build" -j"$(nproc)" --target corvale-scan corvale-export >/dev/null
tool="$build/tools/corvale-scan/corvale-scan"
export_tool="$build/tools/corvale-export/corvale-export"

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
    # Each line's meter as the TEI export writes it: "POEM <TAB> LINE <TAB> MET".
    "$export_tool" --format tei -o - "$work/$name.scansion.txt" 2>/dev/null |
        sed -n 's/.*<l n="\([0-9]*\)" met="\([-+]*\)".*/\1\t\2/p' |
        sed "s/^/$name\t/" >>"$work/held.tsv"
done

# Per poem, "POEM MEASURED LINES MEASURED-OUTSIDE OUTSIDE", from gold.tsv's poem, line and met.
if [ -f "$gold/gold.tsv" ]; then
    awk -F'\t' '
        function same(a, b) {
            return a == b || a == b "-" || b == a "-" || a == "-" b || b == "-" a
        }
        FNR == NR { held[$1 SUBSEP $2] = $3; next }
        FNR == 1 { next }
        {
            if (!($1 in lines)) order[++poems] = $1
            i = ++lines[$1]
            number[$1, i] = $2
            met[$1, i] = $6
        }
        END {
            for (k = 1; k <= poems; k++) {
                p = order[k]
                most = 0
                for (i = 1; i <= lines[p]; i++) {
                    cover = 0
                    for (j = 1; j <= lines[p]; j++) cover += same(met[p, i], met[p, j])
                    if (cover > most) { most = cover; common = met[p, i] }
                }
                good = out = outGood = 0
                for (i = 1; i <= lines[p]; i++) {
                    ok = ((p SUBSEP number[p, i]) in held) && same(held[p, number[p, i]], met[p, i])
                    good += ok
                    if (!same(met[p, i], common)) { out++; outGood += ok }
                }
                print p, good, lines[p], outGood, out
            }
        }' "$work/held.tsv" "$gold/gold.tsv" >"$work/measured.txt"
fi

# Each figure line reads "LABEL: AGREEING of TOTAL (PERCENT)".
awk -v least="$least_syllables_permille" '
    function pct(a, t) { return t ? sprintf("%.1f%%", 100 * a / t) : "-" }
    function figure(line,   parts) {
        split(line, parts, /: | of | \(/)
        return parts[2] " " parts[3]
    }
    FNR == NR { m[$1] = pct($2, $3); ma += $2; mt += $3; moa += $4; mot += $5; next }
    /^poem: / { poem = substr($0, 7); order[++poems] = poem; meter[poem] = "-" }
    /^reference meter: yes/ { withMeter++ }
    /^words with/ { split(figure($0), f, " "); w[poem] = pct(f[1], f[2]); wa += f[1]; wt += f[2] }
    /^syllables with/ { split(figure($0), f, " "); s[poem] = pct(f[1], f[2]); sa += f[1]; st += f[2] }
    /^longer words/ { split(figure($0), f, " "); d[poem] = pct(f[1], f[2]); da += f[1]; dt += f[2] }
    /^lines that agree/ { split(figure($0), f, " "); l[poem] = pct(f[1], f[2]); la += f[1]; lt += f[2] }
    /^meter( 1)?: the same/ { meter[poem] = "found"; found++ }
    /^meter( 1)?: different/ { meter[poem] = "missed" }
    END {
        format = "%-52s %8s %10s %8s %7s %10s %9s\n"
        printf format, "poem", "words", "syllables", "lines", "meter", "divisions", "measured"
        for (i = 1; i <= poems; i++) {
            p = order[i]
            printf format, p, w[p], s[p], l[p], meter[p], d[p], (p in m) ? m[p] : "-"
        }
        printf "\n"
        printf "words with the right syllable count: %s (%d of %d)\n", pct(wa, wt), wa, wt
        printf "syllables with the right stress:     %s (%d of %d)\n", pct(sa, st), sa, st
        printf "lines right throughout:              %s (%d of %d)\n", pct(la, lt), la, lt
        printf "poems whose meter is found:          %d of %d\n", found, withMeter
        printf "longer words divided alike:          %s (%d of %d)\n", pct(da, dt), da, dt
        if (mt) {
            printf "lines measured against the readers\x27 meter: %s (%d of %d)\n", pct(ma, mt), ma, mt
            printf "  of lines outside their poem\x27s commonest meter: %s (%d of %d)\n", pct(moa, mot), moa, mot
        }
        if (st == 0 || sa * 1000 < st * least) {
            printf "first-pass accuracy: below %.1f%% of syllables\n", least / 10
            exit 1
        }
    }' "$work/measured.txt" "$work/all.txt"

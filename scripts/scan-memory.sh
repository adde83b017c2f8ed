#!/usr/bin/env bash
# corvale-scan's peak memory on two long poems, as /usr/bin/time -v reports it: a 2 MB poem of
# a million one-word lines, and a 64 MiB poem of the samples' lines over and over. Fails when a
# peak passes four times the poem's size plus 100 MB.
#   scripts/scan-memory.sh [BUILD-DIR]     (build-test/ when not given)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-test}
scan="$build/tools/corvale-scan/corvale-scan"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

awk 'BEGIN { for (i = 0; i < 1000000; ++i) print "O" }' > "$work/million.txt"
# The samples' verse lines over and over, doubled up past 64 MiB, then cut at the last whole line.
size=$((64 << 20))
cat samples/*/*-poem.txt | grep -v '^[[:space:]]*$' > "$work/large.txt"
while [ "$(stat -c %s "$work/large.txt")" -lt "$size" ]; do
    cat "$work/large.txt" "$work/large.txt" > "$work/doubled.txt"
    mv "$work/doubled.txt" "$work/large.txt"
done
head -c "$size" "$work/large.txt" > "$work/cut.txt"
[ -z "$(tail -c 1 "$work/cut.txt")" ] || sed -i '$d' "$work/cut.txt"
mv "$work/cut.txt" "$work/large.txt"

status=0
for poem in million large; do
    bytes=$(stat -c %s "$work/$poem.txt")
    if ! /usr/bin/time -v -o "$work/$poem.time" "$scan" -o "$work" "$work/$poem.txt" \
            >/dev/null 2>"$work/$poem.err"; then
        cat "$work/$poem.err" >&2
        exit 1
    fi
    peak=$(sed -n 's/.*Maximum resident set size (kbytes): //p' "$work/$poem.time")
    limit=$(( (4 * bytes + 100 * 1000 * 1000) / 1024 ))
    echo "$poem.txt: $bytes bytes, $(wc -l < "$work/$poem.txt") verse lines; peak $((peak / 1024)) MiB," \
         "$(grep 'Elapsed' "$work/$poem.time" | sed 's/.*: //') elapsed (limit $((limit / 1024)) MiB)"
    if [ "$peak" -gt "$limit" ]; then
        echo "$poem.txt: corvale-scan's peak passes four times the poem's size plus 100 MB" >&2
        status=1
    fi
done
exit $status

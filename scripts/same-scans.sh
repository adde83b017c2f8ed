#!/usr/bin/env bash
# Checks that two builds of corvale-scan write the same bytes, for a change to the first pass
# that must not change what it writes (a speed-up, a tidying): both scan the dev poems of
# ../shared/gold, the samples' files (of the repository and of ../shared) and their verse
# texts as plain poems, the TEI poem of the tests, two poems of words beside marks, a
# generated poem of LINES verse lines, and a few of them under an imposed meter. Every output
# file, message and exit code must agree.
#   scripts/same-scans.sh BEFORE-TOOL AFTER-TOOL [LINES]   (LINES 100000 unless given)
# For the tool of the commit before: git worktree add /tmp/before HEAD~1, build it there.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ $# -lt 2 ]; then
    sed -n '2,9p' "$0" >&2
    exit 2
fi
before=$(realpath "$1")
after=$(realpath "$2")
lines=${3:-100000}
gold=${CORVALE_GOLD:-../shared/gold}/dev

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/poems"
[ -d "$gold" ] && find "$gold" -maxdepth 1 -name '*.txt' ! -name '*.gold.*' -exec cp {} "$work/poems" \;
for sample in samples/*/ ../shared/samples/*/; do
    [ -d "$sample" ] || continue
    name=$(basename "$sample")
    where=$(basename "$(dirname "$sample")")
    for file in "$sample"*.txt; do
        cp "$file" "$work/poems/$where.$name.$(basename "$file")"
    done
    # The verse text is the third field of each record's syllables row.
    awk -F'\t' '$2 == "syllables" { print $3 }' "$sample$name.txt" >"$work/poems/$where.$name.verse.txt"
done
cp tests/firstpass/data/*.tei.xml "$work/poems"
# Words in many places: after and before runs of marks, at a line's end, eliding, in compounds.
cat >"$work/poems/marks.txt" <<'POEM'
— and the night — is long, and the eye is dim
the eye — "Would," he said, "the eye were mine" — and
side -- is bright, & so th' eternal & th'
ever-fixed mark, forget-me-not th' eye, to a heaven
'Tis said 'twas so: the apple, t' enjoy the
1984, and & more; blessèd be the wishèd day
* * *
and the night is long, and the eye is dim —
POEM
{
    cat "$work/poems/marks.txt"
    echo "vnto the ioy of heauen, the eye, to an end"
    echo "Th' eternal ioy — vnto the apple & the"
} >"$work/poems/marks-older.txt"
# The benchmark's long poem: the sonnet and two lines full of readings ("vnto" makes it a poem
# in older printing), each line's words turned round by a step that changes every 16 lines.
awk -v count="$lines" 'BEGIN {
    n = split("Shall I compare thee to a summer'"'"'s day?|Thou art more lovely and more temperate:|" \
        "Rough winds do shake the darling buds of May,|And summer'"'"'s lease hath all too short a date;|" \
        "Sometime too hot the eye of heaven shines,|And often is his gold complexion dimm'"'"'d;|" \
        "And every fair from fair sometime declines,|By chance or nature'"'"'s changing course untrimm'"'"'d;|" \
        "But thy eternal summer shall not fade,|Nor lose possession of that fair thou ow'"'"'st;|" \
        "Nor shall death brag thou wander'"'"'st in his shade,|When in eternal lines to time thou grow'"'"'st:|" \
        "So long as men can breathe or eyes can see,|So long lives this, and this gives life to thee.|" \
        "Desiring fire and every glorious hour, the wandering heaven wished|" \
        "Vnto the nation'"'"'s towers, the memory of fire desired, th'"'"' eternal", source, "|")
    for (i = 0; i < count; ++i) {
        w = split(source[i % n + 1], words, " ")
        turn = int(i / n) % w
        line = ""
        for (k = 0; k < w; ++k) {
            line = line (k ? " " : "") words[(k + turn) % w + 1]
        }
        print line
    }
}' >"$work/poems/long.txt"

# Runs one tool over every poem, in the same folder each time so that its messages name the
# same paths; keeps its outputs, messages and exit codes under $work/$1.
scan() {
    local tool=$1 label=$2 out="$work/out"
    rm -rf "$out" && mkdir "$out"
    (
        cd "$work"
        set +e
        "$tool" -o out poems/* >out/all.stdout 2>out/all.stderr
        echo "exit $?" >>out/all.stdout
        mkdir out/imposed
        "$tool" -o out/imposed --meter "W S W S W S W S W S" poems/long.txt \
            poems/samples.sonnet18.verse.txt >out/imposed/all.stdout 2>out/imposed/all.stderr
        echo "exit $?" >>out/imposed/all.stdout
    )
    mv "$out" "$work/$label"
}
scan "$before" before
scan "$after" after
if diff -r "$work/before" "$work/after" >"$work/diff"; then
    echo "same scans: $(find "$work/after" -type f | wc -l) files agree byte for byte"
else
    head -40 "$work/diff"
    echo "same scans: the two tools differ" >&2
    exit 1
fi

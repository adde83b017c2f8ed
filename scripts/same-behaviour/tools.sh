#!/usr/bin/env bash
# Runs the three tools of a build over the folders cases.py wrote (the current folder), and
# prints everything they say, with exit codes.
#   tools.sh BUILD-DIR
B=${1:?build dir}
T=$B/tools
for d in */; do
  for f in $(find "$d" -name '*.txt' ! -name '*meter.txt' ! -name RememberEarlierRun.txt | sort); do
    for fmt in csv tei; do
      echo "## export $fmt $f"; $T/corvale-export/corvale-export --format $fmt -o - "$f" 2>&1; echo "rc=$?"
    done
    echo "## profile $f"; $T/corvale-profile/corvale-profile "$f" 2>&1; echo "rc=$?"
    echo "## profile csv $f"; $T/corvale-profile/corvale-profile --csv "$f" 2>&1; echo "rc=$?"
  done
done
echo "## profile by-file all"; $T/corvale-profile/corvale-profile --by-file sonnet18/sonnet18.txt sonnet116/sonnet116.txt tyger/tyger.txt ownmeter/a.txt ownmeter/b.txt subfolder/sub/tyger.txt 2>&1; echo "rc=$?"
for pair in "sonnet18/sonnet18.txt nomemory/sonnet18.txt" "ownmeter/a.txt sonnet18/sonnet18.txt" "tyger/tyger.txt subfolder/sub/tyger.txt" "sonnet18/sonnet18.txt badrecord/bad.txt" "gen10k/long.txt sonnet18/sonnet18.txt"; do
  echo "## compare $pair"; $T/corvale-scan/corvale-scan --compare $pair 2>&1; echo "rc=$?"
done

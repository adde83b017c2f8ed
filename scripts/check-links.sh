#!/usr/bin/env bash
# Checks the documents' relative links: every [text](target) in README.md, CONTRIBUTING.md and
# docs/*.md that is not a web or mail address must name a file or folder that exists, and a
# "#anchor" must name a heading of its Markdown file as GitHub-style renderers make one
# (lower case, punctuation dropped, spaces turned into hyphens). Prints each broken link as
# file:row: message and fails if there is one.
set -euo pipefail
cd "$(dirname "$0")/.."

# The anchors of a Markdown file's headings, one a row; fenced code is left out.
anchors() {
    awk '/^```/ { fenced = !fenced; next }
         !fenced && /^#+ / {
             sub(/^#+ +/, ""); $0 = tolower($0)
             gsub(/[^a-z0-9 _-]/, ""); gsub(/ /, "-"); print
         }' "$1"
}

# Each link of a Markdown file as "row<TAB>target", fenced code left out.
links() {
    awk '/^```/ { fenced = !fenced; next }
         !fenced {
             line = $0
             while (match(line, /\]\([^) ]+\)/)) {
                 print NR "\t" substr(line, RSTART + 2, RLENGTH - 3)
                 line = substr(line, RSTART + RLENGTH)
             }
         }' "$1"
}

broken=0
for doc in README.md CONTRIBUTING.md docs/*.md; do
    while IFS=$'\t' read -r row target; do
        case "$target" in http://* | https://* | mailto:*) continue ;; esac
        path=${target%%#*}
        anchor=
        [[ "$target" == *"#"* ]] && anchor=${target#*#}
        file=$doc
        if [ -n "$path" ]; then
            file=$(dirname "$doc")/$path
            if [ ! -e "$file" ]; then
                echo "$doc:$row: $path does not exist"
                broken=1
                continue
            fi
        fi
        if [ -n "$anchor" ] && ! anchors "$file" | grep -qxF -- "$anchor"; then
            echo "$doc:$row: $file has no heading for #$anchor"
            broken=1
        fi
    done < <(links "$doc")
done
[ "$broken" = 0 ] && echo "links: all relative links lead somewhere"
exit "$broken"

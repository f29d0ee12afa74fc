#!/bin/sh
# Checks that every relative link and picture of README.md and docs/*.md names a file that is there
# and, after a '#', a heading of that file (as the repository's web view makes anchors of headings),
# and that the README stays one a newcomer reads in five minutes: the details belong in docs/.
#   check-doc-links.sh [SOURCE_DIR]
set -eu
top=$(cd "${1:-$(dirname "$0")/..}" && pwd)
cd "$top"
failures=0 links=0
# GitHub's anchors: lower case, punctuation dropped but '-' and '_', spaces as '-'.
anchors() { sed -n 's/^#\{1,6\} \{1,\}//p' "$1" | tr 'A-Z' 'a-z' | sed 's/[^a-z0-9 _-]//g; s/ /-/g'; }
targets() {
    grep -o '\](\([^)]*\))' "$1" | sed 's/^](//; s/)$//; s/ .*//'
    grep -o 'src="[^"]*"' "$1" | sed 's/^src="//; s/"$//'
}
for page in README.md docs/*.md; do
    [ -f "$page" ] || continue
    dir=$(dirname "$page")
    for target in $(targets "$page"); do
        case "$target" in http://* | https://* | mailto:*) continue ;; esac
        links=$((links + 1))
        path=${target%%#*}
        anchor=""
        case "$target" in *'#'*) anchor=${target#*#} ;; esac
        file=$page
        [ -n "$path" ] && file=$dir/$path
        if [ ! -e "$file" ]; then
            echo "FAIL: $page links $target: no $file" >&2; failures=$((failures + 1)); continue
        fi
        if [ -n "$anchor" ] && ! anchors "$file" | grep -qx -- "$anchor"; then
            echo "FAIL: $page links $target: no such heading in $file" >&2; failures=$((failures + 1))
        fi
    done
done
size=$(wc -c <README.md)
if [ "$size" -gt 16384 ]; then
    echo "FAIL: README.md is $size bytes, more than 16 KiB: move the details into docs/" >&2; failures=$((failures + 1))
fi
echo "check-doc-links: $links links, README.md $size bytes, $failures problem(s)"
[ "$failures" -eq 0 ]

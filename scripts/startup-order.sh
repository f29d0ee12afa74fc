#!/bin/sh
# `make startup-order`: writes src/app/startup-order.txt, the widget's functions that run while it
# starts with twenty tasks, idles and counts one down (bench_widget --startup-profile, under callgrind),
# for the linker to place together at the front of the program's code. The kernel maps a program's
# code in runs of pages around each page it touches, so the few functions a start needs, spread
# over the whole binary, make all of it resident. Run it on the Debian release whose linker takes
# the list (see CMakeLists.txt), on a build from the current sources; the list may lag behind
# them (names it holds that no longer exist are passed over; new functions are placed after).
set -eu
build=$(cd "${1:-build-bench}" && pwd)
widget="$build/src/app/nvx-calendar-desktop-widget"
command -v valgrind >/dev/null || { echo "startup-order needs valgrind" >&2; exit 1; }
tmp=$(mktemp -d "${TMPDIR:-/tmp}/tasklist-order.XXXXXX")
trap 'rm -rf "$tmp"' EXIT INT TERM

"$(dirname "$0")/../bench/run.sh" "$build" "$build/bench/bench_widget" --startup-profile "$tmp/callgrind"

out="$(dirname "$0")/../src/app/startup-order.txt"
{
    echo "/* The widget's functions that run while it starts, idles and counts down, from"
    echo "   scripts/startup-order.sh: the linker places them first, after the start-up code. */"
    echo ".text : {"
    echo "  *(.text.startup .text.startup.*)"
    # fn= names the function whose costs follow, of the object last named by ob=; a suffix 'N
    # marks a recursion level, and .cold parts stay in the cold code where they belong. A complete
    # constructor or destructor (C1, D1) is the base one's code (C2, D2), in that one's section, and
    # a deleting destructor (D0) calls the base one.
    awk -v widget="$widget" '
        function place(name) { if (!placed[name]++) print "  *(.text." name ")" }
        /^ob=/ { ours = (substr($0, 4) == widget) }
        /^fn=/ && ours {
            name = substr($0, 4)
            sub(/\047[0-9]+$/, "", name)
            if (name !~ /^_Z/ || name ~ /\.cold$/)
                next
            place(name)
            if (sub(/C1E/, "C2E", name) || sub(/C1I/, "C2I", name) || sub(/D[01]E/, "D2E", name))
                place(name)
        }' "$tmp"/callgrind.*
    echo "}"
} >"$out.new"
mv "$out.new" "$out"
echo "$(grep -c '(.text._Z' "$out") functions in $out"

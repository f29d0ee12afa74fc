#!/bin/sh
# Runs one test in a sealed environment: a temporary HOME and XDG directories, and with --dbus a
# private session bus whose short reply timeout keeps "server never answers" cases fast.
set -e
here=$(cd "$(dirname "$0")" && pwd)
use_bus=0
if [ "$1" = "--dbus" ]; then use_bus=1; shift; fi
tmp=$(mktemp -d "${TMPDIR:-/tmp}/tasklist-test.XXXXXX")
# What the test started and left running ends with it: a crashed test leaves Akonadi's agents,
# which outlive their bus. They are known by the HOME given to them alone, and asked first, so that
# one already ending (a server whose sanitizer checks it at exit) ends in its own time.
reap() {
    left=$(grep -lzxF "HOME=$tmp/home" /proc/[0-9]*/environ 2>/dev/null | sed 's,^/proc/,,; s,/environ$,,')
    for signal in TERM KILL; do
        [ -n "$left" ] || return 0
        kill -$signal $left 2>/dev/null || true
        for _ in 1 2 3 4 5 6 7 8 9 10; do
            running=""
            for pid in $left; do
                # A zombie has ended; its parent, gone with the test, is not there to reap it.
                state=$(sed 's/.*) //; s/ .*//' "/proc/$pid/stat" 2>/dev/null) || state=""
                [ -n "$state" ] && [ "$state" != Z ] && running="$running $pid"
            done
            left=$running
            [ -n "$left" ] || return 0
            sleep 0.2
        done
    done
}
trap 'reap; rm -rf "$tmp"' EXIT
trap 'exit 130' INT TERM
mkdir -p "$tmp/home" "$tmp/config" "$tmp/data" "$tmp/cache" "$tmp/state" "$tmp/runtime"
chmod 700 "$tmp/runtime"
export HOME="$tmp/home" XDG_CONFIG_HOME="$tmp/config" XDG_DATA_HOME="$tmp/data" \
       XDG_CACHE_HOME="$tmp/cache" XDG_STATE_HOME="$tmp/state" XDG_RUNTIME_DIR="$tmp/runtime"
unset DBUS_SESSION_BUS_ADDRESS DISPLAY WAYLAND_DISPLAY
if [ $use_bus -eq 1 ]; then
    dbus-run-session --config-file="$here/session.conf" -- "$@"
else
    "$@"
fi

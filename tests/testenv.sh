#!/bin/sh
# Runs one test in a sealed environment: a temporary HOME and XDG directories, and with --dbus a
# private session bus whose short reply timeout keeps "server never answers" cases fast.
set -e
here=$(cd "$(dirname "$0")" && pwd)
use_bus=0
if [ "$1" = "--dbus" ]; then use_bus=1; shift; fi
tmp=$(mktemp -d "${TMPDIR:-/tmp}/tasklist-test.XXXXXX")
trap 'rm -rf "$tmp"' EXIT INT TERM
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

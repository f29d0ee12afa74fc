#!/bin/sh
# `make bench`: runs every benchmark in one sealed environment (a private session bus, a private
# Xvfb display, a temporary HOME) and prints one table of figures, each beside its bare-Qt
# baseline measured in the same run. BENCH_RUNS sets the repetitions, BENCH_IDLE_SECONDS the idle
# measurement (60 s by default), BENCH_ONLY a space-separated subset (json datafile settasks widget
# eventloop dataserver eds akonadi; large: the data server's 100,000-event rows alone, which dataserver
# includes); BENCH_EDS_EVENTS and BENCH_AKONADI_EVENTS the size of the EDS and Akonadi calendars
# (5,000).
# `run.sh BUILD COMMAND...` runs COMMAND in the same environment instead.
set -eu
build=$(cd "${1:-build}" && pwd)
bench="$build/bench"

if [ -z "${TASKLIST_BENCH_INNER:-}" ]; then
    tmp=$(mktemp -d "${TMPDIR:-/tmp}/tasklist-bench.XXXXXX")
    trap 'rm -rf "$tmp"' EXIT INT TERM
    mkdir -p "$tmp/home" "$tmp/config" "$tmp/data" "$tmp/cache" "$tmp/runtime"
    chmod 700 "$tmp/runtime"
    status=0
    env -u DBUS_SESSION_BUS_ADDRESS -u DISPLAY -u WAYLAND_DISPLAY -u QT_XCB_GL_INTEGRATION \
        HOME="$tmp/home" XDG_CONFIG_HOME="$tmp/config" XDG_DATA_HOME="$tmp/data" \
        XDG_CACHE_HOME="$tmp/cache" XDG_RUNTIME_DIR="$tmp/runtime" LC_ALL=C.UTF-8 \
        TASKLIST_BENCH_INNER=1 dbus-run-session -- "$0" "$@" || status=$?
    exit $status
fi

# Xvfb picks a free display itself: a free-looking /tmp/.X11-unix says nothing of the abstract
# sockets of the X servers of other roots on the machine, one of which the run then drew on.
displayfile=$(mktemp)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$displayfile" >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true; rm -f "$displayfile"' EXIT INT TERM
tries=0
until [ -s "$displayfile" ]; do
    tries=$((tries + 1))
    [ $tries -gt 100 ] && { echo "Xvfb did not start" >&2; exit 1; }
    sleep 0.1
done
export DISPLAY=":$(head -n 1 "$displayfile")"
tries=0
until xdpyinfo >/dev/null 2>&1; do
    tries=$((tries + 1))
    [ $tries -gt 100 ] && { echo "Xvfb did not start" >&2; exit 1; }
    sleep 0.1
done

if [ $# -gt 1 ]; then
    shift
    "$@"
    exit
fi

only=${BENCH_ONLY:-json datafile settasks widget eventloop dataserver eds akonadi}
wanted() { case " $only " in *" $1 "*) return 0 ;; esac; return 1; }

version() { pkg-config --modversion "$1" 2>/dev/null || pkg-config --modversion "$2" 2>/dev/null || echo '?'; }
echo "Machine: $(nproc) cores, $(uname -r); Qt $(version Qt6Core Qt5Core);" \
    "KCalendarCore $(version KF6CalendarCore KF5CalendarCore); $(date -u '+%Y-%m-%d %H:%M UTC')"
echo
echo "| figure | value | bare baseline | ratio | target | met |"
echo "|---|---|---|---|---|---|"
# The benchmarks' own notes go to stderr, kept apart from the table.
log="$HOME/bench-notes.txt"
# A benchmark that fails says so among the notes; the others still run and the table still prints.
run() { "$@" 2>>"$log" || echo "$(basename "$1") ended with status $?" >>"$log"; }
wanted json && run "$bench/bench_json"
wanted datafile && run "$bench/bench_datafile"
wanted settasks && QT_QPA_PLATFORM=xcb run "$bench/bench_settasks"
if wanted widget; then
    if [ -x "$bench/bench_widget" ]; then run "$bench/bench_widget"; else echo "bench_widget not built (no Xlib)" >>"$log"; fi
fi
wanted eventloop && QT_QPA_PLATFORM=xcb run "$bench/bench_eventloop"
wanted dataserver && run "$bench/bench_dataserver"
wanted large && ! wanted dataserver && run "$bench/bench_dataserver" --large
if wanted eds; then
    if [ -x "$bench/bench_edscalendars" ]; then run "$bench/bench_edscalendars"; else echo "bench_edscalendars not built (no libecal)" >>"$log"; fi
fi
if wanted akonadi; then
    if [ -x "$bench/bench_akonadicalendars" ]; then run "$bench/bench_akonadicalendars"; else echo "bench_akonadicalendars not built (no Akonadi)" >>"$log"; fi
fi
echo
echo "Notes:"
grep -v -e 'Failed to set fd limit' -e '^QStandardPaths' "$log" | sed 's/^/  /' || true

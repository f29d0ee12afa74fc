#!/bin/sh
# `make run`: starts the widget against a calendar data server. Without a session bus it starts one;
# without a data server on the bus it starts ours on a demo calendar built around today; without a
# display it runs under a virtual X display, saves a screenshot and ends.
set -eu
build=$(cd "${1:-build}" && pwd)
widget="$build/src/app/nvx-calendar-desktop-widget"
server="$build/src/dataserver/tasklist-dataserver"

if [ -z "${DBUS_SESSION_BUS_ADDRESS:-}" ] && [ -z "${TASKLIST_RUN_INNER:-}" ]; then
    export TASKLIST_RUN_INNER=1
    exec dbus-run-session -- "$0" "$@"
fi

has_owner() {
    dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.NameHasOwner "string:$1" 2>/dev/null | grep -q 'boolean true'
}

pids=""
cleanup() {
    for pid in $pids; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
}
trap cleanup EXIT INT TERM

headless=0
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    headless=1
    display=99
    while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
    Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    pids="$pids $!"
    export DISPLAY=":$display"
    tries=0
    until xdpyinfo >/dev/null 2>&1; do
        tries=$((tries + 1)); [ $tries -gt 50 ] && { echo "Xvfb did not start" >&2; exit 1; }
        sleep 0.1
    done
    # The screen is large enough for the whole window at its place, (500, 500) and 350x400.
    # A desktop behind the widget, so its translucency shows in the screenshot: a root pixmap for
    # the compositor, without which a translucent window is drawn over black.
    hsetroot -solid '#3b6ea5' >/dev/null 2>&1 || xsetroot -solid '#3b6ea5' 2>/dev/null || true
    xcompmgr >/dev/null 2>&1 &
    pids="$pids $!"
fi

if has_owner com.norvale.dataserver.Calendar; then
    echo "Using the calendar data server already on the session bus."
elif [ -x "$server" ]; then
    demo="$build/demo-calendar"
    echo "Starting tasklist-dataserver on a demo calendar ($demo)."
    "$server" --demo "$demo" &
    pids="$pids $!"
    tries=0
    until has_owner com.norvale.dataserver.Calendar; do
        tries=$((tries + 1)); [ $tries -gt 100 ] && { echo "the data server did not start" >&2; exit 1; }
        sleep 0.1
    done
fi

if [ $headless -eq 0 ]; then
    "$widget"
    exit $?
fi

"$widget" &
widget_pid=$!
sleep 4
shot="$build/screenshot.png"
import -window root "$shot"
kill -TERM "$widget_pid"
wait "$widget_pid" || true
echo "No display: ran the widget under Xvfb; screenshot saved to $shot"

#!/bin/sh
# `make screenshot`: the widget on a demo calendar built around today, once in its light and once in
# its dark theme, each cropped to the widget with a margin of desktop: OUT/screenshot-light.png and
# OUT/screenshot-dark.png; in American English with larger text and a larger panel,
# OUT/screenshot-12hour-large.png; and, where sway and grim are installed, the light one as a layer surface
# under a headless sway: OUT/screenshot-wayland.png. Everything runs on a private session bus and virtual display, with HOME in
# a temporary folder, so the pictures depend neither on this desktop nor on the user's task state.
set -eu
build=$(cd "${1:-build}" && pwd)
out=$(mkdir -p "${2:-docs}" && cd "${2:-docs}" && pwd)
widget=$build/src/app/nvx-calendar-desktop-widget
server=$build/src/dataserver/tasklist-dataserver
portal=$build/tools/fakeportal
desktop='#3b6ea5'

for program in "$widget" "$server" "$portal"; do
    [ -x "$program" ] || { echo "$program is missing: build first" >&2; exit 1; }
done

if [ -z "${TASKLIST_SCREENSHOT_INNER:-}" ]; then
    tmp=$(mktemp -d "${TMPDIR:-/tmp}/tasklist-screenshot.XXXXXX")
    trap 'rm -rf "$tmp"' EXIT INT TERM
    mkdir -p "$tmp/home" "$tmp/runtime" && chmod 700 "$tmp/runtime"
    status=0
    env -u DISPLAY -u WAYLAND_DISPLAY -u DBUS_SESSION_BUS_ADDRESS TASKLIST_SCREENSHOT_INNER="$tmp" \
        HOME="$tmp/home" XDG_CONFIG_HOME="$tmp/home/.config" XDG_DATA_HOME="$tmp/home/.local/share" \
        XDG_CACHE_HOME="$tmp/home/.cache" XDG_RUNTIME_DIR="$tmp/runtime" LC_ALL=C.UTF-8 \
        dbus-run-session -- "$0" "$build" "$out" || status=$?
    exit $status
fi
tmp=$TASKLIST_SCREENSHOT_INNER

has_owner() {
    dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.NameHasOwner "string:$1" 2>/dev/null | grep -q 'boolean true'
}
wait_for() { # condition, what
    tries=0
    until eval "$1"; do
        tries=$((tries + 1)); [ $tries -gt 100 ] && { echo "$2 did not start" >&2; exit 1; }
        sleep 0.1
    done
}

pids=""
cleanup() {
    for pid in $pids; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
}
trap cleanup EXIT INT TERM

# The widget sits at (500, 500) and is 350 by 400: the screen must hold it whole.
display=99
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
pids="$pids $!"
export DISPLAY=":$display"
wait_for "xdpyinfo >/dev/null 2>&1" Xvfb
# The compositor paints the root window's pixmap behind the windows, not its colour: hsetroot
# leaves one that outlives it.
hsetroot -solid "$desktop" >/dev/null
# Without a compositor a translucent window is drawn over black.
xcompmgr >/dev/null 2>&1 &
pids="$pids $!"

# A second calendar with a colour of its own beside the demo's, whose colour is drawn from its ID.
today=$(date +%Y%m%d)
tomorrow=$(date -d tomorrow +%Y%m%d)
printf '%s\r\n' BEGIN:VCALENDAR VERSION:2.0 PRODID:-//tasklist//screenshot//EN X-WR-CALNAME:Family \
    'COLOR:#d9534f' BEGIN:VEVENT UID:school@screenshot DTSTAMP:20260101T000000Z \
    "DTSTART:${today}T083000" "DTEND:${today}T090000" 'SUMMARY:School run' END:VEVENT \
    BEGIN:VEVENT UID:dinner@screenshot DTSTAMP:20260101T000000Z "DTSTART:${tomorrow}T193000" \
    "DTEND:${tomorrow}T213000" 'SUMMARY:Dinner with Anna' BEGIN:VALARM ACTION:DISPLAY DESCRIPTION:Dinner \
    TRIGGER:-PT30M END:VALARM END:VEVENT END:VCALENDAR >"$tmp/family.ics"
"$server" --demo "$tmp/demo" --holiday-region none "$tmp/family.ics" &
pids_server=$!
pids="$pids $!"
wait_for "has_owner com.norvale.dataserver.Calendar" "the data server"

for theme in light dark; do
    "$portal" "$theme" &
    portal_pid=$!
    wait_for "has_owner org.freedesktop.portal.Desktop" "the fake portal"
    "$widget" &
    widget_pid=$!
    # Long enough for the task list to fill and its fade-in to end.
    sleep 4
    import -window root "$tmp/root.png"
    kill -TERM "$widget_pid" "$portal_pid"
    wait "$widget_pid" "$portal_pid" || true
    convert "$tmp/root.png" -fuzz 1% -trim +repage -bordercolor "$desktop" -border 24 -strip \
        "$out/screenshot-$theme.png"
    echo "$out/screenshot-$theme.png"
done

# Dates as American English has them (12 hours), larger text, and a panel dragged larger; the
# settings written as the settings window writes them.
mkdir -p "$XDG_CONFIG_HOME/TaskList"
printf '[Appearance]\ncolours=desktop\ntimeFormat=locale\nopacity=120\ntextSize=13\n\n[Window]\nkeepPlace=true\nwidth=430\nheight=480\n' \
    >"$XDG_CONFIG_HOME/TaskList/settings.conf"
"$portal" light &
portal_pid=$!
wait_for "has_owner org.freedesktop.portal.Desktop" "the fake portal"
LC_ALL=en_US.UTF-8 LANGUAGE=en "$widget" &
widget_pid=$!
sleep 4
import -window root "$tmp/root.png"
kill -TERM "$widget_pid" "$portal_pid"
wait "$widget_pid" "$portal_pid" || true
rm "$XDG_CONFIG_HOME/TaskList/settings.conf"
convert "$tmp/root.png" -fuzz 1% -trim +repage -bordercolor "$desktop" -border 24 -strip \
    "$out/screenshot-12hour-large.png"
echo "$out/screenshot-12hour-large.png"

# The settings window, opened by the widget's --settings, cropped to its own place on the screen;
# calendars.conf as a user's might be, for the list to show something.
mkdir -p "$HOME/.config/tasklist-dataserver"
printf '# one calendar file or folder a line\n~/Calendars/work.ics\n~/.local/share/vdirsyncer/calendars/family\n' \
    >"$HOME/.config/tasklist-dataserver/calendars.conf"
"$portal" light &
portal_pid=$!
wait_for "has_owner org.freedesktop.portal.Desktop" "the fake portal"
"$widget" --settings &
widget_pid=$!
sleep 3
import -window root "$tmp/root.png"
geometry=$(xwininfo -name Settings | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
    /Width:/ {w=$2} /Height:/ {h=$2} END {printf "%dx%d+%d+%d", w + 48, h + 48, x - 24, y - 24}')
kill -TERM "$widget_pid" "$portal_pid"
wait "$widget_pid" "$portal_pid" || true
convert "$tmp/root.png" -crop "$geometry" +repage -strip "$out/screenshot-settings.png"
echo "$out/screenshot-settings.png"

# The event editor beside the widget, as its list's "New event…" opens it.
"$portal" light &
portal_pid=$!
wait_for "has_owner org.freedesktop.portal.Desktop" "the fake portal"
"$widget" --new-event &
widget_pid=$!
sleep 4
import -window root "$tmp/root.png"
geometry=$(xwininfo -name "New event" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
    /Width:/ {w=$2} /Height:/ {h=$2} END {printf "%dx%d+%d+%d", w + 48, h + 48, x - 24, y - 24}')
kill -TERM "$widget_pid" "$portal_pid"
wait "$widget_pid" "$portal_pid" || true
convert "$tmp/root.png" -crop "$geometry" +repage -strip "$out/screenshot-editor.png"
echo "$out/screenshot-editor.png"

# An invitation to an online meeting in a work calendar, beginning in a few minutes and counting
# down, as the task's menu would put it: the widget's data file holds the countdown. The user's
# address is the settings window's "My e-mail addresses".
start=$(date -d '+7 minutes' +%Y%m%dT%H%M00)
end=$(date -d '+67 minutes' +%Y%m%dT%H%M00)
printf '%s\r\n' BEGIN:VCALENDAR VERSION:2.0 PRODID:-//tasklist//screenshot//EN X-WR-CALNAME:Work \
    'COLOR:#2e7d32' BEGIN:VEVENT UID:review@screenshot DTSTAMP:20260101T000000Z "DTSTART:$start" \
    "DTEND:$end" 'SUMMARY:Design review' 'LOCATION:Room 4.12\, 1 Main Street\, Springfield' \
    'ORGANIZER;CN=Dana Lee:mailto:dana@example.com' \
    'ATTENDEE;CN=Dana Lee;ROLE=CHAIR;PARTSTAT=ACCEPTED:mailto:dana@example.com' \
    'ATTENDEE;CN=Sam Ortiz;PARTSTAT=TENTATIVE:mailto:sam@example.com' \
    'ATTENDEE;CN=Kim Park;PARTSTAT=NEEDS-ACTION;RSVP=TRUE:mailto:me@example.org' \
    'X-GOOGLE-CONFERENCE:https://meet.google.com/abc-defg-hij' \
    'DESCRIPTION:The new settings window\, one last look before it ships.\n\nJoin with Google Meet: https://meet.google.com/abc-defg-hij' \
    END:VEVENT END:VCALENDAR >"$tmp/work.ics"
printf '[Identity]\nAddresses=me@example.org\n' >"$HOME/.config/tasklist-dataserver/server.conf"
kill -TERM $pids_server 2>/dev/null || true
"$server" --demo "$tmp/demo" --holiday-region none "$tmp/work.ics" "$tmp/family.ics" &
pids="$pids $!"
sleep 1
wait_for "has_owner com.norvale.dataserver.Calendar" "the data server"
# The data file as the widget writes it (QDataStream 5.6): one record, the task in countdown mode,
# under the job ID the server gives the UID (FNV-1a, 31 bits).
mkdir -p "$XDG_DATA_HOME/TaskList"
perl -e '
    my ($uid, $title) = @ARGV;
    my $h = 2166136261;
    $h = (($h ^ ord($_)) * 16777619) & 0xffffffff for split //, $uid;
    my $id = $h & 0x7fffffff;
    my $text = pack("N", 2 * length $title) . pack("n*", map { ord } split //, $title);
    print pack("N", 1), pack("NN", $id, 0), $text, pack("NN", $id, 0), $text, pack("CCC", 0, 0, 1),
        pack("N", 0);
' review@screenshot 'Design review' >"$XDG_DATA_HOME/TaskList/data"
"$portal" light &
portal_pid=$!
wait_for "has_owner org.freedesktop.portal.Desktop" "the fake portal"
"$widget" &
widget_pid=$!
sleep 4
import -window root "$tmp/root.png"
convert "$tmp/root.png" -fuzz 1% -trim +repage -bordercolor "$desktop" -border 24 -strip "$out/screenshot-join.png"
echo "$out/screenshot-join.png"
# A click on the counting-down task's status icons (the panel at 500, 500: its first task's timer
# icon), opens its details.
xdotool mousemove 760 634 click 1
sleep 2
import -window root "$tmp/root.png"
geometry=$(xwininfo -name "Event details" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
    /Width:/ {w=$2} /Height:/ {h=$2} END {printf "%dx%d+%d+%d", w + 48, h + 48, x - 24, y - 24}')
kill -TERM "$widget_pid" "$portal_pid"
wait "$widget_pid" "$portal_pid" || true
rm "$XDG_DATA_HOME/TaskList/data"
convert "$tmp/root.png" -crop "$geometry" +repage -strip "$out/screenshot-details.png"
echo "$out/screenshot-details.png"

# Under sway the widget is a layer surface on the bottom layer. sway refuses root: it runs as nobody
# then, in a folder of its own under /tmp that nobody can reach.
if ! command -v sway >/dev/null || ! command -v grim >/dev/null || ! command -v swaybg >/dev/null; then
    echo "sway, swaybg or grim is not installed: no $out/screenshot-wayland.png" >&2
    exit 0
fi
swaydir=$(mktemp -d /tmp/tasklist-sway.XXXXXX)
cleanup_sway() { cleanup; rm -rf "$swaydir"; }
trap cleanup_sway EXIT INT TERM
printf '%s\n' "output * bg $desktop solid_color" "output HEADLESS-1 resolution 1280x1024" "xwayland disable" \
    >"$swaydir/config"
asuser=""
if [ "$(id -u)" -eq 0 ]; then
    chown -R nobody:nogroup "$swaydir"
    asuser="setpriv --reuid=nobody --regid=nogroup --clear-groups"
fi
chmod 700 "$swaydir"
env -i PATH="$PATH" HOME="$swaydir" XDG_RUNTIME_DIR="$swaydir" WLR_BACKENDS=headless WLR_RENDERER=pixman \
    WLR_LIBINPUT_NO_DEVICES=1 $asuser sway -c "$swaydir/config" >"$tmp/sway.log" 2>&1 &
pids="$pids $!"
wait_for "[ -S '$swaydir/wayland-1' ]" sway
"$portal" light &
portal_pid=$!
wait_for "has_owner org.freedesktop.portal.Desktop" "the fake portal"
env -u DISPLAY -u QT_QPA_PLATFORM WAYLAND_DISPLAY="$swaydir/wayland-1" "$widget" &
widget_pid=$!
sleep 4
WAYLAND_DISPLAY="$swaydir/wayland-1" grim "$tmp/wayland.png"
kill -TERM "$widget_pid" "$portal_pid"
wait "$widget_pid" "$portal_pid" || true
convert "$tmp/wayland.png" -fuzz 1% -trim +repage -bordercolor "$desktop" -border 24 -strip \
    "$out/screenshot-wayland.png"
echo "$out/screenshot-wayland.png"

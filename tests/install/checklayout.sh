#!/bin/sh
# Checks an installed tree: both programs, the online accounts module (and the widget started
# without Qt Network and the Wayland libraries, which only its modules need), the launcher and the autostart entry (valid,
# naming the installed widget and its icon), the icon, the session bus's service file naming the
# installed data server, the AppStream metainfo (valid, launching the launcher, its last
# release the programs' version), and both programs' manual pages (gzipped, rendered without a
# warning), with --help and --version answered without a display.
#   checklayout.sh [--install BUILD_DIR] ROOT BINDIR DATADIR SYSCONFDIR MODULEDIR
# The directories are the absolute ones as configured; ROOT is where the tree
# lies (a DESTDIR, an unpacked package, or / for the installed package). --install first installs
# BUILD_DIR into a fresh ROOT.
set -eu
build=""
if [ "$1" = "--install" ]; then build=$2; shift 2; fi
root=$1 bindir=$2 datadir=$3 sysconfdir=$4 moduledir=$5
[ "$root" = / ] && root=""
failures=0 skipped=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
# A check whose tool is not installed is skipped, and said: the tree is then not fully checked.
skip() { echo "SKIP: $*" >&2; skipped=$((skipped + 1)); }
value() { sed -n "s/^$2=//p" "$1" | head -n 1; }

if [ -n "$build" ]; then
    rm -rf "$root" && mkdir -p "$root"
    DESTDIR="$root" cmake --install "$build" >/dev/null
fi

for program in nvx-calendar-desktop-widget tasklist-dataserver; do
    [ -f "$root$bindir/$program" ] && [ -x "$root$bindir/$program" ] || fail "$bindir/$program is not installed"
done
if ! "$root$bindir/tasklist-dataserver" --help 2>&1 | grep -q 'com\.norvale\.dataserver\.Calendar'; then
    fail "$bindir/tasklist-dataserver --help does not run"
fi
module=$root$moduledir/nvx-calendar-accounts.so
[ -f "$module" ] || fail "the online accounts module is not installed: $moduledir/nvx-calendar-accounts.so"
if readelf -d "$root$bindir/nvx-calendar-desktop-widget" | grep -q 'NEEDED.*\(Network\|[Ww]ayland\|LayerShell\)'; then
    fail "the widget links Qt Network or a Wayland library itself; only its modules should"
fi

check_entry() {
    if [ ! -f "$1" ]; then fail "$2 is missing: $1"; return; fi
    # Warnings count too: desktop environments skip entries for less.
    report=$(desktop-file-validate "$1" 2>&1) || fail "$2 is not a valid desktop entry"
    [ -z "$report" ] || fail "desktop-file-validate on $2: $report"
    [ "$(value "$1" Exec)" = "$bindir/nvx-calendar-desktop-widget" ] || fail "$2 does not start $bindir/nvx-calendar-desktop-widget"
    [ "$(value "$1" Icon)" = nvx-calendar-desktop-widget ] || fail "$2 names another icon"
}
check_entry "$root$datadir/applications/nvx-calendar-desktop-widget.desktop" "the launcher"
check_entry "$root$sysconfdir/xdg/autostart/nvx-calendar-desktop-widget.desktop" "the autostart entry"
[ "$(value "$root$sysconfdir/xdg/autostart/nvx-calendar-desktop-widget.desktop" X-GNOME-Autostart-enabled)" = true ] ||
    fail "the autostart entry is not enabled"

icon=$root$datadir/icons/hicolor/scalable/apps/nvx-calendar-desktop-widget.svg
grep -q '<svg' "$icon" 2>/dev/null || fail "the icon is missing or no SVG: $icon"

metainfo=$root$datadir/metainfo/com.norvale.CalendarWidget.metainfo.xml
if [ -f "$metainfo" ]; then
    # Strict: software centres drop a component for less than an error.
    if command -v appstreamcli >/dev/null; then
        report=$(appstreamcli validate --strict --no-net --no-color "$metainfo" 2>&1) ||
            fail "appstreamcli validate --strict on the metainfo: $report"
    else
        skip "appstreamcli is not installed (Debian: appstream): the metainfo is not validated"
    fi
    launchable=$(sed -n 's:.*<launchable type="desktop-id">\(.*\)</launchable>.*:\1:p' "$metainfo")
    [ -f "$root$datadir/applications/$launchable" ] || fail "the metainfo launches '$launchable', which is not installed"
    release=$(sed -n 's:.*<release version="\([^"]*\)".*:\1:p' "$metainfo" | head -n 1)
    version=$("$root$bindir/nvx-calendar-desktop-widget" --version 2>&1) || fail "the widget's --version fails: $version"
    [ "$version" = "nvx-calendar-desktop-widget $release" ] ||
        fail "the metainfo's last release is '$release', the widget says '$version'"
else
    fail "the AppStream metainfo is missing: $metainfo"
fi

for program in nvx-calendar-desktop-widget tasklist-dataserver; do
    page=$root$datadir/man/man1/$program.1.gz
    if [ ! -f "$page" ]; then
        fail "the manual page is missing: $datadir/man/man1/$program.1.gz"
        continue
    fi
    gzip -t "$page" 2>/dev/null || fail "$program.1.gz is not gzipped"
    # The footer names the release, which a version bump easily forgets.
    page_release=$("$root$bindir/$program" --version 2>/dev/null | sed 's/^[^ ]* //')
    zcat "$page" | head -n 1 | grep -qF "\"nvx-calendar-desktop-widget $page_release\"" ||
        fail "$program.1.gz's .TH line names another release than '$program --version': $page_release"
    if command -v man >/dev/null; then
        # man prints groff's warnings (a bad macro, a line it cannot break) on standard error.
        report=$(MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null) || fail "man cannot render $program.1.gz: $report"
        [ -z "$report" ] || fail "man warns on $program.1.gz: $report"
        zcat "$page" | grep -q '^\.SH OPTIONS' || fail "$program.1.gz has no OPTIONS section"
    else
        skip "man is not installed (Debian: man-db): $program.1.gz is not rendered"
    fi
    # Without a display, a bus or a home of its own: what a packager's build machine has.
    for option in --help --version; do
        env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM HOME=/nonexistent \
            "$root$bindir/$program" "$option" >/dev/null 2>&1 || fail "$program $option does not exit 0"
    done
done

service=$root$datadir/dbus-1/services/com.norvale.dataserver.Calendar.service
if [ -f "$service" ]; then
    [ "$(head -n 1 "$service")" = "[D-BUS Service]" ] || fail "the service file has no [D-BUS Service] group"
    [ "$(value "$service" Name)" = com.norvale.dataserver.Calendar ] || fail "the service file names another service"
    [ "$(value "$service" Exec)" = "$bindir/tasklist-dataserver" ] ||
        fail "the service file starts '$(value "$service" Exec)', not $bindir/tasklist-dataserver"
else
    fail "the D-Bus service file is missing: $service"
fi

if [ $failures -ne 0 ]; then
    echo "$failures problem(s) in the tree at ${root:-/}" >&2
    exit 1
fi
echo "installed tree at ${root:-/}: programs, desktop entries, icon, D-Bus service file and metainfo in place"
# For CTest (SKIP_RETURN_CODE), which installed the tree itself; a caller that gave it keeps 0.
if [ $skipped -ne 0 ] && [ -n "$build" ]; then
    echo "$skipped check(s) skipped" >&2
    exit 77
fi

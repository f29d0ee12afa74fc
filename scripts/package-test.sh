#!/bin/sh
# `make package-test`: inspects the Debian package that `make package` built: its control fields and
# dependencies, what lintian says of it (an error fails), its file list, and the files in place
# once unpacked into a temporary root. With
# PACKAGE_TEST_INSTALL=1, as root on Debian, it also installs the package with apt-get, then removes
# and purges it: that changes the machine, so it is never done by default.
set -eu
build=$(cd "${1:-build}" && pwd)
top=$(cd "$(dirname "$0")/.." && pwd)
name=nvx-calendar-desktop-widget
deb=$(ls -t "$build/${name}_"*.deb 2>/dev/null | head -n 1)
[ -n "$deb" ] || { echo "no package in $build: run make package" >&2; exit 1; }
tmp=$(mktemp -d "${TMPDIR:-/tmp}/package-test.XXXXXX")
trap 'rm -rf "$tmp"' EXIT INT TERM

passed=0 failed=0
expect() {
    what=$1; shift
    if "$@"; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAIL: $what" >&2; fi
}
has_dependency() { printf '%s\n' "$depends" | tr ',' '\n' | sed 's/^ *//' | grep -q "^$1\( \|$\)"; }
same_text() { [ "$1" = "$2" ] || { printf 'expected:\n%s\nfound:\n%s\n' "$2" "$1" >&2; false; }; }

echo "Package: $deb"
expect "dpkg-deb reads the package" dpkg-deb --info "$deb" control >/dev/null
for field in Package Version Architecture Maintainer Description; do
    expect "the control file has $field" test -n "$(dpkg-deb -f "$deb" "$field")"
done
expect "the package is named $name" test "$(dpkg-deb -f "$deb" Package)" = "$name"
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
# The package depends on the Qt it was built with, and only on that. Library packages may carry
# an ABI in their names (libkf5calendarcore5abi2, Debian 13's libqt6core6t64).
qt=$(sed -n 's/^TASKLIST_QT:[A-Z]*=//p' "$build/CMakeCache.txt")
if [ "$qt" = 6 ]; then
    libraries="libqt6core6[a-z0-9]* libqt6gui6 libqt6widgets6 libqt6dbus6 libqt6svg6 libkf6calendarcore6 libkf6holidays6"
    plugins="qt6-wayland qt6-svg-plugins"
    other="libqt5core5a"
else
    libraries="libqt5core5a libqt5gui5 libqt5widgets5 libqt5dbus5 libqt5svg5 libkf5calendarcore5[a-z0-9]* libkf5holidays5"
    plugins="qtwayland5"
    other="libqt6core6[a-z0-9]*"
fi
for library in libc6 libstdc++6 $libraries; do
    expect "Depends names $library" has_dependency "$library"
done
lacks_dependency() { ! has_dependency "$1"; }
expect "Depends names no library of the other Qt" lacks_dependency "$other"
expect "Depends names a session bus" has_dependency "default-dbus-session-bus | dbus-session-bus"
# Plugins that no library pulls in: Qt's Wayland platform (and SVG icons, for Qt 6) and
# LayerShellQt's shell integration, where the build has LayerShellQt.
grep -q '^ZYK_LAYER_SHELL:INTERNAL=ON' "$build/CMakeCache.txt" && plugins="$plugins layer-shell-qt"
for plugin in $plugins; do
    expect "Depends names $plugin" has_dependency "$plugin"
done
# The desktop's calendars of Evolution Data Server, where the data server is built with them.
grep -q '^LIBECAL_FOUND:INTERNAL=1' "$build/CMakeCache.txt" &&
    expect "Depends names libecal" has_dependency "libecal-2\.0-[0-9a-z]*"
# The keyring is reached through secret-tool's process: the widget links no libsecret.
expect "Depends names no libsecret" lacks_dependency "libsecret-1-0"
recommends=$(dpkg-deb -f "$deb" Recommends)
echo "Recommends: $recommends"
recommended() { printf '%s\n' "$recommends" | tr ',' '\n' | sed 's/^ *//' | grep -qx "$1"; }
for tool in vdirsyncer libsecret-tools notification-daemon; do
    expect "Recommends names $tool" recommended "$tool"
done
# Debian's own checks of a package. lintian is one of the packages the install script installs.
if command -v lintian >/dev/null; then
    lintian_passes() {
        status=0
        lintian --fail-on error --tag-display-limit 0 "$deb" >"$tmp/lintian" 2>&1 || status=$?
        grep -v '^running with root privileges' "$tmp/lintian" | sed 's/^/  lintian: /'
        return $status
    }
    expect "lintian finds no error" lintian_passes
else
    expect "lintian is installed (Debian: lintian)" false
fi
if command -v apt-get >/dev/null; then
    expect "apt can satisfy every dependency" sh -c "apt-get install --simulate '$deb' >'$tmp/simulate' 2>&1"
fi

# The settings window's online accounts module, in the widget's own library folder.
moduledir=/usr/$(sed -n 's/^CMAKE_INSTALL_LIBDIR:PATH=//p' "$build/CMakeCache.txt")/$name
module=.$moduledir/nvx-calendar-accounts.so
modules=$module
# The layer shell's module, where the build has LayerShellQt.
grep -q '^ZYK_LAYER_SHELL:INTERNAL=ON' "$build/CMakeCache.txt" && modules="$modules
.$moduledir/nvx-calendar-layershell.so"
dpkg-deb --contents "$deb" >"$tmp/contents"
files=$(awk '$1 !~ /^d/ { print $6 }' "$tmp/contents" | sort)
echo "Files:"
printf '  %s\n' $files
expect "the file list is the programs, the modules, desktop entries, icon, service file, docs, manual pages and metainfo" same_text "$files" "\
./etc/xdg/autostart/$name.desktop
./usr/bin/$name
./usr/bin/tasklist-dataserver
$modules
./usr/share/applications/$name.desktop
./usr/share/dbus-1/services/com.norvale.dataserver.Calendar.service
./usr/share/doc/$name/changelog.gz
./usr/share/doc/$name/copyright
./usr/share/icons/hicolor/scalable/apps/$name.svg
./usr/share/man/man1/$name.1.gz
./usr/share/man/man1/tasklist-dataserver.1.gz
./usr/share/metainfo/com.norvale.CalendarWidget.metainfo.xml"
expect "every entry belongs to root" test -z "$(awk '$2 != "root/root"' "$tmp/contents")"
expect "the programs are executable by all" test -z "$(awk '$1 !~ /^d/ && $6 ~ /^\.\/usr\/bin\// && $1 != "-rwxr-xr-x"' "$tmp/contents")"
expect "the other files are read-only for all but root" \
    test -z "$(awk '$1 !~ /^d/ && $6 !~ /^\.\/usr\/bin\// && $1 != "-rw-r--r--"' "$tmp/contents")"
expect "the autostart entry is a conffile" \
    test "$(dpkg-deb --info "$deb" conffiles 2>/dev/null)" = "/etc/xdg/autostart/$name.desktop"

dpkg-deb --extract "$deb" "$tmp/root"
expect "the unpacked files are in place" sh "$top/tests/install/checklayout.sh" "$tmp/root" /usr/bin /usr/share /etc "$moduledir"
for program in usr/bin/$name usr/bin/tasklist-dataserver $modules; do
    expect "$program is stripped" sh -c "file -L '$tmp/root/$program' | grep -q ', stripped'"
done
# A native package's changelog: its last entry is this version.
changelog_version() { zcat "$tmp/root/usr/share/doc/$name/changelog.gz" | sed -n '1s/^[^ ]* (\([^)]*\)).*/\1/p'; }
expect "the changelog's last entry is version $(dpkg-deb -f "$deb" Version)" \
    test "$(changelog_version)" = "$(dpkg-deb -f "$deb" Version)"

if [ "${PACKAGE_TEST_INSTALL:-0}" = 1 ]; then
    status() { dpkg-query -W -f='${db:Status-Abbrev}' "$name" 2>/dev/null || true; }
    if [ "$(id -u)" -ne 0 ]; then
        echo "PACKAGE_TEST_INSTALL=1 needs root" >&2; exit 1
    fi
    if [ "$(status)" = "ii " ]; then
        echo "$name is installed on this machine already; not touching it" >&2; exit 1
    fi
    export DEBIAN_FRONTEND=noninteractive
    expect "apt-get installs the package" sh -c "apt-get install -y -qq '$deb' >'$tmp/apt.log' 2>&1 || { cat '$tmp/apt.log'; false; }"
    expect "dpkg reports it installed" test "$(status)" = "ii "
    expect "the installed files are in place" sh "$top/tests/install/checklayout.sh" / /usr/bin /usr/share /etc "$moduledir"
    # The standard session bus configuration reads /usr/share/dbus-1/services.
    home=$tmp/home
    expect "a session bus starts the installed data server on a call" \
        env -u DBUS_SESSION_BUS_ADDRESS HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_DATA_HOME="$home/.local/share" \
        dbus-run-session -- dbus-send --session --print-reply --dest=com.norvale.dataserver.Calendar \
        /com/norvale/dataserver/Calendar org.freedesktop.DBus.Introspectable.Introspect >/dev/null
    expect "the started server wrote its configuration and calendar" \
        test -f "$home/.config/tasklist-dataserver/calendars.conf" -a -f "$home/.local/share/tasklist-dataserver/calendar.ics"
    expect "apt-get removes the package" sh -c "apt-get remove -y -qq $name >'$tmp/apt.log' 2>&1 || { cat '$tmp/apt.log'; false; }"
    expect "removing leaves only the conffile" test ! -e /usr/bin/$name -a ! -e /usr/bin/tasklist-dataserver \
        -a ! -e /usr/share/dbus-1/services/com.norvale.dataserver.Calendar.service -a -e /etc/xdg/autostart/$name.desktop
    expect "apt-get purges the package" sh -c "apt-get purge -y -qq $name >'$tmp/apt.log' 2>&1 || { cat '$tmp/apt.log'; false; }"
    expect "purging leaves nothing" test ! -e /etc/xdg/autostart/$name.desktop -a -z "$(status | tr -d ' n')"
fi

echo "package-test: $passed passed, $failed failed"
[ "$failed" -eq 0 ]

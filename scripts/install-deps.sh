#!/bin/sh
# Installs the Debian packages that building, running and testing need, and only those missing.
# Qt 6 and KDE Frameworks 6 where the release has them (Debian 13 on), Qt 5 and KF5 on Debian 12;
# TASKLIST_QT=5 or 6 chooses, as it does for CMake.
set -e
qt=${TASKLIST_QT:-}
if [ -z "$qt" ]; then
    qt=6
    if [ -r /etc/os-release ]; then
        . /etc/os-release
        case "${ID:-}" in debian) [ "${VERSION_ID:-99}" -le 12 ] 2>/dev/null && qt=5 ;; esac
    fi
fi
if [ "$qt" = 5 ]; then
    toolkit="qtbase5-dev libqt5svg5-dev libkf5calendarcore-dev libkf5holidays-dev
             qttools5-dev qttools5-dev-tools qttranslations5-l10n qtwayland5"
    # Akonadi's client library and calendar serializer; the server, SQLite backend and iCalendar
    # resource for tst_akonadicalendars (about 460 MiB with the resources' dependencies).
    akonadi="libkf5akonadi-dev libkf5akonadicalendar-dev akonadi-server akonadi-backend-sqlite kdepim-runtime"
else
    toolkit="qt6-base-dev qt6-svg-dev qt6-svg-plugins libkf6calendarcore-dev libkf6holidays-dev
             qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools qt6-translations-l10n qt6-wayland"
    # Akonadi's CMake files ask for ECM, which its -dev package does not depend on.
    akonadi="libakonadi-dev libakonadicalendar-dev extra-cmake-modules akonadi-server akonadi-backend-sqlite kdepim-runtime"
fi
packages="cmake make g++ pkg-config $toolkit $akonadi
          dbus dbus-x11 at-spi2-core xvfb xserver-xorg-core xserver-xorg-video-dummy xauth x11-utils x11-xserver-utils xdotool imagemagick desktop-file-utils appstream man-db xcompmgr
          hsetroot dpkg-dev file lintian radicale vdirsyncer libecal2.0-dev evolution-data-server
          libsecret-tools gnome-keyring faketime
          liblayershellqtinterface-dev layer-shell-qt libwayland-dev libxkbcommon-dev sway swaybg grim"
[ -n "$EXTRA_PACKAGES" ] && packages="$packages $EXTRA_PACKAGES"
# One dpkg-query for them all: one per package kept every `make run` waiting a third of a second.
installed=" $(dpkg-query -W -f='${Package} ${Status}\n' $packages 2>/dev/null | sed -n 's/ install ok installed$//p' |
              tr '\n' ' ')"
missing=""
for p in $packages; do
    case "$installed" in *" $p "*) ;; *) missing="$missing $p" ;; esac
done
[ -z "$missing" ] && exit 0
echo "Installing:$missing"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing

#!/bin/sh
# Installs the Debian packages that building, running and testing need, and only those missing.
set -e
packages="cmake make g++ pkg-config qtbase5-dev libqt5svg5-dev libkf5calendarcore-dev libkf5holidays-dev
          qttools5-dev qttools5-dev-tools qttranslations5-l10n
          dbus dbus-x11 xvfb xauth x11-utils x11-xserver-utils imagemagick desktop-file-utils xcompmgr
          hsetroot dpkg-dev file radicale vdirsyncer
          qtwayland5 liblayershellqtinterface-dev layer-shell-qt libwayland-dev libxkbcommon-dev sway swaybg grim"
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
